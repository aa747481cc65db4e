#pragma once
// An emulated VELMARA-BOARD carrier board with a switch chip on its daughter
// card. It takes the HID feature reports the tool writes, relays register
// traffic to the chip model and prepares the reply reports the tool reads.
//
// Reply reports (byte 0 is the report ID):
//   0x3C single read  : 3C, address, value high, value low, status, CRC, 0
//   0x3D mixed read   : 3D, (value high, value low) x count, zero fill,
//                       byte 61 status, byte 62 CRC
//   0x3E poll read    : 3E, six sampled words high byte first
//   0x3B board service: 3B, 0, answer from byte 2 (firmware version low byte
//                       first; GPIO level 0/1 then the GPIO index), zero fill
// A reply is ready for the next read of its ID once its command is written,
// and is used up by a successful read. Reading an ID with nothing ready gives
// byte 0 = 0 ("not ready"). The poll-read reply is always the latest sample
// set, ready from the first sample on, and is not used up.
//
// Command reports with a wrong magic, an unknown code, a payload shorter than
// the code needs or a list count over its capacity are ignored, as are
// writes to report IDs other than 0x3F; the write itself still succeeds.
// DFU entry makes the board leave: it unplugs itself until plug().
//
// Status byte: the chip's fault summary at the start of the command (before
// any clear-on-read of that command), bit 0 global fault
// (DEV_FAULT bit 8), bit 1 channel 1 faulted, bit 2 channel 2 faulted, bit 3
// chip in low-power mode. 0 when no chip answers (no card, or asleep).
//
// CRC byte: 0 while the board's SPI CRC is off. While on, CRC-8 with
// polynomial 0x1D, initial value 0xFF and final XOR 0xFF (SAE J1850) over the
// reply bytes before it: bytes 1-4 of a single read, bytes 1-61 of a mixed
// read.
//
// Without a daughter card, and while the chip sleeps, the SPI bus reads
// 0x0000 (MISO is pulled low) and writes go nowhere.
//
// GPIO lines: 0 a plain output; 1 drives the chip's LHI input; 2 its DI
// input; 3 reads the chip's FAULT output (active low, pulled high without a
// card). Writes to line 3 and to lines above 3 are ignored.
//
// Sense engine: the interval byte is in milliseconds; the first sample is
// taken when sampling is configured, then one per interval.
//
// Time comes from a BoardClock; the default is the steady clock. Pass a
// ManualBoardClock to step time by hand in tests.
//
// Thread-safe: every public function takes one internal mutex; the presence
// listener is called outside it.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "emulator/BoardClock.h"
#include "emulator/ChipParts.h"
#include "emulator/ReplyFrames.h"
#include "emulator/SwitchChip.h"

struct FeatureTransfer {  // one entry of the transfer trace
    enum class Kind { Write, Read } kind;
    uint8_t reportId;
    std::vector<uint8_t> bytes;  // as written, or as returned by the read
    bool ok;                     // false: the transfer failed
};

class EmulatedBoard {
public:
    static constexpr std::nullopt_t kNoChip = std::nullopt;
    static constexpr uint16_t kDefaultDeviceId = 0xFFF0;  // ZVR2M08A-K1
    static constexpr uint16_t kDefaultFirmwareVersion = 0x20B0;
    static constexpr uint16_t kFeatureReportLength = 64;  // report ID included

    // devid: the DEVID code of the fitted part (listed or not); nullopt: no
    // daughter card. clock: nullptr selects the steady clock.
    explicit EmulatedBoard(std::optional<uint16_t> devid = kDefaultDeviceId,
                           std::shared_ptr<BoardClock> clock = nullptr);
    ~EmulatedBoard();
    EmulatedBoard(const EmulatedBoard&) = delete;
    EmulatedBoard& operator=(const EmulatedBoard&) = delete;

    // USB identity.
    uint16_t vendorId() const;
    uint16_t productId() const;
    uint16_t featureReportLength() const;
    std::string manufacturer() const;
    std::string product() const;
    std::string serialNumber() const;
    void setSerialNumber(std::string serial);

