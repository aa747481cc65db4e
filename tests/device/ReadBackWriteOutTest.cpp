#include <gtest/gtest.h>

#include "device/AddressLists.h"
#include "device/ConfigReadBack.h"
#include "device/ConfigWriteOut.h"
#include "device/RegisterWriteLedger.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "protocol/HSSRegisterCommands.h"

namespace {

// A mixed read answered with value = 0x1000 + address for every slot.
std::unique_ptr<HSSMixReadCmd> answeredRead(const std::vector<uint8_t>& addresses, uint8_t context)
{
    auto command = std::make_unique<HSSMixReadCmd>(addresses, context);
    uint8_t* reply = command->getResponseData();
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const uint16_t value = static_cast<uint16_t>(0x1000 + addresses[i]);
        reply[1 + 2 * i] = static_cast<uint8_t>(value >> 8);
        reply[2 + 2 * i] = static_cast<uint8_t>(value & 0xFF);
    }
    command->serializeResponsePayload();
    return command;
}

TEST(ReadBack, SixteenPinStoresSixteenOfSeventeen)
{
    ZVRxQxx16PINConfiguration r;
    const auto reply = answeredRead(hss::toVector(hss::sixteenPWPConfig), 2);
    EXPECT_EQ(hss::applySixteenPWPReadBack(r, *reply), 16u);

    EXPECT_EQ(r.getCRCConfig(), 0x1001);
    EXPECT_EQ(r.getSleepReg(), 0x1002);
    EXPECT_EQ(r.getLowPowerMode(), 0x1003);
    EXPECT_EQ(r.getDeviceFaultMask(), 0x1005);
    EXPECT_EQ(r.getABISTResult(), 0);  // 0x06 ignored
    EXPECT_EQ(r.getSwitchState(), 0x1007);
    EXPECT_EQ(r.getTest(), 0x1008);
    EXPECT_EQ(r.getDevConfig(), 0x1009);
    EXPECT_EQ(r.getADCConfig(), 0x100A);
    EXPECT_EQ(r.getPWMConfig(0), 0x100E);
    EXPECT_EQ(r.getILIMConfig(0), 0x100F);
    EXPECT_EQ(r.getChanDiagConfig(0), 0x1010);
    EXPECT_EQ(r.getI2TConfig(0), 0x1015);
    EXPECT_EQ(r.getPWMConfig(1), 0x1017);
    EXPECT_EQ(r.getILIMConfig(1), 0x1018);
    EXPECT_EQ(r.getChanDiagConfig(1), 0x1019);
    EXPECT_EQ(r.getI2TConfig(1), 0x101E);
    EXPECT_EQ(r.getDevID(), 0);
    EXPECT_EQ(r.getDevFault(), 0);
}

// A reply to a read queued before a write of one of its registers keeps the
// record's value of that register; reads queued after the write store it.
TEST(ReadBack, RegistersWrittenAfterTheReadWasQueuedAreSkipped)
{
    hss::RegisterWriteLedger ledger;
    const auto list = hss::toVector(hss::sixteenPWPConfig);
    auto answered = [&](hss::RegisterWriteLedger::Stamp stamp) {
        auto read = std::make_unique<hss::ReadBackCmd>(list, 2, stamp);
        const auto values = answeredRead(list, 2);
        std::copy_n(values->buffer(), HSSCommand::reportBufferSize(), read->getResponseData());
        read->serializeResponsePayload();
        return read;
    };

    const auto beforeEverything = answered(ledger.stampRead());
    ledger.noteWrite(hss::registersWrittenBy(HSSSingleWriteCmd(0x0E, 0x0600)));  // PWM_CH1
    const auto betweenWrites = answered(ledger.stampRead());
    ledger.noteWrite(hss::registersWrittenBy(HSSMixWriteCmd({0x09}, {1})));  // DEV_CONFIG
    const auto afterEverything = answered(ledger.stampRead());
    EXPECT_TRUE(hss::registersWrittenBy(HSSSingleReadCmd(0x0E, 1)).empty());

    const struct {
        const HSSMixReadCmd* reply;
        const hss::RegisterWriteLedger* ledger;
        std::size_t stored;
        bool pwmStored, devConfigStored;
    } cases[] = {
        {beforeEverything.get(), &ledger, 14, false, false},
        {betweenWrites.get(), &ledger, 15, true, false},
        {afterEverything.get(), &ledger, 16, true, true},
        {beforeEverything.get(), nullptr, 16, true, true},  // no ledger: everything, as before
    };
    for (const auto& c : cases) {
        ZVRxQxx16PINConfiguration r;
        r.setPWMConfig(0x0600, 0);
        r.setDevConfig(0x0001);
        EXPECT_EQ(hss::applySixteenPWPReadBack(r, *c.reply, c.ledger), c.stored);
        EXPECT_EQ(r.getPWMConfig(0), c.pwmStored ? 0x100E : 0x0600);
        EXPECT_EQ(r.getDevConfig(), c.devConfigStored ? 0x1009 : 0x0001);
        EXPECT_EQ(r.getADCConfig(), 0x100A);
    }
}

