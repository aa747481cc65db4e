#pragma once
// Picks the device layer and the matching presence source for one way of
// reaching the board: real hardware, a virtual board process on a socket, or
// the in-process emulator. The caller hands deviceLayer to the
// HSSCommunicationManager, starts the presence source, and (if its pollFd()
// is not -1) calls onReadable() whenever that descriptor is readable.

#include <memory>
#include <string>

#include "link/HSSDeviceLayer.h"
#include "link/HSSPresenceQueue.h"
#include "link/HSSPresenceSource.h"

class EmulatedBoard;

struct BoardConnection {
    std::unique_ptr<HSSDeviceLayer> deviceLayer;
    std::unique_ptr<HSSPresenceSource> presence;  // not yet started
};

BoardConnection makeHardwareBoardConnection(HSSPresenceQueue& queue);
BoardConnection makeVirtualBoardConnection(const std::string& socketPath, HSSPresenceQueue& queue);
BoardConnection makeEmulatorBoardConnection(std::shared_ptr<EmulatedBoard> board, HSSPresenceQueue& queue);
