#include "emulator/SwitchChip.h"

#include <algorithm>
#include <cmath>

namespace {

using std::chrono::milliseconds;

// DEV_FAULT bits.
constexpr uint16_t kVbbUvlo = 1u << 0;
constexpr uint16_t kVbbUvWarning = 1u << 1;
constexpr uint16_t kVddUvlo = 1u << 2;
constexpr uint16_t kWatchdog = 1u << 3;
constexpr uint16_t kSpiError = 1u << 4;
constexpr uint16_t kPowerOnReset = 1u << 6;
constexpr uint16_t kLimpHome = 1u << 7;
constexpr uint16_t kGlobalFault = 1u << 8;
constexpr uint16_t kInLowPowerMode = 1u << 11;
constexpr uint16_t kDeviceFaultBits =
    kVbbUvlo | kVbbUvWarning | kVddUvlo | kWatchdog | kSpiError | kPowerOnReset | kLimpHome;

// CHx_FAULT bits.
constexpr uint16_t kThermalWarning = 1u << 0;
constexpr uint16_t kOpenLoadOff = 1u << 2;
constexpr uint16_t kShortToVbb = 1u << 3;
constexpr uint16_t kCurrentLimit = 1u << 4;
constexpr uint16_t kThermalShutdown = 1u << 5;
constexpr uint16_t kLpmWakeUp = 1u << 6;
constexpr uint16_t kI2tFault = 1u << 7;
constexpr uint16_t kI2tAccumulating = 1u << 12;  // 18-pin only
constexpr uint16_t kChannelFaultBits = 0x00FF;

constexpr uint16_t kValidSample = 1u << 10;
constexpr double kUvloVolts = 4.5;
constexpr double kUvWarningVolts = 6.0;

// Watchdog timeout by DEV_CONFIG bits 1-2 (0.4 ms rounds up to the clock's 1 ms).
constexpr std::array<milliseconds, 4> kWatchdogTimeouts{milliseconds(1), milliseconds(400), milliseconds(800),
                                                        milliseconds(1200)};

// Cooldown by I2T_CONFIG bits 14-15; index 0 latches.
constexpr std::array<double, 4> kCooldownSeconds{0.0, 0.8, 2.0, 4.0};
// 18-pin decrement factor by I2T_CONFIG bits 11-12.
constexpr std::array<double, 4> kDecrementFactors{0.25, 0.5, 1.0, 2.0};

// Hardware current limit by ILIM_CONFIG bits 0-3.
constexpr std::array<double, 13> kCurrentLimitAmps{10, 12.5, 15, 17.5, 20, 22.5, 25,
                                                   32.5, 40, 47.5, 55, 62.5, 70};

bool bit(uint16_t word, unsigned n) { return ((static_cast<unsigned>(word) >> n) & 1u) != 0; }

// Register field of `width` bits from bit `shift` up.
unsigned field(uint16_t word, unsigned shift, unsigned width) {
    return (static_cast<unsigned>(word) >> shift) & ((1u << width) - 1u);
}

uint16_t adcCode(double value) {
    const double code = std::round(value);
    return static_cast<uint16_t>(std::clamp(code, 0.0, 1023.0)) | kValidSample;
}

}  // namespace

SwitchChip::SwitchChip(uint16_t code, milliseconds at)
    : devid(code),
      chipPart(chipPartForCode(code)),
      map(registerMapFor(chipPart.family)),
      load(chipPart.onResistanceOhm),
      now(at) {
    // Factory trim of this die: fixed per part, back at every power-up (a
    // test-mode write changes it only until then).
    for (unsigned a = ChipRegisterMap::kTrimFirst; a <= ChipRegisterMap::kTrimLast; ++a)
        eepromImage[a] = static_cast<uint16_t>((devid * 0x9E37u + a * 0x0101u) & 0x0FFF);
    powerUp();
}

void SwitchChip::powerUp() {
    regs = eepromImage;
    devFaultLatched = kPowerOnReset;
    channelFaultLatched = {};
    asleep = false;
    testMode = false;
    testKeyProgress = 0;
    eepromKeyProgress = 0;
    lowPowerRequested = false;
    lowPowerMode = false;
    lastFrame = now;
    load.reset();
    for (ChannelProtection& p : protection) p.powerUp();
    applyPins();
}

