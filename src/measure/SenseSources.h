#pragma once
// What the live monitor can graph, and which ADC result registers the
// carrier board samples for it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/HSSDeviceFamily.h"

class ZVRxQxx16PINConfiguration;

namespace hss::measure {

// One item of senseSourceSelBox; its index is the conversion code.
struct SenseQuantity {
    std::string_view itemText;    // also the chart title
    uint8_t format;               // ADCFormat
    std::string_view unit;        // appended to shown values (UTF-8)
    std::string_view axisTitle;   // value-axis title (UTF-8)
    std::string_view logMessage;  // logged when the user picks it
    std::string_view columnName;  // in CSV headers: "ch1 load current (A)"
};

inline constexpr std::array<SenseQuantity, 4> senseQuantities{{
    {"Load Current", 0, "A", "Load Current(A)", "Sensing source changed to load current", "load current"},
    {"Output Voltage", 1, "V", "Output Voltage(V)", "Sensing source changed to output voltage", "output voltage"},
    {"VDS Voltage", 2, "V", "VDS Voltage(V)", "Sensing source changed to VDS voltage", "VDS voltage"},
    {"Junction Temperature", 3, "\u00B0C", "Junction Temperature(\u00B0C)",
     "Sensing source changed to junction temperature", "junction temperature"},
}};

// The three registers handed to the sense configuration, in this order.
struct SenseRegisters {
    uint8_t channel1Result;
    uint8_t channel2Result;
    uint8_t supplyResult;
    std::array<uint8_t, 3> inOrder() const { return {channel1Result, channel2Result, supplyResult}; }
    bool operator==(const SenseRegisters&) const = default;
};

// The result registers of a quantity (senseSourceSelBox index) in a family;
// empty with no family or an index outside the list.
std::optional<SenseRegisters> senseRegisters(hss_device_family_t family, int quantityIndex);

// Sample interval of the board's sense engine while graphing, in ms; 0 stops it.
inline constexpr uint8_t kSenseIntervalMs = 50;

// ADC_CONFIG and CHx_CONFIG as sampling needs them: the device ADC, every
// ADC source, and the channel's load-current, VDS and VOUT sampling on
// (those enables are on when their bit is clear).
uint16_t adcConfigForSensing(uint16_t adcConfig);
uint16_t chanDiagConfigForSensing(uint16_t chanDiagConfig);

// The register writes that turn sampling on, ADC_CONFIG then CH1_CONFIG and
// CH2_CONFIG, as (address, value); the record takes the new values first.
struct SenseWrite {
    uint8_t address;
    uint16_t value;
};
std::array<SenseWrite, 3> sensingOnWrites(hss_device_family_t family, ZVRxQxx16PINConfiguration& record);

// The graphed-channel mask as eight binary digits, most significant first.
std::string channelMaskText(uint8_t mask);

}  // namespace hss::measure
