#include <gtest/gtest.h>

#include "protocol/HSSProtocol.h"
#include "protocol/ReportBytes.h"

using namespace testing_reports;

TEST(CommandFraming, EveryReportStartsWithIdMagicCodeAndLength)
{
    HSSSingleWriteCmd write(0x0A, 0x1234);
    HSSMixReadCmd read({0x01, 0x02}, 2);
    HSSSignalCmd erase(9);
    struct Case { HSSCommand* cmd; uint8_t code; uint8_t lengthLow; } cases[] = {
        {&write, 1, 3}, {&read, 5, 31}, {&erase, 9, 0}};
    for (const auto& c : cases) {
        auto report = commandReport(*c.cmd, 8);
        EXPECT_EQ(report, bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, c.code, c.lengthLow, 0x00}));
    }
}

TEST(CommandFraming, BuildingTwiceGivesTheSameBytes)
{
    HSSMixWriteCmd cmd({0x01, 0x03}, {0xBEEF, 0x0102});
    const auto first = commandReport(cmd, HSSCommand::reportBufferSize());
    // A failed read attempt leaves reply bytes in the shared buffer.
    uint8_t* buffer = cmd.getResponseData();
    for (std::size_t i = 1; i < 63; ++i)
        buffer[i] = 0xAA;
    EXPECT_EQ(commandReport(cmd, HSSCommand::reportBufferSize()), first);
}

TEST(CommandFraming, ResponseDataAndMakeDataCleanPutTheReplyIdBack)
{
    HSSSingleReadCmd cmd(0x05, 1);
    uint8_t* buffer = cmd.getResponseData();
    EXPECT_EQ(buffer[0], 0x3C);
    EXPECT_TRUE(cmd.isDataDirty());
    buffer[0] = 0;  // the board had no reply ready
    EXPECT_FALSE(cmd.isDataDirty());
    cmd.makeDataClean();
    EXPECT_EQ(cmd.buffer()[0], 0x3C);
}

TEST(CommandFraming, DefaultsOfTheBase)
{
    HSSSignalCmd cmd(8);
    EXPECT_EQ(cmd.getContextID(), 0);
    EXPECT_EQ(cmd.getDelay(), 1u);
    EXPECT_TRUE(cmd.isWriteCommand());
    EXPECT_FALSE(cmd.isSkipWrite());
    EXPECT_EQ(cmd.getResponseSize(), 0u);
    EXPECT_EQ(cmd.getCommandSize(), 8u);
    cmd.setDelay(7);
    EXPECT_EQ(cmd.getDelay(), 7u);
}

TEST(CommandFraming, SetCommandCodeTakesEffectAtOnce)
{
    HSSSignalCmd cmd(8);
    cmd.setCommandCode(9);
    EXPECT_EQ(cmd.buffer()[5], 9);
    EXPECT_EQ(commandReport(cmd, 8)[5], 9);
}

TEST(CommandFraming, BufferCoversTheLongestFeatureReport)
{
    // The link transfers the board's feature-report length plus one; a HID
    // feature report is at most 255 data bytes plus its ID.
    EXPECT_GE(HSSCommand::reportBufferSize(), 256u);
}

TEST(CommandFraming, WriteCommandsOfTheServiceClassesAreWrites)
{
    HSSWriteGPIOCTLCmd gpio(1, true);
    HSSSetCRCIOCTLCmd crc(true);
    EXPECT_TRUE(gpio.isWriteCommand());
    EXPECT_TRUE(crc.isWriteCommand());
    EXPECT_EQ(gpio.getResponseSize(), 11u);  // never read back all the same
}
