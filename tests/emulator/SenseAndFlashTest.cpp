#include <gtest/gtest.h>

#include "BoardHost.h"

using namespace emutest;

namespace {

std::array<uint16_t, 6> poll(EmulatedBoard& board) {
    HSSPollReadCmd cmd(6);
    EXPECT_TRUE(exchange(board, cmd));
    std::array<uint16_t, 6> words{};
    std::copy_n(cmd.getPollReadResults().begin(), 6, words.begin());
    return words;
}

TEST(SenseEngine, NoSamplesBeforeSamplingStarts) {
    ClockedBoard fixture;
    HSSPollReadCmd cmd(6);
    EXPECT_FALSE(exchange(fixture.board, cmd));
}

struct SenseRow {
    uint16_t devid;
    std::vector<uint8_t> currents;      // ch1 current, ch2 current, VBB
    std::vector<uint8_t> temperatures;  // ch1 temp, ch2 temp, VBB
    std::vector<uint8_t> voltages;      // ch1 VOUT, ch2 VOUT, VBB
    std::vector<uint8_t> vds;           // ch1 VDS, ch2 VDS, VBB
    uint8_t swState;
    double ksns;
};

class SensePerFamily : public ::testing::TestWithParam<SenseRow> {};

TEST_P(SensePerFamily, SamplesConvertToPlausibleValues) {
    const SenseRow& row = GetParam();
    ClockedBoard fixture(row.devid);
    EmulatedBoard& board = fixture.board;
    writeRegister(board, row.swState, 0x0001);  // channel 1 on, channel 2 off
    fixture.clock->advance(2s);

    HSSSenseConfigCmd currents(row.currents, 50);
    ASSERT_TRUE(exchange(board, currents));
    auto words = poll(board);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(valid(words[static_cast<std::size_t>(i)])) << i;
    EXPECT_GT(amps(words[0], row.ksns), 1.0);
    EXPECT_LT(amps(words[0], row.ksns), 6.0);
    EXPECT_EQ(amps(words[1], row.ksns), 0.0);
    EXPECT_NEAR(supplyVolts(words[2]), 13.5, 0.1);
    EXPECT_EQ(words[3], 0);

    HSSSenseConfigCmd temperatures(row.temperatures, 50);
    ASSERT_TRUE(exchange(board, temperatures));
    words = poll(board);
    EXPECT_GE(celsius(words[0]), 24.0);
    EXPECT_LE(celsius(words[0]), 60.0);
    EXPECT_GE(celsius(words[0]), celsius(words[1]) - 0.8);  // the loaded channel is not cooler

    HSSSenseConfigCmd voltages(row.voltages, 50);
    ASSERT_TRUE(exchange(board, voltages));
    words = poll(board);
    EXPECT_NEAR(outputVolts(words[0]), 13.4, 0.2);
    EXPECT_LT(outputVolts(words[1]), 0.05);

    HSSSenseConfigCmd drops(row.vds, 50);
    ASSERT_TRUE(exchange(board, drops));
    words = poll(board);
    EXPECT_LT(vdsVolts(words[0]), 0.2);
    EXPECT_GT(vdsVolts(words[1]), 3.0);  // off: the whole supply (clipped)
}

INSTANTIATE_TEST_SUITE_P(
    Families, SensePerFamily,
    ::testing::Values(SenseRow{0xFFF0, {0x11, 0x1A, 0x0B}, {0x12, 0x1B, 0x0B}, {0x13, 0x1C, 0x0B},
                               {0x14, 0x1D, 0x0B}, 0x07, 5000.0},
                      SenseRow{0xFF00, {0x10, 0x19, 0x0A}, {0x11, 0x1A, 0x0A}, {0x12, 0x1B, 0x0A},
                               {0x13, 0x1C, 0x0A}, 0x06, 7000.0}));

TEST(SenseEngine, SamplesOnItsOwnEveryInterval) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    writeRegister(board, 0x07, 0x0001);
    HSSSenseConfigCmd start({0x11, 0x1A, 0x0B}, 50);
    ASSERT_TRUE(exchange(board, start));
    EXPECT_EQ(board.senseInterval(), 50);
    EXPECT_EQ(board.senseAddresses(), (std::vector<uint8_t>{0x11, 0x1A, 0x0B}));
    const uint16_t before = poll(board)[0];

