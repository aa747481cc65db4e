#pragma once
// Presence of the in-process emulated board: its plug and unplug calls.

#include <memory>
#include <mutex>

#include "link/HSSPresenceQueue.h"
#include "link/HSSPresenceSource.h"

class EmulatedBoard;

class HSSEmulatorPresenceSource final : public HSSPresenceSource {
public:
    HSSEmulatorPresenceSource(std::shared_ptr<EmulatedBoard> board, HSSPresenceQueue& queue);
    ~HSSEmulatorPresenceSource() override;

    void start() override;
    void stop() override;

private:
    // The listener may be running on another thread when stop() is called;
    // it reaches the queue only through this, under its lock.
    struct Target {
        std::mutex mutex;
        HSSPresenceQueue* queue = nullptr;
    };

    std::shared_ptr<EmulatedBoard> board_;
    HSSPresenceQueue& queue_;
    std::shared_ptr<Target> target_;
};
