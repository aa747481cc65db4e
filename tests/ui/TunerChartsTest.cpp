// The I2T tuner's charts on the real window against the emulated board:
// edits reach the chip and the curves, the wire models, the test pulses,
// the tolerance, the empty chart, and pictures of both charts of both
// families checked against values worked out by hand.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdlib>
#include <functional>

#include "ui/ChartPointLabels.h"
#include "ui/charts/ChartPlot.h"
#include "ui/tuner/I2TChartView.h"
#include "ui/automation/ChartProperties.h"
#include "ui/pages/FamilyPages.h"
#include "ui/tuner/I2TTuner.h"

#include "TunerPictures.h"

using harness::Gui;
using harness::waitUntil;

namespace {

constexpr uint16_t kSixteenPin = 0xFFF0;   // ZVR2M08A-K1
constexpr uint16_t kEighteenPin = 0xFF04;  // ZVR2M07A-K1
constexpr uint16_t kFortyAmpEighteenPin = 0xFF00;  // ZVR2M05A-K1: hardware limits up to 70 A

// The emulated chip starts with nominal current 4.0 A and software limit
// 19.55 A: 1000 curve steps of 0.01555 A.
constexpr double kIn = 4.0;
constexpr double kStep = 0.01555;

ChartPlot* chartOf(Gui& gui, const QString& name) { return gui.window().findChild<ChartPlot*>(name); }

ChartSeries* seriesOf(ChartPlot* chart, int index) { return chart->seriesList().at(index); }

QCPRange timeAxis(ChartPlot* chart) { return chart->yAxis->range(); }

QMap<int, QString> labelsOf(ChartPlot* chart, int index) { return chartlabels::pointLabels(seriesOf(chart, index)); }

struct LogLines {
    explicit LogLines(AutoConfigurationGui& window)
    {
        QObject::connect(&window, &AutoConfigurationGui::logLineAppended, &window,
                         [this](const QString& line) { lines << line; });
    }
    QStringList lines;
};

// Answers file dialogs with a chosen path and every message box with OK.
class Answers : public DialogSeam::Responder {
public:
    Answers() { DialogSeam::setResponder(this); }
    ~Answers() override { DialogSeam::setResponder(nullptr); }
    QMessageBox::StandardButton onMessage(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                          QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        messages.push_back({icon, caption, text});
        return QMessageBox::Ok;
    }
    QString onFileDialog(bool, const QString&, const QString& filter) override
    {
        filters << filter;
        return file;
    }
    QString file;
    QStringList filters;
    std::vector<harness::RecordedMessage> messages;
};

void press(QWidget* widget, Qt::Key key) { QTest::keyClick(widget, key); }

TEST(TunerCharts, TripSliderCooldownAndToleranceReachTheChipAndTheCurves)
{
    Gui gui(kSixteenPin);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    AutoConfigurationGui& window = gui.window();
    LogLines log(window);
    ChartPlot* i2t = chartOf(gui, "i2tChart");
    ChartPlot* complete = chartOf(gui, "i2tCompleteChart");
    ASSERT_NE(i2t, nullptr);
    ASSERT_NE(complete, nullptr);

    // The box shows 0.1 % but the bands start without tolerance.
    auto* tolerance = gui.find<QLineEdit>("resToleranceBox");
    EXPECT_EQ(tolerance->text(), "0.1");
    EXPECT_EQ(window.tuner->curResTolerance(), 0.0f);
    ASSERT_EQ(seriesOf(i2t, 2)->count(), 999);
    EXPECT_NEAR(seriesOf(i2t, 2)->at(0).x(), 1.06 * (kIn + kStep), 1e-9);

    gui.find<QSlider>("i2tTrack")->setValue(15);
    EXPECT_TRUE(log.lines.contains("I2T trip value of channel 1 set to 350 A2s"));
    EXPECT_TRUE(waitUntil([&] { return ((gui.board().peekRegister(0x15) >> 3) & 0xF) == 15; }));
    // Time axis to the first curve point: 350 / (4.01555^2 - 16) = 2808.0467 s.
    EXPECT_NEAR(timeAxis(i2t).upper, 2808.0466824, 1e-6);
    EXPECT_EQ(labelsOf(i2t, 2), (QMap<int, QString>{{500, "350 A2s"}}));
    EXPECT_EQ(labelsOf(complete, 1), (QMap<int, QString>{{0, "4A"}, {500, "350 A2s"}}));

    auto* cooldown = gui.find<QComboBox>("cooldownDelayBox");
    auto* latchReset = gui.find<QPushButton>("resetLatchButton");
    for (int index : {2, 0, 3}) {
        cooldown->setCurrentIndex(index);
        EXPECT_EQ(latchReset->isEnabled(), index == 0) << index;
        EXPECT_TRUE(waitUntil([&] { return gui.board().peekRegister(0x15) >> 14 == index; })) << index;
    }

    // Not a number: "0.0" and no tolerance; 1 %: the bands at 0.93 and 1.07,
    // and the 18-pin box shows the same tolerance.
    tolerance->setText("abc");
    press(tolerance, Qt::Key_Return);
    EXPECT_EQ(tolerance->text(), "0.0");
    EXPECT_EQ(window.tuner->curResTolerance(), 0.0f);
    tolerance->setText("1");
    press(tolerance, Qt::Key_Return);
    EXPECT_EQ(window.tuner->curResTolerance(), 1.0f);
    EXPECT_NEAR(seriesOf(i2t, 2)->at(0).x(), 1.07 * (kIn + kStep), 1e-6);
    EXPECT_NEAR(seriesOf(i2t, 1)->at(0).x(), 0.93 * (kIn + kStep), 1e-6);
    EXPECT_EQ(gui.find<QLineEdit>("resToleranceBox18")->text(), "1");

    // A 350 ohm sense resistor doubles every current of the lists (700 / 350),
    // and the curves follow at once: from In = 8 A at 700 A2s to the new
    // software limit.
    auto* rsns = gui.find<QLineEdit>("senseResistorValBox");
    rsns->setText("350");
    press(rsns, Qt::Key_Return);
    EXPECT_EQ(gui.find<QComboBox>("nomCurrentBox")->currentText(), "8");
    EXPECT_EQ(seriesOf(i2t, 0)->at(0), QPointF(8.0, 700.0));
    const double softwareLimit = gui.find<QComboBox>("swLimitBox")->currentText().toDouble();
    EXPECT_NEAR(softwareLimit, 2 * 19.55, 0.011);
    EXPECT_NEAR(seriesOf(i2t, 0)->at(999).x(), 8.0 + 999 * (softwareLimit - 8.0) / 1000, 1e-9);
    EXPECT_EQ(labelsOf(complete, 1), (QMap<int, QString>{{0, "8A"}, {500, "700 A2s"}}));
}

TEST(TunerCharts, WireModelsPulsesAndTheEmptyChart)
{
    Gui gui(kSixteenPin);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    AutoConfigurationGui& window = gui.window();
    LogLines log(window);
    Answers answers;
    ChartPlot* i2t = chartOf(gui, "i2tChart");
    ChartSeries* wire = seriesOf(i2t, 3);
    auto* gauge = gui.find<QComboBox>("gaugeSelectionBox");
    auto* path = gui.find<QLineEdit>("customWireBox");
    auto* browse = gui.find<QPushButton>("customWireButton");
    EXPECT_FALSE(wire->isVisible());

    gauge->setCurrentIndex(2);  // "12 gauge (Example)"
    EXPECT_TRUE(wire->isVisible());
    ASSERT_EQ(wire->count(), 15);
    EXPECT_EQ(wire->at(7), QPointF(23.0, 1.2));
    EXPECT_EQ(labelsOf(i2t, 3), (QMap<int, QString>{{7, "12 Gauge"}}));
    EXPECT_FALSE(path->isEnabled());
    EXPECT_FALSE(browse->isEnabled());
    EXPECT_EQ(timeAxis(i2t).upper, 4000.0);

    // "Custom" with a file that is not there.
    QTemporaryDir dir;
    path->setText(dir.filePath("missing.csv"));
    gauge->setCurrentIndex(3);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(answers.messages[0].caption, "File not found");
    EXPECT_EQ(answers.messages[0].text, "File not found!\n" + dir.filePath("missing.csv"));
    EXPECT_EQ(path->text(), "");
    EXPECT_EQ(wire->count(), 0);

    // "Browse": a header, two points, a line without a comma, a time below
    // the axis minimum, which lowers it, and two points a logarithmic axis
    // cannot show.
    const QString file = dir.filePath("wire.csv");
    const auto writeFile = [](const QString& name, const QByteArray& bytes) {
        QFile out(name);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    };
    ASSERT_TRUE(writeFile(file, "current,time\n5,20\nno comma\n10,2\n0,5\n12,0.0005\n7,-1\n"));
    answers.file = file;
    browse->click();
    EXPECT_EQ(answers.filters.value(0), "comma-separated value files (*.csv)");
    EXPECT_EQ(wire->points(), (QList<QPointF>{{5, 20}, {10, 2}, {12, 0.0005}}));
    EXPECT_TRUE(wire->isVisible());
    EXPECT_EQ(timeAxis(i2t).lower, 0.0005);
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_EQ(answers.messages[1].caption, "Wire Model Loaded");
    EXPECT_EQ(answers.messages[1].text, "Wire gauge loaded from " + file);
    EXPECT_EQ(log.lines.last(), "Wire model loaded from " + file +
                                    ": 3 points, 1 line skipped (not two numbers), 2 points skipped (current or time "
                                    "not above zero: no place on the logarithmic axes).");
    // Enter in the box loads it again: the series shows the file once.
    press(path, Qt::Key_Return);
    EXPECT_EQ(wire->count(), 3);

    // Files with no point to draw are not loaded, and the box says why.
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } unusable[] = {
        {"picture.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), " is not a text file"},
        {"header.csv", "current,time\n", " has only its header line"},
        {"empty.csv", "", " is empty."},
        {"negative.csv", "current,time\n-5,1\n5,0\n", " has no point that can be drawn"},
    };
    for (const auto& bad : unusable) {
        SCOPED_TRACE(bad.name);
        const QString badFile = dir.filePath(bad.name);
        ASSERT_TRUE(writeFile(badFile, bad.bytes));
        const std::size_t before = answers.messages.size();
        answers.file = badFile;
        browse->click();
        ASSERT_EQ(answers.messages.size(), before + 1);  // no "Wire Model Loaded" after it
        EXPECT_EQ(answers.messages.back().caption, "Wire Model Not Loaded");
        EXPECT_TRUE(answers.messages.back().text.startsWith("The wire model file " + badFile + bad.reason))
            << answers.messages.back().text.toStdString();
        EXPECT_EQ(path->text(), "");
        EXPECT_EQ(wire->count(), 3);  // the model shown before stays
    }

    // Pulse markers: series 4 to 6, from what the boxes take on Enter.
    const auto enter = [](QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    };
    const char* checks[] = {"pulseOneCheckBox", "pulseTwoCheckBox", "pulseThreeCheckBox"};
    const char* durations[] = {"0.5", "3", nullptr};  // the third keeps its "0": no pulse
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        auto* check = gui.find<QCheckBox>(checks[row]);
        auto* current = gui.find<QLineEdit>(QStringLiteral("pulse%1CurrentBox").arg(row + 1).toLatin1());
        auto* duration = gui.find<QLineEdit>(QStringLiteral("pulse%1DurationBox").arg(row + 1).toLatin1());
        ChartSeries* marker = seriesOf(i2t, 4 + row);
        EXPECT_FALSE(current->isEnabled());
        check->setChecked(true);
        EXPECT_TRUE(current->isEnabled());
        EXPECT_TRUE(duration->isEnabled());
        enter(current, "12");
        if (durations[row] != nullptr) enter(duration, durations[row]);
        EXPECT_EQ(marker->isVisible(), row != 2);
        const QList<QPointF> drawn = row != 2 ? QList<QPointF>{{12, std::atof(durations[row])}} : QList<QPointF>{};
        EXPECT_EQ(marker->points(), drawn);
        check->setChecked(false);
        EXPECT_FALSE(marker->isVisible());
        EXPECT_FALSE(duration->isEnabled());
        // Only the second row also forgets its point.
        EXPECT_EQ(marker->count(), row == 0 ? 1 : 0);
    }
    // What is not a positive number is refused, and the box keeps its value.
    gui.find<QCheckBox>("pulseOneCheckBox")->setChecked(true);
    auto* pulseCurrent = gui.find<QLineEdit>("pulse1CurrentBox");
    auto* pulseDuration = gui.find<QLineEdit>("pulse1DurationBox");
    for (const char* typed : {"abc", "-5", "0", "", "1,5"}) {
        SCOPED_TRACE(typed);
        for (QLineEdit* box : {pulseCurrent, pulseDuration}) {
            const std::size_t before = answers.messages.size();
            const QString kept = box->text();
            enter(box, typed);
            EXPECT_EQ(box->text(), kept);
            ASSERT_EQ(answers.messages.size(), before + 1);
            EXPECT_EQ(answers.messages.back().caption, "Invalid Pulse");
            EXPECT_EQ(answers.messages.back().text,
                      QStringLiteral("Pulse 1 %1 \"%2\" is not a positive number of %3; the box keeps %4.")
                          .arg(box == pulseCurrent ? "current" : "duration", typed,
                               box == pulseCurrent ? "amperes" : "seconds", kept));
            EXPECT_EQ(seriesOf(i2t, 4)->points(), (QList<QPointF>{{12, 0.5}}));
        }
    }
    gui.find<QCheckBox>("pulseOneCheckBox")->setChecked(false);

