#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/ReplyDispatcher.h"
#include "link/HSSMessageQueue.h"

namespace {

// Records which handler ran; counts live commands to prove every one is deleted.
struct RecordingHandlers : ReplyHandlers {
    std::vector<std::string> calls;
    void handleRawReadResponse(HSSSingleReadCmd*) override { calls.push_back("raw"); }
    void handle16PWPConfigResp(HSSMixReadCmd*) override { calls.push_back("config16"); }
    void handle16PWPFaultResp(HSSMixReadCmd*) override { calls.push_back("fault16"); }
    void handleFirmwareVersion(uint16_t v) override { calls.push_back("version " + std::to_string(v)); }
    void handleGPIOResp(HSSReadGPIOCTLCmd*) override { calls.push_back("gpio"); }
    void updateCurrentSenseGUI(HSSPollReadCmd*) override { calls.push_back("sense"); }
    void handle18PWPConfigResp(HSSMixReadCmd*) override { calls.push_back("config18"); }
    void handle18PWPFaultResp(HSSMixReadCmd*) override { calls.push_back("fault18"); }
    void handle16PWPSafetyRead(uint16_t) override { calls.push_back("safety"); }
    void handleTestModeRead24PWP(HSSSingleReadCmd*) override { calls.push_back("testmode"); }
    void handleRegisterMapRead(HSSMixReadCmd*) override { calls.push_back("registermap"); }
};

// Commands are made on the test thread and deleted on the dispatch thread.
std::atomic<int> liveCommands{0};

template <typename Base>
struct Counted : Base {
    template <typename... Args>
    explicit Counted(Args... args) : Base(args...)
    {
        ++liveCommands;
    }
    ~Counted() override { --liveCommands; }
};

}  // namespace

TEST(ReplyDispatcher, RoutesByContextAndDeletesEveryCommand)
{
    liveCommands = 0;
    RecordingHandlers handlers;
    const std::vector<uint8_t> list{1, 2};
    dispatchReply(new Counted<HSSSingleReadCmd>(uint8_t{5}, uint8_t{1}), handlers);
    dispatchReply(new Counted<HSSMixReadCmd>(list, uint8_t{2}), handlers);
    dispatchReply(new Counted<HSSMixReadCmd>(list, uint8_t{3}), handlers);
    dispatchReply(new Counted<HSSFirmwareVersionIOCTLCmd>(uint8_t{4}), handlers);
    dispatchReply(new Counted<HSSReadGPIOCTLCmd>(uint8_t{3}, uint8_t{5}), handlers);
    dispatchReply(new Counted<HSSPollReadCmd>(uint8_t{6}), handlers);
    dispatchReply(new Counted<HSSMixReadCmd>(list, uint8_t{7}), handlers);
    dispatchReply(new Counted<HSSMixReadCmd>(list, uint8_t{8}), handlers);
    dispatchReply(new Counted<HSSSingleReadCmd>(uint8_t{6}, uint8_t{9}), handlers);
    dispatchReply(new Counted<HSSSingleReadCmd>(uint8_t{0x75}, uint8_t{10}), handlers);
    dispatchReply(new Counted<HSSMixReadCmd>(list, uint8_t{11}), handlers);
    EXPECT_EQ(handlers.calls, (std::vector<std::string>{"raw", "config16", "fault16", "version 0", "gpio", "sense",
                                                        "config18", "fault18", "safety", "testmode", "registermap"}));
    EXPECT_EQ(liveCommands, 0);
}

TEST(ReplyDispatcher, UnclaimedContextsAndMismatchedClassesAreDeletedWithoutAHandler)
{
    liveCommands = 0;
    RecordingHandlers handlers;
    dispatchReply(new Counted<HSSSingleReadCmd>(uint8_t{5}, uint8_t{0}), handlers);
    dispatchReply(new Counted<HSSSingleReadCmd>(uint8_t{5}, uint8_t{11}), handlers);  // context 11 reads many
    dispatchReply(new Counted<HSSSingleReadCmd>(uint8_t{5}, uint8_t{12}), handlers);
    dispatchReply(new Counted<HSSSingleReadCmd>(uint8_t{5}, uint8_t{255}), handlers);
    dispatchReply(new Counted<HSSPollReadCmd>(uint8_t{1}), handlers);  // context 1 but not a single read
    dispatchReply(nullptr, handlers);
    EXPECT_TRUE(handlers.calls.empty());
    EXPECT_EQ(liveCommands, 0);
}

TEST(ReplyDispatcher, LoopEndsWhenTheQueueIsClosed)
{
    liveCommands = 0;
    RecordingHandlers handlers;
    {
        HSSMessageQueueWrapper queue;
        std::thread dispatcher([&] { deviceRecThread(queue, handlers); });
        queue.Send(nullptr);  // skipped
        queue.Send(new Counted<HSSFirmwareVersionIOCTLCmd>(uint8_t{4}));
        queue.Send(new Counted<HSSSingleReadCmd>(uint8_t{5}, uint8_t{11}));
        queue.close();
        dispatcher.join();  // ends although entries may be left
    }
    EXPECT_EQ(liveCommands, 0);  // what the loop did not take went with the queue
}
