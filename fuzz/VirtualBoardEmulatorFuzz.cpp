// The emulated board's side of a virtual board connection on arbitrary
// bytes from a client: messages are taken off the stream and answered until
// the stream runs dry or the client breaks the protocol. Every answer keeps
// within the protocol's body limit.

#include "FuzzTarget.h"

#include <chrono>
#include <memory>
#include <vector>

#include "emulator/EmulatedBoard.h"
#include "emulator/tool/VirtualBoardSession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    auto clock = std::make_shared<ManualBoardClock>();
    EmulatedBoard board(EmulatedBoard::kDefaultDeviceId, clock);
    board.setTraceCapacity(0);
    VirtualBoardSession session(board);

    std::vector<uint8_t> pending(data, data + size);
    vboard::Message request;
    while (vboard::takeMessage(pending, request) == vboard::Parse::Complete) {
        const auto reply = session.answer(request);
        if (!reply) break;  // the server drops the client
        FUZZ_CHECK(reply->type == (request.type | vboard::kReplyFlag));
        FUZZ_CHECK(reply->body.size() <= vboard::kMaxBody);
        FUZZ_CHECK(vboard::encode(*reply).size() == vboard::kHeaderLength + reply->body.size());
        if (!board.isPlugged()) break;  // DFU: the board left
        clock->advance(std::chrono::milliseconds(1));
    }
    return 0;
}