    // Under the event guard the redraw leaves the charts alone; without a
    // nominal current there is no curve, and the charts say why.
    ChartSeries* curve = seriesOf(i2t, 0);
    window.dontRunEvents = true;
    gui.find<QComboBox>("nomCurrentBox")->setCurrentIndex(-1);
    window.tuner->redrawI2TGraph();
    EXPECT_EQ(curve->count(), 1000);
    window.dontRunEvents = false;
    window.tuner->redrawI2TGraph();
    for (const char* name : {"i2tChart", "i2tCompleteChart"}) {
        ChartPlot* chart = chartOf(gui, name);
        for (int s = 0; s < (chart == i2t ? 3 : 4); ++s)
            EXPECT_EQ(seriesOf(chart, s)->count(), 0) << name << " series " << s;
        EXPECT_EQ(window.findChild<ChartPlot*>(name)->property("note").toString(),
                  "No curve: no nominal current is selected.");
    }
    EXPECT_EQ(wire->count(), 3);  // the wire model stays

    // A software limit below the nominal current: both charts empty.
    gui.find<QComboBox>("nomCurrentBox")->setCurrentIndex(7);  // 15.0
    gui.find<QComboBox>("swLimitBox")->setCurrentIndex(3);     // 13.3
    EXPECT_EQ(curve->count(), 0);
    EXPECT_EQ(window.findChild<ChartPlot*>("i2tChart")->property("note").toString(),
              "No curve: the software current limit is not above the nominal current.");
    gui.find<QComboBox>("swLimitBox")->setCurrentIndex(0);  // 19.55
    EXPECT_EQ(curve->count(), 1000);
    EXPECT_EQ(window.findChild<ChartPlot*>("i2tChart")->property("note").toString(), "");
}

