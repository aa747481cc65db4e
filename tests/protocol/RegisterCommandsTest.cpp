#include <gtest/gtest.h>

#include "protocol/HSSProtocol.h"
#include "protocol/ReportBytes.h"

using namespace testing_reports;

TEST(SingleRead, ReportAndSettings)
{
    HSSSingleReadCmd cmd(0x05, 1);
    EXPECT_EQ(commandReport(cmd, 9), bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x04, 0x01, 0x00, 0x05}));
    EXPECT_EQ(cmd.getContextID(), 1);
    EXPECT_FALSE(cmd.isWriteCommand());
    EXPECT_EQ(cmd.getResponseReportID(), 0x3C);
    EXPECT_EQ(cmd.getResponseSize(), 7u);
    EXPECT_EQ(cmd.getCommandSize(), 9u);
    EXPECT_EQ(cmd.getAddress(), 0x05);
}

TEST(SingleRead, ReplyDecodesHighByteFirst)
{
    HSSSingleReadCmd cmd(0x05, 1);
    deliverReply(cmd, bytes({0x3C, 0x05, 0x12, 0x34, 0x00, 0xA5, 0x00}));
    EXPECT_EQ(cmd.getAddress(), 0x05);
    EXPECT_EQ(cmd.getPayload(), 0x1234);
    EXPECT_EQ(cmd.getFLT(), 0x00);
    EXPECT_EQ(cmd.getCRC(), 0xA5);
}

TEST(SingleRead, EchoedAddressReplacesTheRequestedOne)
{
    HSSSingleReadCmd cmd(0x05, 1);
    deliverReply(cmd, bytes({0x3C, 0x07, 0xFF, 0x01, 0x81, 0x00, 0x00}));
    EXPECT_EQ(cmd.getAddress(), 0x07);
    EXPECT_EQ(cmd.getPayload(), 0xFF01);
    EXPECT_EQ(cmd.getFLT(), 0x81);
}

TEST(SingleWrite, ValueGoesLowByteFirst)
{
    HSSSingleWriteCmd cmd(0x0A, 0x1234);
    EXPECT_EQ(commandReport(cmd, 11),
              bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x01, 0x03, 0x00, 0x0A, 0x34, 0x12}));
    EXPECT_TRUE(cmd.isWriteCommand());
    EXPECT_EQ(cmd.getContextID(), 0);
    EXPECT_EQ(cmd.getCommandSize(), 11u);
    EXPECT_EQ(cmd.getResponseSize(), 0u);
}

TEST(SingleWrite, ChangedAddressAndValueTakeEffectInTheNextBuild)
{
    HSSSingleWriteCmd cmd(0x0E, 0x0001);
    cmd.setAddress(0x17);
    cmd.setPayload(0x0E03);
    EXPECT_EQ(commandReport(cmd, 11),
              bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x01, 0x03, 0x00, 0x17, 0x03, 0x0E}));
}

TEST(SingleWrite, UnusedPayloadBytesAreZero)
{
    HSSSingleWriteCmd cmd(0x0A, 0xFFFF);
    const uint8_t* report = cmd.getCommandData();
    EXPECT_TRUE(allZero(report + 11, report + HSSCommand::reportBufferSize()));
}

TEST(MixRead, ThreeAddressesReportCountAndDecodeExactlyThree)
{
    HSSMixReadCmd cmd({0x04, 0x0D, 0x16}, 3);
    const auto report = commandReport(cmd, 39);
    EXPECT_EQ(std::vector<uint8_t>(report.begin(), report.begin() + 11),
              bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x05, 0x1F, 0x00, 0x04, 0x0D, 0x16}));
    EXPECT_TRUE(allZero(report.data() + 11, report.data() + 38));  // slots 3..29
    EXPECT_EQ(report[38], 3);  // payload byte 30: the count
    EXPECT_EQ(cmd.getCommandSize(), 39u);
    EXPECT_EQ(cmd.getResponseSize(), 63u);
    EXPECT_EQ(cmd.getResponseReportID(), 0x3D);

    std::vector<uint8_t> reply(63, 0xEE);
    reply[0] = 0x3D;
    reply[1] = 0x01; reply[2] = 0x40;
    reply[3] = 0x00; reply[4] = 0x91;
    reply[5] = 0x80; reply[6] = 0x00;
    reply[61] = 0x5A;
    deliverReply(cmd, reply);
    const auto& results = cmd.getMixReadResults();
    EXPECT_EQ(results[0], 0x0140);
    EXPECT_EQ(results[1], 0x0091);
    EXPECT_EQ(results[2], 0x8000);
    for (std::size_t i = 3; i < 30; ++i)
        EXPECT_EQ(results[i], 0) << "entry " << i << " must not be written";
    EXPECT_EQ(cmd.getStatusByte(), 0x5A);
    EXPECT_EQ(cmd.getReadSize(), 3);
    EXPECT_EQ(cmd.getReadAddresses()[2], 0x16);
}

