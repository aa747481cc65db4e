#include "measure/SenseSources.h"

#include "device/HSSRegisterMap.h"
#include "device/RegisterFields.h"
#include "device/ZVRxQxx16PINConfiguration.h"

namespace hss::measure {

std::optional<SenseRegisters> senseRegisters(hss_device_family_t family, int quantityIndex)
{
    // Load current, output voltage, VDS, junction temperature.
    static constexpr std::array<SenseRegisters, 4> pin16{{
        {0x11, 0x1A, 0x0B},
        {0x13, 0x1C, 0x0B},
        {0x14, 0x1D, 0x0B},
        {0x12, 0x1B, 0x0B},
    }};
    static constexpr std::array<SenseRegisters, 4> pin18{{
        {0x10, 0x19, 0x0A},
        {0x12, 0x1B, 0x0A},
        {0x13, 0x1C, 0x0A},
        {0x11, 0x1A, 0x0A},
    }};
    if (quantityIndex < 0 || quantityIndex >= static_cast<int>(pin16.size()))
        return std::nullopt;
    const auto i = static_cast<std::size_t>(quantityIndex);
    switch (family) {
    case HSS_FAMILY_16PWP:
        return pin16[i];
    case HSS_FAMILY_18PWP:
        return pin18[i];
    default:
        return std::nullopt;
    }
}

uint16_t adcConfigForSensing(uint16_t adcConfig)
{
    using namespace hss::field;
    for (const RegisterField& f : {ADC_ENABLE, ADC_VBB_SAMPLING, ADC_CURRENT_SAMPLING, ADC_TEMPERATURE_SAMPLING,
                                   ADC_VOUT_SAMPLING, ADC_VDS_SAMPLING})
        adcConfig = f.setOn(adcConfig, true);
    return adcConfig;
}

uint16_t chanDiagConfigForSensing(uint16_t chanDiagConfig)
{
    using namespace hss::field;
    for (const RegisterField& f : {CH_CURRENT_ADC, CH_VDS_ADC, CH_VOUT_ADC})
        chanDiagConfig = f.setOn(chanDiagConfig, true);
    return chanDiagConfig;
}

std::array<SenseWrite, 3> sensingOnWrites(hss_device_family_t family, ZVRxQxx16PINConfiguration& record)
{
    // The chip's ADC, all of its sources and each channel's sampling on,
    // before the board takes its first sample.
    record.setADCConfig(adcConfigForSensing(record.getADCConfig()));
    std::array<SenseWrite, 3> writes{};
    writes[0] = {registerAddress(family, HSSRegister::ADC_CONFIG).value_or(0), record.getADCConfig()};
    for (uint8_t channel = 0; channel < 2; ++channel) {
        record.setChanDiagConfig(chanDiagConfigForSensing(record.getChanDiagConfig(channel)), channel);
        writes[channel + 1u] = {registerAddress(family, HSSRegister::CH_CONFIG, channel).value_or(0),
                                record.getChanDiagConfig(channel)};
    }
    return writes;
}

std::string channelMaskText(uint8_t mask)
{
    std::string digits(8, '0');
    for (int bit = 0; bit < 8; ++bit)
        if ((static_cast<unsigned>(mask) >> bit) & 1u)
            digits[static_cast<std::size_t>(7 - bit)] = '1';
    return digits;
}

}  // namespace hss::measure
