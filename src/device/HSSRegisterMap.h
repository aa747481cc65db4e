#pragma once
// Register addresses of both chip families. The named constants are the
// map; registerAddress() and registerAt() answer it by family and channel.

#include <array>
#include <cstdint>
#include <optional>

#include "device/HSSDeviceFamily.h"

// Registers by name. The per-channel ones (CH_FAULT .. I2T_CONFIG_CH) take a
// channel index: 0 for channel 1, 1 for channel 2.
enum class HSSRegister : uint8_t {
    DEVID,
    CRC_CONFIG,
    SLEEP,
    LPM,
    DEV_FAULT,
    FAULT_MASK,
    ABIST_RESULT,
    SW_STATE,
    SAFETY_TEST,
    DEV_CONFIG,
    ADC_CONFIG,
    CH_FAULT,
    PWM_CH,
    ILIM_CONFIG_CH,
    CH_CONFIG,
    I2T_CONFIG_CH,
    EEPROM_PROG,
    TSNS_CAL_RESULT_CH1_REG,
    TSNS_CAL_RESULT_CH2_REG,
    CUST_REG_52_REG,
    CUST_REG_53_REG,
    CUST_REG_54_REG,
    CUST_REG_55_REG,
    CUST_REG_56_REG,
    CUST_REG_57_REG,
    TEST_MODE_KEY,
    TEST_CTRL,
    WAKE,
};

