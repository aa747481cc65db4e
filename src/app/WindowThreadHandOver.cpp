#include "app/WindowThreadHandOver.h"

#include <QSocketNotifier>

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

WindowThreadHandOver::WindowThreadHandOver(QObject* parent)
    : QObject(parent), windowThread(std::this_thread::get_id()), wakeFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (wakeFd < 0) return;  // runBlocking then refuses work from other threads
    wakeNotifier = new QSocketNotifier(wakeFd, QSocketNotifier::Read, this);
    connect(wakeNotifier, &QSocketNotifier::activated, this, [this] {
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t got = ::read(wakeFd, &count, sizeof count);
        runPendingTasks();
    });
}

WindowThreadHandOver::~WindowThreadHandOver()
{
    beginShutdown();
    delete wakeNotifier;
    wakeNotifier = nullptr;
    if (wakeFd >= 0) ::close(wakeFd);
}

bool WindowThreadHandOver::onWindowThread() const
{
    return std::this_thread::get_id() == windowThread;
}

bool WindowThreadHandOver::runBlocking(std::function<void()> task)
{
    if (onWindowThread()) {
        if (isShuttingDown()) return false;
        task();
        return true;
    }

    auto pending = std::make_shared<Pending>();
    pending->task = std::move(task);
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (shuttingDown || wakeFd < 0) return false;
        queue.push_back(pending);
    }
    // Only a count: it makes the window thread look at the queue.
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd, &one, sizeof one);

    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return pending->finished || pending->dropped; });
    return pending->finished;
}

void WindowThreadHandOver::beginShutdown()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        shuttingDown = true;
        for (auto& pending : queue) pending->dropped = true;
        queue.clear();
    }
    changed.notify_all();
}

bool WindowThreadHandOver::isShuttingDown() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return shuttingDown;
}

void WindowThreadHandOver::runPendingTasks()
{
    for (;;) {
        std::shared_ptr<Pending> pending;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (queue.empty() || shuttingDown) return;
            pending = queue.front();
            queue.pop_front();
            pending->started = true;
        }
        pending->task();
        {
            std::lock_guard<std::mutex> lock(mutex);
            pending->finished = true;
        }
        changed.notify_all();
    }
}
