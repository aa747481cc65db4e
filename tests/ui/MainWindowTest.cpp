// The real window offscreen against the in-process emulated board: layout,
// connection, polls, shutdown.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBrowser>

#include <thread>

#include "link/HSSCommunicationManager.h"
#include "protocol/HSSProtocol.h"
#include "ui/WidgetHelpers.h"
#include "ui/faults/FaultView.h"
#include "ui/pages/SafetyPage.h"

using harness::Gui;
using harness::waitUntil;

TEST(MainWindow, LayoutNamesAndStartState)
{
    Gui gui(std::nullopt, false);  // nothing attached: the window stays as built
    AutoConfigurationGui& window = gui.window();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Keldor Configurator - v3.0.5"));
    EXPECT_EQ(window.objectName(), QStringLiteral("AutoConfigurationGui"));
    EXPECT_GE(window.centralWidget()->width(), 1400);

    // Four pages shown, nine put aside but still reachable by name.
    EXPECT_EQ(gui.tabTexts(), (QStringList{"Command Center", "Console", "Log", "Datasheet"}));
    // The pages open at once; what talks to the chip waits for one.
    EXPECT_TRUE(gui.find<QTabWidget>("mainTabControl")->isEnabled());
    EXPECT_FALSE(gui.chipControlsOn());
    EXPECT_FALSE(gui.find<QWidget>("commandBox")->isEnabled());
    for (const char* page : {"commandCenterPage", "fuseTunerPage16pwp", "devSettingPage16pwp", "chanSettingsPage16pwp",
                             "fuseTunerPage18pwp", "devSettingPage18pwp", "chanSettingsPage18pwp", "consolePage",
                             "logPage", "safetyTab16pwp", "testModeTab", "datasheetTab", "userDataTab"}) {
        EXPECT_NE(gui.find<QWidget>(page), nullptr) << page;
    }

    struct Item {
        const char* name;
        const char* text;
        bool checkable;
        bool checked;
        bool enabled;
    };
    const Item items[] = {
        // Settings files belong to a part: off until one is identified.
        {"saveSettingsToolStripMenuItem", "Save Settings", false, false, false},
        {"loaToolStripMenuItem", "Load Settings", false, false, false},
        {"exitToolStripMenuItem", "Exit", false, false, true},
        {"enterDFUModeToolStripMenuItem", "Enter DFU Mode", false, false, true},
        {"manualPersistEnableCheckBox", "Persist", true, true, true},
        {"manualRefreshToolCheck", "Refresh", true, true, true},
        {"manualPersistToolStripMenuItem", "Manual Persist", false, false, true},
        {"manualRefreshToolStripMenuItem", "Manual Refresh", false, false, true},
        {"persistToDeviceFlashToolStripMenuItem", "Persist to MCU flash", false, false, true},
        {"loadFromDeviceFlashToolStripMenuItem", "Load from MCU flash", false, false, true},
        {"eraseMCUFlashToolStripMenuItem", "Erase MCU flash", false, false, true},
        {"saveToEEPROMToolStripMenuItem", "Save to EEPROM", false, false, false},
        {"cStructToolStripMenuItem", "Configuration Files", false, false, true},
        {"demoModeToolStripMenuItem", "Demo/Config Mode", true, false, true},
        {"aboutToolStripMenuItem", "About", false, false, true},
    };
    for (const Item& item : items) {
        auto* action = gui.find<QAction>(item.name);
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), QString::fromLatin1(item.text)) << item.name;
        EXPECT_EQ(action->isCheckable(), item.checkable) << item.name;
        EXPECT_EQ(action->isChecked(), item.checked) << item.name;
        EXPECT_EQ(action->isEnabled(), item.enabled) << item.name;
    }
    for (const char* menu : {"fileToolStripMenuItem", "toolsToolStripMenuItem", "settingsToolStripMenuItem",
                             "flashPersistToolStripMenuItem", "eEPROMToolStripMenuItem", "exportToolStripMenuItem",
                             "helpToolStripMenuItem", "autoPersistRefreshSettingsToolStripMenuItem"}) {
        EXPECT_NE(gui.find<QMenu>(menu), nullptr) << menu;
    }

    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), QStringLiteral("DEVICE NOT DETECTED"));
    EXPECT_EQ(gui.find<QLabel>("connectionStatusLabel")->text(), QStringLiteral("Connection Status: "));
    EXPECT_EQ(gui.find<QLabel>("toolStatusLabel")->text(), QStringLiteral("Status: "));
    EXPECT_TRUE(ui::showsUnknown(gui.find<QLabel>("inputVoltageValueLabel")));  // not read: no made-up 0V
    EXPECT_FALSE(gui.find<QLabel>("inputVoltageValueLabel")->isVisible());
    EXPECT_FALSE(gui.find<QWidget>("demoPartBox")->isVisible());
    EXPECT_EQ(gui.find<QComboBox>("demoPartBox")->currentIndex(), 2);

    // Images come from images/ (the tests run in the repository root).
    EXPECT_FALSE(window.redButton.isNull());
    EXPECT_FALSE(window.greenButton.isNull());
    EXPECT_FALSE(window.bandGapPic.isNull());
    EXPECT_FALSE(gui.logText().contains(QStringLiteral("not found")));

    // The datasheet page shows the register reference shipped with the tool.
    auto* browser = gui.find<QTextBrowser>("datasheetBrowser");
    EXPECT_TRUE(browser->source().isLocalFile());
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("DEVID")));
}

