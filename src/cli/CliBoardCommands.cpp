// The commands that work a board: identify, read, write, verify, export
// from the chip, faults, sense and selftest.

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <thread>

#include "cli/CliCommands.h"
#include "cli/CliShared.h"
#include "cli/JsonText.h"
#include "device/FaultHistory.h"
#include "device/HSSRegisterMap.h"
#include "device/SafetyDiagnostics.h"
#include "editor/registers/RegisterComparison.h"
#include "editor/registers/RegisterReadout.h"
#include "files/CExportFiles.h"
#include "files/FileReplace.h"
#include "files/SettingsCheck.h"
#include "files/SettingsFile.h"
#include "measure/SenseLogWriter.h"
#include "measure/SenseResistor.h"
#include "measure/SenseSample.h"
#include "measure/SenseSources.h"
#include "protocol/HSSProtocol.h"
#include "session/BoardSession.h"
#include "session/BoardTargets.h"

namespace hss::cli {

namespace {

using namespace std::chrono_literals;
using session::BoardSession;
using session::SessionFailure;

int exitFor(SessionFailure failure)
{
    switch (failure) {
    case SessionFailure::None:
        return kExitDone;
    case SessionFailure::NoBoard:
    case SessionFailure::NoPart:
        return kExitNoBoard;
    case SessionFailure::Link:
        return kExitLinkFailed;
    }
    return kExitLinkFailed;
}

BoardResult failed(const BoardSession& board)
{
    BoardResult result;
    result.exit = exitFor(board.failure());
    result.error = board.error();
    result.summary = board.label() + ": FAILED: " + board.error();
    result.json = JsonObject().add("board", board.label()).add("ok", false).add("error", board.error()).text();
    return result;
}

BoardResult failedWith(const BoardSession& board, int exit, const std::string& message)
{
    BoardResult result;
    result.exit = exit;
    result.error = message;
    result.summary = board.label() + ": FAILED: " + message;
    result.json = JsonObject().add("board", board.label()).add("ok", false).add("error", message).text();
    return result;
}

// Opens the board and identifies a supported part on it.
bool prepare(BoardSession& board)
{
    return board.open(3s) && board.identify() && board.failure() == SessionFailure::None;
}

regmap::TextContext textContext(BoardSession& board)
{
    return regmap::TextContext{board.part() ? board.part()->devId : uint16_t(0), std::nullopt};
}

std::string familyName(hss_device_family_t family) { return family == HSS_FAMILY_18PWP ? "18-pin" : "16-pin"; }

std::string firmwareText(uint16_t version)
{
    char text[8];
    std::snprintf(text, sizeof text, "v%04X", version);
    return text;
}

// ---------------------------------------------------------------- identify

BoardResult identify(BoardSession& board)
{
    if (!prepare(board)) return failed(board);
    const auto firmware = board.firmwareVersion();
    if (!firmware) return failed(board);
    const session::PartIdentity& part = *board.part();
    BoardResult result;
    std::ostringstream text;
    text << "Part:        " << part.name << "\n"
         << "Family:      " << files::familyText(part.family) << "\n"
         << "Device ID:   " << regmap::hexWord(part.devId) << "\n"
         << "Firmware:    " << firmwareText(*firmware) << "\n"
         << "Safety part: " << (part.safetyPart ? "yes" : "no") << "\n";
    if (!part.description.empty()) text << "Description: " << part.description << "\n";
    result.text = text.str();
    result.summary = board.label() + ": " + part.name + " (" + familyName(part.family) + ", DEVID " +
                     regmap::hexWord(part.devId) + ", firmware " + firmwareText(*firmware) + ")";
    result.json = JsonObject()
                      .add("board", board.label())
                      .add("ok", true)
                      .add("part", part.name)
                      .add("family", familyName(part.family))
                      .add("devid", regmap::hexWord(part.devId))
                      .add("firmware", firmwareText(*firmware))
                      .add("safety", part.safetyPart)
                      .add("description", part.description)
                      .text();
    return result;
}

// ---------------------------------------------------------------- read

std::vector<uint8_t> catalogueAddresses(hss_device_family_t family)
{
    std::vector<uint8_t> addresses;
    for (const regmap::RegisterInfo& reg : regmap::registerCatalogue(family)) addresses.push_back(reg.address);
    return addresses;
}

BoardResult read(const CliOptions& options, BoardSession& board)
{
    if (!prepare(board)) return failed(board);
    const std::string format = !options.format.empty() ? options.format : options.json ? "json" : "table";
    std::string output;
    if (format == "settings") {
        if (!board.readBack()) return failed(board);
        output = files::settingsFileText(board.family(), board.sixteenPin, board.eighteenPin).value_or("");
    } else {
        const auto image = board.readRegisters(catalogueAddresses(board.family()));
        if (!image) return failed(board);
        const auto rows = regmap::readRegisters(board.family(), *image, textContext(board));
        output = format == "json" ? registersJson(board, rows) + "\n" : regmap::readoutText(rows, {});
    }
    BoardResult result;
    if (options.output.empty()) {
        result.text = output;
        result.json = output;
        return result;
    }
    if (const auto error = files::writeFileReplacing(options.output, output))
        return failedWith(board, kExitBadFile, options.output + " could not be written: " + *error);
    result.text = "Configuration of " + board.part()->name + " written to " + options.output + "\n";
    result.json = JsonObject().add("board", board.label()).add("ok", true).add("file", options.output).text();
    return result;
}

// ---------------------------------------------------------------- write and verify

// The file checked against the identified family: exit 4 and nothing sent
// when it is not the family's.
std::optional<BoardResult> refuseFile(BoardSession& board, const files::CheckedSettings& file, const std::string& path)
{
    if (file.contents.headerFamily == board.family()) return std::nullopt;
    return failedWith(board, kExitBadFile,
                      path + " holds settings of the " + files::familyText(file.contents.headerFamily) +
                          ", but the part in use is of the " + files::familyText(board.family()) +
                          ". Nothing was written.");
}

BoardResult compareWithChip(BoardSession& board, const files::CheckedSettings& file, const std::string& path,
                            const std::string& done)
{
    const regmap::ImageComparison comparison = regmap::compareImages(
        board.family(), board.configurationImage(), settingsImage(file.settings), textContext(board));
    BoardResult result;
    std::vector<std::string> lines = regmap::describeDifferences(comparison, "chip", "file");
    std::vector<std::string> jsonLines;
    for (const std::string& line : lines) jsonLines.push_back(jsonString(line));
    JsonObject json;
    json.add("board", board.label()).add("ok", comparison.identical()).add("file", path);
    json.add("registers", int64_t(file.settings.size())).addRaw("differences", jsonArray(jsonLines));
    result.json = json.text();
    if (comparison.identical()) {
        result.text = done + "\n";
        result.summary = board.label() + ": OK: " + done;
        return result;
    }
    result.exit = kExitMismatch;
    const std::string count = std::to_string(comparison.fieldCount()) + " field(s) in " +
                              std::to_string(comparison.registers.size()) + " register(s)";
    std::string text = "The chip differs from " + path + " in " + count + ":\n";
    for (const std::string& line : lines) text += "  " + line + "\n";
    result.error = text;
    result.summary = board.label() + ": DIFFERS from " + path + " in " + count;
    return result;
}

BoardResult write(const CliOptions& options, BoardSession& board, const files::CheckedSettings& file)
{
    const std::string& path = options.files[0];
    if (!prepare(board)) return failed(board);
    if (auto refused = refuseFile(board, file, path)) return *refused;
    if (options.flash) {
        // Refused before anything is written: a half-done --flash is no result.
        const auto firmware = board.firmwareVersion();
        if (!firmware) return failed(board);
        if (*firmware < 0x20B0)
            return failedWith(board, kExitLinkFailed,
                              "board firmware " + firmwareText(*firmware) +
                                  " has no configuration flash (needs v20B0 or later); nothing was written");
    }
    // Registers the file leaves out keep the chip's values, as a load in the window does.
    if (!board.readBack()) return failed(board);
    files::applySettingsRecords(board.family(), file.settings, board.sixteenPin, board.eighteenPin);
    if (!board.writeOut()) return failed(board);
    if (options.noVerify) {
        if (!board.done()) return failed(board);
    } else if (!board.readBack()) {
        return failed(board);
    }
    if (options.flash && !board.storeInFlash()) return failed(board);
    const std::string done = std::to_string(file.settings.size()) + " register(s) of " + path + " written" +
                             (options.noVerify ? " (not verified)" : " and verified") +
                             (options.flash ? ", stored in the board's flash" : "");
    if (options.noVerify) {
        BoardResult result;
        result.text = done + "\n";
        result.summary = board.label() + ": OK: " + done;
        result.json = JsonObject().add("board", board.label()).add("ok", true).add("file", path).add("verified", false).text();
        return result;
    }
    return compareWithChip(board, file, path, done);
}

BoardResult verify(const CliOptions& options, BoardSession& board, const files::CheckedSettings& file)
{
    const std::string& path = options.files[0];
    if (!prepare(board)) return failed(board);
    if (auto refused = refuseFile(board, file, path)) return *refused;
    if (!board.readBack()) return failed(board);
    return compareWithChip(board, file, path, "the chip holds " + path);
}

// ---------------------------------------------------------------- export

BoardResult exportFromChip(const CliOptions& options, BoardSession& board)
{
    if (!prepare(board) || !board.readBack()) return failed(board);
    const files::CExportWritten written = writeExport(options.files[0], board.family(), board.sixteenPin, board.eighteenPin);
    if (!written.ok()) return failedWith(board, kExitBadFile, exportProblem(written, options.files[0]));
    BoardResult result;
    result.text = exportDone(written);
    result.json = exportJson(written);
    return result;
}

// ---------------------------------------------------------------- faults

std::atomic<bool> interrupted{false};

void onInterrupt(int) { interrupted = true; }

std::string faultChannelText(FaultId fault)
{
    const int channel = faultChannel(fault);
    return channel == 0 ? "DEV" : "CH" + std::to_string(channel);
}

BoardResult faults(const CliOptions& options, BoardSession& board, std::ostream& out)
{
    if (!prepare(board)) return failed(board);
    FaultRecords records;
    const auto words = board.readFaultWords();
    if (!words) return failed(board);
    const FaultRedraw first = redrawFaults(records, board.family(), *words);
    if (!options.watch) {
        BoardResult result;
        std::vector<std::string> rows;
        std::string text;
        for (const FaultRedraw::Lamp& lamp : first.lamps) {
            const FaultText& names = faultText(lamp.fault);
            rows.push_back(JsonObject()
                               .add("channel", faultChannelText(lamp.fault))
                               .add("record", names.name)
                               .add("set", lamp.faulted)
                               .text());
            if (lamp.faulted) text += faultChannelText(lamp.fault) + "  " + std::string(names.name) + "\n";
        }
        result.text = text.empty() ? "No faults.\n" : "Faults set:\n" + text;
        result.json = JsonObject().add("board", board.label()).add("ok", true).addRaw("faults", jsonArray(rows)).text();
        return result;
    }

    interrupted = false;
    const auto previous = std::signal(SIGINT, onInterrupt);
    const auto started = std::chrono::steady_clock::now();
    const auto until = options.duration ? started + std::chrono::milliseconds(int64_t(*options.duration * 1000))
                                        : std::chrono::steady_clock::time_point::max();
    FaultHistory history;
    uint64_t events = 0;
    const auto report = [&](const FaultRedraw& redraw) {
        const auto now = std::chrono::system_clock::now();
        const auto line = [&](FaultId fault, bool raised) {
            const FaultEvent& event = raised ? history.raise(fault, now) : history.clear(fault, now);
            ++events;
            if (options.json) {
                JsonObject json;
                json.add("time", formatEventTime(event.time)).add("channel", faultChannelText(fault));
                json.add("record", faultText(fault).name).add("event", raised ? "raised" : "cleared");
                if (event.duration) json.add("duration_ms", int64_t(event.duration->count()));
                out << json.text() << "\n";
            } else {
                out << formatEventTime(event.time) << "  " << faultChannelText(fault) << "  " << faultText(fault).name
                    << "  " << (raised ? "raised" : "cleared");
                if (event.duration) out << " after " << formatDuration(*event.duration);
                out << "\n";
            }
            out.flush();
        };
        for (FaultId fault : redraw.raised) line(fault, true);
        for (FaultId fault : redraw.cleared) line(fault, false);
    };
    report(first);
    bool ok = true;
    while (!interrupted && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(100ms);
        const auto next = board.readFaultWords();
        if (!next) {
            ok = false;
            break;
        }
        report(redrawFaults(records, board.family(), *next));
    }
    std::signal(SIGINT, previous);
    if (!ok) return failed(board);
    BoardResult result;
    result.text = "";
    result.json = "";
    result.summary = std::to_string(events) + " fault event(s)";
    return result;
}

// ---------------------------------------------------------------- sense

int quantityIndex(const std::string& quantity)
{
    if (quantity == "output") return 1;
    if (quantity == "vds") return 2;
    if (quantity == "temperature") return 3;
    return 0;
}

BoardResult sense(const CliOptions& options, BoardSession& board, std::ostream& err)
{
    if (!prepare(board) || !board.readBack()) return failed(board);
    const int index = quantityIndex(options.quantity);
    const measure::SenseQuantity& quantity = measure::senseQuantities[std::size_t(index)];
    const auto registers = measure::senseRegisters(board.family(), index);
    if (!registers) return failedWith(board, kExitNoBoard, "this part has no " + options.quantity + " sense");

    measure::SenseLogWriter log;
    measure::SenseLogLayout layout;
    layout.quantity = std::string(quantity.columnName);
    layout.unit = std::string(quantity.unit);
    if (const std::string error = log.open(options.output, layout); !error.empty())
        return failedWith(board, kExitBadFile, options.output + " could not be written: " + error);

    ZVRxQxx16PINConfiguration& record = board.record();
    for (const measure::SenseWrite& write : measure::sensingOnWrites(board.family(), record))
        board.send(std::make_unique<HSSSingleWriteCmd>(write.address, write.value));
    const auto addresses = registers->inOrder();
    board.send(std::make_unique<HSSSenseConfigCmd>(std::vector<uint8_t>(addresses.begin(), addresses.end()),
                                                   measure::kSenseIntervalMs));
    measure::SenseChannelSetup setup;
    setup.switchState = static_cast<uint8_t>(record.getSwitchState() & 0x3);
    setup.chanDiagConfig = {record.getChanDiagConfig(0), record.getChanDiagConfig(1)};
    setup.ksnsRatio = record.getKSNSRatio();
    setup.ksnsRatioScale = record.getKSNSRatioScale();
    const bool wanted[2] = {std::find(options.channels.begin(), options.channels.end(), 1) != options.channels.end(),
                            std::find(options.channels.begin(), options.channels.end(), 2) != options.channels.end()};

    interrupted = false;
    const auto previous = std::signal(SIGINT, onInterrupt);
    const auto period = std::chrono::milliseconds(measure::kSenseIntervalMs);
    const auto started = std::chrono::steady_clock::now();
    const auto until = started + std::chrono::milliseconds(int64_t(*options.duration * 1000));
    auto next = started;
    auto nextProgress = started + 1s;
    std::size_t samples = 0;
    std::string writeError;
    bool ok = true;
    while (!interrupted && next < until) {
        std::this_thread::sleep_until(next);
        next += period;
        auto poll = board.pollSense();
        if (!poll) {
            ok = false;
            break;
        }
        const auto& words = poll->getPollReadResults();
        const auto sample = measure::decodeSenseSample({words[0], words[1], words[2]}, quantity.format, setup,
                                                       measure::kDefaultSenseResistorOhms);
        if (!sample) continue;  // a switched-on channel without a valid conversion
        const auto logged = [&](std::size_t ch) {
            if (!wanted[ch] || sample->ratioMissing[ch]) return std::optional<float>();
            return std::optional<float>(sample->channel[ch]);
        };
        writeError = log.writeSample(sample->supplyVoltage, logged(0), logged(1));
        if (!writeError.empty()) break;
        ++samples;
        if (std::chrono::steady_clock::now() >= nextProgress) {
            nextProgress += 1s;
            const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            char line[96];
            std::snprintf(line, sizeof line, "sense: %.0f of %.0f s, %zu samples\n", elapsed, *options.duration,
                          samples);
            err << line << std::flush;
        }
    }
    std::signal(SIGINT, previous);
    board.send(std::make_unique<HSSSenseConfigCmd>(uint8_t(0)));
    const std::string closeError = log.close();
    if (!ok) return failed(board);
    if (!writeError.empty() || !closeError.empty())
        return failedWith(board, kExitBadFile,
                          options.output + " could not be written: " + (writeError.empty() ? closeError : writeError));
    if (!board.done()) return failed(board);
    BoardResult result;
    result.text = std::to_string(samples) + " samples of " + std::string(quantity.columnName) + " written to " +
                  options.output + "\n";
    result.json = JsonObject()
                      .add("board", board.label())
                      .add("ok", true)
                      .add("file", options.output)
                      .add("quantity", quantity.columnName)
                      .add("samples", int64_t(samples))
                      .text();
    return result;
}

// ---------------------------------------------------------------- selftest

BoardResult selftest(BoardSession& board)
{
    if (!prepare(board)) return failed(board);
    if (!board.part()->safetyPart)
        return failedWith(board, kExitNoBoard, board.part()->name + " is not a safety part: it has no self-tests");
    std::vector<std::string> rows;
    std::string text;
    for (const SelfTestRow& row : kSelfTestRows) {
        if (row.initiate) {
            board.send(std::make_unique<HSSSingleWriteCmd>(reg16::SAFETY_TEST, row.initiate->setOn(0, true)));
            if (!board.done()) return failed(board);
            std::this_thread::sleep_for(20ms);
        }
        const auto result = board.readSelfTestResult();
        if (!result) return failed(board);
        // Reset: the test's start bit cleared again, as the page's "Reset" does.
        if (row.initiate) board.send(std::make_unique<HSSSingleWriteCmd>(reg16::SAFETY_TEST, uint16_t(0)));
        const bool faulted = row.result.isOn(*result);
        text += std::string(row.tabTitle) + ": " + (faulted ? "FAULTED" : "passed") + "\n";
        rows.push_back(JsonObject().add("test", row.tabTitle).add("faulted", faulted).text());
    }
    if (!board.done()) return failed(board);
    BoardResult result;
    result.text = text;
    result.json = JsonObject().add("board", board.label()).add("ok", true).addRaw("selftests", jsonArray(rows)).text();
    return result;
}

}  // namespace

BoardResult runBoardCommand(const CliOptions& options, session::BoardTarget& target, std::ostream& out,
                            std::ostream& err)
{
    // The file first: a file that cannot be used stops the run before the board is touched.
    files::CheckedSettings file;
    if (options.command == "write" || options.command == "verify") {
        file = files::readCheckedSettings(options.files[0], HSS_FAMILY_NONE);
        if (const std::string problem = fileProblem(file, options.files[0]); !problem.empty()) {
            BoardResult result;
            result.exit = kExitBadFile;
            result.error = options.command == "write" ? problem + " Nothing was written." : problem;
            result.summary = target.label + ": FAILED: " + result.error;
            result.json = JsonObject().add("board", target.label).add("ok", false).add("error", result.error).text();
            return result;
        }
    }
    BoardSession board(std::move(target.deviceLayer), target.label);
    BoardResult result;
    if (options.command == "identify") result = identify(board);
    else if (options.command == "read") result = read(options, board);
    else if (options.command == "write") result = write(options, board, file);
    else if (options.command == "verify") result = verify(options, board, file);
    else if (options.command == "export") result = exportFromChip(options, board);
    else if (options.command == "faults") result = faults(options, board, out);
    else if (options.command == "sense") result = sense(options, board, err);
    else if (options.command == "selftest") result = selftest(board);
    result.exchanges = board.exchanges();
    return result;
}

}  // namespace hss::cli
