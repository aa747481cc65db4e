#include <gtest/gtest.h>

#include "protocol/HSSProtocol.h"
#include "protocol/ReportBytes.h"

using namespace testing_reports;

TEST(BoardService, GpioWriteHigh)
{
    HSSWriteGPIOCTLCmd cmd(1, true);
    const auto report = commandReport(cmd, 17);
    EXPECT_EQ(std::vector<uint8_t>(report.begin(), report.begin() + 11),
              bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x01, 0x01, 0x01}));
    EXPECT_TRUE(allZero(report.data() + 11, report.data() + 17));
    EXPECT_EQ(cmd.getCommandSize(), 17u);
    EXPECT_TRUE(cmd.isWriteCommand());
}

TEST(BoardService, GpioWriteLow)
{
    HSSWriteGPIOCTLCmd cmd(0, false);
    EXPECT_EQ(commandReport(cmd, 11), bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x01, 0x00, 0x00}));
}

TEST(BoardService, FirmwareVersionRequestAndReply)
{
    HSSFirmwareVersionIOCTLCmd cmd(4);
    EXPECT_EQ(commandReport(cmd, 9), bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x02}));
    EXPECT_EQ(cmd.getResponseReportID(), 0x3B);
    EXPECT_EQ(cmd.getResponseSize(), 11u);
    EXPECT_EQ(cmd.getContextID(), 4);
    EXPECT_FALSE(cmd.isWriteCommand());
    deliverReply(cmd, bytes({0x3B, 0x00, 0xB0, 0x20, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(cmd.getFirmwareVersion(), 0x20B0);
}

TEST(BoardService, CrcSwitch)
{
    HSSSetCRCIOCTLCmd on(true);
    HSSSetCRCIOCTLCmd off(false);
    EXPECT_EQ(commandReport(on, 10), bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x03, 0x01}));
    EXPECT_EQ(commandReport(off, 10), bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x03, 0x00}));
}

TEST(BoardService, GpioReadLevelIsAnyNonZeroByte)
{
    HSSReadGPIOCTLCmd cmd(3, 5);
    EXPECT_EQ(commandReport(cmd, 10), bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x04, 0x03}));
    EXPECT_EQ(cmd.getGPIOIndex(), 3);
    EXPECT_EQ(cmd.getContextID(), 5);
    const int levels[][2] = {{0x00, 0}, {0x01, 1}, {0x80, 1}, {0xFF, 1}};
    for (const auto& level : levels) {
        deliverReply(cmd, bytes({0x3B, 0x00, level[0], 0, 0, 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(cmd.getGPIOState(), level[1] != 0) << "byte " << level[0];
    }
}

TEST(BoardService, DfuEntryHasNoContext)
{
    HSSEnterDFUCmd cmd;
    EXPECT_EQ(commandReport(cmd, 9), bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x06, 0x09, 0x00, 0x05}));
    EXPECT_EQ(cmd.getContextID(), 0);
    EXPECT_FALSE(cmd.isWriteCommand());
    EXPECT_EQ(cmd.getResponseReportID(), 0x3B);
}

TEST(SenseConfig, ThreeRegistersEveryFiftyMilliseconds)
{
    HSSSenseConfigCmd cmd({0x0B, 0x14, 0x0C}, 50);
    const auto report = commandReport(cmd, 16);
    EXPECT_EQ(report, bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x03, 0x08, 0x00, 50, 3, 0x0B, 0x14, 0x0C, 0, 0, 0}));
    EXPECT_EQ(cmd.getCommandSize(), 16u);
    EXPECT_TRUE(cmd.isWriteCommand());
}

TEST(SenseConfig, NoListSendsCountZero)
{
    HSSSenseConfigCmd cmd(0);
    EXPECT_EQ(commandReport(cmd, 16), bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x03, 0x08, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}));
    HSSSenseConfigCmd stop(std::vector<uint8_t>{}, 25);
    EXPECT_EQ(commandReport(stop, 10)[8], 25);
    EXPECT_EQ(commandReport(stop, 10)[9], 0);
}

TEST(SenseConfig, MoreThanSixAddressesAreCutVisibly)
{
    HSSSenseConfigCmd cmd({1, 2, 3, 4, 5, 6, 7, 8}, 50);
    EXPECT_TRUE(cmd.wasTruncated());
    EXPECT_EQ(cmd.getCount(), 6);
    const auto report = commandReport(cmd, HSSCommand::reportBufferSize());
    EXPECT_EQ(report[9], 6);
    EXPECT_EQ(report[15], 6);
    EXPECT_TRUE(allZero(report.data() + 16, report.data() + report.size()));
}

TEST(FlashWrite, FourteenAddressesInOrder)
{
    const std::vector<uint8_t> flashRegs = {0x01, 0x05, 0x07, 0x09, 0x03, 0x0A, 0x0E,
                                            0x0F, 0x10, 0x15, 0x17, 0x18, 0x19, 0x1E};
    HSSFlashWriteCmd cmd(flashRegs);
    const auto report = commandReport(cmd, 57);
    EXPECT_EQ(report[5], 7);
    EXPECT_EQ(report[6], 49);
    EXPECT_EQ(report[8], 14);
    EXPECT_EQ(std::vector<uint8_t>(report.begin() + 9, report.begin() + 23), flashRegs);
    EXPECT_TRUE(allZero(report.data() + 23, report.data() + 57));
    EXPECT_EQ(cmd.getCommandSize(), 57u);
}

TEST(FlashWrite, MoreThanFortyEightAddressesAreCutVisibly)
{
    HSSFlashWriteCmd cmd(std::vector<uint8_t>(60, 0x09));
    EXPECT_TRUE(cmd.wasTruncated());
    EXPECT_EQ(cmd.getCount(), 48);
    const auto report = commandReport(cmd, HSSCommand::reportBufferSize());
    EXPECT_EQ(report[8], 48);
    EXPECT_EQ(report[8 + 48], 0x09);
    EXPECT_TRUE(allZero(report.data() + 57, report.data() + report.size()));
}

TEST(Signal, EraseIsTheBareHeader)
{
    HSSSignalCmd erase(9);
    EXPECT_EQ(commandReport(erase, 8), bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x09, 0x00, 0x00}));
    HSSSignalCmd load(8);
    EXPECT_EQ(commandReport(load, 8), bytes({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x08, 0x00, 0x00}));
    EXPECT_TRUE(load.isWriteCommand());
}
