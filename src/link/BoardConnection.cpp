#include "link/BoardConnection.h"

#include "link/HSSUdevPresenceMonitor.h"
#include "link/HSSVirtualBoardDeviceLayer.h"
#include "link/HSSVirtualBoardSession.h"
#include "link/HSSVirtualBoardWatcher.h"

BoardConnection makeHardwareBoardConnection(HSSPresenceQueue& queue) {
    return {makeHidapiDeviceLayer(), std::make_unique<HSSUdevPresenceMonitor>(queue)};
}

BoardConnection makeVirtualBoardConnection(const std::string& socketPath, HSSPresenceQueue& queue) {
    auto session = std::make_shared<VirtualBoardSession>(socketPath);
    return {makeVirtualBoardDeviceLayer(session), std::make_unique<HSSVirtualBoardWatcher>(session, queue)};
}
