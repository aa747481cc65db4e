#pragma once
// One client connection of a virtual board: the message framing of the
// virtual-board socket protocol and the answers the board gives, kept free
// of sockets so it can be tested on bytes alone.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class EmulatedBoard;

namespace vboard {

inline constexpr uint8_t kHello = 0x01;
inline constexpr uint8_t kSetFeature = 0x02;
inline constexpr uint8_t kGetFeature = 0x03;
inline constexpr uint8_t kReplyFlag = 0x80;
inline constexpr std::size_t kHeaderLength = 3;
inline constexpr std::size_t kMaxBody = 4096;

struct Message {
    uint8_t type = 0;
    std::vector<uint8_t> body;
};

std::vector<uint8_t> encode(const Message& message);

enum class Parse { Complete, NeedMore, Error };
// Takes the first complete message off the front of `buffer`. Error: a body
// longer than the protocol allows.
Parse takeMessage(std::vector<uint8_t>& buffer, Message& out);

}  // namespace vboard

class VirtualBoardSession {
public:
    // traceLine (may be empty) receives one line per report: "> " and the
    // hex bytes of a report written to the board, "< " and those of a report
    // read back.
    explicit VirtualBoardSession(EmulatedBoard& board,
                                 std::function<void(const std::string&)> traceLine = {});

    // The reply to one request, or nullopt when the client broke the
    // protocol and must be disconnected.
    std::optional<vboard::Message> answer(const vboard::Message& request);

private:
    vboard::Message hello() const;
    vboard::Message setFeature(const std::vector<uint8_t>& report);
    vboard::Message getFeature(const std::vector<uint8_t>& body);

    EmulatedBoard& board;
    std::function<void(const std::string&)> trace;
    bool greeted = false;
};

std::string hexLine(const uint8_t* data, std::size_t length);
