// One live sense sample on a full window: the point appended, the chart's
// update, and the repaint that follows.
//
//   BM_SenseSample/N              the sense chart as the tool has it (QCustomPlot,
//                                 time axis, averaged and unaveraged traces of both
//                                 channels, points thinned to the plot's pixels)
//   BM_SenseSample_Today/1000     the chart as it was before the time axis (Qt
//                                 Charts, two 5-pixel lines, one point per sample,
//                                 a sample axis), rebuilt here so both are
//                                 measured in one run
//   BM_SenseSample_QCustomPlot/N  a bare QCustomPlot drawing the same picture
//                                 (ChartLibraryBench.cpp): the library's own floor
//
// With KC_SENSE_STREAM_SECONDS set (scripts/sense-cpu sets 60), also
// BM_SenseStream20Hz_*: both channels graphed at 20 samples a second for
// that long in real time, reporting the share of a core the process used.

#include "SenseBenchCommon.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>

#include <deque>

#include "measure/SenseSampleWindow.h"
#include "ui/sense/SenseChart.h"

namespace {

using sensebench::application;
using sensebench::sampleValue;

// The chart of both channels on a full window, as the tool shows it.
struct ChartBench {
    explicit ChartBench(int points) : window(points)
    {
        for (int i = 0; i < points; ++i)
            nextSample();
        chart.resize(sensebench::kChartWidth, sensebench::kChartHeight);
        chart.show();
        chart.setChannelShown(0, true);
        chart.setChannelShown(1, true);
        QCoreApplication::processEvents();
    }
    // The next sample, 50 ms on: both channels move a little, channel 1 pulses.
    void nextSample()
    {
        ++sample;
        const float one = sampleValue(sample, 0);
        const float two = sampleValue(sample, 1);
        window.append(sample * 0.05, {one * 0.8f, two}, {one, two});
    }

    QApplication& app = application();  // before any widget
    hss::measure::SenseSampleWindow window;
    SenseChart chart{window};
    int sample = 0;
};

// The chart as it was: series 0 and 1 lines 5 pixels wide, x the place of a
// point in the window (1 to P), y from 0 to 1.1 x the highest point.
class TodayChart {
public:
    explicit TodayChart(int pointsKept) : kept(pointsKept)
    {
        auto* chart = new QChart;
        chart->setAnimationOptions(QChart::NoAnimation);
        xAxis = new QValueAxis;
        xAxis->setLabelFormat(QStringLiteral("%i"));
        xAxis->setTitleText(QStringLiteral("Sample"));
        yAxis = new QValueAxis;
        yAxis->setLabelFormat(QStringLiteral("%g"));
        yAxis->setTickType(QValueAxis::TicksDynamic);
        yAxis->setTickAnchor(0.0);
        chart->addAxis(xAxis, Qt::AlignBottom);
        chart->addAxis(yAxis, Qt::AlignLeft);
        for (int i = 0; i < 4; ++i) {
            auto* s = new QLineSeries;
            chart->addSeries(s);
            if (i < 2) {
                QPen pen = s->pen();
                pen.setWidthF(5.0);
                s->setPen(pen);
            }
            s->attachAxis(xAxis);
            s->attachAxis(yAxis);
            s->setVisible(i < 2);
            series[std::size_t(i)] = s;
        }
        view.setChart(chart);
        view.setRenderHint(QPainter::Antialiasing);
        view.resize(sensebench::kChartWidth, sensebench::kChartHeight);
        view.show();
        for (int i = 0; i < pointsKept; ++i)
            nextSample();
        show();
        QCoreApplication::processEvents();
    }
    void nextSample()
    {
        ++sample;
        for (std::size_t ch = 0; ch < 2; ++ch) {
            values[ch].push_back(double(sampleValue(sample, int(ch))));
            if (int(values[ch].size()) > kept)
                values[ch].pop_front();
        }
    }
    void show()
    {
        double highest = 0.01;
        for (std::size_t ch = 0; ch < 2; ++ch) {
            points.clear();
            double x = 1.0;
            for (double v : values[ch]) {
                points.append(QPointF(x++, v));
                highest = std::max(highest, v);
            }
            series[ch]->replace(points);
        }
        xAxis->setRange(1.0, kept);
        yAxis->setRange(0.0, std::ceil(highest * 1.1));
        yAxis->setTickInterval(std::ceil(highest * 1.1) / 5.0);
    }

private:
    QApplication& app = application();
    QChartView view;
    int kept;
    int sample = 0;
    std::array<std::deque<double>, 2> values;
    std::array<QLineSeries*, 4> series{};
    QValueAxis* xAxis = nullptr;
    QValueAxis* yAxis = nullptr;
    QList<QPointF> points;
};

void BM_SenseSample(benchmark::State& state)
{
    ChartBench bench(int(state.range(0)));
    for (auto _ : state) {
        bench.nextSample();
        bench.chart.showWindow();
        QCoreApplication::processEvents();  // the repaint
    }
    state.counters["drawn points"] = double(bench.chart.series(0)->count() + bench.chart.series(4)->count());
    // Of the whole: the chart's own drawing (the rest is the update and the window's repaint).
    state.counters["replot ms"] = bench.chart.replotTime(true);
}

void BM_SenseSample_Today(benchmark::State& state)
{
    TodayChart today(int(state.range(0)));
    for (auto _ : state) {
        today.nextSample();
        today.show();
        QCoreApplication::processEvents();
    }
}

void BM_SenseStream20Hz(benchmark::State& state)
{
    ChartBench bench(1000);
    sensebench::streamFor(state, [&] {
        bench.nextSample();
        bench.chart.windowChanged();
    });
}

void BM_SenseStream20Hz_Today(benchmark::State& state)
{
    TodayChart today(1000);
    sensebench::streamFor(state, [&] {
        today.nextSample();
        today.show();
    });
}

[[maybe_unused]] const bool streams = sensebench::registerStream("BM_SenseStream20Hz", &BM_SenseStream20Hz) &&
                                       sensebench::registerStream("BM_SenseStream20Hz_Today", &BM_SenseStream20Hz_Today);

}  // namespace

BENCHMARK(BM_SenseSample)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SenseSample_Today)->Arg(1000)->Unit(benchmark::kMicrosecond);
