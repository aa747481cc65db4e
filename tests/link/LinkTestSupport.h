#pragma once
// Helpers shared by the link tests.

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

#include "protocol/HSSProtocol.h"

// A command that counts its own deletion.
template <class Command>
class Tracked final : public Command {
public:
    template <class... Args>
    explicit Tracked(std::atomic<int>& deletions, Args&&... args)
        : Command(std::forward<Args>(args)...), deletions_(deletions) {}
    ~Tracked() override { ++deletions_; }

private:
    std::atomic<int>& deletions_;
};

// Polls until the condition holds or the (generous) timeout passes.
template <class Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
