#include "TestBoardServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace {

bool readExact(int fd, uint8_t* out, std::size_t length) {
    std::size_t got = 0;
    while (got < length) {
        const ssize_t n = ::recv(fd, out + got, length - got, 0);
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool sendFrame(int fd, uint8_t type, const std::vector<uint8_t>& body) {
    const auto bytes = vboard::frame(type, body);
    return ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

}  // namespace

TestBoardServer::TestBoardServer(std::string path) : path_(std::move(path)) {}

TestBoardServer::~TestBoardServer() { stop(); }

void TestBoardServer::start() {
    ::unlink(path_.c_str());
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listenFd_, 4) != 0)
        throw std::runtime_error("cannot listen on " + path_);
    if (::pipe(wakePipe_) != 0) throw std::runtime_error("pipe");
    thread_ = std::thread([this] { run(); });
}

void TestBoardServer::stop() {
    if (!thread_.joinable()) return;
    const uint8_t wake = 1;
    (void)!::write(wakePipe_[1], &wake, 1);
    thread_.join();
    ::close(wakePipe_[0]);
    ::close(wakePipe_[1]);
    ::close(listenFd_);
    ::unlink(path_.c_str());
    listenFd_ = -1;
}

std::vector<std::vector<uint8_t>> TestBoardServer::setReports() {
    std::lock_guard lock(mutex_);
    return setReports_;
}

void TestBoardServer::run() {
    int client = -1;
    for (;;) {
        pollfd fds[3] = {{wakePipe_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}, {client, POLLIN, 0}};
        if (::poll(fds, client >= 0 ? 3 : 2, -1) < 0) continue;
        if (fds[0].revents) break;
        if (client >= 0 && fds[2].revents && !serve(client)) {
            ::close(client);
            client = -1;
            continue;
        }
        if (fds[1].revents & POLLIN) {
            const int incoming = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (incoming < 0) continue;
            if (client >= 0) {  // one client at a time
                ++rejected_;
                ::close(incoming);
            } else {
                ++accepted_;
                client = incoming;
            }
        }
    }
    if (client >= 0) ::close(client);
}

bool TestBoardServer::serve(int client) {
    uint8_t header[3];
    if (!readExact(client, header, 3)) return false;
    std::vector<uint8_t> body(static_cast<std::size_t>(header[1] | (header[2] << 8)));
    if (!body.empty() && !readExact(client, body.data(), body.size())) return false;
    switch (header[0]) {
    case vboard::kHello: return sendFrame(client, 0x81, vboard::encodeHello(hello));
    case vboard::kSetFeature: {
        {
            std::lock_guard lock(mutex_);
            setReports_.push_back(body);
        }
        if (dropAfterSets >= 0 && dropAfterSets-- == 0) return false;
        const bool fails = failSets > 0 && failSets-- > 0;
        return sendFrame(client, 0x82, {static_cast<uint8_t>(fails ? 1 : 0)});
    }
    case vboard::kGetFeature: {
        if (body.size() != 3) return false;
        std::size_t count = static_cast<std::size_t>(body[1] | (body[2] << 8));
        if (shortGets > 0 && shortGets-- > 0) count /= 2;
        std::vector<uint8_t> reply{0};
        reply.push_back(body[0]);
        reply.resize(count + 1, fill.load());
        return sendFrame(client, 0x83, reply);
    }
    default: return false;
    }
}
