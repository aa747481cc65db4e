#pragma once
// The board a window works with: the device layer the link talks through, the
// presence events (connQueue) and the source that feeds them, chosen once at
// start-up for real boards, an emulated board or a virtual board socket.

#include <memory>
#include <string>

#include "link/HSSDeviceLayer.h"
#include "link/HSSPresenceQueue.h"
#include "link/HSSPresenceSource.h"

class EmulatedBoard;

struct BoardSetup {
    std::unique_ptr<HSSDeviceLayer> deviceLayer;
    // Arrival (1) and removal (0) events, consumed by the connection thread.
    std::shared_ptr<HSSPresenceQueue> connQueue = std::make_shared<HSSPresenceQueue>();
    // Feeds connQueue; may be null (then only the start-up arrival happens).
    // A source with a pollFd() is watched by the window on its own thread.
    std::unique_ptr<HSSPresenceSource> presenceSource;
    // Set when the board is the in-process emulated one (tests, --emulate).
    std::shared_ptr<EmulatedBoard> emulatedBoard;
    // Shown in the log at start-up, e.g. "emulated board with ZVR2M08A-K1".
    std::string description;
};
