#pragma once
// Which items every part-dependent list holds: before any part is
// identified (initial items) and after a part with tables is identified
// (the reload plan). The window carries the plan out on its controls,
// with its event guard set.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/HSSDeviceFamily.h"
#include "editor/PartOptionTables.h"

namespace hss::options {

// Items a part-dependent list holds until a part with tables is identified
// (18-pin twins hold the same). Empty for any other name.
std::vector<std::string> initialListItems(std::string_view objectName);
// Every control name that initialListItems() knows.
std::vector<std::string> partDependentControls();

struct ListReload {
    std::string control;             // objectName
    std::vector<std::string> items;  // in order; the index is the field value
};

struct EnumerationPlan {
    const PartOptionTables* tables = nullptr;
    hss_device_family_t family = HSS_FAMILY_NONE;
    // 16-pin set: add the "Datasheet" page if the tab control lacks it;
    // 18-pin sets: remove it.
    bool datasheetTabShown = false;
    // The table the I2T slider indexes (i2tArrayValues).
    std::span<const double> i2tArrayValues;
    // The trip list: chanSettingI2TBox or chanSettingI2TBox18, holding
    // numbers whose text is formatTripValue().
    std::string tripListControl;
    std::span<const double> tripListValues;
    // Every other reloaded list, in fill order.
    std::vector<ListReload> lists;
};

// What the 18-pin selection rules read from the 18-pin record.
struct EighteenPinSelection {
    // I2T_CONFIG of the channel chosen in i2tChanNumBox18 / chanSettingBox18;
    // empty when the selector is in no valid state.
    std::optional<uint16_t> i2tTunerChannelI2TConfig;
    std::optional<uint16_t> chanSettingChannelI2TConfig;
    uint16_t lowPowerMode = 0;  // the record's LPM (bit 1: large FET)
};

// The reload for a DEVID code; empty for codes without tables (the lists
// then keep their items and the datasheet page stays as it is).
std::optional<EnumerationPlan> planDefaultEnumerations(uint16_t devId, const EighteenPinSelection& eighteen = {});

}  // namespace hss::options
