// Choosing the boards, running a command over one or several of them, and
// the commands that need no board (diff, export --from).

#include <ostream>
#include <thread>

#include "app/BoardSetupFactory.h"
#include "cli/CliCommands.h"
#include "cli/CliShared.h"
#include "cli/JsonText.h"
#include "editor/registers/RegisterComparison.h"
#include "session/BoardSession.h"
#include "session/BoardTargets.h"

namespace hss::cli {

namespace {

using namespace std::chrono_literals;

struct Targets {
    std::vector<session::BoardTarget> boards;
    std::string error;  // set when none can be had
    int exit = kExitDone;
};

Targets chooseTargets(const CliOptions& options)
{
    Targets targets;
    switch (options.board) {
    case CliOptions::Board::Emulated: {
        const EmulatedPart part = resolveEmulatedPart(options.emulatedPart.empty() ? AppOptions().emulatedPart : options.emulatedPart);
        if (!part.known) {
            targets.exit = kExitUsage;
            targets.error = "unknown part for --emulate: " + options.emulatedPart +
                            " (use a part name such as ZVR2M08A-K1, a DEVID such as 0xFFF2, or none)";
            return targets;
        }
        targets.boards.push_back(session::emulatedBoard(part.devid));
        return targets;
    }
    case CliOptions::Board::Socket:
        for (const std::string& path : options.sockets) targets.boards.push_back(session::socketBoard(path));
        return targets;
    case CliOptions::Board::Hardware:
        break;
    }
    targets.boards = session::attachedBoards(targets.error);
    if (!options.serial.empty()) {
        std::erase_if(targets.boards, [&](const session::BoardTarget& board) { return board.serialNumber != options.serial; });
        if (targets.boards.empty() && targets.error.empty())
            targets.error = "no attached VELMARA-BOARD has the serial number " + options.serial;
    }
    if (targets.boards.empty()) {
        targets.exit = kExitNoBoard;
        if (targets.error.empty()) targets.error = "no VELMARA-BOARD is attached";
    }
    return targets;
}

void print(const CliOptions& options, const BoardResult& result, std::ostream& out, std::ostream& err)
{
    const std::string& shown = options.json ? result.json : result.text;
    if (!shown.empty()) out << shown << (shown.back() == '\n' ? "" : "\n");
    if (!result.error.empty()) err << "keldor-cli: " << result.error << (result.error.back() == '\n' ? "" : "\n");
}

// --all: one thread of work per board, one result line per board.
int runOnAll(const CliOptions& options, std::vector<session::BoardTarget>& boards, std::ostream& out, std::ostream& err)
{
    std::vector<BoardResult> results(boards.size());
    std::vector<std::ostringstream> streams(boards.size() * 2);
    {
        std::vector<std::jthread> workers;
        for (std::size_t i = 0; i < boards.size(); ++i) {
            workers.emplace_back([&, i] {
                results[i] = runBoardCommand(options, boards[i], streams[2 * i], streams[2 * i + 1]);
                if (results[i].summary.empty()) results[i].summary = boards[i].label + ": OK";
            });
        }
    }
    int exit = kExitDone;
    std::vector<std::string> json;
    for (const BoardResult& result : results) {
        exit = std::max(exit, result.exit);
        if (options.json)
            json.push_back(result.json);
        else
            out << result.summary << "\n";
        if (!result.error.empty() && result.exit != kExitDone && !options.json)
            err << "keldor-cli: " << result.error << (result.error.back() == '\n' ? "" : "\n");
    }
    if (options.json) out << JsonObject().add("ok", exit == kExitDone).addRaw("boards", jsonArray(json)).text() << "\n";
    return exit;
}

int list(const CliOptions& options, std::vector<session::BoardTarget>& boards, std::ostream& out)
{
    std::vector<std::string> json;
    int exit = kExitDone;
    for (session::BoardTarget& target : boards) {
        const std::string serial = target.serialNumber;
        const std::string path = target.path;
        session::BoardSession board(std::move(target.deviceLayer), target.label);
        JsonObject row;
        row.add("path", path).add("serial", serial);
        std::string line = path + "  serial " + (serial.empty() ? "-" : serial);
        if (!board.open(1s)) {
            row.add("error", board.error());
            out << line << "  (could not be opened)\n";
            exit = std::max(exit, int(kExitNoBoard));
            json.push_back(row.text());
            continue;
        }
        if (const auto firmware = board.firmwareVersion()) {
            char text[8];
            std::snprintf(text, sizeof text, "v%04X", *firmware);
            row.add("firmware", text);
            line += std::string("  firmware ") + text;
        }
        if (options.identify) {
            const auto part = board.identify();
            row.add("part", part ? part->name : "");
            line += "  " + (part ? part->name : std::string("(no answer)"));
        }
        if (board.failure() == session::SessionFailure::Link) exit = std::max(exit, int(kExitLinkFailed));
        json.push_back(row.text());
        if (!options.json) out << line << "\n";
    }
    if (options.json) out << JsonObject().addRaw("boards", jsonArray(json)).text() << "\n";
    return exit;
}

}  // namespace

int runFileCommand(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    const auto readFile = [&](const std::string& path, files::CheckedSettings& file) {
        file = files::readCheckedSettings(path, HSS_FAMILY_NONE);
        const std::string problem = fileProblem(file, path);
        if (!problem.empty()) err << "keldor-cli: " << problem << "\n";
        return problem.empty();
    };
    if (options.command == "export") {
        files::CheckedSettings file;
        if (!readFile(options.from, file)) return kExitBadFile;
        ZVRxQxx16PINConfiguration sixteen;
        ZVRxQxx18PINConfiguration eighteen;
        const hss_device_family_t family = file.contents.headerFamily;
        files::applySettingsRecords(family, file.contents.records, sixteen, eighteen);
        const files::CExportWritten written = writeExport(options.files[0], family, sixteen, eighteen);
        if (!written.ok()) {
            err << "keldor-cli: " << exportProblem(written, options.files[0]) << "\n";
            return kExitBadFile;
        }
        out << (options.json ? exportJson(written) + "\n" : exportDone(written));
        return kExitDone;
    }
    // diff
    files::CheckedSettings left, right;
    if (!readFile(options.files[0], left) || !readFile(options.files[1], right)) return kExitBadFile;
    const hss_device_family_t family = left.contents.headerFamily;
    if (right.contents.headerFamily != family) {
        err << "keldor-cli: " << options.files[0] << " holds settings of the " << files::familyText(family) << ", "
            << options.files[1] << " of the " << files::familyText(right.contents.headerFamily)
            << ": the two cannot be compared.\n";
        return kExitBadFile;
    }
    regmap::CompareOptions compare;
    compare.scope = regmap::CompareScope::EitherImage;
    const regmap::ImageComparison comparison = regmap::compareImages(
        family, settingsImage(left.settings), settingsImage(right.settings), regmap::TextContext{}, compare);
    const std::vector<std::string> lines = regmap::describeDifferences(comparison, options.files[0], options.files[1]);
    if (options.json) {
        std::vector<std::string> quoted;
        for (const std::string& line : lines) quoted.push_back(jsonString(line));
        out << JsonObject().add("ok", comparison.identical()).addRaw("differences", jsonArray(quoted)).text() << "\n";
    } else if (comparison.identical()) {
        out << "The files hold the same settings.\n";
    } else {
        out << "The files differ in " << comparison.fieldCount() << " field(s) in " << comparison.registers.size()
            << " register(s):\n";
        for (const std::string& line : lines) out << "  " << line << "\n";
    }
    return comparison.identical() ? kExitDone : kExitMismatch;
}

int runCli(const CliOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.command == "diff" || (options.command == "export" && !options.from.empty()))
        return runFileCommand(options, out, err);
    Targets targets = chooseTargets(options);
    if (targets.boards.empty()) {
        err << "keldor-cli: " << targets.error << "\n";
        return targets.exit == kExitDone ? kExitNoBoard : targets.exit;
    }
    if (options.command == "list") return list(options, targets.boards, out);
    if (options.all) return runOnAll(options, targets.boards, out, err);
    if (targets.boards.size() > 1) {
        err << "keldor-cli: " << targets.boards.size()
            << " boards are attached; pick one with --serial SN, or use --all with write, verify or identify\n";
        return kExitUsage;
    }
    const BoardResult result = runBoardCommand(options, targets.boards[0], out, err);
    print(options, result, out, err);
    return result.exit;
}

}  // namespace hss::cli
