#include <gtest/gtest.h>

#include <set>

#include "editor/FixedOptionLists.h"
#include "editor/OptionListPlan.h"
#include "editor/PartOptionTables.h"

namespace {

using namespace hss::options;

TEST(PartOptionTables, TableChoiceByDevice)
{
    struct Case {
        uint16_t code;
        const PartOptionTables* tables;
    };
    const Case cases[] = {
        {0xFF00, &zvr2m05Tables}, {0xFF01, &zvr2m05Tables}, {0xFF04, &zvr2m07Tables}, {0xFF05, &zvr2m07Tables},
        {0xFFF0, &zvr2m08Tables}, {0xFFF3, &zvr2m08Tables}, {0xFFF6, &zvr2m08Tables}, {0xFFF7, &zvr2m08Tables},
        {0xFFF8, nullptr},        {0xFFF9, nullptr},        {0xFFFB, nullptr},        {0xFFFF, nullptr},
        {0xFF02, nullptr},        {0x0000, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(optionTablesForDevice(c.code), c.tables) << std::hex << c.code;
}

TEST(PartOptionTables, ContentsPerSet)
{
    EXPECT_EQ(zvr2m08Tables.i2ttripenum.size(), 16u);
    EXPECT_EQ(zvr2m08Tables.i2ttripenum.front(), 8.8);
    EXPECT_EQ(zvr2m08Tables.i2ttripenum.back(), 350.0);
    EXPECT_TRUE(zvr2m08Tables.i2ttrip_dec_enum.empty());
    EXPECT_TRUE(zvr2m08Tables.man_lpm_large_enum.empty());
    EXPECT_EQ(zvr2m08Tables.inrush_enum.size(), 11u);
    EXPECT_EQ(zvr2m05Tables.inrush_enum.size(), 13u);
    EXPECT_EQ(zvr2m05Tables.inrush_enum.back(), "70");
    EXPECT_EQ(zvr2m07Tables.i2ttrip_dec_enum.back(), 350.0);
    EXPECT_EQ(zvr2m07Tables.i2ttripenum.back(), 801.2);
    EXPECT_EQ(zvr2m05Tables.i2ttrip_dec_enum.back(), 688.0);
    EXPECT_EQ(zvr2m08Tables.ol_pu_enum[0], "26.5\xC2\xB5" "A");
    EXPECT_EQ(zvr2m05Tables.slew_enum[2], "0.24 rising");
    EXPECT_EQ(zvr2m07Tables.man_swtmr_enum[0], "0.06");
    EXPECT_EQ(zvr2m08Tables.man_swtmr_enum[0], "0.2");
    EXPECT_EQ(zvr2m05Tables.nom_enum[0], "5.6");
    EXPECT_EQ(zvr2m07Tables.nom_enum[7], "15.0");
    for (const PartOptionTables* t : {&zvr2m08Tables, &zvr2m07Tables, &zvr2m05Tables}) {
        SCOPED_TRACE(t->prefix);
        // Every list fits its register field.
        EXPECT_EQ(t->i2ttripenum.size(), 16u);
        EXPECT_LE(t->nom_enum.size(), 8u);
        EXPECT_LE(t->inrush_enum.size(), 16u);
        EXPECT_LE(t->inrush_cap_enum.size(), 16u);
        EXPECT_EQ(t->man_lpm_small_enum.size(), 4u);
        EXPECT_EQ(t->man_cooldown_enum[0], "Latch");
    }
}

TEST(PartOptionTables, TripTableFollowsTheDecrementerBit)
{
    // 18-pin: bit 13 set gives the plain table, clear or unknown the decrementer table.
    EXPECT_EQ(i2tTripTable(zvr2m07Tables, uint16_t{0x2000}).back(), 801.2);
    EXPECT_EQ(i2tTripTable(zvr2m07Tables, uint16_t{0xDFFF}).back(), 350.0);
    EXPECT_EQ(i2tTripTable(zvr2m07Tables, std::nullopt).back(), 350.0);
    EXPECT_EQ(i2tTripTable(zvr2m05Tables, uint16_t{0x2000}).front(), 39.0);
    EXPECT_EQ(i2tTripTable(zvr2m05Tables, uint16_t{0}).front(), 17.0);
    // 16-pin: one table only.
    EXPECT_EQ(i2tTripTable(zvr2m08Tables, std::nullopt).back(), 350.0);
    EXPECT_EQ(i2tTripTable(zvr2m08Tables, uint16_t{0x2000}).back(), 350.0);

    EXPECT_EQ(lpmThresholdTable(zvr2m05Tables, true)[0], "4.1A");
    EXPECT_EQ(lpmThresholdTable(zvr2m05Tables, false)[0], "850mA");
    EXPECT_EQ(lpmThresholdTable(zvr2m08Tables, true)[0], "530mA");
}

TEST(PartOptionTables, TripValuesInShortestForm)
{
    EXPECT_EQ(formatTripValue(350.0), "350");
    EXPECT_EQ(formatTripValue(8.8), "8.8");
    EXPECT_EQ(formatTripValue(801.2), "801.2");
    EXPECT_EQ(formatTripValue(30.0), "30");
    EXPECT_EQ(formatTripValue(1573), "1573");
    EXPECT_EQ(formatTripLabel(20.1), "20.1 A2s");
}

TEST(FixedOptionLists, PwmDutyEntries)
{
    const auto& duty = pwmDutyItems();
    ASSERT_EQ(duty.size(), 256u);
    EXPECT_EQ(duty[0], "0.39%");
    EXPECT_EQ(duty[1], "0.78%");
    EXPECT_EQ(duty[2], "1.17%");
    EXPECT_EQ(duty[7], "3.13%");   // 3.125 rounds up
    EXPECT_EQ(duty[23], "9.38%");  // 9.375 rounds up
    EXPECT_EQ(duty[127], "50.00%");
    EXPECT_EQ(duty[254], "99.61%");
    EXPECT_EQ(duty[255], "100.00%");
    EXPECT_EQ(pwmDutyText(256), "");
    EXPECT_EQ(std::set<std::string>(duty.begin(), duty.end()).size(), 256u);
}

TEST(FixedOptionLists, ItemsByControlName)
{
    struct Case {
        const char* control;
        std::size_t size;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {"chanSettingPWMFreqBox", 8, "0.8Hz", "1770Hz"},
        {"chanSettingPWMFreqBox18", 8, "0.8Hz", "1770Hz"},
        {"cmdPWMFreqBox2", 8, "0.8Hz", "1770Hz"},
        {"cmdPWMDutyBox1", 256, "0.39%", "100.00%"},
        {"chanSettingPWMDutyBox18", 256, "0.39%", "100.00%"},
        {"wdtDurationBox18", 4, "400us", "1200ms"},
        {"adcSampleRateBox", 3, "Maximum", "25% Max"},
        {"capChargeDurationBox", 8, "0ms", "100ms"},
        {"chanSettingInrushDurationBox18", 8, "0ms", "100ms"},
        {"wbBlankBox", 4, "0.4ms", "4.0ms"},
        {"adcScaleBox18", 2, "1x", "8x"},
        {"lhiBehaviorBox18", 4, "DI Pin Controlled", "Output On"},
        {"olOffMode18", 4, "Off", "External Switch"},
        {"manLPMModeBox18", 2, "Small FET", "Large FET"},
        {"dcrModeBox18", 2, "Decrementer Disabled", "Decrementer Enabled"},
        {"chanSettingDecFactBox18", 4, "0.25", "2"},
        {"i2tChanNumBox18", 2, "1", "2"},
        {"enChanBoxCC", 2, "Channel 1", "Channel 2"},
        {"gaugeSelectionBox", 4, "Disabled", "Custom"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        const auto items = fixedListItems(c.control);
        ASSERT_TRUE(items);
        ASSERT_EQ(items->size(), c.size);
        EXPECT_EQ(items->front(), c.first);
        EXPECT_EQ(items->back(), c.last);
    }
    // Shared and single-family controls have no twin; unknown names nothing.
    for (const char* name : {"cmdPWMFreqBox118", "enChanBoxCC18", "olOffMode1818", "nomCurrentBox", "x"})
        EXPECT_FALSE(fixedListItems(name)) << name;
    for (const std::string& name : fixedListControls())
        EXPECT_TRUE(fixedListItems(name)) << name;
}

TEST(OptionListPlan, InitialItems)
{
    const auto trip = initialListItems("chanSettingI2TBox18");
    ASSERT_EQ(trip.size(), 16u);
    EXPECT_EQ(trip.front(), "8.8A2s");
    EXPECT_EQ(trip.back(), "350A2s");
    EXPECT_EQ(initialListItems("hwLimitBox").size(), 13u);
    EXPECT_EQ(initialListItems("chanSettingCurrentLimitBox18").back(), "70A");
    EXPECT_EQ(initialListItems("inRushValueBox").size(), 16u);
    EXPECT_EQ(initialListItems("inRushValueBox").back(), "92.5A");
    EXPECT_EQ(initialListItems("chargeLevelBox18").back(), "18.5A");
    EXPECT_EQ(initialListItems("chanSettingNomBox").front(), "4.0A");
    EXPECT_EQ(initialListItems("nomCurrentBox").front(), "4.0");
    EXPECT_EQ(initialListItems("chanSettingCLTimer").front(), "Latch Mode (no retry)");
    EXPECT_EQ(initialListItems("chanSettingSWDelayBox18").back(), "2.0ms");
    EXPECT_EQ(initialListItems("wbOffCurrrentBox").front(), "32uA");
    EXPECT_EQ(initialListItems("lpmCh2ThreshBox"), (std::vector<std::string>{"600mA", "800mA", "200mA", "400mA"}));
    EXPECT_TRUE(initialListItems("lpmCh2ThreshBox18").empty());
    for (const std::string& name : partDependentControls())
        EXPECT_FALSE(initialListItems(name).empty()) << name;
}

const ListReload* findList(const EnumerationPlan& plan, const std::string& control)
{
    for (const ListReload& list : plan.lists) {
        if (list.control == control)
            return &list;
    }
    return nullptr;
}

TEST(OptionListPlan, SixteenPinPartsShareOneSet)
{
    const auto a = planDefaultEnumerations(0xFFF3);
    const auto b = planDefaultEnumerations(0xFFF6);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->tables, b->tables);
    EXPECT_TRUE(a->datasheetTabShown);
    EXPECT_EQ(a->tripListControl, "chanSettingI2TBox");
    EXPECT_EQ(a->tripListValues.back(), 350.0);
    ASSERT_EQ(a->lists.size(), b->lists.size());
    for (std::size_t i = 0; i < a->lists.size(); ++i) {
        EXPECT_EQ(a->lists[i].control, b->lists[i].control);
        EXPECT_EQ(a->lists[i].items, b->lists[i].items);
    }
    const ListReload* nominal = findList(*a, "chanSettingNomBox");
    ASSERT_NE(nominal, nullptr);
    EXPECT_EQ(nominal->items,
              (std::vector<std::string>{"4.0", "5.0", "5.7", "6.5", "7.5", "9.0", "12.0", "15.0"}));
    ASSERT_NE(findList(*a, "nomCurrentBox"), nullptr);
    EXPECT_EQ(findList(*a, "hwLimitBox")->items.size(), 11u);
    EXPECT_EQ(findList(*a, "lpmCh1ThreshBox")->items.front(), "530mA");
    EXPECT_EQ(findList(*a, "nomCurrentBox18"), nullptr);

    EXPECT_FALSE(planDefaultEnumerations(0xFFF9));
}

TEST(OptionListPlan, EighteenPinSelectionRules)
{
    // ZVR2M07: channel 1 has the decrementer bit, channel 2 not.
    EighteenPinSelection sel;
    sel.i2tTunerChannelI2TConfig = 0x2000;  // tuner on "1"
    sel.chanSettingChannelI2TConfig = 0x0000;  // channel settings on "2"
    const auto plan = planDefaultEnumerations(0xFF04, sel);
    ASSERT_TRUE(plan);
    EXPECT_FALSE(plan->datasheetTabShown);
    EXPECT_EQ(plan->i2tArrayValues.front(), 20.1);
    EXPECT_EQ(plan->i2tArrayValues.back(), 801.2);
    EXPECT_EQ(plan->tripListControl, "chanSettingI2TBox18");
    EXPECT_EQ(plan->tripListValues.front(), 8.8);
    EXPECT_EQ(plan->tripListValues.back(), 350.0);
    EXPECT_NE(findList(*plan, "nomCurrentBox18"), nullptr);
    EXPECT_EQ(findList(*plan, "nomCurrentBox"), nullptr);
    EXPECT_EQ(findList(*plan, "lpmCh1ThreshBox")->items.front(), "530mA");

    // ZVR2M05 with "Large FET": all three LPM lists take the large table.
    sel.lowPowerMode = 0x0002;
    const auto large = planDefaultEnumerations(0xFF01, sel);
    ASSERT_TRUE(large);
    const std::vector<std::string> expected{"4.1A", "5.5A", "1.4A", "2.5A"};
    for (const char* name : {"chanSettingLPMCurrentBox18", "lpmCh1ThreshBox", "lpmCh2ThreshBox"}) {
        ASSERT_NE(findList(*large, name), nullptr) << name;
        EXPECT_EQ(findList(*large, name)->items, expected) << name;
    }
    EXPECT_EQ(findList(*large, "hwLimitBox18")->items.size(), 13u);
}

}  // namespace
