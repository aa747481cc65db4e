// Fault monitoring on the real window offscreen against the emulated board,
// with faults injected on the board: lamps, log lines, statistics, the fault
// reading mode, limp-home clear, the FAULT pin, the latch reset's pause, the
// forced-pin mirrors, and pictures of the fault views.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTime>
#include <QTimer>

#include "app/ReplyDispatcher.h"
#include "link/HSSCommunicationManager.h"
#include "protocol/HSSProtocol.h"
#include "ui/WidgetHelpers.h"
#include "ui/faults/FaultView.h"
#include "ui/widgets/FaultIndicator.h"

using harness::Gui;
using harness::waitUntil;

namespace {

constexpr uint16_t kSixteenPin = 0xFFF0;   // ZVR2M08A-K1
constexpr uint16_t kEighteenPin = 0xFF04;  // ZVR2M07A-K1

struct LogLines {
    explicit LogLines(AutoConfigurationGui& window)
    {
        QObject::connect(&window, &AutoConfigurationGui::logLineAppended, &window,
                         [this](const QString& line) { lines << line; });
    }
    qsizetype count(const QString& line) const { return lines.count(line); }
    QStringList lines;
};

bool isFaultList(const harness::WrittenCommand& command)
{
    if (command.code != hss::kCmdMixRead || command.payload.size() < 3)
        return false;
    const std::vector<uint8_t> head(command.payload.begin(), command.payload.begin() + 3);
    return head == std::vector<uint8_t>{0x04, 0x0D, 0x16} || head == std::vector<uint8_t>{0x03, 0x0C, 0x15};
}

int faultListReads(const EmulatedBoard& board)
{
    int reads = 0;
    for (const auto& command : harness::writtenCommands(board))
        reads += isFaultList(command) ? 1 : 0;
    return reads;
}

int faultPinReads(const EmulatedBoard& board)
{
    const auto requests = harness::serviceRequests(board);
    return int(std::count(requests.begin(), requests.end(), std::make_pair(hss::kIoctlReadGpio, uint8_t{3})));
}

bool faulted(Gui& gui, const char* lamp)
{
    return gui.find<FaultIndicator>(lamp)->property("faulted").toBool();
}

QString text(Gui& gui, const char* label)
{
    return gui.find<QLabel>(label)->text();
}

Gui& detected(Gui& gui)
{
    EXPECT_TRUE(gui.waitDetected());
    return gui;
}

TEST(FaultMonitor, RecordsCountRisingEdgesAndClearAllSparesLimpHome)
{
    harness::MessageRecorder messages;
    Gui gui(kSixteenPin);
    detected(gui);
    AutoConfigurationGui& window = gui.window();
    LogLines log(window);
    EmulatedBoard& board = gui.board();

    // Five polls of a thermal warning: one line, one count.
    board.injectFault(FaultRegister::Channel1, 0x0001);
    ASSERT_TRUE(waitUntil([&] { return faulted(gui, "thermalWarnCh1"); }));
    const int reads = faultListReads(board);
    ASSERT_TRUE(waitUntil([&] { return faultListReads(board) >= reads + 5; }));
    harness::spin(100);
    EXPECT_EQ(log.count("Thermal warning (CH1) detected."), 1);
    EXPECT_TRUE(faulted(gui, "faultBox1"));
    EXPECT_EQ(text(gui, "channelOneFaultLabel"), "Faulted");
    EXPECT_EQ(ui::textColor(gui.find<QLabel>("channelOneFaultLabel")), ui::kRed);
    EXPECT_EQ(text(gui, "channelTwoFaultLabel"), "No Fault");
    EXPECT_EQ(ui::textColor(gui.find<QLabel>("channelTwoFaultLabel")), ui::kBlack);

    gui.find<FaultIndicator>("thermalWarnCh1")->click();
    EXPECT_EQ(gui.find<QGroupBox>("statsGroupBox")->title(), "Statistics - Thermal Warning (CH1)");
    EXPECT_EQ(text(gui, "faultDescriptionLabel"),
              "Set if the junction temperature of CH1 rises above the thermal warning threshold.");
    EXPECT_EQ(text(gui, "currentFaultLabelStatus"), "Faulted");
    EXPECT_EQ(ui::textColor(gui.find<QLabel>("currentFaultLabelStatus")), ui::kRed);
    EXPECT_EQ(text(gui, "numberFaultLabel"), "1");
    EXPECT_NE(text(gui, "dateFaultLabel"), "Never");

    // A record that never faulted.
    gui.find<FaultIndicator>("olOffCh2")->click();
    EXPECT_EQ(text(gui, "numberFaultLabel"), "0");
    EXPECT_EQ(text(gui, "dateFaultLabel"), "Never");
    EXPECT_EQ(text(gui, "currentFaultLabelStatus"), "No Fault");
    EXPECT_EQ(ui::textColor(gui.find<QLabel>("currentFaultLabelStatus")), ui::kGreen);

    // Limp home: the clear button works only while the bit is set, and goes
    // straight to the chip even while edits are held back.
    auto* clearLimp = gui.find<QPushButton>("clearLimpButton");
    EXPECT_FALSE(clearLimp->isEnabled());
    board.injectFault(FaultRegister::Device, 0x0080);
    ASSERT_TRUE(waitUntil([&] { return clearLimp->isEnabled(); }));
    EXPECT_TRUE(faulted(gui, "limpHomeFaultBox"));
    window.manualPersistEnableCheckBox->setChecked(false);
    clearLimp->click();
    ASSERT_TRUE(waitUntil([&] {
        const auto writes = harness::singleWrites(board);
        return std::count(writes.begin(), writes.end(), std::make_pair(uint8_t{0x04}, uint16_t{0x0080})) == 1;
    }));
    ASSERT_FALSE(messages.messages.empty());
    EXPECT_EQ(messages.messages.back().caption, "Limp Home Reset");
    EXPECT_EQ(messages.messages.back().text, "Limp-Home fault reset.");
    EXPECT_EQ(messages.messages.back().icon, QMessageBox::Information);

    // "Clear All": counts restart, a lamp that is still red stays red, the
    // limp-home record keeps its count and date.
    gui.find<FaultIndicator>("thermalWarnCh1")->click();
    gui.find<QPushButton>("clearAllStatsButton")->click();
    EXPECT_EQ(log.lines.back(), "Fault statistics reset.");
    EXPECT_EQ(text(gui, "numberFaultLabel"), "0");
    EXPECT_EQ(text(gui, "dateFaultLabel"), "Never");
    EXPECT_TRUE(faulted(gui, "thermalWarnCh1"));
    gui.find<FaultIndicator>("limpHomeFaultBox")->click();
    EXPECT_EQ(text(gui, "numberFaultLabel"), "1");
    EXPECT_NE(text(gui, "dateFaultLabel"), "Never");

    // The count starts again at the next rising edge only.
    gui.find<FaultIndicator>("thermalWarnCh1")->click();
    harness::spin(1100);
    EXPECT_EQ(text(gui, "numberFaultLabel"), "0");
    board.clearInjectedFault(FaultRegister::Channel1, 0x0001);
    ASSERT_TRUE(waitUntil([&] { return !faulted(gui, "thermalWarnCh1"); }));
    EXPECT_EQ(log.count("Thermal warning (CH1) recovered."), 1);
    board.injectFault(FaultRegister::Channel1, 0x0001);
    ASSERT_TRUE(waitUntil([&] { return faulted(gui, "thermalWarnCh1"); }));
    EXPECT_EQ(text(gui, "numberFaultLabel"), "1");
    EXPECT_EQ(log.count("Thermal warning (CH1) detected."), 2);

    board.clearInjectedFault(FaultRegister::Device, 0x0080);
    EXPECT_TRUE(waitUntil([&] { return !clearLimp->isEnabled(); }));
}

TEST(FaultMonitor, SummaryBitsFaultPinAndWakeUpDriveOnlyWhatTheyMean)
{
    {
        Gui gui(kSixteenPin);
        detected(gui);
        LogLines log(gui.window());
        // Power-on reset is read (and so cleared) first.
        ASSERT_TRUE(waitUntil([&] { return log.count("Power on Reset (POR) recovered.") == 1; }));
        ASSERT_TRUE(waitUntil([&] { return text(gui, "faultPinLabel") == "Not Triggered"; }));
        const qsizetype before = log.lines.size();

        // The global bit alone: red global lamp, no line of its own; the chip
        // pulls its FAULT pin low.
        gui.board().injectFault(FaultRegister::Device, 0x0100);
        ASSERT_TRUE(waitUntil([&] { return faulted(gui, "faultBoxGlobal"); }));
        EXPECT_EQ(text(gui, "globalFaultLabel"), "Faulted");
        EXPECT_EQ(ui::textColor(gui.find<QLabel>("globalFaultLabel")), ui::kRed);
        ASSERT_TRUE(waitUntil([&] { return text(gui, "faultPinLabel") == "Triggered"; }));
        EXPECT_EQ(ui::textColor(gui.find<QLabel>("faultPinLabel")), ui::kRed);
        EXPECT_EQ(log.lines.size(), before);

        // A reply of the other family (still under way from a part swapped
        // out) changes nothing.
        gui.window().faultView->handle18PWPFaultResp(HSSMixReadCmd({0x03, 0x0C, 0x15}, context::kFault18));
        EXPECT_FALSE(gui.find<FaultIndicator>("thermalWarnCh118")->property("known").toBool());
        EXPECT_TRUE(faulted(gui, "faultBoxGlobal"));

        // A wake-up from LPM shows in words on the 16-pin page.
        EXPECT_EQ(text(gui, "lpmLabel1"), "Not Triggered");
        gui.board().injectFault(FaultRegister::Channel1, 0x0040);
        ASSERT_TRUE(waitUntil([&] { return text(gui, "lpmLabel1") == "Triggered"; }));
        EXPECT_EQ(ui::textColor(gui.find<QLabel>("lpmLabel1")), ui::kRed);
        EXPECT_EQ(text(gui, "lpmLabel2"), "Not Triggered");
        EXPECT_EQ(ui::textColor(gui.find<QLabel>("lpmLabel2")), ui::kGreen);
    }

    Gui gui(kEighteenPin);
    detected(gui);
    AutoConfigurationGui& window = gui.window();
    LogLines log(window);
    ASSERT_TRUE(waitUntil([&] { return gui.find<FaultIndicator>("faultBox2")->property("known").toBool(); }));

    // I2T accumulating is no channel fault.
    gui.board().injectFault(FaultRegister::Channel2, 0x1000);
    ASSERT_TRUE(waitUntil([&] { return faulted(gui, "i2tIndicatorCh2Box"); }));
    EXPECT_EQ(log.count("I2T (CH2) started accumulating."), 1);
    EXPECT_EQ(text(gui, "channelTwoFaultLabel"), "No Fault");
    EXPECT_FALSE(faulted(gui, "faultBox2"));

    // The chip woke from LPM by itself: the controls say "Active" again,
    // without writing the LPM register.
    window.dontRunEvents = true;
    gui.find<QRadioButton>("lpmRadioButton18")->setChecked(true);
    gui.find<QCheckBox>("lpmEnableBox")->setChecked(true);
    window.dontRunEvents = false;
    const std::size_t writes = harness::singleWrites(gui.board()).size();
    gui.board().injectFault(FaultRegister::Channel1, 0x0040);
    ASSERT_TRUE(waitUntil([&] { return gui.find<QRadioButton>("activeRadioButton18")->isChecked(); }));
    EXPECT_FALSE(gui.find<QRadioButton>("lpmRadioButton18")->isChecked());
    EXPECT_FALSE(gui.find<QCheckBox>("lpmEnableBox")->isChecked());
    EXPECT_EQ(log.count("LPM Wakeup (CH1) detected."), 1);
    harness::spin(200);
    EXPECT_EQ(harness::singleWrites(gui.board()).size(), writes);
}

TEST(FaultMonitor, ManualReadingReadsNothingUntilManualUpdateAndFollowsTheRefreshSwitch)
{
    Gui gui(kSixteenPin);
    detected(gui);
    AutoConfigurationGui& window = gui.window();
    LogLines log(window);
    EmulatedBoard& board = gui.board();
    auto* mode = gui.find<QComboBox>("faultUpdateStatus");
    auto* mode18 = gui.find<QComboBox>("faultUpdateStatus18");
    auto* update = gui.find<QPushButton>("manualUpdateButton");
    auto* update18 = gui.find<QPushButton>("manualUpdateButton18");
    ASSERT_TRUE(waitUntil([&] { return faultListReads(board) > 0 && faultPinReads(board) > 0; }));
    EXPECT_FALSE(update->isEnabled());

    mode->setCurrentIndex(1);
    EXPECT_EQ(log.lines.back(), "Fault reading changed to manual mode.");
    EXPECT_TRUE(window.manualUpdateEnabled);
    EXPECT_EQ(mode18->currentIndex(), 1);
    EXPECT_TRUE(update->isEnabled());
    EXPECT_TRUE(update18->isEnabled());
    harness::spin(600);  // a cycle that may have been under way finishes
    board.clearTrace();
    harness::spin(1200);
    EXPECT_EQ(faultListReads(board), 0);
    EXPECT_EQ(faultPinReads(board), 0);

    update->click();
    EXPECT_EQ(log.lines.back(), "Manual updated initiated.");
    ASSERT_TRUE(waitUntil([&] { return faultListReads(board) == 1; }));
    harness::spin(200);
    EXPECT_EQ(faultPinReads(board), 0);

    mode18->setCurrentIndex(0);
    EXPECT_EQ(log.lines.back(), "Fault reading changed to automatic mode.");
    EXPECT_FALSE(window.manualUpdateEnabled);
    EXPECT_EQ(mode->currentIndex(), 0);
    EXPECT_FALSE(update->isEnabled());
    EXPECT_FALSE(update18->isEnabled());

    // The refresh switch takes fault reading along, through the same handler.
    window.manualRefreshToolCheck->setChecked(false);
    EXPECT_TRUE(window.manualUpdateEnabled);
    EXPECT_EQ(log.count("Fault reading changed to manual mode."), 2);
    EXPECT_TRUE(update->isEnabled());
    window.manualRefreshToolCheck->setChecked(true);
    EXPECT_FALSE(window.manualUpdateEnabled);
    EXPECT_EQ(log.count("Fault reading changed to automatic mode."), 2);
    board.clearTrace();
    EXPECT_TRUE(waitUntil([&] { return faultListReads(board) > 0 && faultPinReads(board) > 0; }));
}

TEST(FaultMonitor, LatchResetPausesASecondWhileTheWindowLivesAndInputWaits)
{
    harness::MessageRecorder messages;
    Gui gui(kSixteenPin);
    detected(gui);
    AutoConfigurationGui& window = gui.window();
    LogLines log(window);
    EmulatedBoard& board = gui.board();
    board.pokeRegister(0x07, 0x0003);
    board.pokeRegister(0x1E, 0x0123);  // channel 2 cooldown "Latch"
    window.dontRunEvents = true;
    gui.find<QComboBox>("i2tChanNumBox")->setCurrentIndex(1);
    window.dontRunEvents = false;
    window.updateMainGUIFromSelection();
    auto* reset = gui.find<QPushButton>("resetLatchButton");
    ASSERT_TRUE(waitUntil([&] { return window.sixteenPWPFuseConfig.getI2TConfig(1) == 0x0123 && reset->isEnabled(); }));

    // While the reset waits: what reached the board, whether the fault view
    // moved, whether a click got through.
    struct Sample {
        qint64 ms;
        std::size_t writes;
        bool lampRed;
    };
    std::vector<Sample> samples;
    const std::size_t before = harness::singleWrites(board).size();
    bool busyCursor = false;
    QElapsedTimer clock;
    QTimer sampler;
    sampler.setInterval(10);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        samples.push_back({clock.elapsed(), harness::singleWrites(board).size() - before, faulted(gui, "thermalWarnCh2")});
        busyCursor = busyCursor || QApplication::overrideCursor() != nullptr;
        if (samples.size() == 20)
            QTest::mouseClick(gui.find<QPushButton>("clearAllStatsButton"), Qt::LeftButton);
    });
    board.injectFault(FaultRegister::Channel2, 0x0001);
    window.link()->queueHSSCommand(new HSSMixReadCmd({0x04, 0x0D, 0x16}, context::kFault16));
    clock.start();
    sampler.start();
    reset->click();
    const qint64 took = clock.elapsed();
    sampler.stop();

    ASSERT_TRUE(waitUntil([&] { return harness::singleWrites(board).size() >= before + 3; }));
    const auto all = harness::singleWrites(board);
    const std::vector<std::pair<uint8_t, uint16_t>> latch(all.begin() + long(before), all.end());
    const std::vector<std::pair<uint8_t, uint16_t>> expected{{0x07, 0x0001}, {0x1E, 0x4123}, {0x1E, 0x0123}};
    EXPECT_EQ(latch, expected);
    EXPECT_GE(took, 1000);
    for (const Sample& sample : samples) {
        if (sample.ms < 1000) {
            EXPECT_LE(sample.writes, 2u) << "cooldown bits cleared after " << sample.ms << " ms";
        }
    }
    ASSERT_GE(samples.size(), 20u);  // the event loop ran during the pause
    EXPECT_TRUE(std::any_of(samples.begin(), samples.end(), [](const Sample& s) { return s.lampRed; }));
    EXPECT_TRUE(busyCursor);
    EXPECT_EQ(log.count("Fault statistics reset."), 0);  // the click waited out
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages.back().text, "Latch state reset. The channel is now ready to be re-enabled");

    QTest::mouseClick(gui.find<QPushButton>("clearAllStatsButton"), Qt::LeftButton);
    EXPECT_EQ(log.count("Fault statistics reset."), 1);
}

