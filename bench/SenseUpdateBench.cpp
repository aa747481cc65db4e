// One live sense sample on a chart that keeps 1000 points: the chart's own
// update (each channel series gets all of its points in one replace())
// against the same update done by appending the points one by one. Both
// include the repaint that follows.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QValueAxis>
#include <QXYSeries>

#include "measure/SenseSampleWindow.h"
#include "ui/sense/SenseChart.h"

namespace {

constexpr int kPointsKept = 1000;

QApplication& application()
{
    // Made once and never destroyed: Qt must not be torn down after main.
    static int argc = 1;
    static char name[] = "keldor-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A chart showing both channels of a full window.
struct ChartBench {
    ChartBench()
    {
        for (int i = 0; i < kPointsKept; ++i)
            window.append(3.0f + float(i % 7) * 0.01f, 2.0f + float(i % 5) * 0.01f);
        chart.resize(800, 500);
        chart.show();
        chart.setChannelShown(0, true);
        chart.setChannelShown(1, true);
        QCoreApplication::processEvents();
    }
    // The next sample: both channels move a little.
    void nextSample()
    {
        ++sample;
        window.append(3.0f + float(sample % 7) * 0.01f, 2.0f + float(sample % 5) * 0.01f);
    }

    QApplication& app = application();  // before any widget
    hss::measure::SenseSampleWindow window{kPointsKept};
    SenseChart chart{window};
    int sample = 0;
};

void BM_SenseUpdate_Replace(benchmark::State& state)
{
    ChartBench bench;
    for (auto _ : state) {
        bench.nextSample();
        bench.chart.showWindow();
        QCoreApplication::processEvents();  // the repaint
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_SenseUpdate_Append(benchmark::State& state)
{
    ChartBench bench;
    auto* yAxis = qobject_cast<QValueAxis*>(bench.chart.chart()->axes(Qt::Vertical).first());
    for (auto _ : state) {
        bench.nextSample();
        for (std::size_t channel = 0; channel < 2; ++channel) {
            QXYSeries* series = bench.chart.series(static_cast<int>(channel));
            series->clear();
            bench.window.forEachPoint(channel, [series](double x, double y) { series->append(x, y); });
        }
        const auto range = bench.window.yRange(true, true);
        yAxis->setRange(range.min, range.max);
        QCoreApplication::processEvents();  // the repaint
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_SenseUpdate_Replace)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SenseUpdate_Append)->Unit(benchmark::kMicrosecond);

