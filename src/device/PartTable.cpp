#include "device/PartTable.h"

#include <array>

namespace hss {
namespace {

constexpr std::string_view kD05 =
    "ZVR2M05-K1 5m\u03A9, Automotive Dual-Channel, SPI Controller  with Integrated I2t Wire Protection and Low "
    "Power Mode";
constexpr std::string_view kD07 =
    "ZVR2M07-K1 7m\u03A9, Automotive Dual-Channel, SPI Controller  with Integrated I2t Wire Protection and Low "
    "Power Mode";
constexpr std::string_view kD08 =
    "ZVR2M08-K1 8.3m\u03A9, Automotive Dual-Channel,  SPI Controlled High-Side Switch with Integrated I2t Wire "
    "Protection and low power mode";
constexpr std::string_view kD10 =
    "ZVR2M10-K1 11m\u03A9, Automotive Dual-Channel,  SPI Controlled High-Side Switch with Integrated I2t Wire "
    "Protection and low power mode";
constexpr std::string_view kD20 =
    "ZVR2M20-K1 20m\u03A9, Automotive Dual-Channel,  SPI Controlled High-Side Switch with Integrated I2t Wire "
    "Protection and low power mode";
constexpr std::string_view kPrototypeDescription = "Prototype silicon not supported.";

constexpr HSSSenseRatio kRatio05{7000.0f, 1000.0f};
constexpr HSSSenseRatio kRatio07{5000.0f, 1200.0f};
constexpr HSSSenseRatio kRatio08{5000.0f, 1200.0f};
constexpr std::optional<HSSSenseRatio> kKept{};

constexpr auto F16 = HSS_FAMILY_16PWP;
constexpr auto F18 = HSS_FAMILY_18PWP;

constexpr std::array kParts{
    HSSPartInfo{0xFF00, "ZVR2M05A-K1", F18, false, false, kRatio05, kD05},
    HSSPartInfo{0xFF01, "ZVR2M05B-K1", F18, false, false, kRatio05, kD05},
    HSSPartInfo{0xFF04, "ZVR2M07A-K1", F18, false, false, kRatio07, kD07},
    HSSPartInfo{0xFF05, "ZVR2M07B-K1", F18, false, false, kRatio07, kD07},
    HSSPartInfo{0xFFF0, "ZVR2M08A-K1", F16, false, false, kRatio08, kD08},
    HSSPartInfo{0xFFF1, "ZVR2M08B-K1", F16, false, false, kRatio08, kD08},
    HSSPartInfo{0xFFF2, "ZVR2M08AF-K1", F16, false, true, kRatio08, kD08},
    HSSPartInfo{0xFFF3, "ZVR2M08BF-K1", F16, false, true, kRatio08, kD08},
    HSSPartInfo{0xFFF4, "ZVR2M10A-K1", F16, false, false, kKept, kD10},
    HSSPartInfo{0xFFF5, "ZVR2M10B-K1", F16, false, false, kKept, kD10},
    HSSPartInfo{0xFFF6, "ZVR2M10AF-K1", F16, false, true, kKept, kD10},
    HSSPartInfo{0xFFF7, "ZVR2M10BF-K1", F16, false, true, kKept, kD10},
    HSSPartInfo{0xFFF8, "ZVR2M20A-K1", F16, false, false, kKept, kD20},
    HSSPartInfo{0xFFF9, "ZVR2M20B-K1", F16, false, false, kKept, kD20},
    HSSPartInfo{0xFFFA, "ZVR2M20AF-K1", F16, false, true, kKept, kD20},
    HSSPartInfo{0xFFFB, "ZVR2M20BF-K1", F16, false, true, kKept, kD20},
    HSSPartInfo{kPrototypeDevId, "ZVR2M10-K1 PROTOTYPE", HSS_FAMILY_NONE, true, false, kKept,
                kPrototypeDescription},
};

}  // namespace

std::span<const HSSPartInfo> partTable() { return kParts; }

const HSSPartInfo* findPartByDevID(uint16_t devId)
{
    for (const HSSPartInfo& part : kParts) {
        if (part.devId == devId)
            return &part;
    }
    return nullptr;
}

}  // namespace hss
