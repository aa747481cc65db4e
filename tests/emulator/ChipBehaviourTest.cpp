#include <gtest/gtest.h>

#include "BoardHost.h"
#include "emulator/SwitchChip.h"

using namespace emutest;

namespace {

struct FamilyAddresses {
    uint16_t devid;
    uint8_t sleep;
    uint8_t lpm;
    uint8_t devFault;
    uint8_t swState;
    uint8_t adcConfig;
};
const FamilyAddresses kPin16{0xFFF0, 0x02, 0x03, 0x04, 0x07, 0x0A};
const FamilyAddresses kPin18{0xFF04, 0x01, 0x02, 0x03, 0x06, 0x09};

class PerFamily : public ::testing::TestWithParam<FamilyAddresses> {};

TEST_P(PerFamily, SleepIgnoresTrafficUntilWake) {
    const FamilyAddresses& f = GetParam();
    ClockedBoard fixture(f.devid);
    EmulatedBoard& board = fixture.board;
    readRegister(board, f.devFault);
    writeRegister(board, f.adcConfig, 0x0080);
    writeRegister(board, f.swState, 0x0001);
    EXPECT_GT(board.loadCurrent(0), 1.0);

    writeRegister(board, f.sleep, 0x0001);
    EXPECT_TRUE(board.isChipAsleep());
    EXPECT_EQ(board.loadCurrent(0), 0.0);
    EXPECT_EQ(readRegister(board, 0x00), 0x0000);  // not even DEVID answers
    writeRegister(board, f.adcConfig, 0x0040);     // ignored
    writeRegister(board, 0xFF, 0xFFFE);            // not the wake word
    EXPECT_TRUE(board.isChipAsleep());

    writeRegister(board, 0xFF, 0xFFFF);
    EXPECT_FALSE(board.isChipAsleep());
    EXPECT_EQ(readRegister(board, 0x00), f.devid);
    // Waking is a restart: defaults back, power-on reset flagged.
    EXPECT_EQ(readRegister(board, f.adcConfig), 0x0000);
    EXPECT_EQ(readRegister(board, f.swState), 0x0000);
    EXPECT_EQ(readRegister(board, f.devFault) & 0x0040, 0x0040);
}

TEST_P(PerFamily, TestModeKeyOnlyInOrder) {
    const FamilyAddresses& f = GetParam();
    struct Attempt {
        std::vector<uint16_t> words;
        bool entersTestMode;
    };
    const Attempt attempts[] = {
        {{0x5EB3, 0x6B3B, 0xD5CD, 0x9C1E}, true},
        {{0x6B3B, 0x5EB3, 0xD5CD, 0x9C1E}, false},
        {{0x5EB3, 0x6B3B, 0x9C1E, 0xD5CD}, false},
        {{0x5EB3, 0x6B3B, 0xD5CD}, false},
        {{0x5EB3, 0x5EB3, 0x6B3B, 0xD5CD, 0x9C1E}, true},  // a repeated first word restarts
        {{0x5EB3, 0x0000, 0x6B3B, 0xD5CD, 0x9C1E}, false},
    };
    for (const Attempt& attempt : attempts) {
        ClockedBoard fixture(f.devid);
        EmulatedBoard& board = fixture.board;
        writeRegister(board, 0x75, 0x0A05);
        EXPECT_EQ(readRegister(board, 0x75), 0);  // TEST_CTRL is dead outside test mode
        for (uint16_t word : attempt.words) writeRegister(board, 0x71, word);
        EXPECT_EQ(board.isChipInTestMode(), attempt.entersTestMode);
        writeRegister(board, 0x75, 0x0A05);
        EXPECT_EQ(readRegister(board, 0x75), attempt.entersTestMode ? 0x0A05 : 0);
    }
}

TEST_P(PerFamily, TestModeOpensControlAndTrimRegistersUntilPowerUp) {
    const FamilyAddresses& f = GetParam();
    ClockedBoard fixture(f.devid);
    EmulatedBoard& board = fixture.board;
    writeRegister(board, 0x72, 0x1234);
    EXPECT_EQ(readRegister(board, 0x72), 0);
    EXPECT_EQ(readRegister(board, 0x42), 0);

    for (uint16_t word : {0x5EB3, 0x6B3B, 0xD5CD, 0x9C1E}) writeRegister(board, 0x71, word);
    ASSERT_TRUE(board.isChipInTestMode());
    const uint16_t factoryTrim = readRegister(board, 0x42);
    EXPECT_NE(factoryTrim, 0);
    EXPECT_NE(readRegister(board, 0x4B), 0);
    EXPECT_EQ(readRegister(board, 0x4C), 0);  // past the trim block
    writeRegister(board, 0x72, 0x1234);
    writeRegister(board, 0x42, 0x0ABC);
    EXPECT_EQ(readRegister(board, 0x72), 0x1234);
    EXPECT_EQ(readRegister(board, 0x42), 0x0ABC);

    // Sleep and wake is a power-up: test mode left, trim back from the factory.
    writeRegister(board, f.sleep, 0x0001);
    writeRegister(board, 0xFF, 0xFFFF);
    EXPECT_FALSE(board.isChipInTestMode());
    for (uint16_t word : {0x5EB3, 0x6B3B, 0xD5CD, 0x9C1E}) writeRegister(board, 0x71, word);
    EXPECT_EQ(readRegister(board, 0x42), factoryTrim);
    EXPECT_EQ(readRegister(board, 0x72), 0);
    EXPECT_EQ(readRegister(board, 0x75), 0);
}

INSTANTIATE_TEST_SUITE_P(Families, PerFamily, ::testing::Values(kPin16, kPin18));

TEST(ChipBehaviour, EepromKeyStoresTheConfigurationAsPowerUpValues) {
    ClockedBoard fixture(0xFF00);
    EmulatedBoard& board = fixture.board;
    writeRegister(board, 0x09, 0x00C0);  // ADC_CONFIG
    writeRegister(board, 0x52, 0xBEEF);  // CUST_REG_52
    writeRegister(board, 0x06, 0x0001);  // SW_STATE is not stored
    for (uint16_t word : {0x3C69, 0xC68C, 0xDDE9}) writeRegister(board, 0x3F, word);
    EXPECT_EQ(board.eepromProgramCount(), 0u);
    writeRegister(board, 0x3F, 0x4F6B);
    EXPECT_EQ(board.eepromProgramCount(), 1u);
    writeRegister(board, 0x09, 0x0000);

    board.unplug();
    board.plug();
    EXPECT_EQ(readRegister(board, 0x09), 0x00C0);
    EXPECT_EQ(readRegister(board, 0x52), 0xBEEF);
    EXPECT_EQ(readRegister(board, 0x06), 0x0000);

    // Out of order: nothing stored.
    writeRegister(board, 0x09, 0x0040);
    for (uint16_t word : {0xC68C, 0x3C69, 0xDDE9, 0x4F6B}) writeRegister(board, 0x3F, word);
    EXPECT_EQ(board.eepromProgramCount(), 1u);
}

TEST(ChipBehaviour, SixteenPinPartsHaveNoEeprom) {
    ClockedBoard fixture(0xFFF0);
    for (uint16_t word : {0x3C69, 0xC68C, 0xDDE9, 0x4F6B}) writeRegister(fixture.board, 0x3F, word);
    EXPECT_EQ(fixture.board.eepromProgramCount(), 0u);
}

TEST(ChipBehaviour, SafetyTestsProduceAbistResultsOnSafetyParts) {
    struct Row {
        uint16_t devid;
        uint16_t failing;    // ABIST bits of tests set to fail
        uint16_t initiated;  // SAFETY_TEST bits written
        uint16_t expected;   // ABIST_RESULT read back
    };
    const Row rows[] = {
        {0xFFF2, 0x0001, 0x0001, 0x0001},  // bandgap fails when run
        {0xFFF2, 0x0001, 0x0000, 0x0000},  // ... and not before
        {0xFFF2, 0x0020, 0x0010, 0x0020},  // current test reports in bit 5
        {0xFFF2, 0x000C, 0x000F, 0x000C},  // both FET short tests
        {0xFFF2, 0x0010, 0x0000, 0x0010},  // OTP check runs at power-up
        {0xFFF7, 0x0002, 0x0002, 0x0002},
        {0xFFF0, 0x003F, 0x001F, 0x0000},  // not a safety part
    };
    for (const Row& row : rows) {
        ClockedBoard fixture(row.devid);
        fixture.board.setSelfTestFailures(row.failing);
        writeRegister(fixture.board, 0x08, row.initiated);
        EXPECT_EQ(readRegister(fixture.board, 0x06), row.expected)
            << std::hex << row.devid << " " << row.failing << " " << row.initiated;
    }
}

TEST(ChipBehaviour, SwitchStateSwitchesTheChannels) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    const struct {
        uint16_t swState;
        bool ch1;
        bool ch2;
    } rows[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}};
    for (const auto& row : rows) {
        writeRegister(board, 0x07, row.swState);
        EXPECT_EQ(board.loadCurrent(0) > 1.0, row.ch1) << row.swState;
        EXPECT_EQ(board.loadCurrent(1) > 1.0, row.ch2) << row.swState;
    }
    EXPECT_NEAR(board.loadCurrent(0), 3.0, 0.1);
    EXPECT_NEAR(board.loadCurrent(1), 2.0, 0.1);
}

