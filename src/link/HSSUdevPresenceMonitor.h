#pragma once
// Presence of real boards from udev: hidraw nodes added and removed, matched
// to the board's USB IDs. Where a udev daemon runs it listens to udev's own
// events. Where none runs (containers, minimal systems), or udev's monitor
// cannot be opened, udev's events never come: it listens to the kernel's
// uevents instead and, because those do not reach every network namespace,
// also rescans the hidraw nodes once a second.
//
// Everything is driven from one file descriptor (pollFd), meant for the
// window thread's event loop; libudev objects are used on that thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "link/HSSBoardNodeSet.h"
#include "link/HSSPresenceSource.h"
#include "protocol/HSSConstants.h"

struct udev;
struct udev_monitor;

class HSSUdevPresenceMonitor final : public HSSPresenceSource {
public:
    enum class Mode {
        Stopped,
        UdevEvents,        // a udev daemon runs
        KernelAndRescan,   // kernel uevents plus the rescan
        RescanOnly,        // the kernel monitor could not be opened
    };

    // udevMonitorName is the netlink source of udev's own events; tests name
    // one that cannot be opened.
    explicit HSSUdevPresenceMonitor(HSSPresenceQueue& queue, uint16_t vendorId = hss::kBoardVendorId,
                                    uint16_t productId = hss::kBoardProductId,
                                    std::string udevControlPath = "/run/udev/control",
                                    std::string udevMonitorName = "udev");
    ~HSSUdevPresenceMonitor() override;

    void start() override;
    void stop() override;
    int pollFd() const override { return epollFd_; }
    void onReadable() override;

    Mode mode() const { return mode_; }

private:
    void openMonitor(const char* source);
    void receiveMonitorEvents();
    void rescan();
    std::vector<HSSBoardNodeSet::Node> scanNodes();

    HSSBoardNodeSet boards_;
    const std::string udevControlPath_;
    const std::string udevMonitorName_;
    Mode mode_ = Mode::Stopped;
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    int epollFd_ = -1;
    int timerFd_ = -1;
};
