#pragma once
// The C export written to disk: BASE.h and BASE.c from the name the user
// chose, and the support headers the generated files include copied beside
// them. The window's "Configuration Files" export and the command-line
// export both write through here.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/HSSDeviceFamily.h"

class ZVRxQxx16PINConfiguration;
class ZVRxQxx18PINConfiguration;

namespace hss::files {

struct CExportWritten {
    enum class Problem {
        None,
        NoName,             // the chosen name leaves no base name
        SupportHeaderName,  // the header would overwrite a support header
        WriteFailed,        // failedPath could not be written: reason
    };
    Problem problem = Problem::None;
    std::filesystem::path header;  // set once the names are known
    std::filesystem::path source;
    std::filesystem::path failedPath;
    std::string reason;
    // Support headers that could not be placed: "zvr2mxx.h (not found among the tool's files)".
    std::vector<std::string> notCopied;
    bool ok() const { return problem == Problem::None; }
};

// Where a shipped file of the tool is (relative name such as
// "headers/zvr2mxx.h"), or nothing.
using ShippedFileFinder = std::function<std::optional<std::filesystem::path>(const std::string& relativePath)>;

CExportWritten writeCExportFiles(const std::filesystem::path& chosen, hss_device_family_t family,
                                 const ZVRxQxx16PINConfiguration& sixteen, const ZVRxQxx18PINConfiguration& eighteen,
                                 const ShippedFileFinder& findShipped);

// The folders shipped files are looked for in, first match wins: the
// working folder, the program's folder and the install prefix's share
// folder beside it.
std::vector<std::filesystem::path> shippedFileFolders(const std::filesystem::path& workingFolder,
                                                      const std::optional<std::filesystem::path>& programFolder);
std::optional<std::filesystem::path> findShippedFile(const std::vector<std::filesystem::path>& folders,
                                                     const std::string& relativePath);

}  // namespace hss::files
