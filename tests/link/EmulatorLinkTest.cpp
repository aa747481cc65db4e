// The whole link over the in-process emulated board, judged by the board's
// transfer trace.

#include <gtest/gtest.h>

#include <thread>

#include "LinkTestSupport.h"
#include "emulator/EmulatedBoard.h"
#include "link/BoardConnection.h"
#include "link/HSSCommunicationManager.h"
#include "link/HSSVerbose.h"

using namespace std::chrono_literals;
using Kind = FeatureTransfer::Kind;

namespace {

class EmulatorLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        hss::setVerboseMode(false);
        auto connection = makeEmulatorBoardConnection(board, presence);
        presenceSource = std::move(connection.presence);
        presenceSource->start();
        link = std::make_unique<HSSCommunicationManager>(std::move(connection.deviceLayer));
        link->setReceiveQueue(replies);
        ASSERT_TRUE(link->openDevice());
        board->clearTrace();
    }
    void TearDown() override {
        link.reset();
        presenceSource->stop();
        hss::setVerboseMode(true);
    }

    std::unique_ptr<HSSCommand> reply(std::chrono::milliseconds timeout = 20s) {
        return std::unique_ptr<HSSCommand>(replies.tryReceive(timeout));
    }
    // Queues a read with its own context ID and waits for it, dropping the
    // answers before it: everything queued earlier is finished by then.
    void sync() {
        link->queueHSSCommand(new HSSSingleReadCmd(0x00, 99));
        for (;;) {
            auto answer = reply();
            ASSERT_NE(answer, nullptr);
            if (answer->getContextID() == 99) return;
        }
    }
    std::size_t count(Kind kind, bool ok) {
        const auto trace = board->trace();
        return static_cast<std::size_t>(std::count_if(
            trace.begin(), trace.end(), [&](const FeatureTransfer& t) { return t.kind == kind && t.ok == ok; }));
    }

    std::shared_ptr<EmulatedBoard> board = std::make_shared<EmulatedBoard>();
    HSSPresenceQueue presence;
    std::unique_ptr<HSSPresenceSource> presenceSource;
    HSSMessageQueueWrapper replies;
    std::unique_ptr<HSSCommunicationManager> link;
    std::atomic<int> deletions{0};
};

TEST_F(EmulatorLinkTest, UnpluggedBoardIsNotFound) {
    board->unplug();
    EXPECT_FALSE(link->openDevice());
    EXPECT_TRUE(link->isHidDeviceConnected());  // as it was
    link->closeDevice();
    EXPECT_FALSE(link->openDevice());
    EXPECT_FALSE(link->isHidDeviceConnected());
    board->plug();
    EXPECT_TRUE(link->openDevice());
}

TEST_F(EmulatorLinkTest, PollReadOnlyReadsReport3E) {
    link->queueHSSCommand(new HSSSenseConfigCmd({0x1A, 0x1B}, 10));
    sync();
    board->clearTrace();
    link->queueHSSCommand(new HSSPollReadCmd(6));
    auto answer = reply();
    ASSERT_NE(answer, nullptr);
    const auto trace = board->trace();
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(trace[0].kind, Kind::Read);
    EXPECT_EQ(trace[0].reportId, 0x3E);
    EXPECT_EQ(trace[0].bytes.size(), 13u);
}

TEST_F(EmulatorLinkTest, WriteCommandOnlyWritesAndIsDeleted) {
    link->queueHSSCommand(new Tracked<HSSSingleWriteCmd>(deletions, 0xFF, 0xFFFF));
    ASSERT_TRUE(waitUntil([&] { return deletions == 1; }));
    const auto trace = board->trace();
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(trace[0].kind, Kind::Write);
    const std::vector<uint8_t> header{0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x01, 0x03, 0x00, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(header.begin(), header.end(), trace[0].bytes.begin()));
    sync();
    EXPECT_EQ(reply(0ms), nullptr);  // only the sync read was answered
}

TEST_F(EmulatorLinkTest, BackToBackReadsInterleaveWritesAndReads) {
    link->queueHSSCommand(new HSSSingleReadCmd(0x00, 1));
    link->queueHSSCommand(new HSSFirmwareVersionIOCTLCmd(4));
    link->queueHSSCommand(new HSSMixReadCmd({0x00, 0x01, 0x02}, 2));
    for (uint8_t context : {1, 4, 2}) {
        auto answer = reply();
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer->getContextID(), context);
    }
    const auto trace = board->trace();
    ASSERT_EQ(trace.size(), 6u);
    const uint8_t ids[] = {0x3F, 0x3C, 0x3F, 0x3B, 0x3F, 0x3D};
    for (std::size_t i = 0; i < trace.size(); ++i) {
        EXPECT_EQ(trace[i].kind, i % 2 == 0 ? Kind::Write : Kind::Read) << i;
        EXPECT_EQ(trace[i].reportId, ids[i]) << i;
        EXPECT_TRUE(trace[i].ok) << i;
    }
}

