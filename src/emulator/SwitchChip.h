#pragma once
// The dual-channel high-side switch on the daughter card, as the board sees
// it over SPI: 16-bit registers at the addresses of its package family, and
// the behaviour behind them.
//
// - Fault registers, ABIST_RESULT, DEVID and the ADC results are read-only.
//   DEV_FAULT bit 6 (power-on reset) and the channels' LPM wake-up bit 6 are
//   cleared by reading their register; bit 7 (limp home) latches while LHI is
//   high and is cleared by writing it as 1 (0x0080); bit 6 may be cleared the
//   same way. Bit 8 summarises every unmasked fault, bit 11 shows LPM.
// - SLEEP bit 0 puts the chip to sleep: outputs off, every frame ignored
//   (reads give 0) until 0xFFFF is written to WAKE, which restarts the chip
//   like a power-up.
// - The test-mode and EEPROM key sequences count only as four consecutive
//   writes of the right words to their register; a wrong word starts over.
//   TEST_CTRL, the test control registers 0x72-0x74 and the trim registers
//   0x42-0x4B read 0 and ignore writes outside test mode; the trim registers
//   hold the part's factory values after every power-up. A completed
//   EEPROM sequence stores the configuration as the power-up values.
// - SAFETY_TEST bits run the self-tests of safety parts; ABIST_RESULT shows a
//   fault for each running test that is set to fail, and for the OTP check
//   (run at power-up) when it is set to fail.
// - With the watchdog enabled (DEV_CONFIG bit 3), a gap between SPI frames
//   longer than the timeout (bits 1-2: 0.4 ms, 400, 800, 1200 ms) sets
//   DEV_FAULT bit 3 until DEV_FAULT is read.
// - Thermal shutdown restarts below 155 degrees C, or stays latched when the
//   channel is configured to latch, until the host switches the channel off.
// - Wire protection per channel from I2T_CONFIG_CHx and ILIM_CONFIG_CHx bit 11
//   (ChannelProtection): a trip switches the channel off and sets CHx_FAULT
//   bit 7 while it is held off; 18-pin parts show bit 12 while the integrator
//   accumulates. A latched channel is released when bit 14 of its I2T
//   register is written from 0 to 1 while its SW_STATE bit is 0 (the tool's
//   latch-reset sequence); SW_STATE itself stays as the host wrote it.
// - A short to VBB shows as CHx_FAULT bit 3 while the channel is off.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "emulator/ChannelProtection.h"
#include "emulator/ChipLoadModel.h"
#include "emulator/ChipParts.h"
#include "emulator/ChipRegisterMap.h"

// Fault status registers that faults can be injected into.
enum class FaultRegister { Device, Channel1, Channel2 };

class SwitchChip {
public:
    static constexpr uint16_t kWakeWord = 0xFFFF;
    static constexpr std::array<uint16_t, 4> kTestModeKey{0x5EB3, 0x6B3B, 0xD5CD, 0x9C1E};
    static constexpr std::array<uint16_t, 4> kEepromKey{0x3C69, 0xC68C, 0xDDE9, 0x4F6B};
    static constexpr double kSenseResistorOhm = 698.0;  // on the daughter card

    // Powered up at `now`. Unlisted codes behave as 16-pin silicon.
    SwitchChip(uint16_t devid, std::chrono::milliseconds now);

    uint16_t deviceId() const { return devid; }
    const ChipPart& part() const { return chipPart; }
    ChipFamily family() const { return chipPart.family; }
    const ChipRegisterMap& registerMap() const { return map; }

    // SPI frames from the board.
    uint16_t read(uint8_t address);
    void write(uint8_t address, uint16_t value);
    // Side-effect free view; works while asleep.
    uint16_t peek(uint8_t address) const;
    void poke(uint8_t address, uint16_t value);

    void powerUp();
    // The board reads the chip on its own every `interval` (zero: it does
    // not); those frames feed the watchdog too.
    void setPeriodicReads(std::chrono::milliseconds interval) { periodicReads = interval; }
    void setLimpHomeInput(bool high);
    void setDirectInput(bool high);
    bool isFaultOutputAsserted() const;  // FAULT pin driven low
    uint8_t statusByte() const;          // summary sent with every reply

    // Runs the chip's own behaviour (heating, protections, injected faults
    // that run out) up to `now`.
    void advanceTo(std::chrono::milliseconds now);

