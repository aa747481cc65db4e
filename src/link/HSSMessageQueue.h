#pragma once
// Blocking first-in first-out queue of command pointers between threads. The
// queue owns the commands while they sit in it: those still queued when it is
// destroyed are deleted with it.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

class HSSCommand;

class HSSMessageQueue {
public:
    HSSMessageQueue() = default;
    ~HSSMessageQueue();
    HSSMessageQueue(const HSSMessageQueue&) = delete;
    HSSMessageQueue& operator=(const HSSMessageQueue&) = delete;

    // Appends the pointer (null included) and wakes one receiver. After
    // close() the command is deleted instead: nobody would ever take it.
    void send(HSSCommand* command);
    // Blocks until an entry is there and takes it. Returns nullptr once the
    // queue is closed and empty, so a receiving thread can end.
    HSSCommand* receive();
    // As receive(), but gives up after the timeout and returns nullptr.
    HSSCommand* tryReceive(std::chrono::milliseconds timeout);
    // Wakes every receiver for good (used at shutdown).
    void close();
    bool isClosed() const;
    std::size_t size() const;
    // Deletes every queued command.
    void clear();

private:
    mutable std::mutex mutex;
    std::condition_variable added;
    std::deque<HSSCommand*> entries;
    bool closed = false;
};

// Handle to one shared queue: copies refer to the same queue.
class HSSMessageQueueWrapper {
public:
    HSSMessageQueueWrapper() : mq(std::make_shared<HSSMessageQueue>()) {}

    void Send(HSSCommand* command);
    HSSCommand* Receive();
    HSSCommand* tryReceive(std::chrono::milliseconds timeout);
    void close();
    // Drops this handle's reference; the queue goes when the last handle
    // does. Disposing twice is harmless; a disposed handle deletes what it
    // is sent and receives nothing.
    void Dispose() { mq.reset(); }
    bool isDisposed() const { return mq == nullptr; }
    HSSMessageQueue* queue() const { return mq.get(); }

private:
    std::shared_ptr<HSSMessageQueue> mq;
};
