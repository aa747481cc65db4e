#include "session/BoardSession.h"

#include <algorithm>
#include <thread>

#include "app/ReadBackRequests.h"
#include "app/ReplyDispatcher.h"
#include "device/AddressLists.h"
#include "device/ConfigReadBack.h"
#include "device/ConfigWriteOut.h"
#include "device/HSSRegisterMap.h"
#include "editor/registers/FieldText.h"
#include "link/HSSCommunicationManager.h"
#include "protocol/HSSProtocol.h"

namespace hss::session {

using namespace std::chrono_literals;

BoardSession::BoardSession(std::unique_ptr<HSSDeviceLayer> deviceLayer, std::string label)
    : label_(std::move(label)), link_(std::make_unique<HSSCommunicationManager>(std::move(deviceLayer)))
{
    link_->setReceiveQueue(replies_);
}

BoardSession::~BoardSession()
{
    link_->stop();
    replies_.close();
}

bool BoardSession::fail(SessionFailure failure, std::string message)
{
    if (failure_ == SessionFailure::None) {
        failure_ = failure;
        error_ = std::move(message);
    }
    return false;
}

bool BoardSession::linkDropped()
{
    if (link_->droppedCommands() == droppedSeen_) return false;
    droppedSeen_ = link_->droppedCommands();
    fail(SessionFailure::Link, label_ + ": the board stopped answering (a command was given up after " +
                                   std::to_string(HSSCommunicationManager::HSS_CONST_RETRIES) +
                                   " tries); it may have been unplugged");
    return true;
}

bool BoardSession::open(std::chrono::milliseconds wait)
{
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (link_->openDevice()) return true;
        if (std::chrono::steady_clock::now() >= until) break;
        std::this_thread::sleep_for(50ms);
    }
    return fail(SessionFailure::NoBoard, label_ + ": no VELMARA-BOARD could be opened");
}

void BoardSession::send(std::unique_ptr<HSSCommand> command)
{
    if (!command) return;
    ++exchanges_;
    link_->queueHSSCommand(command.release());
}

bool BoardSession::sendAll(std::vector<std::unique_ptr<HSSCommand>> commands)
{
    for (auto& command : commands) send(std::move(command));
    return failure_ == SessionFailure::None;
}

std::unique_ptr<HSSCommand> BoardSession::request(std::unique_ptr<HSSCommand> read)
{
    if (failure_ != SessionFailure::None || !read) return nullptr;
    HSSCommand* const awaited = read.get();
    send(std::move(read));
    const auto until = std::chrono::steady_clock::now() + kReplyTimeout;
    while (std::chrono::steady_clock::now() < until) {
        // The link answers in queue order and only this session queues, so
        // the next reply is the awaited one unless an earlier read was lost.
        std::unique_ptr<HSSCommand> reply(replies_.tryReceive(20ms));
        if (reply && reply.get() == awaited) {
            if (linkDropped()) return nullptr;  // something before it was lost
            return reply;
        }
        if (linkDropped()) return nullptr;
    }
    fail(SessionFailure::Link, label_ + ": no reply from the board within " +
                                   std::to_string(kReplyTimeout.count() / 1000) + " s");
    return nullptr;
}

bool BoardSession::done()
{
    return request(std::make_unique<HSSFirmwareVersionIOCTLCmd>(context::kFirmwareVersion)) != nullptr;
}

std::optional<uint16_t> BoardSession::firmwareVersion()
{
    auto reply = request(std::make_unique<HSSFirmwareVersionIOCTLCmd>(context::kFirmwareVersion));
    if (!reply) return std::nullopt;
    return static_cast<HSSFirmwareVersionIOCTLCmd&>(*reply).getFirmwareVersion();
}

