// The emulated bench's `board` lines on arbitrary text: each line of the
// input is parsed and, when it parses, carried out on one board whose clock
// steps 10 ms a line, as velmara-emu's standard input would do.

#include "FuzzTarget.h"

#include <chrono>
#include <memory>
#include <string>

#include "emulator/BenchCommand.h"
#include "emulator/EmulatedBoard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    auto clock = std::make_shared<ManualBoardClock>();
    EmulatedBoard board(EmulatedBoard::kDefaultDeviceId, clock);
    board.setTraceCapacity(0);

    std::string_view rest = fuzz::text(data, size);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);

        const auto parsed = parseBenchCommand(line);
        if (const auto* error = std::get_if<BenchError>(&parsed)) {
            FUZZ_CHECK(!error->message.empty());
            continue;
        }
        const BenchCommand& command = std::get<BenchCommand>(parsed);
        FUZZ_CHECK(command.channel == 0 || command.channel == 1);
        const BenchReply reply = runBenchCommand(board, command);
        if (!reply.answer.empty()) FUZZ_CHECK(reply.answer.starts_with("BOARD "));
        clock->advance(std::chrono::milliseconds(10));
        // The board keeps working whatever the bench did to it.
        board.loadCurrent(0);
        board.i2tLevel(1);
    }
    return 0;
}
