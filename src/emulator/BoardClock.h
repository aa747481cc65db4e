#pragma once
// Time source of the emulated board. Everything time-based in the board and
// the chip (sense sampling, thermal drift, injected faults that last a while)
// reads this clock, so tests can step time by hand instead of sleeping.

#include <atomic>
#include <chrono>

class BoardClock {
public:
    virtual ~BoardClock() = default;
    // Monotonic time since an arbitrary origin.
    virtual std::chrono::milliseconds now() const = 0;
};

// Real time, for the tool's built-in board and velmara-emu.
class SteadyBoardClock final : public BoardClock {
public:
    std::chrono::milliseconds now() const override;
};

// Time that moves only when told to; safe to advance from any thread.
class ManualBoardClock final : public BoardClock {
public:
    std::chrono::milliseconds now() const override {
        return std::chrono::milliseconds(ticks.load());
    }
    void advance(std::chrono::milliseconds step) { ticks.fetch_add(step.count()); }

private:
    std::atomic<std::chrono::milliseconds::rep> ticks{0};
};
