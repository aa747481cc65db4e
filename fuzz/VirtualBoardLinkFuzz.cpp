// The tool's side of a virtual board connection reading arbitrary bytes from
// the board: the input is everything the board sends, after which it hangs
// up. The session greets, then writes and reads reports until the
// connection is dropped; it never reads past what it asked for and never
// hands back more bytes than the caller's buffer holds.

#include "FuzzTarget.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstring>

#include "link/HSSVirtualBoardSession.h"

namespace {

// Enough requests to use up any input the fuzzer makes, few enough that the
// session's requests (never read by the fake board) fit the socket buffer.
constexpr int kMaxRequests = 64;
constexpr std::array<std::size_t, 4> kReplyLengths{7, 11, 63, 13};
constexpr std::array<uint8_t, 4> kReplyIds{0x3C, 0x3B, 0x3D, 0x3E};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    int fds[2];
    FUZZ_CHECK(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) == 0);
    const int board = fds[1];
    ::fcntl(board, F_SETFL, O_NONBLOCK);
    // What does not fit the socket buffer is cut off, as a board that hung up.
    std::size_t sent = 0;
    while (sent < size) {
        const ssize_t n = ::send(board, data + sent, size - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
    }
    ::shutdown(board, SHUT_WR);

    VirtualBoardSession session("fuzz");
    uint64_t generation = 0;
    if (session.adoptConnection(fds[0], &generation)) {
        FUZZ_CHECK(generation != 0);
        std::array<uint8_t, 256> report{};
        for (int i = 0; i < kMaxRequests && session.generation() == generation; ++i) {
            if (i % 2 == 0) {
                report.fill(0);
                report[0] = 0x3F;
                session.setFeature(generation, report.data(), 65);
                continue;
            }
            const std::size_t which = static_cast<std::size_t>(i / 2) % kReplyLengths.size();
            report.fill(0xA5);
            report[0] = kReplyIds[which];
            const long received = session.getFeature(generation, report.data(), kReplyLengths[which]);
            FUZZ_CHECK(received >= -1 && received <= static_cast<long>(kReplyLengths[which]));
            // Nothing past the asked length is touched.
            for (std::size_t b = kReplyLengths[which]; b < report.size(); ++b) FUZZ_CHECK(report[b] == 0xA5);
        }
    }
    // Once dropped, the connection stays unusable.
    if (session.generation() == 0) {
        uint8_t byte = 0x3C;
        FUZZ_CHECK(session.getFeature(generation, &byte, 1) == -1);
    }
    ::close(board);
    return 0;
}
