// The virtual board back end and its presence watcher against a small
// in-test board, and the whole link against the velmara-emu board process.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "LinkTestSupport.h"
#include "TestBoardServer.h"
#include "link/BoardConnection.h"
#include "link/HSSCommunicationManager.h"
#include "link/HSSVerbose.h"
#include "link/HSSVirtualBoardDeviceLayer.h"
#include "link/HSSVirtualBoardWatcher.h"

extern char** environ;

using namespace std::chrono_literals;

namespace {

std::string socketPath(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("kc-link-") + std::to_string(::getpid()) + "-" + name))
        .string();
}

bool waitForEvent(HSSPresenceQueue& queue, uint8_t& event, std::chrono::milliseconds timeout = 10s) {
    return waitUntil([&] { return queue.tryTake(event); }, timeout);
}

class VirtualBoardTest : public ::testing::Test {
protected:
    void SetUp() override { hss::setVerboseMode(false); }
    void TearDown() override { hss::setVerboseMode(true); }
};

TEST_F(VirtualBoardTest, DeviceLayerSpeaksTheProtocol) {
    const std::string path = socketPath("layer");
    TestBoardServer server(path);
    auto layer = makeVirtualBoardDeviceLayer(path);
    auto absent = layer->enumerate();
    ASSERT_TRUE(absent.has_value());
    EXPECT_TRUE(absent->empty());  // nobody listening: no device, no failure

    server.start();
    auto devices = layer->enumerate();
    ASSERT_TRUE(devices.has_value());
    ASSERT_EQ(devices->size(), 1u);
    EXPECT_EQ((*devices)[0].hardwareId, "HID\\VID_1209&PID_7A55");
    EXPECT_EQ((*devices)[0].path, path);
    EXPECT_EQ(layer->open("/elsewhere"), nullptr);

    auto handle = layer->open(path);
    ASSERT_NE(handle, nullptr);
    uint16_t length = 0;
    EXPECT_EQ(handle->capabilities(length), HSSCapsStatus::Ok);
    EXPECT_EQ(length, 64);
    EXPECT_EQ(handle->manufacturer(), "Velmara");
    EXPECT_EQ(handle->product(), "VELMARA-BOARD");
    EXPECT_EQ(handle->serialNumber(), "TS-1");

    std::vector<uint8_t> report(65, 0);
    report[0] = 0x3F;
    report[5] = 4;
    EXPECT_TRUE(handle->writeFeature(report.data(), report.size()));
    ASSERT_EQ(server.setReports().size(), 1u);
    EXPECT_EQ(server.setReports()[0], report);

    server.failSets = 1;
    EXPECT_FALSE(handle->writeFeature(report.data(), report.size()));
    EXPECT_TRUE(handle->writeFeature(report.data(), report.size()));  // still connected

    uint8_t reply[7] = {0x3C};
    EXPECT_EQ(handle->readFeature(reply, sizeof reply), 7);
    EXPECT_EQ(reply[0], 0x3C);
    EXPECT_EQ(reply[6], 0x5A);
    server.shortGets = 1;
    EXPECT_EQ(handle->readFeature(reply, sizeof reply), 3);
    EXPECT_EQ(server.acceptedClients(), 1);

    // The board goes: the handle stays dead even after the board is back.
    server.stop();
    EXPECT_FALSE(handle->writeFeature(report.data(), report.size()));
    server.start();
    EXPECT_FALSE(handle->writeFeature(report.data(), report.size()));
    EXPECT_EQ(handle->readFeature(reply, sizeof reply), -1);
    auto reopened = layer->open(path);
    ASSERT_NE(reopened, nullptr);
    EXPECT_TRUE(reopened->writeFeature(report.data(), report.size()));
}

TEST_F(VirtualBoardTest, BoardWithAnotherVendorIdIsSkipped) {
    const std::string path = socketPath("vendor");
    TestBoardServer server(path);
    server.hello.vendorId = 0x1234;
    server.start();
    HSSPresenceQueue presence;
    auto connection = makeVirtualBoardConnection(path, presence);
    HSSCommunicationManager link(std::move(connection.deviceLayer));
    connection.presence->start();
    EXPECT_FALSE(link.openDevice());
    EXPECT_FALSE(link.isHidDeviceConnected());
    std::this_thread::sleep_for(600ms);  // a few watcher cycles
    EXPECT_EQ(presence.count(), 0u);
    connection.presence->stop();
}

TEST_F(VirtualBoardTest, WatcherReportsArrivalRemovalAndArrivalAgain) {
    const std::string path = socketPath("watch");
    TestBoardServer server(path);
    HSSPresenceQueue presence;
    auto session = std::make_shared<VirtualBoardSession>(path);
    HSSVirtualBoardWatcher watcher(session, presence);
    watcher.start();
    uint8_t event = 0xFF;
    for (int round = 0; round < 2; ++round) {
        server.start();
        ASSERT_TRUE(waitForEvent(presence, event));
        EXPECT_EQ(event, HSSPresenceQueue::kArrival);
        server.stop();
        ASSERT_TRUE(waitForEvent(presence, event));
        EXPECT_EQ(event, HSSPresenceQueue::kRemoval);
    }
    watcher.stop();
    EXPECT_EQ(presence.count(), 0u);
}

