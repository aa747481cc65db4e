#pragma once
// The one connection to a virtual carrier board (Unix socket, framed messages;
// see the virtual board protocol notes). The device layer and the presence
// watcher of a virtual board share one session: the board takes one client at
// a time, so both must use the same connection rather than race for it.
//
// Every connection gets a new generation number. A device handle remembers
// the generation it was opened on and fails once that connection is gone, even
// if the board has come back meanwhile: like a USB handle after a replug.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct VirtualBoardHello {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t featureReportLength = 0;
    std::string manufacturer;
    std::string product;
    std::string serialNumber;
};

namespace vboard {
// Message types of the virtual board protocol.
inline constexpr uint8_t kHello = 0x01;
inline constexpr uint8_t kSetFeature = 0x02;
inline constexpr uint8_t kGetFeature = 0x03;
inline constexpr uint8_t kReplyFlag = 0x80;
inline constexpr std::size_t kMaxBody = 4096;
inline constexpr std::size_t kFrameHeader = 3;

// Frame: type, body length (little-endian), body.
std::vector<uint8_t> frame(uint8_t type, const std::vector<uint8_t>& body);
// Decodes a HELLO reply body; nullopt when it is malformed.
std::optional<VirtualBoardHello> parseHello(const std::vector<uint8_t>& body);
std::vector<uint8_t> encodeHello(const VirtualBoardHello& hello);
}  // namespace vboard

class VirtualBoardSession {
public:
    explicit VirtualBoardSession(std::string socketPath);
    ~VirtualBoardSession();
    VirtualBoardSession(const VirtualBoardSession&) = delete;
    VirtualBoardSession& operator=(const VirtualBoardSession&) = delete;

    const std::string& socketPath() const { return socketPath_; }

    // The HELLO of the live connection; connects and greets first when none
    // is held. nullopt when the board cannot be reached. generation, when
    // given, receives the generation of that connection.
    std::optional<VirtualBoardHello> connect(uint64_t* generation = nullptr);
    // Takes an already connected stream socket (one end of a socket pair, in
    // tests and fuzzing) as the connection, dropping any held one, and greets
    // the board on it. The session owns fd from then on, also on failure.
    std::optional<VirtualBoardHello> adoptConnection(int fd, uint64_t* generation = nullptr);
    // True while a live connection is held; drops one the board has closed.
    bool checkConnection();
    // Generation of the live connection, 0 when there is none.
    uint64_t generation() const;
    // Closes the connection if it is still the one of that generation.
    void disconnect(uint64_t generation);
    // How many connections broke (closed by the board, failed I/O, protocol
    // errors), as opposed to being closed by this side.
    uint64_t breakCount() const;

    // Transfers on the connection of the given generation. A failed status
    // from the board keeps the connection; an I/O or framing error drops it.
    bool setFeature(uint64_t generation, const uint8_t* data, std::size_t length);
    long getFeature(uint64_t generation, uint8_t* data, std::size_t length);

    std::string lastError() const;

private:
    // Caller holds mutex_.
    std::optional<VirtualBoardHello> greetLocked(int fd, uint64_t* generation);
    bool exchange(uint8_t type, const std::vector<uint8_t>& body, std::vector<uint8_t>& reply);
    bool usable(uint64_t generation);
    void drop(const std::string& reason);

    const std::string socketPath_;
    mutable std::mutex mutex_;
    int fd_ = -1;
    uint64_t generation_ = 0;
    uint64_t nextGeneration_ = 1;
    uint64_t breaks_ = 0;
    VirtualBoardHello hello_;
    std::string lastError_;
};
