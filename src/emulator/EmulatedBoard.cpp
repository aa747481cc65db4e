#include "emulator/EmulatedBoard.h"

#include <algorithm>
#include <cstring>

#include "protocol/HSSConstants.h"

namespace {

using std::chrono::milliseconds;

constexpr uint8_t kGpioLimpHome = 1;
constexpr uint8_t kGpioDirectInput = 2;
constexpr uint8_t kGpioFault = 3;

uint16_t littleEndianWord(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

bool hasCommandMagic(const uint8_t* report) {
    return littleEndianWord(report + 1) == (HSS_USB_CMD & 0xFFFFu) &&
           littleEndianWord(report + 3) == (HSS_USB_CMD >> 16);
}

}  // namespace

EmulatedBoard::EmulatedBoard(std::optional<uint16_t> devid, std::shared_ptr<BoardClock> boardClock)
    : clock(boardClock ? std::move(boardClock) : std::make_shared<SteadyBoardClock>()) {
    if (devid) {
        chip = std::make_unique<SwitchChip>(*devid, clock->now());
        applySurroundingsLocked();
    }
}

void EmulatedBoard::applySurroundingsLocked() {
    if (!chip) return;
    chip->setSupplyVoltage(bench.supplyVolts);
    chip->setAmbientTemperature(bench.ambientC);
    for (int n = 0; n < 2; ++n) chip->setLoadResistance(n, bench.loadOhms[static_cast<std::size_t>(n)]);
    chip->setSelfTestFailures(bench.selfTestFailures);
}

EmulatedBoard::~EmulatedBoard() = default;

// --- Identity ------------------------------------------------------------

uint16_t EmulatedBoard::vendorId() const { return hss::kBoardVendorId; }
uint16_t EmulatedBoard::productId() const { return hss::kBoardProductId; }
uint16_t EmulatedBoard::featureReportLength() const { return kFeatureReportLength; }
std::string EmulatedBoard::manufacturer() const { return "Keldor"; }
std::string EmulatedBoard::product() const { return "VELMARA-BOARD"; }

std::string EmulatedBoard::serialNumber() const {
    std::lock_guard lock(mutex);
    return serial;
}

void EmulatedBoard::setSerialNumber(std::string value) {
    std::lock_guard lock(mutex);
    serial = std::move(value);
}

// --- Time ----------------------------------------------------------------

// Time passing is not a change the caller asked for, so const readers catch
// the board up too: sense samples and chip state are brought to "now" lazily.
milliseconds EmulatedBoard::catchUp() const {
    const milliseconds now = clock->now();
    runUntilLocked(now);
    return now;
}

void EmulatedBoard::runUntilLocked(milliseconds until) const {
    if (sense.interval != 0 && sense.nextSample <= until) {
        // Only the newest sample can still be fetched, so take just that one.
        const milliseconds interval(sense.interval);
        const auto periods = (until - sense.nextSample) / interval;
        const milliseconds last = sense.nextSample + periods * interval;
        if (chip) chip->advanceTo(last);
        takeSenseSampleLocked();
        sense.nextSample = last + interval;
    }
    if (chip) chip->advanceTo(until);
}

void EmulatedBoard::takeSenseSampleLocked() const {
    for (std::size_t i = 0; i < sense.words.size(); ++i) {
        sense.words[i] = i < sense.addresses.size() && chip ? chip->read(sense.addresses[i]) : 0;
    }
    sense.sampled = true;
}

// --- HID side --------------------------------------------------------------

void EmulatedBoard::record(FeatureTransfer::Kind kind, uint8_t reportId, const uint8_t* data,
                           std::size_t length, bool ok) {
    if (traceCapacity == 0) return;
    while (transfers.size() >= traceCapacity) transfers.pop_front();
    std::vector<uint8_t> bytes;
    if (data != nullptr) bytes.assign(data, data + length);
    transfers.push_back({kind, reportId, std::move(bytes), ok});
}

bool EmulatedBoard::setFeature(const uint8_t* data, std::size_t length) {
    if (data == nullptr || length == 0) return false;
    bool leaves = false;
    bool flashChanged = false;
    std::function<void(const std::vector<std::pair<uint8_t, uint16_t>>&)> listener;
    std::vector<std::pair<uint8_t, uint16_t>> store;
    {
        std::lock_guard lock(mutex);
        catchUp();
        bool ok = plugged;
        if (ok && failingWrites > 0) {
            --failingWrites;
            ok = false;
        } else if (ok && troubleStrikes(trouble.failedWrites)) {
            ok = false;
        }
        record(FeatureTransfer::Kind::Write, data[0], data, length, ok);
        if (!ok) return false;
        if (data[0] == hss::kCommandReportId) {
            handleCommand(data, length, leaves, flashChanged);
            if (commandsBeforeUnplug > 0 && --commandsBeforeUnplug == 0) leaves = true;
        }
        if (flashChanged && flashListener) {
            listener = flashListener;
            store = flash;
        }
    }
    if (listener) listener(store);
    if (leaves) unplug();
    return true;
}

void EmulatedBoard::unplugAfterCommands(unsigned n) {
    std::lock_guard lock(mutex);
    commandsBeforeUnplug = n;
}

bool EmulatedBoard::getFeature(uint8_t* data, std::size_t length) {
    if (data == nullptr || length == 0) return false;
    std::lock_guard lock(mutex);
    catchUp();
    const uint8_t reportId = data[0];
    bool ok = plugged;
    if (ok && failingReads > 0) {
        --failingReads;
        ok = false;
    } else if (ok && troubleStrikes(trouble.failedReads)) {
        ok = false;
    }
    if (!ok) {
        record(FeatureTransfer::Kind::Read, reportId, nullptr, 0, false);
        return false;
    }
    std::fill(data, data + length, uint8_t{0});
    if (notReadyReplies > 0) {
        --notReadyReplies;  // the reply stays pending for the next read
    } else if (troubleStrikes(trouble.notReadyReplies)) {
        // as above: pending for the next read
    } else if (reportId == hss::kPollReadReplyReportId) {
        if (sense.sampled) {
            const std::vector<uint8_t> reply = buildPollReadReply(sense.words);
            std::memcpy(data, reply.data(), std::min(length, reply.size()));
        }
    } else if (const std::vector<uint8_t>* reply = replies.find(reportId)) {
        std::memcpy(data, reply->data(), std::min(length, reply->size()));
        replies.take(reportId);
    }
    record(FeatureTransfer::Kind::Read, reportId, data, length, true);
    return true;
}

void EmulatedBoard::handleCommand(const uint8_t* report, std::size_t length, bool& leaves, bool& flashChanged) {
    if (length < hss::kHeaderLength || !hasCommandMagic(report)) return;
    const uint8_t code = report[5];
    const std::size_t declared = littleEndianWord(report + 6);
    const uint8_t* p = report + hss::kPayloadOffset;
    const std::size_t available = length - hss::kHeaderLength;
    // A command is carried out only when its whole payload arrived.
    const auto has = [&](std::size_t n) { return declared >= n && available >= n; };

    switch (code) {
    case hss::kCmdSingleWrite:
        if (has(hss::kSingleWritePayload)) spiWrite(p[0], littleEndianWord(p + 1));
        break;
    case hss::kCmdMixWrite:
        if (has(hss::kMixWritePayload) && p[0] <= hss::kMixWriteCapacity) {
            for (std::size_t i = 0; i < p[0]; ++i) spiWrite(p[1 + i], littleEndianWord(p + 18 + 2 * i));
        }
        break;
    case hss::kCmdSenseConfig:
        if (has(hss::kSenseConfigPayload) && p[1] <= hss::kSenseConfigCapacity) {
            sense.interval = p[0];
            sense.addresses.assign(p + 2, p + 2 + p[1]);
            if (chip) chip->setPeriodicReads(sensePeriod());
            if (sense.interval != 0) {
                takeSenseSampleLocked();
                sense.nextSample = clock->now() + milliseconds(sense.interval);
            }
        }
        break;
    case hss::kCmdSingleRead:
        if (has(hss::kSingleReadPayload)) {
            const uint8_t status = statusByte();  // as at the start of the frame
            const uint16_t value = spiRead(p[0]);
            replies.put(buildSingleReadReply(p[0], value, status, crcEnabled));
        }
        break;
    case hss::kCmdMixRead:
        if (has(hss::kMixReadPayload) && p[30] <= hss::kMixReadCapacity) {
            const uint8_t status = statusByte();
            std::vector<uint16_t> values;
            for (std::size_t i = 0; i < p[30]; ++i) values.push_back(spiRead(p[i]));
            replies.put(buildMixReadReply(values, status, crcEnabled));
        }
        break;
    case hss::kCmdIoctl:
        if (has(hss::kIoctlPayload)) handleServiceRequest(p, leaves);
        break;
    case hss::kCmdFlashWrite:
        if (has(hss::kFlashWritePayload) && p[0] <= hss::kFlashWriteCapacity) {
            flash.clear();
            for (std::size_t i = 0; i < p[0]; ++i) flash.emplace_back(p[1 + i], spiRead(p[1 + i]));
            flashChanged = true;
        }
        break;
    case hss::kCmdFlashLoad:
        for (const auto& [address, value] : flash) spiWrite(address, value);
        break;
    case hss::kCmdFlashErase:
        flash.clear();
        flashChanged = true;
        break;
    default:
        break;  // unknown codes are ignored
    }
}

void EmulatedBoard::handleServiceRequest(const uint8_t* p, bool& leaves) {
    switch (p[0]) {
    case hss::kIoctlWriteGpio: {
        const uint8_t index = p[1];
        const bool high = p[2] != 0;
        if (index >= kGpioFault) break;  // line 3 is an input
        gpioOut[index] = high;
        if (chip && index == kGpioLimpHome) chip->setLimpHomeInput(high);
        if (chip && index == kGpioDirectInput) chip->setDirectInput(high);
        break;
    }
    case hss::kIoctlFirmwareVersion:
        replies.put(buildServiceReply(static_cast<uint8_t>(firmware & 0xFF), static_cast<uint8_t>(firmware >> 8)));
        break;
    case hss::kIoctlSetCrc:
        crcEnabled = p[1] != 0;
        break;
    case hss::kIoctlReadGpio:
        replies.put(buildServiceReply(gpioLevelLocked(p[1]) ? 1 : 0, p[1]));
        break;
    case hss::kIoctlEnterDfu:
        ++dfuEntries;
        leaves = true;  // the board re-enumerates as a DFU device: gone for the tool
        break;
    default:
        break;
    }
}

milliseconds EmulatedBoard::sensePeriod() const {
    return sense.addresses.empty() ? milliseconds::zero() : milliseconds(sense.interval);
}

uint16_t EmulatedBoard::spiRead(uint8_t address) const { return chip ? chip->read(address) : 0; }

void EmulatedBoard::spiWrite(uint8_t address, uint16_t value) {
    if (chip) chip->write(address, value);
}

uint8_t EmulatedBoard::statusByte() const { return chip ? chip->statusByte() : 0; }

bool EmulatedBoard::gpioLevelLocked(uint8_t index) const {
    if (index == kGpioFault) return !chip || !chip->isFaultOutputAsserted();  // active low, pulled up
    return index < kGpioFault && gpioOut[index];
}

// --- Presence ----------------------------------------------------------------

bool EmulatedBoard::isPlugged() const {
    std::lock_guard lock(mutex);
    return plugged;
}

void EmulatedBoard::plug() { setPluggedAndNotify(true); }
void EmulatedBoard::unplug() { setPluggedAndNotify(false); }

void EmulatedBoard::setPresenceListener(std::function<void(bool)> listener) {
    std::lock_guard lock(mutex);
    presenceListener = std::move(listener);
}

void EmulatedBoard::setPluggedAndNotify(bool state) {
    std::function<void(bool)> listener;
    {
        std::lock_guard lock(mutex);
        if (plugged == state) return;
        catchUp();
        plugged = state;
        if (state) powerUpLocked();
        listener = presenceListener;
    }
    if (listener) listener(state);
}

void EmulatedBoard::powerUpLocked() {
    crcEnabled = false;
    gpioOut = {};
    sense = SenseEngine{};
    replies.clear();
    if (chip) {
        chip->setPeriodicReads(sensePeriod());
        chip->powerUp();
        chip->setLimpHomeInput(false);
        chip->setDirectInput(false);
    }
}

// --- Trace -------------------------------------------------------------------

std::vector<FeatureTransfer> EmulatedBoard::trace() const {
    std::lock_guard lock(mutex);
    return {transfers.begin(), transfers.end()};
}

void EmulatedBoard::clearTrace() {
    std::lock_guard lock(mutex);
    transfers.clear();
}

void EmulatedBoard::setTraceCapacity(std::size_t capacity) {
    std::lock_guard lock(mutex);
    traceCapacity = capacity;
    while (transfers.size() > traceCapacity) transfers.pop_front();
}

// --- Chip access -------------------------------------------------------------

uint16_t EmulatedBoard::peekRegister(uint8_t address) const {
    std::lock_guard lock(mutex);
    catchUp();
    return chip ? chip->peek(address) : 0;
}

void EmulatedBoard::pokeRegister(uint8_t address, uint16_t value) {
    std::lock_guard lock(mutex);
    catchUp();
    if (chip) chip->poke(address, value);
}

std::optional<uint16_t> EmulatedBoard::deviceId() const {
    std::lock_guard lock(mutex);
    if (!chip) return std::nullopt;
    return chip->deviceId();
}

void EmulatedBoard::setDeviceId(std::optional<uint16_t> devid) {
    std::lock_guard lock(mutex);
    const milliseconds now = catchUp();
    chip.reset();
    if (!devid) return;
    chip = std::make_unique<SwitchChip>(*devid, now);
    applySurroundingsLocked();
    chip->setPeriodicReads(sensePeriod());
    chip->setLimpHomeInput(gpioOut[kGpioLimpHome]);
    chip->setDirectInput(gpioOut[kGpioDirectInput]);
}

std::optional<ChipFamily> EmulatedBoard::chipFamily() const {
    std::lock_guard lock(mutex);
    if (!chip) return std::nullopt;
    return chip->family();
}

bool EmulatedBoard::isChipAsleep() const {
    std::lock_guard lock(mutex);
    return chip && chip->isAsleep();
}

bool EmulatedBoard::isChipInTestMode() const {
    std::lock_guard lock(mutex);
    return chip && chip->isInTestMode();
}

bool EmulatedBoard::isChipInLowPowerMode() const {
    std::lock_guard lock(mutex);
    catchUp();
    return chip && chip->isInLowPowerMode();
}

unsigned EmulatedBoard::eepromProgramCount() const {
    std::lock_guard lock(mutex);
    return chip ? chip->eepromProgramCount() : 0;
}

void EmulatedBoard::setSupplyVoltage(double volts) {
    std::lock_guard lock(mutex);
    catchUp();
    bench.supplyVolts = volts;
    if (chip) chip->setSupplyVoltage(volts);
}

double EmulatedBoard::supplyVoltage() const {
    std::lock_guard lock(mutex);
    return bench.supplyVolts;
}

void EmulatedBoard::setAmbientTemperature(double celsius) {
    std::lock_guard lock(mutex);
    catchUp();
    bench.ambientC = celsius;
    if (chip) chip->setAmbientTemperature(celsius);
}

double EmulatedBoard::ambientTemperature() const {
    std::lock_guard lock(mutex);
    return bench.ambientC;
}

void EmulatedBoard::setLoadResistance(int channel, double ohms) {
    std::lock_guard lock(mutex);
    catchUp();
    bench.loadOhms[channel == 0 ? 0 : 1] = ohms;
    if (chip) {
        chip->endShortToSupply(channel);
        chip->setLoadResistance(channel, ohms);
    }
}

double EmulatedBoard::loadResistance(int channel) const {
    std::lock_guard lock(mutex);
    return bench.loadOhms[channel == 0 ? 0 : 1];
}

void EmulatedBoard::setSelfTestFailures(uint16_t abistBits) {
    std::lock_guard lock(mutex);
    bench.selfTestFailures = abistBits;
    if (chip) chip->setSelfTestFailures(abistBits);
}

uint16_t EmulatedBoard::selfTestFailures() const {
    std::lock_guard lock(mutex);
    return bench.selfTestFailures;
}

double EmulatedBoard::i2tLevel(int channel) const {
    std::lock_guard lock(mutex);
    catchUp();
    return chip ? chip->i2tLevel(channel) : 0.0;
}

bool EmulatedBoard::isHeldOffByProtection(int channel) const {
    std::lock_guard lock(mutex);
    catchUp();
    return chip && chip->isHeldOffByProtection(channel);
}

double EmulatedBoard::junctionTemperature(int channel) const {
    std::lock_guard lock(mutex);
    catchUp();
    return chip ? chip->junctionTemperature(channel) : 0.0;
}

double EmulatedBoard::loadCurrent(int channel) const {
    std::lock_guard lock(mutex);
    catchUp();
    return chip ? chip->loadCurrent(channel) : 0.0;
}

// --- Board services ----------------------------------------------------------

uint16_t EmulatedBoard::firmwareVersion() const {
    std::lock_guard lock(mutex);
    return firmware;
}

void EmulatedBoard::setFirmwareVersion(uint16_t version) {
    std::lock_guard lock(mutex);
    firmware = version;
}

bool EmulatedBoard::isCrcEnabled() const {
    std::lock_guard lock(mutex);
    return crcEnabled;
}

bool EmulatedBoard::gpioLevel(uint8_t index) const {
    std::lock_guard lock(mutex);
    catchUp();
    return gpioLevelLocked(index);
}

unsigned EmulatedBoard::dfuEntryCount() const {
    std::lock_guard lock(mutex);
    return dfuEntries;
}

std::vector<uint8_t> EmulatedBoard::senseAddresses() const {
    std::lock_guard lock(mutex);
    return sense.addresses;
}

uint8_t EmulatedBoard::senseInterval() const {
    std::lock_guard lock(mutex);
    return sense.interval;
}

std::vector<std::pair<uint8_t, uint16_t>> EmulatedBoard::flashStore() const {
    std::lock_guard lock(mutex);
    return flash;
}

void EmulatedBoard::setFlashStore(std::vector<std::pair<uint8_t, uint16_t>> store) {
    std::lock_guard lock(mutex);
    flash = std::move(store);
}

void EmulatedBoard::setFlashListener(std::function<void(const std::vector<std::pair<uint8_t, uint16_t>>&)> listener) {
    std::lock_guard lock(mutex);
    flashListener = std::move(listener);
}

// --- Fault injection ---------------------------------------------------------

void EmulatedBoard::injectFault(FaultRegister reg, uint16_t bits, milliseconds duration) {
    std::lock_guard lock(mutex);
    const milliseconds now = catchUp();
    if (!chip) return;
    std::optional<milliseconds> until;
    if (duration > milliseconds::zero()) until = now + duration;
    chip->injectFault(reg, bits, until);
}

void EmulatedBoard::suppressFault(FaultRegister reg, uint16_t bits, milliseconds duration) {
    std::lock_guard lock(mutex);
    const milliseconds now = catchUp();
    if (!chip) return;
    std::optional<milliseconds> until;
    if (duration > milliseconds::zero()) until = now + duration;
    chip->injectFault(reg, bits, until, true);
}

void EmulatedBoard::clearInjectedFault(FaultRegister reg, uint16_t bits) {
    std::lock_guard lock(mutex);
    catchUp();
    if (chip) chip->clearInjectedFault(reg, bits);
}

void EmulatedBoard::overloadChannel(int channel, milliseconds duration) {
    std::lock_guard lock(mutex);
    const milliseconds now = catchUp();
    if (chip) chip->overload(channel, now + duration);
}

bool EmulatedBoard::isOverloaded(int channel) const {
    std::lock_guard lock(mutex);
    catchUp();
    return chip && chip->isOverloaded(channel);
}

void EmulatedBoard::shortToSupply(int channel, milliseconds duration) {
    std::lock_guard lock(mutex);
    const milliseconds now = catchUp();
    if (!chip) return;
    std::optional<milliseconds> until;
    if (duration > milliseconds::zero()) until = now + duration;
    chip->shortToSupply(channel, until);
}

void EmulatedBoard::endShortToSupply(int channel) {
    std::lock_guard lock(mutex);
    catchUp();
    if (chip) chip->endShortToSupply(channel);
}

bool EmulatedBoard::isShortedToSupply(int channel) const {
    std::lock_guard lock(mutex);
    catchUp();
    return chip && chip->isShortedToSupply(channel);
}

void EmulatedBoard::makeNextRepliesNotReady(unsigned n) {
    std::lock_guard lock(mutex);
    notReadyReplies = n;
}

void EmulatedBoard::failNextWrites(unsigned n) {
    std::lock_guard lock(mutex);
    failingWrites = n;
}

void EmulatedBoard::failNextReads(unsigned n) {
    std::lock_guard lock(mutex);
    failingReads = n;
}

void EmulatedBoard::setLinkTrouble(const LinkTrouble& newTrouble) {
    std::lock_guard lock(mutex);
    trouble = newTrouble;
    troubleDice.seed(newTrouble.seed);
}

// Caller holds the mutex.
bool EmulatedBoard::troubleStrikes(double chance) {
    if (chance <= 0.0) return false;
    return std::uniform_real_distribution<double>(0.0, 1.0)(troubleDice) < chance;
}
