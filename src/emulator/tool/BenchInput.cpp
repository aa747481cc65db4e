#include "emulator/tool/BenchInput.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "emulator/BenchCommand.h"

void LineSplitter::feed(const char* data, std::size_t length, const std::function<void(const std::string&)>& line) {
    for (std::size_t i = 0; i < length; ++i) {
        if (data[i] != '\n') {
            partial += data[i];
            continue;
        }
        if (!partial.empty() && partial.back() == '\r') partial.pop_back();
        const std::string complete = std::move(partial);
        partial.clear();
        line(complete);
    }
}

void LineSplitter::finish(const std::function<void(const std::string&)>& line) {
    if (partial.empty()) return;
    if (partial.back() == '\r') partial.pop_back();
    const std::string last = std::move(partial);
    partial.clear();
    line(last);
}

BenchInput::BenchInput(EmulatedBoard& emulatedBoard, int fd, Print answer, Print error)
    : board(emulatedBoard), inputFd(fd), printAnswer(std::move(answer)), printError(std::move(error)) {}

BenchInput::~BenchInput() {
    stop();
    if (wakeRead >= 0) ::close(wakeRead);
    if (wakeWrite >= 0) ::close(wakeWrite);
}

bool BenchInput::start(std::string& error) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = std::string("cannot create wake-up pipe: ") + std::strerror(errno);
        return false;
    }
    wakeRead = fds[0];
    wakeWrite = fds[1];
    reader = std::thread([this] { run(); });
    return true;
}

void BenchInput::stop() {
    if (!reader.joinable()) return;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeWrite, &byte, 1);
    reader.join();
}

void BenchInput::handleLine(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') return;
    const BenchReply reply = runBenchLine(board, line);
    if (!reply.error.empty()) {
        printError(reply.error);
    } else if (!reply.answer.empty()) {
        printAnswer(reply.answer);
    }
}

void BenchInput::run() {
    LineSplitter lines;
    const auto handle = [this](const std::string& line) { handleLine(line); };
    char buffer[4096];
    for (;;) {
        pollfd fds[2] = {{wakeRead, POLLIN, 0}, {inputFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[0].revents != 0) return;
        if (fds[1].revents == 0) continue;
        const ssize_t n = ::read(inputFd, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        // End of input, or a terminal we may not read (a background job):
        // the board goes on without a bench.
        if (n <= 0) break;
        lines.feed(buffer, static_cast<std::size_t>(n), handle);
    }
    lines.finish(handle);
}
