#include "emulator/ChipParts.h"

#include <algorithm>

namespace {

constexpr std::array<double, 4> kLpm08Small{0.53, 0.70, 0.165, 0.35};
constexpr std::array<double, 4> kLpm07Large{2.5, 3.25, 0.835, 1.675};
constexpr std::array<double, 4> kLpm05Small{0.85, 1.1, 0.29, 0.57};
constexpr std::array<double, 4> kLpm05Large{4.1, 5.5, 1.4, 2.5};

constexpr ChipPart part05(uint16_t devid, std::string_view name) {
    return {devid, name, ChipFamily::Pin18, false, 7000.0, 1000.0, 0.005, kLpm05Small, kLpm05Large};
}
constexpr ChipPart part07(uint16_t devid, std::string_view name) {
    return {devid, name, ChipFamily::Pin18, false, 5000.0, 1200.0, 0.007, kLpm08Small, kLpm07Large};
}
constexpr ChipPart part16(uint16_t devid, std::string_view name, bool safety, double rdson) {
    return {devid, name, ChipFamily::Pin16, safety, 5000.0, 1200.0, rdson, kLpm08Small, kLpm08Small};
}

constexpr uint16_t kPrototypeCode = 0xFFFF;

constexpr std::array kParts{
    part05(0xFF00, "ZVR2M05A-K1"),
    part05(0xFF01, "ZVR2M05B-K1"),
    part07(0xFF04, "ZVR2M07A-K1"),
    part07(0xFF05, "ZVR2M07B-K1"),
    part16(0xFFF0, "ZVR2M08A-K1", false, 0.0083),
    part16(0xFFF1, "ZVR2M08B-K1", false, 0.0083),
    part16(0xFFF2, "ZVR2M08AF-K1", true, 0.0083),
    part16(0xFFF3, "ZVR2M08BF-K1", true, 0.0083),
    part16(0xFFF4, "ZVR2M10A-K1", false, 0.011),
    part16(0xFFF5, "ZVR2M10B-K1", false, 0.011),
    part16(0xFFF6, "ZVR2M10AF-K1", true, 0.011),
    part16(0xFFF7, "ZVR2M10BF-K1", true, 0.011),
    part16(0xFFF8, "ZVR2M20A-K1", false, 0.020),
    part16(0xFFF9, "ZVR2M20B-K1", false, 0.020),
    part16(0xFFFA, "ZVR2M20AF-K1", true, 0.020),
    part16(0xFFFB, "ZVR2M20BF-K1", true, 0.020),
    part16(kPrototypeCode, "ZVR2M10-K1 PROTOTYPE", false, 0.011),
};

}  // namespace

std::span<const ChipPart> knownChipParts() { return kParts; }

std::optional<ChipPart> findChipPart(uint16_t devid) {
    auto it = std::find_if(kParts.begin(), kParts.end(),
                           [devid](const ChipPart& p) { return p.devid == devid; });
    if (it == kParts.end()) return std::nullopt;
    return *it;
}

std::optional<ChipPart> findChipPartByName(std::string_view name) {
    auto it = std::find_if(kParts.begin(), kParts.end(),
                           [name](const ChipPart& p) { return p.name == name; });
    if (it == kParts.end()) return std::nullopt;
    return *it;
}

ChipPart chipPartForCode(uint16_t devid) {
    if (auto part = findChipPart(devid)) return *part;
    ChipPart unlisted = part16(devid, "unlisted part", false, 0.011);
    return unlisted;
}
