// Presence events: the queue, the board node set, and the udev monitor in
// the mode this machine needs (no udev daemon).

#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <thread>

#include "LinkTestSupport.h"
#include "link/HSSBoardNodeSet.h"
#include "link/HSSPresenceQueue.h"
#include "link/HSSUdevPresenceMonitor.h"

using namespace std::chrono_literals;

namespace {

std::vector<uint8_t> drain(HSSPresenceQueue& queue) {
    std::vector<uint8_t> events;
    uint8_t event = 0;
    while (queue.tryTake(event)) events.push_back(event);
    return events;
}

TEST(PresenceQueue, KeepsOrderAcrossThreads) {
    HSSPresenceQueue queue;
    constexpr int kPerThread = 2000;
    std::thread arrivals([&] {
        for (int i = 0; i < kPerThread; ++i) queue.push(1);
    });
    std::thread removals([&] {
        for (int i = 0; i < kPerThread; ++i) queue.push(0);
    });
    std::vector<uint8_t> taken;
    uint8_t event = 0;
    while (taken.size() < 2 * kPerThread) {
        if (queue.tryTake(event)) taken.push_back(event);
    }
    arrivals.join();
    removals.join();
    EXPECT_EQ(queue.count(), 0u);
    EXPECT_EQ(std::count(taken.begin(), taken.end(), 1), kPerThread);
    EXPECT_FALSE(queue.tryTake(event));

    queue.push(1);
    queue.push(0);
    queue.push(1);
    EXPECT_EQ(queue.count(), 3u);
    EXPECT_EQ(drain(queue), (std::vector<uint8_t>{1, 0, 1}));
}

TEST(BoardNodeSet, OnlyTheBoardProducesEventsOncePerNode) {
    HSSPresenceQueue queue;
    HSSBoardNodeSet boards(queue, "VID_1209", "PID_7A55");
    boards.seed({{"/dev/hidraw0", "HID\\VID_1209&PID_7A55"}, {"/dev/hidraw1", "HID\\VID_046D&PID_C52B"}});
    EXPECT_EQ(boards.size(), 1u);

    boards.added("/dev/hidraw2", "HID\\VID_046D&PID_C52B");  // another device
    boards.removed("/dev/hidraw1");
    boards.added("/dev/hidraw3", "HID\\VID_1234&PID_7A55");  // product token only
    boards.added("/dev/hidraw4", "");                          // IDs unknown
    EXPECT_TRUE(drain(queue).empty());

    boards.removed("/dev/hidraw0");
    boards.removed("/dev/hidraw0");  // heard twice (kernel and rescan)
    boards.added("/dev/hidraw5", "HID\\VID_1209&PID_7A55");
    boards.added("/dev/hidraw5", "HID\\VID_1209&PID_7A55");
    EXPECT_EQ(drain(queue), (std::vector<uint8_t>{0, 1}));

    // A rescan sees the board moved to another node, and a second board.
    boards.reconcile({{"/dev/hidraw6", "HID\\VID_1209&PID_7A55"},
                      {"/dev/hidraw7", "HID\\VID_1209&PID_7A55"},
                      {"/dev/hidraw2", "HID\\VID_046D&PID_C52B"}});
    EXPECT_EQ(drain(queue), (std::vector<uint8_t>{0, 1, 1}));
    boards.reconcile({{"/dev/hidraw6", "HID\\VID_1209&PID_7A55"}, {"/dev/hidraw7", "HID\\VID_1209&PID_7A55"}});
    EXPECT_TRUE(drain(queue).empty());
    boards.reconcile({});
    EXPECT_EQ(drain(queue), (std::vector<uint8_t>{0, 0}));
}

TEST(UdevPresenceMonitor, WithoutUdevEventsFallsBackToTheRescanAndStaysQuiet) {
    struct Case {
        const char* why;
        const char* controlPath;  // any existing file stands in for the daemon's socket
        const char* udevMonitorName;
    };
    const Case cases[] = {
        {"no udev daemon", "/nonexistent/udev/control", "udev"},
        {"udev's monitor cannot be opened", "/proc/self/exe", "no-such-netlink-source"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        HSSPresenceQueue queue;
        HSSUdevPresenceMonitor monitor(queue, 0x1209, 0x7A55, c.controlPath, c.udevMonitorName);
        EXPECT_EQ(monitor.pollFd(), -1);
        monitor.start();
        ASSERT_GE(monitor.pollFd(), 0);
        EXPECT_TRUE(monitor.mode() == HSSUdevPresenceMonitor::Mode::KernelAndRescan ||
                    monitor.mode() == HSSUdevPresenceMonitor::Mode::RescanOnly);
        // The rescan timer makes the descriptor readable once a second;
        // handling it on a machine without the board produces no event.
        for (int tick = 0; tick < 2; ++tick) {
            pollfd p{monitor.pollFd(), POLLIN, 0};
            ASSERT_EQ(::poll(&p, 1, 10000), 1);
            monitor.onReadable();
        }
        EXPECT_EQ(queue.count(), 0u);
        monitor.stop();
        EXPECT_EQ(monitor.pollFd(), -1);
        EXPECT_EQ(monitor.mode(), HSSUdevPresenceMonitor::Mode::Stopped);
        monitor.onReadable();  // harmless once stopped
    }
}

TEST(UdevPresenceMonitor, WithUdevDaemonListensToUdevOnly) {
    HSSPresenceQueue queue;
    // Any existing file stands in for the daemon's control socket.
    HSSUdevPresenceMonitor monitor(queue, 0x1209, 0x7A55, "/proc/self/exe");
    monitor.start();
    EXPECT_EQ(monitor.mode(), HSSUdevPresenceMonitor::Mode::UdevEvents);
    ASSERT_GE(monitor.pollFd(), 0);
    monitor.onReadable();
    EXPECT_EQ(queue.count(), 0u);
}

}  // namespace
