#include "app/PeriodicWorker.h"

PeriodicWorker::PeriodicWorker(std::chrono::milliseconds period_) : period(period_) {}

PeriodicWorker::~PeriodicWorker()
{
    join();
}

void PeriodicWorker::start(std::function<void()> loop)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (thread.joinable() || stopRequested) return;
    running = true;
    thread = std::thread([this, loop = std::move(loop)] {
        loop();
        std::lock_guard<std::mutex> ended(mutex);
        running = false;
    });
}

bool PeriodicWorker::waitPeriod()
{
    std::unique_lock<std::mutex> lock(mutex);
    return !wake.wait_for(lock, period, [this] { return stopRequested; });
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