    void setSupplyVoltage(double volts);
    void setAmbientTemperature(double celsius);
    void setLoadResistance(int channel, double ohms);
    void setSelfTestFailures(uint16_t abistBits) { selfTestFailures = abistBits; }
    double junctionTemperature(int channel) const { return load.junctionTemperature(channel); }
    double loadCurrent(int channel) const { return reading(channel).current; }
    // The I2T integrator as a fraction of the trip energy now configured.
    double i2tLevel(int channel) const;
    bool isHeldOffByProtection(int channel) const;

    // Injected bits read as set (or, suppressed, as clear) until `until`
    // (nullopt: until cleared), whatever the chip itself reports.
    void injectFault(FaultRegister reg, uint16_t bits, std::optional<std::chrono::milliseconds> until,
                     bool suppress = false);
    void clearInjectedFault(FaultRegister reg, uint16_t bits);
    void overload(int channel, std::chrono::milliseconds until);
    // Output shorted to VBB until `until` (nullopt: until endShortToSupply).
    void shortToSupply(int channel, std::optional<std::chrono::milliseconds> until);
    void endShortToSupply(int channel);
    bool isShortedToSupply(int channel) const { return load.isShortedToSupply(channel); }
    bool isOverloaded(int channel) const { return load.isOverloaded(channel); }

    bool isAsleep() const { return asleep; }
    bool isInTestMode() const { return testMode; }
    bool isInLowPowerMode() const { return lowPowerMode; }
    unsigned eepromProgramCount() const { return eepromPrograms; }

private:
    struct Injection {
        FaultRegister reg;
        uint16_t bits;
        std::optional<std::chrono::milliseconds> until;  // none: until cleared
        bool suppress;                                   // force clear instead of set
    };

    uint16_t registerValue(uint8_t address) const;
    uint16_t deviceFaultWord() const;
    uint16_t channelFaultWord(int channel) const;
    uint16_t abistResultWord() const;
    uint16_t injectedBits(FaultRegister reg, bool suppressed) const;
    uint16_t applyInjections(FaultRegister reg, uint16_t word) const;
    bool hasUnmaskedFault(uint16_t deviceWord) const;
    std::optional<uint16_t> measurement(uint8_t address) const;

    ProtectionSettings protectionSettings(int channel) const;
    ProtectionInput protectionInput(int channel, const ChannelDrive& d) const;
    ChannelDrive drive(int channel) const;
    std::array<ChannelDrive, 2> drives() const { return {drive(0), drive(1)}; }
    ChannelReading reading(int channel) const { return load.reading(channel, drive(channel)); }
    bool commandedOn(int channel) const;
    double lowPowerThreshold(int channel) const;
    bool autoLowPowerBit(int channel) const;
    void updateLowPowerMode();
    void applyPins();
    void stepModel(std::chrono::milliseconds until);
    std::optional<std::chrono::milliseconds> nextEvent() const;
    void writeConfiguration(uint8_t address, uint16_t value);
    void checkWatchdog();
    void acceptKeyWord(const std::array<uint16_t, 4>& key, std::size_t& progress, uint16_t value);

    uint16_t devid;
    ChipPart chipPart;
    const ChipRegisterMap& map;
    ChipLoadModel load;
    std::chrono::milliseconds now;

    std::array<uint16_t, 256> regs{};
    std::array<uint16_t, 256> eepromImage{};  // power-up values (18-pin EEPROM)
    uint16_t devFaultLatched = 0;
    std::array<uint16_t, 2> channelFaultLatched{};
    bool asleep = false;
    bool testMode = false;
    std::size_t testKeyProgress = 0;
    std::size_t eepromKeyProgress = 0;
    unsigned eepromPrograms = 0;
    bool lowPowerRequested = false;  // LPM bit 0 written as 1
    bool lowPowerMode = false;
    bool limpHomeInput = false;
    bool directInput = false;
    uint16_t selfTestFailures = 0;
    std::vector<Injection> injections;
    std::array<std::optional<std::chrono::milliseconds>, 2> overloadUntil{};
    std::array<std::optional<std::chrono::milliseconds>, 2> shortUntil{};  // timed shorts only
    std::array<ChannelProtection, 2> protection{};
    std::chrono::milliseconds lastFrame{0};  // watchdog: time of the last SPI frame
    std::chrono::milliseconds periodicReads{0};
};
