// The sense chart on the real window against the emulated board: the time
// axis, the peaks that averaging hides, pause, zoom and pan, the exports,
// and fault capture.

#include "SenseBench.h"  // first: see GuiHarness.h

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "../files/TempFolder.h"
#include "measure/NumberText.h"
#include "measure/SenseSample.h"
#include "ui/automation/ChartProperties.h"
#include "ui/sense/SenseChartPanel.h"

using namespace sensebench;
using hss::measure::SenseSampleWindow;

namespace {

constexpr double kNineAmpOhms = 13.5 / 9.0;  // on the 13.5 V supply
constexpr double kThreeAmpOhms = 13.5 / 3.0;

// The chart's points of a series as (x, y).
std::vector<std::pair<double, double>> pointsOf(const ChartSeries* series)
{
    std::vector<std::pair<double, double>> out;
    for (const QPointF& p : series->points())
        out.emplace_back(p.x(), p.y());
    return out;
}

// What a script's `get senseChart PROPERTY` prints after the "=".
QString readout(const SenseChart* chart, const QString& property)
{
    const auto reading = automation::readChartProperty(chart, property);
    return reading ? reading->value : chart->property(property.toLatin1().constData()).toString();
}

QStringList csvLines(const std::filesystem::path& path)
{
    QStringList lines = QString::fromStdString(readBytes(path)).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

TEST(SenseChart, APulsedLoadShowsItsPeakWhileTheAveragedTraceStaysLower)
{
    SenseBench bench(kSixteenPin, 0b01);
    Gui& gui = bench.gui;
    // Averaging 20: a pulse the board keeps sampling while replies queue up
    // (a slow, loaded machine) stays well below the peak in the mean.
    setBoxText(gui, "averageCountBox", "20");
    bench.graph(0, true);
    // 9 A for one sample in every forty, 3 A otherwise: counted in samples as
    // they reach the chart (not in time), so a slow machine pulses alike.
    EmulatedBoard& board = gui.board();
    board.setLoadResistance(0, kThreeAmpOhms);
    SenseChart* chart = bench.chart;
    QTimer pulses;
    int seen = 0;
    double newest = -1.0;
    bool high = false;
    QObject::connect(&pulses, &QTimer::timeout, &pulses, [&] {
        const SenseSampleWindow& w = chart->shownWindow();
        if (w.size() == 0 || w.time(w.size() - 1) == newest)
            return;
        newest = w.time(w.size() - 1);
        ++seen;
        if (high && w.value(0, w.size() - 1, SenseSampleWindow::Trace::Unaveraged) > 8.0) {
            board.setLoadResistance(0, kThreeAmpOhms);  // the pulse has been sampled
            high = false;
        } else if (!high && seen % 40 == 0) {
            board.setLoadResistance(0, kNineAmpOhms);
            high = true;
        }
    });
    pulses.start(5);

    const auto stats = [&] { return chart->shownWindow().statistics(0, chart->timeRange()); };
    ASSERT_TRUE(waitUntil([&] { return bench.points(0) >= 60 && stats() && stats()->max > 8.5; }, 30000));
    pulses.stop();
    const auto s = *stats();
    EXPECT_NEAR(s.max, 9.0, 0.1);
    EXPECT_NEAR(s.min, 3.0, 0.1);
    EXPECT_EQ(bench.text("senseStatMax1"),
              QString::fromStdString(hss::measure::formatSenseReading(float(s.max), ADC_LOAD_CURRENT)));
    EXPECT_EQ(bench.text("senseStatMax2"), QStringLiteral("\u2014"));  // channel 2 is not graphed
    double averagedPeak = 0.0;
    double unaveragedPeak = 0.0;
    for (const auto& [t, v] : pointsOf(chart->series(0)))
        averagedPeak = std::max(averagedPeak, v);
    for (const auto& [t, v] : pointsOf(chart->unaveraged(0)))
        unaveragedPeak = std::max(unaveragedPeak, v);
    EXPECT_LT(averagedPeak, s.max - 1.0);  // a pulse of a few samples, averaged over twenty
    EXPECT_NEAR(unaveragedPeak, 9.0, 0.1);

    // The time axis ends at the newest sample, in seconds ("xrange" reads it).
    const auto range = chart->timeRange();
    EXPECT_DOUBLE_EQ(range.max, chart->shownWindow().time(chart->shownWindow().size() - 1));
    EXPECT_GE(range.max - range.min, 60 * 0.04);
    EXPECT_EQ(chart->xAxis->label(), "Time (s)");
}

TEST(SenseChart, PauseKeepsTheViewWhileTheLogGrowsAndAnExportMatchesThePoints)
{
    TempFolder folder;
    Answers answers;
    SenseBench bench(kSixteenPin, 0b11);
    Gui& gui = bench.gui;
    bench.graph(0, true);
    bench.graph(1, true);
    const auto log = folder / "sense.csv";
    answers.files = {q(log)};
    gui.find<QPushButton>("enableLogButton")->click();
    ASSERT_TRUE(bench.waitForPoints(20));

    auto* pause = gui.find<QPushButton>("sensePauseButton");
    pause->click();
    EXPECT_TRUE(bench.chart->isPaused());
    EXPECT_EQ(pause->text(), "Resume");
    const auto shown = pointsOf(bench.chart->series(0));
    const auto statMax = bench.text("senseStatMax1");
    const QString xrange = readout(bench.chart, "xrange");
    const std::size_t logged = readBytes(log).size();
    // Two seconds on: the log has grown (it is written out once a second), the view has not.
    ASSERT_TRUE(waitUntil([&] { return readBytes(log).size() > logged + 60; }, 10000));
    EXPECT_EQ(pointsOf(bench.chart->series(0)), shown);
    EXPECT_EQ(readout(bench.chart, "xrange"), xrange);
    EXPECT_EQ(bench.text("senseStatMax1"), statMax);

    // The export of the paused window holds the chart's points, line by line.
    const auto csv = folder / "export.csv";
    answers.files = {q(csv)};
    gui.find<QPushButton>("senseExportCsvButton")->click();
    const QStringList lines = csvLines(csv);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0], "time (s),ch1 load current (A),ch1 load current unaveraged (A),ch2 load current (A),"
                        "ch2 load current unaveraged (A)");
    const auto ch2 = pointsOf(bench.chart->series(1));
    const auto raw1 = pointsOf(bench.chart->unaveraged(0));
    ASSERT_EQ(lines.size() - 1, qsizetype(shown.size()));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(u',');
        ASSERT_EQ(f.size(), 5) << lines[i].toStdString();
        const auto at = std::size_t(i - 1);
        EXPECT_EQ(f[0].toDouble(), shown[at].first);
        EXPECT_EQ(f[1].toDouble(), shown[at].second);
        EXPECT_EQ(f[2].toDouble(), raw1[at].second);
        EXPECT_EQ(f[3].toDouble(), ch2[at].second);
    }
    EXPECT_TRUE(gui.logText().contains("Chart exported to " + QDir::toNativeSeparators(q(csv))));
    // The picture, at the chart's size.
    const auto png = folder / "chart.png";
    answers.files = {q(png)};
    gui.find<QPushButton>("senseExportPngButton")->click();
    const QImage picture(q(png));
    EXPECT_EQ(picture.size(), bench.chart->size());
    // A folder that cannot be written: a message naming it, nothing claimed.
    answers.files = {q(folder / "missing" / "export.csv")};
    gui.find<QPushButton>("senseExportCsvButton")->click();
    ASSERT_FALSE(answers.messages.empty());
    EXPECT_TRUE(answers.messages.back().text.startsWith("Cannot write")) << answers.messages.back().text.toStdString();

    // Zoom, pan, Reset View; Resume follows the samples again.
    const auto full = bench.chart->timeRange();
    QTest::keyClick(bench.chart, Qt::Key_Plus);
    const auto zoomed = bench.chart->timeRange();
    EXPECT_NEAR(zoomed.max - zoomed.min, 0.8 * (full.max - full.min), 1e-9);
    QTest::keyClick(bench.chart, Qt::Key_Left);
    EXPECT_LT(bench.chart->timeRange().max, zoomed.max);
    gui.find<QPushButton>("senseResetViewButton")->click();
    EXPECT_EQ(bench.chart->timeRange().max, full.max);
    EXPECT_TRUE(bench.chart->isPaused());
    pause->click();
    EXPECT_EQ(pause->text(), "Pause");
    EXPECT_TRUE(waitUntil([&] { return bench.chart->timeRange().max > full.max + 0.5; }));

    // Zooming a live view pauses it, and the button says so.
    QTest::keyClick(bench.chart, Qt::Key_Minus);
    EXPECT_TRUE(bench.chart->isPaused());
    EXPECT_EQ(pause->text(), "Resume");
    // The cursor reads time and value where it is.
    const QRectF plot = bench.chart->plotRect();
    const QPoint middle = plot.center().toPoint();
    QTest::mouseMove(bench.chart, middle);
    const QPointF value = bench.chart->toValue(middle);
    const QRegularExpressionMatch read =
        QRegularExpression("^(-?[0-9.e+-]+) s, (-?[0-9.e+-]+) A$").match(readout(bench.chart, "cursorReadout"));
    ASSERT_TRUE(read.hasMatch()) << readout(bench.chart, "cursorReadout").toStdString();
    const auto time = bench.chart->timeRange();
    const auto values = bench.chart->valueRange();
    // Within two pixels of the middle (the mouse goes to whole pixels).
    EXPECT_NEAR(read.captured(1).toDouble(), value.x(), 2.0 * (time.max - time.min) / plot.width());
    EXPECT_NEAR(read.captured(2).toDouble(), value.y(), 2.0 * (values.max - values.min) / plot.height());
}

