#include "editor/registers/RegisterComparison.h"

namespace hss::regmap {
namespace {

bool inScope(const RegisterInfo& info, const CompareOptions& options)
{
    switch (info.access) {
    case RegisterAccess::ReadWrite: return true;
    case RegisterAccess::ReadOnly: return options.includeReadOnly;
    case RegisterAccess::Command: return options.includeCommands;
    }
    return false;
}

std::optional<uint16_t> valueAt(const RegisterImage& image, uint8_t address)
{
    const auto found = image.find(address);
    return found != image.end() ? std::optional<uint16_t>(found->second) : std::nullopt;
}

std::vector<FieldDifference> fieldDifferences(hss_device_family_t family, const RegisterInfo& info,
                                              const RegisterImage& leftImage, uint16_t left,
                                              const RegisterImage& rightImage, uint16_t right,
                                              const TextContext& context)
{
    std::vector<FieldDifference> differences;
    for (const FieldInfo& field : info.fields) {
        const uint16_t a = field.field.get(left);
        const uint16_t b = field.field.get(right);
        if (a == b)
            continue;
        differences.push_back({&field, field.field.mask(), a, b, std::string(field.caption),
                               fieldValueText(family, field, left, leftImage, context),
                               fieldValueText(family, field, right, rightImage, context)});
    }
    // Bits no field decodes still count: a value is never called equal when
    // the words differ.
    const uint16_t undecoded = info.undecodedMask();
    if ((left & undecoded) != (right & undecoded)) {
        differences.push_back({nullptr, undecoded, static_cast<uint16_t>(left & undecoded),
                               static_cast<uint16_t>(right & undecoded), "Undecoded bits",
                               hexWord(static_cast<uint16_t>(left & undecoded)),
                               hexWord(static_cast<uint16_t>(right & undecoded))});
    }
    return differences;
}

}  // namespace

std::size_t ImageComparison::fieldCount() const
{
    std::size_t count = 0;
    for (const RegisterDifference& reg : registers) count += reg.fields.empty() ? 1 : reg.fields.size();
    return count;
}

ImageComparison compareImages(hss_device_family_t family, const RegisterImage& left, const RegisterImage& right,
                              const TextContext& context, const CompareOptions& options)
{
    ImageComparison comparison;
    for (const RegisterInfo& info : registerCatalogue(family)) {
        if (!inScope(info, options))
            continue;
        const auto a = valueAt(left, info.address);
        const auto b = valueAt(right, info.address);
        const bool wanted = options.scope == CompareScope::RightImage ? b.has_value() : (a || b);
        if (!wanted)
            continue;
        if (!a || !b) {
            comparison.registers.push_back({&info, a, b, {}});
            continue;
        }
        if (*a == *b)
            continue;
        comparison.registers.push_back({&info, a, b, fieldDifferences(family, info, left, *a, right, *b, context)});
    }
    return comparison;
}

std::vector<std::string> describeDifferences(const ImageComparison& comparison, std::string_view leftName,
                                             std::string_view rightName)
{
    std::vector<std::string> lines;
    for (const RegisterDifference& reg : comparison.registers) {
        const std::string head = hexByte(reg.reg->address) + " " + reg.reg->name + "  ";
        if (!reg.left || !reg.right) {
            lines.push_back(head + "missing in " + std::string(!reg.left ? leftName : rightName));
            continue;
        }
        for (const FieldDifference& field : reg.fields) {
            lines.push_back(head + field.caption + ": " + std::string(leftName) + " " + field.leftText + " (" +
                            std::to_string(field.left) + "), " + std::string(rightName) + " " + field.rightText +
                            " (" + std::to_string(field.right) + ")");
        }
    }
    return lines;
}

}  // namespace hss::regmap
