#pragma once
// Routes each answered command from the receive queue to its handler by the
// command's context ID, then deletes it. The context-ID table lives here and
// nowhere else.

#include <cstdint>

#include "protocol/HSSProtocol.h"

class HSSMessageQueueWrapper;

namespace context {
inline constexpr uint8_t kRawRead = 1;            // console reads and identification
inline constexpr uint8_t kConfig16 = 2;           // 16-pin configuration read-back
inline constexpr uint8_t kFault16 = 3;            // 16-pin fault poll
inline constexpr uint8_t kFirmwareVersion = 4;
inline constexpr uint8_t kGpioRead = 5;
inline constexpr uint8_t kSensePoll = 6;
inline constexpr uint8_t kConfig18 = 7;           // 18-pin configuration and user registers
inline constexpr uint8_t kFault18 = 8;            // 18-pin fault poll
inline constexpr uint8_t kSafetyResult16 = 9;     // ABIST_RESULT of 16-pin safety parts
inline constexpr uint8_t kTestModeRegister = 10;  // TEST_CTRL on test-mode entry
inline constexpr uint8_t kRegisterMap = 11;       // "Registers" page: every register of the family
}  // namespace context

// The handlers a reply can reach. Each receives the command as the class its
// context implies, only reads it and never keeps or frees it.
class ReplyHandlers {
public:
    virtual ~ReplyHandlers() = default;
    virtual void handleRawReadResponse(HSSSingleReadCmd* command) = 0;
    virtual void handle16PWPConfigResp(HSSMixReadCmd* command) = 0;
    virtual void handle16PWPFaultResp(HSSMixReadCmd* command) = 0;
    // Context 4: stores the version and shows it (updateVerString).
    virtual void handleFirmwareVersion(uint16_t version) = 0;
    virtual void handleGPIOResp(HSSReadGPIOCTLCmd* command) = 0;
    virtual void updateCurrentSenseGUI(HSSPollReadCmd* command) = 0;
    virtual void handle18PWPConfigResp(HSSMixReadCmd* command) = 0;
    virtual void handle18PWPFaultResp(HSSMixReadCmd* command) = 0;
    virtual void handle16PWPSafetyRead(uint16_t value) = 0;
    virtual void handleTestModeRead24PWP(HSSSingleReadCmd* command) = 0;
    virtual void handleRegisterMapRead(HSSMixReadCmd* command) = 0;
};

// Calls the handler for command's context ID (if any claims it) and deletes
// the command in every case. A command whose class does not match its context
// is deleted without a handler rather than read as the wrong class.
void dispatchReply(HSSCommand* command, ReplyHandlers& handlers);

// deviceRecThread: takes commands from queue until it is closed and
// dispatches each. Null entries are skipped.
void deviceRecThread(HSSMessageQueueWrapper queue, ReplyHandlers& handlers);
