// Every `board` command line: what it does to the board, what it answers, and
// how each kind of bad input is refused.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "BoardHost.h"
#include "emulator/BenchCommand.h"

using namespace emutest;

namespace {

struct Effect {
    const char* line;
    std::function<bool(EmulatedBoard&, ManualBoardClock&)> holds;
};

TEST(BenchCommand, EachCommandActsOnTheBoardAndAnswersNothing) {
    const Effect effects[] = {
        {"board supply 12.5", [](EmulatedBoard& b, auto&) { return b.supplyVoltage() == 12.5; }},
        {"board ambient -20",
         [](EmulatedBoard& b, ManualBoardClock& c) {
             c.advance(std::chrono::minutes(1));
             return b.ambientTemperature() == -20.0 && std::abs(b.junctionTemperature(0) + 20.0) < 0.01;
         }},
        {"board load 2 3.3", [](EmulatedBoard& b, auto&) { return b.loadResistance(1) == 3.3; }},
        {"board load 1 open", [](EmulatedBoard& b, auto&) { return std::isinf(b.loadResistance(0)); }},
        {"board load 1 OPEN", [](EmulatedBoard& b, auto&) { return std::isinf(b.loadResistance(0)); }},
        {"board overload 2 300",
         [](EmulatedBoard& b, ManualBoardClock& c) {
             const bool during = b.isOverloaded(1);
             c.advance(300ms);
             return during && !b.isOverloaded(1);
         }},
        {"board short-vbb 1",
         [](EmulatedBoard& b, ManualBoardClock& c) {
             c.advance(std::chrono::hours(1));
             return b.isShortedToSupply(0) && (b.peekRegister(0x0D) & 0x0008) != 0;
         }},
        {"board short-vbb 2 50",
         [](EmulatedBoard& b, ManualBoardClock& c) {
             const bool during = (b.peekRegister(0x16) & 0x0008) != 0;
             c.advance(50ms);
             return during && !b.isShortedToSupply(1);
         }},
        {"board fault CH1_FAULT 0x0024",
         [](EmulatedBoard& b, ManualBoardClock& c) {
             c.advance(std::chrono::hours(1));
             return b.peekRegister(0x0D) == 0x0024;
         }},
        {"board fault dev_fault 8 100",
         [](EmulatedBoard& b, ManualBoardClock& c) {
             const bool during = (b.peekRegister(0x04) & 0x0008) != 0;
             c.advance(100ms);
             return during && (b.peekRegister(0x04) & 0x0008) == 0;
         }},
        {"board selftest-fail 0x21", [](EmulatedBoard& b, auto&) { return b.selfTestFailures() == 0x21; }},
        {"board card 0xFF04", [](EmulatedBoard& b, auto&) { return b.deviceId() == 0xFF04; }},
        {"board card fff3", [](EmulatedBoard& b, auto&) { return b.deviceId() == 0xFFF3; }},
        {"board card ZVR2M05B-K1", [](EmulatedBoard& b, auto&) { return b.deviceId() == 0xFF01; }},
        {"board card none", [](EmulatedBoard& b, auto&) { return !b.deviceId(); }},
        {"board unplug", [](EmulatedBoard& b, auto&) { return !b.isPlugged(); }},
        {"board unplug 2",
         [](EmulatedBoard& b, auto&) {
             // Plugged through the first command, gone after the second.
             writeRegister(b, 0x07, 0x0001);
             const bool stillIn = b.isPlugged();
             writeRegister(b, 0x07, 0x0000);
             return stillIn && !b.isPlugged();
         }},
    };
    for (const Effect& e : effects) {
        ClockedBoard fixture;
        const BenchReply reply = runBenchLine(fixture.board, e.line);
        EXPECT_EQ(reply.error, "") << e.line;
        EXPECT_EQ(reply.answer, "") << e.line;
        EXPECT_TRUE(e.holds(fixture.board, *fixture.clock)) << e.line;
    }

    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    // Clearing ends an injection; plugging brings the board back; a new load ends a short.
    runBenchLine(board, "board fault CH2_FAULT 0x0050");
    EXPECT_EQ(runBenchLine(board, "board clear-fault CH2_FAULT 40").error, "");
    EXPECT_EQ(board.peekRegister(0x16), 0x0010);
    runBenchLine(board, "board unplug");
    EXPECT_EQ(runBenchLine(board, "board plug").error, "");
    EXPECT_TRUE(board.isPlugged());
    runBenchLine(board, "board short-vbb 1");
    runBenchLine(board, "board load 1 4.5");
    EXPECT_FALSE(board.isShortedToSupply(0));
    // A card swap is a replug; the bench outlives the card: a new card finds the supply as set.
    std::vector<bool> presence;
    board.setPresenceListener([&presence](bool plugged) { presence.push_back(plugged); });
    runBenchLine(board, "board supply 9");
    runBenchLine(board, "board card none");
    runBenchLine(board, "board card 0xFFF0");
    EXPECT_EQ(presence, (std::vector<bool>{false, true, false, true}));
    board.setPresenceListener({});
    EXPECT_EQ(board.supplyVoltage(), 9.0);
    writeRegister(board, 0x07, 0x0001);
    EXPECT_NEAR(board.loadCurrent(0), 9.0 / (4.5 + 0.0083), 1e-6);
}

TEST(BenchCommand, GetAnswersOneLineInPlainDecimal) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    writeRegister(board, 0x07, 0x0001);  // channel 1 on: 13.5 V over 4.5 ohms
    writeRegister(board, 0x19, 0x0120);
    struct Get {
        const char* line;
        const char* answer;
    };
    const Get gets[] = {
        {"board get current 1", "BOARD current 1=2.994"},
        {"board get current 2", "BOARD current 2=0"},
        {"board get temperature 2", "BOARD temperature 2=25"},
        {"board get i2t 1", "BOARD i2t 1=0"},
        {"board get register 0x19", "BOARD register 0x19=0x0120"},
        {"board get register 19", "BOARD register 0x19=0x0120"},
        {"board get register 0x00", "BOARD register 0x00=0xFFF0"},
    };
    for (const Get& g : gets) {
        const BenchReply reply = runBenchLine(board, g.line);
        EXPECT_EQ(reply.error, "") << g.line;
        EXPECT_EQ(reply.answer, g.answer) << g.line;
    }
    EXPECT_EQ(plainDecimal(0.50004, 4), "0.5");
    EXPECT_EQ(plainDecimal(-0.0001, 2), "0");
    EXPECT_EQ(plainDecimal(150.0, 2), "150");
}

