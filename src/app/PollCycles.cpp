#include "app/PollCycles.h"

#include "app/ReplyDispatcher.h"
#include "protocol/HSSProtocol.h"

void senseReadCycle(const PollFlags& flags, const PollLink& link)
{
    if (!link.isHidDeviceConnected() || !flags.isCurrentSenseEnabled) return;
    link.queueHSSCommand(new HSSPollReadCmd(context::kSensePoll));
}

void faultReadCycle(const PollFlags& flags, const PollLink& link, PollFamily family, const FaultPollLists& lists)
{
    if (!link.isHidDeviceConnected() || flags.manualUpdateEnabled || !link.isHSSDetected()) return;
    if (family == PollFamily::SixteenPin) {
        link.queueHSSCommand(new HSSMixReadCmd(lists.sixteenFaultUpdate, context::kFault16));
        if (flags.isSafetyDevice) {
            link.queueHSSCommand(new HSSSingleReadCmd(kAbistResultRegister, context::kSafetyResult16));
        }
    } else if (family == PollFamily::EighteenPin) {
        link.queueHSSCommand(new HSSMixReadCmd(lists.eighteenFaultUpdate, context::kFault18));
    }
    link.queueHSSCommand(new HSSReadGPIOCTLCmd(kGpioFaultPin, context::kGpioRead));
}

void devIDReadCycle(const PollFlags& flags, const PollLink& link)
{
    if (flags.pauseDeviceDetection || !link.isHidDeviceConnected() || flags.manualRefreshEnabled) return;
    if (!link.isHSSDetected()) link.queueHSSCommand(new HSSSingleWriteCmd(kWakeRegister, kWakeValue));
    link.queueHSSCommand(new HSSSingleReadCmd(kDevIdRegister, context::kRawRead));
}
