// One fault event added to the history that already keeps its 100 000
// events: both pages' tables follow it (the oldest row dropped, the new row
// on top), the shown one (only one family's pages are ever in the window)
// repaints, the window's events run.

#include <benchmark/benchmark.h>

#include "BenchApplication.h"

#include <QApplication>

#include "device/FaultHistory.h"
#include "ui/faults/FaultHistoryPanel.h"

namespace {

void BM_FaultHistoryEvent(benchmark::State& state)
{
    benchApplication();
    hss::FaultHistory history;
    FaultHistoryPanel sixteen(history, QString(), [](const QString&) {});
    FaultHistoryPanel eighteen(history, QStringLiteral("18"), [](const QString&) {});
    const auto now = std::chrono::system_clock::now();
    for (std::size_t i = 0; i < hss::FaultHistory::kMaxEvents; ++i)
        history.raise(hss::FaultId::thWarnCh1, now);
    sixteen.model()->setFilter(std::nullopt, std::nullopt);
    eighteen.model()->setFilter(std::nullopt, std::nullopt);
    sixteen.resize(560, 400);
    sixteen.show();
    QCoreApplication::processEvents();
    bool raise = false;
    for (auto _ : state) {
        raise = !raise;
        if (raise)
            history.raise(hss::FaultId::i2tFaultCh2, now);
        else
            history.clear(hss::FaultId::i2tFaultCh2, now);
        sixteen.model()->eventAdded();
        eighteen.model()->eventAdded();
        QCoreApplication::processEvents();
    }
    if (sixteen.model()->rowCount() != int(hss::FaultHistory::kMaxEvents))
        state.SkipWithError("the table does not show the kept events");
}

}  // namespace

BENCHMARK(BM_FaultHistoryEvent)->Unit(benchmark::kMicrosecond);
