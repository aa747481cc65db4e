#include "emulator/ChipRegisterMap.h"

namespace {

// Channel 2 sits 9 addresses above channel 1; the 18-pin block is the
// 16-pin block moved down by one.
constexpr ChannelRegisters channelBlock(uint8_t faultAddress) {
    const auto at = [faultAddress](int offset) { return static_cast<uint8_t>(faultAddress + offset); };
    return {at(0), at(1), at(2), at(3), at(8), at(4), at(5), at(6), at(7)};
}

const ChipRegisterMap kPin16Map{
    .crcConfig = 0x01,
    .sleep = 0x02,
    .lpm = 0x03,
    .devFault = 0x04,
    .faultMask = 0x05,
    .abistResult = 0x06,
    .swState = 0x07,
    .safetyTest = 0x08,
    .devConfig = 0x09,
    .adcConfig = 0x0A,
    .supplyResult = 0x0B,
    .channels = {channelBlock(0x0D), channelBlock(0x16)},
    .eepromProgram = std::nullopt,
    .userFirst = std::nullopt,
    .userLast = std::nullopt,
};

const ChipRegisterMap kPin18Map{
    .crcConfig = std::nullopt,
    .sleep = 0x01,
    .lpm = 0x02,
    .devFault = 0x03,
    .faultMask = 0x04,
    .abistResult = 0x05,
    .swState = 0x06,
    .safetyTest = std::nullopt,
    .devConfig = 0x08,
    .adcConfig = 0x09,
    .supplyResult = 0x0A,
    .channels = {channelBlock(0x0C), channelBlock(0x15)},
    .eepromProgram = 0x3F,
    .userFirst = 0x50,
    .userLast = 0x57,
};

}  // namespace

bool ChipRegisterMap::isUserRegister(uint8_t address) const {
    return userFirst && userLast && address >= *userFirst && address <= *userLast;
}

bool ChipRegisterMap::isConfigurationRegister(uint8_t address) const {
    if (address == lpm || address == faultMask || address == swState ||
        address == devConfig || address == adcConfig)
        return true;
    if ((crcConfig && address == *crcConfig) || (safetyTest && address == *safetyTest)) return true;
    for (const ChannelRegisters& ch : channels) {
        if (address == ch.pwm || address == ch.currentLimit || address == ch.config || address == ch.i2t)
            return true;
    }
    return isUserRegister(address);
}

bool ChipRegisterMap::isMapped(uint8_t address) const {
    if (isConfigurationRegister(address)) return true;
    if (isTestModeRegister(address)) return true;
    if (address == kDevId || address == kTestModeKey || address == kTestControl || address == kWake ||
        address == sleep || address == devFault || address == abistResult || address == supplyResult)
        return true;
    if (eepromProgram && address == *eepromProgram) return true;
    for (const ChannelRegisters& ch : channels) {
        if (address == ch.fault || address == ch.currentResult || address == ch.temperatureResult ||
            address == ch.outputVoltageResult || address == ch.vdsResult)
            return true;
    }
    return false;
}

const ChipRegisterMap& registerMapFor(ChipFamily family) {
    return family == ChipFamily::Pin16 ? kPin16Map : kPin18Map;
}
