#pragma once
// The chip functions beside its configuration: the self-tests of the 16-pin
// safety parts (ABIST_RESULT, SAFETY_TEST), test mode (its key, TEST_CTRL and
// the registers it opens) and the registers of sleep entry.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "device/HSSDeviceFamily.h"
#include "device/RegisterFields.h"

namespace hss {

// One self-test as the "Safety" page shows it, in sub-tab order.
struct SelfTestRow {
    std::string_view tabTitle;
    RegisterField result;                   // ABIST_RESULT bit: 1 = fault
    std::optional<RegisterField> initiate;  // SAFETY_TEST bit; none for the OTP check
};

inline constexpr std::size_t kSelfTestCount = 6;
// "Current Sense" reports in ABIST_RESULT bit 5, "OTP CRC" in bit 4.
inline constexpr std::array<SelfTestRow, kSelfTestCount> kSelfTestRows{{
    {"Bandgap", field::ABIST_BANDGAP, field16::SAFETY_TEST_BANDGAP},
    {"ADC", field::ABIST_ADC, field16::SAFETY_TEST_ADC},
    {"FET Short (CH1)", field::ABIST_CH1_SHORT, field16::SAFETY_TEST_CH1_SHORT},
    {"FET Short (CH2)", field::ABIST_CH2_SHORT, field16::SAFETY_TEST_CH2_SHORT},
    {"Current Sense", field::ABIST_CURRENT, field16::SAFETY_TEST_CURRENT},
    {"OTP CRC", field::ABIST_OTP, std::nullopt},
}};

// A row whose shown result must change, and what it now shows.
struct SelfTestChange {
    std::size_t row;
    bool faulted;
};
// The rows of an ABIST_RESULT word that differ from what is shown; rows
// already showing their state are left alone, so a repeated result changes
// nothing.
std::vector<SelfTestChange> selfTestChanges(uint16_t abistResult, const std::array<bool, kSelfTestCount>& shownFaulted);

// Test mode: the chip's entry key, written in this order to TEST_MODE_KEY.
inline constexpr std::array<uint16_t, 4> kTestModeKeys{0x5EB3, 0x6B3B, 0xD5CD, 0x9C1E};
// Registers open in test mode besides TEST_CTRL.
inline constexpr std::array<uint8_t, 3> kTestControlRegisters{0x72, 0x73, 0x74};
inline constexpr std::array<uint8_t, 10> kTrimRegisters{0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B};
// Highest test index either selector offers.
inline constexpr uint16_t kTestIndexMax = 31;

// TEST_CTRL with its digital (bits 0-4) or analog (bits 8-12) test index
// replaced; the other bits are kept.
constexpr uint16_t withDigitalTest(uint16_t testCtl, uint16_t index)
{
    return field::TEST_DIGITAL_SELECT.set(testCtl, index);
}
constexpr uint16_t withAnalogTest(uint16_t testCtl, uint16_t index)
{
    return field::TEST_ANALOG_SELECT.set(testCtl, index);
}

// The registers sleep entry writes: SW_STATE cleared, then SLEEP set.
// Without a family the 16-pin addresses are used.
struct SleepRegisters {
    uint8_t swState;
    uint8_t sleep;
};
SleepRegisters sleepRegisters(hss_device_family_t family);

}  // namespace hss
