#pragma once
// Where each register sits in the two package families. The two maps hold
// the same registers at different addresses; a few exist in one family only.

#include <array>
#include <cstdint>
#include <optional>

#include "emulator/ChipParts.h"

struct ChannelRegisters {
    uint8_t fault;
    uint8_t pwm;
    uint8_t currentLimit;  // ILIM_CONFIG_CHx
    uint8_t config;        // CHx_CONFIG
    uint8_t i2t;
    // ADC result registers.
    uint8_t currentResult;
    uint8_t temperatureResult;
    uint8_t outputVoltageResult;
    uint8_t vdsResult;
};

struct ChipRegisterMap {
    static constexpr uint8_t kDevId = 0x00;
    static constexpr uint8_t kTestModeKey = 0x71;
    static constexpr uint8_t kTestControl = 0x75;
    static constexpr uint8_t kWake = 0xFF;
    // Open only in test mode: the test control registers after TEST_MODE_KEY
    // and the factory trim registers.
    static constexpr uint8_t kTestRegisterFirst = 0x72;
    static constexpr uint8_t kTestRegisterLast = 0x74;
    static constexpr uint8_t kTrimFirst = 0x42;
    static constexpr uint8_t kTrimLast = 0x4B;
    static constexpr bool isTestModeRegister(uint8_t address) {
        return (address >= kTestRegisterFirst && address <= kTestRegisterLast) ||
               (address >= kTrimFirst && address <= kTrimLast);
    }

    std::optional<uint8_t> crcConfig;   // 16-pin only
    uint8_t sleep;
    uint8_t lpm;
    uint8_t devFault;
    uint8_t faultMask;
    uint8_t abistResult;
    uint8_t swState;
    std::optional<uint8_t> safetyTest;  // 16-pin only
    uint8_t devConfig;
    uint8_t adcConfig;
    uint8_t supplyResult;               // VBB ADC result
    std::array<ChannelRegisters, 2> channels;
    std::optional<uint8_t> eepromProgram;  // 18-pin only
    // Calibration and user registers (18-pin only): first..last inclusive.
    std::optional<uint8_t> userFirst;
    std::optional<uint8_t> userLast;

    bool isUserRegister(uint8_t address) const;
    // Configuration registers the host may write and read back as written.
    bool isConfigurationRegister(uint8_t address) const;
    // Any register the family answers at all.
    bool isMapped(uint8_t address) const;
};

const ChipRegisterMap& registerMapFor(ChipFamily family);
