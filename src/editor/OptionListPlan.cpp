#include "editor/OptionListPlan.h"

#include <array>

#include "device/RegisterFields.h"
#include "editor/TwinNames.h"

namespace hss::options {
namespace {

using S = std::string_view;

enum class PartList { Nominal, Inrush, InrushCap, OlPullUp, Slew, LpmThreshold, Swcl, SwTimer, Cooldown };

constexpr std::array<S, 8> kNominalInitial{"4.0", "5.0", "5.7", "6.5", "7.5", "9.0", "12.0", "15.0"};
constexpr std::array<S, 8> kNominalAInitial{"4.0A", "5.0A", "5.7A", "6.5A", "7.5A", "9.0A", "12.0A", "15.0A"};
constexpr std::array<S, 13> kHwLimitInitial{"10", "12.5", "15", "17.5", "20", "22.5", "25",
                                            "32.5", "40", "47.5", "55", "62.5", "70"};
constexpr std::array<S, 13> kCurrentLimitInitial{"10A", "12.5A", "15A", "17.5A", "20A", "22.5A", "25A",
                                                 "32.5A", "40A", "47.5A", "55A", "62.5A", "70A"};
constexpr std::array<S, 16> kInrushValueInitial{"10A", "12.5A", "15A", "17.5A", "20A", "22.5A", "25A", "32.5A",
                                                "40A", "47.5A", "55A", "62.5A", "70A", "77.5A", "85A", "92.5A"};
constexpr std::array<S, 16> kChargeLevelInitial{"2A",  "2.5A", "3A",  "3.5A",  "4A",  "4.5A",  "5A",  "6.5A",
                                                "8A",  "9.5A", "11A", "12.5A", "14A", "15.5A", "17A", "18.5A"};
constexpr std::array<S, 4> kSwclInitial{"19.55", "17.6", "16.05", "13.3"};
constexpr std::array<S, 4> kSwDelayInitial{"0.2", "0.4", "1.0", "2.0"};
constexpr std::array<S, 4> kSwDelayMsInitial{"0.2ms", "0.4ms", "1.0ms", "2.0ms"};
constexpr std::array<S, 4> kCooldownInitial{"Latch", "0.8", "2.0", "4.0"};
constexpr std::array<S, 4> kCLTimerInitial{"Latch Mode (no retry)", "0.8s", "2.0s", "4.0s"};
constexpr std::array<S, 4> kOlPullUpInitial{"32uA", "64uA", "128uA", "256uA"};
constexpr std::array<S, 4> kSlewInitial{"0.25 rising", "0.34 rising", "0.45 rising", "0.55 rising"};
constexpr std::array<S, 4> kLpmInitial{"600mA", "800mA", "200mA", "400mA"};

struct PartDependent {
    S name;       // 16-pin name
    bool hasTwin18;
    PartList list;
    std::span<const S> initial;
};

// Fill order of the reload. The trip list is handled on its own (numbers).
constexpr std::array kPartDependent{
    PartDependent{"nomCurrentBox", true, PartList::Nominal, kNominalInitial},
    PartDependent{"chanSettingNomBox", true, PartList::Nominal, kNominalAInitial},
    PartDependent{"chanSettingCurrentLimitBox", true, PartList::Inrush, kCurrentLimitInitial},
    PartDependent{"inRushValueBox", true, PartList::Inrush, kInrushValueInitial},
    PartDependent{"hwLimitBox", true, PartList::Inrush, kHwLimitInitial},
    PartDependent{"chanSettingSWCLBox", true, PartList::Swcl, kSwclInitial},
    PartDependent{"swLimitBox", true, PartList::Swcl, kSwclInitial},
    PartDependent{"swDelayBox", true, PartList::SwTimer, kSwDelayInitial},
    PartDependent{"chanSettingSWDelayBox", true, PartList::SwTimer, kSwDelayMsInitial},
    PartDependent{"cooldownDelayBox", true, PartList::Cooldown, kCooldownInitial},
    PartDependent{"chanSettingCLTimer", true, PartList::Cooldown, kCLTimerInitial},
    PartDependent{"chargeLevelBox", true, PartList::InrushCap, kChargeLevelInitial},
    PartDependent{"wbOffCurrrentBox", true, PartList::OlPullUp, kOlPullUpInitial},
    PartDependent{"slewRateBox", true, PartList::Slew, kSlewInitial},
    PartDependent{"chanSettingLPMCurrentBox", true, PartList::LpmThreshold, kLpmInitial},
    PartDependent{"lpmCh1ThreshBox", false, PartList::LpmThreshold, kLpmInitial},
    PartDependent{"lpmCh2ThreshBox", false, PartList::LpmThreshold, kLpmInitial},
};

constexpr S kTripList = "chanSettingI2TBox";

std::span<const S> tableFor(const PartOptionTables& tables, PartList list, bool largeFet)
{
    switch (list) {
    case PartList::Nominal: return tables.nom_enum;
    case PartList::Inrush: return tables.inrush_enum;
    case PartList::InrushCap: return tables.inrush_cap_enum;
    case PartList::OlPullUp: return tables.ol_pu_enum;
    case PartList::Slew: return tables.slew_enum;
    case PartList::LpmThreshold: return lpmThresholdTable(tables, largeFet);
    case PartList::Swcl: return tables.man_swcl_enum;
    case PartList::SwTimer: return tables.man_swtmr_enum;
    case PartList::Cooldown: return tables.man_cooldown_enum;
    }
    return {};
}

std::vector<std::string> toStrings(std::span<const S> items) { return {items.begin(), items.end()}; }

bool namesControl(S objectName, S name, bool hasTwin18)
{
    if (objectName == name)
        return true;
    return hasTwin18 && objectName.size() == name.size() + kTwinSuffix.size() && objectName.starts_with(name) &&
           objectName.ends_with(kTwinSuffix);
}

std::vector<std::string> initialTripItems(const PartOptionTables& tables)
{
    std::vector<std::string> items;
    for (double value : tables.i2ttripenum)
        items.push_back(formatTripValue(value) + "A2s");
    return items;
}

}  // namespace

std::vector<std::string> initialListItems(std::string_view objectName)
{
    if (namesControl(objectName, kTripList, true))
        return initialTripItems(zvr2m08Tables);
    for (const PartDependent& control : kPartDependent) {
        if (namesControl(objectName, control.name, control.hasTwin18))
            return toStrings(control.initial);
    }
    return {};
}

std::vector<std::string> partDependentControls()
{
    std::vector<std::string> names{std::string(kTripList), std::string(kTripList) + std::string(kTwinSuffix)};
    for (const PartDependent& control : kPartDependent) {
        names.emplace_back(control.name);
        if (control.hasTwin18)
            names.push_back(std::string(control.name) + std::string(kTwinSuffix));
    }
    return names;
}

std::optional<EnumerationPlan> planDefaultEnumerations(uint16_t devId, const EighteenPinSelection& eighteen)
{
    const PartOptionTables* tables = optionTablesForDevice(devId);
    if (tables == nullptr)
        return std::nullopt;

    EnumerationPlan plan;
    plan.tables = tables;
    plan.family = tables->family;
    const bool sixteen = tables->family == HSS_FAMILY_16PWP;
    plan.datasheetTabShown = sixteen;
    const std::string suffix = sixteen ? std::string() : std::string(kTwinSuffix);
    bool largeFet = false;
    if (sixteen) {
        plan.i2tArrayValues = tables->i2ttripenum;
        plan.tripListValues = tables->i2ttripenum;
    } else {
        plan.i2tArrayValues = i2tTripTable(*tables, eighteen.i2tTunerChannelI2TConfig);
        plan.tripListValues = i2tTripTable(*tables, eighteen.chanSettingChannelI2TConfig);
        largeFet = hss::field18::LPM_FET_SELECT.isOn(eighteen.lowPowerMode);
    }
    plan.tripListControl = std::string(kTripList) + suffix;

    for (const PartDependent& control : kPartDependent) {
        ListReload reload;
        reload.control = std::string(control.name) + (control.hasTwin18 ? suffix : std::string());
        reload.items = toStrings(tableFor(*tables, control.list, largeFet));
        plan.lists.push_back(std::move(reload));
    }
    return plan;
}

}  // namespace hss::options
