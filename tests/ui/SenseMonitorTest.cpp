// The live sense monitor on the real window against the emulated board's
// sense engine: what graphing sends to the board, what each sample shows
// (values, chart, status bar), the CSV log's bytes, the sense resistor box,
// a part without a sense ratio, and pictures of the graphed Command Center.

#include "GuiHarness.h"  // first: see there
#include "SenseBench.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>

#include <deque>

#include "../files/TempFolder.h"
#include "measure/ADCConversion.h"
#include "measure/NumberText.h"
#include "measure/SenseSample.h"
#include "protocol/HSSConstants.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/sense/SenseChart.h"
#include "ui/sense/SenseMonitor.h"

using harness::Gui;
using harness::waitUntil;
using namespace hss::measure;
using namespace sensebench;

namespace {

struct SenseConfig {
    uint8_t interval;
    std::vector<uint8_t> addresses;
    bool operator==(const SenseConfig&) const = default;
};

std::vector<SenseConfig> senseConfigs(const EmulatedBoard& board);

// Waits until the board has been sent exactly these sense configurations
// since its trace was cleared.
::testing::AssertionResult sent(const EmulatedBoard& board, const std::vector<SenseConfig>& expected)
{
    if (waitUntil([&] { return senseConfigs(board).size() >= expected.size(); }) && senseConfigs(board) == expected)
        return ::testing::AssertionSuccess();
    auto result = ::testing::AssertionFailure() << "sense configurations sent:";
    for (const SenseConfig& c : senseConfigs(board)) {
        result << " {" << int(c.interval) << ":";
        for (uint8_t a : c.addresses)
            result << " " << int(a);
        result << "}";
    }
    return result;
}

std::vector<SenseConfig> senseConfigs(const EmulatedBoard& board)
{
    std::vector<SenseConfig> configs;
    for (const harness::WrittenCommand& c : harness::writtenCommands(board)) {
        if (c.code != hss::kCmdSenseConfig || !c.ok || c.payload.size() < 2)
            continue;
        const std::size_t count = std::min<std::size_t>(c.payload[1], c.payload.size() - 2);
        configs.push_back({c.payload[0], {c.payload.begin() + 2, c.payload.begin() + 2 + long(count)}});
    }
    return configs;
}

TEST(SenseMonitor, GraphingStartsAndStopsOnTheBoardAndEachSampleShowsWhatTheChipMeasured)
{
    SenseBench bench(kSixteenPin, 0b11);
    Gui& gui = bench.gui;
    AutoConfigurationGui& window = gui.window();
    setBoxText(gui, "averageCountBox", "1");  // each shown value is then one sample's
    setBoxText(gui, "maxSamplesBox", "1000");
    gui.board().clearTrace();

    bench.graph(0, true);
    EXPECT_TRUE(window.isCurrentSenseEnabled);
    EXPECT_TRUE(gui.logText().contains("Sense enabled on channels changed to: 0b00000001 "));
    EXPECT_TRUE(sent(gui.board(), {{50, {0x11, 0x1A, 0x0B}}}));
    ASSERT_TRUE(waitUntil([&] { return harness::singleWrites(gui.board()).size() >= 3; }));
    const auto writes = harness::singleWrites(gui.board());
    EXPECT_EQ(writes[0].first, 0x0A);
    EXPECT_EQ(writes[0].second & 0x003F, 0);  // the ADC and all its sources on
    EXPECT_EQ(writes[1].first, 0x10);
    EXPECT_EQ(writes[1].second & 0xE000, 0);  // the channel's current, VDS and VOUT sampling on
    EXPECT_EQ(writes[2].first, 0x19);
    EXPECT_EQ(writes[2].second & 0xE000, 0);
    EXPECT_EQ(gui.board().peekRegister(0x0A) & 0x3F, 0);
    EXPECT_TRUE(window.inputVoltageValueLabel->isVisible());
    EXPECT_TRUE(window.inputVoltageDescStripLabel->isVisible());
    EXPECT_EQ(bench.chart->series(0)->isVisible(), true);
    EXPECT_EQ(bench.chart->series(1)->isVisible(), false);

    ASSERT_TRUE(bench.waitForPoints(3));
    const float ch1 = bench.chipValue(0x11, ADC_LOAD_CURRENT);
    const float ch2 = bench.chipValue(0x1A, ADC_LOAD_CURRENT);
    EXPECT_NEAR(ch1, gui.board().loadCurrent(0), 0.05);
    EXPECT_EQ(bench.text("channelOneLabel"), QString::fromStdString(formatSenseReading(ch1, ADC_LOAD_CURRENT)));
    EXPECT_EQ(bench.text("channelTwoLabel"), QString::fromStdString(formatSenseReading(ch2, ADC_LOAD_CURRENT)));
    EXPECT_EQ(bench.text("globalLabel"), QString::fromStdString(formatSenseReading(ch1 + ch2, ADC_LOAD_CURRENT)));
    EXPECT_EQ(window.inputVoltageValueLabel->text(), "13.5V");
    for (const QPointF& p : bench.chart->series(0)->points())
        EXPECT_FLOAT_EQ(float(p.y()), ch1);

    // Window sizes are corrected where they are typed.
    setBoxText(gui, "maxSamplesBox", "20");
    setBoxText(gui, "averageCountBox", "50");
    ASSERT_TRUE(waitUntil([&] { return gui.find<QLineEdit>("averageCountBox")->text() == "20"; }));
    setBoxText(gui, "maxSamplesBox", "5");
    ASSERT_TRUE(waitUntil([&] { return gui.find<QLineEdit>("maxSamplesBox")->text() == "10"; }));
    EXPECT_EQ(gui.find<QLineEdit>("averageCountBox")->text(), "10");
    EXPECT_TRUE(waitUntil([&] { return bench.points(0) == 10; }));
    setBoxText(gui, "maxSamplesBox", "1000");
    setBoxText(gui, "averageCountBox", "1");

    // A switched-on channel whose word lacks the valid bit drops the sample whole.
    const uint16_t ch1Config = gui.board().peekRegister(0x10);
    gui.board().pokeRegister(0x10, ch1Config | 0x2000);  // the chip stops converting its current
    harness::spin(300);
    const qsizetype frozen = bench.points(0);
    harness::spin(500);
    EXPECT_EQ(bench.points(0), frozen);
    gui.board().pokeRegister(0x10, ch1Config);
    EXPECT_TRUE(bench.waitForPoints(3));

    // Channel 2 switched off while graphed: "—" and no line from then on,
    // never a made-up 0 (the sum is channel 1's alone).
    bench.graph(1, true);
    EXPECT_TRUE(gui.find<QCheckBox>("senseChannelAll")->isChecked());
    ASSERT_TRUE(bench.waitForPoints(2));
    gui.find<QListWidget>("enChanBoxCC")->item(1)->setCheckState(Qt::Unchecked);
    ASSERT_TRUE(waitUntil([&] { return (bench.record().getSwitchState() & 2) == 0; }));
    ASSERT_TRUE(bench.waitForPoints(3));
    EXPECT_EQ(bench.text("channelTwoLabel"), QStringLiteral("\u2014"));
    EXPECT_EQ(bench.text("senseStatLast2"), QStringLiteral("\u2014"));
    EXPECT_EQ(bench.text("globalLabel"), bench.text("channelOneLabel"));
    EXPECT_LT(bench.chart->series(1)->points().back().x(), bench.chart->series(0)->points().back().x());
    for (const QPointF& p : bench.chart->series(1)->points())
        EXPECT_NE(p.y(), 0.0);

    // Unticking both stops the board and blanks the values.
    gui.board().clearTrace();
    gui.find<QCheckBox>("senseChannelAll")->setChecked(false);
    EXPECT_FALSE(window.isCurrentSenseEnabled);
    EXPECT_TRUE(sent(gui.board(), {{0, {0x11, 0x1A, 0x0B}}}));
    for (const char* label : {"channelOneLabel", "channelTwoLabel", "globalLabel"})
        EXPECT_EQ(bench.text(label), "") << label;
    EXPECT_FALSE(window.inputVoltageValueLabel->isVisible());
    EXPECT_FALSE(window.inputVoltageDescStripLabel->isVisible());
    EXPECT_TRUE(gui.logText().contains("Sense enabled on channels changed to: 0b00000000 "));

    // Ticking one again starts the board and switches the ADC on again.
    gui.board().clearTrace();
    bench.graph(1, true);
    EXPECT_TRUE(sent(gui.board(), {{50, {0x11, 0x1A, 0x0B}}}));
    EXPECT_TRUE(waitUntil([&] { return harness::singleWrites(gui.board()).size() >= 3; }));
}

class SenseQuantity : public ::testing::TestWithParam<uint16_t> {};

TEST_P(SenseQuantity, JunctionTemperatureSamplesTheFamilysTemperatureRegistersOnAClearedChart)
{
    const bool eighteen = GetParam() == kEighteenPin;
    SenseBench bench(GetParam(), 0b01);
    Gui& gui = bench.gui;
    bench.graph(0, true);
    ASSERT_TRUE(bench.waitForPoints(5));
    gui.board().clearTrace();

    gui.find<QComboBox>("senseSourceSelBox")->setCurrentIndex(3);
    EXPECT_EQ(bench.points(0), 0);  // values of another unit are gone
    const std::vector<uint8_t> temperature =
        eighteen ? std::vector<uint8_t>{0x11, 0x1A, 0x0A} : std::vector<uint8_t>{0x12, 0x1B, 0x0B};
    EXPECT_TRUE(sent(gui.board(), {{0, {}}, {50, temperature}}));
    EXPECT_EQ(bench.monitor->curDataFormat(), ADC_JUNCTION_TEMPERATURE);
    EXPECT_EQ(bench.chart->title(), "Junction Temperature");
    EXPECT_TRUE(gui.logText().contains("Sensing source changed to junction temperature"));

    // Nothing sampled before the change reaches the new chart: every point
    // is a temperature near the chip's.
    ASSERT_TRUE(bench.waitForPoints(10));
    const double junction = gui.board().junctionTemperature(0);
    for (const QPointF& p : bench.chart->series(0)->points())
        EXPECT_NEAR(p.y(), junction, 2.0);
    EXPECT_TRUE(bench.text("channelOneLabel").endsWith(QStringLiteral("\u00B0C")));
    EXPECT_EQ(bench.text("globalLabel"), "");
}

INSTANTIATE_TEST_SUITE_P(Families, SenseQuantity, ::testing::Values(kSixteenPin, kEighteenPin),
                         [](const auto& testInfo) { return testInfo.param == kSixteenPin ? "SixteenPin" : "EighteenPin"; });

TEST(SenseMonitor, CsvLogHoldsEverySampleAndIsClosedByTheSwitchAnotherFileAndTheWindow)
{
    TempFolder folder;
    Answers answers;
    auto bench = std::make_unique<SenseBench>(kSixteenPin, 0b01);
    Gui& gui = bench->gui;
    auto* logSwitch = gui.find<QPushButton>("enableLogButton");
    auto* browse = gui.find<QToolButton>("logBrowseButton");
    bench->graph(0, true);

    // A cancelled choice turns logging off.
    logSwitch->click();
    EXPECT_FALSE(logSwitch->isChecked());
    EXPECT_FALSE(browse->isEnabled());
    EXPECT_EQ(answers.filters, QStringList{"csv files (*.csv)"});

    // A file that cannot be made says so and leaves logging off.
    answers.files = {q(folder / "missing" / "sense.csv")};
    logSwitch->click();
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(answers.messages[0].text.contains("Cannot create the log file")) << answers.messages[0].text.toStdString();
    EXPECT_FALSE(logSwitch->isChecked());

    const auto first = folder / "first.csv";
    answers.files = {q(first)};
    logSwitch->click();
    EXPECT_TRUE(logSwitch->isChecked());
    EXPECT_TRUE(browse->isEnabled());
    EXPECT_EQ(gui.find<QLineEdit>("filePathTextBox")->text(), QDir::toNativeSeparators(q(first)));
    ASSERT_TRUE(bench->waitForPoints(5));
    logSwitch->click();  // off: written out and closed at once

    const std::string bytes = readBytes(first);
    const std::string header = "timestamp,input voltage,ch1,ch2\r\n";
    ASSERT_EQ(bytes.substr(0, header.size()), header);  // no byte-order mark
    const QStringList lines = QString::fromStdString(bytes.substr(header.size())).split("\r\n");
    EXPECT_EQ(lines.back(), "");  // every line ends in CR LF
    EXPECT_GE(lines.size(), 6);
    const QString ch1 = QString::fromStdString(hss::text::generalSevenDigits(bench->chipValue(0x11, ADC_LOAD_CURRENT)));
    // 12-hour stamp, supply, channel 1, channel 2 switched off (0).
    const QRegularExpression line("^(0[1-9]|1[0-2]):[0-5][0-9]:[0-5][0-9],13\\.5," + QRegularExpression::escape(ch1) +
                                  ",0$");
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        EXPECT_TRUE(line.match(lines[i]).hasMatch()) << lines[i].toStdString();
    EXPECT_FALSE(QString::fromStdString(bytes).contains(QRegularExpression("[^\r]\n")));

    // Another file closes the first; closing the window closes the second.
    const auto second = folder / "second.csv";
    const auto third = folder / "third.csv";
    answers.files = {q(second), q(third)};
    logSwitch->click();
    ASSERT_TRUE(bench->waitForPoints(2));
    browse->click();
    const std::size_t secondSize = readBytes(second).size();
    EXPECT_GT(secondSize, header.size());
    ASSERT_TRUE(bench->waitForPoints(2));
    bench.reset();
    EXPECT_EQ(readBytes(second).size(), secondSize);
    EXPECT_GT(readBytes(third).size(), header.size());
    EXPECT_EQ(readBytes(third).substr(readBytes(third).size() - 2), "\r\n");
}

TEST(SenseMonitor, SenseResistorRescalesTheCurrentListsAndTheConversion)
{
    harness::MessageRecorder messages;
    SenseBench bench(kSixteenPin, 0b01);
    Gui& gui = bench.gui;
    AutoConfigurationGui& window = gui.window();
    auto* rsns = gui.find<QLineEdit>("senseResistorValBox");
    EXPECT_EQ(rsns->text(), "698");
    auto items = [&](const char* name) {
        auto* box = gui.find<QComboBox>(name);
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    };
    std::map<std::string, int> selected;
    const char* lists[] = {"swLimitBox", "chanSettingSWCLBox", "chanSettingI2TBox", "nomCurrentBox",
                           "chanSettingNomBox"};
    for (const char* name : lists)
        selected[name] = gui.find<QComboBox>(name)->currentIndex();

    rsns->setText("350");
    leave(rsns);
    const QStringList softwareLimits{"39.09", "35.2", "32.09", "26.6"};  // cut, not rounded
    EXPECT_EQ(items("swLimitBox"), softwareLimits);
    EXPECT_EQ(items("chanSettingSWCLBox"), softwareLimits);
    EXPECT_EQ(items("nomCurrentBox").mid(0, 3), (QStringList{"8", "10", "11.4"}));
    EXPECT_EQ(items("chanSettingNomBox").back(), "30");
    EXPECT_EQ(items("chanSettingI2TBox").front(), "17.6");
    EXPECT_EQ(gui.find<QComboBox>("chanSettingI2TBox")->itemData(15).toDouble(), 700.0);
    EXPECT_EQ(window.configEditor->i2tArrayValues()[3], 78.8);
    for (const char* name : lists)
        EXPECT_EQ(gui.find<QComboBox>(name)->currentIndex(), selected[name]) << name;

    // A re-read of the configuration reloads the lists; they stay scaled.
    window.updateMainGUIFromSelection();
    harness::spin(300);
    EXPECT_EQ(items("swLimitBox"), softwareLimits);
    EXPECT_EQ(window.configEditor->i2tArrayValues().back(), 700.0);

    // The conversion takes the accepted resistor.
    setBoxText(gui, "averageCountBox", "1");
    bench.graph(0, true);
    ASSERT_TRUE(bench.waitForPoints(3));
    const float doubled = bench.chipValue(0x11, ADC_LOAD_CURRENT, 350.0);
    EXPECT_NEAR(doubled, 2.0 * gui.board().loadCurrent(0) * 698.0 / 700.0, 0.1);
    EXPECT_EQ(bench.text("channelOneLabel"), QString::fromStdString(formatSenseReading(doubled, 0)));

    // Text that is not a number becomes 698 without a word; the lists keep
    // the last accepted scaling.
    rsns->setText("about 400");
    leave(rsns);
    EXPECT_EQ(rsns->text(), "698");
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(items("swLimitBox"), softwareLimits);

    // Out of range: the message box, then 698.
    rsns->setText("50");
    leave(rsns);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(messages.messages[0].caption, " Invalid RSNS Value ");
    EXPECT_EQ(messages.messages[0].text, "Please choose an RSNS value between 100ohms and 10000ohms.");
    EXPECT_EQ(rsns->text(), "698");
    EXPECT_EQ(bench.monitor->senseResistorOhms(), 698.0);
}

TEST(SenseMonitor, APartWithoutSenseRatioShowsLoadCurrentAsNotAvailable)
{
    SenseBench bench(kKeptRatio, 0b11);
    Gui& gui = bench.gui;
    ASSERT_EQ(bench.record().getKSNSRatio(), 0.0f);
    bench.graph(0, true);
    bench.graph(1, true);
    harness::spin(800);
    EXPECT_EQ(bench.text("channelOneLabel"), "n/a");
    EXPECT_EQ(bench.text("channelTwoLabel"), "n/a");
    EXPECT_EQ(bench.text("globalLabel"), "n/a");
    EXPECT_EQ(bench.points(0), 0);  // no false 0 A on the chart
    EXPECT_EQ(gui.logText().count("current-sense ratio (KSNS) of this part is not known"), 1);
    EXPECT_EQ(gui.window().inputVoltageValueLabel->text(), "13.5V");

    gui.find<QComboBox>("senseSourceSelBox")->setCurrentIndex(1);  // output voltage
    ASSERT_TRUE(bench.waitForPoints(3));
    EXPECT_TRUE(bench.text("channelOneLabel").endsWith("V"));
}

// How many pixels of a colour a part of the picture holds, and their mean height.
struct ColourSpread {
    int count = 0;
    double meanY = 0.0;
};
ColourSpread spreadOf(const QImage& image, const QRect& area, const QColor& colour)
{
    ColourSpread spread;
    double sumY = 0.0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                ++spread.count;
                sumY += y;
            }
        }
    }
    spread.meanY = spread.count > 0 ? sumY / spread.count : 0.0;
    return spread;
}

