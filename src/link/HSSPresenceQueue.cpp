#include "link/HSSPresenceQueue.h"

void HSSPresenceQueue::push(uint8_t event) {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
}

bool HSSPresenceQueue::tryTake(uint8_t& event) {
    std::lock_guard lock(mutex_);
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

std::size_t HSSPresenceQueue::count() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}
