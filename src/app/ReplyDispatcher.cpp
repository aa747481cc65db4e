#include "app/ReplyDispatcher.h"

#include <memory>

#include "link/HSSMessageQueue.h"

namespace {

template <typename Command, typename Handler>
void callAs(HSSCommand* command, Handler&& handler)
{
    if (auto* typed = dynamic_cast<Command*>(command)) handler(typed);
}

}  // namespace

void dispatchReply(HSSCommand* raw, ReplyHandlers& handlers)
{
    std::unique_ptr<HSSCommand> command(raw);
    if (!command) return;

    switch (command->getContextID()) {
    case context::kRawRead:
        callAs<HSSSingleReadCmd>(raw, [&](auto* c) { handlers.handleRawReadResponse(c); });
        break;
    case context::kConfig16:
        callAs<HSSMixReadCmd>(raw, [&](auto* c) { handlers.handle16PWPConfigResp(c); });
        break;
    case context::kFault16:
        callAs<HSSMixReadCmd>(raw, [&](auto* c) { handlers.handle16PWPFaultResp(c); });
        break;
    case context::kFirmwareVersion:
        callAs<HSSFirmwareVersionIOCTLCmd>(raw, [&](auto* c) { handlers.handleFirmwareVersion(c->getFirmwareVersion()); });
        break;
    case context::kGpioRead:
        callAs<HSSReadGPIOCTLCmd>(raw, [&](auto* c) { handlers.handleGPIOResp(c); });
        break;
    case context::kSensePoll:
        callAs<HSSPollReadCmd>(raw, [&](auto* c) { handlers.updateCurrentSenseGUI(c); });
        break;
    case context::kConfig18:
        callAs<HSSMixReadCmd>(raw, [&](auto* c) { handlers.handle18PWPConfigResp(c); });
        break;
    case context::kFault18:
        callAs<HSSMixReadCmd>(raw, [&](auto* c) { handlers.handle18PWPFaultResp(c); });
        break;
    case context::kSafetyResult16:
        callAs<HSSSingleReadCmd>(raw, [&](auto* c) { handlers.handle16PWPSafetyRead(c->getPayload()); });
        break;
    case context::kTestModeRegister:
        callAs<HSSSingleReadCmd>(raw, [&](auto* c) { handlers.handleTestModeRead24PWP(c); });
        break;
    case context::kRegisterMap:
        callAs<HSSMixReadCmd>(raw, [&](auto* c) { handlers.handleRegisterMapRead(c); });
        break;
    default:
        break;  // no handler claims it
    }
}

void deviceRecThread(HSSMessageQueueWrapper queue, ReplyHandlers& handlers)
{
    for (;;) {
        auto* queueImpl = queue.queue();
        if (!queueImpl) return;
        if (queueImpl->isClosed() && queueImpl->size() == 0) return;
        HSSCommand* command = queue.Receive();
        if (!command) {
            if (queueImpl->isClosed()) return;
            continue;  // a null entry
        }
        dispatchReply(command, handlers);
    }
}