TEST_F(VirtualBoardTest, LinkAndWatcherShareTheOneConnection) {
    const std::string path = socketPath("share");
    TestBoardServer server(path);
    server.start();
    HSSPresenceQueue presence;
    auto connection = makeVirtualBoardConnection(path, presence);
    HSSCommunicationManager link(std::move(connection.deviceLayer));
    HSSMessageQueueWrapper replies;
    link.setReceiveQueue(replies);
    connection.presence->start();  // board already there: no event
    ASSERT_TRUE(link.openDevice());
    for (int i = 0; i < 20; ++i) {
        link.queueHSSCommand(new HSSSingleReadCmd(0x05, 1));
        std::unique_ptr<HSSCommand> reply(replies.tryReceive(20s));
        ASSERT_NE(reply, nullptr);
        std::this_thread::sleep_for(30ms);  // let the watcher run in between
    }
    EXPECT_EQ(server.acceptedClients(), 1);
    EXPECT_EQ(server.rejectedClients(), 0);
    EXPECT_EQ(presence.count(), 0u);

    // A board that drops the link mid-stream: removal, commands dropped.
    server.dropAfterSets = 0;
    std::atomic<int> deletions{0};
    link.queueHSSCommand(new Tracked<HSSSingleReadCmd>(deletions, 0x05, 1));
    uint8_t event = 0xFF;
    ASSERT_TRUE(waitForEvent(presence, event));
    EXPECT_EQ(event, HSSPresenceQueue::kRemoval);
    ASSERT_TRUE(waitUntil([&] { return deletions == 1; }));
    // The board still listens: to the tool it was pulled and plugged again.
    ASSERT_TRUE(waitForEvent(presence, event));
    EXPECT_EQ(event, HSSPresenceQueue::kArrival);
    link.closeDevice();
    ASSERT_TRUE(link.openDevice());
    link.queueHSSCommand(new HSSSingleReadCmd(0x05, 1));
    std::unique_ptr<HSSCommand> reply(replies.tryReceive(20s));
    EXPECT_NE(reply, nullptr);
    connection.presence->stop();
}

// velmara-emu, the project's board process.
class BoardProcess {
public:
    BoardProcess(const std::string& binary, const std::string& path) {
        std::vector<std::string> args{binary, "--socket", path};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&pid_, binary.c_str(), nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
    }
    ~BoardProcess() { end(); }
    bool running() const { return pid_ > 0; }
    void end() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

TEST_F(VirtualBoardTest, WholeLinkAgainstVelmaraEmu) {
    const char* binDir = std::getenv("KC_BIN_DIR");
    const std::string binary = binDir ? std::string(binDir) + "/velmara-emu" : std::string();
    if (binary.empty() || ::access(binary.c_str(), X_OK) != 0) GTEST_SKIP() << "velmara-emu not built";

    const std::string path = socketPath("emu");
    ::unlink(path.c_str());
    HSSPresenceQueue presence;
    auto connection = makeVirtualBoardConnection(path, presence);
    HSSCommunicationManager link(std::move(connection.deviceLayer));
    HSSMessageQueueWrapper replies;
    link.setReceiveQueue(replies);
    connection.presence->start();
    EXPECT_FALSE(link.openDevice());

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        auto board = std::make_unique<BoardProcess>(binary, path);
        ASSERT_TRUE(board->running());
        uint8_t event = 0xFF;
        ASSERT_TRUE(waitForEvent(presence, event));
        ASSERT_EQ(event, HSSPresenceQueue::kArrival);
        ASSERT_TRUE(link.openDevice());
        EXPECT_EQ(link.getFeatureCapacity(), 65u);

        link.queueHSSCommand(new HSSFirmwareVersionIOCTLCmd(4));
        link.queueHSSCommand(new HSSSingleWriteCmd(0xFF, 0xFFFF));  // wake the chip
        link.queueHSSCommand(new HSSSingleReadCmd(0x00, 1));
        std::unique_ptr<HSSCommand> version(replies.tryReceive(20s));
        std::unique_ptr<HSSCommand> deviceId(replies.tryReceive(20s));
        ASSERT_NE(version, nullptr);
        ASSERT_NE(deviceId, nullptr);
        EXPECT_EQ(version->getContextID(), 4);
        EXPECT_EQ(deviceId->getContextID(), 1);

        board->end();
        ASSERT_TRUE(waitForEvent(presence, event));
        EXPECT_EQ(event, HSSPresenceQueue::kRemoval);
        link.closeDevice();
    }
    connection.presence->stop();
    ::unlink(path.c_str());
}

}  // namespace
