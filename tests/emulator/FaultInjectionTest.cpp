#include <gtest/gtest.h>

#include "BoardHost.h"

using namespace emutest;

namespace {

class FaultInjection : public ::testing::Test {
protected:
    void SetUp() override { readRegister(board, 0x04); }  // clear the power-on flag
    int devFault() { return readRegister(board, 0x04); }
    int ch1Fault() { return readRegister(board, 0x0D); }

    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    ManualBoardClock& clock = *fixture.clock;
};

TEST_F(FaultInjection, BitsForAWhileThenGone) {
    board.injectFault(FaultRegister::Device, 0x0018, 300ms);  // watchdog + SPI
    board.injectFault(FaultRegister::Channel1, 0x0080, 600ms);
    EXPECT_EQ(devFault(), 0x0118);
    EXPECT_EQ(ch1Fault(), 0x0080);
    clock.advance(299ms);
    EXPECT_EQ(devFault(), 0x0118);
    clock.advance(1ms);
    EXPECT_EQ(devFault(), 0x0100);  // the channel fault still counts globally
    clock.advance(300ms);
    EXPECT_EQ(devFault(), 0x0000);
    EXPECT_EQ(ch1Fault(), 0x0000);
}

TEST_F(FaultInjection, UntilClearedAndMasked) {
    board.injectFault(FaultRegister::Channel2, 0x0050);  // current limit + LPM wake
    clock.advance(1h);
    EXPECT_EQ(readRegister(board, 0x16), 0x0050);
    writeRegister(board, 0x05, 0x0040);  // masking current limit keeps the LPM wake-up
    EXPECT_EQ(devFault() & 0x0100, 0x0100);
    board.clearInjectedFault(FaultRegister::Channel2, 0x0040);
    EXPECT_EQ(readRegister(board, 0x16), 0x0010);
    EXPECT_EQ(devFault() & 0x0100, 0x0000);  // only a masked fault left
    board.clearInjectedFault(FaultRegister::Channel2, 0xFFFF);
    EXPECT_EQ(readRegister(board, 0x16), 0x0000);
}

TEST_F(FaultInjection, OverloadRaisesCurrentLimitAndThermalBitsThenRecovers) {
    writeRegister(board, 0x07, 0x0001);
    board.overloadChannel(0, 2s);
    EXPECT_EQ(ch1Fault() & 0x0010, 0x0010);  // current limit at once
    clock.advance(100ms);
    EXPECT_GE(board.junctionTemperature(0), 150.0);
    // Within the overload the channel cycles through thermal shutdown.
    bool sawShutdown = false;
    for (int i = 0; i < 100 && !sawShutdown; ++i) {
        clock.advance(7ms);
        sawShutdown = (ch1Fault() & 0x0021) == 0x0021;
    }
    EXPECT_TRUE(sawShutdown);
    EXPECT_EQ(devFault() & 0x0100, 0x0100);

    clock.advance(3s);  // overload over, junction cooled, channel back on
    EXPECT_EQ(ch1Fault(), 0x0000);
    EXPECT_LT(board.junctionTemperature(0), 60.0);
    EXPECT_NEAR(board.loadCurrent(0), 3.0, 0.1);
}

TEST_F(FaultInjection, LatchedShutdownNeedsTheChannelSwitchedOff) {
    writeRegister(board, 0x10, 0x0004);  // 16-pin CH1_CONFIG bit 2: latch
    writeRegister(board, 0x07, 0x0001);
    board.overloadChannel(0, 200ms);
    clock.advance(5s);
    EXPECT_EQ(ch1Fault() & 0x0020, 0x0020);
    EXPECT_EQ(board.loadCurrent(0), 0.0);
    writeRegister(board, 0x07, 0x0000);  // latch reset
    writeRegister(board, 0x07, 0x0001);
    EXPECT_EQ(ch1Fault(), 0x0000);
    EXPECT_NEAR(board.loadCurrent(0), 3.0, 0.1);
}

TEST_F(FaultInjection, LatchAlsoClearsWhenSwitchedOffWhileStillHot) {
    writeRegister(board, 0x10, 0x0004);
    writeRegister(board, 0x07, 0x0001);
    board.overloadChannel(0, 200ms);
    clock.advance(50ms);
    writeRegister(board, 0x07, 0x0000);  // too hot to release yet
    clock.advance(5s);
    writeRegister(board, 0x07, 0x0001);
    EXPECT_EQ(ch1Fault(), 0x0000);
    EXPECT_NEAR(board.loadCurrent(0), 3.0, 0.1);
}

TEST_F(FaultInjection, SuppressedBitsReadClearForAWhile) {
    board.setSupplyVoltage(5.5);  // undervoltage warning
    EXPECT_EQ(devFault(), 0x0102);
    board.suppressFault(FaultRegister::Device, 0x0002, 100ms);
    EXPECT_EQ(devFault(), 0x0000);
    EXPECT_TRUE(board.gpioLevel(3));
    clock.advance(100ms);
    EXPECT_EQ(devFault(), 0x0102);
    board.suppressFault(FaultRegister::Device, 0x0100);  // the summary itself, until cleared
    EXPECT_EQ(devFault(), 0x0002);
    board.clearInjectedFault(FaultRegister::Device, 0x0100);
    EXPECT_EQ(devFault(), 0x0102);
}

TEST_F(FaultInjection, OpenLoadShowsWhileTheChannelIsOff) {
    board.setLoadResistance(1, 0.0);
    EXPECT_EQ(readRegister(board, 0x16), 0x0004);
    writeRegister(board, 0x07, 0x0002);
    EXPECT_EQ(readRegister(board, 0x16), 0x0000);
}

TEST_F(FaultInjection, NotReadyRepliesStayPending) {
    HSSSingleReadCmd read(0x00, 1);
    ASSERT_TRUE(send(board, read));
    board.makeNextRepliesNotReady(2);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto reply = readReport(board, 0x3C, 7);
        ASSERT_FALSE(reply.empty());
        EXPECT_EQ(reply[0], 0x00);
    }
    EXPECT_EQ(readReport(board, 0x3C, 7)[3], 0xF0);
}

