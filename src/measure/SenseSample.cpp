#include "measure/SenseSample.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "device/RegisterFields.h"
#include "measure/ADCConversion.h"
#include "measure/NumberText.h"
#include "measure/SenseSources.h"

namespace hss::measure {

std::optional<SenseSample> decodeSenseSample(const std::array<uint16_t, 3>& words, uint8_t format,
                                             const SenseChannelSetup& setup, double senseResistorOhms)
{
    SenseSample sample;
    for (std::size_t ch = 0; ch < 2; ++ch) {
        sample.switchedOn[ch] = ((setup.switchState >> ch) & 1u) != 0;
        if (!sample.switchedOn[ch])
            continue;
        if ((words[ch] & kADCValidBit) == 0)
            return std::nullopt;
        // The open-load scaling bit of CHx_CONFIG switches the sense ratio.
        const float ksns = hss::field::OL_SCALING.isOn(setup.chanDiagConfig[ch]) ? setup.ksnsRatioScale
                                                                                 : setup.ksnsRatio;
        sample.ratioMissing[ch] = format == ADC_LOAD_CURRENT && ksns == 0.0f;
        sample.channel[ch] =
            convertRawADCValue(static_cast<uint16_t>(words[ch] & kADCCodeMask), format, ksns, senseResistorOhms);
    }
    sample.supplyVoltage =
        convertRawADCValue(static_cast<uint16_t>(words[2] & kADCCodeMask), ADC_SUPPLY_VOLTAGE, 0.0f, senseResistorOhms);
    return sample;
}

std::array<float, 2> SenseAverager::add(const std::array<float, 2>& values, int averageCount)
{
    const std::size_t keep = averageCount > 1 ? static_cast<std::size_t>(averageCount) : 1u;
    std::array<float, 2> means{};
    for (std::size_t ch = 0; ch < 2; ++ch) {
        std::vector<float>& list = channel_[ch];
        if (list.size() >= keep)
            list.erase(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(list.size() - keep + 1));
        list.push_back(values[ch]);
        if (std::all_of(list.begin(), list.end(), [](float v) { return std::isfinite(v); })) {
            means[ch] = roundUpToHundredth(generateAverage(list));
            continue;
        }
        std::vector<float> known;
        std::copy_if(list.begin(), list.end(), std::back_inserter(known), [](float v) { return std::isfinite(v); });
        means[ch] = known.empty() ? std::numeric_limits<float>::quiet_NaN() : roundUpToHundredth(generateAverage(known));
    }
    return means;
}

void SenseAverager::clear()
{
    for (auto& list : channel_)
        list.clear();
}

std::string formatSenseReading(float value, uint8_t format)
{
    if (format == ADC_SUPPLY_VOLTAGE)
        return text::generalSevenDigits(value) + "V";
    if (format >= senseQuantities.size())
        return text::generalSevenDigits(value);
    const std::string unit(senseQuantities[format].unit);
    if (format == ADC_LOAD_CURRENT && value < 1.0f)
        return text::generalSevenDigits(value * 1000.0f) + "m" + unit;
    return text::generalSevenDigits(value) + unit;
}

}  // namespace hss::measure
