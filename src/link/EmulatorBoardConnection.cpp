#include "link/BoardConnection.h"
#include "link/HSSEmulatorPresenceSource.h"

BoardConnection makeEmulatorBoardConnection(std::shared_ptr<EmulatedBoard> board, HSSPresenceQueue& queue) {
    auto layer = makeEmulatorDeviceLayer(board);
    return {std::move(layer), std::make_unique<HSSEmulatorPresenceSource>(std::move(board), queue)};
}
