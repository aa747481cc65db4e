#include "editor/TunerInputs.h"

#include <cmath>

#include "measure/NumberText.h"

namespace hss::i2t {

std::optional<float> parseResistorTolerance(std::string_view text)
{
    const std::optional<double> value = text::parseDecimal(text);
    if (!value)
        return std::nullopt;
    const auto percent = static_cast<float>(*value);
    if (!std::isfinite(percent) || percent < 0.0f || percent > kMaxResistorTolerancePercent)
        return std::nullopt;
    return percent;
}

std::optional<double> pulseValue(std::string_view text)
{
    const std::optional<double> value = text::parseDecimal(text);
    if (!value || *value <= 0.0)
        return std::nullopt;
    return value;
}

std::optional<ChartPoint> pulseMarker(std::string_view currentText, std::string_view durationText)
{
    const std::optional<double> current = pulseValue(currentText);
    const std::optional<double> duration = pulseValue(durationText);
    if (!current || !duration)
        return std::nullopt;
    return ChartPoint{*current, *duration};
}

}  // namespace hss::i2t
