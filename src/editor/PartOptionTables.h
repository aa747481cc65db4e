#pragma once
// Per-part option tables: the choices behind the part-dependent lists. The
// selected index of a list is the raw register field value, so the order
// of every table is its encoding (non-monotonic orders included).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/HSSDeviceFamily.h"

namespace hss::options {

struct PartOptionTables {
    std::string_view prefix;            // "zvr2m08_", "zvr2m07_", "zvr2m05_"
    hss_device_family_t family;
    std::span<const double> i2ttripenum;        // A²s
    std::span<const double> i2ttrip_dec_enum;   // A²s; empty for zvr2m08
    std::span<const std::string_view> nom_enum;
    std::span<const std::string_view> inrush_enum;
    std::span<const std::string_view> inrush_cap_enum;
    std::span<const std::string_view> ol_pu_enum;
    std::span<const std::string_view> slew_enum;
    std::span<const std::string_view> man_lpm_small_enum;
    std::span<const std::string_view> man_lpm_large_enum;  // empty for zvr2m08
    std::span<const std::string_view> man_swcl_enum;
    std::span<const std::string_view> man_swtmr_enum;
    std::span<const std::string_view> man_cooldown_enum;
};

extern const PartOptionTables zvr2m08Tables;  // 16-pin ZVR2M08 and ZVR2M10
extern const PartOptionTables zvr2m07Tables;  // 18-pin ZVR2M07
extern const PartOptionTables zvr2m05Tables;  // 18-pin ZVR2M05

// The table set of a DEVID code: 0xFF00/0xFF01 zvr2m05, 0xFF04/0xFF05 zvr2m07,
// 0xFFF0..0xFFF7 zvr2m08; nullptr for every other code (the lists then keep
// what they hold).
const PartOptionTables* optionTablesForDevice(uint16_t devId);

// The trip table in force for a channel. 18-pin sets: the plain table when
// the channel's I2T_CONFIG has the decrementer bit (13) set, otherwise the
// decrementer table; an unknown channel (empty) also gets the decrementer
// table. Sets without a decrementer table always give the plain one.
std::span<const double> i2tTripTable(const PartOptionTables& tables, std::optional<uint16_t> channelI2TConfig);

// The LPM threshold table: the large-FET one when asked for and the set has
// one, otherwise the small-FET one.
std::span<const std::string_view> lpmThresholdTable(const PartOptionTables& tables, bool largeFet);

// Shortest decimal form of a trip value: 8.8 -> "8.8", 350.0 -> "350".
std::string formatTripValue(double value);
// The trip label text: "8.8 A2s".
std::string formatTripLabel(double value);

}  // namespace hss::options
