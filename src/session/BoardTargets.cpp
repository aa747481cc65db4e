#include "session/BoardTargets.h"

#include "emulator/EmulatedBoard.h"
#include "link/HSSDeviceLayer.h"
#include "protocol/HSSConstants.h"

namespace hss::session {

namespace {

// One board of several: the link opens the first board an enumeration
// lists, so each board's layer lists only its own path.
class OneBoardLayer : public HSSDeviceLayer {
public:
    OneBoardLayer(std::unique_ptr<HSSDeviceLayer> layer, std::string path)
        : layer_(std::move(layer)), path_(std::move(path))
    {
    }
    std::optional<std::vector<HSSDeviceInfo>> enumerate() override
    {
        auto devices = layer_->enumerate();
        if (!devices) return devices;
        std::erase_if(*devices, [&](const HSSDeviceInfo& device) { return device.path != path_; });
        return devices;
    }
    std::unique_ptr<HSSDeviceHandle> open(const std::string& path) override { return layer_->open(path); }
    std::string lastError() const override { return layer_->lastError(); }

private:
    std::unique_ptr<HSSDeviceLayer> layer_;
    std::string path_;
};

bool isCarrierBoard(const HSSDeviceInfo& device)
{
    return device.hardwareId.find(makeVendorToken(kBoardVendorId)) != std::string::npos &&
           device.hardwareId.find(makeProductToken(kBoardProductId)) != std::string::npos;
}

// Reads the USB strings through a short-lived handle.
void readStrings(BoardTarget& target)
{
    auto devices = target.deviceLayer->enumerate();
    if (!devices) return;
    for (const HSSDeviceInfo& device : *devices) {
        if (!isCarrierBoard(device)) continue;
        if (target.path.empty()) target.path = device.path;
        if (auto handle = target.deviceLayer->open(device.path)) {
            target.serialNumber = handle->serialNumber().value_or("");
            target.product = handle->product().value_or("");
        }
        return;
    }
}

}  // namespace

std::vector<BoardTarget> attachedBoards(std::string& error)
{
    std::vector<BoardTarget> targets;
    auto layer = makeHidapiDeviceLayer();
    auto devices = layer->enumerate();
    if (!devices) {
        error = "the HID devices could not be listed: " + layer->lastError();
        return targets;
    }
    for (const HSSDeviceInfo& device : *devices) {
        if (!isCarrierBoard(device)) continue;
        BoardTarget target;
        target.label = device.path;
        target.path = device.path;
        target.deviceLayer = std::make_unique<OneBoardLayer>(makeHidapiDeviceLayer(), device.path);
        readStrings(target);
        targets.push_back(std::move(target));
    }
    return targets;
}

BoardTarget socketBoard(const std::string& socketPath)
{
    BoardTarget target;
    target.label = "virtual board at " + socketPath;
    target.path = socketPath;
    target.deviceLayer = makeVirtualBoardDeviceLayer(socketPath);
    readStrings(target);
    return target;
}

BoardTarget emulatedBoard(std::optional<uint16_t> devId)
{
    BoardTarget target;
    target.label = "emulated board";
    target.emulated = std::make_shared<EmulatedBoard>(devId);
    target.deviceLayer = makeEmulatorDeviceLayer(target.emulated);
    readStrings(target);
    return target;
}

}  // namespace hss::session
