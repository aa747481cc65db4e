#pragma once
// Which boards a headless run works on: the attached VELMARA-BOARDs (all,
// or the one with a serial number), the in-process emulated board, or
// virtual boards on sockets. Each target carries its own device layer, so
// several boards can be worked at once, one thread each.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/HSSDeviceLayer.h"

class EmulatedBoard;

namespace hss::session {

struct BoardTarget {
    std::string label;  // "/dev/hidraw3", "virtual board at /tmp/b.sock", "emulated board"
    std::string path;   // what the device layer opens
    std::unique_ptr<HSSDeviceLayer> deviceLayer;
    std::shared_ptr<EmulatedBoard> emulated;  // set for the in-process board
    // The board's USB strings, read when the target was made ("" when the
    // board gives none).
    std::string serialNumber;
    std::string product;
};

// Every attached board matching the carrier board's vendor and product IDs,
// in enumeration order; error says why when the devices cannot be listed.
std::vector<BoardTarget> attachedBoards(std::string& error);
// A virtual board on a Unix socket (it need not be listening yet).
BoardTarget socketBoard(const std::string& socketPath);
// The in-process emulated board with a part (nullopt: no daughter card).
BoardTarget emulatedBoard(std::optional<uint16_t> devId);

}  // namespace hss::session