    board.setLoadResistance(0, 2.25);  // twice the current
    fixture.clock->advance(49ms);
    EXPECT_EQ(poll(board)[0], before);  // next sample not due yet
    fixture.clock->advance(1ms);
    const uint16_t after = poll(board)[0];
    EXPECT_NEAR(amps(after, 5000.0), 2 * amps(before, 5000.0), 0.1);

    HSSSenseConfigCmd stop(0);
    ASSERT_TRUE(exchange(board, stop));
    board.setLoadResistance(0, 4.5);
    fixture.clock->advance(500ms);
    EXPECT_EQ(poll(board)[0], after);  // stopped: the last sample stays
}

TEST(SenseEngine, DisabledConversionsCarryNoValidBit) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    writeRegister(board, 0x07, 0x0001);
    writeRegister(board, 0x10, 0x2000);  // CH1_CONFIG: current sampling off
    writeRegister(board, 0x0A, 0x0002);  // ADC_CONFIG: VBB sampling off
    HSSSenseConfigCmd start({0x11, 0x1A, 0x0B, 0x12}, 50);
    ASSERT_TRUE(exchange(board, start));
    const auto words = poll(board);
    EXPECT_FALSE(valid(words[0]));
    EXPECT_TRUE(valid(words[1]));
    EXPECT_FALSE(valid(words[2]));
    EXPECT_TRUE(valid(words[3]));
}

TEST(SenseEngine, OpenLoadScalingSwitchesTheSenseRatio) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    writeRegister(board, 0x07, 0x0001);
    HSSSenseConfigCmd start({0x11}, 10);
    ASSERT_TRUE(exchange(board, start));
    const double normal = amps(poll(board)[0], 5000.0);
    writeRegister(board, 0x10, 0x0200);
    fixture.clock->advance(10ms);
    EXPECT_NEAR(amps(poll(board)[0], 1200.0), normal, 0.05);
}

const std::vector<uint8_t> kSixteenFlashRegs{0x01, 0x05, 0x07, 0x09, 0x03, 0x0A, 0x0E,
                                             0x0F, 0x10, 0x15, 0x17, 0x18, 0x19, 0x1E};

TEST(FlashStore, StoreLoadAndErase) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    for (uint8_t address : kSixteenFlashRegs)
        writeRegister(board, address, static_cast<uint16_t>(address == 0x07 ? 0x0002 : 0x0100 | address));
    HSSFlashWriteCmd store(kSixteenFlashRegs);
    ASSERT_TRUE(exchange(board, store));
    const auto stored = board.flashStore();
    ASSERT_EQ(stored.size(), 14u);
    EXPECT_EQ(stored[0], (std::pair<uint8_t, uint16_t>{0x01, 0x0101}));
    EXPECT_EQ(stored[2], (std::pair<uint8_t, uint16_t>{0x07, 0x0002}));
    EXPECT_EQ(stored[13], (std::pair<uint8_t, uint16_t>{0x1E, 0x011E}));

    for (uint8_t address : kSixteenFlashRegs) writeRegister(board, address, 0);
    HSSSignalCmd load(8);
    ASSERT_TRUE(exchange(board, load));
    EXPECT_EQ(readRegister(board, 0x0E), 0x010E);
    EXPECT_EQ(readRegister(board, 0x07), 0x0002);

    // The store survives a power cycle of the board.
    board.unplug();
    board.plug();
    EXPECT_EQ(board.flashStore().size(), 14u);

    ASSERT_TRUE(sendRaw(board, raw({0x3F, 0xEF, 0xBE, 0xFE, 0xCA, 0x09, 0x00, 0x00})));
    EXPECT_TRUE(board.flashStore().empty());
    writeRegister(board, 0x0E, 0x0005);
    HSSSignalCmd loadAgain(8);
    ASSERT_TRUE(exchange(board, loadAgain));
    EXPECT_EQ(readRegister(board, 0x0E), 0x0005);  // nothing stored, nothing written
}

}  // namespace
