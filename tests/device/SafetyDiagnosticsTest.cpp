#include <gtest/gtest.h>

#include "device/SafetyDiagnostics.h"

namespace {

using Shown = std::array<bool, hss::kSelfTestCount>;

std::vector<std::pair<std::size_t, bool>> changes(uint16_t abist, const Shown& shown)
{
    std::vector<std::pair<std::size_t, bool>> out;
    for (const hss::SelfTestChange& change : hss::selfTestChanges(abist, shown))
        out.emplace_back(change.row, change.faulted);
    return out;
}

TEST(SafetyDiagnostics, SelfTestRowsChangeOnlyWhereTheResultDiffersFromWhatIsShown)
{
    const Shown clear{};
    Shown bandgap{};
    bandgap[0] = true;
    struct Case {
        uint16_t abist;
        Shown shown;
        std::vector<std::pair<std::size_t, bool>> expected;
    };
    const Case cases[] = {
        {0x0001, clear, {{0, true}}},
        {0x0001, bandgap, {}},  // the same result again: nothing
        {0x0000, bandgap, {{0, false}}},
        {0x0010, clear, {{5, true}}},  // bit 4: "OTP CRC", the sixth sub-tab
        {0x0020, clear, {{4, true}}},  // bit 5: "Current Sense"
        {0x000E, clear, {{1, true}, {2, true}, {3, true}}},
        {0xFFC0, clear, {}},  // bits above 5 belong to no test
    };
    for (const Case& c : cases)
        EXPECT_EQ(changes(c.abist, c.shown), c.expected) << std::hex << c.abist;

    EXPECT_EQ(hss::kSelfTestRows[4].tabTitle, "Current Sense");
    EXPECT_EQ(hss::kSelfTestRows[4].initiate->offset, 4);
    EXPECT_FALSE(hss::kSelfTestRows[5].initiate.has_value());
}

TEST(SafetyDiagnostics, TestSelectionsReplaceTheirFieldOnlyAndSleepUsesTheFamilyRegisters)
{
    EXPECT_EQ(hss::withDigitalTest(0xFFFF, 5), 0xFFE5);
    EXPECT_EQ(hss::withAnalogTest(0xFFFF, 10), 0xEAFF);
    EXPECT_EQ(hss::withAnalogTest(hss::withDigitalTest(0, 5), 10), 0x0A05);
    EXPECT_EQ(hss::withDigitalTest(0, 32), 0x0000);  // never spills into bit 5

    EXPECT_EQ(hss::sleepRegisters(HSS_FAMILY_16PWP).swState, 0x07);
    EXPECT_EQ(hss::sleepRegisters(HSS_FAMILY_16PWP).sleep, 0x02);
    EXPECT_EQ(hss::sleepRegisters(HSS_FAMILY_18PWP).swState, 0x06);
    EXPECT_EQ(hss::sleepRegisters(HSS_FAMILY_18PWP).sleep, 0x01);
    EXPECT_EQ(hss::sleepRegisters(HSS_FAMILY_NONE).sleep, 0x02);
}

}  // namespace
