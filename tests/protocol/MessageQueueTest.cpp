#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "link/HSSMessageQueue.h"
#include "protocol/HSSProtocol.h"

namespace {

// Counts live instances so the tests can see who deleted what.
struct CountedCmd : HSSSingleWriteCmd {
    static inline std::atomic<int> alive{0};
    explicit CountedCmd(uint16_t tag) : HSSSingleWriteCmd(0x01, tag) { ++alive; }
    ~CountedCmd() override { --alive; }
};

uint16_t tagOf(HSSCommand* cmd) { return static_cast<HSSSingleWriteCmd*>(cmd)->getPayload(); }

}  // namespace

TEST(MessageQueue, ReceiveBlocksUntilAnotherThreadSends)
{
    HSSMessageQueueWrapper queue;
    std::atomic<bool> received{false};
    HSSCommand* got = nullptr;
    std::thread receiver([&] {
        got = queue.Receive();
        received = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(received.load());
    auto* cmd = new CountedCmd(42);
    queue.Send(cmd);
    receiver.join();
    EXPECT_EQ(got, cmd);
    delete got;
}

TEST(MessageQueue, OneSenderKeepsItsOrder)
{
    HSSMessageQueueWrapper queue;
    for (uint16_t i = 0; i < 3; ++i)
        queue.Send(new CountedCmd(i));
    for (uint16_t i = 0; i < 3; ++i) {
        HSSCommand* cmd = queue.Receive();
        EXPECT_EQ(tagOf(cmd), i);
        delete cmd;
    }
}

TEST(MessageQueue, ManySendersAtOnceLoseNothingAndKeepEachSendersOrder)
{
    constexpr int kSenders = 4;
    constexpr int kPerSender = 500;
    HSSMessageQueueWrapper queue;
    std::vector<std::thread> senders;
    for (int s = 0; s < kSenders; ++s)
        senders.emplace_back([&queue, s] {
            for (int i = 0; i < kPerSender; ++i)
                queue.Send(new CountedCmd(static_cast<uint16_t>(s * 1000 + i)));
        });
    std::vector<int> next(kSenders, 0);
    for (int n = 0; n < kSenders * kPerSender; ++n) {
        HSSCommand* cmd = queue.Receive();
        const int tag = tagOf(cmd);
        const int sender = tag / 1000;
        EXPECT_EQ(tag % 1000, next[static_cast<std::size_t>(sender)]++);
        delete cmd;
    }
    for (auto& t : senders)
        t.join();
    EXPECT_EQ(queue.queue()->size(), 0u);
}

TEST(MessageQueue, NullIsDeliveredLikeAnyOtherEntry)
{
    HSSMessageQueueWrapper queue;
    queue.Send(nullptr);
    auto* cmd = new CountedCmd(1);
    queue.Send(cmd);
    EXPECT_EQ(queue.Receive(), nullptr);
    EXPECT_EQ(queue.Receive(), cmd);
    delete cmd;
}

TEST(MessageQueue, CopiesShareOneQueue)
{
    HSSMessageQueueWrapper a;
    HSSMessageQueueWrapper b = a;
    auto* cmd = new CountedCmd(5);
    a.Send(cmd);
    EXPECT_EQ(b.Receive(), cmd);
    delete cmd;
}

TEST(MessageQueue, CommandsLeftBehindAreDeletedWithTheQueue)
{
    const int before = CountedCmd::alive;
    {
        HSSMessageQueueWrapper queue;
        queue.Send(new CountedCmd(1));
        queue.Send(new CountedCmd(2));
        EXPECT_EQ(CountedCmd::alive, before + 2);
    }
    EXPECT_EQ(CountedCmd::alive, before);
}

TEST(MessageQueue, DisposeTwiceIsHarmlessAndADisposedHandleDropsWhatItIsSent)
{
    const int before = CountedCmd::alive;
    HSSMessageQueueWrapper queue;
    queue.Send(new CountedCmd(1));
    queue.Dispose();
    queue.Dispose();
    EXPECT_TRUE(queue.isDisposed());
    EXPECT_EQ(CountedCmd::alive, before);
    queue.Send(new CountedCmd(2));
    EXPECT_EQ(CountedCmd::alive, before);
    EXPECT_EQ(queue.Receive(), nullptr);
}

TEST(MessageQueue, CloseWakesABlockedReceiver)
{
    HSSMessageQueueWrapper queue;
    std::thread receiver([&] { EXPECT_EQ(queue.Receive(), nullptr); });
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    queue.close();
    receiver.join();
    // Once closed, what is sent is deleted rather than left for nobody.
    const int before = CountedCmd::alive;
    queue.Send(new CountedCmd(3));
    EXPECT_EQ(CountedCmd::alive, before);
}

TEST(MessageQueue, TryReceiveGivesUpOnAnEmptyQueue)
{
    HSSMessageQueueWrapper queue;
    EXPECT_EQ(queue.tryReceive(std::chrono::milliseconds(5)), nullptr);
    auto* cmd = new CountedCmd(9);
    queue.Send(cmd);
    EXPECT_EQ(queue.tryReceive(std::chrono::milliseconds(5)), cmd);
    delete cmd;
}
