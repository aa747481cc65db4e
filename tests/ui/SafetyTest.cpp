// Safety self-tests, test mode and sleep on the real window offscreen against
// the emulated board: what the views show for the chip's self-test results,
// what reached the chip for Initiate/Reset, test-mode entry, the test
// selections and registers, and the order of a sleep and wake.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QTabBar>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <functional>

#include "link/HSSCommunicationManager.h"
#include "protocol/HSSProtocol.h"
#include "ui/WidgetHelpers.h"
#include "ui/pages/SafetyPage.h"
#include "ui/safety/SafetyView.h"
#include "ui/safety/TestModeView.h"
#include "ui/sense/SenseMonitor.h"
#include "ui/widgets/FaultIndicator.h"

using harness::Gui;
using harness::waitUntil;

namespace {

constexpr uint16_t kSafetyPart = 0xFFF2;   // ZVR2M08AF-K1, 16-pin
constexpr uint16_t kEighteenPin = 0xFF04;  // ZVR2M07A-K1

using Write = std::pair<uint8_t, uint16_t>;

bool faulted(Gui& gui, const char* lamp)
{
    return gui.find<FaultIndicator>(lamp)->property("faulted").toBool();
}

QString text(Gui& gui, const char* name)
{
    return gui.find<QLabel>(name)->text();
}

long countOf(const std::vector<Write>& writes, Write write)
{
    return std::count(writes.begin(), writes.end(), write);
}

// Answers boxes by caption; anything else takes its default button.
class Answers : public DialogSeam::Responder {
public:
    Answers() { DialogSeam::setResponder(this); }
    ~Answers() override { DialogSeam::setResponder(nullptr); }
    QMessageBox::StandardButton onMessage(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton def) override
    {
        captions << caption;
        if (caption == QStringLiteral("Sleep Mode")) {
            confirmText = text;
            confirmIcon = icon;
            return sleepAnswer;
        }
        if (caption == QStringLiteral("Sleep Mode Entered") && whileAsleep)
            whileAsleep();
        return DialogSeam::defaultButtonOf(buttons, def);
    }
    QString onFileDialog(bool, const QString&, const QString&) override { return {}; }