TEST_F(EmulatorLinkTest, EveryWriteIsFeatureCapacityLong) {
    EXPECT_EQ(link->getFeatureCapacity(), board->featureReportLength() + 1u);
    link->queueHSSCommand(new HSSSingleWriteCmd(0xFF, 0xFFFF));
    link->queueHSSCommand(new HSSMixWriteCmd({0x10, 0x11}, {1, 2}));
    link->queueHSSCommand(new HSSSetCRCIOCTLCmd(false));
    link->queueHSSCommand(new HSSSignalCmd(hss::kCmdFlashLoad));
    link->queueHSSCommand(new HSSReadGPIOCTLCmd(2, 5));
    link->queueHSSCommand(new HSSMixReadCmd({0x00}, 2));
    sync();
    const auto trace = board->trace();
    std::size_t writes = 0;
    for (const auto& t : trace) {
        if (t.kind != Kind::Write) continue;
        ++writes;
        EXPECT_EQ(t.bytes.size(), link->getFeatureCapacity());
    }
    EXPECT_EQ(writes, 7u);
}

TEST_F(EmulatorLinkTest, NotReadyRepliesAreRetriedUpToTwoHundredTimes) {
    board->makeNextRepliesNotReady(199);
    link->queueHSSCommand(new HSSSingleReadCmd(0x00, 1));
    ASSERT_NE(reply(), nullptr);
    EXPECT_EQ(count(Kind::Read, true), 200u);

    board->clearTrace();
    board->makeNextRepliesNotReady(200);
    link->queueHSSCommand(new Tracked<HSSSingleReadCmd>(deletions, 0x00, 1));
    ASSERT_TRUE(waitUntil([&] { return deletions == 1; }));
    EXPECT_EQ(count(Kind::Read, true), 200u);
    EXPECT_EQ(count(Kind::Write, true), 1u);
    EXPECT_EQ(reply(0ms), nullptr);
}

TEST_F(EmulatorLinkTest, FailingWritesAreRetriedUpToTwoHundredTimes) {
    board->failNextWrites(200);
    link->queueHSSCommand(new Tracked<HSSSingleReadCmd>(deletions, 0x00, 1));
    ASSERT_TRUE(waitUntil([&] { return deletions == 1; }));
    EXPECT_EQ(count(Kind::Write, false), 200u);
    EXPECT_EQ(board->trace().size(), 200u);  // never read

    board->clearTrace();
    board->failNextWrites(199);
    board->failNextReads(3);
    link->queueHSSCommand(new HSSSingleReadCmd(0x00, 1));
    ASSERT_NE(reply(), nullptr);
    EXPECT_EQ(count(Kind::Write, false), 199u);
    EXPECT_EQ(count(Kind::Read, false), 3u);
}

// The connection thread of the window, reduced to what the link needs.
class ConnectionLoop {
public:
    ConnectionLoop(HSSPresenceQueue& queue, HSSCommunicationManager& link)
        : thread_([&queue, &link, this] {
              while (!stop_) {
                  uint8_t event = 0;
                  if (queue.tryTake(event)) {
                      if (event == 0) link.closeDevice();
                      else link.openDevice();
                  }
                  std::this_thread::sleep_for(2ms);
              }
          }) {}
    ~ConnectionLoop() {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(EmulatorLinkTest, PullingTheBoardMidStreamDropsCommandsAndRecovers) {
    constexpr int kRounds = 12;
    constexpr int kPerRound = 8;
    std::atomic<int> answered{0};
    std::atomic<int> writes{0};
    std::atomic<bool> producing{true};
    {
        ConnectionLoop connection(presence, *link);
        std::thread producer([&] {
            for (int round = 0; round < kRounds; ++round) {
                // Answered reads are deleted right here, so every read ends
                // as one deletion, answered or dropped.
                const int before = deletions + writes;
                for (int i = 0; i < kPerRound; ++i) {
                    if (i % 2 == 0) link->queueHSSCommand(new Tracked<HSSSingleReadCmd>(deletions, 0x00, 1));
                    else link->queueHSSCommand(new Tracked<HSSSingleWriteCmd>(writes, 0xFF, 0xFFFF));
                }
                waitUntil([&] {
                    while (auto answer = replies.tryReceive(0ms)) {
                        ++answered;
                        delete answer;
                    }
                    return deletions + writes - before >= kPerRound;
                }, 120s);
            }
            producing = false;
        });
        while (producing) {
            board->unplug();
            std::this_thread::sleep_for(15ms);
            board->plug();
            std::this_thread::sleep_for(15ms);
        }
        producer.join();
        ASSERT_TRUE(waitUntil([&] { return presence.count() == 0; }));
    }
    // Every command ended exactly once: none lost, none deleted twice.
    const int reads = kRounds * kPerRound / 2;
    EXPECT_EQ(deletions.load(), reads);
    EXPECT_EQ(writes.load(), reads);
    EXPECT_LE(answered.load(), reads);

    // Plugged in and reopened, the link works again.
    ASSERT_TRUE(board->isPlugged());
    ASSERT_TRUE(link->openDevice());
    board->clearTrace();
    link->queueHSSCommand(new HSSFirmwareVersionIOCTLCmd(4));
    auto answer = reply();
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->getContextID(), 4);
}

TEST(EmulatorPresenceSource, PlugAndUnplugBecomeEventsUntilStopped) {
    auto board = std::make_shared<EmulatedBoard>();
    HSSPresenceQueue queue;
    auto connection = makeEmulatorBoardConnection(board, queue);
    connection.presence->start();
    board->unplug();
    board->plug();
    board->plug();  // no change, no event
    board->unplug();
    std::vector<uint8_t> events;
    uint8_t event = 0;
    while (queue.tryTake(event)) events.push_back(event);
    EXPECT_EQ(events, (std::vector<uint8_t>{0, 1, 0}));
    connection.presence->stop();
    board->plug();
    EXPECT_EQ(queue.count(), 0u);
}

}  // namespace
