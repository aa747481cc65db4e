#include "emulator/tool/VirtualBoardServer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

#include "emulator/EmulatedBoard.h"
#include "emulator/tool/VirtualBoardSession.h"

struct VirtualBoardServer::Connection {
    VirtualBoardSession session;
    std::vector<uint8_t> pending;
};

namespace {

void printTrace(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

bool fillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// True when something accepts connections on the path.
bool isLive(const sockaddr_un& address) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool live = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return live;
}

}  // namespace

VirtualBoardServer::VirtualBoardServer(EmulatedBoard& emulatedBoard, std::string socketPath, bool trace)
    : board(emulatedBoard), path(std::move(socketPath)), traceReports(trace) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead = fds[0];
        wakeWrite = fds[1];
    }
}

VirtualBoardServer::~VirtualBoardServer() {
    if (clientFd >= 0) dropClient("shutting down");
    closeListener();
    if (wakeRead >= 0) ::close(wakeRead);
    if (wakeWrite >= 0) ::close(wakeWrite);
}

bool VirtualBoardServer::listen(std::string& error) {
    if (wakeRead < 0) {
        error = std::string("cannot create wake-up pipe: ") + std::strerror(errno);
        return false;
    }
    sockaddr_un address{};
    if (!fillAddress(path, address)) {
        error = "socket path is empty or longer than " + std::to_string(sizeof address.sun_path - 1) + " bytes";
        return false;
    }
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode)) {
            error = path + " exists and is not a socket";
            return false;
        }
        if (isLive(address)) {
            error = "another board is already listening on " + path;
            return false;
        }
        ::unlink(path.c_str());  // left behind by a board that did not shut down
    }
    listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    if (::bind(listenFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd, 4) != 0) {
        error = "cannot listen on " + path + ": " + std::strerror(errno);
        ::close(listenFd);
        listenFd = -1;
        return false;
    }
    struct stat created {};
    if (::stat(path.c_str(), &created) == 0) socketInode = created.st_ino;
    return true;
}

void VirtualBoardServer::requestStop() {
    const char byte = 1;
    if (wakeWrite >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(wakeWrite, &byte, 1);
    }
}

bool VirtualBoardServer::run() {
    bool stoppedOnRequest = false;
    while (listenFd >= 0) {
        pollfd fds[3] = {{wakeRead, POLLIN, 0}, {listenFd, POLLIN, 0}, {clientFd, POLLIN, 0}};
        const nfds_t count = clientFd >= 0 ? 3 : 2;
        if (::poll(fds, count, -1) < 0) {
            if (errno == EINTR) continue;
            std::perror("velmara-emu: poll");
            break;
        }
        if (fds[0].revents != 0) {
            stoppedOnRequest = true;
            break;
        }
        if (fds[1].revents & (POLLERR | POLLNVAL)) {
            std::fprintf(stderr, "velmara-emu: listening socket failed\n");
            break;
        }
        // The client first: its readiness belongs to this client only, and
        // a client that left frees the board for whoever is knocking.
        if (count == 3 && fds[2].revents != 0) serveClient();
        if (fds[1].revents & POLLIN) acceptClient();
    }
    // Stopping pulls the board: the client sees the connection close.
    if (clientFd >= 0) dropClient("board stopped");
    board.unplug();
    closeListener();
    return stoppedOnRequest;
}

void VirtualBoardServer::acceptClient() {
    const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    // The last client may have closed in the same moment: its end is read
    // before the newcomer is turned away.
    if (clientFd >= 0 && clientHasLeft()) finishLeftClient();
    if (clientFd >= 0) {
        ::close(fd);  // one client at a time
        return;
    }
    clientFd = fd;
    // A board that left (DFU) comes back powered up for the next client.
    if (!board.isPlugged()) board.plug();
    std::function<void(const std::string&)> trace;
    if (traceReports) trace = printTrace;
    connection = std::make_unique<Connection>(Connection{VirtualBoardSession(board, trace), {}});
    std::fprintf(stderr, "velmara-emu: client connected\n");
}

bool VirtualBoardServer::clientHasLeft() const {
    pollfd client{clientFd, POLLRDHUP, 0};
    return ::poll(&client, 1, 0) == 1 && (client.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

void VirtualBoardServer::finishLeftClient() {
    // Requests it sent before leaving are still answered, as far as the
    // socket takes them; the end of its stream then drops it.
    while (clientFd >= 0) serveClient();
}

void VirtualBoardServer::serveClient() {
    uint8_t buffer[8192];
    const ssize_t received = ::recv(clientFd, buffer, sizeof buffer, 0);
    if (received <= 0) {
        if (received < 0 && errno == EINTR) return;
        dropClient("client disconnected");
        return;
    }
    connection->pending.insert(connection->pending.end(), buffer, buffer + received);
    vboard::Message request;
    for (;;) {
        const vboard::Parse parsed = vboard::takeMessage(connection->pending, request);
        if (parsed == vboard::Parse::NeedMore) return;
        if (parsed == vboard::Parse::Error) {
            dropClient("protocol error (body too long)");
            return;
        }
        const auto reply = connection->session.answer(request);
        if (!reply) {
            dropClient("protocol error");
            return;
        }
        if (!sendAll(vboard::encode(*reply))) {
            dropClient("write to client failed");
            return;
        }
        if (!board.isPlugged()) {
            dropClient("board left (DFU)");
            return;
        }
    }
}

bool VirtualBoardServer::sendAll(const std::vector<unsigned char>& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(clientFd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

void VirtualBoardServer::dropClient(const char* why) {
    if (clientFd >= 0) {
        ::shutdown(clientFd, SHUT_RDWR);
        ::close(clientFd);
        clientFd = -1;
        std::fprintf(stderr, "velmara-emu: %s\n", why);
    }
    connection.reset();
}

void VirtualBoardServer::closeListener() {
    if (listenFd < 0) return;
    ::close(listenFd);
    listenFd = -1;
    // Remove the socket file only if it is still ours.
    struct stat current {};
    if (::stat(path.c_str(), &current) == 0 && current.st_ino == socketInode) ::unlink(path.c_str());
}
