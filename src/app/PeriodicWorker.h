#pragma once
// A background thread that sleeps its period, then runs one cycle, until asked
// to stop. The sleep waits on a condition variable, so a stop request ends the
// thread at once instead of after a whole period.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class PeriodicWorker {
public:
    // cycle returns false to end the thread by itself.
    PeriodicWorker(std::chrono::milliseconds period, std::function<bool()> cycle);
    ~PeriodicWorker();  // stops and joins
    PeriodicWorker(const PeriodicWorker&) = delete;
    PeriodicWorker& operator=(const PeriodicWorker&) = delete;

    void start();
    // Wakes the thread; it runs no further cycle. Does not wait.
    void requestStop();
    // requestStop, then waits for the thread to end. Safe to call twice.
    void join();
    bool isRunning() const;

private:
    void run();

    const std::chrono::milliseconds period;
    const std::function<bool()> cycle;
    mutable std::mutex mutex;
    std::condition_variable wake;
    bool stopRequested = false;
    bool running = false;
    std::thread thread;
};
