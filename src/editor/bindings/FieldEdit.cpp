// Encoding rules of the binding table: which family and field a row uses,
// what its control shows, and what an edit writes and logs.

#include "editor/bindings/FieldBinding.h"

namespace editor {

bool appliesTo(const FieldBinding& binding, hss_device_family_t family)
{
    switch (binding.scope) {
    case FamilyScope::Twins:
    case FamilyScope::Shared:
        return family == HSS_FAMILY_16PWP || family == HSS_FAMILY_18PWP;
    case FamilyScope::Only16:
        return family == HSS_FAMILY_16PWP;
    case FamilyScope::Only18:
        return family == HSS_FAMILY_18PWP;
    }
    return false;
}

namespace {

std::string twinName(std::string_view name, const FieldBinding& binding, hss_device_family_t family)
{
    if (name.empty() || !appliesTo(binding, family))
        return {};
    std::string result(name);
    if (binding.scope == FamilyScope::Twins && family == HSS_FAMILY_18PWP)
        result += "18";
    return result;
}

}  // namespace

std::string controlName(const FieldBinding& binding, hss_device_family_t family)
{
    return twinName(binding.name, binding, family);
}

std::string partnerName(const FieldBinding& binding, hss_device_family_t family)
{
    return twinName(binding.partner, binding, family);
}

std::optional<hss_device_family_t> actingFamily(const FieldBinding& binding, hss_device_family_t current,
                                                hss_device_family_t controlFamily)
{
    switch (binding.scope) {
    case FamilyScope::Shared:
        if (current == HSS_FAMILY_16PWP || current == HSS_FAMILY_18PWP)
            return current;
        return std::nullopt;
    case FamilyScope::Twins:
        // The twin of the other family sits on a page that is not shown;
        // its changes must not reach the chip of this family.
        if ((current == HSS_FAMILY_16PWP || current == HSS_FAMILY_18PWP) && current == controlFamily)
            return current;
        return std::nullopt;
    case FamilyScope::Only16:
    case FamilyScope::Only18: {
        // A single-family control also acts before any part is identified,
        // but never on a chip of the other family (its addresses differ).
        const hss_device_family_t own = binding.scope == FamilyScope::Only16 ? HSS_FAMILY_16PWP : HSS_FAMILY_18PWP;
        if (current == own || current == HSS_FAMILY_NONE)
            return own;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

std::optional<RegisterField> fieldFor(const FieldBinding& binding, hss_device_family_t family, uint8_t channel)
{
    const ChannelFields* fields = nullptr;
    if (family == HSS_FAMILY_16PWP)
        fields = &binding.sixteen;
    else if (family == HSS_FAMILY_18PWP)
        fields = &binding.eighteen;
    else
        return std::nullopt;
    return channel == 0 ? fields->channel1 : fields->channel2;
}

std::optional<uint8_t> addressFor(const FieldBinding& binding, hss_device_family_t family, uint8_t channel)
{
    const auto field = fieldFor(binding, family, channel);
    if (!field)
        return std::nullopt;
    return field->address(family, channel == 0 ? 0 : 1);
}

std::optional<uint16_t> shownValue(const FieldBinding& binding, hss_device_family_t family,
                                   const ZVRxQxx16PINConfiguration& record, uint8_t channel)
{
    auto field = fieldFor(binding, family, channel);
    if (!field)
        return std::nullopt;
    if (family == HSS_FAMILY_18PWP && binding.shown18)
        field = binding.shown18;
    const auto word = record.getRegister(field->reg, channel);
    if (!word)
        return std::nullopt;
    if (binding.kind == ControlKind::CheckBox || binding.kind == ControlKind::LatchRadio)
        return field->isOn(*word) ? uint16_t{1} : uint16_t{0};
    return field->get(*word);
}

std::string formatMessage(std::string_view format, std::string_view arg0, std::string_view arg1)
{
    std::string out;
    out.reserve(format.size() + arg0.size() + arg1.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '{' && i + 2 < format.size() && format[i + 2] == '}' &&
            (format[i + 1] == '0' || format[i + 1] == '1')) {
            out += format[i + 1] == '0' ? arg0 : arg1;
            i += 2;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::optional<EditResult> applyEdit(const FieldBinding& binding, const EditRequest& request,
                                    ZVRxQxx16PINConfiguration& record)
{
    const auto field = fieldFor(binding, request.family, request.channel);
    const auto address = addressFor(binding, request.family, request.channel);
    if (!field || !address)
        return std::nullopt;

    const uint8_t channelIndex = request.channel == 0 ? 0 : 1;
    const std::string channelNumber = std::to_string(channelIndex + 1);
    std::optional<uint16_t> word;
    std::string line;
    if (binding.kind == ControlKind::CheckBox || binding.kind == ControlKind::LatchRadio) {
        const bool on = request.value != 0;
        word = record.setFieldOn(*field, on, channelIndex);
        line = formatMessage(on ? binding.whenOn : binding.whenOff, channelNumber);
    } else {
        word = record.updateField(*field, request.value, channelIndex);
        switch (binding.args) {
        case MessageArgs::ChannelAndText:
            line = formatMessage(binding.whenOn, channelNumber, request.text);
            break;
        case MessageArgs::Text:
            line = formatMessage(binding.whenOn, request.text);
            break;
        case MessageArgs::Index:
            line = formatMessage(binding.whenOn, std::to_string(request.value));
            break;
        }
    }
    if (!word)
        return std::nullopt;
    return EditResult{*address, *word, std::move(line)};
}

}  // namespace editor