TEST_F(FaultInjection, FailedTransfersDoNothing) {
    board.failNextWrites(2);
    HSSSingleWriteCmd write(0x0A, 0x0011);
    EXPECT_FALSE(send(board, write));
    EXPECT_FALSE(send(board, write));
    EXPECT_EQ(board.peekRegister(0x0A), 0x0000);
    EXPECT_TRUE(send(board, write));
    EXPECT_EQ(board.peekRegister(0x0A), 0x0011);

    HSSSingleReadCmd read(0x0A, 1);
    ASSERT_TRUE(send(board, read));
    board.failNextReads(1);
    EXPECT_TRUE(readReport(board, 0x3C, 7).empty());
    EXPECT_EQ(readReport(board, 0x3C, 7)[3], 0x11);  // the reply survived the failed read
}

// Random trouble at the given chances: about that share of transfers fails,
// nothing a failed write carried is done, and no reply is lost on the way.
TEST_F(FaultInjection, RandomLinkTroubleLosesNothing) {
    board.setLinkTrouble({.failedWrites = 0.3, .failedReads = 0.2, .notReadyReplies = 0.2, .seed = 7});
    int failedWrites = 0;
    int retriedReads = 0;
    for (uint16_t value = 1; value <= 400; ++value) {
        HSSSingleWriteCmd write(0x0A, value);
        while (!send(board, write)) ++failedWrites;
        HSSSingleReadCmd read(0x0A, 1);
        while (!send(board, read)) ++failedWrites;
        for (;;) {
            const auto reply = readReport(board, 0x3C, 7);
            if (!reply.empty() && reply[0] == 0x3C) {
                ASSERT_EQ((reply[2] << 8) | reply[3], value);
                break;
            }
            ++retriedReads;
        }
    }
    // 800 writes at 0.3; reads at 1 - 0.8 * 0.8 = 0.36 of 400 replies.
    EXPECT_NEAR(failedWrites / (800.0 + failedWrites), 0.3, 0.06);
    EXPECT_NEAR(retriedReads / (400.0 + retriedReads), 0.36, 0.06);

    board.setLinkTrouble({});
    HSSSingleWriteCmd write(0x0A, 0x0011);
    EXPECT_TRUE(send(board, write));
    EXPECT_EQ(readRegister(board, 0x0A), 0x0011);
}

}  // namespace
