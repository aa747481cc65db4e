#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <atomic>
#include <thread>

#include "app/PeriodicWorker.h"
#include "app/WindowThreadHandOver.h"

namespace {

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "handover-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

// Runs the event loop until done() or a generous limit.
template <typename Done>
bool spinUntil(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

}  // namespace

TEST(WindowThreadHandOver, RunsTasksOnTheWindowThreadOneAtATimeAndWaits)
{
    app();
    WindowThreadHandOver handOver;
    const auto windowThread = std::this_thread::get_id();
    int counter = 0;  // touched only by tasks: ordered by the hand-over's lock
    std::atomic<int> finishedWorkers{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < 3; ++w) {
        workers.emplace_back([&] {
            for (int i = 0; i < 50; ++i) {
                int seen = -1;
                EXPECT_TRUE(handOver.runBlocking([&] {
                    EXPECT_EQ(std::this_thread::get_id(), windowThread);
                    seen = ++counter;
                }));
                EXPECT_GT(seen, 0);  // the task had finished when runBlocking returned
            }
            ++finishedWorkers;
        });
    }
    EXPECT_TRUE(spinUntil([&] { return finishedWorkers == 3; }));
    for (auto& worker : workers) worker.join();
    EXPECT_EQ(counter, 150);
}

TEST(WindowThreadHandOver, OnTheWindowThreadATaskRunsAtOnce)
{
    app();
    WindowThreadHandOver handOver;
    bool ran = false;
    EXPECT_TRUE(handOver.runBlocking([&] { ran = true; }));
    EXPECT_TRUE(ran);
}

TEST(WindowThreadHandOver, ShutdownReleasesWaitingWorkersAndRefusesNewTasks)
{
    app();
    WindowThreadHandOver handOver;
    std::atomic<bool> ran{false};
    std::atomic<int> result{-1};
    // The event loop is not run: the task stays queued until shutdown drops it.
    std::thread worker([&] { result = handOver.runBlocking([&] { ran = true; }) ? 1 : 0; });
    while (result == -1) {
        handOver.beginShutdown();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker.join();
    EXPECT_EQ(result, 0);
    QCoreApplication::processEvents();  // the stale wake-up event runs nothing
    EXPECT_FALSE(ran);
    EXPECT_FALSE(handOver.runBlocking([&] { ran = true; }));
    EXPECT_FALSE(ran);
}

TEST(PeriodicWorker, RunsCyclesUntilStoppedAndStopsPromptly)
{
    std::atomic<int> cycles{0};
    PeriodicWorker worker(std::chrono::milliseconds(1));
    worker.start([&] {
        while (worker.waitPeriod()) ++cycles;
    });
    while (cycles < 3) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    worker.join();
    const int after = cycles;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(cycles, after);
    EXPECT_FALSE(worker.isRunning());

    // A long period does not delay the stop: join returns without a cycle.
    std::atomic<int> slowCycles{0};
    PeriodicWorker slow(std::chrono::hours(1));
    slow.start([&] {
        while (slow.waitPeriod()) ++slowCycles;
    });
    slow.join();
    EXPECT_EQ(slowCycles, 0);
}

TEST(PeriodicWorker, ALoopThatReturnsEndsTheThread)
{
    std::atomic<int> cycles{0};
    PeriodicWorker worker(std::chrono::milliseconds(1));
    worker.start([&] {
        while (worker.waitPeriod() && ++cycles < 2) {
        }
    });
    while (worker.isRunning() || cycles == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(cycles, 2);
}
