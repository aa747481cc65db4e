// The tool's two chart pictures drawn by a bare QCustomPlot, as it comes:
// what the library costs by itself, beside the tool's charts built on it
// and the Qt Charts ones they replaced:
//
//   BM_SenseSample_QCustomPlot/N  one sense sample on a full window of N points:
//                                 both channels' averaged lines (5 pixels) and
//                                 unaveraged lines, a time axis, the repaint
//   BM_SenseStream20Hz_QCustomPlot  with KC_SENSE_STREAM_SECONDS: as BM_SenseStream20Hz
//   BM_I2TRedraw_QCustomPlot      both I2T charts computed and drawn: the trip
//                                 curves, the tolerance band and the limits on a
//                                 logarithmic time axis, the four filled areas of
//                                 the complete power curve

#include "SenseBenchCommon.h"

#include <QImage>
#include <QPainter>

#include <qcustomplot.h>

#include "editor/I2TCurve.h"

namespace {

using sensebench::application;
using sensebench::sampleValue;

const QColor kChannelColors[] = {QColor(0x20, 0x6F, 0xC8), QColor(0xE0, 0x7A, 0x10)};

struct SensePlot {
    explicit SensePlot(int points) : kept(points)
    {
        plot.resize(sensebench::kChartWidth, sensebench::kChartHeight);
        // Lines drawn as the Qt Charts views draw them, without antialiasing
        // (text keeps it); one polyline per graph, not a line per segment.
        plot.setNotAntialiasedElements(QCP::aeAll);
        plot.setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
        plot.legend->setVisible(true);
        plot.xAxis->setLabel(QStringLiteral("Time (s)"));
        plot.yAxis->setLabel(QStringLiteral("Load Current(A)"));
        for (int i = 0; i < 4; ++i) {
            QCPGraph* graph = plot.addGraph();
            QColor colour = kChannelColors[i % 2];
            if (i >= 2)
                colour = colour.lighter(170);  // as the sense chart: opaque, lighter
            graph->setPen(QPen(colour, i < 2 ? 5.0 : 1.0));
            graphs[std::size_t(i)] = graph;
        }
        for (int i = 0; i < points; ++i)
            nextSample();
        plot.show();
        show();
        QCoreApplication::processEvents();
    }
    void nextSample()
    {
        ++sample;
        const double t = sample * 0.05;
        const double one = sampleValue(sample, 0);
        const double two = sampleValue(sample, 1);
        graphs[0]->addData(t, one * 0.8);
        graphs[1]->addData(t, two);
        graphs[2]->addData(t, one);
        graphs[3]->addData(t, two);
        const double oldest = (sample - kept + 1) * 0.05;
        for (QCPGraph* g : graphs)
            g->data()->removeBefore(oldest);
    }
    void show()
    {
        plot.xAxis->setRange((sample - kept + 1) * 0.05, sample * 0.05);
        plot.yAxis->setRange(0.0, 10.0);
        plot.replot(QCustomPlot::rpImmediateRefresh);
    }

