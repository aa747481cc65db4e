#include "cli/CliShared.h"

#include <unistd.h>

#include <climits>

#include "cli/JsonText.h"
#include "editor/registers/FieldText.h"
#include "session/BoardSession.h"

namespace hss::cli {

std::string fileProblem(const files::CheckedSettings& file, const std::string& path)
{
    if (!file.usable()) return files::describeCheckFailure(file, path, HSS_FAMILY_NONE);
    if (file.headerOnly()) return path + " holds no settings, only its header line.";
    if (!file.contents.skipped.empty()) {
        std::string text = path + " is malformed: " + std::to_string(file.contents.skipped.size()) +
                           " line(s) are no address,value record of the " +
                           files::familyText(file.contents.headerFamily) + " (";
        for (std::size_t i = 0; i < file.contents.skipped.size() && i < 3; ++i)
            text += (i > 0 ? "; " : "") + files::describeSkippedLine(file.contents.skipped[i]);
        return text + (file.contents.skipped.size() > 3 ? "; ...)." : ").");
    }
    return {};
}

regmap::RegisterImage settingsImage(const std::vector<files::SettingsRecord>& settings)
{
    regmap::RegisterImage image;
    for (const files::SettingsRecord& record : settings) image[record.address] = record.value;
    return image;
}

std::string registersJson(const std::string& source, hss_device_family_t family, uint16_t devId,
                          const std::vector<regmap::RegisterReadout>& rows)
{
    std::vector<std::string> registers;
    for (const regmap::RegisterReadout& row : rows) {
        std::vector<std::string> fields;
        for (const regmap::FieldReadout& field : row.fields) {
            fields.push_back(JsonObject()
                                 .add("caption", field.field->caption)
                                 .add("bits", field.bits)
                                 .add("raw", int64_t(field.raw))
                                 .add("text", field.text)
                                 .text());
        }
        JsonObject reg;
        reg.add("address", regmap::hexByte(row.reg->address)).add("name", row.reg->name);
        if (row.value)
            reg.add("value", regmap::hexWord(*row.value));
        else
            reg.addRaw("value", "null");
        registers.push_back(reg.addRaw("fields", jsonArray(fields)).text());
    }
    return JsonObject()
        .add("source", source)
        .add("family", family == HSS_FAMILY_18PWP ? "18-pin" : "16-pin")
        .add("devid", regmap::hexWord(devId))
        .addRaw("registers", jsonArray(registers))
        .text();
}

std::string registersJson(session::BoardSession& board, const std::vector<regmap::RegisterReadout>& rows)
{
    return registersJson(board.label(), board.family(), board.part() ? board.part()->devId : uint16_t(0), rows);
}

namespace {

std::optional<std::filesystem::path> programFolder()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return std::nullopt;
    return std::filesystem::path(std::string(path, std::size_t(length))).parent_path();
}

}  // namespace

files::CExportWritten writeExport(const std::string& chosen, hss_device_family_t family,
                                  const ZVRxQxx16PINConfiguration& sixteen, const ZVRxQxx18PINConfiguration& eighteen)
{
    std::error_code error;
    const auto folders = files::shippedFileFolders(std::filesystem::current_path(error), programFolder());
    return files::writeCExportFiles(std::filesystem::absolute(chosen, error), family, sixteen, eighteen,
                                    [&](const std::string& relative) { return files::findShippedFile(folders, relative); });
}

std::string exportProblem(const files::CExportWritten& written, const std::string& chosen)
{
    using Problem = files::CExportWritten::Problem;
    switch (written.problem) {
    case Problem::None:
        return {};
    case Problem::NoName:
        return chosen + " leaves no name for the header and the source file (try config.h, which gives config.h and config.c)";
    case Problem::SupportHeaderName:
        return written.header.filename().string() + " is the name of a support header the export places beside it; choose another name";
    case Problem::WriteFailed:
        return written.failedPath.string() + " could not be written: " + written.reason;
    }
    return {};
}

std::string exportDone(const files::CExportWritten& written)
{
    std::string text = "Configuration exported to " + written.header.string() + " and " + written.source.string() + "\n";
    for (const std::string& missing : written.notCopied) text += "Support header not copied: " + missing + "\n";
    return text;
}

std::string exportJson(const files::CExportWritten& written)
{
    std::vector<std::string> missing;
    for (const std::string& name : written.notCopied) missing.push_back(jsonString(name));
    return JsonObject()
        .add("ok", true)
        .add("header", written.header.string())
        .add("source", written.source.string())
        .addRaw("not_copied", jsonArray(missing))
        .text();
}

}  // namespace hss::cli
