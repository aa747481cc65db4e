#include "measure/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace hss::text {
namespace {

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// from_chars takes a minus sign but no plus sign.
std::string_view withoutPlus(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        return text.substr(1);
    return text;
}

bool startsLikeANumber(std::string_view text)
{
    // from_chars also reads "inf" and "nan"; the boxes never mean those.
    const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    return !digits.empty() && ((digits.front() >= '0' && digits.front() <= '9') || digits.front() == '.');
}

}  // namespace

std::optional<double> parseDecimal(std::string_view text)
{
    const std::string_view t = withoutPlus(trimmed(text));
    if (!startsLikeANumber(t))
        return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseInteger(std::string_view text)
{
    const std::string_view t = withoutPlus(trimmed(text));
    int value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    return value;
}

// Plain digits unless the number is huge or tiny: 0.0001 reads "0.0001", not "1e-04".
template <typename Number>
std::string shortest(Number value)
{
    const double magnitude = std::abs(static_cast<double>(value));
    const bool plain = magnitude == 0.0 || (magnitude >= 1e-7 && magnitude < 1e21);
    char buffer[64];
    const auto result = plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
                              : std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string shortestDecimal(double value) { return shortest(value); }

std::string shortestDecimal(float value) { return shortest(value); }

double widenDecimal(float value)
{
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    double widened = 0.0;
    const auto read = std::from_chars(buffer, written.ptr, widened);
    return read.ec == std::errc() ? widened : static_cast<double>(value);
}

std::string generalSevenDigits(float value)
{
    // Rounding up can leave a negative zero (-0.003 -> -0.0f); it reads 0.
    if (value == 0.0f)
        value = 0.0f;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return std::string(buffer, result.ptr);
}

}  // namespace hss::text
