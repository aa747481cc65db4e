#include "link/HSSVirtualBoardSession.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// A board that does not answer within this time is taken as gone.
constexpr int kReplyTimeoutMs = 2000;

bool sendAll(int fd, const std::vector<uint8_t>& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

bool receiveExact(int fd, uint8_t* out, std::size_t length) {
    std::size_t got = 0;
    while (got < length) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, kReplyTimeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        const ssize_t n = ::recv(fd, out + got, length - got, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

namespace vboard {

std::vector<uint8_t> frame(uint8_t type, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> out;
    out.reserve(kFrameHeader + body.size());
    out.push_back(type);
    out.push_back(static_cast<uint8_t>(body.size() & 0xFFu));
    out.push_back(static_cast<uint8_t>((body.size() >> 8) & 0xFFu));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::optional<VirtualBoardHello> parseHello(const std::vector<uint8_t>& body) {
    if (body.size() < 6) return std::nullopt;
    auto u16 = [&](std::size_t at) { return static_cast<uint16_t>(body[at] | (body[at + 1] << 8)); };
    VirtualBoardHello hello;
    hello.vendorId = u16(0);
    hello.productId = u16(2);
    hello.featureReportLength = u16(4);
    std::size_t pos = 6;
    for (std::string* text : {&hello.manufacturer, &hello.product, &hello.serialNumber}) {
        if (pos >= body.size()) return std::nullopt;
        const std::size_t count = body[pos++];
        if (pos + count > body.size()) return std::nullopt;
        text->assign(reinterpret_cast<const char*>(body.data() + pos), count);
        pos += count;
    }
    return hello;
}

std::vector<uint8_t> encodeHello(const VirtualBoardHello& hello) {
    std::vector<uint8_t> body;
    for (uint16_t v : {hello.vendorId, hello.productId, hello.featureReportLength}) {
        body.push_back(static_cast<uint8_t>(v & 0xFFu));
        body.push_back(static_cast<uint8_t>(v >> 8));
    }
    for (const std::string* text : {&hello.manufacturer, &hello.product, &hello.serialNumber}) {
        const std::size_t count = text->size() > 255 ? 255 : text->size();
        body.push_back(static_cast<uint8_t>(count));
        body.insert(body.end(), text->begin(), text->begin() + static_cast<std::ptrdiff_t>(count));
    }
    return body;
}

}  // namespace vboard

VirtualBoardSession::VirtualBoardSession(std::string socketPath) : socketPath_(std::move(socketPath)) {}

VirtualBoardSession::~VirtualBoardSession() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<VirtualBoardHello> VirtualBoardSession::connect(uint64_t* generation) {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0) {
        if (generation) *generation = generation_;
        return hello_;
    }

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath_.empty() || socketPath_.size() >= sizeof address.sun_path) {
        lastError_ = "Invalid board socket path";
        return std::nullopt;
    }
    std::memcpy(address.sun_path, socketPath_.c_str(), socketPath_.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        lastError_ = std::strerror(errno);
        return std::nullopt;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        lastError_ = std::string("No board at ") + socketPath_ + ": " + std::strerror(errno);
        ::close(fd);
        return std::nullopt;
    }
    return greetLocked(fd, generation);
}

std::optional<VirtualBoardHello> VirtualBoardSession::adoptConnection(int fd, uint64_t* generation) {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    generation_ = 0;
    return greetLocked(fd, generation);
}

std::optional<VirtualBoardHello> VirtualBoardSession::greetLocked(int fd, uint64_t* generation) {
    fd_ = fd;
    generation_ = nextGeneration_++;
    std::vector<uint8_t> reply;
    if (!exchange(vboard::kHello, {}, reply)) return std::nullopt;
    auto hello = vboard::parseHello(reply);
    if (!hello) {
        drop("Malformed HELLO reply from the board");
        return std::nullopt;
    }
    hello_ = *hello;
    if (generation) *generation = generation_;
    return hello_;
}

bool VirtualBoardSession::checkConnection() {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return false;
    pollfd p{fd_, POLLIN | POLLRDHUP, 0};
    if (::poll(&p, 1, 0) > 0) {
        // The board speaks only when asked: anything readable now is a
        // hang-up or a protocol error.
        drop("The board closed the connection");
        return false;
    }
    return true;
}

uint64_t VirtualBoardSession::generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

void VirtualBoardSession::disconnect(uint64_t generation) {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0 && generation == generation_) {
        ::close(fd_);
        fd_ = -1;
        generation_ = 0;
    }
}

uint64_t VirtualBoardSession::breakCount() const {
    std::lock_guard lock(mutex_);
    return breaks_;
}

bool VirtualBoardSession::setFeature(uint64_t generation, const uint8_t* data, std::size_t length) {
    std::lock_guard lock(mutex_);
    if (!usable(generation)) return false;
    if (length == 0 || length > vboard::kMaxBody) {
        lastError_ = "Invalid feature report length";
        return false;
    }
    std::vector<uint8_t> reply;
    if (!exchange(vboard::kSetFeature, std::vector<uint8_t>(data, data + length), reply)) return false;
    if (reply.size() != 1) {
        drop("Malformed SET_FEATURE reply from the board");
        return false;
    }
    if (reply[0] != 0) {
        lastError_ = "The board failed to take the feature report";
        return false;
    }
    return true;
}

long VirtualBoardSession::getFeature(uint64_t generation, uint8_t* data, std::size_t length) {
    std::lock_guard lock(mutex_);
    if (!usable(generation)) return -1;
    if (length == 0 || length > vboard::kMaxBody - 1) {
        lastError_ = "Invalid feature report length";
        return -1;
    }
    const std::vector<uint8_t> request{data[0], static_cast<uint8_t>(length & 0xFFu),
                                       static_cast<uint8_t>(length >> 8)};
    std::vector<uint8_t> reply;
    if (!exchange(vboard::kGetFeature, request, reply)) return -1;
    if (reply.empty() || reply.size() > length + 1) {
        drop("Malformed GET_FEATURE reply from the board");
        return -1;
    }
    if (reply[0] != 0) {
        lastError_ = "The board failed to give the feature report";
        return -1;
    }
    // A board that sends fewer bytes than asked gives a short report; the
    // caller decides what that is worth.
    const std::size_t received = reply.size() - 1;
    std::memcpy(data, reply.data() + 1, received);
    if (received < length) lastError_ = "Short feature report from the board";
    return static_cast<long>(received);
}

std::string VirtualBoardSession::lastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

bool VirtualBoardSession::exchange(uint8_t type, const std::vector<uint8_t>& body, std::vector<uint8_t>& reply) {
    if (!sendAll(fd_, vboard::frame(type, body))) {
        drop("Lost the connection to the board");
        return false;
    }
    uint8_t header[vboard::kFrameHeader];
    if (!receiveExact(fd_, header, sizeof header)) {
        drop("Lost the connection to the board");
        return false;
    }
    const std::size_t length = static_cast<std::size_t>(header[1] | (header[2] << 8));
    if (header[0] != (type | vboard::kReplyFlag) || length > vboard::kMaxBody) {
        drop("Protocol error from the board");
        return false;
    }
    reply.assign(length, 0);
    if (length > 0 && !receiveExact(fd_, reply.data(), length)) {
        drop("Lost the connection to the board");
        return false;
    }
    return true;
}

bool VirtualBoardSession::usable(uint64_t generation) {
    if (fd_ < 0 || generation != generation_) {
        lastError_ = "The board is not connected";
        return false;
    }
    return true;
}

void VirtualBoardSession::drop(const std::string& reason) {
    lastError_ = reason;
    if (fd_ >= 0) {
        ::close(fd_);
        ++breaks_;
    }
    fd_ = -1;
    generation_ = 0;
}