// --- SPI ---------------------------------------------------------------

uint16_t SwitchChip::read(uint8_t address) {
    if (asleep) return 0;
    lastFrame = now;
    const uint16_t value = registerValue(address);
    if (address == map.devFault) devFaultLatched &= static_cast<uint16_t>(~(kPowerOnReset | kWatchdog));
    for (int n = 0; n < 2; ++n) {
        if (address == map.channels[channelSlot(n)].fault)
            channelFaultLatched[channelSlot(n)] &= static_cast<uint16_t>(~kLpmWakeUp);
    }
    return value;
}

void SwitchChip::write(uint8_t address, uint16_t value) {
    if (asleep) {
        if (address == ChipRegisterMap::kWake && value == kWakeWord) powerUp();
        return;
    }
    lastFrame = now;
    if (address == map.devFault) {
        if (value & kLimpHome) devFaultLatched &= static_cast<uint16_t>(~kLimpHome);
        if (value & kPowerOnReset) devFaultLatched &= static_cast<uint16_t>(~kPowerOnReset);
        applyPins();  // limp home latches again while LHI stays high
    } else if (address == map.sleep) {
        if (value & 1u) asleep = true;
    } else if (address == ChipRegisterMap::kTestModeKey) {
        acceptKeyWord(kTestModeKey, testKeyProgress, value);
        if (testKeyProgress == kTestModeKey.size()) {
            testMode = true;
            testKeyProgress = 0;
        }
    } else if (address == ChipRegisterMap::kTestControl || ChipRegisterMap::isTestModeRegister(address)) {
        if (testMode) regs[address] = value;
    } else if (map.eepromProgram && address == *map.eepromProgram) {
        acceptKeyWord(kEepromKey, eepromKeyProgress, value);
        if (eepromKeyProgress == kEepromKey.size()) {
            eepromKeyProgress = 0;
            ++eepromPrograms;
            for (std::size_t a = 0; a < regs.size(); ++a) {
                const auto address8 = static_cast<uint8_t>(a);
                if (map.isConfigurationRegister(address8) && address8 != map.swState) eepromImage[a] = regs[a];
            }
        }
    } else if (map.isConfigurationRegister(address)) {
        writeConfiguration(address, value);
    }
    // Everything else (read-only and unmapped registers, WAKE while awake) is ignored.
}

void SwitchChip::acceptKeyWord(const std::array<uint16_t, 4>& key, std::size_t& progress, uint16_t value) {
    if (value == key[progress]) {
        ++progress;
    } else {
        progress = value == key[0] ? 1 : 0;
    }
}

void SwitchChip::writeConfiguration(uint8_t address, uint16_t value) {
    const uint16_t previous = regs[address];
    regs[address] = value;
    for (int n = 0; n < 2; ++n) {
        // Latch reset: bit 14 pulsed while the channel is switched off.
        if (address == map.channels[channelSlot(n)].i2t && !bit(previous, 14) && bit(value, 14) &&
            !bit(regs[map.swState], static_cast<unsigned>(n)))
            protection[channelSlot(n)].resetLatch();
    }
    if (address == map.swState) {
        // Switching a channel off is what releases a latched shutdown.
        for (int n = 0; n < 2; ++n) {
            if (!bit(value, static_cast<unsigned>(n))) load.releaseLatch(n);
        }
    } else if (address == map.lpm) {
        // Writing bit 0 as 1 asks for LPM again, also after a wake-up.
        lowPowerRequested = bit(value, 0);
    }
    updateLowPowerMode();
}

uint16_t SwitchChip::peek(uint8_t address) const { return registerValue(address); }

void SwitchChip::poke(uint8_t address, uint16_t value) {
    if (address == map.devFault) {
        devFaultLatched = value & static_cast<uint16_t>(~(kGlobalFault | kInLowPowerMode));
    } else if (address == map.channels[0].fault) {
        channelFaultLatched[0] = value;
    } else if (address == map.channels[1].fault) {
        channelFaultLatched[1] = value;
    } else if (map.isConfigurationRegister(address) || address == ChipRegisterMap::kTestControl ||
               ChipRegisterMap::isTestModeRegister(address)) {
        regs[address] = value;
        updateLowPowerMode();
    }
}

