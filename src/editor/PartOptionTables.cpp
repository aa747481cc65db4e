#include "editor/PartOptionTables.h"

#include <array>
#include <charconv>

#include "device/RegisterFields.h"

namespace hss::options {
namespace {

using S = std::string_view;

constexpr std::array<double, 16> zvr2m08_i2ttripenum{8.8,   13.1,  26.3,  39.4,  52.5,  65.6,  78.8,  91.9,
                                                     109.4, 126.9, 144.4, 166.3, 192.5, 218.8, 262.5, 350.0};
constexpr std::array<S, 8> zvr2m08_nom_enum{"4.0", "5.0", "5.7", "6.5", "7.5", "9.0", "12.0", "15.0"};
constexpr std::array<S, 11> zvr2m08_inrush_enum{"10", "12.5", "15", "17.5", "20", "22.5",
                                                "25", "32.5", "40", "47.5", "55"};
constexpr std::array<S, 13> zvr2m08_inrush_cap_enum{"1.6", "2.0", "2.4", "2.8", "3.3", "3.6", "4.2",
                                                    "5.5", "6.8", "8.1", "9.5", "11.0", "12.0"};
constexpr std::array<S, 4> zvr2m08_ol_pu_enum{"26.5\u00B5A", "60\u00B5A", "127\u00B5A", "260\u00B5A"};
constexpr std::array<S, 4> zvr2m08_slew_enum{"0.25 rising", "0.34 rising", "0.45 rising", "0.55 rising"};
constexpr std::array<S, 4> zvr2m08_man_lpm_small_enum{"530mA", "700mA", "165mA", "350mA"};
constexpr std::array<S, 4> zvr2m08_man_swcl_enum{"19.55", "17.6", "16.05", "13.3"};
constexpr std::array<S, 4> zvr2m08_man_swtmr_enum{"0.2", "0.4", "1.0", "2.0"};
constexpr std::array<S, 4> zvr2m08_man_cooldown_enum{"Latch", "0.8", "2.0", "4.0"};

constexpr std::array<double, 16> zvr2m07_i2ttripenum{20.1,  30.0,  60.1,  90.4,  120.4, 150.6, 180.7, 210.9,
                                                     250.2, 290.0, 330.5, 380.7, 440.0, 500.8, 600.9, 801.2};
constexpr std::array<double, 16> zvr2m07_i2ttrip_dec_enum = zvr2m08_i2ttripenum;
constexpr std::array<S, 4> zvr2m07_ol_pu_enum{"32\u00B5A", "64\u00B5A", "128\u00B5A", "256\u00B5A"};
constexpr std::array<S, 4> zvr2m07_man_lpm_small_enum{"530mA", "700mA", "165mA", "350mA"};
constexpr std::array<S, 4> zvr2m07_man_lpm_large_enum{"2.5A", "3.25A", "0.835A", "1.675A"};
constexpr std::array<S, 4> zvr2m07_man_swtmr_enum{"0.06", "0.4", "1.0", "2.0"};

constexpr std::array<double, 16> zvr2m05_i2ttripenum{39,  59,  118, 177, 236, 295, 354,  413,
                                                     492, 570, 649, 747, 865, 983, 1180, 1573};
constexpr std::array<double, 16> zvr2m05_i2ttrip_dec_enum{17,  26,  52,  77,  103, 129, 155, 181,
                                                          215, 249, 284, 327, 378, 430, 516, 688};
constexpr std::array<S, 8> zvr2m05_nom_enum{"5.6", "7.0", "8.0", "9.0", "10.5", "12.6", "16.8", "21.0"};
constexpr std::array<S, 13> zvr2m05_inrush_enum{"10", "12.5", "15", "17.5", "20", "22.5", "25",
                                                "32.5", "40", "47.5", "55", "62.5", "70"};
constexpr std::array<S, 4> zvr2m05_slew_enum{"0.25 rising", "0.34 rising", "0.24 rising", "0.33 rising"};
constexpr std::array<S, 4> zvr2m05_man_lpm_small_enum{"850mA", "1.1A", "290mA", "570mA"};
constexpr std::array<S, 4> zvr2m05_man_lpm_large_enum{"4.1A", "5.5A", "1.4A", "2.5A"};
constexpr std::array<S, 4> zvr2m05_man_swcl_enum{"27.3", "24.6", "22.4", "18.6"};

}  // namespace

constinit const PartOptionTables zvr2m08Tables{
    "zvr2m08_",
    HSS_FAMILY_16PWP,
    zvr2m08_i2ttripenum,
    {},
    zvr2m08_nom_enum,
    zvr2m08_inrush_enum,
    zvr2m08_inrush_cap_enum,
    zvr2m08_ol_pu_enum,
    zvr2m08_slew_enum,
    zvr2m08_man_lpm_small_enum,
    {},
    zvr2m08_man_swcl_enum,
    zvr2m08_man_swtmr_enum,
    zvr2m08_man_cooldown_enum,
};

constinit const PartOptionTables zvr2m07Tables{
    "zvr2m07_",
    HSS_FAMILY_18PWP,
    zvr2m07_i2ttripenum,
    zvr2m07_i2ttrip_dec_enum,
    zvr2m08_nom_enum,
    zvr2m08_inrush_enum,
    zvr2m08_inrush_cap_enum,
    zvr2m07_ol_pu_enum,
    zvr2m08_slew_enum,
    zvr2m07_man_lpm_small_enum,
    zvr2m07_man_lpm_large_enum,
    zvr2m08_man_swcl_enum,
    zvr2m07_man_swtmr_enum,
    zvr2m08_man_cooldown_enum,
};

constinit const PartOptionTables zvr2m05Tables{
    "zvr2m05_",
    HSS_FAMILY_18PWP,
    zvr2m05_i2ttripenum,
    zvr2m05_i2ttrip_dec_enum,
    zvr2m05_nom_enum,
    zvr2m05_inrush_enum,
    zvr2m08_inrush_cap_enum,
    zvr2m07_ol_pu_enum,
    zvr2m05_slew_enum,
    zvr2m05_man_lpm_small_enum,
    zvr2m05_man_lpm_large_enum,
    zvr2m05_man_swcl_enum,
    zvr2m07_man_swtmr_enum,
    zvr2m08_man_cooldown_enum,
};

const PartOptionTables* optionTablesForDevice(uint16_t devId)
{
    if (devId == 0xFF00 || devId == 0xFF01)
        return &zvr2m05Tables;
    if (devId == 0xFF04 || devId == 0xFF05)
        return &zvr2m07Tables;
    if (devId >= 0xFFF0 && devId <= 0xFFF7)
        return &zvr2m08Tables;
    return nullptr;
}

std::span<const double> i2tTripTable(const PartOptionTables& tables, std::optional<uint16_t> channelI2TConfig)
{
    if (tables.i2ttrip_dec_enum.empty())
        return tables.i2ttripenum;
    if (channelI2TConfig && hss::field18::DECREMENT_MODE.isOn(*channelI2TConfig))
        return tables.i2ttripenum;
    return tables.i2ttrip_dec_enum;
}

std::span<const std::string_view> lpmThresholdTable(const PartOptionTables& tables, bool largeFet)
{
    if (largeFet && !tables.man_lpm_large_enum.empty())
        return tables.man_lpm_large_enum;
    return tables.man_lpm_small_enum;
}

std::string formatTripValue(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string formatTripLabel(double value) { return formatTripValue(value) + " A2s"; }

}  // namespace hss::options
