#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/PollCycles.h"
#include "app/ReadBackRequests.h"
#include "app/ReplyDispatcher.h"
#include "device/AddressLists.h"
#include "device/ConfigReadBack.h"
#include "device/RegisterWriteLedger.h"
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

}  // namespace

TEST(PollCycles, NothingIsQueuedWhileNoBoardIsOpen)
{
    FakeLink link;
    link.open = false;
    Flags flags;
    flags.sense = true;
    link.detected = true;
    senseReadCycle(flags.flags(), link.link());
    faultReadCycle(flags.flags(), link.link(), HSS_FAMILY_16PWP);
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

// Manual refresh stops the re-reads of a detected part, never the finding of
// a part (after a replug the menu that ends manual refresh is disabled until
// a part is shown).
TEST(PollCycles, IdentificationPausesForDetectionPauseAndForManualRefreshOfADetectedPart)
{
    const struct {
        bool pause, manualRefresh, detected;
        std::size_t queued;
    } cases[] = {
        {true, false, false, 0}, {true, false, true, 0},  {false, true, true, 0},
        {false, true, false, 2}, {false, false, true, 1},
    };
    for (const auto& c : cases) {
        FakeLink link;
        link.detected = c.detected;
        Flags flags;
        flags.pause = c.pause;
        flags.manualRefresh = c.manualRefresh;
        devIDReadCycle(flags.flags(), link.link());
        EXPECT_EQ(link.queued.size(), c.queued) << c.pause << c.manualRefresh << c.detected;
    }
}

TEST(PollCycles, FaultPollByFamily)
{
    struct Case {
        hss_device_family_t family;
        bool safety;
        std::vector<uint8_t> contexts;  // in queue order
    };
    const Case cases[] = {
        {HSS_FAMILY_16PWP, false, {3, 5}},
        {HSS_FAMILY_16PWP, true, {3, 9, 5}},
        {HSS_FAMILY_18PWP, true, {8, 5}},
        {HSS_FAMILY_NONE, false, {5}},
    };
    for (const Case& c : cases) {
        FakeLink link;
        link.detected = true;
        Flags flags;
        flags.safety = c.safety;
        faultReadCycle(flags.flags(), link.link(), c.family);
        std::vector<uint8_t> contexts;
        for (auto& command : link.queued) contexts.push_back(command->getContextID());
        EXPECT_EQ(contexts, c.contexts);
        auto* gpio = dynamic_cast<HSSReadGPIOCTLCmd*>(link.queued.back().get());
        ASSERT_NE(gpio, nullptr);
        EXPECT_EQ(gpio->getGPIOIndex(), 3);
    }
    // The safety read is the 16-pin self-test register.
    FakeLink link;
    link.detected = true;
    Flags flags;
    flags.safety = true;
    faultReadCycle(flags.flags(), link.link(), HSS_FAMILY_16PWP);
    auto* abist = dynamic_cast<HSSSingleReadCmd*>(link.queued.at(1).get());
    ASSERT_NE(abist, nullptr);
    EXPECT_EQ(abist->getAddress(), 0x06);
}

// Every read of a family's registers uses the device layer's lists: the page
// refresh, "Manual Refresh" and the fault poll.
TEST(ReadBackRequests, ListsAndContextsByFamily)
{
    struct Case {
        hss_device_family_t family;
        std::vector<uint8_t> configContexts;
        std::vector<uint8_t> faultList;
        uint8_t faultContext;
    };
    const std::vector<uint8_t> sixteenFaults(hss::sixteenFaultUpdate.begin(), hss::sixteenFaultUpdate.end());
    const std::vector<uint8_t> eighteenFaults(hss::eighteenFaultUpdate.begin(), hss::eighteenFaultUpdate.end());
    const Case cases[] = {
        {HSS_FAMILY_16PWP, {2}, sixteenFaults, 3},
        {HSS_FAMILY_18PWP, {7, 7}, eighteenFaults, 8},
        {HSS_FAMILY_NONE, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.family));
        const auto reads = configReadBackCommands(c.family, 7);
        const auto lists = hss::readBackLists(c.family);
        ASSERT_EQ(reads.size(), lists.size());
        std::vector<uint8_t> contexts;
        for (std::size_t i = 0; i < reads.size(); ++i) {
            contexts.push_back(reads[i]->getContextID());
            const auto* stamped = dynamic_cast<const hss::ReadBackCmd*>(reads[i].get());
            ASSERT_NE(stamped, nullptr);
            EXPECT_EQ(stamped->stamp(), 7u);
            const auto& addresses = reads[i]->getReadAddresses();
            EXPECT_EQ(std::vector<uint8_t>(addresses.begin(), addresses.begin() + reads[i]->getReadSize()), lists[i]);
        }
        EXPECT_EQ(contexts, c.configContexts);

        const auto faults = faultReadCommand(c.family);
        ASSERT_EQ(faults != nullptr, !c.faultList.empty());
        if (!faults) continue;
        EXPECT_EQ(faults->getContextID(), c.faultContext);
        const auto& addresses = faults->getReadAddresses();
        EXPECT_EQ(std::vector<uint8_t>(addresses.begin(), addresses.begin() + faults->getReadSize()), c.faultList);

        // The fault poll queues exactly this read first.
        FakeLink link;
        link.detected = true;
        Flags flags;
        faultReadCycle(flags.flags(), link.link(), c.family);
        auto* polled = dynamic_cast<HSSMixReadCmd*>(link.queued.at(0).get());
        ASSERT_NE(polled, nullptr);
        EXPECT_EQ(polled->getReadAddresses(), faults->getReadAddresses());
    }
}

TEST(PollCycles, FaultPollWaitsForADetectedChipAndAutomaticUpdates)
{
    FakeLink link;
    Flags flags;
    faultReadCycle(flags.flags(), link.link(), HSS_FAMILY_16PWP);
    EXPECT_TRUE(link.queued.empty());
    link.detected = true;
    flags.manualUpdate = true;
    faultReadCycle(flags.flags(), link.link(), HSS_FAMILY_16PWP);
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