uint16_t SwitchChip::registerValue(uint8_t address) const {
    if (address == ChipRegisterMap::kDevId) return devid;
    if (address == map.devFault) return deviceFaultWord();
    if (address == map.channels[0].fault) return channelFaultWord(0);
    if (address == map.channels[1].fault) return channelFaultWord(1);
    if (address == map.abistResult) return abistResultWord();
    if (address == ChipRegisterMap::kTestControl || ChipRegisterMap::isTestModeRegister(address))
        return testMode ? regs[address] : 0;
    if (auto sample = measurement(address)) return *sample;
    if (map.isConfigurationRegister(address)) return regs[address];
    return 0;  // SLEEP, WAKE, the key registers and unmapped addresses read 0
}

// --- Fault status ------------------------------------------------------

uint16_t SwitchChip::injectedBits(FaultRegister reg, bool suppressed) const {
    uint16_t bits = 0;
    for (const Injection& i : injections) {
        if (i.reg == reg && i.suppress == suppressed && (!i.until || *i.until > now)) bits |= i.bits;
    }
    return bits;
}

uint16_t SwitchChip::applyInjections(FaultRegister reg, uint16_t word) const {
    return static_cast<uint16_t>((word | injectedBits(reg, false)) & ~injectedBits(reg, true));
}

uint16_t SwitchChip::channelFaultWord(int channel) const {
    uint16_t word = channelFaultLatched[channelSlot(channel)];
    const ChannelReading r = reading(channel);
    if (r.limiting) word |= kCurrentLimit;
    if (load.junctionTemperature(channel) >= ChipLoadModel::kThermalWarningC) word |= kThermalWarning;
    if (load.isThermallyShutDown(channel)) word |= kThermalShutdown;
    if (!r.conducting && r.openLoad && !asleep) word |= kOpenLoadOff;
    if (!r.conducting && r.shortedToSupply && !asleep) word |= kShortToVbb;
    if (protection[channelSlot(channel)].holdsOff()) word |= kI2tFault;
    if (chipPart.family == ChipFamily::Pin18 &&
        ChannelProtection::isAccumulating(protectionSettings(channel), protectionInput(channel, drive(channel))))
        word |= kI2tAccumulating;
    return applyInjections(channel == 0 ? FaultRegister::Channel1 : FaultRegister::Channel2, word);
}

bool SwitchChip::hasUnmaskedFault(uint16_t deviceWord) const {
    const uint16_t mask = regs[map.faultMask];
    uint16_t device = static_cast<uint16_t>(deviceWord & kDeviceFaultBits);
    if (bit(mask, 0)) device &= static_cast<uint16_t>(~kVbbUvlo);
    if (bit(mask, 1)) device &= static_cast<uint16_t>(~kWatchdog);
    if (bit(mask, 2)) device &= static_cast<uint16_t>(~kSpiError);
    if (device != 0) return true;
    for (int n = 0; n < 2; ++n) {
        uint16_t ch = static_cast<uint16_t>(channelFaultWord(n) & kChannelFaultBits);
        if (bit(mask, 4)) ch &= static_cast<uint16_t>(~kOpenLoadOff);
        if (bit(mask, 5)) ch &= static_cast<uint16_t>(~kShortToVbb);
        if (bit(mask, 6)) ch &= static_cast<uint16_t>(~kCurrentLimit);
        if (ch != 0) return true;
    }
    return false;
}

uint16_t SwitchChip::deviceFaultWord() const {
    uint16_t word = devFaultLatched;
    const double vbb = load.supplyVoltage();
    if (vbb < kUvloVolts) word |= kVbbUvlo;
    if (vbb < kUvWarningVolts) word |= kVbbUvWarning;
    if (lowPowerMode) word |= kInLowPowerMode;
    word = applyInjections(FaultRegister::Device, word);
    // The summary follows the other bits unless a test forces it itself.
    if (hasUnmaskedFault(word)) word |= kGlobalFault;
    return applyInjections(FaultRegister::Device, word);
}