bool blue(QColor c) { return c.blue() > c.red() + 40 && c.blue() > c.green() + 10; }
bool green(QColor c) { return c.green() > c.red() + 25 && c.green() > c.blue() + 25; }
bool orange(QColor c) { return c.red() > c.blue() + 100 && c.red() > c.green() + 40; }

class TunerPictures : public ::testing::TestWithParam<uint16_t> {};

TEST_P(TunerPictures, BothChartsShowTheCurvesAndTheWireModelWhereTheNumbersSay)
{
    const bool eighteen = GetParam() == kEighteenPin;
    const QString suffix = eighteen ? QStringLiteral("18") : QString();
    const QString family = eighteen ? QStringLiteral("18pin") : QStringLiteral("16pin");
    Gui gui(GetParam());
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    AutoConfigurationGui& window = gui.window();
    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    tabs->setCurrentWidget(eighteen ? window.fuseTunerPage18pwp : window.fuseTunerPage16pwp);
    // 26.3 A2s on both parts. The page's re-read may still be on its way and
    // put back the slider it read: set it until the chip holds it and it stays.
    auto* track = window.findChild<QSlider*>("i2tTrack" + suffix);
    const uint8_t i2tConfig = eighteen ? 20 : 21;
    const auto tripSettled = [&] {
        if (track->value() != 2)
            track->setValue(2);
        return track->value() == 2 && ((gui.board().peekRegister(i2tConfig) >> 3) & 0xF) == 2;
    };
    ASSERT_TRUE(waitUntil(tripSettled));
    harness::spin(300);
    ASSERT_TRUE(waitUntil(tripSettled));
    window.findChild<QComboBox*>("gaugeSelectionBox" + suffix)->setCurrentIndex(1);  // "20 gauge (Example)"

    auto* i2tView = window.findChild<ChartPlot*>("i2tChart" + suffix);
    auto* completeView = window.findChild<ChartPlot*>("i2tCompleteChart" + suffix);
    // By hand: I = 4 + 500 x 0.01555 = 11.775 A, t = 26.3 / (11.775^2 - 16) = 0.21443 s.
    const QPointF point500 = seriesOf(i2tView, 0)->at(500);
    EXPECT_DOUBLE_EQ(point500.x(), 11.775);
    EXPECT_NEAR(point500.y(), 0.21443, 0.00001);

    auto* chartTabs = window.findChild<QTabWidget*>("i2tChartTabs" + suffix);
    chartTabs->setCurrentWidget(i2tView);
    harness::spin(150);
    QImage image = window.grab().toImage();
    EXPECT_TRUE(drawnNear(image, &window, i2tView, point500, blue));
    // The wire model's labelled point: (14.95 A, 1.2 s).
    EXPECT_TRUE(drawnNear(image, &window, i2tView, {14.95, 1.2}, orange));
    // Between the trip curve and the wire: neither drawn there.
    EXPECT_FALSE(drawnNear(image, &window, i2tView, {11.775, 0.6}, [](QColor c) { return blue(c) || orange(c); }));
    EXPECT_TRUE(image.save(screenshotFolder() + "/i2t-curve-" + family + ".png"));

    chartTabs->setCurrentWidget(completeView);
    harness::spin(150);
    image = window.grab().toImage();
    // Left of the nominal current: the green nominal area; under the curve the blue I2T area.
    EXPECT_TRUE(drawnNear(image, &window, completeView, {2.0, 1.0}, green));
    EXPECT_TRUE(drawnNear(image, &window, completeView, {8.0, 0.01}, blue));
    EXPECT_FALSE(drawnNear(image, &window, completeView, {8.0, 100.0}, [](QColor c) { return blue(c) || green(c); }));
    EXPECT_TRUE(image.save(screenshotFolder() + "/complete-power-curve-" + family + ".png"));
}