TEST(FaultMonitor, ForcedPinRepliesReachTheirBoxesThroughTheDispatcher)
{
    Gui gui(kSixteenPin);
    detected(gui);
    AutoConfigurationGui& window = gui.window();
    LogLines log(window);
    auto* limp = gui.find<QCheckBox>("forceLimpCheckBox");
    auto* di = gui.find<QCheckBox>("forceDICheckBox");
    ASSERT_FALSE(limp->isChecked());

    // The pins change behind the window's back; their replies come through
    // the dispatcher like the ones asked for on connection.
    HSSCommunicationManager* link = window.link();
    link->queueHSSCommand(new HSSWriteGPIOCTLCmd(1, true));
    link->queueHSSCommand(new HSSReadGPIOCTLCmd(1, context::kGpioRead));
    ASSERT_TRUE(waitUntil([&] { return limp->isChecked(); }));
    EXPECT_EQ(log.count("Limp home input (LHI) forced high."), 1);
    EXPECT_TRUE(window.sixteenPWPFuseConfig.isLHIForced());

    link->queueHSSCommand(new HSSWriteGPIOCTLCmd(2, true));
    link->queueHSSCommand(new HSSReadGPIOCTLCmd(2, context::kGpioRead));
    ASSERT_TRUE(waitUntil([&] { return di->isChecked(); }));
    EXPECT_EQ(log.count("DI input forced high."), 1);
    EXPECT_TRUE(window.sixteenPWPFuseConfig.isDIForced());

    // The same level again changes nothing.
    link->queueHSSCommand(new HSSReadGPIOCTLCmd(2, context::kGpioRead));
    link->queueHSSCommand(new HSSReadGPIOCTLCmd(1, context::kGpioRead));
    harness::spin(300);
    EXPECT_EQ(log.count("DI input forced high."), 1);
    EXPECT_EQ(log.count("Limp home input (LHI) forced high."), 1);
    EXPECT_FALSE(window.dontRunEvents);
}