double meanValue(const ChartSeries* series)
{
    double sum = 0.0;
    for (const QPointF& p : series->points())
        sum += p.y();
    return series->count() > 0 ? sum / double(series->count()) : 0.0;
}

QString screenshotFolder()
{
    const QByteArray bin = qgetenv("KC_BIN_DIR");
    QDir dir(bin.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(bin) + "/..");
    dir.mkpath(QStringLiteral("screenshots"));
    return dir.filePath(QStringLiteral("screenshots"));
}

TEST(SenseMonitor, CommandCenterPicturesShowBothChannelsWhereTheirValuesAre)
{
    SenseBench bench(kSixteenPin, 0b11);
    Gui& gui = bench.gui;
    gui.window().resize(1280, 720);
    setBoxText(gui, "maxSamplesBox", "100");
    gui.find<QCheckBox>("senseChannelAll")->setChecked(true);
    for (int source : {0, 3}) {
        SCOPED_TRACE(source);
        gui.find<QComboBox>("senseSourceSelBox")->setCurrentIndex(source);
        ASSERT_TRUE(waitUntil([&] { return bench.points(0) >= 60; }, 10000));
        harness::spin(100);
        const QImage shot = gui.window().grab().toImage();
        const QString name = source == 0 ? "sense-load-current.png" : "sense-junction-temperature.png";
        EXPECT_TRUE(shot.save(screenshotFolder() + "/" + name));

        // Both lines are drawn inside the plot, channel 1 above channel 2 as
        // its value is higher (3 A against 2 A; the junction carrying more
        // current is the hotter one), as far apart as the value axis says.
        const QImage chart = bench.chart->grab().toImage();
        const QRect plot = bench.chart->plotRect().toAlignedRect();
        const ColourSpread one = spreadOf(chart, plot, bench.chart->series(0)->pen().color());
        const ColourSpread two = spreadOf(chart, plot, bench.chart->series(1)->pen().color());
        EXPECT_GT(one.count, 100);
        EXPECT_GT(two.count, 100);
        const double v1 = meanValue(bench.chart->series(0));
        const double v2 = meanValue(bench.chart->series(1));
        ASSERT_GT(v1, v2);
        const auto yOf = [&](double value) { return bench.chart->toPixel(QPointF(1, value)).y(); };
        EXPECT_NEAR(one.meanY, yOf(v1), 3.0);
        EXPECT_NEAR(two.meanY, yOf(v2), 3.0);
    }
}

}  // namespace
