#include <gtest/gtest.h>

#include <set>

#include "device/AddressLists.h"
#include "device/HSSRegisterMap.h"

namespace {

using hss::registerAddress;
using hss::registerAt;
using R = HSSRegister;

struct AddressCase {
    R reg;
    uint8_t channel;
    std::optional<uint8_t> sixteen;
    std::optional<uint8_t> eighteen;
};

TEST(RegisterMap, AddressesOfBothFamilies)
{
    const std::optional<uint8_t> none;
    const AddressCase cases[] = {
        {R::DEVID, 0, 0x00, 0x00},
        {R::CRC_CONFIG, 0, 0x01, none},
        {R::SLEEP, 0, 0x02, 0x01},
        {R::LPM, 0, 0x03, 0x02},
        {R::DEV_FAULT, 0, 0x04, 0x03},
        {R::FAULT_MASK, 0, 0x05, 0x04},
        {R::ABIST_RESULT, 0, 0x06, 0x05},
        {R::SW_STATE, 0, 0x07, 0x06},
        {R::SAFETY_TEST, 0, 0x08, none},
        {R::DEV_CONFIG, 0, 0x09, 0x08},
        {R::ADC_CONFIG, 0, 0x0A, 0x09},
        {R::CH_FAULT, 0, 0x0D, 0x0C},
        {R::CH_FAULT, 1, 0x16, 0x15},
        {R::PWM_CH, 0, 0x0E, 0x0D},
        {R::PWM_CH, 1, 0x17, 0x16},
        {R::ILIM_CONFIG_CH, 0, 0x0F, 0x0E},
        {R::ILIM_CONFIG_CH, 1, 0x18, 0x17},
        {R::CH_CONFIG, 0, 0x10, 0x0F},
        {R::CH_CONFIG, 1, 0x19, 0x18},
        {R::I2T_CONFIG_CH, 0, 0x15, 0x14},
        {R::I2T_CONFIG_CH, 1, 0x1E, 0x1D},
        {R::EEPROM_PROG, 0, none, 0x3F},
        {R::TSNS_CAL_RESULT_CH1_REG, 0, none, 0x50},
        {R::TSNS_CAL_RESULT_CH2_REG, 0, none, 0x51},
        {R::CUST_REG_52_REG, 0, none, 0x52},
        {R::CUST_REG_57_REG, 0, none, 0x57},
        {R::TEST_MODE_KEY, 0, 0x71, 0x71},
        {R::TEST_CTRL, 0, 0x75, 0x75},
        {R::WAKE, 0, 0xFF, 0xFF},
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.reg));
        EXPECT_EQ(registerAddress(HSS_FAMILY_16PWP, c.reg, c.channel), c.sixteen);
        EXPECT_EQ(registerAddress(HSS_FAMILY_18PWP, c.reg, c.channel), c.eighteen);
        EXPECT_EQ(registerAddress(HSS_FAMILY_NONE, c.reg, c.channel), none);
    }
}

TEST(RegisterMap, ChannelStrideAndEighteenPinOffset)
{
    for (R reg : {R::CH_FAULT, R::PWM_CH, R::ILIM_CONFIG_CH, R::CH_CONFIG, R::I2T_CONFIG_CH}) {
        const uint8_t ch1 = *registerAddress(HSS_FAMILY_16PWP, reg, 0);
        EXPECT_EQ(*registerAddress(HSS_FAMILY_16PWP, reg, 1), ch1 + 9);
        EXPECT_EQ(*registerAddress(HSS_FAMILY_18PWP, reg, 0), ch1 - 1);
        EXPECT_EQ(*registerAddress(HSS_FAMILY_18PWP, reg, 1), ch1 + 8);
        // No third channel.
        EXPECT_FALSE(registerAddress(HSS_FAMILY_16PWP, reg, 2));
        EXPECT_FALSE(registerAddress(HSS_FAMILY_18PWP, reg, 255));
    }
    // Registers that are not per channel ignore the channel.
    EXPECT_EQ(registerAddress(HSS_FAMILY_16PWP, R::LPM, 7), 0x03);
}

TEST(RegisterMap, ReverseLookupMatchesForwardForEveryAddress)
{
    for (hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP}) {
        int found = 0;
        for (unsigned a = 0; a <= 0xFF; ++a) {
            const auto address = static_cast<uint8_t>(a);
            const auto location = registerAt(family, address);
            if (!location)
                continue;
            ++found;
            EXPECT_EQ(registerAddress(family, location->reg, location->channel), address) << a;
        }
        EXPECT_EQ(found, family == HSS_FAMILY_16PWP ? 24 : 31);
    }
    EXPECT_EQ(registerAt(HSS_FAMILY_16PWP, 0x1E), (hss::RegisterLocation{R::I2T_CONFIG_CH, 1}));
    EXPECT_EQ(registerAt(HSS_FAMILY_18PWP, 0x1D), (hss::RegisterLocation{R::I2T_CONFIG_CH, 1}));
    EXPECT_FALSE(registerAt(HSS_FAMILY_16PWP, 0x0B));
    EXPECT_FALSE(registerAt(HSS_FAMILY_18PWP, 0x07));
    EXPECT_FALSE(registerAt(HSS_FAMILY_NONE, 0x00));
}

template <std::size_t N>
std::set<R> registersOf(hss_device_family_t family, const std::array<uint8_t, N>& list)
{
    std::set<R> regs;
    for (uint8_t address : list) {
        const auto location = registerAt(family, address);
        EXPECT_TRUE(location) << int(address);
        if (location)
            regs.insert(location->reg);
    }
    return regs;
}

TEST(AddressLists, ListsNameTheRegistersTheirUseNeeds)
{
    EXPECT_EQ(hss::sixteenPWPConfig.size(), 17u);
    EXPECT_EQ(hss::sixteenPWPConfig.back(), 0x08);
    EXPECT_EQ(hss::eighteenPWPConfig.size(), 15u);
    EXPECT_EQ(hss::sixteenFlashRegs.size(), 14u);

    const std::set<R> config = {R::LPM,          R::FAULT_MASK, R::ABIST_RESULT,   R::SW_STATE,
                                R::DEV_CONFIG,   R::ADC_CONFIG, R::SLEEP,          R::PWM_CH,
                                R::ILIM_CONFIG_CH, R::CH_CONFIG, R::I2T_CONFIG_CH};
    std::set<R> sixteen = config;
    sixteen.insert({R::CRC_CONFIG, R::SAFETY_TEST});
    EXPECT_EQ(registersOf(HSS_FAMILY_16PWP, hss::sixteenPWPConfig), sixteen);
    EXPECT_EQ(registersOf(HSS_FAMILY_18PWP, hss::eighteenPWPConfig), config);

    const std::set<R> faults = {R::DEV_FAULT, R::CH_FAULT};
    EXPECT_EQ(registersOf(HSS_FAMILY_16PWP, hss::sixteenFaultUpdate), faults);
    EXPECT_EQ(registersOf(HSS_FAMILY_18PWP, hss::eighteenFaultUpdate), faults);

    // No duplicates in any list.
    EXPECT_EQ(std::set<uint8_t>(hss::sixteenPWPConfig.begin(), hss::sixteenPWPConfig.end()).size(), 17u);
    EXPECT_EQ(std::set<uint8_t>(hss::eighteenPWPConfig.begin(), hss::eighteenPWPConfig.end()).size(), 15u);
    EXPECT_EQ(hss::toVector(hss::eighteenPWPUserConfig),
              (std::vector<uint8_t>{0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57}));
}

}  // namespace
