#pragma once
// A background thread that runs one worker loop, paced by waitPeriod(): each
// call sleeps one period and says whether to go on. The sleep waits on a
// condition variable, so a stop request ends the loop at once instead of
// after a whole period.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class PeriodicWorker {
public:
    explicit PeriodicWorker(std::chrono::milliseconds period);
    ~PeriodicWorker();  // stops and joins
    PeriodicWorker(const PeriodicWorker&) = delete;
    PeriodicWorker& operator=(const PeriodicWorker&) = delete;

    // Runs loop on a new thread; the thread ends when loop returns.
    void start(std::function<void()> loop);
    // For the loop: sleeps one period. False, at once, when a stop has been
    // requested; the loop then returns.
    bool waitPeriod();
    // Wakes the thread; waitPeriod() says stop from now on. Does not wait.
    void requestStop();
    // requestStop, then waits for the thread to end. Safe to call twice.
    void join();
    bool isRunning() const;

private:
    const std::chrono::milliseconds period;
    mutable std::mutex mutex;
    std::condition_variable wake;
    bool stopRequested = false;
    bool running = false;
    std::thread thread;
};
