#include "files/CExportFiles.h"

#include <system_error>

#include "files/CExport.h"
#include "files/FileReplace.h"

namespace hss::files {

namespace {
constexpr std::size_t kMaxSupportHeaderBytes = 1 << 20;
}

CExportWritten writeCExportFiles(const std::filesystem::path& chosen, hss_device_family_t family,
                                 const ZVRxQxx16PINConfiguration& sixteen, const ZVRxQxx18PINConfiguration& eighteen,
                                 const ShippedFileFinder& findShipped)
{
    CExportWritten written;
    const auto names = exportFileNames(chosen.filename().string());
    if (!names) {
        written.problem = CExportWritten::Problem::NoName;
        return written;
    }
    const std::filesystem::path folder = chosen.parent_path();
    written.header = folder / names->header;
    written.source = folder / names->source;
    for (std::string_view support : kSupportHeaders) {
        if (names->header == support) {
            written.problem = CExportWritten::Problem::SupportHeaderName;
            return written;
        }
    }
    const auto texts = cExportText(family, sixteen, eighteen, names->header);
    if (!texts) {
        written.problem = CExportWritten::Problem::WriteFailed;
        written.failedPath = written.header;
        written.reason = "no part family to export";
        return written;
    }
    for (const auto& [path, text] : {std::pair{written.header, &texts->header}, std::pair{written.source, &texts->source}}) {
        if (const auto error = writeFileReplacing(path, *text)) {
            written.problem = CExportWritten::Problem::WriteFailed;
            written.failedPath = path;
            written.reason = *error;
            return written;
        }
    }
    // The generated files include these; without them they do not compile.
    for (std::string_view support : kSupportHeaders) {
        const std::string name(support);
        const auto shipped = findShipped("headers/" + name);
        const auto error = shipped ? copyFileReplacing(*shipped, folder / name, kMaxSupportHeaderBytes)
                                   : std::optional<std::string>("not found among the tool's files");
        if (error) written.notCopied.push_back(name + " (" + *error + ")");
    }
    return written;
}

std::vector<std::filesystem::path> shippedFileFolders(const std::filesystem::path& workingFolder,
                                                      const std::optional<std::filesystem::path>& programFolder)
{
    std::vector<std::filesystem::path> folders{workingFolder};
    if (programFolder) {
        folders.push_back(*programFolder);
        folders.push_back((*programFolder / "../share/keldor-configurator").lexically_normal());
    }
    return folders;
}

std::optional<std::filesystem::path> findShippedFile(const std::vector<std::filesystem::path>& folders,
                                                     const std::string& relativePath)
{
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        const std::filesystem::path path = folder / relativePath;
        if (std::filesystem::is_regular_file(path, error)) return path.lexically_normal();
    }
    return std::nullopt;
}

}  // namespace hss::files
