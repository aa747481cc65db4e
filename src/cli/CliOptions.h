#pragma once
// The command line of keldor-cli: which boards, which command, its options.

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace hss::cli {

// Exit status of every command.
enum ExitCode : int {
    kExitDone = 0,
    kExitUsage = 1,
    kExitNoBoard = 2,     // no board, or no supported part on it
    kExitMismatch = 3,    // the chip (or the second file) differs
    kExitBadFile = 4,     // a file unreadable, malformed or of the other family
    kExitLinkFailed = 5,  // retries exhausted, or the board removed mid-way
};

struct CliOptions {
    enum class Board { Hardware, Emulated, Socket } board = Board::Hardware;
    std::string serial;                      // --serial: one of several real boards
    std::string emulatedPart;                // --emulate [PART]; "" = the default part
    std::vector<std::string> sockets;        // --board-socket PATH, repeatable
    bool all = false;                        // --all
    bool json = false;                       // --json
    std::string command;                     // list, identify, read, ...
    std::vector<std::string> files;          // write/verify FILE, diff FILE1 FILE2, export FILE.h
    std::string output;                      // -o FILE
    std::string format;                      // read --format
    std::string from;                        // export --from SETTINGS
    bool identify = false;                   // list --identify
    bool flash = false;                      // write --flash
    bool noVerify = false;                   // write --no-verify
    bool watch = false;                      // faults --watch
    std::optional<double> duration;          // --duration S
    std::string quantity = "current";        // sense --quantity
    std::vector<int> channels{1, 2};         // sense --channels
    bool help = false;
    bool version = false;
};

struct CliUsageError {
    std::string message;
};

// args excludes the program name.
std::variant<CliOptions, CliUsageError> parseCliOptions(const std::vector<std::string>& args);

// The --help text (also the man page's synopsis and exit codes).
std::string cliUsage();

}  // namespace hss::cli
