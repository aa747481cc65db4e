#include "app/PeriodicWorker.h"

PeriodicWorker::PeriodicWorker(std::chrono::milliseconds period_, std::function<bool()> cycle_)
    : period(period_), cycle(std::move(cycle_))
{
}

PeriodicWorker::~PeriodicWorker()
{
    join();
}

void PeriodicWorker::start()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (thread.joinable() || stopRequested) return;
    running = true;
    thread = std::thread([this] { run(); });
}

void PeriodicWorker::requestStop()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopRequested = true;
    }
    wake.notify_all();
}

void PeriodicWorker::join()
{
    requestStop();
    if (thread.joinable() && thread.get_id() != std::this_thread::get_id()) thread.join();
}

bool PeriodicWorker::isRunning() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return running;
}

void PeriodicWorker::run()
{
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex);
            if (wake.wait_for(lock, period, [this] { return stopRequested; })) break;
        }
        if (!cycle()) break;
    }
    std::lock_guard<std::mutex> lock(mutex);
    running = false;
}