INSTANTIATE_TEST_SUITE_P(Families, TunerPictures, ::testing::Values(kSixteenPin, kEighteenPin),
                         [](const auto& param) { return param.param == kSixteenPin ? "SixteenPin" : "EighteenPin"; });

// Every label of a chart's current axis as it is drawn, and the room
// between two ticks: a label wider than that runs into its neighbour.
struct AxisLabels {
    QStringList texts;
    double widest = 0.0;
    double tickSpacing = 0.0;
};
AxisLabels currentAxisLabels(ChartPlot* chart)
{
    chart->replot();  // the labels as they are drawn now
    QCPAxis* axis = chart->xAxis;
    AxisLabels labels;
    const QFontMetricsF metrics(axis->tickLabelFont());
    for (const QString& text : axis->tickVectorLabels()) {
        labels.texts << text;
        labels.widest = std::max(labels.widest, metrics.horizontalAdvance(text));
    }
    const QVector<double> ticks = axis->tickVector();
    if (ticks.size() > 1)
        labels.tickSpacing = axis->coordToPixel(ticks[1]) - axis->coordToPixel(ticks[0]);
    return labels;
}

class TunerLimits : public ::testing::TestWithParam<uint16_t> {};

TEST_P(TunerLimits, EveryHardwareLimitKeepsTheLabelsWholeAndDrawsTheLimitsThatApply)
{
    const bool eighteen = GetParam() == kFortyAmpEighteenPin;
    const QString suffix = eighteen ? QStringLiteral("18") : QString();
    Gui gui(GetParam());
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    AutoConfigurationGui& window = gui.window();
    window.resize(1280, 800);
    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    tabs->setCurrentWidget(eighteen ? window.fuseTunerPage18pwp : window.fuseTunerPage16pwp);
    harness::spin(200);
    auto* hardware = window.findChild<QComboBox*>("hwLimitBox" + suffix);
    auto* software = window.findChild<QComboBox*>("swLimitBox" + suffix);
    auto* chartTabs = window.findChild<QTabWidget*>("i2tChartTabs" + suffix);
    ChartPlot* i2t = chartOf(gui, "i2tChart" + suffix);
    ChartPlot* complete = chartOf(gui, "i2tCompleteChart" + suffix);
    ASSERT_GE(hardware->count(), 11);
    // The page's read-back of the chip has reached the software limit list.
    const uint8_t i2tConfig = eighteen ? 20 : 21;
    ASSERT_TRUE(waitUntil([&] { return ((gui.board().peekRegister(i2tConfig) >> 7) & 3) == software->currentIndex(); }));
    harness::spin(300);
    for (int index = 0; index < hardware->count(); ++index) {
        hardware->setCurrentIndex(index);
        const double ihw = hardware->itemText(index).toDouble();
        // Read each time: the page's read-back of the chip may still change it.
        const double isw = software->currentText().toDouble();
        SCOPED_TRACE(hardware->itemText(index).toStdString() + " A");
        for (ChartPlot* chart : {i2t, complete}) {
            chartTabs->setCurrentIndex(chart == i2t ? 0 : 1);
            QCoreApplication::processEvents();
            const AxisLabels labels = currentAxisLabels(chart);
            EXPECT_GE(labels.texts.size(), 4) << labels.texts.join(' ').toStdString();
            EXPECT_LT(labels.widest + 2.0, labels.tickSpacing) << labels.texts.join(' ').toStdString();
        }
        // The hardware limit always; the software limit's delayed shutdown only below it.
        EXPECT_EQ(seriesOf(complete, 3)->count(), 2);
        EXPECT_TRUE(seriesOf(complete, 3)->isVisible());
        EXPECT_EQ(seriesOf(complete, 2)->isVisible(), isw < ihw);
        EXPECT_EQ(seriesOf(i2t, 7)->count(), 2);  // the software limit line at Isw
        EXPECT_EQ(seriesOf(i2t, 8)->count(), ihw <= isw ? 2 : 0);
    }

    // 40 A: the complete chart reads 0 to 44 A, and the hardware band is
    // drawn right of 40 A over the whole time axis.
    hardware->setCurrentIndex(hardware->findText("40"));
    chartTabs->setCurrentIndex(1);
    harness::spin(150);
    auto* completeView = window.findChild<ChartPlot*>("i2tCompleteChart" + suffix);
    EXPECT_EQ(automation::readChartProperty(completeView, "xrange")->value, "0,44");
    EXPECT_EQ(automation::readChartProperty(completeView, "labels 3")->value, "0:HW: 40A");
    const QImage image = window.grab().toImage();
    const auto red = [](QColor c) { return c.red() > c.green() + 40 && c.red() > c.blue() + 40; };
    const double top = complete->yAxis->range().upper;
    EXPECT_TRUE(drawnNear(image, &window, completeView, {42.0, 1.0}, red));
    EXPECT_TRUE(drawnNear(image, &window, completeView, {42.0, top / 10.0}, red));
    EXPECT_FALSE(drawnNear(image, &window, completeView, {38.0, top / 10.0}, red));
    EXPECT_TRUE(image.save(screenshotFolder() + "/complete-power-curve-40A-" + (eighteen ? "18pin" : "16pin") + ".png"));
}