QString screenshotFolder()
{
    const QByteArray bin = qgetenv("KC_BIN_DIR");
    QDir dir(bin.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(bin) + "/..");
    dir.mkpath(QStringLiteral("screenshots/faults"));
    return dir.filePath(QStringLiteral("screenshots/faults"));
}

// The colour at the middle of a lamp, as the window's picture shows it.
QColor lampColour(const QImage& image, QWidget* window, QWidget* lamp)
{
    const QPoint centre = lamp->mapTo(window, lamp->rect().center());
    return image.pixelColor(centre);
}

TEST(FaultMonitor, PicturesShowRedLampsWhereFaultsAreRaised)
{
    struct Part {
        uint16_t devid;
        const char* name;
        const char* faultedLamp;
        const char* clearLamp;
    };
    for (const Part& part : {Part{kSixteenPin, "16pwp", "thermalWarnCh1", "olOffCh1"},
                             Part{kEighteenPin, "18pwp", "thermalWarnCh118", "olOffCh118"}}) {
        Gui gui(part.devid);
        detected(gui);
        AutoConfigurationGui& window = gui.window();
        gui.board().injectFault(FaultRegister::Channel1, 0x0081);
        gui.board().injectFault(FaultRegister::Channel2, 0x1004);
        gui.board().injectFault(FaultRegister::Device, 0x0180);
        ASSERT_TRUE(waitUntil([&] { return faulted(gui, part.faultedLamp) && faulted(gui, "faultBox1"); }));
        gui.find<FaultIndicator>(part.faultedLamp)->click();
        auto* tabs = gui.find<QTabWidget>("mainTabControl");
        const QString suffix = part.devid == kEighteenPin ? "18pwp" : "16pwp";
        for (QWidget* page : {static_cast<QWidget*>(window.commandCenterPage),
                              gui.find<QWidget>(qPrintable("devSettingPage" + suffix))}) {
            window.dontRunEvents = true;
            tabs->setCurrentWidget(page);
            window.dontRunEvents = false;
            harness::spin(150);
            const QImage image = window.grab().toImage();
            const bool settings = page != window.commandCenterPage;
            const QColor red = lampColour(image, &window, gui.find<QWidget>(settings ? part.faultedLamp : "faultBox1"));
            EXPECT_GT(red.red(), 150) << part.name;
            EXPECT_LT(red.green(), 100) << part.name;
            if (settings) {
                const QColor green = lampColour(image, &window, gui.find<QWidget>(part.clearLamp));
                EXPECT_GT(green.green(), green.red()) << part.name;
                EXPECT_GT(green.green(), 100) << part.name;
            }
            EXPECT_TRUE(image.save(screenshotFolder() + "/" + part.name + "-" + page->objectName() + ".png"));
        }
    }
}

}  // namespace