uint16_t SwitchChip::abistResultWord() const {
    if (!chipPart.safetyVariant || !map.safetyTest) return 0;
    const uint16_t running = regs[*map.safetyTest];
    // SAFETY_TEST bit -> ABIST_RESULT bit; the current test reports in bit 5.
    uint16_t tested = static_cast<uint16_t>(running & 0x000F);
    if (bit(running, 4)) tested |= 1u << 5;
    tested |= 1u << 4;  // the OTP check runs at every power-up
    return static_cast<uint16_t>(tested & selfTestFailures & 0x003F);
}

bool SwitchChip::isFaultOutputAsserted() const {
    return !asleep && (deviceFaultWord() & kGlobalFault) != 0;
}

uint8_t SwitchChip::statusByte() const {
    if (asleep) return 0;
    uint8_t status = 0;
    const uint16_t device = deviceFaultWord();
    if (device & kGlobalFault) status |= 0x01;
    if (channelFaultWord(0) & kChannelFaultBits) status |= 0x02;
    if (channelFaultWord(1) & kChannelFaultBits) status |= 0x04;
    if (device & kInLowPowerMode) status |= 0x08;
    return status;
}

void SwitchChip::injectFault(FaultRegister reg, uint16_t bits, std::optional<milliseconds> until, bool suppress) {
    injections.push_back({reg, bits, until, suppress});
}

void SwitchChip::clearInjectedFault(FaultRegister reg, uint16_t bits) {
    for (Injection& i : injections) {
        if (i.reg == reg) i.bits &= static_cast<uint16_t>(~bits);
    }
    std::erase_if(injections, [](const Injection& i) { return i.bits == 0; });
}

// --- Measurements ------------------------------------------------------

std::optional<uint16_t> SwitchChip::measurement(uint8_t address) const {
    const uint16_t adc = regs[map.adcConfig];
    const bool adcOn = !bit(adc, 0);
    if (address == map.supplyResult) {
        if (!adcOn || bit(adc, 1)) return uint16_t{0};
        return adcCode(load.supplyVoltage() * 1705.341 / 50.904);
    }
    for (int n = 0; n < 2; ++n) {
        const ChannelRegisters& ch = map.channels[channelSlot(n)];
        const uint16_t config = regs[ch.config];
        if (address == ch.currentResult) {
            if (!adcOn || bit(adc, 2) || bit(config, 13)) return uint16_t{0};
            // Open-load scaling switches the sense mirror to its second ratio.
            const double ratio = bit(config, 9) ? chipPart.senseRatioScaled : chipPart.senseRatio;
            return adcCode(reading(n).current * kSenseResistorOhm * 1023.0 / (ratio * 2.8));
        }
        if (address == ch.temperatureResult) {
            if (!adcOn || bit(adc, 3)) return uint16_t{0};
            return adcCode((381.367 - load.junctionTemperature(n)) / 0.75157);
        }
        if (address == ch.outputVoltageResult) {
            if (!adcOn || bit(adc, 4) || bit(config, 15)) return uint16_t{0};
            return adcCode(reading(n).outputVoltage * 1705.341 / 50.092);
        }
        if (address == ch.vdsResult) {
            if (!adcOn || bit(adc, 5) || bit(config, 14)) return uint16_t{0};
            return adcCode(reading(n).vds * 288.267 + 24.0);
        }
    }
    return std::nullopt;
}

// --- Outputs and low-power mode ---------------------------------------

bool SwitchChip::commandedOn(int channel) const {
    const auto n = static_cast<unsigned>(channel);
    if (limpHomeInput) {
        // Limp home: each channel follows its LHI behaviour setting.
        switch (field(regs[map.devConfig], 7 + 2 * n, 2)) {
        case 0: return directInput;
        case 1: return bit(regs[map.swState], n);
        case 2: return false;
        default: return true;
        }
    }
    return bit(regs[map.swState], n);
}

