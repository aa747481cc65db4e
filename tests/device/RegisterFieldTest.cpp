#include <gtest/gtest.h>

#include "device/RegisterFields.h"

namespace {

namespace f = hss::field;
namespace f16 = hss::field16;
namespace f18 = hss::field18;

TEST(RegisterField, DecodesAndEncodesIndexFields)
{
    // PWM 0x0E03: frequency index 7, duty index 1, enabled.
    EXPECT_EQ(f::PWM_FREQUENCY.get(0x0E03), 7);
    EXPECT_EQ(f::PWM_DUTY.get(0x0E03), 1);
    EXPECT_TRUE(f::PWM_ENABLE.isOn(0x0E03));
    EXPECT_EQ(f::PWM_DUTY.set(0x0E03, 255), 0x0FFF);
    EXPECT_EQ(f::PWM_DUTY.set(0xFFFF, 0), 0xFE01);

    // Replacing a field keeps every other bit.
    EXPECT_EQ(f::ILIMIT_SET.set(0xABCD, 0x3), 0xABC3);
    EXPECT_EQ(f::TCLDN.set(0x0000, 3), 0xC000);
    EXPECT_EQ(f::TCLDN.get(0x8000), 2);
    EXPECT_EQ(f::WDT_TIMEOUT.mask(), 0x0006);
    EXPECT_EQ(f::INRUSH_DURATION.maxValue(), 7);
}

TEST(RegisterField, IndexBeyondTheFieldNeverSpillsIntoNeighbours)
{
    // A 4-entry list index written into a 2-bit field, or a wild value.
    EXPECT_EQ(f::LHI_BEHAVIOR_CH1.set(0x0000, 0x7), 0x0180);
    EXPECT_EQ(f::ISWCL.set(0x0000, 0xFFFF), 0x0180);
    EXPECT_FALSE(f::ISWCL.fits(4));
    EXPECT_TRUE(f::ISWCL.fits(3));
}

TEST(RegisterField, InvertedSwitchesAreOnWhenClear)
{
    struct Case {
        RegisterField field;
        uint16_t bit;
    };
    const Case inverted[] = {{f::FAULT_LATCH, 0x0001},   {f::ADC_ENABLE, 0x0001},     {f::ADC_VBB_SAMPLING, 0x0002},
                             {f::ADC_VDS_SAMPLING, 0x0020}, {f16::PWM_DELAY, 0x0040}, {f::CH_CURRENT_ADC, 0x2000},
                             {f::CH_VDS_ADC, 0x4000},    {f::CH_VOUT_ADC, 0x8000},    {f18::SHUTDOWN_LATCH, 0x0004}};
    for (const Case& c : inverted) {
        SCOPED_TRACE(c.bit);
        EXPECT_TRUE(c.field.isOn(0x0000));
        EXPECT_FALSE(c.field.isOn(c.bit));
        EXPECT_EQ(c.field.setOn(0xFFFF, true), 0xFFFF & ~c.bit);
        EXPECT_EQ(c.field.setOn(0x0000, false), c.bit);
    }
    // Plain switch for contrast.
    EXPECT_EQ(f::WDT_ENABLE.setOn(0x0000, true), 0x0008);
    EXPECT_EQ(f::WDT_ENABLE.setOn(0xFFFF, false), 0xFFF7);
}

TEST(RegisterField, FamilyDependentFields)
{
    // CRC switch: 16-pin CRC_CONFIG bit 0, 18-pin DEV_CONFIG bit 15.
    EXPECT_EQ(f::crcEnableField(HSS_FAMILY_16PWP).address(HSS_FAMILY_16PWP), 0x01);
    EXPECT_EQ(f::crcEnableField(HSS_FAMILY_18PWP).address(HSS_FAMILY_18PWP), 0x08);
    EXPECT_EQ(f::crcEnableField(HSS_FAMILY_18PWP).mask(), 0x8000);

    // Shutdown latch has opposite polarity in the two families.
    EXPECT_TRUE(f::shutdownLatchField(HSS_FAMILY_16PWP).isOn(0x0004));
    EXPECT_FALSE(f::shutdownLatchField(HSS_FAMILY_18PWP).isOn(0x0004));
    EXPECT_TRUE(f::shutdownLatchField(HSS_FAMILY_18PWP).isOn(0x0000));

    // LPM per channel.
    EXPECT_EQ(f::lpmAutoField(HSS_FAMILY_16PWP, 0).mask(), 0x0002);
    EXPECT_EQ(f::lpmAutoField(HSS_FAMILY_16PWP, 1).mask(), 0x0004);
    EXPECT_EQ(f::lpmAutoField(HSS_FAMILY_18PWP, 0).mask(), 0x0004);
    EXPECT_EQ(f::lpmAutoField(HSS_FAMILY_18PWP, 1).mask(), 0x0008);
    EXPECT_EQ(f::lpmThresholdField(HSS_FAMILY_16PWP, 0).mask(), 0x0018);
    EXPECT_EQ(f::lpmThresholdField(HSS_FAMILY_16PWP, 1).mask(), 0x0060);
    EXPECT_EQ(f::lpmThresholdField(HSS_FAMILY_18PWP, 0).mask(), 0x0030);
    EXPECT_EQ(f::lpmThresholdField(HSS_FAMILY_18PWP, 1).mask(), 0x00C0);

    // 18-pin thresholds leave enable, FET and both auto bits alone.
    const uint16_t lpm = 0x000F;
    EXPECT_EQ(f::lpmThresholdField(HSS_FAMILY_18PWP, 0).set(lpm, 3), 0x003F);
    EXPECT_EQ(f::lpmThresholdField(HSS_FAMILY_18PWP, 1).set(lpm, 2), 0x008F);

    EXPECT_EQ(f::lhiBehaviorField(1).set(0, 3), 0x0600);
    EXPECT_EQ(f::switchStateField(1).mask(), 0x0002);
    EXPECT_EQ(f::switchStateField(9).mask(), 0x0002);

    // 18-pin capacitive charging shows on for either bit 12 or 13.
    const RegisterField cap18 = f::capChargeShownField(HSS_FAMILY_18PWP);
    EXPECT_TRUE(cap18.isOn(0x1000));
    EXPECT_TRUE(cap18.isOn(0x2000));
    EXPECT_FALSE(cap18.isOn(0x0FFF));
    EXPECT_FALSE(f::capChargeShownField(HSS_FAMILY_16PWP).isOn(0x1000));
}

TEST(RegisterField, PerChannelAddresses)
{
    EXPECT_EQ(f::ADC_SCALE.address(HSS_FAMILY_16PWP, 1), 25);
    EXPECT_EQ(f::LHI_BEHAVIOR_CH2.address(HSS_FAMILY_18PWP, 1), 8);
    EXPECT_EQ(f::I2T_TRIP.address(HSS_FAMILY_18PWP, 1), 0x1D);
    EXPECT_EQ(f::I2T_TRIP.address(HSS_FAMILY_16PWP, 1), 0x1E);
    EXPECT_FALSE(f::I2T_TRIP.address(HSS_FAMILY_NONE, 0));
}

}  // namespace