    // HID side. false = the transfer failed (board unplugged, injected failure,
    // null or empty buffer). data[0] is the report ID.
    bool setFeature(const uint8_t* data, std::size_t length);
    // Fills length bytes: the reply of the report ID in data[0] (zero filled
    // past its end), or byte 0 = 0 when none is ready.
    bool getFeature(uint8_t* data, std::size_t length);

    // Presence. unplug makes every transfer fail until plug(). Plugging is a
    // power-up: board services and chip restart, the flash store and the
    // firmware version survive. The listener (may be empty) is called with
    // true on plug, false on unplug, outside the lock, only on a change.
    bool isPlugged() const;
    void plug();
    void unplug();
    // The cable pulled in the middle of a host's sequence: after n more
    // command reports have been carried out (0: cancels a pending pull).
    void unplugAfterCommands(unsigned n);
    void setPresenceListener(std::function<void(bool plugged)> listener);

    // Transfer trace, oldest first; keeps the newest `capacity` entries.
    std::vector<FeatureTransfer> trace() const;
    void clearTrace();
    void setTraceCapacity(std::size_t capacity);

    // Chip access for tests and demos. peek reads what the register holds now
    // without side effects (no clear-on-read), also while the chip sleeps;
    // poke stores a word bypassing SPI rules (on fault registers it sets the
    // latched bits). Both do nothing / read 0 without a card.
    uint16_t peekRegister(uint8_t address) const;
    void pokeRegister(uint8_t address, uint16_t value);

    // Daughter card.
    std::optional<uint16_t> deviceId() const;  // nullopt: no card
    // Swaps the card (nullopt removes it); the new chip powers up.
    void setDeviceId(std::optional<uint16_t> devid);
    std::optional<ChipFamily> chipFamily() const;
    bool isChipAsleep() const;
    bool isChipInTestMode() const;
    bool isChipInLowPowerMode() const;
    unsigned eepromProgramCount() const;  // completed EEPROM key sequences

    // Chip surroundings (load model). They belong to the bench, not the
    // card: a card fitted later finds them as they were set.
    void setSupplyVoltage(double volts);  // default 13.5 V
    double supplyVoltage() const;
    void setAmbientTemperature(double celsius);  // default 25 degrees C
    double ambientTemperature() const;
    // channel 0 or 1; ohms <= 0 or infinite means an open load. Connecting a
    // load ends a short to VBB on the channel.
    void setLoadResistance(int channel, double ohms);  // defaults 4.5 / 6.75
    double loadResistance(int channel) const;
    // ABIST_RESULT bits of the self-tests that report a fault when run.
    void setSelfTestFailures(uint16_t abistBits);
    uint16_t selfTestFailures() const;
    double junctionTemperature(int channel) const;
    double loadCurrent(int channel) const;
    // The channel's I2T integrator as a fraction of its trip energy (1 once
    // tripped), and whether its protection holds it off; 0 / false without
    // a card.
    double i2tLevel(int channel) const;
    bool isHeldOffByProtection(int channel) const;

    // Board services.
    uint16_t firmwareVersion() const;
    void setFirmwareVersion(uint16_t version);
    bool isCrcEnabled() const;
    bool gpioLevel(uint8_t index) const;  // false for lines above 3
    unsigned dfuEntryCount() const;
    std::vector<uint8_t> senseAddresses() const;
    uint8_t senseInterval() const;
    std::vector<std::pair<uint8_t, uint16_t>> flashStore() const;
    // Replaces the flash store, as a board that kept it across a restart.
    void setFlashStore(std::vector<std::pair<uint8_t, uint16_t>> store);
    // Called with the new store after every flash write or erase, outside
    // the lock (may be empty).
    void setFlashListener(std::function<void(const std::vector<std::pair<uint8_t, uint16_t>>&)> listener);

