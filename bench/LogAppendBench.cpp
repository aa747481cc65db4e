// One line appended to the "Log" tab holding its full 100 000 lines: kept,
// spooled for "Save Log...", shown (the oldest line dropped), scrolled to,
// and the window's events run after it, as between two log lines that come
// from the worker threads. Lines that come faster than the merge interval
// share one insert.
//
//   BM_LogAppend           no filter: every line is shown
//   BM_LogAppend_Filtered  a filter that the line does not match

#include <benchmark/benchmark.h>

#include "BenchApplication.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/console/LogView.h"

namespace {

void appendAtFullLog(benchmark::State& state, const QString& filter)
{
    benchApplication();
    auto* box = new QPlainTextEdit;
    LogView view(box, [](const QString&) {});
    view.resize(1200, 560);
    view.show();
    view.findChild<QLineEdit*>(QStringLiteral("logFilterBox"))->setText(filter);
    for (int i = 0; i < LogView::kKeptLines; ++i)
        view.append(QStringLiteral("[01:02:03] Thermal warning (CH1) detected. %1").arg(i));
    QCoreApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        view.append(QStringLiteral("[01:02:04] Thermal warning (CH1) recovered. %1").arg(++n));
        QCoreApplication::processEvents();
    }
    view.flushPendingLines();
    // An empty box still has its one empty block.
    if (box->blockCount() != (filter.isEmpty() ? LogView::kKeptLines : 1))
        state.SkipWithError("the box does not hold the kept lines");
}

void BM_LogAppend(benchmark::State& state) { appendAtFullLog(state, QString()); }
void BM_LogAppend_Filtered(benchmark::State& state) { appendAtFullLog(state, QStringLiteral("Limp home")); }

}  // namespace

BENCHMARK(BM_LogAppend)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LogAppend_Filtered)->Unit(benchmark::kMicrosecond);
