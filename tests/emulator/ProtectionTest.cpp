// The chip's wire protection against its registers, on a hand-stepped clock.

#include <gtest/gtest.h>

#include "BoardHost.h"

using namespace emutest;

namespace {

struct Addresses {
    uint16_t devid;
    double onResistance;
    uint8_t swState, ilim1, i2t1, fault1;
};
constexpr Addresses k16{0xFFF0, 0.0083, 0x07, 0x0F, 0x15, 0x0D};  // ZVR2M08A-K1
constexpr Addresses k18{0xFF04, 0.007, 0x06, 0x0E, 0x14, 0x0C};   // ZVR2M07A-K1

constexpr uint16_t kI2tEnable = 0x0800;
constexpr uint16_t kI2tFault = 0x0080;
constexpr uint16_t kAccumulating = 0x1000;

uint16_t i2tWord(unsigned nominal, unsigned trip, unsigned swLimit, unsigned swDelay, unsigned cooldown) {
    return static_cast<uint16_t>(nominal | trip << 3 | swLimit << 7 | swDelay << 9 | cooldown << 14);
}

class Protection : public ::testing::Test {
protected:
    void fit(const Addresses& a) {
        at = a;
        fixture = std::make_unique<ClockedBoard>(a.devid);
    }
    EmulatedBoard& board() { return fixture->board; }
    void advance(std::chrono::milliseconds ms) { fixture->clock->advance(ms); }
    // A load that draws `amps` from the default 13.5 V supply.
    void loadFor(double amps) { board().setLoadResistance(0, 13.5 / amps - at.onResistance); }
    void configure(uint16_t ilim, uint16_t i2t) {
        writeRegister(board(), at.ilim1, ilim);
        writeRegister(board(), at.i2t1, i2t);
    }
    void switchOn(bool on) { writeRegister(board(), at.swState, on ? 1 : 0); }
    uint16_t fault() { return board().peekRegister(at.fault1); }
    bool tripped() { return (fault() & kI2tFault) != 0; }
    // Milliseconds until the channel trips, stepping 1 ms; -1 if not within limit.
    int msUntilTrip(int limitMs) {
        for (int ms = 1; ms <= limitMs; ++ms) {
            advance(1ms);
            if (tripped()) return ms;
        }
        return -1;
    }
    void latchReset(uint16_t i2t) {  // the tool's sequence
        switchOn(false);
        writeRegister(board(), at.i2t1, static_cast<uint16_t>(i2t | 0x4000));
        advance(1000ms);
        writeRegister(board(), at.i2t1, static_cast<uint16_t>(i2t & ~0xC000));
    }

