#pragma once
// Pieces the board and the file commands share: files checked for use,
// register images, the read-out as JSON, and the export's report.

#include <string>
#include <vector>

#include "editor/registers/RegisterCatalogue.h"
#include "editor/registers/RegisterReadout.h"
#include "files/CExportFiles.h"
#include "files/SettingsCheck.h"

namespace hss::session {
class BoardSession;
}

namespace hss::cli {

// Empty when the file may be used headless; otherwise why not. Stricter than
// a load in the window: a line that is not a record stops the run, since a
// program step must not go on with part of a file.
std::string fileProblem(const files::CheckedSettings& file, const std::string& path);

// The records as a register image (later records for an address win).
regmap::RegisterImage settingsImage(const std::vector<files::SettingsRecord>& settings);

// Every register with its fields, as one JSON object.
std::string registersJson(session::BoardSession& board, const std::vector<regmap::RegisterReadout>& rows);
std::string registersJson(const std::string& source, hss_device_family_t family, uint16_t devId,
                          const std::vector<regmap::RegisterReadout>& rows);

// The C export beside chosen, with the support headers the tool ships.
files::CExportWritten writeExport(const std::string& chosen, hss_device_family_t family,
                                  const ZVRxQxx16PINConfiguration& sixteen, const ZVRxQxx18PINConfiguration& eighteen);
std::string exportProblem(const files::CExportWritten& written, const std::string& chosen);
std::string exportDone(const files::CExportWritten& written);
std::string exportJson(const files::CExportWritten& written);

}  // namespace hss::cli