TEST(ChipBehaviour, PwmScalesTheAverageCurrent) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    writeRegister(board, 0x07, 0x0001);
    const double full = board.loadCurrent(0);
    writeRegister(board, 0x0E, static_cast<uint16_t>((127 << 1) | 1));  // 50 % duty
    EXPECT_NEAR(board.loadCurrent(0), full / 2, 0.01);
}

TEST(ChipBehaviour, ManualLowPowerModeAndWakeUpByLoad) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    readRegister(board, 0x04);
    writeRegister(board, 0x03, 0x0001);  // LPM on, channels off
    EXPECT_TRUE(board.isChipInLowPowerMode());
    EXPECT_EQ(readRegister(board, 0x04), 0x0800);

    writeRegister(board, 0x07, 0x0001);  // 3 A is far above every threshold
    EXPECT_FALSE(board.isChipInLowPowerMode());
    EXPECT_EQ(readRegister(board, 0x0D) & 0x0040, 0x0040);
    EXPECT_EQ(readRegister(board, 0x0D) & 0x0040, 0x0000);  // cleared by the read
    EXPECT_EQ(readRegister(board, 0x04) & 0x0800, 0x0000);

    board.setLoadResistance(0, 13.5 / 0.1);  // 100 mA
    writeRegister(board, 0x03, 0x0001);      // asking again re-enters
    EXPECT_TRUE(board.isChipInLowPowerMode());
    writeRegister(board, 0x03, 0x0000);
    EXPECT_FALSE(board.isChipInLowPowerMode());
}

