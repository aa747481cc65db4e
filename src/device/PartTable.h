#pragma once
// The switch parts the tool knows, by the code in their DEVID register.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "device/HSSDeviceFamily.h"

struct HSSSenseRatio {
    float ratio;
    float scale;
};

struct HSSPartInfo {
    uint16_t devId;
    std::string_view name;          // UTF-8
    hss_device_family_t family;     // HSS_FAMILY_NONE only for the prototype row
    bool isPrototype;               // identifies silicon the tool refuses to drive
    bool isSafetyDevice;            // functional-safety (F) variant
    std::optional<HSSSenseRatio> senseRatio;  // empty: identification keeps the record's
    std::string_view description;   // UTF-8, shown verbatim (double blanks included)
};

namespace hss {

inline constexpr uint16_t kPrototypeDevId = 0xFFFF;

// Every row, in DEVID order.
std::span<const HSSPartInfo> partTable();

// The row of a code, or nullptr for a code that identifies nothing.
const HSSPartInfo* findPartByDevID(uint16_t devId);

}  // namespace hss