namespace hss {

// Channel 2's block of per-channel registers sits 9 addresses above channel 1's.
inline constexpr uint8_t kChannelStride = 9;
inline constexpr uint8_t kChannelCount = 2;

constexpr uint8_t channelAddress(uint8_t channel1Address, uint8_t channel)
{
    return static_cast<uint8_t>(channel1Address + kChannelStride * channel);
}

// 16-pin family.
namespace reg16 {
inline constexpr uint8_t DEVID = 0x00;
inline constexpr uint8_t CRC_CONFIG = 0x01;
inline constexpr uint8_t SLEEP = 0x02;
inline constexpr uint8_t LPM = 0x03;
inline constexpr uint8_t DEV_FAULT = 0x04;
inline constexpr uint8_t FAULT_MASK = 0x05;
inline constexpr uint8_t ABIST_RESULT = 0x06;
inline constexpr uint8_t SW_STATE = 0x07;
inline constexpr uint8_t SAFETY_TEST = 0x08;
inline constexpr uint8_t DEV_CONFIG = 0x09;
inline constexpr uint8_t ADC_CONFIG = 0x0A;
inline constexpr uint8_t CH1_FAULT = 0x0D;
inline constexpr uint8_t PWM_CH1 = 0x0E;
inline constexpr uint8_t ILIM_CONFIG_CH1 = 0x0F;
inline constexpr uint8_t CH1_CONFIG = 0x10;
inline constexpr uint8_t I2T_CONFIG_CH1 = 0x15;
inline constexpr uint8_t CH2_FAULT = channelAddress(CH1_FAULT, 1);
inline constexpr uint8_t PWM_CH2 = channelAddress(PWM_CH1, 1);
inline constexpr uint8_t ILIM_CONFIG_CH2 = channelAddress(ILIM_CONFIG_CH1, 1);
inline constexpr uint8_t CH2_CONFIG = channelAddress(CH1_CONFIG, 1);
inline constexpr uint8_t I2T_CONFIG_CH2 = channelAddress(I2T_CONFIG_CH1, 1);
inline constexpr uint8_t TEST_MODE_KEY = 0x71;
inline constexpr uint8_t TEST_CTRL = 0x75;
inline constexpr uint8_t WAKE = 0xFF;
}  // namespace reg16

// 18-pin family: every per-channel register is its 16-pin twin minus 1.
namespace reg18 {
inline constexpr uint8_t DEVID = 0x00;
inline constexpr uint8_t SLEEP = 0x01;
inline constexpr uint8_t LPM = 0x02;
inline constexpr uint8_t DEV_FAULT = 0x03;
inline constexpr uint8_t FAULT_MASK = 0x04;
inline constexpr uint8_t ABIST_RESULT = 0x05;
inline constexpr uint8_t SW_STATE = 0x06;
inline constexpr uint8_t DEV_CONFIG = 0x08;
inline constexpr uint8_t ADC_CONFIG = 0x09;
inline constexpr uint8_t CH1_FAULT = reg16::CH1_FAULT - 1;
inline constexpr uint8_t PWM_CH1 = reg16::PWM_CH1 - 1;
inline constexpr uint8_t ILIM_CONFIG_CH1 = reg16::ILIM_CONFIG_CH1 - 1;
inline constexpr uint8_t CH1_CONFIG = reg16::CH1_CONFIG - 1;
inline constexpr uint8_t I2T_CONFIG_CH1 = reg16::I2T_CONFIG_CH1 - 1;
inline constexpr uint8_t CH2_FAULT = channelAddress(CH1_FAULT, 1);
inline constexpr uint8_t PWM_CH2 = channelAddress(PWM_CH1, 1);
inline constexpr uint8_t ILIM_CONFIG_CH2 = channelAddress(ILIM_CONFIG_CH1, 1);
inline constexpr uint8_t CH2_CONFIG = channelAddress(CH1_CONFIG, 1);
inline constexpr uint8_t I2T_CONFIG_CH2 = channelAddress(I2T_CONFIG_CH1, 1);
inline constexpr uint8_t EEPROM_PROG = 0x3F;
inline constexpr uint8_t TSNS_CAL_RESULT_CH1_REG = 0x50;
inline constexpr uint8_t TSNS_CAL_RESULT_CH2_REG = 0x51;
inline constexpr uint8_t CUST_REG_52_REG = 0x52;
inline constexpr uint8_t CUST_REG_53_REG = 0x53;
inline constexpr uint8_t CUST_REG_54_REG = 0x54;
inline constexpr uint8_t CUST_REG_55_REG = 0x55;
inline constexpr uint8_t CUST_REG_56_REG = 0x56;
inline constexpr uint8_t CUST_REG_57_REG = 0x57;
inline constexpr uint8_t TEST_MODE_KEY = 0x71;
inline constexpr uint8_t TEST_CTRL = 0x75;
inline constexpr uint8_t WAKE = 0xFF;
}  // namespace reg18

// Value written to WAKE before an identification read and to leave sleep.
inline constexpr uint16_t kWakeValue = 0xFFFF;
// SLEEP value that sends a 16-pin chip to sleep.
inline constexpr uint16_t kSleepEnterValue = 0x0001;
// DEV_FAULT value that clears a limp-home fault.
inline constexpr uint16_t kLimpHomeClearValue = 0x0080;
// The chip's EEPROM program key, written in this order to EEPROM_PROG (18-pin).
inline constexpr std::array<uint16_t, 4> kEepromProgramKeys{0x3C69, 0xC68C, 0xDDE9, 0x4F6B};

// True for the registers that exist once per channel.
constexpr bool isPerChannel(HSSRegister reg)
{
    return reg == HSSRegister::CH_FAULT || reg == HSSRegister::PWM_CH || reg == HSSRegister::ILIM_CONFIG_CH ||
           reg == HSSRegister::CH_CONFIG || reg == HSSRegister::I2T_CONFIG_CH;
}

// Address of a register in a family; channel counts only for per-channel
// registers. Empty when the family has no such register, the family is
// HSS_FAMILY_NONE, or a per-channel register is asked for a channel above 1.
std::optional<uint8_t> registerAddress(hss_device_family_t family, HSSRegister reg, uint8_t channel = 0);

struct RegisterLocation {
    HSSRegister reg;
    uint8_t channel;  // 0 for registers that are not per channel
    bool operator==(const RegisterLocation&) const = default;
};

// The register at an address of a family; empty for unused addresses.
std::optional<RegisterLocation> registerAt(hss_device_family_t family, uint8_t address);

}  // namespace hss
