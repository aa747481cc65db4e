#pragma once
// Presence of a virtual board: arrival when its socket accepts a connection
// and answers HELLO with the board's IDs, removal when that connection breaks
// (even if the board takes a new connection at once: that board restarted).
// Checks five times a second on its own thread, so both are seen within 1 s.
// It shares the session with the device layer: the board serves one client.

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "link/HSSPresenceQueue.h"
#include "link/HSSPresenceSource.h"
#include "protocol/HSSConstants.h"

class VirtualBoardSession;

class HSSVirtualBoardWatcher final : public HSSPresenceSource {
public:
    HSSVirtualBoardWatcher(std::shared_ptr<VirtualBoardSession> session, HSSPresenceQueue& queue,
                           uint16_t vendorId = hss::kBoardVendorId, uint16_t productId = hss::kBoardProductId);
    ~HSSVirtualBoardWatcher() override;

    // Takes the board's current state without an event (the connection
    // thread's start-up arrival covers a board already there), then watches.
    void start() override;
    void stop() override;

private:
    bool boardPresent();
    void run();

    std::shared_ptr<VirtualBoardSession> session_;
    HSSPresenceQueue& queue_;
    const std::string vendorToken_;
    const std::string productToken_;
    bool present_ = false;
    uint64_t breaks_ = 0;  // session breaks already accounted for
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
};
