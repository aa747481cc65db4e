#include "editor/FixedOptionLists.h"

#include <cstdio>

#include "editor/TwinNames.h"

namespace hss::options {
namespace {

struct FixedList {
    S name;
    bool hasTwin18;  // a control with the suffix 18 holds the same items
    std::span<const S> items;  // empty: the duty list
};

// Names per the editor pages; "shared" controls serve both families.
constexpr std::array kFixedLists{
    FixedList{"chanSettingPWMFreqBox", true, pwmFrequencyItems},
    FixedList{"cmdPWMFreqBox1", false, pwmFrequencyItems},
    FixedList{"cmdPWMFreqBox2", false, pwmFrequencyItems},
    FixedList{"chanSettingPWMDutyBox", true, {}},
    FixedList{"cmdPWMDutyBox1", false, {}},
    FixedList{"cmdPWMDutyBox2", false, {}},
    FixedList{"wdtDurationBox", true, wdtDurationItems},
    FixedList{"adcSampleRateBox", true, adcSampleRateItems},
    FixedList{"capChargeDurationBox", true, inrushDurationItems},
    FixedList{"chanSettingInrushDurationBox", true, inrushDurationItems},
    FixedList{"wbBlankBox", true, olBlankingItems},
    FixedList{"adcScaleBox", true, adcScaleItems},
    FixedList{"lhiBehaviorBox", true, lhiBehaviorItems},
    FixedList{"olOffMode18", false, svbbSettingItems},
    FixedList{"manLPMModeBox18", false, lpmFetItems},
    FixedList{"dcrModeBox18", false, decrementerModeItems},
    FixedList{"chanSettingsDecModeBox18", false, decrementerModeItems},
    FixedList{"dcrFactorBox18", false, decrementerFactorItems},
    FixedList{"chanSettingDecFactBox18", false, decrementerFactorItems},
    FixedList{"chanSettingBox", true, channelSelectorItems},
    FixedList{"i2tChanNumBox", true, channelSelectorItems},
    FixedList{"enChanBoxCC", false, channelEnableItems},
    FixedList{"gaugeSelectionBox", false, gaugeSelectionItems},
};


}  // namespace

std::string pwmDutyText(std::size_t index)
{
    if (index >= kPwmDutyCount)
        return {};
    // Hundredths of a percent of (n+1)/256, halves rounded up, in integers
    // so that no binary fraction tips a half the wrong way.
    const unsigned long steps = static_cast<unsigned long>(index) + 1;
    const unsigned long hundredths = (steps * 10000UL * 2UL + kPwmDutyCount) / (2UL * kPwmDutyCount);
    char text[16];
    std::snprintf(text, sizeof text, "%lu.%02lu%%", hundredths / 100, hundredths % 100);
    return text;
}

const std::vector<std::string>& pwmDutyItems()
{
    static const std::vector<std::string> items = [] {
        std::vector<std::string> all;
        all.reserve(kPwmDutyCount);
        for (std::size_t n = 0; n < kPwmDutyCount; ++n)
            all.push_back(pwmDutyText(n));
        return all;
    }();
    return items;
}

std::optional<std::vector<std::string>> fixedListItems(std::string_view objectName)
{
    for (const FixedList& list : kFixedLists) {
        const bool twin = list.hasTwin18 && objectName.size() == list.name.size() + kTwinSuffix.size() &&
                          objectName.starts_with(list.name) && objectName.ends_with(kTwinSuffix);
        if (objectName != list.name && !twin)
            continue;
        if (list.items.empty())
            return pwmDutyItems();
        return std::vector<std::string>(list.items.begin(), list.items.end());
    }
    return std::nullopt;
}

std::vector<std::string> fixedListControls()
{
    std::vector<std::string> names;
    for (const FixedList& list : kFixedLists) {
        names.emplace_back(list.name);
        if (list.hasTwin18)
            names.push_back(std::string(list.name) + std::string(kTwinSuffix));
    }
    return names;
}

}  // namespace hss::options