TEST(MainWindow, StartWithTheBoardAttachedConnectsAndAsksVersionAndPins)
{
    Gui gui;
    ASSERT_TRUE(gui.waitConnected());
    auto* connection = gui.find<QLabel>("connectionLabel");
    EXPECT_EQ(ui::textColor(connection), ui::kGreen);
    EXPECT_TRUE(gui.logText().contains(QStringLiteral("] VELMARA-BOARD device found and connected")));

    ASSERT_TRUE(waitUntil([&] { return gui.find<QLabel>("firmwareRevisionLabel")->text() == QStringLiteral("v20B0"); }));
    EXPECT_TRUE(gui.find<QMenu>("flashPersistToolStripMenuItem")->isEnabled());

    // Firmware version, then GPIO 2 (DI), then GPIO 1 (LHI).
    ASSERT_TRUE(waitUntil([&] { return harness::serviceRequests(gui.board()).size() >= 3; }));
    const auto requests = harness::serviceRequests(gui.board());
    EXPECT_EQ(requests[0].first, hss::kIoctlFirmwareVersion);
    EXPECT_EQ(requests[1], std::make_pair(hss::kIoctlReadGpio, uint8_t{2}));
    EXPECT_EQ(requests[2], std::make_pair(hss::kIoctlReadGpio, uint8_t{1}));
}

TEST(MainWindow, FirmwareBelowTheFlashThresholdKeepsMcuFlashOff)
{
    Gui gui(EmulatedBoard::kDefaultDeviceId, true, 0x20AF);
    ASSERT_TRUE(waitUntil([&] { return gui.find<QLabel>("firmwareRevisionLabel")->text() == QStringLiteral("v20AF"); }));
    EXPECT_FALSE(gui.find<QMenu>("flashPersistToolStripMenuItem")->isEnabled());
    EXPECT_EQ(gui.find<QMenu>("flashPersistToolStripMenuItem")->menuAction()->toolTip(),
              QStringLiteral("Needs board firmware v20B0 or later; this board has v20AF."));
}