TEST(MixRead, EmptyListDecodesNothing)
{
    HSSMixReadCmd cmd({}, 2);
    std::vector<uint8_t> reply(63, 0x77);
    reply[0] = 0x3D;
    deliverReply(cmd, reply);
    for (uint16_t v : cmd.getMixReadResults())
        EXPECT_EQ(v, 0);
}

TEST(MixRead, MoreThanThirtyAddressesAreCutVisibly)
{
    std::vector<uint8_t> addresses(40);
    for (std::size_t i = 0; i < addresses.size(); ++i)
        addresses[i] = static_cast<uint8_t>(i + 1);
    HSSMixReadCmd cmd(addresses, 2);
    EXPECT_TRUE(cmd.wasTruncated());
    EXPECT_EQ(cmd.getReadSize(), 30);
    const auto report = commandReport(cmd, 39);
    EXPECT_EQ(report[8 + 29], 30);
    EXPECT_EQ(report[38], 30);
    std::vector<uint8_t> reply(63, 0x11);
    reply[0] = 0x3D;
    deliverReply(cmd, reply);  // must stay inside the 30-entry result array
    EXPECT_EQ(cmd.getMixReadResults()[29], 0x1111);
}

TEST(MixWrite, SeventeenPairsFillEverySlot)
{
    std::vector<uint8_t> addresses;
    std::vector<uint16_t> values;
    for (int i = 0; i < 17; ++i) {
        addresses.push_back(static_cast<uint8_t>(0x10 + i));
        values.push_back(static_cast<uint16_t>(0x0100 * (i + 1) + i));
    }
    HSSMixWriteCmd cmd(addresses, values);
    const auto report = commandReport(cmd, 60);
    EXPECT_EQ(report[5], 2);
    EXPECT_EQ(report[6], 52);
    EXPECT_EQ(report[7], 0);
    EXPECT_EQ(report[8], 17);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(report[9 + i], 0x10 + i);
        EXPECT_EQ(report[8 + 18 + 2 * i], values[i] & 0xFF);
        EXPECT_EQ(report[8 + 19 + 2 * i], values[i] >> 8);
    }
    // The 17th value sits in payload bytes 50-51.
    EXPECT_EQ(report[58], 0x10);
    EXPECT_EQ(report[59], 0x11);
    EXPECT_EQ(cmd.getCommandSize(), 60u);
    EXPECT_TRUE(cmd.isWriteCommand());
}

TEST(MixWrite, FewerPairsLeaveTheRestZero)
{
    HSSMixWriteCmd cmd({0x50, 0x51}, {0xABCD, 0x0001});
    const auto report = commandReport(cmd, 60);
    EXPECT_EQ(report[8], 2);
    EXPECT_EQ(report[9], 0x50);
    EXPECT_EQ(report[10], 0x51);
    EXPECT_TRUE(allZero(report.data() + 11, report.data() + 26));
    EXPECT_EQ(report[26], 0xCD);
    EXPECT_EQ(report[27], 0xAB);
    EXPECT_EQ(report[28], 0x01);
    EXPECT_TRUE(allZero(report.data() + 30, report.data() + 60));
}

TEST(MixWrite, UnequalListsWriteNothing)
{
    HSSMixWriteCmd cmd({0x01, 0x02, 0x03}, {0x1111});
    EXPECT_TRUE(cmd.wasRefused());
    EXPECT_EQ(cmd.getCount(), 0);
    const auto report = commandReport(cmd, 60);
    EXPECT_TRUE(allZero(report.data() + 8, report.data() + 60));
}

TEST(MixWrite, MoreThanSeventeenPairsAreCutVisibly)
{
    std::vector<uint8_t> addresses(20, 0x22);
    std::vector<uint16_t> values(20, 0x3344);
    HSSMixWriteCmd cmd(addresses, values);
    EXPECT_TRUE(cmd.wasTruncated());
    EXPECT_EQ(cmd.getCount(), 17);
    const auto report = commandReport(cmd, HSSCommand::reportBufferSize());
    EXPECT_EQ(report[8], 17);
    EXPECT_TRUE(allZero(report.data() + 60, report.data() + report.size()));
}

TEST(PollRead, NothingToSendSixWordsBack)
{
    HSSPollReadCmd cmd(6);
    EXPECT_TRUE(cmd.isSkipWrite());
    EXPECT_FALSE(cmd.isWriteCommand());
    EXPECT_EQ(cmd.getDelay(), 0u);
    EXPECT_EQ(cmd.getResponseReportID(), 0x3E);
    EXPECT_EQ(cmd.getResponseSize(), 13u);
    EXPECT_EQ(cmd.getContextID(), 6);
    deliverReply(cmd, bytes({0x3E, 0x04, 0x12, 0x05, 0x00, 0x00, 0x01, 0x07, 0xFF, 0x00, 0x00, 0x80, 0x01}));
    const auto& r = cmd.getPollReadResults();
    EXPECT_EQ(r[0], 0x0412);
    EXPECT_EQ(r[1], 0x0500);
    EXPECT_EQ(r[2], 0x0001);
    EXPECT_EQ(r[3], 0x07FF);
    EXPECT_EQ(r[4], 0x0000);
    EXPECT_EQ(r[5], 0x8001);
}
