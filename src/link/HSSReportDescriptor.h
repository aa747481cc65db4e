#pragma once
// Reads a HID report descriptor far enough to know its report lengths, the
// way a HID stack states them as capabilities: the longest report of each
// kind in bytes, with one byte for the report ID counted even when the
// device uses no report IDs.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct HSSReportDescriptorInfo {
    uint32_t inputReportLength = 0;    // 0: no report of this kind
    uint32_t outputReportLength = 0;
    uint32_t featureReportLength = 0;
    bool usesReportIds = false;
    // Usage page and usage of the first top-level collection (0 if none).
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

// nullopt when the descriptor is malformed (truncated item, Pop without
// Push, report ID 0, unbalanced collections, absurd report sizes).
std::optional<HSSReportDescriptorInfo> parseReportDescriptor(const uint8_t* data, std::size_t length);

inline std::optional<HSSReportDescriptorInfo> parseReportDescriptor(const std::vector<uint8_t>& bytes) {
    return parseReportDescriptor(bytes.data(), bytes.size());
}
