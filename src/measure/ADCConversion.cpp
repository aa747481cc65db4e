#include "measure/ADCConversion.h"

#include <cmath>

namespace hss::measure {

float roundUpToHundredth(double value)
{
    const float scaled = static_cast<float>(value * 100.0);
    return std::ceil(scaled) / 100.0f;
}

float truncateToHundredth(double value)
{
    const float scaled = static_cast<float>(value * 100.0);
    return std::floor(scaled) / 100.0f;
}

float convertRawADCValue(uint16_t code, uint8_t format, float ksnsRatio, double senseResistorOhms)
{
    // The chip's constants are single-precision numbers; the sums run in double.
    const double c = code;
    switch (format) {
    case ADC_LOAD_CURRENT:
        return roundUpToHundredth(double{ksnsRatio} * double{2.8f} * c / (senseResistorOhms * 1023.0));
    case ADC_OUTPUT_VOLTAGE:
        return roundUpToHundredth(c * double{50.092f} / double{1705.341f});
    case ADC_VDS_VOLTAGE:
        return roundUpToHundredth((c - 24.0) / double{288.267f});
    case ADC_JUNCTION_TEMPERATURE:
        return roundUpToHundredth(double{381.367f} - c * double{0.75157f});
    case ADC_SUPPLY_VOLTAGE:
        return roundUpToHundredth(c * double{50.904f} / double{1705.341f});
    default:
        return 0.0f;
    }
}

float generateAverage(std::span<const float> values)
{
    if (values.empty())
        return 0.0f;
    double sum = 0.0;
    for (const float v : values)
        sum += v;
    return static_cast<float>(sum / static_cast<double>(values.size()));
}

}  // namespace hss::measure