    // Fault injection. duration zero or negative: until cleared.
    void injectFault(FaultRegister reg, uint16_t bits,
                     std::chrono::milliseconds duration = std::chrono::milliseconds::zero());
    // The bits read as clear for the duration, whatever the chip reports.
    void suppressFault(FaultRegister reg, uint16_t bits,
                       std::chrono::milliseconds duration = std::chrono::milliseconds::zero());
    // Ends injections and suppressions of these bits.
    void clearInjectedFault(FaultRegister reg, uint16_t bits);
    // A near short on the channel's output for the duration: the current
    // limit engages while the channel is on, the junction heats up to thermal
    // warning and shutdown; everything recovers once the overload ends.
    void overloadChannel(int channel, std::chrono::milliseconds duration);
    bool isOverloaded(int channel) const;
    // The channel's output shorted to VBB for the duration (zero or
    // negative: until endShortToSupply or a new load).
    void shortToSupply(int channel, std::chrono::milliseconds duration = std::chrono::milliseconds::zero());
    void endShortToSupply(int channel);
    bool isShortedToSupply(int channel) const;
    // The next n reads answer byte 0 = 0 and keep their reply pending.
    void makeNextRepliesNotReady(unsigned n);
    void failNextWrites(unsigned n);
    void failNextReads(unsigned n);
    // A flaky link, for soak tests: from now on every write fails, every
    // read fails, and every read that gets through finds no reply ready,
    // each with its own chance (0 to 1), drawn from a generator seeded with
    // seed. A failed write is not carried out; a failed or not-ready read
    // keeps its reply pending, as above. All chances 0: a sound link again.
    struct LinkTrouble {
        double failedWrites = 0.0;
        double failedReads = 0.0;
        double notReadyReplies = 0.0;
        uint32_t seed = 1;
    };
    void setLinkTrouble(const LinkTrouble& trouble);

private:
    struct SenseEngine {
        std::vector<uint8_t> addresses;
        uint8_t interval = 0;
        std::chrono::milliseconds nextSample{0};
        std::array<uint16_t, 6> words{};
        bool sampled = false;
    };

    std::chrono::milliseconds catchUp() const;
    void runUntilLocked(std::chrono::milliseconds until) const;
    void takeSenseSampleLocked() const;
    void powerUpLocked();
    void record(FeatureTransfer::Kind kind, uint8_t reportId, const uint8_t* data,
                std::size_t length, bool ok);
    void handleCommand(const uint8_t* report, std::size_t length, bool& leaves, bool& flashChanged);
    void applySurroundingsLocked();
    void handleServiceRequest(const uint8_t* payload, bool& leaves);
    std::chrono::milliseconds sensePeriod() const;
    uint16_t spiRead(uint8_t address) const;
    void spiWrite(uint8_t address, uint16_t value);
    uint8_t statusByte() const;
    bool gpioLevelLocked(uint8_t index) const;
    void setPluggedAndNotify(bool plugged);

    mutable std::mutex mutex;
    std::shared_ptr<BoardClock> clock;
    std::unique_ptr<SwitchChip> chip;  // null: no daughter card
    std::string serial = "VB-0001";
    bool plugged = true;
    std::function<void(bool)> presenceListener;

    // Board services.
    uint16_t firmware = kDefaultFirmwareVersion;
    bool crcEnabled = false;
    std::array<bool, 4> gpioOut{};
    unsigned dfuEntries = 0;
    mutable SenseEngine sense;
    std::vector<std::pair<uint8_t, uint16_t>> flash;
    std::function<void(const std::vector<std::pair<uint8_t, uint16_t>>&)> flashListener;

    struct Surroundings {
        double supplyVolts = 13.5;
        double ambientC = 25.0;
        std::array<double, 2> loadOhms{4.5, 6.75};
        uint16_t selfTestFailures = 0;
    } bench;
    PendingReplies replies;

    // Link trouble to simulate.
    unsigned notReadyReplies = 0;
    unsigned failingWrites = 0;
    unsigned failingReads = 0;
    LinkTrouble trouble;
    std::mt19937 troubleDice;
    bool troubleStrikes(double chance);

    std::deque<FeatureTransfer> transfers;
    std::size_t traceCapacity = 100000;
    unsigned commandsBeforeUnplug = 0;  // 0: no pull pending
};
