// The binding table's own rules: family choice, encoding, message wording.
// (Every row against the chip is exercised by the editor page tests.)

#include <gtest/gtest.h>

#include <set>

#include "device/ZVRxQxx18PINConfiguration.h"
#include "editor/bindings/FieldBinding.h"
#include "editor/bindings/FieldCaptions.h"
#include "device/RegisterFields.h"

using namespace editor;

namespace {

const FieldBinding& row(const char* name)
{
    const FieldBinding* found = findBinding(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

TEST(FieldBindingTable, EveryRowHasAFieldAndAnAddressWhereItHasAControl)
{
    std::set<std::string_view> names;
    for (const FieldBinding& binding : fieldBindings()) {
        SCOPED_TRACE(std::string(binding.name));
        EXPECT_TRUE(names.insert(binding.name).second) << "duplicate row";
        EXPECT_FALSE(binding.whenOn.empty());
        for (hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP}) {
            if (!appliesTo(binding, family)) {
                EXPECT_FALSE(fieldFor(binding, family, 0));
                continue;
            }
            for (uint8_t channel : {0, 1}) {
                EXPECT_TRUE(addressFor(binding, family, channel).has_value()) << "family " << family;
            }
        }
    }
}

TEST(FieldBindingTable, TwinNamesCarryTheSuffixOnlyOnTheEighteenPinPages)
{
    EXPECT_EQ(controlName(row("slewRateBox"), HSS_FAMILY_16PWP), "slewRateBox");
    EXPECT_EQ(controlName(row("slewRateBox"), HSS_FAMILY_18PWP), "slewRateBox18");
    EXPECT_EQ(controlName(row("lpmEnableBox"), HSS_FAMILY_18PWP), "lpmEnableBox");
    EXPECT_EQ(controlName(row("olOffMode18"), HSS_FAMILY_18PWP), "olOffMode18");
    EXPECT_EQ(controlName(row("olOffMode18"), HSS_FAMILY_16PWP), "");
    EXPECT_EQ(controlName(row("parallelBox"), HSS_FAMILY_18PWP), "");
    EXPECT_EQ(partnerName(row("shutdownLatchBox"), HSS_FAMILY_18PWP), "shutdownRetryBox18");
}

TEST(FieldBindingTable, ActingFamilyFollowsScope)
{
    struct Case {
        const char* name;
        hss_device_family_t current;
        hss_device_family_t control;
        std::optional<hss_device_family_t> acting;
    };
    const Case cases[] = {
        {"slewRateBox", HSS_FAMILY_16PWP, HSS_FAMILY_16PWP, HSS_FAMILY_16PWP},
        {"slewRateBox", HSS_FAMILY_16PWP, HSS_FAMILY_18PWP, std::nullopt},  // hidden twin
        {"slewRateBox", HSS_FAMILY_NONE, HSS_FAMILY_16PWP, std::nullopt},
        {"lpmEnableBox", HSS_FAMILY_18PWP, HSS_FAMILY_16PWP, HSS_FAMILY_18PWP},
        {"lpmEnableBox", HSS_FAMILY_NONE, HSS_FAMILY_16PWP, std::nullopt},
        {"parallelBox", HSS_FAMILY_NONE, HSS_FAMILY_16PWP, HSS_FAMILY_16PWP},
        {"parallelBox", HSS_FAMILY_18PWP, HSS_FAMILY_16PWP, std::nullopt},
        {"olOffMode18", HSS_FAMILY_NONE, HSS_FAMILY_18PWP, HSS_FAMILY_18PWP},
        {"olOffMode18", HSS_FAMILY_16PWP, HSS_FAMILY_18PWP, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " current " + std::to_string(c.current));
        EXPECT_EQ(actingFamily(row(c.name), c.current, c.control), c.acting);
    }
}

TEST(FieldBindingEdit, ChannelTwoFieldsOfSharedRegistersUseTheSharedAddress)
{
    ZVRxQxx18PINConfiguration record;
    record.setDevConfig(0x8001);
    const auto lhi = applyEdit(row("lhiBehaviorBox"), {HSS_FAMILY_18PWP, 1, 3, "Output On"}, record);
    ASSERT_TRUE(lhi);
    EXPECT_EQ(lhi->address, 8);
    EXPECT_EQ(lhi->word, 0x8601);
    EXPECT_EQ(lhi->logLine, "LHI behavior on channel 2 set to Output On");
    EXPECT_EQ(record.getDevConfig(), 0x8601);

    ZVRxQxx16PINConfiguration sixteen;
    const auto scale = applyEdit(row("adcScaleBox"), {HSS_FAMILY_16PWP, 1, 1, "8x"}, sixteen);
    ASSERT_TRUE(scale);
    EXPECT_EQ(scale->address, 25);
    EXPECT_EQ(scale->word, 0x0400);
    EXPECT_EQ(sixteen.getChanDiagConfig(1), 0x0400);
    EXPECT_EQ(sixteen.getChanDiagConfig(0), 0);
}

TEST(FieldBindingEdit, TickedClearsForInvertedSwitchesAndIndexIsMaskedToItsField)
{
    ZVRxQxx16PINConfiguration record;
    record.setDevConfig(0x0001);
    const auto latch = applyEdit(row("latchFaultBox"), {HSS_FAMILY_16PWP, 0, 1, ""}, record);
    ASSERT_TRUE(latch);
    EXPECT_EQ(latch->word, 0x0000);
    EXPECT_EQ(latch->logLine, "Fault latch enabled.");

    record.setPWMConfig(0xFFFF, 0);
    const auto freq = applyEdit(row("cmdPWMFreqBox1"), {HSS_FAMILY_16PWP, 0, 9, "x"}, record);
    ASSERT_TRUE(freq);
    EXPECT_EQ(freq->word, 0xF3FF);  // 9 does not fit three bits: only 1 lands, nothing spills

    const auto duration = applyEdit(row("wdtDurationBox"), {HSS_FAMILY_16PWP, 0, 2, "800ms"}, record);
    EXPECT_EQ(duration->logLine, "Watchdog duration changed to 2");
    const auto pwm2 = applyEdit(row("cmdPWMEn2"), {HSS_FAMILY_16PWP, 1, 0, ""}, record);
    EXPECT_EQ(pwm2->logLine, "");
}

TEST(FieldBindingShown, CapacitiveChargingShowsEitherModeBitOnEighteenPinParts)
{
    ZVRxQxx18PINConfiguration record;
    record.setILIMConfig(0x1000, 0);  // bit 12 only
    EXPECT_EQ(shownValue(row("capChargeEnableBox"), HSS_FAMILY_18PWP, record, 0), 1);
    EXPECT_EQ(shownValue(row("capChargeEnableBox"), HSS_FAMILY_16PWP, record, 0), 0);
    record.setChanDiagConfig(0x0000, 1);
    EXPECT_EQ(shownValue(row("shutdownLatchBox"), HSS_FAMILY_18PWP, record, 1), 1);  // clear = latch
    EXPECT_EQ(shownValue(row("shutdownLatchBox"), HSS_FAMILY_16PWP, record, 1), 0);  // clear = retry
}

TEST(FieldBindingMessage, PlaceholdersAreReplacedOnlyWhereTheyStand)
{
    EXPECT_EQ(formatMessage("a {0} b {1} c", "1", "x"), "a 1 b x c");
    EXPECT_EQ(formatMessage("{1}{0}", "1", "2"), "21");
    EXPECT_EQ(formatMessage("{2} {0", "1", "2"), "{2} {0");
    EXPECT_EQ(formatMessage("no args", "1"), "no args");
}

// Every control of the table has a caption where it has a control, both
// channels of a per-channel field read alike, and the texts the register
// description quotes stand as quoted.
TEST(FieldCaptions, EveryRowIsCaptionedAndQuotedTextsStand)
{
    for (const FieldBinding& binding : fieldBindings()) {
        for (hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP}) {
            SCOPED_TRACE(std::string(binding.name) + " family " + std::to_string(family));
            if (!appliesTo(binding, family)) {
                EXPECT_EQ(rowCaption(binding, family), "");
                continue;
            }
            EXPECT_NE(rowCaption(binding, family), "");
            const auto second = fieldFor(binding, family, 1);
            ASSERT_TRUE(second);
            EXPECT_EQ(fieldCaption(family, *second), rowCaption(binding, family));
        }
    }
    // The same LPM bits read differently by family.
    EXPECT_EQ(rowCaption(row("lpmAutoEntryBox1"), HSS_FAMILY_16PWP), "Auto LPM Entry");
    EXPECT_EQ(rowCaption(row("lpmAutoEntryBox1"), HSS_FAMILY_18PWP), "Auto LPM Force Exit");
    EXPECT_EQ(rowCaption(row("chanSettingsLPMAutoBox"), HSS_FAMILY_18PWP), "Auto LPM Force Exit");
    EXPECT_EQ(rowCaption(row("olOffMode18"), HSS_FAMILY_18PWP), "SVBB Enable Setting");
    EXPECT_EQ(fieldCaption(HSS_FAMILY_18PWP, hss::field16::PWM_DELAY), "Fast Output with DI Pin");
    EXPECT_EQ(fieldCaption(HSS_FAMILY_NONE, hss::field::PWM_DUTY), "");
}

}  // namespace
