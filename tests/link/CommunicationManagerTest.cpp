// The link's logic over a scripted device layer: matching, retries, ordering,
// ownership, locking of open/close against transfers, stop.

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "FakeDeviceLayer.h"
#include "LinkTestSupport.h"
#include "link/HSSCommunicationManager.h"
#include "link/HSSVerbose.h"

using namespace std::chrono_literals;
using Kind = FakeTransfer::Kind;

namespace {

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        hss::setVerboseMode(false);
        link = std::make_unique<HSSCommunicationManager>(std::make_unique<FakeDeviceLayer>(board));
        link->setReceiveQueue(replies);
    }
    void TearDown() override {
        link.reset();
        hss::setVerboseMode(true);
    }

    std::unique_ptr<HSSCommand> nextReply(std::chrono::milliseconds timeout = 20s) {
        return std::unique_ptr<HSSCommand>(replies.tryReceive(timeout));
    }

    std::shared_ptr<FakeBoard> board = std::make_shared<FakeBoard>();
    HSSMessageQueueWrapper replies;
    std::unique_ptr<HSSCommunicationManager> link;
    std::atomic<int> deletions{0};
};

TEST_F(LinkTest, MatchNeedsBothTokensCaseSensitive) {
    struct Case {
        const char* hardwareId;
        bool matches;
    };
    const Case cases[] = {
        {"HID\\VID_1209&PID_7A55", true},
        {"HID\\VID_1209&PID_7A55&REV_0100&MI_00", true},
        {"HID\\VID_1234&PID_7A55", false},  // product token only
        {"HID\\VID_1209&PID_0001", false},  // vendor token only
        {"HID\\vid_1209&pid_7a55", false},  // tokens are upper case
        {"HID\\VID_7A55&PID_1209", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hardwareId);
        link->closeDevice();
        board->devices = {{c.hardwareId, "/fake/candidate"}};
        EXPECT_EQ(link->openDevice(), c.matches);
        EXPECT_EQ(link->isHidDeviceConnected(), c.matches);
    }
}

TEST_F(LinkTest, DeviceWithOnlyTheProductTokenIsSkipped) {
    board->devices = {{"HID\\VID_1234&PID_7A55", "/fake/other"}, {"HID\\VID_1209&PID_7A55", "/fake/board"}};
    ASSERT_TRUE(link->openDevice());
    EXPECT_EQ(board->openedPaths, std::vector<std::string>{"/fake/board"});
}

TEST_F(LinkTest, NoMatchingDeviceLeavesTheConnectionStateAsItWas) {
    board->devices = {{"HID\\VID_1234&PID_7A55", "/fake/other"}};
    EXPECT_FALSE(link->openDevice());
    EXPECT_FALSE(link->isHidDeviceConnected());
    EXPECT_TRUE(board->openedPaths.empty());

    board->devices = {{"HID\\VID_1209&PID_7A55", "/fake/board"}};
    ASSERT_TRUE(link->openDevice());
    board->devices.clear();
    EXPECT_FALSE(link->openDevice());
    EXPECT_TRUE(link->isHidDeviceConnected());
    board->enumerateFails = true;
    EXPECT_FALSE(link->openDevice());
    EXPECT_TRUE(link->isHidDeviceConnected());
}

TEST_F(LinkTest, FailedOpenAfterAnOpenLeavesTheLinkClosed) {
    ASSERT_TRUE(link->openDevice());
    EXPECT_EQ(board->liveHandles, 1);
    ASSERT_TRUE(link->openDevice());  // reopen: the old handle is closed first
    EXPECT_EQ(board->liveHandles, 1);

    struct Case {
        bool openFails;
        HSSCapsStatus caps;
        uint16_t featureLength;
    };
    const Case failures[] = {
        {true, HSSCapsStatus::Ok, 64},
        {false, HSSCapsStatus::NoPreparsedData, 64},
        {false, HSSCapsStatus::NoCaps, 64},
        {false, HSSCapsStatus::Ok, 0},    // no feature report at all
        {false, HSSCapsStatus::Ok, 256},  // more than a report buffer holds
    };
    for (const auto& c : failures) {
        board->openFails = c.openFails;
        board->caps = c.caps;
        board->featureReportLength = c.featureLength;
        EXPECT_FALSE(link->openDevice());
        EXPECT_FALSE(link->isHidDeviceConnected());
        EXPECT_EQ(board->liveHandles, 0);
        board->openFails = false;
        board->caps = HSSCapsStatus::Ok;
        board->featureReportLength = 64;
        ASSERT_TRUE(link->openDevice());
    }
}

