#include "link/HSSVirtualBoardDeviceLayer.h"

#include "link/HSSVirtualBoardSession.h"

namespace {

class VirtualBoardHandle final : public HSSDeviceHandle {
public:
    VirtualBoardHandle(std::shared_ptr<VirtualBoardSession> session, uint64_t generation, VirtualBoardHello hello)
        : session_(std::move(session)), generation_(generation), hello_(std::move(hello)) {}
    ~VirtualBoardHandle() override { session_->disconnect(generation_); }

    const void* nativeHandle() const override { return this; }
    std::optional<std::string> manufacturer() override { return hello_.manufacturer; }
    std::optional<std::string> product() override { return hello_.product; }
    std::optional<std::string> serialNumber() override { return hello_.serialNumber; }

    HSSCapsStatus capabilities(uint16_t& featureReportLength) override {
        featureReportLength = hello_.featureReportLength;
        return HSSCapsStatus::Ok;
    }

    bool writeFeature(const uint8_t* data, std::size_t length) override {
        return session_->setFeature(generation_, data, length);
    }
    long readFeature(uint8_t* data, std::size_t length) override {
        return session_->getFeature(generation_, data, length);
    }
    std::string lastError() const override { return session_->lastError(); }

private:
    std::shared_ptr<VirtualBoardSession> session_;
    const uint64_t generation_;
    const VirtualBoardHello hello_;
};

class VirtualBoardDeviceLayer final : public HSSDeviceLayer {
public:
    explicit VirtualBoardDeviceLayer(std::shared_ptr<VirtualBoardSession> session) : session_(std::move(session)) {}

    std::optional<std::vector<HSSDeviceInfo>> enumerate() override {
        std::vector<HSSDeviceInfo> devices;
        // A board that is not listening is simply not present.
        if (auto hello = session_->connect()) {
            devices.push_back({makeHardwareId(hello->vendorId, hello->productId), session_->socketPath()});
        } else {
            lastError_ = session_->lastError();
        }
        return devices;
    }

    std::unique_ptr<HSSDeviceHandle> open(const std::string& path) override {
        if (path != session_->socketPath()) {
            lastError_ = "No virtual board at " + path;
            return nullptr;
        }
        uint64_t generation = 0;
        auto hello = session_->connect(&generation);
        if (!hello) {
            lastError_ = session_->lastError();
            return nullptr;
        }
        return std::make_unique<VirtualBoardHandle>(session_, generation, *hello);
    }

    std::string lastError() const override { return lastError_; }

private:
    std::shared_ptr<VirtualBoardSession> session_;
    std::string lastError_;
};

}  // namespace

std::unique_ptr<HSSDeviceLayer> makeVirtualBoardDeviceLayer(std::shared_ptr<VirtualBoardSession> session) {
    return std::make_unique<VirtualBoardDeviceLayer>(std::move(session));
}

std::unique_ptr<HSSDeviceLayer> makeVirtualBoardDeviceLayer(std::string socketPath) {
    return makeVirtualBoardDeviceLayer(std::make_shared<VirtualBoardSession>(std::move(socketPath)));
}
