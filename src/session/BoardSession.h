#pragma once
// One carrier board worked step by step from one thread: open it, identify
// the part, read back, write out, read registers, faults and sense samples,
// each step waiting until the board has carried out what it sent. Built on
// the window's own link, command lists, decisions and records, so a chip
// programmed headless is programmed exactly as the window programs it.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/DeviceIdentification.h"
#include "device/FaultDecoding.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "editor/registers/RegisterCatalogue.h"
#include "link/HSSMessageQueue.h"

class HSSCommand;
class HSSCommunicationManager;
class HSSDeviceLayer;
class HSSPollReadCmd;

namespace hss::session {

// Why a step did not complete.
enum class SessionFailure {
    None,
    NoBoard,  // no board could be opened
    NoPart,   // the board answers, but no supported part is fitted
    Link,     // a command was given up after its retries, or no answer came
};

struct PartIdentity {
    uint16_t devId = 0;
    IdentificationOutcome outcome = IdentificationOutcome::Unchanged;
    hss_device_family_t family = HSS_FAMILY_NONE;
    bool safetyPart = false;
    std::string name;         // "ZVR2M08A-K1", "DEVICE NOT DETECTED"
    std::string description;
    bool supported() const { return outcome == IdentificationOutcome::Found; }
};

class BoardSession {
public:
    // label names the board in messages ("virtual board at /tmp/b.sock").
    BoardSession(std::unique_ptr<HSSDeviceLayer> deviceLayer, std::string label);
    ~BoardSession();
    BoardSession(const BoardSession&) = delete;
    BoardSession& operator=(const BoardSession&) = delete;

    const std::string& label() const { return label_; }

    // Opens the board, trying again until wait has passed (a virtual board
    // may still be starting).
    bool open(std::chrono::milliseconds wait);

    std::optional<uint16_t> firmwareVersion();
    // Wakes the chip, reads DEVID and decides as the window does; a
    // supported part gets its CRC framing and daughter-card power, and its
    // record its DEVID and sense ratio. Fails with NoPart when none is fitted.
    std::optional<PartIdentity> identify();
    const std::optional<PartIdentity>& part() const { return part_; }
    hss_device_family_t family() const { return part_ ? part_->family : HSS_FAMILY_NONE; }

    // The configuration read-back into the family's record.
    bool readBack();
    // The record's whole write-out; true once the board took every write.
    bool writeOut();
    // The chip's flash store of the configuration (board firmware v20B0 on).
    bool storeInFlash();
    // Values of the listed registers, read in batches.
    std::optional<regmap::RegisterImage> readRegisters(std::span<const uint8_t> addresses);
    // The family's three fault words (device, channel 1, channel 2).
    std::optional<FaultWords> readFaultWords();
    // ABIST_RESULT of a 16-pin safety part.
    std::optional<uint16_t> readSelfTestResult();

    // The record of the identified family (the 16-pin one when none).
    ZVRxQxx16PINConfiguration& record();
    // The configuration registers the record mirrors, by address.
    regmap::RegisterImage configurationImage();
    ZVRxQxx16PINConfiguration sixteenPin;
    ZVRxQxx18PINConfiguration eighteenPin;

    // One command: a write is queued; done() waits until it was carried out.
    void send(std::unique_ptr<HSSCommand> command);
    bool sendAll(std::vector<std::unique_ptr<HSSCommand>> commands);
    // A read, answered: the command with its reply, or null (failure set).
    std::unique_ptr<HSSCommand> request(std::unique_ptr<HSSCommand> read);
    // The board's next sense poll.
    std::unique_ptr<HSSPollReadCmd> pollSense();
    // Waits until everything sent has been carried out (one cheap read).
    bool done();

    SessionFailure failure() const { return failure_; }
    const std::string& error() const { return error_; }
    // Commands exchanged with the board so far.
    uint64_t exchanges() const { return exchanges_; }

    // How long a read may take before the board counts as gone.
    static constexpr std::chrono::milliseconds kReplyTimeout{5000};

private:
    bool fail(SessionFailure failure, std::string message);
    bool linkDropped();

    std::string label_;
    std::unique_ptr<HSSCommunicationManager> link_;
    HSSMessageQueueWrapper replies_;
    std::optional<PartIdentity> part_;
    SessionFailure failure_ = SessionFailure::None;
    std::string error_;
    uint64_t exchanges_ = 0;
    uint64_t droppedSeen_ = 0;
};

}  // namespace hss::session
