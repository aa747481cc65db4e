#include "editor/registers/FieldText.h"

#include <array>
#include <cstdio>
#include <span>

#include "device/RegisterFields.h"
#include "editor/FixedOptionLists.h"
#include "editor/OptionListPlan.h"
#include "editor/PartOptionTables.h"
#include "editor/TwinNames.h"
#include "measure/NumberText.h"
#include "measure/SenseResistor.h"

namespace hss::regmap {
namespace {

namespace F = hss::field;


std::string baseName(std::string_view control, hss_device_family_t family)
{
    if (family == HSS_FAMILY_18PWP && control.ends_with(kTwinSuffix))
        control.remove_suffix(kTwinSuffix.size());
    return std::string(control);
}

std::string familyName(std::string_view base, hss_device_family_t family)
{
    return family == HSS_FAMILY_18PWP ? std::string(base) + std::string(kTwinSuffix) : std::string(base);
}

std::optional<uint16_t> imageValue(hss_device_family_t family, const RegisterImage& image, HSSRegister reg,
                                   uint8_t channel)
{
    const auto address = registerAddress(family, reg, channel);
    if (!address)
        return std::nullopt;
    const auto found = image.find(*address);
    if (found == image.end())
        return std::nullopt;
    return found->second;
}

template <typename T>
std::vector<std::string> numberTexts(std::span<const T> values)
{
    std::vector<std::string> items;
    for (T value : values) items.push_back(text::shortestDecimal(value));
    return items;
}

// The 16-pin current lists as the window relabels them for a sense resistor.
std::optional<std::vector<std::string>> senseScaledItems(std::string_view base, double ohms)
{
    const measure::SenseScaledLists lists = measure::rescaleForSenseResistor(ohms);
    if (base == "swLimitBox" || base == "chanSettingSWCLBox")
        return numberTexts<float>(lists.softwareLimits);
    if (base == "nomCurrentBox" || base == "chanSettingNomBox")
        return numberTexts<float>(lists.nominalCurrents);
    if (base == "chanSettingI2TBox")
        return numberTexts<float>(lists.tripEnergies);
    return std::nullopt;
}

std::vector<std::string> tripItems(hss_device_family_t family, const FieldInfo& field, const RegisterImage& image,
                                   const options::PartOptionTables& tables)
{
    const auto i2tConfig = imageValue(family, image, HSSRegister::I2T_CONFIG_CH, field.channel);
    std::vector<std::string> items;
    for (double value : options::i2tTripTable(tables, i2tConfig)) items.push_back(options::formatTripValue(value));
    return items;
}

}  // namespace

std::string hexByte(uint8_t value)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "0x%02X", value);
    return text.data();
}

std::string hexWord(uint16_t value)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "0x%04X", value);
    return text.data();
}

std::vector<std::string> fieldChoices(hss_device_family_t family, const FieldInfo& field, const RegisterImage& image,
                                      const TextContext& context)
{
    if (field.kind != FieldKind::Choice || field.listControl.empty())
        return {};
    std::string base = baseName(field.listControl, family);
    // One field, two lists: the charge level while capacitive charging is on.
    if (field.field.reg == HSSRegister::ILIM_CONFIG_CH && field.field.offset == F::INRUSH_LEVEL.offset) {
        const auto ilim = imageValue(family, image, HSSRegister::ILIM_CONFIG_CH, field.channel);
        base = ilim && F::capChargeShownField(family).isOn(*ilim) ? "chargeLevelBox" : "inRushValueBox";
    }
    const std::string control = familyName(base, family);

    if (auto fixed = options::fixedListItems(control))
        return *fixed;
    if (family == HSS_FAMILY_16PWP && context.senseResistorOhms) {
        if (auto scaled = senseScaledItems(base, *context.senseResistorOhms))
            return *scaled;
    }
    const options::PartOptionTables* tables = options::optionTablesForDevice(context.devId);
    if (tables == nullptr || tables->family != family)
        return options::initialListItems(control);
    if (base == "chanSettingI2TBox")
        return tripItems(family, field, image, *tables);
    options::EighteenPinSelection selection;
    selection.lowPowerMode = imageValue(family, image, HSSRegister::LPM, 0).value_or(0);
    if (const auto plan = options::planDefaultEnumerations(context.devId, selection)) {
        for (const options::ListReload& list : plan->lists) {
            if (list.control == control)
                return list.items;
        }
    }
    return options::initialListItems(control);
}

std::string fieldValueText(hss_device_family_t family, const FieldInfo& field, uint16_t word,
                           const RegisterImage& image, const TextContext& context)
{
    const uint16_t raw = field.field.get(word);
    switch (field.kind) {
    case FieldKind::Word:
        return hexWord(raw);
    case FieldKind::Status:
        return raw != 0 ? "Set" : "Clear";
    case FieldKind::Switch:
        if (field.field.reg == HSSRegister::CH_CONFIG && field.field.offset == F::shutdownLatchField(family).offset)
            return F::shutdownLatchField(family).isOn(word) ? "Latch" : "Auto-Retry";
        return field.field.isOn(word) ? "On" : "Off";
    case FieldKind::Choice:
        break;
    }
    const std::vector<std::string> items = fieldChoices(family, field, image, context);
    if (raw < items.size())
        return items[raw];
    if (items.empty())
        return std::to_string(raw);
    return "unlisted (" + std::to_string(raw) + ")";
}

}  // namespace hss::regmap
