#pragma once
// Blocking hand-over of work from worker threads to the window thread.
//
// The task travels through a queue guarded by our own mutex and completion is
// signalled through our own condition variable. The window thread is woken
// through an eventfd that its event loop watches, so no memory at all passes
// through Qt between the threads: Qt's internal locks are invisible to
// ThreadSanitizer, ours are not.
//
// Once shutdown has begun no task is started any more and callers that are
// still waiting give up, so joining a worker never waits on an event loop that
// has stopped.

#include <QObject>

class QSocketNotifier;

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class WindowThreadHandOver : public QObject {
public:
    // Must be created on the window thread.
    explicit WindowThreadHandOver(QObject* parent = nullptr);
    ~WindowThreadHandOver() override;

    bool onWindowThread() const;

    // Runs task on the window thread and waits until it has finished. On the
    // window thread it runs at once. Returns false, without running the task,
    // once shutdown has begun (also when it begins while waiting).
    bool runBlocking(std::function<void()> task);

    // Refuses new tasks, drops those not yet started and wakes their callers.
    // A task that is already running finishes normally.
    void beginShutdown();
    bool isShuttingDown() const;

    // Runs the tasks handed over so far (normally done by the wake-up event).
    void runPendingTasks();

private:
    struct Pending {
        std::function<void()> task;
        bool started = false;
        bool finished = false;
        bool dropped = false;
    };

    const std::thread::id windowThread;
    int wakeFd = -1;  // eventfd: a count of wake-ups, drained by the window thread
    QSocketNotifier* wakeNotifier = nullptr;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Pending>> queue;
    bool shuttingDown = false;
};