TEST(ChipBehaviour, EighteenPinLowPowerThresholdFields) {
    // 18-pin LPM: bits 4-5 / 6-7 threshold index, bit 1 large FET.
    struct Row {
        uint16_t lpm;
        double loadAmps;
        bool staysInLpm;
    };
    const Row rows[] = {
        {0x0001 | (1 << 4), 1.2, false},  // small FET, index 1: 1.1 A on the 05
        {0x0001 | (1 << 4), 0.9, true},
        {0x0001 | (2 << 4), 0.5, false},  // 290 mA
        {0x0003 | (2 << 4), 1.2, true},   // large FET 1.4 A
        {0x0003 | (2 << 4), 1.5, false},
    };
    for (const Row& row : rows) {
        ClockedBoard fixture(0xFF00);
        fixture.board.setLoadResistance(0, 13.5 / row.loadAmps);
        writeRegister(fixture.board, 0x06, 0x0001);
        writeRegister(fixture.board, 0x02, row.lpm);
        EXPECT_EQ(fixture.board.isChipInLowPowerMode(), row.staysInLpm)
            << std::hex << row.lpm << " " << row.loadAmps;
    }
}

TEST(ChipBehaviour, PowerOnResetClearsOnReadAndDevFaultClearBits) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    EXPECT_EQ(board.peekRegister(0x04), 0x0140);
    EXPECT_EQ(board.peekRegister(0x04), 0x0140);  // peeking has no side effects
    EXPECT_EQ(readRegister(board, 0x04), 0x0140);
    EXPECT_EQ(readRegister(board, 0x04), 0x0000);
    board.pokeRegister(0x04, 0x0040);
    writeRegister(board, 0x04, 0x0040);  // write-one-to-clear works for it too
    EXPECT_EQ(readRegister(board, 0x04), 0x0000);
}