TEST_F(LinkTest, EveryCommandWriteTransfersFeatureCapacityBytes) {
    for (uint16_t length : {uint16_t{64}, uint16_t{9}, uint16_t{255}}) {
        SCOPED_TRACE(length);
        board->featureReportLength = length;
        ASSERT_TRUE(link->openDevice());
        EXPECT_EQ(link->getFeatureCapacity(), length + 1u);
        board->trace.clear();
        link->queueHSSCommand(new HSSSingleWriteCmd(0x0E, 0x1234));
        link->queueHSSCommand(new HSSMixWriteCmd({1, 2, 3}, {4, 5, 6}));
        link->queueHSSCommand(new HSSFlashWriteCmd({1, 2}));
        link->queueHSSCommand(new HSSWriteGPIOCTLCmd(1, true));
        link->queueHSSCommand(new HSSSingleReadCmd(0x00, 1));
        ASSERT_NE(nextReply(), nullptr);
        for (const auto& t : board->traceCopy()) {
            if (t.kind == Kind::Write) {
                EXPECT_EQ(t.length, length + 1u);
            }
        }
        EXPECT_EQ(board->traceCopy().size(), 6u);
    }
}

TEST_F(LinkTest, PollReadIsOnlyARead) {
    ASSERT_TRUE(link->openDevice());
    link->queueHSSCommand(new HSSPollReadCmd(6));
    std::unique_ptr<HSSCommand> reply(nextReply());
    ASSERT_NE(reply, nullptr);
    const auto trace = board->traceCopy();
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(trace[0].kind, Kind::Read);
    EXPECT_EQ(trace[0].reportId, 0x3E);
    EXPECT_EQ(trace[0].length, 13u);
}

TEST_F(LinkTest, WriteCommandIsDeletedAfterItsWriteAndNeverAnswered) {
    ASSERT_TRUE(link->openDevice());
    link->queueHSSCommand(new Tracked<HSSSingleWriteCmd>(deletions, 0x0E, 0x0102));
    // A board-service write whose class has a reply size is not read either.
    link->queueHSSCommand(new Tracked<HSSWriteGPIOCTLCmd>(deletions, 2, true));
    ASSERT_TRUE(waitUntil([&] { return deletions == 2; }));
    EXPECT_EQ(nextReply(50ms), nullptr);
    const auto trace = board->traceCopy();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0].kind, Kind::Write);
    EXPECT_EQ(trace[1].kind, Kind::Write);
}

TEST_F(LinkTest, TwoReadsGoWriteReadWriteRead) {
    ASSERT_TRUE(link->openDevice());
    link->queueHSSCommand(new HSSSingleReadCmd(0x00, 1));
    link->queueHSSCommand(new HSSFirmwareVersionIOCTLCmd(4));
    std::unique_ptr<HSSCommand> first(nextReply());
    std::unique_ptr<HSSCommand> second(nextReply());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->getContextID(), 1);
    EXPECT_EQ(second->getContextID(), 4);
    const auto trace = board->traceCopy();
    ASSERT_EQ(trace.size(), 4u);
    const Kind expected[] = {Kind::Write, Kind::Read, Kind::Write, Kind::Read};
    const uint8_t ids[] = {0x3F, 0x3C, 0x3F, 0x3B};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(trace[i].kind, expected[i]) << i;
        EXPECT_EQ(trace[i].reportId, ids[i]) << i;
    }
    EXPECT_EQ(trace[1].length, 7u);
    EXPECT_EQ(trace[3].length, 11u);
}

// Scripted reads before the good one, and whether the command is answered.
struct RetryCase {
    const char* name;
    FakeRead bad;
    int badReads;
    bool answered;
};

class ReadRetryTest : public LinkTest, public ::testing::WithParamInterface<RetryCase> {};

