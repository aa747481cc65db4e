#pragma once
// Connection event of the link: subscribers are told "connected or not".
// Nothing in the tool raises it today; board presence reaches the window
// through the presence queue instead.

#include <cstddef>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

using HSSConnectionEventDelegate = std::function<void(bool connected)>;

class HSSConnectionEventInterface {
public:
    virtual ~HSSConnectionEventInterface() = default;
    // Returns a token for remove_hssConectionDelegate.
    virtual std::size_t add_hssConectionDelegate(HSSConnectionEventDelegate subscriber) = 0;
    virtual void remove_hssConectionDelegate(std::size_t token) = 0;
};

// The subscriber list; raise() calls each subscriber outside the lock, so a
// subscriber may add or remove subscribers.
class HSSConnectionEvent {
public:
    std::size_t add(HSSConnectionEventDelegate subscriber) {
        std::lock_guard lock(mutex_);
        subscribers_.emplace_back(++lastToken_, std::move(subscriber));
        return lastToken_;
    }
    void remove(std::size_t token) {
        std::lock_guard lock(mutex_);
        std::erase_if(subscribers_, [token](const auto& entry) { return entry.first == token; });
    }
    void raise(bool connected) const {
        std::vector<std::pair<std::size_t, HSSConnectionEventDelegate>> copy;
        {
            std::lock_guard lock(mutex_);
            copy = subscribers_;
        }
        for (const auto& entry : copy)
            if (entry.second) entry.second(connected);
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::pair<std::size_t, HSSConnectionEventDelegate>> subscribers_;
    std::size_t lastToken_ = 0;
};