TEST(ReadBack, EighteenPinTwoRepliesIgnoreSleepAndAbist)
{
    ZVRxQxx18PINConfiguration r;
    r.setSleepRegister(0x0BAD);
    const auto config = answeredRead(hss::toVector(hss::eighteenPWPConfig), 7);
    const auto user = answeredRead(hss::toVector(hss::eighteenPWPUserConfig), 7);
    EXPECT_EQ(hss::applyEighteenPWPReadBack(r, *config), 13u);
    EXPECT_EQ(hss::applyEighteenPWPReadBack(r, *user), 8u);

    EXPECT_EQ(r.getSleepReg(), 0x0BAD);  // 0x01 ignored
    EXPECT_EQ(r.getABISTResult(), 0);    // 0x05 ignored
    EXPECT_EQ(r.getLowPowerMode(), 0x1002);
    EXPECT_EQ(r.getDeviceFaultMask(), 0x1004);
    EXPECT_EQ(r.getSwitchState(), 0x1006);
    EXPECT_EQ(r.getDevConfig(), 0x1008);
    EXPECT_EQ(r.getADCConfig(), 0x1009);
    EXPECT_EQ(r.getPWMConfig(0), 0x100D);
    EXPECT_EQ(r.getI2TConfig(0), 0x1014);
    EXPECT_EQ(r.getPWMConfig(1), 0x1016);
    EXPECT_EQ(r.getI2TConfig(1), 0x101D);
    EXPECT_EQ(r.getADCCal(0), 0x1050);
    EXPECT_EQ(r.getADCCal(1), 0x1051);
    EXPECT_EQ(r.getUserReg52(), 0x1052);
    EXPECT_EQ(r.getUserReg57(), 0x1057);
    // Fields with no 18-pin register stay untouched.
    EXPECT_EQ(r.getCRCConfig(), 0);
    EXPECT_EQ(r.getTest(), 0);
}

TEST(ReadBack, ListsPerFamily)
{
    const auto sixteen = hss::readBackLists(HSS_FAMILY_16PWP);
    ASSERT_EQ(sixteen.size(), 1u);
    EXPECT_EQ(sixteen[0].size(), 17u);
    const auto eighteen = hss::readBackLists(HSS_FAMILY_18PWP);
    ASSERT_EQ(eighteen.size(), 2u);
    EXPECT_EQ(eighteen[0], hss::toVector(hss::eighteenPWPConfig));
    EXPECT_EQ(eighteen[1], hss::toVector(hss::eighteenPWPUserConfig));
    EXPECT_TRUE(hss::readBackLists(HSS_FAMILY_NONE).empty());
}