TEST(MainWindow, PullingTheBoardKeepsEveryViewAndSwitchesOffWhatTalksToTheChip)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    AutoConfigurationGui& window = gui.window();
    gui.sendConsoleCommand(QStringLiteral("READ 0x0E"));
    ASSERT_TRUE(waitUntil([&] { return gui.consoleText().contains(QStringLiteral("(Addr: 0x0E)")); }));
    for (int i = 0; i < 100; ++i) window.logMessageToWindow(QStringLiteral("Line %1 to scroll past.").arg(i));
    auto* demo = gui.find<QAction>("demoModeToolStripMenuItem");
    EXPECT_FALSE(demo->isEnabled());
    EXPECT_TRUE(demo->toolTip().contains(QStringLiteral("off while a board with an identified chip is connected")));

    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    tabs->setCurrentWidget(window.logPage);
    gui.board().unplug();
    auto* connection = gui.find<QLabel>("connectionLabel");
    ASSERT_TRUE(waitUntil([&] { return connection->text() == QStringLiteral("Disconnected"); }));
    EXPECT_EQ(ui::textColor(connection), ui::kRed);
    EXPECT_TRUE(gui.logText().contains(QStringLiteral("] High-side switch device disconnected.")));
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), QStringLiteral("DEVICE NOT DETECTED"));
    EXPECT_FALSE(window.isCurrentSenseEnabled);

    // The page being read stays, and every view can be read and scrolled.
    EXPECT_EQ(tabs->currentWidget(), window.logPage);
    EXPECT_TRUE(tabs->isEnabled());
    for (const char* view : {"logTextBox", "commandLogBox", "cmdHistoryBox", "datasheetBrowser", "i2tChart",
                             "i2tCompleteChart", "statsGroupBox", "faultBox1", "senseChartRegion"}) {
        ASSERT_NE(gui.find<QWidget>(view), nullptr) << view;
        EXPECT_TRUE(gui.find<QWidget>(view)->isEnabled()) << view;
    }
    QScrollBar* scroll = gui.find<QPlainTextEdit>("logTextBox")->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    scroll->setValue(0);
    EXPECT_EQ(scroll->value(), 0);
    EXPECT_EQ(gui.find<QComboBox>("cmdHistoryBox")->itemText(0), QStringLiteral("READ 0x0E"));
    for (const char* control : {"commandBox", "sendCommandButton", "commandCenterPageControls",
                                "fuseTunerPage16pwpControls", "devSettingPage16pwpControls",
                                "chanSettingsPage16pwpControls", "senseChannelBox", "senseChannelAll",
                                "senseSourceSelBox", "manualUpdateButton"}) {
        EXPECT_FALSE(gui.find<QWidget>(control)->isEnabled()) << control;
    }
    EXPECT_EQ(gui.find<QWidget>("chanSettingsPage16pwpControls")->toolTip(), QStringLiteral("No VELMARA-BOARD is connected."));

    // Disabled menu items say why; the emulated board's bench stays, where
    // the board is plugged in again.
    for (QAction* item : {gui.find<QMenu>("settingsToolStripMenuItem")->menuAction(),
                          gui.find<QMenu>("exportToolStripMenuItem")->menuAction(),
                          gui.find<QAction>("saveSettingsToolStripMenuItem"), gui.find<QAction>("loaToolStripMenuItem"),
                          gui.find<QAction>("enterDFUModeToolStripMenuItem")}) {
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
        EXPECT_EQ(item->toolTip(), QStringLiteral("No VELMARA-BOARD is connected.")) << item->objectName().toStdString();
    }
    EXPECT_TRUE(gui.find<QMenu>("toolsToolStripMenuItem")->isEnabled());
    EXPECT_TRUE(gui.find<QAction>("emulatedBoardToolStripMenuItem")->isEnabled());
    EXPECT_TRUE(demo->isEnabled());
    EXPECT_EQ(demo->toolTip(), demo->text());
    EXPECT_TRUE(gui.find<QMenu>("helpToolStripMenuItem")->toolTipsVisible());

    // Plugging it back brings everything back.
    gui.board().plug();
    ASSERT_TRUE(gui.waitDetected());
    EXPECT_TRUE(gui.find<QWidget>("commandBox")->isEnabled());
    EXPECT_TRUE(gui.find<QAction>("saveSettingsToolStripMenuItem")->isEnabled());
    EXPECT_EQ(gui.find<QWidget>("chanSettingsPage16pwpControls")->toolTip(), QString());
}

