// The in-process emulated board, called directly. Its enumeration lists the
// board while it is plugged in, so the link finds and loses it like a USB one.

#include "emulator/EmulatedBoard.h"
#include "link/HSSDeviceLayer.h"

namespace {

constexpr const char* kEmulatorPath = "emulator:0";

class EmulatorHandle final : public HSSDeviceHandle {
public:
    explicit EmulatorHandle(std::shared_ptr<EmulatedBoard> board) : board_(std::move(board)) {}

    const void* nativeHandle() const override { return board_.get(); }
    std::optional<std::string> manufacturer() override { return board_->manufacturer(); }
    std::optional<std::string> product() override { return board_->product(); }
    std::optional<std::string> serialNumber() override { return board_->serialNumber(); }

    HSSCapsStatus capabilities(uint16_t& featureReportLength) override {
        featureReportLength = board_->featureReportLength();
        return HSSCapsStatus::Ok;
    }

    bool writeFeature(const uint8_t* data, std::size_t length) override {
        if (board_->setFeature(data, length)) return true;
        lastError_ = failureText();
        return false;
    }

    long readFeature(uint8_t* data, std::size_t length) override {
        if (board_->getFeature(data, length)) return static_cast<long>(length);
        lastError_ = failureText();
        return -1;
    }

    std::string lastError() const override { return lastError_; }

private:
    std::string failureText() const {
        return board_->isPlugged() ? "The board did not complete the transfer" : "The board is not connected";
    }

    std::shared_ptr<EmulatedBoard> board_;
    std::string lastError_;
};

class EmulatorDeviceLayer final : public HSSDeviceLayer {
public:
    explicit EmulatorDeviceLayer(std::shared_ptr<EmulatedBoard> board) : board_(std::move(board)) {}

    std::optional<std::vector<HSSDeviceInfo>> enumerate() override {
        std::vector<HSSDeviceInfo> devices;
        if (board_->isPlugged()) devices.push_back({makeHardwareId(board_->vendorId(), board_->productId()), kEmulatorPath});
        return devices;
    }

    std::unique_ptr<HSSDeviceHandle> open(const std::string& path) override {
        if (path != kEmulatorPath || !board_->isPlugged()) {
            lastError_ = "The device is not connected";
            return nullptr;
        }
        return std::make_unique<EmulatorHandle>(board_);
    }

    std::string lastError() const override { return lastError_; }

private:
    std::shared_ptr<EmulatedBoard> board_;
    std::string lastError_;
};

}  // namespace

std::unique_ptr<HSSDeviceLayer> makeEmulatorDeviceLayer(std::shared_ptr<EmulatedBoard> board) {
    return std::make_unique<EmulatorDeviceLayer>(std::move(board));
}