    Addresses at = k16;
    std::unique_ptr<ClockedBoard> fixture;
};

TEST_F(Protection, SteadyOverloadTripsAtTheTripEnergyAndLatches) {
    fit(k16);
    const uint16_t i2t = i2tWord(0, 2, 0, 0, 0);  // 4.0 A, 26.3 A^2 s, latch
    configure(kI2tEnable, i2t);
    loadFor(8.0);
    switchOn(true);
    ASSERT_NEAR(board().loadCurrent(0), 8.0, 0.01);

    const double expected = 26.3 / (64.0 - 16.0);
    const int tripMs = msUntilTrip(2000);
    EXPECT_NEAR(tripMs / 1000.0, expected, 0.05 * expected);
    EXPECT_EQ(board().loadCurrent(0), 0.0);
    EXPECT_DOUBLE_EQ(board().i2tLevel(0), 1.0);
    EXPECT_EQ(readRegister(board(), 0x04) & 0x0100, 0x0100);  // counts as a global fault
    EXPECT_EQ(readRegister(board(), at.swState), 1);          // the host's switch word stays

    // Latched: time, and switching off and on again, change nothing.
    advance(std::chrono::minutes(1));
    switchOn(false);
    switchOn(true);
    advance(10ms);
    EXPECT_TRUE(tripped());
    EXPECT_EQ(board().loadCurrent(0), 0.0);

    latchReset(i2t);
    EXPECT_FALSE(tripped());
    EXPECT_EQ(board().i2tLevel(0), 0.0);
    EXPECT_EQ(board().loadCurrent(0), 0.0);  // off until the host switches it on
    switchOn(true);
    EXPECT_NEAR(board().loadCurrent(0), 8.0, 0.01);
}

TEST_F(Protection, AtOrBelowNominalNeverTripsAndDrainsTheIntegrator) {
    fit(k16);
    configure(kI2tEnable, i2tWord(0, 0, 0, 0, 0));  // 4.0 A, 8.8 A^2 s
    loadFor(6.0);
    switchOn(true);
    advance(200ms);  // 20 A^2 s/s for 0.2 s: 4 of 8.8
    EXPECT_NEAR(board().i2tLevel(0), 4.0 / 8.8, 0.01);
    loadFor(3.99);
    advance(std::chrono::hours(1));
    EXPECT_FALSE(tripped());
    EXPECT_EQ(board().i2tLevel(0), 0.0);
    EXPECT_NEAR(board().loadCurrent(0), 3.99, 0.01);
}

TEST_F(Protection, CooldownRetriesAfterItsTime) {
    fit(k16);
    configure(kI2tEnable, i2tWord(0, 0, 0, 0, 1));  // 0.8 s cooldown
    loadFor(8.0);
    switchOn(true);
    ASSERT_GT(msUntilTrip(2000), 0);
    advance(799ms);
    EXPECT_TRUE(tripped());
    EXPECT_EQ(board().loadCurrent(0), 0.0);
    advance(1ms);
    EXPECT_FALSE(tripped());
    EXPECT_NEAR(board().loadCurrent(0), 8.0, 0.01);  // on again, and accumulating afresh
    EXPECT_LT(board().i2tLevel(0), 0.01);
    EXPECT_GT(msUntilTrip(2000), 0);  // the overload is still there: it trips again
}

TEST_F(Protection, SoftwareLimitTripsAfterItsDelayAndTheHardwareLimitClamps) {
    fit(k16);
    // 17 A load; I2T at 350 A^2 s would take over a second.
    const uint16_t i2t = i2tWord(0, 15, 3, 3, 0);  // ISWCL 13.3 A, 2.0 ms
    configure(static_cast<uint16_t>(kI2tEnable | 4), i2t);  // hardware limit 20 A
    loadFor(17.0);
    switchOn(true);
    advance(1ms);
    EXPECT_FALSE(tripped());
    advance(1ms);
    EXPECT_TRUE(tripped());
    EXPECT_LT(board().i2tLevel(0), 0.1);  // not an energy trip

    // With the hardware limit at 10 A the current never reaches ISWCL.
    latchReset(i2t);
    configure(kI2tEnable, i2tWord(0, 15, 3, 3, 0));
    switchOn(true);
    EXPECT_NEAR(board().loadCurrent(0), 10.0, 1e-9);
    EXPECT_EQ(fault() & 0x0010, 0x0010);  // current limit engaged
    advance(5ms);  // past the delay (the junction heats fast while limiting)
    EXPECT_FALSE(tripped());
}

TEST_F(Protection, EighteenPinBit12OnlyWhileAccumulatingAndTheDecrementer) {
    fit(k18);
    // 4.0 A nominal; decrementer on (bit 13) with factor 1: 60.1 A^2 s.
    const uint16_t decrementer = static_cast<uint16_t>(i2tWord(0, 2, 0, 0, 0) | 2u << 11 | 1u << 13);
    configure(kI2tEnable, decrementer);
    loadFor(8.0);
    EXPECT_EQ(fault() & kAccumulating, 0);  // off
    switchOn(true);
    EXPECT_EQ(fault() & kAccumulating, kAccumulating);
    advance(500ms);  // 24 of 60.1
    EXPECT_NEAR(board().i2tLevel(0), 24.0 / 60.1, 0.01);

    loadFor(2.0);  // below nominal: falls by (16 - 4) A^2 s per second
    EXPECT_EQ(fault() & kAccumulating, 0);
    advance(1000ms);
    EXPECT_NEAR(board().i2tLevel(0), 12.0 / 60.1, 0.01);

    // Decrementer off: 26.3 A^2 s, and the level holds below nominal.
    writeRegister(board(), at.i2t1, i2tWord(0, 2, 0, 0, 0));
    const double held = board().i2tLevel(0);
    EXPECT_NEAR(held, 12.0 / 26.3, 0.01);
    advance(std::chrono::minutes(1));
    EXPECT_DOUBLE_EQ(board().i2tLevel(0), held);

    loadFor(8.0);
    ASSERT_GT(msUntilTrip(2000), 0);
    EXPECT_EQ(fault() & (kAccumulating | kI2tFault), kI2tFault);
}

TEST_F(Protection, DisabledProtectionNeverTrips) {
    fit(k16);
    configure(0, i2tWord(0, 0, 3, 0, 0));
    loadFor(9.0);
    switchOn(true);
    advance(std::chrono::minutes(1));
    EXPECT_FALSE(tripped());
    EXPECT_EQ(board().i2tLevel(0), 0.0);
}

}  // namespace
