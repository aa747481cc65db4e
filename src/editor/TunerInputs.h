#pragma once
// The tuner's free-text inputs: the sense-resistor tolerance and the test
// pulses drawn on the I2T chart.

#include <optional>
#include <string_view>

#include "editor/I2TCurve.h"

namespace hss::i2t {

// The largest tolerance taken: beyond it the bands stop meaning anything
// (at 94 % the minimum curve would reach zero current).
inline constexpr float kMaxResistorTolerancePercent = 50.0f;

// curResTolerance from resToleranceBox: a decimal number of percent from 0 to
// kMaxResistorTolerancePercent, in single precision. Empty for anything else;
// the box then shows "0.0" and the tolerance is 0.
std::optional<float> parseResistorTolerance(std::string_view text);

// What a test pulse's current (A) or duration (s) box may hold: a decimal
// number above zero. Empty for anything else, which the box refuses.
std::optional<double> pulseValue(std::string_view text);

// The marker of a test pulse, from its current (A) and duration (s) boxes.
// Empty while either is not a number or not above zero: such a pulse draws
// nothing (and a time axis is logarithmic).
std::optional<ChartPoint> pulseMarker(std::string_view currentText, std::string_view durationText);

}  // namespace hss::i2t
