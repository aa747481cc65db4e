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
// The source file's name: the header's extension replaced by ".c" (".c"
// appended to a name without one).
std::string exportSourceFileName(std::string_view headerFileName);

// Both files for a header file name (without folder), from one consistent
// snapshot of the record.
CExportText sixteenPinExport(const ZVRxQxx16PINConfiguration& record, std::string_view headerFileName);
CExportText eighteenPinExport(const ZVRxQxx18PINConfiguration& record, std::string_view headerFileName);
// The export of the family's record; empty for HSS_FAMILY_NONE.
std::optional<CExportText> cExportText(hss_device_family_t family, const ZVRxQxx16PINConfiguration& sixteen,
                                       const ZVRxQxx18PINConfiguration& eighteen, std::string_view headerFileName);

}  // namespace hss::files
