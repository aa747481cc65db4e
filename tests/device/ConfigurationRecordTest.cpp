#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "device/RegisterFields.h"
#include "device/ZVRxQxx18PINConfiguration.h"

namespace {

using Record16 = ZVRxQxx16PINConfiguration;
using Record18 = ZVRxQxx18PINConfiguration;

struct ChannelAccessor {
    const char* name;
    std::function<uint16_t(const Record16&, uint8_t)> get;
    std::function<void(Record16&, uint16_t, uint8_t)> set;
};

std::vector<ChannelAccessor> channelAccessors()
{
    return {
        {"PWM", &Record16::getPWMConfig, &Record16::setPWMConfig},
        {"ILIM", &Record16::getILIMConfig, &Record16::setILIMConfig},
        {"ChanDiag", &Record16::getChanDiagConfig, &Record16::setChanDiagConfig},
        {"I2T", &Record16::getI2TConfig, &Record16::setI2TConfig},
        {"ChanFault", &Record16::getChanFault, &Record16::setChanFault},
    };
}

TEST(ConfigurationRecord, FreshRecordsAreZero)
{
    const Record18 r;
    for (uint16_t v : {r.getCRCConfig(), r.getLowPowerMode(), r.getSleepReg(), r.getDeviceFaultMask(),
                       r.getSwitchState(), r.getDevConfig(), r.getADCConfig(), r.getABISTResult(), r.getTest(),
                       r.getDevID(), r.getDevFault(), r.getADCCal(0), r.getADCCal(1), r.getUserReg52(),
                       r.getUserReg53(), r.getUserReg54(), r.getUserReg55(), r.getUserReg56(), r.getUserReg57()})
        EXPECT_EQ(v, 0);
    for (const ChannelAccessor& a : channelAccessors()) {
        EXPECT_EQ(a.get(r, 0), 0) << a.name;
        EXPECT_EQ(a.get(r, 1), 0) << a.name;
    }
    EXPECT_FALSE(r.isLHIForced());
    EXPECT_FALSE(r.isDIForced());
    EXPECT_EQ(r.getKSNSRatio(), 0.0f);
    EXPECT_EQ(r.getKSNSRatioScale(), 0.0f);
}

TEST(ConfigurationRecord, ChannelIndexRules)
{
    for (const ChannelAccessor& a : channelAccessors()) {
        SCOPED_TRACE(a.name);
        Record16 r;
        a.set(r, 0x1111, 0);
        a.set(r, 0x2222, 1);
        a.set(r, 0x5555, 5);    // ignored
        a.set(r, 0x6666, 255);  // ignored
        EXPECT_EQ(a.get(r, 0), 0x1111);
        EXPECT_EQ(a.get(r, 1), 0x2222);
        // Every index other than 0 reads channel 2.
        EXPECT_EQ(a.get(r, 5), 0x2222);
        EXPECT_EQ(a.get(r, 255), 0x2222);
    }
}

TEST(ConfigurationRecord, CalibrationAndUserRegisters)
{
    Record18 r;
    r.setADCCal(0xAAAA, 0);
    r.setADCCal(0xBBBB, 1);
    r.setADCCal(0xCCCC, 2);
    EXPECT_EQ(r.getADCCal(0), 0xAAAA);
    EXPECT_EQ(r.getADCCal(1), 0xBBBB);
    EXPECT_EQ(r.getADCCal(2), 0);

    r.setUserReg52(0x52);
    r.setUserReg53(0x53);
    r.setUserReg54(0x54);
    r.setUserReg55(0x55);
    r.setUserReg56(0x56);
    r.setUserReg57(0x57);
    EXPECT_EQ(r.getUserReg52(), 0x52);
    EXPECT_EQ(r.getUserReg53(), 0x53);
    EXPECT_EQ(r.getUserReg54(), 0x54);
    EXPECT_EQ(r.getUserReg55(), 0x55);
    EXPECT_EQ(r.getUserReg56(), 0x56);
    EXPECT_EQ(r.getUserReg57(), 0x57);
    EXPECT_EQ(r.getRegister(HSSRegister::CUST_REG_55_REG), 0x55);
    EXPECT_EQ(r.getRegister(HSSRegister::TSNS_CAL_RESULT_CH2_REG), 0xBBBB);
    // The 16-pin record has no user registers.
    Record16 base;
    EXPECT_FALSE(base.getRegister(HSSRegister::CUST_REG_55_REG));
    EXPECT_FALSE(base.setRegister(HSSRegister::CUST_REG_55_REG, 1));
}

TEST(ConfigurationRecord, RegisterAccessByNameFollowsTheSameRules)
{
    Record16 r;
    EXPECT_TRUE(r.setRegister(HSSRegister::LPM, 0x0042));
    EXPECT_EQ(r.getLowPowerMode(), 0x0042);
    EXPECT_TRUE(r.setRegister(HSSRegister::I2T_CONFIG_CH, 0x1234, 1));
    EXPECT_EQ(r.getI2TConfig(1), 0x1234);
    EXPECT_FALSE(r.setRegister(HSSRegister::I2T_CONFIG_CH, 0x9999, 2));
    EXPECT_EQ(r.getRegister(HSSRegister::I2T_CONFIG_CH, 2), 0x1234);
    EXPECT_FALSE(r.getRegister(HSSRegister::WAKE));
}

TEST(ConfigurationRecord, UpdateFieldChangesOnlyThatField)
{
    Record18 r;
    r.setPWMConfig(0x0E03, 1);
    EXPECT_EQ(r.updateField(hss::field::PWM_DUTY, 7, 1), 0x0E0F);
    EXPECT_EQ(r.getPWMConfig(1), 0x0E0F);
    EXPECT_EQ(r.getPWMConfig(0), 0);
    EXPECT_EQ(r.setFieldOn(hss::field::ADC_ENABLE, true), 0x0000);
    EXPECT_EQ(r.setFieldOn(hss::field::ADC_ENABLE, false), 0x0001);
    EXPECT_FALSE(r.updateField(hss::field::PWM_DUTY, 1, 3));
    EXPECT_EQ(r.getPWMConfig(1), 0x0E0F);
}

TEST(ConfigurationRecord, CopiesAreFullSnapshots)
{
    Record18 r;
    r.setDevID(0xFF04);
    r.setKSNSRatio(5000.0f, 1200.0f);
    r.setLHIForced(true);
    r.setI2TConfig(0x2000, 1);
    r.setADCCal(0x0123, 1);
    r.setUserReg57(0x0057);

    Record18 copy(r);
    r.setUserReg57(0);
    EXPECT_EQ(copy.getDevID(), 0xFF04);
    EXPECT_EQ(copy.getKSNSRatioScale(), 1200.0f);
    EXPECT_TRUE(copy.isLHIForced());
    EXPECT_EQ(copy.getI2TConfig(1), 0x2000);
    EXPECT_EQ(copy.getADCCal(1), 0x0123);
    EXPECT_EQ(copy.getUserReg57(), 0x0057);

    Record18 assigned;
    assigned = copy;
    EXPECT_EQ(assigned.getUserReg57(), 0x0057);
    assigned = assigned;  // self-assignment must not deadlock
    EXPECT_EQ(assigned.getDevID(), 0xFF04);
}

// Dispatch thread storing replies while the window thread reads and edits:
// no data race (checked under ThreadSanitizer) and no lost field edits.
TEST(ConfigurationRecord, ConcurrentStoresAndEditsAreSafe)
{
    Record18 r;
    std::atomic<bool> stop{false};
    constexpr int kEdits = 2000;

    std::thread dispatch([&] {
        uint16_t v = 0;
        while (!stop.load()) {
            r.setLowPowerMode(v);
            r.setI2TConfig(v, 0);
            r.setUserReg53(v);
            ++v;
        }
    });
    std::thread window([&] {
        for (int i = 0; i < kEdits; ++i) {
            r.updateField(hss::field::PWM_DUTY, static_cast<uint16_t>(i & 0xFF), 1);
            (void)r.getI2TConfig(0);
            const Record18 snapshot(r);
            (void)snapshot.getUserReg53();
        }
    });
    window.join();
    stop = true;
    dispatch.join();
    EXPECT_EQ(hss::field::PWM_DUTY.get(r.getPWMConfig(1)), (kEdits - 1) & 0xFF);

    // Two threads editing different fields of one register lose nothing.
    Record16 shared;
    std::thread a([&] {
        for (int i = 0; i < kEdits; ++i)
            shared.setFieldOn(hss::field::WDT_ENABLE, i % 2 == 0);
    });
    std::thread b([&] {
        for (int i = 0; i < kEdits; ++i)
            shared.updateField(hss::field::LHI_BEHAVIOR_CH2, static_cast<uint16_t>(i & 3));
    });
    a.join();
    b.join();
    EXPECT_FALSE(hss::field::WDT_ENABLE.isOn(shared.getDevConfig()));
    EXPECT_EQ(hss::field::LHI_BEHAVIOR_CH2.get(shared.getDevConfig()), (kEdits - 1) & 3);
}

}  // namespace
