#pragma once
// Device layer over a virtual board session shared with a presence watcher.

#include <memory>

#include "link/HSSDeviceLayer.h"

class VirtualBoardSession;

std::unique_ptr<HSSDeviceLayer> makeVirtualBoardDeviceLayer(std::shared_ptr<VirtualBoardSession> session);
