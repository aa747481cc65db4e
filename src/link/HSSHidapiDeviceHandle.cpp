#include <algorithm>

#include "link/HSSHidapiDevice.h"
#include "link/HSSReportDescriptor.h"

namespace {

class HidapiDeviceHandle final : public HSSDeviceHandle {
public:
    explicit HidapiDeviceHandle(std::unique_ptr<HSSHidapiDevice> device) : device_(std::move(device)) {}

    const void* nativeHandle() const override { return device_->nativeHandle(); }

    std::optional<std::string> manufacturer() override { return usbString(HSSHidapiDevice::UsbString::Manufacturer); }
    std::optional<std::string> product() override { return usbString(HSSHidapiDevice::UsbString::Product); }
    std::optional<std::string> serialNumber() override { return usbString(HSSHidapiDevice::UsbString::SerialNumber); }

    HSSCapsStatus capabilities(uint16_t& featureReportLength) override {
        std::vector<uint8_t> descriptor;
        if (!device_->reportDescriptor(descriptor)) {
            lastError_ = device_->lastError();
            return HSSCapsStatus::NoPreparsedData;
        }
        const auto info = parseReportDescriptor(descriptor);
        if (!info) {
            lastError_ = "The report descriptor could not be parsed";
            return HSSCapsStatus::NoCaps;
        }
        featureReportLength = static_cast<uint16_t>(std::min<uint32_t>(info->featureReportLength, 0xFFFF));
        declaredFeatureLength_ = featureReportLength;
        return HSSCapsStatus::Ok;
    }

    bool writeFeature(const uint8_t* data, std::size_t length) override {
        const std::size_t sent = std::min(length, writeLimit());
        const int written = device_->sendFeatureReport(data, sent);
        if (written < 0) {
            lastError_ = device_->lastError();
            return false;
        }
        if (static_cast<std::size_t>(written) < sent) {
            lastError_ = "Feature report only partly written";
            return false;
        }
        return true;
    }

    long readFeature(uint8_t* data, std::size_t length) override {
        const int received = device_->getFeatureReport(data, length);
        if (received < 0) lastError_ = device_->lastError();
        return received;
    }

    std::string lastError() const override { return lastError_; }

private:
    // The declared feature-report length, read from the descriptor on first
    // use if the capabilities were never asked; unlimited when unknown.
    std::size_t writeLimit() {
        if (!declaredFeatureLength_) {
            uint16_t length = 0;
            if (capabilities(length) != HSSCapsStatus::Ok) declaredFeatureLength_ = 0;
        }
        return *declaredFeatureLength_ > 0 ? *declaredFeatureLength_ : SIZE_MAX;
    }

    std::optional<std::string> usbString(HSSHidapiDevice::UsbString which) {
        auto text = device_->usbString(which);
        if (!text) lastError_ = device_->lastError();
        return text;
    }

    std::unique_ptr<HSSHidapiDevice> device_;
    std::optional<std::size_t> declaredFeatureLength_;
    std::string lastError_;
};

}  // namespace

std::unique_ptr<HSSDeviceHandle> makeHidapiDeviceHandle(std::unique_ptr<HSSHidapiDevice> device) {
    return std::make_unique<HidapiDeviceHandle>(std::move(device));
}