INSTANTIATE_TEST_SUITE_P(Parts, TunerLimits, ::testing::Values(kSixteenPin, kFortyAmpEighteenPin),
                         [](const auto& param) { return param.param == kSixteenPin ? "SixteenPin" : "EighteenPin"; });

TEST(TunerCharts, BothChartsExportTheirPointsAndPictures)
{
    Gui gui(kSixteenPin);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    harness::MessageRecorder answers;
    QTemporaryDir dir;
    AutoConfigurationGui& window = gui.window();
    gui.find<QTabWidget>("mainTabControl")->setCurrentWidget(window.fuseTunerPage16pwp);
    auto* chartTabs = gui.find<QTabWidget>("i2tChartTabs");
    for (int tab : {0, 1}) {
        chartTabs->setCurrentIndex(tab);
        const QString csv = dir.filePath(QStringLiteral("chart%1.csv").arg(tab));
        const QString png = dir.filePath(QStringLiteral("chart%1.png").arg(tab));
        answers.files = {csv, png};
        gui.find<QPushButton>("i2tExportCsvButton")->click();
        gui.find<QPushButton>("i2tExportPngButton")->click();
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
        ASSERT_GT(lines.size(), 1000);
        EXPECT_EQ(lines[0], "series,current (A),time (s)");
        ChartPlot* chart = chartOf(gui, tab == 0 ? "i2tChart" : "i2tCompleteChart");
        // "I2T Curve" is series 0 of the trip chart and series 1 of the complete one.
        const QStringList rows = lines.filter(QRegularExpression("^I2T Curve,"));
        const ChartSeries* series = seriesOf(chart, tab == 0 ? 0 : 1);
        ASSERT_EQ(rows.size(), series->count());
        const QStringList first = rows[0].split(',');
        EXPECT_EQ(first[1].toDouble(), series->at(0).x());
        EXPECT_EQ(first[2].toDouble(), series->at(0).y());
        EXPECT_FALSE(QImage(png).isNull());
        EXPECT_TRUE(gui.logText().contains("Chart exported to " + QDir::toNativeSeparators(png)));
    }
}

// Every chart of the window (the tuner's of both families and the sense
// chart) draws its grid as light hairlines, which cost a fraction of a
// stroked line, and its axis lines as black ones.
TEST(TunerCharts, EveryChartDrawsItsGridAsLightHairlines)
{
    Gui gui(kSixteenPin);
    ASSERT_TRUE(gui.waitDetected());
    const QList<ChartPlot*> views = gui.window().findChildren<ChartPlot*>();
    ASSERT_GE(views.size(), 5);
    for (const ChartPlot* view : views) {
        for (const QCPAxis* axis : {view->xAxis, view->yAxis}) {
            SCOPED_TRACE((view->objectName() + " " + axis->label()).toStdString());
            EXPECT_EQ(axis->grid()->pen().widthF(), 0.0);
            EXPECT_EQ(axis->grid()->subGridPen().widthF(), 0.0);
            EXPECT_EQ(axis->basePen().widthF(), 0.0);
            EXPECT_GT(axis->grid()->pen().color().lightness(), 200);
            EXPECT_GT(axis->grid()->subGridPen().color().lightness(), axis->grid()->pen().color().lightness());
            EXPECT_EQ(axis->basePen().color(), QColor(Qt::black));
        }
    }
}

}  // namespace