    QApplication& app = application();
    QCustomPlot plot;
    int kept;
    int sample = 0;
    std::array<QCPGraph*, 4> graphs{};
};

void BM_SenseSample_QCustomPlot(benchmark::State& state)
{
    SensePlot bench(int(state.range(0)));
    for (auto _ : state) {
        bench.nextSample();
        bench.show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SenseSample_QCustomPlot)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_SenseStream20Hz_QCustomPlot(benchmark::State& state)
{
    SensePlot bench(1000);
    sensebench::streamFor(state, [&] {
        bench.nextSample();
        bench.plot.xAxis->setRange((bench.sample - bench.kept + 1) * 0.05, bench.sample * 0.05);
        bench.plot.replot(QCustomPlot::rpQueuedReplot);
    });
}
[[maybe_unused]] const bool stream = sensebench::registerStream("BM_SenseStream20Hz_QCustomPlot", &BM_SenseStream20Hz_QCustomPlot);

QCPGraph* graphOf(QCustomPlot& plot, const std::vector<hss::i2t::ChartPoint>& points, const QPen& pen)
{
    QCPGraph* graph = plot.addGraph();
    graph->setPen(pen);
    QVector<double> x, y;
    for (const auto& p : points) {
        x << p.x;
        y << p.y;
    }
    graph->setData(x, y, true);
    return graph;
}

// One redraw: every graph made anew from the curves, as the tuner redraws from scratch.
void drawI2T(QCustomPlot& trip, QCustomPlot& complete, const hss::i2t::I2TCurvePlot& curves)
{
    for (QCustomPlot* p : {&trip, &complete})
        p->clearGraphs();
    const auto& i2t = curves.i2t;
    graphOf(trip, i2t.series[0].points, QPen(QColor(0x1F, 0x5F, 0xBF), 2.5));
    QCPGraph* lower = graphOf(trip, i2t.series[1].points, QPen(QColor(0x4A, 0x90, 0xD9), 1.2, Qt::DashLine));
    QCPGraph* upper = graphOf(trip, i2t.series[2].points, QPen(QColor(0x1B, 0x3F, 0x8B), 1.2, Qt::DashLine));
    upper->setBrush(QColor(0x4A, 0x90, 0xD9, 0x30));
    upper->setChannelFillGraph(lower);
    graphOf(trip, i2t.softwareLimit.points, QPen(QColor(0xFF, 0x7F, 0x0E), 2.0, Qt::DashDotLine));
    graphOf(trip, i2t.hardwareLimit.points, QPen(QColor(0xD6, 0x27, 0x28), 2.0, Qt::DashDotLine));
    trip.xAxis->setRange(i2t.currentMinimum, i2t.currentMaximum);
    trip.yAxis->setRange(hss::i2t::kI2TTimeAxisMinimum, i2t.timeMaximum);
    const QColor fills[] = {{0x2C, 0xA0, 0x2C}, {0x1F, 0x5F, 0xBF}, {0xFF, 0x7F, 0x0E}, {0xD6, 0x27, 0x28}};
    for (std::size_t i = 0; i < curves.complete.series.size(); ++i) {
        QCPGraph* area = graphOf(complete, curves.complete.series[i].points, QPen(fills[i], 1.5));
        QColor fill = fills[i];
        fill.setAlpha(0x70);
        area->setBrush(fill);
    }
    complete.xAxis->setRange(0.0, curves.complete.currentMaximum);
    complete.yAxis->setRange(curves.complete.timeMinimum, curves.complete.timeMaximum);
    for (QCustomPlot* p : {&trip, &complete})
        p->replot();
}

void BM_I2TRedraw_QCustomPlot(benchmark::State& state)
{
    application();
    QCustomPlot trip;
    QCustomPlot complete;
    for (QCustomPlot* p : {&trip, &complete}) {
        p->resize(1000, 700);
        p->setNotAntialiasedElements(QCP::aeAll);
        p->setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
        p->yAxis->setScaleType(QCPAxis::stLogarithmic);
        p->yAxis->setTicker(QSharedPointer<QCPAxisTickerLog>::create());
        p->xAxis->setLabel(QStringLiteral("Current (A)"));
        p->yAxis->setLabel(QStringLiteral("Time (s)"));
        p->legend->setVisible(true);
    }
    hss::i2t::I2TCurveSelection selection;
    selection.nominalCurrent = "4.0";
    selection.softwareLimit = "19.55";
    selection.hardwareLimit = "25";
    selection.softwareDelay = "0.2";
    const double trips[] = {8.8, 13.1, 26.3, 39.4, 52.5, 65.6, 78.8, 91.9, 109.4, 126.9, 144.4, 166.3, 192.5, 218.8,
                            262.5, 350.0};
    QImage image(trip.size(), QImage::Format_ARGB32_Premultiplied);
    int position = 0;
    for (auto _ : state) {
        position = (position + 1) % 16;
        selection.tripEnergy = trips[position];
        drawI2T(trip, complete, hss::i2t::computeI2TCurves(selection));
        for (QCustomPlot* p : {&trip, &complete}) {
            QPainter painter(&image);
            p->render(&painter);
        }
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_I2TRedraw_QCustomPlot)->Unit(benchmark::kMillisecond);

}  // namespace