TEST_P(ReadRetryTest, RetriesUpToTheAttemptLimit) {
    const RetryCase& c = GetParam();
    ASSERT_TRUE(link->openDevice());
    board->reads.assign(static_cast<std::size_t>(c.badReads), c.bad);
    board->replyFill = 0x42;
    link->queueHSSCommand(new Tracked<HSSSingleReadCmd>(deletions, 0x05, 1));
    link->queueHSSCommand(new Tracked<HSSSingleWriteCmd>(deletions, 0x0E, 1));  // marks the end
    ASSERT_TRUE(waitUntil([&] { return board->traceCopy().size() >= static_cast<std::size_t>(
                                                                          1 + std::min(c.badReads + 1, 200) + 1); }));
    std::unique_ptr<HSSCommand> reply(replies.tryReceive(c.answered ? 20s : 50ms));
    ASSERT_TRUE(waitUntil([&] { return deletions == (c.answered ? 1 : 2); }));
    const auto trace = board->traceCopy();
    const int reads = static_cast<int>(std::count_if(trace.begin(), trace.end(),
                                                     [](const FakeTransfer& t) { return t.kind == Kind::Read; }));
    EXPECT_EQ(reads, std::min(c.badReads + 1, 200));
    EXPECT_EQ(trace.back().kind, Kind::Write);
    if (c.answered) {
        ASSERT_NE(reply, nullptr);
        auto* read = dynamic_cast<HSSSingleReadCmd*>(reply.get());
        ASSERT_NE(read, nullptr);
        // Decoded from the whole good reply, never from the short ones.
        EXPECT_EQ(read->getPayload(), 0x4242);
    } else {
        EXPECT_EQ(reply, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReadRetryTest,
    ::testing::Values(RetryCase{"NotReady199", FakeRead::NotReady, 199, true},
                      RetryCase{"NotReady200", FakeRead::NotReady, 200, false},
                      RetryCase{"Failed199", FakeRead::Fail, 199, true},
                      RetryCase{"Failed200", FakeRead::Fail, 200, false},
                      RetryCase{"Short1", FakeRead::Short, 1, true},
                      RetryCase{"Short200", FakeRead::Short, 200, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(LinkTest, WriteFailingTwoHundredTimesIsDeletedWithoutARead) {
    ASSERT_TRUE(link->openDevice());
    board->failWrites = 200;
    link->queueHSSCommand(new Tracked<HSSSingleReadCmd>(deletions, 0x05, 1));
    ASSERT_TRUE(waitUntil([&] { return deletions == 1; }));
    auto trace = board->traceCopy();
    EXPECT_EQ(trace.size(), 200u);
    for (const auto& t : trace) EXPECT_EQ(t.kind, Kind::Write);

    board->failWrites = 199;
    link->queueHSSCommand(new HSSSingleReadCmd(0x05, 1));
    std::unique_ptr<HSSCommand> reply(nextReply());
    EXPECT_NE(reply, nullptr);
    EXPECT_EQ(board->traceCopy().size(), 400u + 1u);
}

TEST_F(LinkTest, CommandsWhileClosedAreDroppedAndTheLinkRecovers) {
    link->queueHSSCommand(new Tracked<HSSSingleReadCmd>(deletions, 0x05, 1));
    link->queueHSSCommand(new Tracked<HSSSingleWriteCmd>(deletions, 0x05, 1));
    ASSERT_TRUE(waitUntil([&] { return deletions == 2; }));
    EXPECT_TRUE(board->traceCopy().empty());
    ASSERT_TRUE(link->openDevice());
    link->queueHSSCommand(new HSSSingleReadCmd(0x05, 1));
    std::unique_ptr<HSSCommand> reply(nextReply());
    EXPECT_NE(reply, nullptr);
}

TEST_F(LinkTest, CloseWaitsForTheTransferInFlight) {
    ASSERT_TRUE(link->openDevice());
    {
        std::lock_guard lock(board->mutex);
        board->holdWrites = true;
    }
    link->queueHSSCommand(new HSSSingleWriteCmd(0x0E, 1));
    ASSERT_TRUE(board->waitForHeldWriter(20s));
    std::atomic<bool> closed{false};
    std::thread closer([&] {
        link->closeDevice();
        closed = true;
    });
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(closed.load());  // cannot finish while the write is on the wire
    board->releaseWrites();
    closer.join();
    EXPECT_FALSE(board->closedDuringTransfer);
    EXPECT_EQ(board->liveHandles, 0);
    EXPECT_FALSE(link->isHidDeviceConnected());
}

TEST_F(LinkTest, StopDeletesQueuedCommandsAndLaterOnes) {
    ASSERT_TRUE(link->openDevice());
    {
        std::lock_guard lock(board->mutex);
        board->holdWrites = true;
    }
    for (int i = 0; i < 5; ++i) link->queueHSSCommand(new Tracked<HSSSingleReadCmd>(deletions, 0x05, 1));
    ASSERT_TRUE(board->waitForHeldWriter(20s));
    std::thread stopper([&] { link->stop(); });
    std::this_thread::sleep_for(20ms);
    board->releaseWrites();
    stopper.join();
    EXPECT_EQ(deletions, 5);
    link->queueHSSCommand(new Tracked<HSSSingleReadCmd>(deletions, 0x05, 1));
    EXPECT_EQ(deletions, 6);
    link->stop();  // twice is harmless
    EXPECT_EQ(nextReply(0ms), nullptr);
}

TEST_F(LinkTest, StopWakesAnIdleLink) {
    link->stop();
    EXPECT_FALSE(link->isHidDeviceConnected());
}

TEST_F(LinkTest, NullCommandsAreSkipped) {
    ASSERT_TRUE(link->openDevice());
    link->queueHSSCommand(nullptr);
    link->queueHSSCommand(new HSSSingleReadCmd(0x05, 1));
    std::unique_ptr<HSSCommand> reply(nextReply());
    EXPECT_NE(reply, nullptr);
}

TEST_F(LinkTest, ReplyWithoutReceiveQueueIsDeleted) {
    auto bare = std::make_unique<HSSCommunicationManager>(std::make_unique<FakeDeviceLayer>(board));
    ASSERT_TRUE(bare->openDevice());
    bare->queueHSSCommand(new Tracked<HSSSingleReadCmd>(deletions, 0x05, 1));
    ASSERT_TRUE(waitUntil([&] { return deletions == 1; }));
}

TEST_F(LinkTest, FlagsAndConnectionEvent) {
    EXPECT_FALSE(link->isHSSDetected());
    link->setHSSDetected(true);
    EXPECT_TRUE(link->isHSSDetected());
    EXPECT_EQ(link->HSS_BOARD_VID, "VID_1209");
    EXPECT_EQ(link->HSS_BOARD_PID, "PID_7A55");
    EXPECT_EQ(link->HSS_CONST_RETRIES, 200);

    link->raise_hssConectionDelegate(true);  // no subscriber: nothing happens
    std::vector<bool> seen;
    const auto token = link->add_hssConectionDelegate([&](bool connected) { seen.push_back(connected); });
    link->raise_hssConectionDelegate(true);
    link->raise_hssConectionDelegate(false);
    link->remove_hssConectionDelegate(token);
    link->raise_hssConectionDelegate(true);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(LinkTest, VerboseLinesAreWordForWord) {
    board->manufacturer = "Velmara";
    board->product = "VELMARA-BOARD";
    board->serialNumber = std::nullopt;  // unreadable: its failure is printed, the open goes on
    hss::setVerboseMode(true);
    ::testing::internal::CaptureStdout();
    ASSERT_TRUE(link->openDevice());
    std::string out = ::testing::internal::GetCapturedStdout();
    const std::string expectedStart = "\n--- High side switch found ---\n\nDevicePath: /fake/board\nWriteHandle: ";
    ASSERT_EQ(out.substr(0, expectedStart.size()), expectedStart);
    const auto afterHandle = out.find('\n', expectedStart.size());
    ASSERT_NE(afterHandle, std::string::npos);
    EXPECT_EQ(out.substr(afterHandle + 1),
              "LastError: fake transfer failure\nManufacturer: Velmara\nProduct: VELMARA-BOARD\n");

    board->featureReportLength = 64;
    board->caps = HSSCapsStatus::NoCaps;
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(link->openDevice());
    out = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Error: HidP_GetCaps failed \n"), std::string::npos);

    board->caps = HSSCapsStatus::Ok;
    ASSERT_TRUE(link->openDevice());
    board->reads = {FakeRead::Fail};
    ::testing::internal::CaptureStdout();
    link->queueHSSCommand(new HSSSingleReadCmd(0x05, 1));
    std::unique_ptr<HSSCommand> reply(nextReply());
    out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "LastError: fake transfer failure\n");

    hss::setVerboseMode(false);
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(link->openDevice());
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
}

}  // namespace
