#pragma once
// The I2T tuner's two charts as numbers: the trip curve with its minimum and
// maximum bands, and the complete power curve, from the tuner's list
// selections. The window hands each series its points in one go.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hss::i2t {

struct ChartPoint {
    double x;  // current, A
    double y;  // time, s
    bool operator==(const ChartPoint&) const = default;
};

// The text drawn beside one point of a series.
struct PointLabel {
    std::size_t index;
    std::string text;
    bool operator==(const PointLabel&) const = default;
};

struct PlotSeries {
    std::vector<ChartPoint> points;
    std::vector<PointLabel> labels;
};

// Series of the two charts, in their order on the chart.
inline constexpr std::array<std::string_view, 9> i2tChartSeriesNames{
    "I2T Curve", "Minimum Trip Curve", "Maximum Trip Curve", "Wire Model", "Pulse 1", "Pulse 2", "Pulse 3",
    "Software Current Limit", "Hardware Current Limit"};
inline constexpr std::array<std::string_view, 4> completeChartSeriesNames{
    "Nominal Current", "I2T Curve", "Delayed Shutdown Threshold", "Hardware Current"};

// Lowest times of the two logarithmic time axes as the window starts them.
inline constexpr double kI2TTimeAxisMinimum = 0.001;
inline constexpr double kCompleteTimeAxisMinimum = 0.0001;

// What the tuner shows: the trip energy at the slider and the selected item
// texts of the four lists (empty: the list has no selection).
struct I2TCurveSelection {
    std::optional<double> tripEnergy;  // E, A²s; empty when the slider is past the table
    std::optional<std::string> nominalCurrent;  // In, A
    std::optional<std::string> softwareLimit;   // Isw, A
    std::optional<std::string> hardwareLimit;   // Ihw, A
    std::optional<std::string> softwareDelay;   // Tsw in ms as listed; plotted in s
    float tolerancePercent = 0.0f;              // curResTolerance
    bool gaugeDisabled = true;                  // gaugeSelectionBox shows "Disabled"
    double i2tTimeAxisMinimum = kI2TTimeAxisMinimum;  // a custom wire model may have lowered it
};

struct I2TChartPlot {
    std::array<PlotSeries, 3> series;  // I2T curve, minimum and maximum trip curve
    // Vertical lines from the bottom to the top of the time axis: the
    // software limit always (the curve ends there), the hardware limit where
    // it cuts the current before the software limit does (Ihw <= Isw).
    PlotSeries softwareLimit;
    PlotSeries hardwareLimit;
    double currentMinimum = 0.0;  // In
    double currentMaximum = 0.0;  // Isw and a little room, so the limit line shows
    double timeMaximum = 0.0;     // the time minimum is left as it is
};

struct CompleteChartPlot {
    // Nominal, I2T, delayed shutdown (where Isw < Ihw: above Isw the channel
    // shuts down after Tsw) and hardware current (always: no current passes
    // Ihw, drawn as a band from Ihw to 1.25 Ihw over the whole time axis).
    std::array<PlotSeries, 4> series;
    double currentMaximum = 0.0;  // the current minimum stays 0
    // At most kCompleteTimeAxisMinimum; a tenth of Tsw when that is lower, so
    // the delayed-shutdown band spans at least a decade at the shortest delay.
    double timeMinimum = kCompleteTimeAxisMinimum;
    double timeMaximum = 0.0;
};

struct I2TCurvePlot {
    bool drawn = false;
    std::string note;  // when nothing is drawn: why, short enough to show on the chart
    I2TChartPlot i2t;
    CompleteChartPlot complete;
};

// Both charts for a selection. Nothing is drawn when a list has no
// selection or its text is not a number, or when the software current limit
// is not above the nominal current. No time value is zero or negative: such
// a value sits at its axis's minimum instead.
I2TCurvePlot computeI2TCurves(const I2TCurveSelection& selection);

}  // namespace hss::i2t
