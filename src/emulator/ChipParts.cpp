#include "emulator/ChipParts.h"

#include <algorithm>

namespace {

constexpr std::array<double, 4> kLpm08Small{0.53, 0.70, 0.165, 0.35};
constexpr std::array<double, 4> kLpm07Large{2.5, 3.25, 0.835, 1.675};
constexpr std::array<double, 4> kLpm05Small{0.85, 1.1, 0.29, 0.57};
constexpr std::array<double, 4> kLpm05Large{4.1, 5.5, 1.4, 2.5};

// Wire protection. The 16-pin parts (all sizes) share the 08 numbers; the 07
// parts keep the 08 energies with the decrementer off and larger ones with it on.
constexpr std::array<double, 16> kTrip08{8.8,   13.1,  26.3,  39.4,  52.5,  65.6,  78.8,  91.9,
                                         109.4, 126.9, 144.4, 166.3, 192.5, 218.8, 262.5, 350.0};
constexpr std::array<double, 16> kTrip07DecrementerOn{20.1,  30.0,  60.1,  90.4,  120.4, 150.6, 180.7, 210.9,
                                                      250.2, 290.0, 330.5, 380.7, 440.0, 500.8, 600.9, 801.2};
constexpr std::array<double, 16> kTrip05{17, 26, 52, 77, 103, 129, 155, 181, 215, 249, 284, 327, 378, 430, 516, 688};
constexpr std::array<double, 16> kTrip05DecrementerOn{39,  59,  118, 177, 236, 295, 354,  413,
                                                      492, 570, 649, 747, 865, 983, 1180, 1573};
constexpr std::array<double, 8> kNominal08{4.0, 5.0, 5.7, 6.5, 7.5, 9.0, 12.0, 15.0};
constexpr std::array<double, 8> kNominal05{5.6, 7.0, 8.0, 9.0, 10.5, 12.6, 16.8, 21.0};
constexpr std::array<double, 4> kSoftwareLimit08{19.55, 17.6, 16.05, 13.3};
constexpr std::array<double, 4> kSoftwareLimit05{27.3, 24.6, 22.4, 18.6};
constexpr std::array<double, 4> kSoftwareDelay16Ms{0.2, 0.4, 1.0, 2.0};
constexpr std::array<double, 4> kSoftwareDelay18Ms{0.06, 0.4, 1.0, 2.0};

constexpr WireProtectionTables kProtection16{kNominal08, kTrip08, kTrip08, kSoftwareLimit08, kSoftwareDelay16Ms};
constexpr WireProtectionTables kProtection07{kNominal08, kTrip08, kTrip07DecrementerOn, kSoftwareLimit08,
                                             kSoftwareDelay18Ms};
constexpr WireProtectionTables kProtection05{kNominal05, kTrip05, kTrip05DecrementerOn, kSoftwareLimit05,
                                             kSoftwareDelay18Ms};

constexpr ChipPart part05(uint16_t devid, std::string_view name) {
    return {devid, name, ChipFamily::Pin18, false, 7000.0, 1000.0, 0.005, kLpm05Small, kLpm05Large, kProtection05};
}
constexpr ChipPart part07(uint16_t devid, std::string_view name) {
    return {devid, name, ChipFamily::Pin18, false, 5000.0, 1200.0, 0.007, kLpm08Small, kLpm07Large, kProtection07};
}
constexpr ChipPart part16(uint16_t devid, std::string_view name, bool safety, double rdson) {
    return {devid, name, ChipFamily::Pin16, safety, 5000.0, 1200.0, rdson, kLpm08Small, kLpm08Small, kProtection16};
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
