// One full redraw of the I2T tuner page, as every tuner edit and editor
// refresh runs it: the curves of both charts computed and handed over (about
// 4,000 points), then both charts drawn, offscreen.
//
//   BM_I2TRedraw        the tuner as it is (QCustomPlot, limits drawn)
//   BM_I2TRedraw_Today  the charts as they were (Qt Charts, spline series for
//                       the curves, antialiased), rebuilt here so both are
//                       measured in one run; without the band and the point
//                       labels the tuner draws over them, so if anything it
//                       reads low

#include <benchmark/benchmark.h>

#include "BenchApplication.h"

#include <QApplication>
#include <QAreaSeries>
#include <QChartView>
#include <QComboBox>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QSlider>
#include <QSplineSeries>
#include <QVBoxLayout>

#include <memory>
#include <vector>

#include <QLogValueAxis>
#include <QValueAxis>

#include "editor/PartOptionTables.h"
#include "ui/pages/FamilyPages.h"
#include "ui/tuner/I2TChartView.h"
#include "ui/tuner/I2TTuner.h"
#include "ui/tuner/TunerHost.h"

namespace {

class BenchHost : public TunerHost {
public:
    bool eventsSuppressed() const override { return false; }
    hss_device_family_t deviceFamily() const override { return HSS_FAMILY_16PWP; }
    void logEditorLine(const QString&) override {}
    std::span<const double> i2tTripValues() const override { return hss::options::zvr2m08Tables.i2ttripenum; }
};

// The tuning parameters the editor puts on the page, with the 16-pin items.
void addTuningControls(TunerPage* page, const QString& suffix)
{
    QVBoxLayout* left = page->regionLayout(PageFrame::Region::Controls);
    const std::pair<const char*, QStringList> lists[] = {
        {"nomCurrentBox", {"4.0", "5.0", "5.7", "6.5", "7.5", "9.0", "12.0", "15.0"}},
        {"swLimitBox", {"19.55", "17.6", "16.05", "13.3"}},
        {"hwLimitBox", {"10", "12.5", "15", "17.5", "20", "22.5", "25", "32.5", "40", "47.5", "55"}},
        {"swDelayBox", {"0.2", "0.4", "1.0", "2.0"}},
    };
    for (const auto& [name, items] : lists) {
        auto* box = new QComboBox;
        box->setObjectName(QString::fromLatin1(name) + suffix);
        box->addItems(items);
        left->addWidget(box);
    }
    page->findChild<QComboBox*>("hwLimitBox" + suffix)->setCurrentIndex(6);  // 25 A: every series drawn
    auto* track = new QSlider(Qt::Horizontal);
    track->setObjectName("i2tTrack" + suffix);
    track->setRange(0, 15);
    left->addWidget(track);
}

void render(QWidget* view, QImage& image)
{
    QPainter painter(&image);
    view->render(&painter);
}

void BM_I2TRedraw(benchmark::State& state)
{
    benchApplication();
    BenchHost host;
    auto page16 = std::make_unique<TunerPage>("fuseTunerPage16pwp", QString());
    auto page18 = std::make_unique<TunerPage>("fuseTunerPage18pwp", QStringLiteral("18"));
    addTuningControls(page16.get(), {});
    addTuningControls(page18.get(), QStringLiteral("18"));
    I2TTuner tuner(host, {page16.get(), nullptr, page18.get(), nullptr});
    page16->resize(1440, 900);
    page16->show();
    QCoreApplication::processEvents();

    const TunerCharts& charts = tuner.charts(HSS_FAMILY_16PWP);
    QWidget* views[] = {charts.i2tView, charts.completeView};
    // Drawn at one size in every variant, so the figures compare.
    for (QWidget* view : views)
        view->resize(1000, 700);
    QImage image(charts.i2tView->size(), QImage::Format_ARGB32_Premultiplied);
    auto* track = page16->findChild<QSlider*>("i2tTrack");
    int position = 0;
    for (auto _ : state) {
        // A new trip energy each time, so nothing is drawn from a cache.
        position = (position + 1) % 16;
        track->setValue(position);
        tuner.redrawI2TGraph();
        charts.i2tView->replot();  // what the queued replots run
        charts.completeView->replot();
        for (QWidget* view : views)
            render(view, image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["points"] = double(charts.i2tSeries[0]->count() + charts.i2tSeries[1]->count() +
                                      charts.i2tSeries[2]->count() + charts.completeSeries[1]->count());
}
BENCHMARK(BM_I2TRedraw)->Unit(benchmark::kMillisecond);

QList<QPointF> pointsOf(const std::vector<hss::i2t::ChartPoint>& points)
{
    QList<QPointF> list;
    for (const auto& p : points)
        list.append(QPointF(p.x, p.y));
    return list;
}

// The two charts as they were built: spline series for the curves, filled
// areas on the complete chart, antialiased, fed the same curves.
struct TodayCharts {
    TodayCharts()
    {
        QChart* i2t = new QChart;
        QChart* complete = new QChart;
        i2tView = std::make_unique<QChartView>(i2t);
        completeView = std::make_unique<QChartView>(complete);
        for (QChart* chart : {i2t, complete}) {
            auto* current = new QValueAxis;
            current->setTickType(QValueAxis::TicksDynamic);
            current->setTickInterval(1.0);
            current->setMinorTickCount(1);
            auto* time = new QLogValueAxis;
            time->setMinorTickCount(-1);
            chart->addAxis(current, Qt::AlignBottom);
            chart->addAxis(time, Qt::AlignLeft);
            axes.push_back({current, time});
        }
        for (int i = 0; i < 7; ++i) {
            QXYSeries* s = i < 4 ? static_cast<QXYSeries*>(new QSplineSeries) : new QLineSeries;
            i2t->addSeries(s);
            s->attachAxis(axes[0].first);
            s->attachAxis(axes[0].second);
            s->setVisible(i < 3);
            curves.push_back(s);
        }
        for (int i = 0; i < 4; ++i) {
            auto* area = new QAreaSeries(new QLineSeries);
            complete->addSeries(area);
            area->attachAxis(axes[1].first);
            area->attachAxis(axes[1].second);
            areas.push_back(area);
        }
        for (QChartView* view : {i2tView.get(), completeView.get()}) {
            view->setRenderHint(QPainter::Antialiasing);  // as they were drawn
            view->resize(kViewWidth, kViewHeight);
            view->show();
        }
        QCoreApplication::processEvents();
    }
    void show(const hss::i2t::I2TCurvePlot& plot)
    {
        for (std::size_t i = 0; i < 3; ++i)
            curves[i]->replace(pointsOf(plot.i2t.series[i].points));
        for (std::size_t i = 0; i < 4; ++i)
            areas[i]->upperSeries()->replace(pointsOf(plot.complete.series[i].points));
        axes[0].first->setRange(plot.i2t.currentMinimum, plot.i2t.currentMaximum);
        axes[0].second->setRange(hss::i2t::kI2TTimeAxisMinimum, plot.i2t.timeMaximum);
        axes[1].first->setRange(0.0, plot.complete.currentMaximum);
        axes[1].second->setRange(hss::i2t::kCompleteTimeAxisMinimum, plot.complete.timeMaximum);
    }
    static constexpr int kViewWidth = 1000;
    static constexpr int kViewHeight = 700;
    std::unique_ptr<QChartView> i2tView;
    std::unique_ptr<QChartView> completeView;
    std::vector<std::pair<QValueAxis*, QLogValueAxis*>> axes;
    std::vector<QXYSeries*> curves;
    std::vector<QAreaSeries*> areas;
};

void BM_I2TRedraw_Today(benchmark::State& state)
{
    benchApplication();
    TodayCharts today;
    hss::i2t::I2TCurveSelection selection;
    selection.nominalCurrent = "4.0";
    selection.softwareLimit = "19.55";
    selection.hardwareLimit = "25";
    selection.softwareDelay = "0.2";
    const auto trips = hss::options::zvr2m08Tables.i2ttripenum;
    QImage image(today.i2tView->size(), QImage::Format_ARGB32_Premultiplied);
    std::size_t position = 0;
    for (auto _ : state) {
        position = (position + 1) % trips.size();
        selection.tripEnergy = trips[position];
        today.show(hss::i2t::computeI2TCurves(selection));
        for (QWidget* view : {static_cast<QWidget*>(today.i2tView.get()), static_cast<QWidget*>(today.completeView.get())})
            render(view, image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_I2TRedraw_Today)->Unit(benchmark::kMillisecond);

}  // namespace
