#include "app/PollCycles.h"

#include "app/ReadBackRequests.h"
#include "app/ReplyDispatcher.h"
#include "device/HSSRegisterMap.h"
#include "protocol/HSSProtocol.h"

void senseReadCycle(const PollFlags& flags, const PollLink& link)
{
    if (!link.isHidDeviceConnected() || !flags.isCurrentSenseEnabled) return;
    link.queueHSSCommand(new HSSPollReadCmd(context::kSensePoll));
}

void queueFaultRegisterReads(hss_device_family_t family, bool safetyPart,
                             const std::function<void(HSSCommand*)>& queue)
{
    if (auto faults = faultReadCommand(family)) queue(faults.release());
    // Only the 16-pin safety parts report their self-test result.
    if (family == HSS_FAMILY_16PWP && safetyPart) {
        queue(new HSSSingleReadCmd(hss::reg16::ABIST_RESULT, context::kSafetyResult16));
    }
}

void faultReadCycle(const PollFlags& flags, const PollLink& link, hss_device_family_t family)
{
    if (!link.isHidDeviceConnected() || flags.manualUpdateEnabled || !link.isHSSDetected()) return;
    queueFaultRegisterReads(family, flags.isSafetyDevice, link.queueHSSCommand);
    link.queueHSSCommand(new HSSReadGPIOCTLCmd(kGpioFaultPin, context::kGpioRead));
}

void devIDReadCycle(const PollFlags& flags, const PollLink& link)
{
    if (flags.pauseDeviceDetection || !link.isHidDeviceConnected()) return;
    const bool detected = link.isHSSDetected();
    // Manual refresh stops re-reading a part that is shown, not the finding
    // of one: a board plugged in again under manual refresh would otherwise
    // never show its part, and the switch back sits in a menu that stays
    // disabled until a part is shown.
    if (flags.manualRefreshEnabled && detected) return;
    for (auto& command : identificationCommands(!detected)) link.queueHSSCommand(command.release());
}
