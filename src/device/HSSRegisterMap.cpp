#include "device/HSSRegisterMap.h"

namespace hss {
namespace {

struct MapEntry {
    HSSRegister reg;
    uint8_t address;  // channel 1's address for per-channel registers
};

constexpr std::array kMap16{
    MapEntry{HSSRegister::DEVID, reg16::DEVID},
    MapEntry{HSSRegister::CRC_CONFIG, reg16::CRC_CONFIG},
    MapEntry{HSSRegister::SLEEP, reg16::SLEEP},
    MapEntry{HSSRegister::LPM, reg16::LPM},
    MapEntry{HSSRegister::DEV_FAULT, reg16::DEV_FAULT},
    MapEntry{HSSRegister::FAULT_MASK, reg16::FAULT_MASK},
    MapEntry{HSSRegister::ABIST_RESULT, reg16::ABIST_RESULT},
    MapEntry{HSSRegister::SW_STATE, reg16::SW_STATE},
    MapEntry{HSSRegister::SAFETY_TEST, reg16::SAFETY_TEST},
    MapEntry{HSSRegister::DEV_CONFIG, reg16::DEV_CONFIG},
    MapEntry{HSSRegister::ADC_CONFIG, reg16::ADC_CONFIG},
    MapEntry{HSSRegister::CH_FAULT, reg16::CH1_FAULT},
    MapEntry{HSSRegister::PWM_CH, reg16::PWM_CH1},
    MapEntry{HSSRegister::ILIM_CONFIG_CH, reg16::ILIM_CONFIG_CH1},
    MapEntry{HSSRegister::CH_CONFIG, reg16::CH1_CONFIG},
    MapEntry{HSSRegister::I2T_CONFIG_CH, reg16::I2T_CONFIG_CH1},
    MapEntry{HSSRegister::TEST_MODE_KEY, reg16::TEST_MODE_KEY},
    MapEntry{HSSRegister::TEST_CTRL, reg16::TEST_CTRL},
    MapEntry{HSSRegister::WAKE, reg16::WAKE},
};

constexpr std::array kMap18{
    MapEntry{HSSRegister::DEVID, reg18::DEVID},
    MapEntry{HSSRegister::SLEEP, reg18::SLEEP},
    MapEntry{HSSRegister::LPM, reg18::LPM},
    MapEntry{HSSRegister::DEV_FAULT, reg18::DEV_FAULT},
    MapEntry{HSSRegister::FAULT_MASK, reg18::FAULT_MASK},
    MapEntry{HSSRegister::ABIST_RESULT, reg18::ABIST_RESULT},
    MapEntry{HSSRegister::SW_STATE, reg18::SW_STATE},
    MapEntry{HSSRegister::DEV_CONFIG, reg18::DEV_CONFIG},
    MapEntry{HSSRegister::ADC_CONFIG, reg18::ADC_CONFIG},
    MapEntry{HSSRegister::CH_FAULT, reg18::CH1_FAULT},
    MapEntry{HSSRegister::PWM_CH, reg18::PWM_CH1},
    MapEntry{HSSRegister::ILIM_CONFIG_CH, reg18::ILIM_CONFIG_CH1},
    MapEntry{HSSRegister::CH_CONFIG, reg18::CH1_CONFIG},
    MapEntry{HSSRegister::I2T_CONFIG_CH, reg18::I2T_CONFIG_CH1},
    MapEntry{HSSRegister::EEPROM_PROG, reg18::EEPROM_PROG},
    MapEntry{HSSRegister::TSNS_CAL_RESULT_CH1_REG, reg18::TSNS_CAL_RESULT_CH1_REG},
    MapEntry{HSSRegister::TSNS_CAL_RESULT_CH2_REG, reg18::TSNS_CAL_RESULT_CH2_REG},
    MapEntry{HSSRegister::CUST_REG_52_REG, reg18::CUST_REG_52_REG},
    MapEntry{HSSRegister::CUST_REG_53_REG, reg18::CUST_REG_53_REG},
    MapEntry{HSSRegister::CUST_REG_54_REG, reg18::CUST_REG_54_REG},
    MapEntry{HSSRegister::CUST_REG_55_REG, reg18::CUST_REG_55_REG},
    MapEntry{HSSRegister::CUST_REG_56_REG, reg18::CUST_REG_56_REG},
    MapEntry{HSSRegister::CUST_REG_57_REG, reg18::CUST_REG_57_REG},
    MapEntry{HSSRegister::TEST_MODE_KEY, reg18::TEST_MODE_KEY},
    MapEntry{HSSRegister::TEST_CTRL, reg18::TEST_CTRL},
    MapEntry{HSSRegister::WAKE, reg18::WAKE},
};

template <typename Map>
std::optional<uint8_t> lookUp(const Map& map, HSSRegister reg, uint8_t channel)
{
    for (const MapEntry& entry : map) {
        if (entry.reg != reg)
            continue;
        if (!isPerChannel(reg))
            return entry.address;
        if (channel >= kChannelCount)
            return std::nullopt;
        return channelAddress(entry.address, channel);
    }
    return std::nullopt;
}

template <typename Map>
std::optional<RegisterLocation> reverseLookUp(const Map& map, uint8_t address)
{
    for (const MapEntry& entry : map) {
        if (!isPerChannel(entry.reg)) {
            if (entry.address == address)
                return RegisterLocation{entry.reg, 0};
            continue;
        }
        for (uint8_t channel = 0; channel < kChannelCount; ++channel) {
            if (channelAddress(entry.address, channel) == address)
                return RegisterLocation{entry.reg, channel};
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<uint8_t> registerAddress(hss_device_family_t family, HSSRegister reg, uint8_t channel)
{
    switch (family) {
    case HSS_FAMILY_16PWP:
        return lookUp(kMap16, reg, channel);
    case HSS_FAMILY_18PWP:
        return lookUp(kMap18, reg, channel);
    case HSS_FAMILY_NONE:
        break;
    }
    return std::nullopt;
}

std::optional<RegisterLocation> registerAt(hss_device_family_t family, uint8_t address)
{
    switch (family) {
    case HSS_FAMILY_16PWP:
        return reverseLookUp(kMap16, address);
    case HSS_FAMILY_18PWP:
        return reverseLookUp(kMap18, address);
    case HSS_FAMILY_NONE:
        break;
    }
    return std::nullopt;
}

}  // namespace hss
