// The I2T tuner's verdicts on the real window against the emulated board:
// the pulses, the wire model and the trip-time calculator for the chip's
// own settings, worked out by hand, and where the markers are drawn.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include "TunerPictures.h"

using harness::Gui;
using harness::waitUntil;

namespace {

constexpr uint16_t kSixteenPinCode = 0xFFF0;  // ZVR2M08A-K1

// The emulated chip's settings: In = 4 A, E = 8.8 A2s, Isw = 19.55 A, Ihw =
// 10 A. The minimum curve trips at 8.096 / ((I / 0.94)^2 - 16): 55.09 ms at
// 12 A, 39.34 ms at 14 A; the maximum at 9.504 / ((I / 1.06)^2 - 16).
TEST(TunerCharts, VerdictsOnThePulsesTheWireAndTheCalculator)
{
    Gui gui(kSixteenPinCode);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    AutoConfigurationGui& window = gui.window();
    window.resize(1280, 720);
    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    tabs->setCurrentWidget(window.fuseTunerPage16pwp);
    // The read-back fills the lists.
    ASSERT_TRUE(waitUntil([&] {
        return gui.find<QSlider>("i2tTrack")->value() == 0 && gui.find<QComboBox>("swLimitBox")->currentText() == "19.55" &&
               gui.find<QComboBox>("hwLimitBox")->currentText() == "10" &&
               gui.find<QComboBox>("swDelayBox")->currentText() == "0.2";
    }));
    const auto label = [&](const char* name) { return gui.find<QLabel>(name)->text(); };
    const auto enter = [](QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    };

    EXPECT_EQ(label("wireVerdictLabel"), "No wire model.");
    // 20 gauge: closest at 11.05 A, where the wire lasts 2.1 s and the
    // latest trip is 9.504 / ((11.05 / 1.06)^2 - 16) = 0.1026 s.
    gui.find<QComboBox>("gaugeSelectionBox")->setCurrentIndex(1);
    const QString protectedWire = "Protected from 6.5 A to 19.55 A; closest at 11.05 A: trips 2.00 s before the wire.";
    // The chip starts with I2T off: the curve protects nothing yet.
    auto* enable = gui.find<QCheckBox>("enableI2TBox");
    ASSERT_FALSE(enable->isChecked());
    EXPECT_EQ(label("wireVerdictLabel"), "Not protected: I2T is off on this channel. Once it is on: " + protectedWire);
    EXPECT_FALSE(gui.find<QLabel>("pulseI2TOffLabel")->isHidden());
    enable->setChecked(true);
    EXPECT_TRUE(waitUntil([&] { return (gui.board().peekRegister(0x0F) >> 11 & 1) == 1; }));  // ILIM_CONFIG_CH1
    EXPECT_EQ(label("wireVerdictLabel"), protectedWire);
    EXPECT_TRUE(gui.find<QLabel>("pulseI2TOffLabel")->isHidden());

    // 8 A: 8.8 / 48 = 183 ms, 143 ms early, 232 ms late; 3 A trips on no curve.
    auto* calculator = gui.find<QLineEdit>("tripCalcCurrentBox");
    enter(calculator, "8");
    EXPECT_EQ(QStringList({label("tripCalcNominalLabel"), label("tripCalcMinimumLabel"), label("tripCalcMaximumLabel")}),
              QStringList({"183 ms", "143 ms", "232 ms"}));
    enter(calculator, "3");
    EXPECT_EQ(label("tripCalcMinimumLabel"), "no trip");

    // 12 A for 30 ms counts (12 / 0.94)^2 - 16 = 146.97 A2/s, 4.41 of 8.096
    // A2s; 14 A for 50 ms counts 10.29.
    const struct {
        const char* current;
        const char* duration;
        QStringList shown;  // verdict, margin, trip time
    } pulses[] = {{"12", "0.03", {"passes", "46 % of 8.1 A2s", "55.1 ms"}},
                  {"14", "0.05", {"trips", "-27 % of 8.1 A2s", "39.3 ms"}}};
    const char* checks[] = {"pulseOneCheckBox", "pulseTwoCheckBox"};
    for (int row = 0; row < 2; ++row) {
        const QByteArray n = QByteArray::number(row + 1);
        gui.find<QCheckBox>(checks[row])->setChecked(true);
        enter(gui.find<QLineEdit>("pulse" + n + "CurrentBox"), pulses[row].current);
        enter(gui.find<QLineEdit>("pulse" + n + "DurationBox"), pulses[row].duration);
        EXPECT_EQ(QStringList({label("pulse" + n + "VerdictLabel"), label("pulse" + n + "MarginLabel"),
                               label("pulse" + n + "TripTimeLabel")}),
                  pulses[row].shown);
    }

    // The markers in the verdict's colour, where the numbers put them.
    auto* i2tView = window.findChild<ChartPlot*>("i2tChart");
    harness::spin(150);
    const QImage image = window.grab().toImage();
    const auto red = [](QColor c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; };
    const auto passGreen = [](QColor c) { return c.green() > 120 && c.red() < 100 && c.blue() < 100; };
    EXPECT_TRUE(drawnNear(image, &window, i2tView, {12.0, 0.03}, passGreen));
    EXPECT_FALSE(drawnNear(image, &window, i2tView, {12.0, 0.03}, red));
    EXPECT_TRUE(drawnNear(image, &window, i2tView, {14.0, 0.05}, red));
    EXPECT_TRUE(image.save(screenshotFolder() + "/verdicts-16pin.png"));

    // A 1 % tolerance moves the minimum curve to 0.93 I: 53.8 ms at 12 A.
    auto* tolerance = gui.find<QLineEdit>("resToleranceBox");
    tolerance->setText("1");
    QTest::keyClick(tolerance, Qt::Key_Return);
    EXPECT_EQ(label("pulse1MarginLabel"), "44 % of 8.1 A2s");
    EXPECT_EQ(label("pulse1TripTimeLabel"), "53.8 ms");
    // Unticked: no verdict.
    gui.find<QCheckBox>("pulseTwoCheckBox")->setChecked(false);
    EXPECT_EQ(label("pulse2VerdictLabel"), "");
}

}  // namespace