std::optional<PartIdentity> BoardSession::identify()
{
    std::unique_ptr<HSSCommand> reply;
    for (auto& command : identificationCommands(true)) {
        if (command->isWriteCommand())
            send(std::move(command));
        else
            reply = request(std::move(command));
    }
    if (!reply) return std::nullopt;
    const uint16_t code = static_cast<HSSSingleReadCmd&>(*reply).getPayload();
    const IdentificationDecision decision = decideDeviceIdentification(code, false, false, HSS_FAMILY_NONE, {});
    PartIdentity identity;
    identity.devId = code;
    identity.outcome = decision.outcome;
    identity.family = decision.family;
    identity.safetyPart = decision.isSafetyDevice;
    identity.name = std::string(decision.name);
    identity.description = std::string(decision.description);
    decision.applyToRecords(code, sixteenPin, eighteenPin);
    part_ = identity;
    if (!identity.supported()) {
        fail(SessionFailure::NoPart,
             label_ + (identity.outcome == IdentificationOutcome::Prototype
                           ? ": the daughter card holds prototype silicon (" + identity.name + "), which is not supported"
                           : ": no supported part is fitted (DEVID " + regmap::hexWord(code) + ")"));
        return identity;
    }
    if (!sendAll(partFoundCommands(decision.crcOn()))) return std::nullopt;
    return identity;
}

ZVRxQxx16PINConfiguration& BoardSession::record()
{
    if (family() == HSS_FAMILY_18PWP) return eighteenPin;
    return sixteenPin;
}

regmap::RegisterImage BoardSession::configurationImage() { return regmap::imageFromRecord(family(), record()); }

bool BoardSession::readBack()
{
    if (family() == HSS_FAMILY_NONE) return fail(SessionFailure::NoPart, label_ + ": no part identified");
    for (auto& command : configReadBackCommands(family(), 0)) {
        auto reply = request(std::move(command));
        if (!reply) return false;
        const auto& read = static_cast<const HSSMixReadCmd&>(*reply);
        if (family() == HSS_FAMILY_18PWP)
            applyEighteenPWPReadBack(eighteenPin, read);
        else
            applySixteenPWPReadBack(sixteenPin, read);
    }
    return true;
}

bool BoardSession::writeOut()
{
    if (family() == HSS_FAMILY_NONE) return fail(SessionFailure::NoPart, label_ + ": no part identified");
    for (auto& command : makeWriteOutCommands(family(), sixteenPin, eighteenPin)) send(std::move(command));
    return failure_ == SessionFailure::None;
}

bool BoardSession::storeInFlash()
{
    send(std::make_unique<HSSFlashWriteCmd>(toVector(sixteenFlashRegs)));
    return done();
}

std::optional<regmap::RegisterImage> BoardSession::readRegisters(std::span<const uint8_t> addresses)
{
    regmap::RegisterImage image;
    for (std::size_t first = 0; first < addresses.size(); first += kMixReadCapacity) {
        const std::size_t count = std::min<std::size_t>(kMixReadCapacity, addresses.size() - first);
        const std::vector<uint8_t> batch(addresses.begin() + long(first), addresses.begin() + long(first + count));
        auto reply = request(std::make_unique<HSSMixReadCmd>(batch, context::kRegisterMap));
        if (!reply) return std::nullopt;
        const auto& read = static_cast<const HSSMixReadCmd&>(*reply);
        for (std::size_t i = 0; i < read.getReadSize() && i < kMixReadCapacity; ++i)
            image[read.getReadAddresses()[i]] = read.getMixReadResults()[i];
    }
    return image;
}

std::optional<FaultWords> BoardSession::readFaultWords()
{
    auto reply = request(faultReadCommand(family()));
    if (!reply) return std::nullopt;
    const auto& read = static_cast<const HSSMixReadCmd&>(*reply);
    FaultWords words;
    for (std::size_t i = 0; i < read.getReadSize() && i < kMixReadCapacity; ++i) {
        if (auto word = storeFaultWord(record(), family(), read.getReadAddresses()[i], read.getMixReadResults()[i]))
            words.words[std::size_t(*word)] = read.getMixReadResults()[i];
    }
    return words;
}

std::optional<uint16_t> BoardSession::readSelfTestResult()
{
    auto reply = request(std::make_unique<HSSSingleReadCmd>(reg16::ABIST_RESULT, context::kSafetyResult16));
    if (!reply) return std::nullopt;
    return static_cast<HSSSingleReadCmd&>(*reply).getPayload();
}

std::unique_ptr<HSSPollReadCmd> BoardSession::pollSense()
{
    auto reply = request(std::make_unique<HSSPollReadCmd>(context::kSensePoll));
    return std::unique_ptr<HSSPollReadCmd>(static_cast<HSSPollReadCmd*>(reply.release()));
}

}  // namespace hss::session