ProtectionSettings SwitchChip::protectionSettings(int channel) const {
    const ChannelRegisters& ch = map.channels[channelSlot(channel)];
    const uint16_t i2t = regs[ch.i2t];
    const WireProtectionTables& tables = chipPart.protection;
    const bool pin18 = chipPart.family == ChipFamily::Pin18;
    const bool decrementer = pin18 && bit(i2t, 13);
    ProtectionSettings s;
    s.enabled = bit(regs[ch.currentLimit], 11);
    s.nominalAmps = tables.nominalAmps[field(i2t, 0, 3)];
    s.tripEnergy = (decrementer ? tables.tripEnergyDecrementerOn : tables.tripEnergy)[field(i2t, 3, 4)];
    s.softwareLimitAmps = tables.softwareLimitAmps[field(i2t, 7, 2)];
    s.softwareDelaySeconds = tables.softwareDelayMs[field(i2t, 9, 2)] / 1000.0;
    const unsigned cooldown = field(i2t, 14, 2);
    if (cooldown != 0) s.cooldownSeconds = kCooldownSeconds[cooldown];
    // 16-pin parts always let the integrator fall; 18-pin ones only with the decrementer on.
    if (!pin18) s.decrementFactor = 1.0;
    if (decrementer) s.decrementFactor = kDecrementFactors[field(i2t, 11, 2)];
    return s;
}

ProtectionInput SwitchChip::protectionInput(int channel, const ChannelDrive& d) const {
    const ChannelReading r = load.reading(channel, d);
    return {r.conducting, r.peakCurrent, r.peakCurrent * r.peakCurrent * d.duty};
}

double SwitchChip::i2tLevel(int channel) const {
    const double trip = protectionSettings(channel).tripEnergy;
    return trip > 0.0 ? protection[channelSlot(channel)].integrator() / trip : 0.0;
}

bool SwitchChip::isHeldOffByProtection(int channel) const { return protection[channelSlot(channel)].holdsOff(); }

ChannelDrive SwitchChip::drive(int channel) const {
    const ChannelRegisters& ch = map.channels[channelSlot(channel)];
    ChannelDrive d;
    d.switchedOn = !asleep && load.supplyVoltage() >= kUvloVolts && commandedOn(channel) &&
                   !protection[channelSlot(channel)].holdsOff();
    const std::size_t limitIndex = std::min<std::size_t>(field(regs[ch.currentLimit], 0, 4), kCurrentLimitAmps.size() - 1);
    d.currentLimitAmps = kCurrentLimitAmps[limitIndex];
    const uint16_t pwm = regs[ch.pwm];
    d.duty = bit(pwm, 0) ? (field(pwm, 1, 8) + 1.0) / 256.0 : 1.0;
    // CHx_CONFIG bit 2 selects latch (16-pin: 1, 18-pin: 0) or auto-retry.
    const bool bit2 = bit(regs[ch.config], 2);
    d.latchOnShutdown = chipPart.family == ChipFamily::Pin16 ? bit2 : !bit2;
    return d;
}

double SwitchChip::lowPowerThreshold(int channel) const {
    const uint16_t lpm = regs[map.lpm];
    const auto n = static_cast<unsigned>(channel);
    if (chipPart.family == ChipFamily::Pin16) return chipPart.lpmSmallFetAmps[field(lpm, 3 + 2 * n, 2)];
    const auto& table = bit(lpm, 1) ? chipPart.lpmLargeFetAmps : chipPart.lpmSmallFetAmps;
    return table[field(lpm, 4 + 2 * n, 2)];
}

bool SwitchChip::autoLowPowerBit(int channel) const {
    const unsigned first = chipPart.family == ChipFamily::Pin16 ? 1u : 2u;
    return bit(regs[map.lpm], first + static_cast<unsigned>(channel));
}

void SwitchChip::updateLowPowerMode() {
    if (asleep) return;
    std::array<bool, 2> above{};
    std::array<bool, 2> conducting{};
    for (int n = 0; n < 2; ++n) {
        const ChannelReading r = reading(n);
        conducting[channelSlot(n)] = r.conducting;
        above[channelSlot(n)] = r.conducting && r.current > lowPowerThreshold(n);
    }
    bool autoEntry = bit(regs[map.devConfig], 5);
    for (int n = 0; n < 2; ++n) {
        if (conducting[channelSlot(n)] && (!autoLowPowerBit(n) || above[channelSlot(n)])) autoEntry = false;
    }
    if (!lowPowerMode && (lowPowerRequested || autoEntry)) lowPowerMode = true;
    if (lowPowerMode && !lowPowerRequested && !autoEntry && !above[0] && !above[1]) lowPowerMode = false;
    if (lowPowerMode && (above[0] || above[1])) {
        // A load above the threshold wakes the chip up.
        for (int n = 0; n < 2; ++n) {
            if (above[channelSlot(n)]) channelFaultLatched[channelSlot(n)] |= kLpmWakeUp;
        }
        lowPowerMode = false;
        lowPowerRequested = false;
    }
}

