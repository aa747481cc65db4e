// Real carrier boards through hidapi's hidraw back end.
//
// hidapi 0.13 keeps global state (an error string shared by all devices), so
// every hidapi call of the process goes through one mutex, and hid_init /
// hid_exit are counted: the library is set up before the first layer exists
// and torn down after the last device is closed.

#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cwchar>
#include <mutex>

#include "link/HSSDeviceLayer.h"
#include "link/HSSHidapiDevice.h"

namespace {

std::mutex& hidapiMutex() {
    static std::mutex mutex;
    return mutex;
}

// Holds hid_init for as long as a layer or a device needs the library.
class HidapiRuntime {
public:
    HidapiRuntime() {
        std::lock_guard lock(hidapiMutex());
        if (users()++ == 0) hid_init();
    }
    ~HidapiRuntime() {
        std::lock_guard lock(hidapiMutex());
        if (--users() == 0) hid_exit();
    }
    HidapiRuntime(const HidapiRuntime&) = delete;
    HidapiRuntime& operator=(const HidapiRuntime&) = delete;

private:
    static int& users() {
        static int count = 0;
        return count;
    }
};

std::string toUtf8(const wchar_t* text) {
    std::string out;
    if (!text) return out;
    for (; *text; ++text) {
        auto c = static_cast<uint32_t>(*text);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Caller holds hidapiMutex.
std::string errorText(hid_device* device) {
    const wchar_t* text = hid_error(device);
    std::string utf8 = toUtf8(text);
    return utf8.empty() ? std::string("Unknown error") : utf8;
}

#if HID_API_VERSION < HID_API_MAKE_VERSION(0, 14, 0)
// hidapi before 0.14 cannot hand out the report descriptor; the hidraw node
// (the device path of the hidraw back end) can.
bool readDescriptorFromNode(const std::string& path, std::vector<uint8_t>& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    int size = 0;
    hidraw_report_descriptor descriptor{};
    bool ok = ::ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 0 && size <= HID_MAX_DESCRIPTOR_SIZE;
    if (ok) {
        descriptor.size = static_cast<uint32_t>(size);
        ok = ::ioctl(fd, HIDIOCGRDESC, &descriptor) == 0;
    }
    ::close(fd);
    if (ok) out.assign(descriptor.value, descriptor.value + descriptor.size);
    return ok;
}
#endif

// The library's calls on one open device; the handle logic above it is
// makeHidapiDeviceHandle's.
class HidapiLibraryDevice final : public HSSHidapiDevice {
public:
    HidapiLibraryDevice(std::shared_ptr<HidapiRuntime> runtime, hid_device* device, std::string path)
        : runtime_(std::move(runtime)), device_(device), path_(std::move(path)) {}
    ~HidapiLibraryDevice() override {
        std::lock_guard lock(hidapiMutex());
        hid_close(device_);
    }

    const void* nativeHandle() const override { return device_; }

    int sendFeatureReport(const uint8_t* data, std::size_t length) override {
        std::lock_guard lock(hidapiMutex());
        const int written = hid_send_feature_report(device_, data, length);
        if (written < 0) lastError_ = errorText(device_);
        return written;
    }

    int getFeatureReport(uint8_t* data, std::size_t length) override {
        std::lock_guard lock(hidapiMutex());
        const int received = hid_get_feature_report(device_, data, length);
        if (received < 0) lastError_ = errorText(device_);
        return received;
    }

    std::optional<std::string> usbString(UsbString which) override {
        using StringCall = int (*)(hid_device*, wchar_t*, size_t);
        const StringCall call = which == UsbString::Manufacturer ? &hid_get_manufacturer_string
                                : which == UsbString::Product    ? &hid_get_product_string
                                                                 : &hid_get_serial_number_string;
        // 127 bytes of wide text on the platform the board was designed for.
        wchar_t buffer[64] = {};
        std::lock_guard lock(hidapiMutex());
        if (call(device_, buffer, 64) < 0) {
            lastError_ = errorText(device_);
            return std::nullopt;
        }
        return toUtf8(buffer);
    }

    bool reportDescriptor(std::vector<uint8_t>& out) override {
#if HID_API_VERSION >= HID_API_MAKE_VERSION(0, 14, 0)
        unsigned char buffer[HID_API_MAX_REPORT_DESCRIPTOR_SIZE];
        std::lock_guard lock(hidapiMutex());
        const int size = hid_get_report_descriptor(device_, buffer, sizeof buffer);
        if (size < 0) {
            lastError_ = errorText(device_);
            return false;
        }
        out.assign(buffer, buffer + size);
        return true;
#else
        if (readDescriptorFromNode(path_, out)) return true;
        lastError_ = "The report descriptor of " + path_ + " could not be read";
        return false;
#endif
    }

    std::string lastError() const override { return lastError_; }

private:
    std::shared_ptr<HidapiRuntime> runtime_;
    hid_device* device_;
    std::string path_;
    std::string lastError_;
};

class HidapiDeviceLayer final : public HSSDeviceLayer {
public:
    HidapiDeviceLayer() : runtime_(std::make_shared<HidapiRuntime>()) {}

    std::optional<std::vector<HSSDeviceInfo>> enumerate() override {
        std::lock_guard lock(hidapiMutex());
        hid_device_info* list = hid_enumerate(0, 0);
        std::vector<HSSDeviceInfo> devices;
        for (hid_device_info* d = list; d; d = d->next) {
            devices.push_back({makeHardwareId(d->vendor_id, d->product_id), d->path ? d->path : ""});
        }
        hid_free_enumeration(list);
        return devices;
    }

    std::unique_ptr<HSSDeviceHandle> open(const std::string& path) override {
        std::lock_guard lock(hidapiMutex());
        hid_device* device = hid_open_path(path.c_str());
        if (!device) {
            lastError_ = errorText(nullptr);
            return nullptr;
        }
        return makeHidapiDeviceHandle(std::make_unique<HidapiLibraryDevice>(runtime_, device, path));
    }

    std::string lastError() const override { return lastError_; }

private:
    std::shared_ptr<HidapiRuntime> runtime_;
    std::string lastError_;
};

}  // namespace

std::unique_ptr<HSSDeviceLayer> makeHidapiDeviceLayer() { return std::make_unique<HidapiDeviceLayer>(); }