TEST(ReadBack, UnexpectedAddressesAndOverlongCountsAreSafe)
{
    ZVRxQxx16PINConfiguration r;
    const std::vector<uint8_t> addresses{0x00, 0x04, 0x0D, 0x50, 0xFF, 0x03};
    const std::vector<uint16_t> values{1, 2, 3, 4, 5, 0x0033};
    // A count beyond both arrays walks only what is there.
    EXPECT_EQ(hss::applySixteenPWPReadBack(r, addresses, values, 200), 1u);
    EXPECT_EQ(r.getLowPowerMode(), 0x0033);
    EXPECT_EQ(r.getDevID(), 0);
    EXPECT_EQ(r.getDevFault(), 0);
    EXPECT_EQ(r.getChanFault(0), 0);

    // Arrays of unequal length: the shorter one bounds the walk.
    const std::vector<uint16_t> shortValues{7};
    EXPECT_EQ(hss::applySixteenPWPReadBack(r, std::vector<uint8_t>{0x03, 0x05}, shortValues, 2), 1u);
    EXPECT_EQ(r.getLowPowerMode(), 7);
    EXPECT_EQ(r.getDeviceFaultMask(), 0);

    // Count 0 or empty arrays store nothing.
    EXPECT_EQ(hss::applySixteenPWPReadBack(r, addresses, values, 0), 0u);
    EXPECT_EQ(hss::applySixteenPWPReadBack(r, {}, {}, 30), 0u);

    // 16-pin addresses mean other registers on 18-pin parts.
    ZVRxQxx18PINConfiguration r18;
    EXPECT_FALSE(hss::storeEighteenPWPReadBack(r18, 0x07, 1));  // no 18-pin register
    EXPECT_FALSE(hss::storeEighteenPWPReadBack(r18, 0x03, 1));  // DEV_FAULT: polled, not read back
    EXPECT_TRUE(hss::storeEighteenPWPReadBack(r18, 0x18, 0x4242));
    EXPECT_EQ(r18.getChanDiagConfig(1), 0x4242);
}

TEST(WriteOut, SixteenPinFreshRecordSendsSeventeenZeroPairs)
{
    const ZVRxQxx16PINConfiguration r;
    const ZVRxQxx18PINConfiguration r18;
    const auto commands = hss::makeWriteOutCommands(HSS_FAMILY_16PWP, r, r18);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0]->getCount(), 17);
    for (std::size_t i = 0; i < 17; ++i) {
        EXPECT_EQ(commands[0]->getAddresses()[i], hss::sixteenPWPConfig[i]);
        EXPECT_EQ(commands[0]->getValues()[i], 0);
    }
    EXPECT_EQ(commands[0]->getAddresses()[16], 0x08);
}

TEST(WriteOut, SixteenPinValuesFollowTheListOrder)
{
    ZVRxQxx16PINConfiguration r;
    r.setCRCConfig(0x0001);
    r.setLowPowerMode(0x0003);
    r.setDeviceFaultMask(0x0005);
    r.setABISTResult(0x003F);  // a stray self-test result is never written back
    r.setSwitchState(0x0007);
    r.setDevConfig(0x0009);
    r.setADCConfig(0x000A);
    r.setSleepRegister(0x0002);
    r.setTest(0x001F);  // pending tests are never re-initiated
    for (uint8_t ch = 0; ch < 2; ++ch) {
        r.setPWMConfig(static_cast<uint16_t>(0x0E + 9 * ch), ch);
        r.setILIMConfig(static_cast<uint16_t>(0x0F + 9 * ch), ch);
        r.setChanDiagConfig(static_cast<uint16_t>(0x10 + 9 * ch), ch);
        r.setI2TConfig(static_cast<uint16_t>(0x15 + 9 * ch), ch);
    }
    const auto pairs = hss::sixteenPWPWriteOut(r);
    ASSERT_EQ(pairs.addresses.size(), 17u);
    ASSERT_EQ(pairs.values.size(), 17u);
    for (std::size_t i = 0; i < 17; ++i) {
        const uint8_t address = pairs.addresses[i];
        const uint16_t expected = (address == 0x06 || address == 0x08) ? 0 : address;
        EXPECT_EQ(pairs.values[i], expected) << int(address);
    }
}