TEST(ChipBehaviour, WatchdogFlagsGapsLongerThanItsTimeout) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    readRegister(board, 0x04);
    writeRegister(board, 0x09, 0x0008 | (1 << 1));  // enabled, 400 ms
    fixture.clock->advance(400ms);
    EXPECT_EQ(readRegister(board, 0x04), 0x0000);
    fixture.clock->advance(401ms);
    EXPECT_EQ(readRegister(board, 0x04), 0x0108);
    EXPECT_EQ(readRegister(board, 0x04), 0x0000);  // cleared by the read

    HSSSenseConfigCmd sampling({0x11}, 50);  // the board's own reads feed it
    ASSERT_TRUE(exchange(board, sampling));
    fixture.clock->advance(5s);
    EXPECT_EQ(readRegister(board, 0x04), 0x0000);
    HSSSenseConfigCmd stop({0x11}, 0);
    ASSERT_TRUE(exchange(board, stop));
    fixture.clock->advance(2s);
    EXPECT_EQ(readRegister(board, 0x04) & 0x0008, 0x0008);

    writeRegister(board, 0x09, 0x0000);  // disabled: gaps do not matter
    readRegister(board, 0x04);
    fixture.clock->advance(1h);
    EXPECT_EQ(readRegister(board, 0x04), 0x0000);
}

TEST(ChipBehaviour, SwappingTheDaughterCard) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    board.setDeviceId(0xFF05);
    EXPECT_EQ(readRegister(board, 0x00), 0xFF05);
    EXPECT_EQ(board.chipFamily(), ChipFamily::Pin18);
    board.setDeviceId(EmulatedBoard::kNoChip);
    EXPECT_EQ(readRegister(board, 0x00), 0x0000);
    EXPECT_EQ(board.chipFamily(), std::nullopt);
    board.setDeviceId(0x1234);
    EXPECT_EQ(readRegister(board, 0x00), 0x1234);
}

TEST(ChipBehaviour, UndervoltageRaisesSupplyFaultsAndSwitchesOff) {
    ClockedBoard fixture;
    EmulatedBoard& board = fixture.board;
    readRegister(board, 0x04);
    writeRegister(board, 0x07, 0x0001);
    board.setSupplyVoltage(5.0);
    EXPECT_EQ(readRegister(board, 0x04) & 0x0103, 0x0102);  // warning only
    EXPECT_GT(board.loadCurrent(0), 0.5);
    board.setSupplyVoltage(4.0);
    EXPECT_EQ(readRegister(board, 0x04) & 0x0103, 0x0103);
    EXPECT_EQ(board.loadCurrent(0), 0.0);
    writeRegister(board, 0x05, 0x0001);  // masking UVLO leaves the warning in the summary
    EXPECT_EQ(readRegister(board, 0x04) & 0x0100, 0x0100);
    board.setSupplyVoltage(13.5);
    EXPECT_EQ(readRegister(board, 0x04) & 0x0103, 0x0000);
}

}  // namespace