TEST(BenchCommand, BadInputIsAnErrorThatChangesNothing) {
    struct Bad {
        const char* line;
        const char* error;
    };
    const Bad bad[] = {
        {"board", "usage: board supply VOLTS"},
        {"bored supply 12", "usage: board supply VOLTS"},
        {"board fly", "unknown board command 'fly'"},
        {"board supply", "usage: board supply VOLTS"},
        {"board supply 12 13", "usage: board supply VOLTS"},
        {"board supply twelve", "board supply: 'twelve' is not a voltage"},
        {"board supply -1", "board supply: supply must be 0 to 60 V, not -1"},
        {"board supply nan", "board supply: 'nan' is not a voltage"},
        {"board ambient 300", "board ambient: ambient must be -60 to 200 degrees C, not 300"},
        {"board load 3 10", "board load: channel must be 1 or 2, not '3'"},
        {"board load 0 10", "board load: channel must be 1 or 2, not '0'"},
        {"board load 1 0", "board load: a load needs more than 0 ohms"},
        {"board load 1 10ohm", "board load: '10ohm' is not a resistance in ohms (or open)"},
        {"board overload 1", "usage: board overload CH MS"},
        {"board overload 1 -5", "board overload: time must be a whole number of milliseconds from 1 to 86400000, not '-5'"},
        {"board overload 1 1.5", "board overload: time must be a whole number"},
        {"board short-vbb 2 0", "board short-vbb: time must be a whole number"},
        {"board fault CH3_FAULT 1", "board fault: unknown register 'CH3_FAULT' (DEV_FAULT, CH1_FAULT or CH2_FAULT)"},
        {"board fault CH1_FAULT 0", "board fault: '0' is not a hexadecimal bit mask from 0x0001 to 0xFFFF"},
        {"board fault CH1_FAULT 0x1FFFF", "board fault: '0x1FFFF' is not a hexadecimal bit mask"},
        {"board fault CH1_FAULT zz", "board fault: 'zz' is not a hexadecimal bit mask"},
        {"board clear-fault CH1_FAULT 1 100", "usage: board clear-fault REGISTER BITS"},
        {"board selftest-fail 0x40", "board selftest-fail: '0x40' is not a hexadecimal ABIST_RESULT mask from 0x00 to 0x3F"},
        {"board card ZVR9", "board card: 'ZVR9' is not a part code in hexadecimal (e.g. 0xFF04), a part name or none"},
        {"board plug now", "usage: board plug"},
        {"board get voltage 1", "board get: unknown reading 'voltage'"},
        {"board get current 3", "board get current: channel must be 1 or 2, not '3'"},
        {"board get register 0x100", "board get register: '0x100' is not a register address from 0x00 to 0xFF"},
    };
    for (const Bad& b : bad) {
        ClockedBoard fixture;
        const BenchReply reply = runBenchLine(fixture.board, b.line);
        EXPECT_EQ(reply.error.rfind(b.error, 0), 0u) << b.line << " -> " << reply.error;
        EXPECT_EQ(reply.answer, "") << b.line;
        EXPECT_EQ(fixture.board.supplyVoltage(), 13.5) << b.line;
        EXPECT_EQ(fixture.board.loadResistance(0), 4.5) << b.line;
    }

    // Commands that need the chip say so when no card is fitted.
    ClockedBoard bare(std::nullopt);
    EXPECT_EQ(runBenchLine(bare.board, "board get current 1").error,
              "the board has no daughter card (board card CODE fits one)");
    EXPECT_EQ(runBenchLine(bare.board, "board supply 8").error, "");
    EXPECT_EQ(bare.board.supplyVoltage(), 8.0);
}

}  // namespace
