#pragma once
// The commands of keldor-cli. A board command works one board through a
// BoardSession and hands back what to print, so that --all can run one
// board a thread and print the results in order afterwards.

#include <cstdint>
#include <iosfwd>
#include <string>

#include "cli/CliOptions.h"

namespace hss::session {
struct BoardTarget;
}

namespace hss::cli {

struct BoardResult {
    int exit = kExitDone;
    std::string text;     // human output (lines)
    std::string json;     // the same as one JSON object
    std::string summary;  // one line for a run over several boards
    std::string error;    // for standard error; empty when all went well
    uint64_t exchanges = 0;  // commands exchanged with the board
};

// identify, read, write, verify, export (from the chip), faults, sense,
// selftest on one board. Streams (faults --watch, sense progress) write to
// out and err as they go.
BoardResult runBoardCommand(const CliOptions& options, session::BoardTarget& target, std::ostream& out,
                            std::ostream& err);

// diff and export --from: files only.
int runFileCommand(const CliOptions& options, std::ostream& out, std::ostream& err);

// The whole program after parsing: picks the boards and runs the command.
int runCli(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace hss::cli
