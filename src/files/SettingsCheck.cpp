#include "files/SettingsCheck.h"

#include "files/FileReplace.h"

namespace hss::files {

CheckedSettings checkSettingsBytes(std::string_view bytes, hss_device_family_t family)
{
    CheckedSettings checked;
    checked.contents = readSettingsFile(bytes);
    const hss_device_family_t fileFamily = checked.contents.headerFamily;
    if (fileFamily == HSS_FAMILY_NONE) {
        checked.outcome = SettingsCheckOutcome::WrongFormat;
        return checked;
    }
    // The two families keep different registers at the same addresses: the
    // other family's file would put its values into the wrong registers.
    if (family != HSS_FAMILY_NONE && fileFamily != family) {
        checked.outcome = SettingsCheckOutcome::OtherFamily;
        return checked;
    }
    const uint8_t devIdAddress = registerAddress(fileFamily, HSSRegister::DEVID).value_or(0);
    for (const SettingsRecord& record : checked.contents.records) {
        if (record.address != devIdAddress) checked.settings.push_back(record);
    }
    const bool recordLines = checked.contents.recordLines() > 0;
    checked.outcome = recordLines && checked.settings.empty() ? SettingsCheckOutcome::NothingUsable
                                                              : SettingsCheckOutcome::Usable;
    return checked;
}

CheckedSettings readCheckedSettings(const std::filesystem::path& path, hss_device_family_t family)
{
    const FileBytes file = readWholeFile(path, kMaxSettingsFileBytes);
    if (!file.ok()) {
        CheckedSettings checked;
        checked.outcome = SettingsCheckOutcome::Unreadable;
        checked.reason = file.error;
        return checked;
    }
    return checkSettingsBytes(file.bytes, family);
}

std::string familyText(hss_device_family_t family)
{
    return family == HSS_FAMILY_18PWP ? "18-pin family (18PWP)" : "16-pin family (16PWP)";
}

std::string describeCheckFailure(const CheckedSettings& checked, std::string_view fileName, hss_device_family_t family)
{
    const std::string name(fileName);
    switch (checked.outcome) {
    case SettingsCheckOutcome::Usable:
        return {};
    case SettingsCheckOutcome::Unreadable:
        return name + " could not be read: " + checked.reason + ".";
    case SettingsCheckOutcome::WrongFormat:
        return name + " is not a settings file: its first line is neither " + std::string(magicFileWord16) + " nor " +
               std::string(magicFileWord18) + ".";
    case SettingsCheckOutcome::OtherFamily:
        return name + " holds settings of the " + familyText(checked.contents.headerFamily) +
               ", but the part in use is of the " + familyText(family) + ".";
    case SettingsCheckOutcome::NothingUsable:
        return name + " holds no address,value record for a register of the " +
               familyText(checked.contents.headerFamily) + ".";
    }
    return {};
}

}  // namespace hss::files
