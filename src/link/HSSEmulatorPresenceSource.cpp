#include "link/HSSEmulatorPresenceSource.h"

#include "emulator/EmulatedBoard.h"

HSSEmulatorPresenceSource::HSSEmulatorPresenceSource(std::shared_ptr<EmulatedBoard> board, HSSPresenceQueue& queue)
    : board_(std::move(board)), queue_(queue), target_(std::make_shared<Target>()) {}

HSSEmulatorPresenceSource::~HSSEmulatorPresenceSource() { stop(); }

void HSSEmulatorPresenceSource::start() {
    {
        std::lock_guard lock(target_->mutex);
        target_->queue = &queue_;
    }
    board_->setPresenceListener([target = target_](bool plugged) {
        std::lock_guard lock(target->mutex);
        if (target->queue) target->queue->push(plugged ? HSSPresenceQueue::kArrival : HSSPresenceQueue::kRemoval);
    });
}

void HSSEmulatorPresenceSource::stop() {
    board_->setPresenceListener({});
    std::lock_guard lock(target_->mutex);
    target_->queue = nullptr;
}
