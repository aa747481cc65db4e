#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/PollCycles.h"
#include "app/ReplyDispatcher.h"
#include "protocol/HSSProtocol.h"

namespace {

struct FakeLink {
    bool open = true;
    bool detected = false;
    std::vector<std::unique_ptr<HSSCommand>> queued;

    PollLink link()
    {
        return PollLink{[this] { return open; }, [this] { return detected; },
                        [this](HSSCommand* c) { queued.emplace_back(c); }};
    }
};

struct Flags {
    std::atomic<bool> pause{false}, manualUpdate{false}, manualRefresh{false}, sense{false}, safety{false};
    PollFlags flags() const { return PollFlags{pause, manualUpdate, manualRefresh, sense, safety}; }
};

const FaultPollLists kLists{{0x04, 0x0D, 0x16}, {0x03, 0x0C, 0x15}};

}  // namespace

TEST(PollCycles, NothingIsQueuedWhileNoBoardIsOpen)
{
    FakeLink link;
    link.open = false;
    Flags flags;
    flags.sense = true;
    link.detected = true;
    senseReadCycle(flags.flags(), link.link());
    faultReadCycle(flags.flags(), link.link(), PollFamily::SixteenPin, kLists);
    devIDReadCycle(flags.flags(), link.link());
    EXPECT_TRUE(link.queued.empty());
}

TEST(PollCycles, IdentificationWakesTheChipOnlyWhileNothingIsDetected)
{
    FakeLink link;
    Flags flags;
    devIDReadCycle(flags.flags(), link.link());
    ASSERT_EQ(link.queued.size(), 2u);
    auto* wake = dynamic_cast<HSSSingleWriteCmd*>(link.queued[0].get());
    ASSERT_NE(wake, nullptr);
    EXPECT_EQ(wake->getAddress(), 0xFF);
    EXPECT_EQ(wake->getPayload(), 0xFFFF);
    auto* read = dynamic_cast<HSSSingleReadCmd*>(link.queued[1].get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->getAddress(), 0x00);
    EXPECT_EQ(read->getContextID(), 1);

    link.queued.clear();
    link.detected = true;
    devIDReadCycle(flags.flags(), link.link());
    ASSERT_EQ(link.queued.size(), 1u);
    EXPECT_NE(dynamic_cast<HSSSingleReadCmd*>(link.queued[0].get()), nullptr);
}

TEST(PollCycles, IdentificationPausesForDetectionPauseAndManualRefresh)
{
    for (int which = 0; which < 2; ++which) {
        FakeLink link;
        Flags flags;
        (which == 0 ? flags.pause : flags.manualRefresh) = true;
        devIDReadCycle(flags.flags(), link.link());
        EXPECT_TRUE(link.queued.empty()) << which;
    }
}

TEST(PollCycles, FaultPollByFamily)
{
    struct Case {
        PollFamily family;
        bool safety;
        std::vector<uint8_t> contexts;  // in queue order
    };
    const Case cases[] = {
        {PollFamily::SixteenPin, false, {3, 5}},
        {PollFamily::SixteenPin, true, {3, 9, 5}},
        {PollFamily::EighteenPin, true, {8, 5}},
        {PollFamily::None, false, {5}},
    };
    for (const Case& c : cases) {
        FakeLink link;
        link.detected = true;
        Flags flags;
        flags.safety = c.safety;
        faultReadCycle(flags.flags(), link.link(), c.family, kLists);
        std::vector<uint8_t> contexts;
        for (auto& command : link.queued) contexts.push_back(command->getContextID());
        EXPECT_EQ(contexts, c.contexts);
        auto* gpio = dynamic_cast<HSSReadGPIOCTLCmd*>(link.queued.back().get());
        ASSERT_NE(gpio, nullptr);
        EXPECT_EQ(gpio->getGPIOIndex(), 3);
    }
    FakeLink link;
    link.detected = true;
    Flags flags;
    faultReadCycle(flags.flags(), link.link(), PollFamily::SixteenPin, kLists);
    auto* faults = dynamic_cast<HSSMixReadCmd*>(link.queued[0].get());
    ASSERT_NE(faults, nullptr);
    EXPECT_EQ(faults->getReadSize(), 3);
    EXPECT_EQ(faults->getReadAddresses()[1], 0x0D);
}

TEST(PollCycles, FaultPollWaitsForADetectedChipAndAutomaticUpdates)
{
    FakeLink link;
    Flags flags;
    faultReadCycle(flags.flags(), link.link(), PollFamily::SixteenPin, kLists);
    EXPECT_TRUE(link.queued.empty());
    link.detected = true;
    flags.manualUpdate = true;
    faultReadCycle(flags.flags(), link.link(), PollFamily::SixteenPin, kLists);
    EXPECT_TRUE(link.queued.empty());
}

TEST(PollCycles, SensePollOnlyWhileGraphing)
{
    FakeLink link;
    Flags flags;
    senseReadCycle(flags.flags(), link.link());
    EXPECT_TRUE(link.queued.empty());
    flags.sense = true;
    senseReadCycle(flags.flags(), link.link());
    ASSERT_EQ(link.queued.size(), 1u);
    EXPECT_NE(dynamic_cast<HSSPollReadCmd*>(link.queued[0].get()), nullptr);
    EXPECT_EQ(link.queued[0]->getContextID(), 6);
}
