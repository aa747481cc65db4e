#pragma once
// Numbers as the window's text boxes and option lists hold them, read and
// written the same way on every locale: a point as decimal separator, never
// a comma, whatever the desktop's language.

#include <optional>
#include <string>
#include <string_view>

namespace hss::text {

// A decimal number: optional blanks around, an optional sign, digits with an
// optional point and exponent ("4.0", " -0.5 ", "1e3"). Empty for anything
// else, including infinities and NaN.
std::optional<double> parseDecimal(std::string_view text);

// A whole number in int range: optional blanks around and an optional sign.
std::optional<int> parseInteger(std::string_view text);

// Shortest text that reads back as the same number, without an exponent
// unless the number is huge or tiny: 350.0 -> "350", 8.8 -> "8.8", 0.0001 -> "0.0001".
// A single-precision value gets the shortest text of its own precision
// (39.09f -> "39.09", not the digits of its double widening).
std::string shortestDecimal(double value);
std::string shortestDecimal(float value);

// The double a single-precision value stands for: 2.01f -> 2.01, not
// 2.009999990463257 (what plain widening gives, and what a chart would show).
double widenDecimal(float value);

// General form with at most seven significant digits, the way single-precision
// values are shown: 2.01f -> "2.01", 349.99997f -> "350".
std::string generalSevenDigits(float value);

}  // namespace hss::text