TEST(MainWindow, PollsQueueNothingWhileNoBoardIsOpen)
{
    Gui gui(EmulatedBoard::kDefaultDeviceId, false);
    auto* connection = gui.find<QLabel>("connectionLabel");
    ASSERT_TRUE(waitUntil([&] { return ui::textColor(connection) == ui::kRed; }));
    gui.window().isCurrentSenseEnabled = true;  // even the sense poll stays quiet
    harness::spin(1500);                        // three identification and fault cycles
    EXPECT_TRUE(harness::writtenCommands(gui.board()).empty());
}

TEST(MainWindow, WhileNoChipIsDetectedEachIdentificationCycleWakesThenReads)
{
    Gui gui(std::nullopt);  // board without daughter card: DEVID reads 0
    ASSERT_TRUE(gui.waitConnected());
    ASSERT_TRUE(waitUntil([&] { return harness::singleReads(gui.board()).size() >= 3; }));
    const auto commands = harness::writtenCommands(gui.board());
    int devidReads = 0;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].code != hss::kCmdSingleRead || commands[i].payload.at(0) != 0x00) continue;
        ++devidReads;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(commands[i - 1].code, hss::kCmdSingleWrite);
        EXPECT_EQ(commands[i - 1].payload, (std::vector<uint8_t>{0xFF, 0xFF, 0xFF}));
    }
    EXPECT_GE(devidReads, 3);
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), QStringLiteral("DEVICE NOT DETECTED"));
    // The board answers: its console and firmware update work, the settings wait for a chip.
    EXPECT_TRUE(gui.find<QWidget>("commandBox")->isEnabled());
    EXPECT_TRUE(gui.find<QAction>("enterDFUModeToolStripMenuItem")->isEnabled());
    EXPECT_FALSE(gui.chipControlsOn());
    EXPECT_TRUE(gui.find<QMenu>("settingsToolStripMenuItem")->menuAction()->toolTip().startsWith(
        QStringLiteral("No switch chip is identified on the board")));
}

// Manual refresh rests identification while a part is shown (without one it
// keeps looking: IdentificationTest).
TEST(MainWindow, RefreshSwitchSuspendsAndResumesIdentification)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    auto* refresh = gui.find<QAction>("manualRefreshToolCheck");

    refresh->setChecked(false);
    EXPECT_TRUE(gui.window().manualRefreshEnabled);
    EXPECT_EQ(gui.find<QComboBox>("faultUpdateStatus")->currentIndex(), 1);
    EXPECT_EQ(gui.find<QComboBox>("faultUpdateStatus18")->currentIndex(), 1);
    EXPECT_TRUE(gui.find<QAction>("manualRefreshToolStripMenuItem")->isEnabled());
    harness::spin(600);  // a cycle that may have been under way finishes
    gui.board().clearTrace();
    harness::spin(1200);
    EXPECT_TRUE(harness::singleReads(gui.board()).empty());

    // Re-checking resumes identification for good (no pause left behind).
    refresh->setChecked(true);
    EXPECT_FALSE(gui.window().manualRefreshEnabled);
    EXPECT_FALSE(gui.window().pauseDeviceDetection);
    EXPECT_TRUE(gui.logText().contains(QStringLiteral("] Manual refresh disabled")));
    EXPECT_EQ(gui.find<QComboBox>("faultUpdateStatus")->currentIndex(), 0);
    EXPECT_FALSE(gui.find<QAction>("manualRefreshToolStripMenuItem")->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return harness::singleReads(gui.board()).size() >= 2; }));
}

