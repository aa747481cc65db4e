#pragma once
// The C-source export: a header declaring the configuration structure (one
// member per register) and a source file defining `exportConfig` with each
// register's macro and value, both with CR LF line ends. The generated files
// rely on the support headers shipped in headers/.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "device/HSSDeviceFamily.h"

class ZVRxQxx16PINConfiguration;
class ZVRxQxx18PINConfiguration;

namespace hss::files {

// Copied beside every export, for either family.
inline constexpr std::array<std::string_view, 3> kSupportHeaders{"zvr2mxx.h", "zvr_qdev.h", "zvr2mxx_24pwp.h"};

struct CExportText {
    std::string header;
    std::string source;
};

// Include guard of a header file name: "my.cfg.h" gives "__MY_CFG_H__".
// Characters that cannot stand in a C name become "_" as the dots do.
std::string exportGuardName(std::string_view headerFileName);
// The two files of an export. Whatever name the user picks ("cfg.h",
// "cfg.c", "cfg"), the name without a ".h" or ".c" ending (either case) is
// the base of both: "cfg.h" and "cfg.c". Empty when no base is left.
struct CExportFileNames {
    std::string header;
    std::string source;
};
std::optional<CExportFileNames> exportFileNames(std::string_view chosenFileName);

// Both files for a header file name (without folder), from one consistent
// snapshot of the record.
CExportText sixteenPinExport(const ZVRxQxx16PINConfiguration& record, std::string_view headerFileName);
CExportText eighteenPinExport(const ZVRxQxx18PINConfiguration& record, std::string_view headerFileName);
// The export of the family's record; empty for HSS_FAMILY_NONE.
std::optional<CExportText> cExportText(hss_device_family_t family, const ZVRxQxx16PINConfiguration& sixteen,
                                       const ZVRxQxx18PINConfiguration& eighteen, std::string_view headerFileName);

}  // namespace hss::files
