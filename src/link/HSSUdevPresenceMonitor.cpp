#include "link/HSSUdevPresenceMonitor.h"

#include <libudev.h>
#include <sys/epoll.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "link/HSSDeviceLayer.h"

namespace {

constexpr int kKernelMonitorAttempts = 3;
constexpr auto kKernelMonitorRetryPause = std::chrono::milliseconds(50);

uint16_t parseHex16(const char* text, bool& ok) {
    ok = false;
    if (!text || !*text) return 0;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 16);
    if (*end != '\0' && *end != '\n') return 0;
    ok = value <= 0xFFFF;
    return static_cast<uint16_t>(value);
}

// Hardware-ID text of a hidraw device, from its USB parent, or from the HID
// parent's HID_ID ("bus:vendor:product") when it has no USB parent.
std::string hardwareIdOf(udev_device* hidraw) {
    if (udev_device* usb = udev_device_get_parent_with_subsystem_devtype(hidraw, "usb", "usb_device")) {
        bool vendorOk = false;
        bool productOk = false;
        const uint16_t vendor = parseHex16(udev_device_get_sysattr_value(usb, "idVendor"), vendorOk);
        const uint16_t product = parseHex16(udev_device_get_sysattr_value(usb, "idProduct"), productOk);
        if (vendorOk && productOk) return makeHardwareId(vendor, product);
    }
    if (udev_device* hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr)) {
        const char* id = udev_device_get_property_value(hid, "HID_ID");
        unsigned bus = 0;
        unsigned vendor = 0;
        unsigned product = 0;
        if (id && std::sscanf(id, "%x:%x:%x", &bus, &vendor, &product) == 3 && vendor <= 0xFFFF && product <= 0xFFFF)
            return makeHardwareId(static_cast<uint16_t>(vendor), static_cast<uint16_t>(product));
    }
    return {};
}

}  // namespace

HSSUdevPresenceMonitor::HSSUdevPresenceMonitor(HSSPresenceQueue& queue, uint16_t vendorId, uint16_t productId,
                                               std::string udevControlPath, std::string udevMonitorName)
    : boards_(queue, makeVendorToken(vendorId), makeProductToken(productId)),
      udevControlPath_(std::move(udevControlPath)),
      udevMonitorName_(std::move(udevMonitorName)) {}

HSSUdevPresenceMonitor::~HSSUdevPresenceMonitor() { stop(); }

void HSSUdevPresenceMonitor::start() {
    if (mode_ != Mode::Stopped) return;
    udev_ = udev_new();
    epollFd_ = ::epoll_create1(EPOLL_CLOEXEC);
    if (!udev_ || epollFd_ < 0) {
        stop();
        return;
    }
    const bool daemonRuns = ::access(udevControlPath_.c_str(), F_OK) == 0;
    if (daemonRuns) openMonitor(udevMonitorName_.c_str());
    if (monitor_) {
        mode_ = Mode::UdevEvents;
    } else {
        // Without udev's events a board plugged in later is only ever seen
        // through the kernel's events and the rescan.
        for (int attempt = 0; attempt < kKernelMonitorAttempts && !monitor_; ++attempt) {
            if (attempt > 0) std::this_thread::sleep_for(kKernelMonitorRetryPause);
            openMonitor("kernel");
        }
        mode_ = monitor_ ? Mode::KernelAndRescan : Mode::RescanOnly;
    }
    if (mode_ != Mode::UdevEvents) {
        timerFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        itimerspec every{{1, 0}, {1, 0}};
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.fd = timerFd_;
        if (timerFd_ >= 0) {
            ::timerfd_settime(timerFd_, 0, &every, nullptr);
            ::epoll_ctl(epollFd_, EPOLL_CTL_ADD, timerFd_, &event);
        }
    }
    boards_.seed(scanNodes());
}

void HSSUdevPresenceMonitor::openMonitor(const char* source) {
    udev_monitor* monitor = udev_monitor_new_from_netlink(udev_, source);
    if (!monitor) return;
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        udev_monitor_unref(monitor);
        return;
    }
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = udev_monitor_get_fd(monitor);
    if (::epoll_ctl(epollFd_, EPOLL_CTL_ADD, event.data.fd, &event) != 0) {
        udev_monitor_unref(monitor);
        return;
    }
    monitor_ = monitor;
}

void HSSUdevPresenceMonitor::stop() {
    if (timerFd_ >= 0) ::close(timerFd_);
    if (epollFd_ >= 0) ::close(epollFd_);
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
    timerFd_ = -1;
    epollFd_ = -1;
    monitor_ = nullptr;
    udev_ = nullptr;
    mode_ = Mode::Stopped;
}

void HSSUdevPresenceMonitor::onReadable() {
    if (epollFd_ < 0) return;
    epoll_event events[4];
    const int ready = ::epoll_wait(epollFd_, events, 4, 0);
    for (int i = 0; i < ready; ++i) {
        if (monitor_ && events[i].data.fd == udev_monitor_get_fd(monitor_)) {
            receiveMonitorEvents();
        } else if (events[i].data.fd == timerFd_) {
            uint64_t expirations = 0;
            if (::read(timerFd_, &expirations, sizeof expirations) > 0) rescan();
        }
    }
}

void HSSUdevPresenceMonitor::receiveMonitorEvents() {
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        if (action && node) {
            // A removed node's sysfs is gone already: removals match by node.
            if (std::strcmp(action, "add") == 0) boards_.added(node, hardwareIdOf(device));
            else if (std::strcmp(action, "remove") == 0) boards_.removed(node);
        }
        udev_device_unref(device);
    }
}

void HSSUdevPresenceMonitor::rescan() { boards_.reconcile(scanNodes()); }

std::vector<HSSBoardNodeSet::Node> HSSUdevPresenceMonitor::scanNodes() {
    std::vector<HSSBoardNodeSet::Node> nodes;
    if (!udev_) return nodes;
    udev_enumerate* enumerate = udev_enumerate_new(udev_);
    if (!enumerate) return nodes;
    udev_enumerate_add_match_subsystem(enumerate, "hidraw");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
        udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry));
        if (!device) continue;
        if (const char* node = udev_device_get_devnode(device)) nodes.emplace_back(node, hardwareIdOf(device));
        udev_device_unref(device);
    }
    udev_enumerate_unref(enumerate);
    return nodes;
}
