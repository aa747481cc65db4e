#pragma once
// A settings file read and checked before anything of it reaches a chip:
// readable, in the settings format, of the family in use, and holding at
// least one setting. "Load Settings", the register page's compare and the
// command-line write, verify and diff all take files through this check.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/SettingsFile.h"

namespace hss::files {

// A settings file is a few hundred bytes; anything far larger is not one.
inline constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;

enum class SettingsCheckOutcome {
    Usable,         // settings holds what may be applied (it may be empty for a header-only file)
    Unreadable,     // the file could not be read (reason says why)
    WrongFormat,    // the first line is neither family's header
    OtherFamily,    // the header names another family than the one in use
    NothingUsable,  // record lines, but none the family could take
};

struct CheckedSettings {
    SettingsCheckOutcome outcome = SettingsCheckOutcome::Unreadable;
    SettingsFileContents contents;
    // The records without DEVID: the identity of the part in use is no
    // setting, and a file saved from another part must not claim it.
    std::vector<SettingsRecord> settings;
    std::string reason;  // Unreadable: why

    bool usable() const { return outcome == SettingsCheckOutcome::Usable; }
    // A file that ends after its header: usable, and changes nothing.
    bool headerOnly() const { return usable() && contents.recordLines() == 0; }
};

// family: the family in use; HSS_FAMILY_NONE takes a file of either family
// (two files compared with no chip).
CheckedSettings checkSettingsBytes(std::string_view bytes, hss_device_family_t family);
CheckedSettings readCheckedSettings(const std::filesystem::path& path, hss_device_family_t family);

// "16-pin family (16PWP)", "18-pin family (18PWP)".
std::string familyText(hss_device_family_t family);

// One sentence for a check that failed, naming the file:
// "cfg.txt holds settings of the 18-pin family (18PWP), but the part in use is of the 16-pin family (16PWP)."
std::string describeCheckFailure(const CheckedSettings& checked, std::string_view fileName,
                                 hss_device_family_t family);

}  // namespace hss::files