// The history on the 18-pin page: an I2T trip on channel 2 and its recovery
// are two rows, newest first, both with how long the trip lasted; the
// filters, "Save as CSV..." and "Clear All" act on them.
TEST(FaultMonitor, HistoryHoldsTheRaiseAndTheClearOfAnI2TTrip)
{
    harness::MessageRecorder dialogs;
    Gui gui(kEighteenPin);
    detected(gui);
    EmulatedBoard& board = gui.board();
    auto* table = gui.find<QWidget>("faultHistory18");
    ASSERT_NE(table, nullptr);
    const auto rows = [&] { return table->property("rows").toStringList(); };
    const auto i2tRows = [&] { return rows().filter("I2T Fault (CH2)"); };

    board.injectFault(FaultRegister::Channel2, 0x0080);
    ASSERT_TRUE(waitUntil([&] { return i2tRows().size() == 1; }));
    EXPECT_TRUE(i2tRows()[0].endsWith(",2,I2T Fault (CH2),raised,still set")) << i2tRows()[0].toStdString();
    // Held over at least two more polls (500 ms apart).
    const int reads = faultListReads(board);
    ASSERT_TRUE(waitUntil([&] { return faultListReads(board) >= reads + 2; }));
    board.clearInjectedFault(FaultRegister::Channel2, 0x0080);
    ASSERT_TRUE(waitUntil([&] { return i2tRows().size() == 2; }));

    const QStringList trip = i2tRows();
    EXPECT_EQ(rows().first(), trip[0]);  // newest first
    const QStringList cleared = trip[0].split(',');
    const QStringList raised = trip[1].split(',');
    ASSERT_EQ(cleared.size(), 5);
    ASSERT_EQ(raised.size(), 5);
    EXPECT_EQ(cleared.mid(1, 3), QStringList({"2", "I2T Fault (CH2)", "cleared"}));
    EXPECT_EQ(raised.mid(1, 3), QStringList({"2", "I2T Fault (CH2)", "raised"}));
    // "1.000 s": from the raise to the clear, on both rows.
    EXPECT_EQ(raised[4], cleared[4]);
    ASSERT_TRUE(cleared[4].endsWith(" s"));
    const double lasted = cleared[4].chopped(2).toDouble();
    EXPECT_GE(lasted, 0.4) << cleared[4].toStdString();
    const QTime raisedAt = QTime::fromString(raised[0], "hh:mm:ss.zzz");
    const QTime clearedAt = QTime::fromString(cleared[0], "hh:mm:ss.zzz");
    ASSERT_TRUE(raisedAt.isValid());
    EXPECT_NEAR(raisedAt.msecsTo(clearedAt), lasted * 1000.0, 1.0);

    // Filtered to channel 1 the trip is gone; to its record it is all there is.
    auto* channel = gui.find<QComboBox>("faultHistoryChannelBox18");
    auto* record = gui.find<QComboBox>("faultHistoryRecordBox18");
    channel->setCurrentIndex(2);  // "Channel 1"
    EXPECT_TRUE(rows().filter("I2T Fault (CH2)").isEmpty());
    channel->setCurrentIndex(3);  // "Channel 2"
    record->setCurrentText("I2T Fault (CH2)");
    EXPECT_EQ(rows(), trip);
    // The 16-pin page's own filter is untouched.
    EXPECT_EQ(gui.find<QWidget>("faultHistory")->property("rows").toStringList().filter("I2T Fault (CH2)"), trip);

    // The CSV holds the rows shown, with dates.
    QTemporaryDir dir;
    dialogs.files.push_back(dir.filePath("trip"));
    gui.find<QPushButton>("faultHistorySaveButton18")->click();
    QFile csv(dir.filePath("trip.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList csvLines = QString::fromUtf8(csv.readAll()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(csvLines.size(), 3);
    EXPECT_EQ(csvLines[0], "time,channel,record,event,duration (s)");
    EXPECT_TRUE(csvLines[1].contains(" " + cleared[0] + ",2,\"I2T Fault (CH2)\",cleared,")) << csvLines[1].toStdString();
    EXPECT_TRUE(csvLines[2].contains(",2,\"I2T Fault (CH2)\",raised,"));

    gui.find<QPushButton>("clearAllStatsButton18")->click();
    EXPECT_TRUE(rows().isEmpty());
}