    QMessageBox::StandardButton sleepAnswer = QMessageBox::Yes;
    std::function<void()> whileAsleep;
    QStringList captions;
    QString confirmText;
    QMessageBox::Icon confirmIcon = QMessageBox::NoIcon;
};

TEST(Safety, SelfTestResultsChangeOnlyRowsThatDifferAndHeadersFollow)
{
    Gui gui(kSafetyPart);
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    EmulatedBoard& board = gui.board();
    SafetyView& view = *window.safetyView;
    EXPECT_EQ(text(gui, "bandgapSafetyLabel"), "Not Faulted");
    ASSERT_TRUE(waitUntil([&] { return gui.find<FaultIndicator>("bandgapSafetyBox")->isKnown(); }));
    EXPECT_EQ(view.resultRedraws(), 0);

    // ABIST_RESULT 0x0001, read by poll after poll: one change, one redraw.
    board.setSelfTestFailures(0x0001);
    gui.find<QPushButton>("bandgapInitiateTestButton")->click();
    ASSERT_TRUE(waitUntil([&] { return faulted(gui, "bandgapSafetyBox"); }));
    const auto abistReads = [&] {
        const auto reads = harness::singleReads(board);
        return std::count(reads.begin(), reads.end(), uint8_t{0x06});
    };
    const long reads = abistReads();
    ASSERT_TRUE(waitUntil([&] { return abistReads() >= reads + 3; }));
    harness::spin(100);
    EXPECT_EQ(view.resultRedraws(), 1);
    EXPECT_EQ(text(gui, "bandgapSafetyLabel"), "Faulted");
    EXPECT_EQ(ui::textColor(gui.find<QLabel>("bandgapSafetyLabel")), ui::kRed);
    EXPECT_EQ(window.safety->safetyTabHeaderColor(0), ui::kRed);
    EXPECT_EQ(window.safety->safetyTabHeaderColor(1), ui::kGreen);

    // 0x0000: back to green "No Fault".
    board.setSelfTestFailures(0x0000);
    ASSERT_TRUE(waitUntil([&] { return !faulted(gui, "bandgapSafetyBox"); }));
    EXPECT_EQ(text(gui, "bandgapSafetyLabel"), "No Fault");
    EXPECT_EQ(ui::textColor(gui.find<QLabel>("bandgapSafetyLabel")), ui::kGreen);
    EXPECT_EQ(window.safety->safetyTabHeaderColor(0), ui::kGreen);
    EXPECT_EQ(view.resultRedraws(), 2);

    // Bit 4 is the OTP check (run at power-up), bit 5 the current test.
    board.setSelfTestFailures(0x0030);
    ASSERT_TRUE(waitUntil([&] { return faulted(gui, "otpSafetyBox"); }));
    EXPECT_FALSE(faulted(gui, "currentSafetyBox"));  // not started
    gui.find<QPushButton>("currentInitiateTestButton")->click();
    ASSERT_TRUE(waitUntil([&] { return faulted(gui, "currentSafetyBox"); }));
    EXPECT_EQ(text(gui, "otpSafetyLabel"), "Faulted");
    EXPECT_EQ(text(gui, "currentSafetyLabel"), "Faulted");
    EXPECT_EQ(window.safety->safetyTabHeaderColor(4), ui::kRed);
    EXPECT_EQ(window.safety->safetyTabHeaderColor(5), ui::kRed);
    for (const char* clear : {"bandgapSafetyBox", "adcSafetyBox", "ch1SafetyShortBox", "ch2SafetyShortBox"})
        EXPECT_FALSE(faulted(gui, clear)) << clear;
}

TEST(Safety, InitiateAndResetWriteSafetyTestAndMarkTheCaptionOnce)
{
    Gui gui(kSafetyPart);
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    EmulatedBoard& board = gui.board();
    auto* tabs = window.safety->safetyTabControl;
    // Held-back edits must not hold a self-test back: the write-out would
    // send SAFETY_TEST as 0.
    window.manualPersistEnableCheckBox->setChecked(false);
    harness::spin(200);

    auto* initiate = gui.find<QPushButton>("adcSafetyInitiateTestButton");
    initiate->click();
    initiate->click();
    EXPECT_EQ(tabs->tabText(1), "*ADC");
    EXPECT_EQ(text(gui, "adcTestPendingLabel"), "Test Intiated");
    EXPECT_EQ(ui::textColor(gui.find<QLabel>("adcTestPendingLabel")), ui::kDarkOrange);
    ASSERT_TRUE(waitUntil([&] { return countOf(harness::singleWrites(board), {0x08, 0x0002}) == 2; }));
    EXPECT_EQ(board.peekRegister(0x08), 0x0002);

    gui.find<QPushButton>("adcSafetyResetTestButton")->click();
    EXPECT_EQ(tabs->tabText(1), "ADC");
    EXPECT_EQ(text(gui, "adcTestPendingLabel"), "Test Not Intiated");
    EXPECT_EQ(ui::textColor(gui.find<QLabel>("adcTestPendingLabel")), ui::kBlack);
    gui.find<QPushButton>("bandgapInitiateTestButton")->click();
    gui.find<QPushButton>("bandgapResetTestButton")->click();
    EXPECT_EQ(text(gui, "bandgapTestPendingLabel"), "No Test Initiated");
    ASSERT_TRUE(waitUntil([&] { return countOf(harness::singleWrites(board), {0x08, 0x0000}) == 2; }));
    EXPECT_EQ(window.sixteenPWPFuseConfig.getTest(), 0);
}

TEST(Safety, TestModeEntryKeysSelectionsAndRegisters)
{
    Gui gui(kSafetyPart);
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    EmulatedBoard& board = gui.board();
    window.mainTabControl->addTab(window.testModeTab, QStringLiteral("Test Mode"));
    board.clearTrace();

    gui.find<QPushButton>("enterTestModeButton")->click();
    // The four keys in order, then TEST_CTRL read; no poll slipped in between.
    const std::vector<Write> keys{{0x71, 0x5EB3}, {0x71, 0x6B3B}, {0x71, 0xD5CD}, {0x71, 0x9C1E}};
    EXPECT_EQ(harness::singleWrites(board), keys);
    ASSERT_TRUE(waitUntil([&] { return board.isChipInTestMode(); }));
    for (const harness::WrittenCommand& command : harness::writtenCommands(board))
        EXPECT_TRUE(command.code == hss::kCmdSingleWrite || command.code == hss::kCmdSingleRead) << int(command.code);
    EXPECT_FALSE(window.pauseDeviceDetection);
    EXPECT_FALSE(window.manualUpdateEnabled);
    ASSERT_TRUE(waitUntil([&] {
        const auto reads = harness::singleReads(board);
        return std::count(reads.begin(), reads.end(), uint8_t{0x75}) == 1;
    }));

    // A TEST_CTRL reply of 0x0A05 selects analog 10 and digital 5, writing nothing.
    board.pokeRegister(0x75, 0x0A05);
    gui.find<QPushButton>("enterTestModeButton")->click();
    auto* analog = gui.find<QComboBox>("aTestBox");
    auto* digital = gui.find<QComboBox>("dTestBox");
    ASSERT_TRUE(waitUntil([&] { return analog->currentIndex() == 10; }));
    EXPECT_EQ(digital->currentIndex(), 5);
    EXPECT_EQ(window.testModeView->testCtlReg(), 0x0A05);
    EXPECT_EQ(text(gui, "testCtlValueLabel"), "0x0A05");
    harness::spin(100);
    const auto writes = harness::singleWrites(board);
    EXPECT_EQ(std::count_if(writes.begin(), writes.end(), [](const Write& w) { return w.first == 0x75; }), 0);

    // A selection writes the whole register, the other field kept.
    digital->setCurrentIndex(7);
    ASSERT_TRUE(waitUntil([&] { return board.peekRegister(0x75) == 0x0A07; }));

    // Trim and control registers: a read fills its box, a write reaches the chip.
    gui.find<QPushButton>("trimReg42ReadButton")->click();
    const QString factoryTrim = QString::number(board.peekRegister(0x42), 16).toUpper();
    ASSERT_TRUE(waitUntil([&] { return gui.find<QLineEdit>("trimReg42Box")->text() == factoryTrim; }));
    EXPECT_TRUE(gui.consoleText().isEmpty());
    auto* control = gui.find<QLineEdit>("testCtlReg72Box");
    control->setText(QStringLiteral("0x0abc"));
    gui.find<QPushButton>("testCtlReg72WriteButton")->click();
    ASSERT_TRUE(waitUntil([&] { return board.peekRegister(0x72) == 0x0ABC; }));
    control->setText(QStringLiteral("12345"));
    gui.find<QPushButton>("testCtlReg72WriteButton")->click();
    EXPECT_TRUE(gui.logText().contains("Register 0x72 not written: \"12345\" is not a hexadecimal value from 0 to FFFF."));
    control->clear();
    gui.find<QPushButton>("testCtlReg72ReadButton")->click();
    EXPECT_TRUE(waitUntil([&] { return control->text() == "ABC"; }));
}

// Sense configurations, single and mixed writes from the trace, as text.
QStringList sleepTraffic(const EmulatedBoard& board)
{
    QStringList traffic;
    for (const harness::WrittenCommand& c : harness::writtenCommands(board)) {
        if (c.code == hss::kCmdSenseConfig)
            traffic << QStringLiteral("sense %1 interval %2").arg(c.payload[1]).arg(c.payload[0]);
        else if (c.code == hss::kCmdSingleWrite)
            traffic << QStringLiteral("write %1=%2").arg(c.payload[0], 2, 16, QLatin1Char('0')).arg(
                           c.payload[1] | (c.payload[2] << 8), 4, 16, QLatin1Char('0'));
        else if (c.code == hss::kCmdMixWrite)
            traffic << QStringLiteral("mix %1").arg(c.payload[0]);
    }
    return traffic;
}

TEST(Safety, NoAtTheSleepConfirmationSendsNothing)
{
    Answers answers;
    answers.sleepAnswer = QMessageBox::No;
    Gui gui(kSafetyPart);
    ASSERT_TRUE(gui.waitDetected());
    gui.board().clearTrace();
    gui.find<QPushButton>("sleepModeSafetyButton")->click();
    harness::spin(300);
    EXPECT_EQ(answers.confirmIcon, QMessageBox::Warning);
    EXPECT_EQ(answers.confirmText,
              "Note that when the device enters sleep mode, all SPI reads/writes are ignored until sleep mode is "
              "exited (by clicking this button again). Graphing sense values will also be disabled and all channels "
              "are turned off. Proceed? ");
    EXPECT_TRUE(sleepTraffic(gui.board()).isEmpty());
    EXPECT_FALSE(gui.board().isChipAsleep());
}

TEST(Safety, SleepSendsItsStepsInOrderAndWakingRestoresTheConfiguration)
{
    struct Part {
        uint16_t devid;
        QStringList expected;
        const char* pwmBox;
        uint8_t pwmRegister;
    };
    const Part parts[] = {
        {kSafetyPart, {"sense 0 interval 0", "write 07=0000", "write 02=0001", "write ff=ffff", "mix 17"},
         "cmdPWMFreqBox1", 0x0E},
        {kEighteenPin, {"sense 0 interval 0", "write 06=0000", "write 01=0001", "write ff=ffff", "mix 15", "mix 8"},
         "cmdPWMFreqBox1", 0x0D},
    };
    for (const Part& part : parts) {
        Answers answers;
        Gui gui(part.devid);
        ASSERT_TRUE(gui.waitDetected());
        AutoConfigurationGui& window = gui.window();
        EmulatedBoard& board = gui.board();
        bool asleepDuringBox = false;
        answers.whileAsleep = [&] { asleepDuringBox = board.isChipAsleep(); };

        // Graphing on, channel 1 switched on, a PWM setting the chip would lose.
        auto* senseChannels = gui.find<QListWidget>("senseChannelBox");
        senseChannels->item(0)->setCheckState(Qt::Checked);
        auto* enables = gui.find<QListWidget>("enChanBoxCC");
        enables->item(0)->setCheckState(Qt::Checked);
        gui.find<QComboBox>(part.pwmBox)->setCurrentIndex(3);
        ASSERT_TRUE(waitUntil([&] {
            return board.loadCurrent(0) > 0.1 && window.isCurrentSenseEnabled && board.peekRegister(part.pwmRegister) != 0;
        }));
        const uint16_t pwm = board.peekRegister(part.pwmRegister);
        board.clearTrace();

        gui.find<QPushButton>("sleepModeButton")->click();
        EXPECT_TRUE(asleepDuringBox) << part.devid;
        EXPECT_TRUE(waitUntil([&] { return sleepTraffic(board).size() >= part.expected.size(); }));
        EXPECT_EQ(sleepTraffic(board), part.expected) << part.devid;
        EXPECT_EQ(answers.captions, (QStringList{"Sleep Mode", "Sleep Mode Entered", "Configuration Restored"}));

        // Awake with the configuration back; both channels stay off, the sense
        // selections stay cleared, the polls run again.
        EXPECT_FALSE(board.isChipAsleep());
        ASSERT_TRUE(waitUntil([&] { return board.peekRegister(part.pwmRegister) == pwm; }));
        EXPECT_EQ(board.loadCurrent(0), 0.0);
        EXPECT_EQ(window.sixteenPWPFuseConfig.getSwitchState() | window.eighteenPWPFuseConfig.getSwitchState(), 0);
        EXPECT_EQ(enables->item(0)->checkState(), Qt::Unchecked);
        EXPECT_EQ(senseChannels->item(0)->checkState(), Qt::Unchecked);
        EXPECT_FALSE(window.isCurrentSenseEnabled);
        EXPECT_FALSE(window.dontRunEvents);
        EXPECT_FALSE(window.manualUpdateEnabled);
        EXPECT_FALSE(window.pauseDeviceDetection);
        // The chip woke with CRC off and got the record's CRC bit (off) back.
        EXPECT_FALSE(board.isCrcEnabled());
        EXPECT_TRUE(gui.logText().contains("Sleep mode exited. Configuration restored."));
    }
}

TEST(Safety, BoardPulledWhileTheChipSleepsWritesNothingAndResumesThePolls)
{
    Answers answers;
    Gui gui(kSafetyPart);
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    EmulatedBoard& board = gui.board();
    answers.whileAsleep = [&] {
        board.unplug();
        waitUntil([&] { return text(gui, "connectionLabel") == "Disconnected"; });
        board.clearTrace();
    };
    gui.find<QPushButton>("sleepModeButton")->click();
    EXPECT_TRUE(sleepTraffic(board).isEmpty());
    EXPECT_FALSE(answers.captions.contains("Configuration Restored"));
    EXPECT_TRUE(gui.logText().contains("Sleep mode exited, but the board was disconnected while the device slept: its "
                                       "configuration was not restored."));
    EXPECT_FALSE(window.pauseDeviceDetection);
    EXPECT_FALSE(window.manualUpdateEnabled);

    board.plug();
    EXPECT_TRUE(gui.waitDetected());
}

QString screenshotFolder()
{
    const QByteArray bin = qgetenv("KC_BIN_DIR");
    QDir dir(bin.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(bin) + "/..");
    dir.mkpath(QStringLiteral("screenshots/safety"));
    return dir.filePath(QStringLiteral("screenshots/safety"));
}

// How many pixels of a widget's area in the window's picture are mostly red,
// mostly green, or dark (text).
struct Inks {
    int red = 0, green = 0, dark = 0;
};
Inks inksOf(const QImage& image, QWidget* window, QWidget* widget, QRect area = {})
{
    if (area.isNull())
        area = widget->rect();
    const QRect inWindow(widget->mapTo(window, area.topLeft()), area.size());
    Inks inks;
    for (int y = inWindow.top(); y <= inWindow.bottom(); ++y) {
        for (int x = inWindow.left(); x <= inWindow.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            inks.red += c.red() > 150 && c.green() < 90 && c.blue() < 90;
            inks.green += c.green() > 90 && c.red() < 80 && c.blue() < 80;
            inks.dark += c.red() < 80 && c.green() < 80 && c.blue() < 80;
        }
    }
    return inks;
}

TEST(Safety, PicturesOfTheSafetyPageWithOneFailedTestAndOfTheTestModePage)
{
    Gui gui(kSafetyPart);
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    window.mainTabControl->addTab(window.testModeTab, QStringLiteral("Test Mode"));
    gui.board().setSelfTestFailures(0x0004);
    gui.find<QPushButton>("ch1SafetyInitiateTestButton")->click();
    ASSERT_TRUE(waitUntil([&] { return faulted(gui, "ch1SafetyShortBox"); }));
    ASSERT_TRUE(waitUntil([&] { return gui.find<FaultIndicator>("bandgapSafetyBox")->isKnown(); }));

    window.dontRunEvents = true;
    window.mainTabControl->setCurrentWidget(window.safetyTab16pwp);
    window.safety->safetyTabControl->setCurrentIndex(2);
    window.dontRunEvents = false;
    harness::spin(200);
    QImage image = window.grab().toImage();
    EXPECT_TRUE(image.save(screenshotFolder() + "/safety-fet-short-ch1-failed.png"));
    QTabBar* bar = window.safety->safetyTabControl->tabBar();
    const Inks failedHeader = inksOf(image, &window, bar, bar->tabRect(2));
    const Inks clearHeader = inksOf(image, &window, bar, bar->tabRect(3));
    EXPECT_GT(failedHeader.red, 20);
    EXPECT_EQ(failedHeader.green, 0);
    EXPECT_GT(clearHeader.green, 20);
    EXPECT_EQ(clearHeader.red, 0);
    auto* lamp = gui.find<FaultIndicator>("ch1SafetyShortBox");
    EXPECT_GT(inksOf(image, &window, lamp).red, lamp->width() * lamp->height() / 4);
    EXPECT_GT(inksOf(image, &window, gui.find<QLabel>("ch1SafetyShortLabel")).red, 10);

    window.dontRunEvents = true;
    window.mainTabControl->setCurrentWidget(window.testModeTab);
    window.dontRunEvents = false;
    gui.board().pokeRegister(0x75, 0x0A05);
    gui.find<QPushButton>("enterTestModeButton")->click();
    ASSERT_TRUE(waitUntil([&] { return text(gui, "testCtlValueLabel") == "0x0A05"; }));
    harness::spin(200);
    image = window.grab().toImage();
    EXPECT_TRUE(image.save(screenshotFolder() + "/test-mode.png"));
    // The selectors and the register value are drawn (not an empty page).
    EXPECT_GT(inksOf(image, &window, gui.find<QLabel>("testCtlValueLabel")).dark, 20);
    EXPECT_GT(inksOf(image, &window, gui.find<QComboBox>("aTestBox")).dark, 20);
    EXPECT_GT(inksOf(image, &window, gui.find<QPushButton>("enterTestModeButton")).dark, 20);
}

}  // namespace