TEST(WriteOut, EighteenPinSendsFifteenThenEightPairs)
{
    const ZVRxQxx16PINConfiguration r16;
    ZVRxQxx18PINConfiguration r;
    r.setSleepRegister(0x0001);  // never sent: it would put the chip to sleep
    r.setLowPowerMode(0x0002);
    r.setDeviceFaultMask(0x0004);
    r.setSwitchState(0x0006);
    r.setDevConfig(0x0008);
    r.setADCConfig(0x0009);
    for (uint8_t ch = 0; ch < 2; ++ch) {
        r.setPWMConfig(static_cast<uint16_t>(0x0D + 9 * ch), ch);
        r.setILIMConfig(static_cast<uint16_t>(0x0E + 9 * ch), ch);
        r.setChanDiagConfig(static_cast<uint16_t>(0x0F + 9 * ch), ch);
        r.setI2TConfig(static_cast<uint16_t>(0x14 + 9 * ch), ch);
        r.setADCCal(static_cast<uint16_t>(0x50 + ch), ch);
    }
    r.setUserReg52(0x52);
    r.setUserReg53(0x53);
    r.setUserReg54(0x54);
    r.setUserReg55(0x55);
    r.setUserReg56(0x56);
    r.setUserReg57(0x57);

    const auto lists = hss::writeOutFromConfig(HSS_FAMILY_18PWP, r16, r);
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0].addresses, hss::toVector(hss::eighteenPWPConfig));
    EXPECT_EQ(lists[1].addresses, hss::toVector(hss::eighteenPWPUserConfig));
    for (const auto& list : lists) {
        ASSERT_EQ(list.values.size(), list.addresses.size());
        for (std::size_t i = 0; i < list.values.size(); ++i) {
            const uint8_t address = list.addresses[i];
            const uint16_t expected = (address == 0x01 || address == 0x05) ? 0 : address;
            EXPECT_EQ(list.values[i], expected) << int(address);
        }
    }
    const auto commands = hss::makeWriteOutCommands(HSS_FAMILY_18PWP, r16, r);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0]->getCount(), 15);
    EXPECT_EQ(commands[1]->getCount(), 8);
    EXPECT_TRUE(hss::makeWriteOutCommands(HSS_FAMILY_NONE, r16, r).empty());
}

TEST(WriteOut, EepromKeySequence)
{
    const auto commands = hss::makeEepromProgramCommands();
    const uint16_t keys[] = {0x3C69, 0xC68C, 0xDDE9, 0x4F6B};
    ASSERT_EQ(commands.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(commands[i]->getAddress(), 0x3F);
        EXPECT_EQ(commands[i]->getPayload(), keys[i]);
    }
}

TEST(UserRegisters, BoxesMapToRegistersAndRecord)
{
    ZVRxQxx18PINConfiguration r;
    for (std::size_t box = 0; box < hss::kUserRegisterBoxCount; ++box) {
        const auto address = hss::storeUserRegister(r, box, static_cast<uint16_t>(0xA000 + box));
        ASSERT_TRUE(address);
        EXPECT_EQ(*address, 0x50 + box);
        EXPECT_EQ(hss::userRegisterValue(r, box), 0xA000 + box);
    }
    EXPECT_EQ(r.getADCCal(0), 0xA000);
    EXPECT_EQ(r.getADCCal(1), 0xA001);
    EXPECT_EQ(r.getUserReg52(), 0xA002);
    EXPECT_EQ(r.getUserReg57(), 0xA007);
    EXPECT_FALSE(hss::storeUserRegister(r, 8, 1));
    EXPECT_FALSE(hss::userRegisterAddress(8));
    EXPECT_EQ(hss::userRegisterValue(r, 8), 0);
}

}  // namespace