void SwitchChip::applyPins() {
    if (limpHomeInput && !asleep) devFaultLatched |= kLimpHome;
    updateLowPowerMode();
}

void SwitchChip::setLimpHomeInput(bool high) {
    limpHomeInput = high;
    applyPins();
}

void SwitchChip::setDirectInput(bool high) {
    directInput = high;
    applyPins();
}

void SwitchChip::setSupplyVoltage(double volts) {
    load.setSupplyVoltage(volts);
    updateLowPowerMode();
}

void SwitchChip::setAmbientTemperature(double celsius) { load.setAmbientTemperature(celsius); }

void SwitchChip::setLoadResistance(int channel, double ohms) {
    load.setLoadResistance(channel, ohms);
    updateLowPowerMode();
}

void SwitchChip::overload(int channel, milliseconds until) {
    overloadUntil[channelSlot(channel)] = until;
    load.setOverloaded(channel, until > now);
}

void SwitchChip::shortToSupply(int channel, std::optional<milliseconds> until) {
    shortUntil[channelSlot(channel)] = until;
    load.setShortedToSupply(channel, !until || *until > now);
    updateLowPowerMode();
}

void SwitchChip::endShortToSupply(int channel) {
    shortUntil[channelSlot(channel)].reset();
    load.setShortedToSupply(channel, false);
    updateLowPowerMode();
}

// --- Time --------------------------------------------------------------

std::optional<milliseconds> SwitchChip::nextEvent() const {
    std::optional<milliseconds> next;
    const auto consider = [&](milliseconds at) {
        if (at > now && (!next || at < *next)) next = at;
    };
    for (std::size_t n = 0; n < 2; ++n) {
        if (overloadUntil[n]) consider(*overloadUntil[n]);
        if (shortUntil[n]) consider(*shortUntil[n]);
        const int channel = static_cast<int>(n);
        if (auto in = protection[n].secondsToNextEvent(protectionSettings(channel), protectionInput(channel, drive(channel)))) {
            // Rounded up to the clock's milliseconds: the step that reaches it trips.
            const auto ms = static_cast<milliseconds::rep>(std::ceil(*in * 1000.0 - 1e-6));
            consider(now + std::max(milliseconds(1), milliseconds(ms)));
        }
    }
    return next;
}

void SwitchChip::stepModel(milliseconds until) {
    while (now < until) {
        const auto limit = std::chrono::duration<double>(load.maxStepSeconds());
        milliseconds step = std::max(milliseconds(1), std::chrono::duration_cast<milliseconds>(limit));
        step = std::min(step, until - now);
        if (auto event = nextEvent()) step = std::min(step, *event - now);
        const std::array<ChannelDrive, 2> held = drives();
        const double seconds = std::chrono::duration<double>(step).count();
        for (int n = 0; n < 2; ++n)
            protection[channelSlot(n)].step(seconds, protectionSettings(n), protectionInput(n, held[channelSlot(n)]));
        load.step(seconds, held);
        now += step;
        for (int n = 0; n < 2; ++n) {
            const auto& end = overloadUntil[channelSlot(n)];
            if (end && *end <= now) {
                load.setOverloaded(n, false);
                overloadUntil[channelSlot(n)].reset();
            }
            const auto& shortEnd = shortUntil[channelSlot(n)];
            if (shortEnd && *shortEnd <= now) endShortToSupply(n);
        }
        updateLowPowerMode();
    }
}

void SwitchChip::checkWatchdog() {
    const uint16_t config = regs[map.devConfig];
    if (asleep || !bit(config, 3)) return;
    const milliseconds timeout = kWatchdogTimeouts[field(config, 1, 2)];
    if (periodicReads > milliseconds::zero() && periodicReads <= timeout) {
        lastFrame = now;  // the board's sampling keeps it fed
        return;
    }
    if (now - lastFrame > timeout) devFaultLatched |= kWatchdog;
}

void SwitchChip::advanceTo(milliseconds at) {
    if (at > now) stepModel(at);
    checkWatchdog();
    std::erase_if(injections, [this](const Injection& i) { return i.until && *i.until <= now; });
}