TEST(MainWindow, RepliesWithUnclaimedContextsAreDeletedWithoutAHandler)
{
    Gui gui;
    ASSERT_TRUE(gui.waitConnected());
    gui.window().link()->queueHSSCommand(new HSSSingleReadCmd(0x05, 0));
    gui.window().link()->queueHSSCommand(new HSSSingleReadCmd(0x05, 11));
    gui.window().link()->queueHSSCommand(new HSSSingleReadCmd(0x07, 1));  // a console read as a marker
    ASSERT_TRUE(waitUntil([&] { return gui.consoleText().contains(QStringLiteral("(Addr: 0x07)")); }));
    EXPECT_FALSE(gui.consoleText().contains(QStringLiteral("(Addr: 0x05)")));
}

TEST(MainWindow, AfterClosingStartsHandlersFromOtherThreadsTouchNoControl)
{
    Gui gui;
    ASSERT_TRUE(gui.waitConnected());
    auto* faultPin = gui.find<QLabel>("faultPinLabel");
    auto* firmware = gui.find<QLabel>("firmwareRevisionLabel");
    ASSERT_TRUE(waitUntil([&] { return !firmware->text().isEmpty(); }));
    const QString pinBefore = faultPin->text();
    const QString logBefore = gui.logText();

    gui.window().ConfigurationGui_FormClosing();
    std::thread dispatcher([&] {
        gui.window().faultView->handleFaultStatus(pinBefore == QStringLiteral("Not Triggered"));
        gui.window().evmFirmwareVersion = 0x1234;
        gui.window().updateVerString();
        gui.window().updateConnectionStatus();
        gui.window().logMessageToWindow(QStringLiteral("must not appear"));
    });
    dispatcher.join();  // returns without the event loop running: nothing waited
    harness::spin(100);
    EXPECT_EQ(faultPin->text(), pinBefore);
    EXPECT_NE(firmware->text(), QStringLiteral("v1234"));
    EXPECT_EQ(gui.logText(), logBefore);
}

TEST(MainWindow, ExitClosesTheWindowAndJoinsEveryThread)
{
    Gui gui;
    ASSERT_TRUE(gui.waitConnected());
    gui.find<QAction>("exitToolStripMenuItem")->trigger();
    EXPECT_TRUE(gui.window().isShuttingDown);
    EXPECT_FALSE(gui.window().isVisible());
    gui.window().joinWorkers();  // returns: nothing is left waiting on the window thread
}

TEST(MainWindow, SafetyHeadersFollowTheirResultLabels)
{
    Gui gui(std::nullopt, false);
    auto* otp = gui.find<QLabel>("otpSafetyLabel");
    auto* adc = gui.find<QLabel>("adcSafetyLabel");
    ASSERT_NE(otp, nullptr);
    ui::setTextColor(otp, ui::kRed);
    ui::setTextColor(adc, ui::kGreen);
    auto* tabs = gui.find<QTabWidget>("safetyTabControl");
    ASSERT_EQ(tabs->count(), 6);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Bandgap"));
    EXPECT_EQ(tabs->tabText(5), QStringLiteral("OTP CRC"));
    auto* page = dynamic_cast<SafetyPage*>(gui.find<QWidget>("safetyTab16pwp"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->safetyTabHeaderColor(5), ui::kRed);
    EXPECT_EQ(page->safetyTabHeaderColor(1), ui::kGreen);
    EXPECT_EQ(page->safetyTabHeaderColor(0), ui::kGreen);  // not run yet: black text, green header
    EXPECT_EQ(page->safetyTabHeaderColor(6), ui::kBlack);
    EXPECT_FALSE(tabs->grab().isNull());  // the owner-drawn headers paint
}

TEST(MainWindow, AboutOpensTheShippedDocument)
{
    Gui gui(std::nullopt, false);
    QUrl opened;
    gui.window().urlOpener = [&](const QUrl& url) {
        opened = url;
        return true;
    };
    gui.find<QAction>("aboutToolStripMenuItem")->trigger();
    ASSERT_TRUE(opened.isLocalFile());
    EXPECT_TRUE(opened.toLocalFile().endsWith(QStringLiteral("docs/about.html")));
    EXPECT_TRUE(QFile::exists(opened.toLocalFile()));
}
