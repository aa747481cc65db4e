// One register read through the whole link (send queue, link thread, the
// in-process emulated board, receive queue) against the same read made with
// direct device-layer calls on the same board: the price of the link's
// threads and queues per exchange.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "emulator/EmulatedBoard.h"
#include "link/BoardConnection.h"
#include "link/HSSCommunicationManager.h"
#include "link/HSSVerbose.h"
#include "protocol/HSSRegisterCommands.h"

namespace {

constexpr uint8_t kPwmCh1 = 0x0E;
constexpr uint8_t kContext = 1;

// The board's trace would grow by two entries an exchange; the benchmark
// measures the link, not the trace.
std::shared_ptr<EmulatedBoard> quietBoard()
{
    auto board = std::make_shared<EmulatedBoard>();
    board->setTraceCapacity(0);
    return board;
}

void BM_Exchange_FullStack(benchmark::State& state)
{
    hss::setVerboseMode(false);
    auto board = quietBoard();
    HSSPresenceQueue presence;
    BoardConnection connection = makeEmulatorBoardConnection(board, presence);
    HSSCommunicationManager link(std::move(connection.deviceLayer));
    HSSMessageQueueWrapper replies;
    link.setReceiveQueue(replies);
    if (!link.openDevice()) {
        state.SkipWithError("the emulated board did not open");
        return;
    }
    for (auto _ : state) {
        auto* command = new HSSSingleReadCmd(kPwmCh1, kContext);
        command->setDelay(0);
        link.queueHSSCommand(command);
        std::unique_ptr<HSSCommand> answer(replies.tryReceive(std::chrono::seconds(5)));
        if (!answer) {
            state.SkipWithError("no reply within 5 s");
            break;
        }
        benchmark::DoNotOptimize(static_cast<HSSSingleReadCmd*>(answer.get())->getPayload());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
    link.stop();
    hss::setVerboseMode(true);
}
BENCHMARK(BM_Exchange_FullStack)->UseRealTime();

void BM_Exchange_Direct(benchmark::State& state)
{
    auto board = quietBoard();
    std::unique_ptr<HSSDeviceLayer> layer = makeEmulatorDeviceLayer(board);
    const auto devices = layer->enumerate();
    std::unique_ptr<HSSDeviceHandle> handle = devices && !devices->empty() ? layer->open(devices->front().path) : nullptr;
    uint16_t featureLength = 0;
    if (!handle || handle->capabilities(featureLength) != HSSCapsStatus::Ok) {
        state.SkipWithError("the emulated board did not open");
        return;
    }
    const std::size_t writeLength = std::size_t{featureLength} + 1;  // as the link writes
    for (auto _ : state) {
        // A fresh command each time, as the full stack builds one per read.
        auto command = std::make_unique<HSSSingleReadCmd>(kPwmCh1, kContext);
        if (!handle->writeFeature(command->getCommandData(), writeLength) ||
            handle->readFeature(command->getResponseData(), command->getResponseSize()) < 0 ||
            !command->isDataDirty()) {
            state.SkipWithError("the exchange failed");
            break;
        }
        command->serializeResponsePayload();
        benchmark::DoNotOptimize(command->getPayload());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_Exchange_Direct)->UseRealTime();

}  // namespace
