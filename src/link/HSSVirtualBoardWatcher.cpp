#include "link/HSSVirtualBoardWatcher.h"

#include <chrono>

#include "link/HSSDeviceLayer.h"
#include "link/HSSVirtualBoardSession.h"

namespace {
constexpr auto kCheckInterval = std::chrono::milliseconds(200);
}

HSSVirtualBoardWatcher::HSSVirtualBoardWatcher(std::shared_ptr<VirtualBoardSession> session, HSSPresenceQueue& queue,
                                               uint16_t vendorId, uint16_t productId)
    : session_(std::move(session)),
      queue_(queue),
      vendorToken_(makeVendorToken(vendorId)),
      productToken_(makeProductToken(productId)) {}

HSSVirtualBoardWatcher::~HSSVirtualBoardWatcher() { stop(); }

void HSSVirtualBoardWatcher::start() {
    if (thread_.joinable()) return;
    stopping_.store(false);
    present_ = boardPresent();
    breaks_ = session_->breakCount();
    thread_ = std::thread([this] { run(); });
}

void HSSVirtualBoardWatcher::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_.store(true);
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool HSSVirtualBoardWatcher::boardPresent() {
    session_->checkConnection();  // drops a connection the board has closed
    uint64_t generation = 0;
    const auto hello = session_->connect(&generation);
    if (!hello) return false;
    const std::string hardwareId = makeHardwareId(hello->vendorId, hello->productId);
    if (hardwareId.find(productToken_) == std::string::npos || hardwareId.find(vendorToken_) == std::string::npos) {
        // Not our board: leave it alone rather than hold its one connection.
        session_->disconnect(generation);
        return false;
    }
    return true;
}

void HSSVirtualBoardWatcher::run() {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (wake_.wait_for(lock, kCheckInterval, [this] { return stopping_.load(); })) return;
        }
        const bool now = boardPresent();
        const uint64_t breaks = session_->breakCount();
        if (breaks != breaks_ && present_) {
            present_ = false;
            queue_.push(HSSPresenceQueue::kRemoval);
        }
        breaks_ = breaks;
        if (now != present_) {
            present_ = now;
            queue_.push(now ? HSSPresenceQueue::kArrival : HSSPresenceQueue::kRemoval);
        }
    }
}
