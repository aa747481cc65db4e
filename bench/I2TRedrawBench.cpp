// One full redraw of the I2T tuner page, as every tuner edit and editor
// refresh runs it: the curves of both charts computed and handed over (about
// 4,000 points), then both charts drawn, offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QAreaSeries>
#include <QComboBox>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QSlider>
#include <QVBoxLayout>

#include <memory>

#include "editor/PartOptionTables.h"
#include "ui/pages/FamilyPages.h"
#include "ui/tuner/I2TChartView.h"
#include "ui/tuner/I2TTuner.h"
#include "ui/tuner/TunerHost.h"

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "keldor-bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt must not be torn down after main has returned.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

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
    application();
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
    charts.completeView->resize(charts.i2tView->size());
    QImage image(charts.i2tView->size(), QImage::Format_ARGB32_Premultiplied);
    auto* track = page16->findChild<QSlider*>("i2tTrack");
    int position = 0;
    for (auto _ : state) {
        // A new trip energy each time, so nothing is drawn from a cache.
        position = (position + 1) % 16;
        track->setValue(position);
        tuner.redrawI2TGraph();
        for (QWidget* view : views)
            render(view, image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["points"] = double(charts.i2tSeries[0]->count() + charts.i2tSeries[1]->count() +
                                      charts.i2tSeries[2]->count() + charts.completeSeries[1]->upperSeries()->count());
}
BENCHMARK(BM_I2TRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