TEST(SenseChart, ARaisedFaultWritesTheSamplesBeforeAndAfterItToACaptureFile)
{
    TempFolder folder;
    Answers answers;
    SenseBench bench(kSixteenPin, 0b01);
    Gui& gui = bench.gui;
    // Out of range and not a number: corrected where typed when the box is left.
    setBoxText(gui, "faultCaptureAfterBox", "0");
    Q_EMIT gui.find<QLineEdit>("faultCaptureAfterBox")->editingFinished();
    EXPECT_EQ(gui.find<QLineEdit>("faultCaptureAfterBox")->text(), "1");
    setBoxText(gui, "faultCaptureBeforeBox", "soon");
    Q_EMIT gui.find<QLineEdit>("faultCaptureBeforeBox")->editingFinished();
    EXPECT_EQ(gui.find<QLineEdit>("faultCaptureBeforeBox")->text(), "10");
    setBoxText(gui, "faultCaptureBeforeBox", "2");
    answers.files = {q(folder.path())};
    gui.find<QToolButton>("faultCaptureFolderButton")->click();
    EXPECT_EQ(gui.find<QLineEdit>("faultCaptureFolderBox")->text(), QDir::toNativeSeparators(q(folder.path())));
    EXPECT_FALSE(gui.find<QCheckBox>("faultCaptureBox")->isChecked());  // off by default
    gui.find<QCheckBox>("faultCaptureBox")->setChecked(true);
    bench.graph(0, true);
    ASSERT_TRUE(waitUntil([&] { return bench.chart->timeRange().max > 2.5; }, 15000));

    // Bit 0 of CH1_FAULT: the thermal warning of channel 1. (Other faults
    // raised while sensing, such as at power-on, are captured too.)
    gui.board().injectFault(FaultRegister::Channel1, 0x0001, std::chrono::milliseconds(600));
    ASSERT_TRUE(waitUntil([&] { return gui.logText().contains("Fault capture of thWarnCh1 "); }, 15000))
        << gui.logText().toStdString();
    const QRegularExpression line("Fault capture of (thWarnCh1) written to (\\S+) \\((\\d+) samples before the "
                                  "fault, (\\d+) after\\)");
    const auto match = line.match(gui.logText());
    ASSERT_TRUE(match.hasMatch()) << gui.logText().toStdString();
    const QString path = match.captured(2);
    EXPECT_TRUE(QFileInfo(path).fileName().contains(
        QRegularExpression("^fault-\\d{8}-\\d{6}-" + match.captured(1) + "\\.csv$")))
        << path.toStdString();
    // About 20 in each second; far fewer on a loaded machine under a sanitizer.
    EXPECT_GE(match.captured(3).toInt(), 1);
    EXPECT_GE(match.captured(4).toInt(), 1);
    const QStringList lines = csvLines(path.toStdString());
    ASSERT_EQ(lines.size(), 1 + match.captured(3).toInt() + match.captured(4).toInt());
    EXPECT_EQ(lines[0], "timestamp (ISO 8601),seconds from fault,input voltage (V),ch1 load current (A),"
                        "ch2 load current (A)");
    bool before = false;
    bool after = false;
    const QRegularExpression row("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}[+-]\\d\\d:\\d\\d,(-?\\d+\\.\\d{3}),"
                                 "13\\.5,[0-9.]+,$");  // channel 2 is off: empty
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const auto m = row.match(lines[i]);
        ASSERT_TRUE(m.hasMatch()) << lines[i].toStdString();
        const double offset = m.captured(1).toDouble();
        before = before || offset < 0.0;
        after = after || offset > 0.0;
        EXPECT_GE(offset, -2.1);
        EXPECT_LE(offset, 1.1);
    }
    EXPECT_TRUE(before);
    EXPECT_TRUE(after);
}

}  // namespace
