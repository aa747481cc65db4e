#pragma once
// The link's only view of the platform: find HID devices, open one, ask its
// strings and feature-report length, write and read feature reports, and say
// what went wrong. The link serialises every call on one device layer and its
// handles; back ends need no locking of their own except around state they
// share with other objects (presence sources, library globals).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class EmulatedBoard;

// One present HID device as the enumeration lists it.
struct HSSDeviceInfo {
    std::string hardwareId;  // "HID\VID_1209&PID_7A55" form
    std::string path;        // what HSSDeviceLayer::open accepts
};

enum class HSSCapsStatus {
    Ok,
    NoPreparsedData,  // the report descriptor could not be had
    NoCaps,           // the descriptor could not be read as capabilities
};

// An open device. Destroying it closes the device.
class HSSDeviceHandle {
public:
    virtual ~HSSDeviceHandle() = default;

    // Address of the native handle, for diagnostics only.
    virtual const void* nativeHandle() const = 0;

    // USB strings in UTF-8; nullopt when the device does not give them.
    virtual std::optional<std::string> manufacturer() = 0;
    virtual std::optional<std::string> product() = 0;
    virtual std::optional<std::string> serialNumber() = 0;

    // Longest feature report in bytes, report-ID byte included.
    virtual HSSCapsStatus capabilities(uint16_t& featureReportLength) = 0;

    // Sends length bytes as a feature report; data[0] is the report ID.
    // True only when every byte went out. The hidapi back end sends no more
    // than the declared feature-report length (see HSSHidapiDevice.h).
    virtual bool writeFeature(const uint8_t* data, std::size_t length) = 0;
    // Reads the feature report whose ID is in data[0], at most length bytes.
    // Returns the number of bytes received (report ID included) or -1.
    virtual long readFeature(uint8_t* data, std::size_t length) = 0;

    // Text of the last failure on this device.
    virtual std::string lastError() const = 0;
};

class HSSDeviceLayer {
public:
    virtual ~HSSDeviceLayer() = default;

    // Present devices in enumeration order; nullopt when the set cannot be had.
    virtual std::optional<std::vector<HSSDeviceInfo>> enumerate() = 0;
    // nullptr when the device cannot be opened.
    virtual std::unique_ptr<HSSDeviceHandle> open(const std::string& path) = 0;
    // Text of the last failure of enumerate or open.
    virtual std::string lastError() const = 0;
};

// "HID\VID_xxxx&PID_xxxx" with upper-case hex digits.
std::string makeHardwareId(uint16_t vendorId, uint16_t productId);
// "VID_xxxx" and "PID_xxxx".
std::string makeVendorToken(uint16_t vendorId);
std::string makeProductToken(uint16_t productId);

// Real boards through hidapi (hidraw).
std::unique_ptr<HSSDeviceLayer> makeHidapiDeviceLayer();
// A virtual board listening on a Unix socket.
std::unique_ptr<HSSDeviceLayer> makeVirtualBoardDeviceLayer(std::string socketPath);
// The in-process emulated board, called directly.
std::unique_ptr<HSSDeviceLayer> makeEmulatorDeviceLayer(std::shared_ptr<EmulatedBoard> board);
