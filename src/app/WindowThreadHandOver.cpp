#include "app/WindowThreadHandOver.h"

#include <QCoreApplication>
#include <QEvent>

namespace {
const QEvent::Type kWakeEvent = static_cast<QEvent::Type>(QEvent::User + 317);
}

WindowThreadHandOver::WindowThreadHandOver(QObject* parent) : QObject(parent), windowThread(std::this_thread::get_id())
{
}

WindowThreadHandOver::~WindowThreadHandOver()
{
    beginShutdown();
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
        if (shuttingDown) return false;
        queue.push_back(pending);
    }
    // The event carries nothing: it only makes the window thread look at the queue.
    QCoreApplication::postEvent(this, new QEvent(kWakeEvent));

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

bool WindowThreadHandOver::event(QEvent* e)
{
    if (e->type() == kWakeEvent) {
        runPendingTasks();
        return true;
    }
    return QObject::event(e);
}
