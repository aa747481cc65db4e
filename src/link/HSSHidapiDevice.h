#pragma once
// One open hidapi device, reduced to the calls the hidapi back end makes, and
// the device handle the back end builds on it. The handle reads the report
// descriptor for the capabilities and keeps every feature-report write within
// the length the descriptor declares: hidraw hands the length on to the board
// as the SET_REPORT length, and a board that checks it stalls on a longer one.
// A test stands in for hidraw through HSSHidapiDevice.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/HSSDeviceLayer.h"

class HSSHidapiDevice {
public:
    enum class UsbString { Manufacturer, Product, SerialNumber };

    virtual ~HSSHidapiDevice() = default;
    virtual const void* nativeHandle() const = 0;
    // hidapi's results: bytes transferred, or -1 (lastError() says why).
    virtual int sendFeatureReport(const uint8_t* data, std::size_t length) = 0;
    virtual int getFeatureReport(uint8_t* data, std::size_t length) = 0;
    // UTF-8; nullopt when the device does not give it.
    virtual std::optional<std::string> usbString(UsbString which) = 0;
    virtual bool reportDescriptor(std::vector<uint8_t>& out) = 0;
    virtual std::string lastError() const = 0;
};

std::unique_ptr<HSSDeviceHandle> makeHidapiDeviceHandle(std::unique_ptr<HSSHidapiDevice> device);
