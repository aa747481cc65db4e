#pragma once
// The connQueue: board presence events in the order they happened, 1 for an
// arrival and 0 for a removal. Producers are the presence sources, the
// consumer is the connection thread; every access takes the one lock.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

class HSSPresenceQueue {
public:
    static constexpr uint8_t kArrival = 1;
    static constexpr uint8_t kRemoval = 0;

    void push(uint8_t event);
    // Takes the oldest event; false when there is none.
    bool tryTake(uint8_t& event);
    std::size_t count() const;

private:
    mutable std::mutex mutex_;
    std::deque<uint8_t> events_;
};
