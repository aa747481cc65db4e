#include "app/SignalWatcher.h"

#include <QSocketNotifier>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Write end of the self-pipe; the handler only writes one byte to it.
std::atomic<int> signalPipeWriteFd{-1};

extern "C" void handleTerminationSignal(int)
{
    const int fd = signalPipeWriteFd.load();
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
}

}  // namespace

SignalWatcher::SignalWatcher(std::function<void()> onSignal_, QObject* parent) : QObject(parent), onSignal(std::move(onSignal_))
{
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    signalPipeWriteFd = pipeFds[1];
    notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (::read(pipeFds[0], buffer, sizeof buffer) > 0) {
        }
        if (onSignal) onSignal();
    });

    struct sigaction action {};
    action.sa_handler = handleTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

SignalWatcher::~SignalWatcher()
{
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    signalPipeWriteFd = -1;
    delete notifier;
    notifier = nullptr;
    for (int& fd : pipeFds) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}
