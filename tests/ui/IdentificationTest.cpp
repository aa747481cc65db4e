// Identification, family pages, read-back, write-out, "User Registers" and
// "Save to EEPROM" on the real window against the emulated board.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "device/ConfigReadBack.h"
#include "device/PartTable.h"
#include "ui/WidgetHelpers.h"
#include <QMenu>
#include "protocol/HSSProtocol.h"

using harness::Gui;
using harness::waitUntil;

namespace {

std::vector<harness::WrittenCommand> commandsWithCode(const EmulatedBoard& board, uint8_t code)
{
    std::vector<harness::WrittenCommand> found;
    for (const auto& c : harness::writtenCommands(board)) {
        if (c.code == code && c.ok) found.push_back(c);
    }
    return found;
}

// Board-service requests (sub-code, argument bytes 1 and 2).
int countService(const EmulatedBoard& board, uint8_t subCode, uint8_t arg1, uint8_t arg2)
{
    int count = 0;
    for (const auto& c : commandsWithCode(board, hss::kCmdIoctl)) {
        if (c.payload.size() >= 3 && c.payload[0] == subCode && c.payload[1] == arg1 && c.payload[2] == arg2) ++count;
    }
    return count;
}

// Configuration read-backs (mixed reads of the 17-entry 16-pin list).
std::size_t configReads(const EmulatedBoard& board)
{
    std::size_t count = 0;
    for (const auto& c : commandsWithCode(board, hss::kCmdMixRead)) {
        if (c.payload.size() > 30 && c.payload[30] == 17) ++count;
    }
    return count;
}

// The address lists of the mixed reads sent, leaving out the fault poll's
// three-register reads.
std::vector<std::vector<uint8_t>> configReadLists(const EmulatedBoard& board)
{
    std::vector<std::vector<uint8_t>> lists;
    for (const auto& c : commandsWithCode(board, hss::kCmdMixRead)) {
        if (c.payload.size() <= 30 || c.payload[30] == 3) continue;
        lists.emplace_back(c.payload.begin(), c.payload.begin() + c.payload[30]);
    }
    return lists;
}

// Levels written to carrier-board GPIO 0, in order.
std::vector<uint8_t> gpio0Writes(const EmulatedBoard& board)
{
    std::vector<uint8_t> levels;
    for (const auto& c : commandsWithCode(board, hss::kCmdIoctl)) {
        if (c.payload.size() >= 3 && c.payload[0] == hss::kIoctlWriteGpio && c.payload[1] == 0) levels.push_back(c.payload[2]);
    }
    return levels;
}

QString logLinesContaining(Gui& gui, const QString& text)
{
    QString found;
    for (const QString& line : gui.logText().split(QLatin1Char('\n'))) {
        if (line.contains(text)) found += line + QLatin1Char('\n');
    }
    return found;
}

}  // namespace

TEST(Identification, UnlistedCodesWithNothingDetectedChangeNothing)
{
    for (uint16_t code : {uint16_t{0x0000}, uint16_t{0xFF02}}) {
        Gui gui(code);
        ASSERT_TRUE(gui.waitConnected());
        ASSERT_TRUE(waitUntil([&] { return harness::singleReads(gui.board()).size() >= 3; }));
        EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), QStringLiteral("DEVICE NOT DETECTED"));
        EXPECT_FALSE(gui.chipControlsOn());
        EXPECT_FALSE(gui.logText().contains(QStringLiteral("High-side switch")));
        for (const auto& c : harness::writtenCommands(gui.board())) {
            const bool wake = c.code == hss::kCmdSingleWrite && c.payload.at(0) == 0xFF;
            const bool devid = c.code == hss::kCmdSingleRead && c.payload.at(0) == 0x00;
            const bool connectRequests = c.code == hss::kCmdIoctl &&
                                         (c.payload.at(0) == hss::kIoctlFirmwareVersion || c.payload.at(0) == hss::kIoctlReadGpio);
            EXPECT_TRUE(wake || devid || connectRequests) << "code " << int(c.code);
        }
    }
}

TEST(Identification, ASafetyPartIsAnnouncedOnce)
{
    Gui gui(0xFFF2);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(1200);  // two more identification polls of the same part
    EXPECT_EQ(logLinesContaining(gui, QStringLiteral("High-side switch")).count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(gui.logText().contains(QStringLiteral("] High-side switch ZVR2M08AF-K1 detected.")));
    EXPECT_EQ(countService(gui.board(), hss::kIoctlSetCrc, 1, 0), 1);
    EXPECT_EQ(countService(gui.board(), hss::kIoctlWriteGpio, 0, 1), 1);
    EXPECT_EQ(gui.tabTexts().count(QStringLiteral("Safety")), 1);
    EXPECT_TRUE(gui.board().isCrcEnabled());
    EXPECT_TRUE(gui.board().gpioLevel(0));
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), QStringLiteral("ZVR2M08AF-K1"));
    EXPECT_FALSE(gui.find<QAction>("demoModeToolStripMenuItem")->isEnabled());
    EXPECT_TRUE(gui.find<QMenu>("settingsToolStripMenuItem")->isEnabled());
}

TEST(Identification, FamilyPagesFollowTheFamily)
{
    {
        Gui gui(0xFFF5);  // 16-pin, not a safety part
        ASSERT_TRUE(gui.waitDetected());
        EXPECT_EQ(gui.tabTexts(), (QStringList{"Command Center", "I2T Tuner", "Device Settings", "Channel Settings",
                                               "Registers", "Console", "Log", "Datasheet"}));
        auto* tabs = gui.find<QTabWidget>("mainTabControl");
        EXPECT_EQ(tabs->widget(1), gui.window().fuseTunerPage16pwp);
        EXPECT_EQ(tabs->widget(3), gui.window().chanSettingsPage16pwp);
        EXPECT_EQ(countService(gui.board(), hss::kIoctlSetCrc, 0, 0), 1);  // CRC off for a non-safety part
    }
    {
        Gui gui(0xFF00);  // 18-pin
        ASSERT_TRUE(gui.waitDetected());
        auto* tabs = gui.find<QTabWidget>("mainTabControl");
        EXPECT_EQ(tabs->widget(1), gui.window().fuseTunerPage18pwp);
        EXPECT_EQ(tabs->widget(2), gui.window().devSettingPage18pwp);
        EXPECT_EQ(tabs->widget(3), gui.window().chanSettingsPage18pwp);
        EXPECT_EQ(tabs->widget(4), gui.window().userDataTab);
        EXPECT_EQ(tabs->tabText(4), QStringLiteral("User Registers"));
        EXPECT_TRUE(gui.find<QAction>("saveToEEPROMToolStripMenuItem")->isEnabled());
    }
}

TEST(Identification, PrototypeSiliconShowsOneBoxPerInsertion)
{
    harness::MessageRecorder recorder;
    Gui gui(hss::kPrototypeDevId);
    ASSERT_TRUE(waitUntil([&] { return !recorder.messages.empty(); }));
    harness::spin(1200);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("Incompatible Silicon"));
    EXPECT_EQ(recorder.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(recorder.messages[0].text.startsWith(QStringLiteral(
        "The current daughter card contains prototype silicon that is no longer supported. Please obtain new ")));
    EXPECT_FALSE(gui.chipControlsOn());
    EXPECT_EQ(gui.find<QLabel>("devDesc")->text(), QStringLiteral("Prototype silicon not supported."));

    gui.board().unplug();
    ASSERT_TRUE(waitUntil([&] { return gui.find<QLabel>("connectionLabel")->text() == QStringLiteral("Disconnected"); }));
    gui.board().plug();
    ASSERT_TRUE(waitUntil([&] { return recorder.messages.size() == 2; }));
}

TEST(Identification, ADirectSwapToTheOtherFamilyRebuildsTheWindowForIt)
{
    struct Step {
        uint16_t code;
        const char* name;
        hss_device_family_t family;
        QWidget* AutoConfigurationGui::*tuner;
        QStringList tabs;
    };
    const QStringList sixteenTabs{"Command Center", "I2T Tuner", "Device Settings", "Channel Settings",
                                  "Registers", "Console", "Log", "Datasheet"};
    const QStringList eighteenTabs{"Command Center", "I2T Tuner", "Device Settings", "Channel Settings",
                                   "User Registers", "Registers", "Console", "Log"};
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    for (const Step& step : {Step{0xFF04, "ZVR2M07A-K1", HSS_FAMILY_18PWP, &AutoConfigurationGui::fuseTunerPage18pwp,
                                  eighteenTabs},
                             Step{0xFFF0, "ZVR2M08A-K1", HSS_FAMILY_16PWP, &AutoConfigurationGui::fuseTunerPage16pwp,
                                  sixteenTabs}}) {
        SCOPED_TRACE(step.name);
        gui.board().clearTrace();
        gui.board().setDeviceId(step.code);
        ASSERT_TRUE(waitUntil([&] { return gui.find<QLabel>("devLabel")->text() == QString::fromLatin1(step.name); }));
        ASSERT_TRUE(waitUntil([&] { return configReadLists(gui.board()).size() >= hss::readBackLists(step.family).size(); }));
        harness::spin(300);

        EXPECT_EQ(gui.window().curDeviceFamily, step.family);
        EXPECT_EQ(gui.tabTexts(), step.tabs);
        EXPECT_EQ(gui.find<QTabWidget>("mainTabControl")->widget(1), gui.window().*step.tuner);
        EXPECT_TRUE(gui.chipControlsOn());
        EXPECT_EQ(gui.find<QAction>("saveToEEPROMToolStripMenuItem")->isEnabled(), step.family == HSS_FAMILY_18PWP);
        EXPECT_EQ(configReadLists(gui.board()), hss::readBackLists(step.family));
        EXPECT_EQ(gpio0Writes(gui.board()), (std::vector<uint8_t>{0, 1}));  // the old part off, the new one on
        EXPECT_TRUE(gui.board().gpioLevel(0));
        EXPECT_TRUE(gui.logText().contains(QStringLiteral("] High-side switch ") + step.name + " detected."));
    }
}

TEST(Identification, PrototypeReplacingAKnownPartLeavesNoFamilyToPoll)
{
    harness::MessageRecorder recorder;
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    gui.board().setDeviceId(hss::kPrototypeDevId);
    ASSERT_TRUE(waitUntil([&] { return !recorder.messages.empty(); }));
    EXPECT_EQ(gui.window().curDeviceFamily, HSS_FAMILY_NONE);
    harness::spin(300);
    gui.board().clearTrace();
    harness::spin(1600);  // three fault and identification polls

    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("Incompatible Silicon"));
    EXPECT_TRUE(commandsWithCode(gui.board(), hss::kCmdMixRead).empty());  // no fault registers read
    EXPECT_FALSE(gui.chipControlsOn());
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), QStringLiteral("ZVR2M10-K1 PROTOTYPE"));
    EXPECT_TRUE(gui.logText().contains(QStringLiteral("] High-side switch daughter card not detected.")));
    EXPECT_FALSE(gui.board().gpioLevel(0));
}

TEST(Identification, LosingThePartSwitchesTheChipControlsOffAndDrivesGpio0Low)
{
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitDetected());
    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    tabs->setCurrentIndex(2);
    gui.board().setDeviceId(0x1234);
    ASSERT_TRUE(waitUntil([&] { return !gui.chipControlsOn(); }));
    EXPECT_TRUE(gui.logText().contains(QStringLiteral("] High-side switch daughter card not detected.")));
    // The page the user reads stays, its settings greyed.
    EXPECT_TRUE(tabs->isEnabled());
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_FALSE(gui.find<QWidget>("devSettingPage16pwpControls")->isEnabled());
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), QStringLiteral("DEVICE NOT DETECTED"));
    ASSERT_TRUE(waitUntil([&] { return countService(gui.board(), hss::kIoctlWriteGpio, 0, 0) == 1; }));
    EXPECT_FALSE(gui.board().gpioLevel(0));
    EXPECT_FALSE(gui.window().isCurrentSenseEnabled);
    EXPECT_TRUE(gui.find<QAction>("demoModeToolStripMenuItem")->isEnabled());
}

TEST(ReadBack, SixteenPinRecordFollowsTheChipAndWritesOutWhole)
{
    Gui gui(0xFFF0);
    gui.board().pokeRegister(0x0E, 0x0E03);  // PWM_CH1
    gui.board().pokeRegister(0x19, 0x0405);  // CH2_CONFIG
    ASSERT_TRUE(gui.waitDetected());
    ASSERT_TRUE(waitUntil([&] { return gui.window().sixteenPWPFuseConfig.getPWMConfig(0) == gui.board().peekRegister(0x0E); }));
    EXPECT_EQ(gui.window().sixteenPWPFuseConfig.getChanDiagConfig(1), gui.board().peekRegister(0x19));
    EXPECT_EQ(gui.window().sixteenPWPFuseConfig.getABISTResult(), 0);  // 0x06 is read but not stored
    const auto reads = commandsWithCode(gui.board(), hss::kCmdMixRead);
    ASSERT_FALSE(reads.empty());
    EXPECT_EQ(reads[0].payload.at(30), 17);  // the count byte follows the 30 address slots
    EXPECT_EQ(reads[0].payload.at(0), 0x01);

    gui.board().clearTrace();
    gui.find<QAction>("manualPersistToolStripMenuItem")->trigger();
    EXPECT_TRUE(gui.logText().contains(QStringLiteral("] Settings persisted to device.")));
    ASSERT_TRUE(waitUntil([&] { return !commandsWithCode(gui.board(), hss::kCmdMixWrite).empty(); }));
    const auto writes = commandsWithCode(gui.board(), hss::kCmdMixWrite);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].payload.at(0), 17);
}

TEST(ReadBack, EighteenPinWritesOutInTwoParts)
{
    Gui gui(0xFF04);
    ASSERT_TRUE(gui.waitDetected());
    ASSERT_TRUE(waitUntil([&] { return commandsWithCode(gui.board(), hss::kCmdMixRead).size() >= 2; }));
    harness::spin(300);
    gui.board().clearTrace();
    gui.find<QAction>("manualPersistToolStripMenuItem")->trigger();
    ASSERT_TRUE(waitUntil([&] { return commandsWithCode(gui.board(), hss::kCmdMixWrite).size() == 2; }));
    const auto writes = commandsWithCode(gui.board(), hss::kCmdMixWrite);
    EXPECT_EQ(writes[0].payload.at(0), 15);
    EXPECT_EQ(writes[1].payload.at(0), 8);
}

// A box writes what it shows, once, on Enter or on leaving it; anything but
// one to four hex digits is refused and the record's value shown again.
TEST(UserRegisters, BoxesWriteOneToFourHexDigitsOnEnterOrLeaving)
{
    harness::MessageRecorder recorder;
    Gui gui(0xFF00);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    EmulatedBoard& board = gui.board();
    gui.find<QTabWidget>("mainTabControl")->setCurrentWidget(gui.window().userDataTab);
    harness::spin(300);  // the page's read-back
    const QStringList labels = [&] {
        QStringList texts;
        for (QLabel* label : gui.find<QWidget>("userDataTab")->findChildren<QLabel*>()) texts << label->text();
        return texts;
    }();
    for (const char* caption : {"TSNS Calibration (CH1), 0x50:", "TSNS Calibration (CH2), 0x51:", "User Register 0x52:",
                                "User Register 0x57:"})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(caption))) << caption;

    struct Case {
        const char* box;
        uint8_t address;
        const char* typed;
        bool enter;                     // else the box is left
        std::optional<uint16_t> value;  // written; empty: refused
        const char* shown;
    };
    const Case cases[] = {
        {"userBox52Hex", 0x52, "1234", true, 0x1234, "1234"},
        {"userBox53Hex", 0x53, "0xbeef", false, 0xBEEF, "BEEF"},
        {"tsnsUserBox1Hex", 0x50, " 7 ", true, 0x0007, "7"},
        {"userBox54Hex", 0x54, "zz!", true, {}, "0"},
        {"userBox55Hex", 0x55, "-1", true, {}, "0"},
        {"userBox56Hex", 0x56, "123456", false, {}, "0"},
        {"userBox57Hex", 0x57, "", true, {}, "0"},
        {"userBox52Hex", 0x52, "12G", true, {}, "1234"},  // the value before stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        auto* box = gui.find<QLineEdit>(c.box);
        ASSERT_NE(box, nullptr);
        board.clearTrace();
        const std::size_t messages = recorder.messages.size();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, QString::fromLatin1(c.typed));
        harness::spin(100);
        EXPECT_TRUE(harness::singleWrites(board).empty());  // not while typing
        if (c.enter) {
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(box, &leave);
        }
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown));
        const auto writesTo = [&] {
            const auto writes = harness::singleWrites(board);
            return std::count_if(writes.begin(), writes.end(), [&](const auto& w) { return w.first == c.address; });
        };
        if (c.value) {
            ASSERT_TRUE(waitUntil([&] { return writesTo() == 1; }));
            const auto writes = harness::singleWrites(board);
            EXPECT_EQ(std::count(writes.begin(), writes.end(), std::make_pair(c.address, *c.value)), 1);
            EXPECT_EQ(recorder.messages.size(), messages);
        } else {
            ASSERT_EQ(recorder.messages.size(), messages + 1);
            EXPECT_EQ(recorder.messages.back().caption, QStringLiteral("Invalid Register Value"));
            EXPECT_TRUE(recorder.messages.back().text.startsWith(QStringLiteral("\"%1\" is not a value for ").arg(c.typed)));
            harness::spin(300);
            EXPECT_EQ(writesTo(), 0);
        }
    }
}

TEST(UserRegisters, SaveToEepromSendsTheKeyInOrder)
{
    harness::MessageRecorder recorder;
    Gui gui(0xFF00);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    gui.find<QAction>("saveToEEPROMToolStripMenuItem")->trigger();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("EEPROM Program Sent"));
    EXPECT_EQ(recorder.messages[0].text, QStringLiteral("Current settings persisted into device EEPROM"));
    ASSERT_TRUE(waitUntil([&] { return gui.board().eepromProgramCount() == 1; }));
    std::vector<uint16_t> keys;
    for (const auto& [address, value] : harness::singleWrites(gui.board())) {
        if (address == 0x3F) keys.push_back(value);
    }
    EXPECT_EQ(keys, (std::vector<uint16_t>{0x3C69, 0xC68C, 0xDDE9, 0x4F6B}));
}

TEST(PageChanges, ReReadUnlessManualRefresh)
{
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    const auto readsBefore = configReads(gui.board());
    tabs->setCurrentIndex(2);
    ASSERT_TRUE(waitUntil([&] { return configReads(gui.board()) > readsBefore; }));

    gui.find<QAction>("manualRefreshToolCheck")->setChecked(false);
    harness::spin(600);
    gui.board().clearTrace();
    tabs->setCurrentIndex(3);
    tabs->setCurrentIndex(1);
    harness::spin(600);
    EXPECT_EQ(configReads(gui.board()), 0u);  // page changes read nothing back while manual refresh is on
    EXPECT_TRUE(harness::singleReads(gui.board()).empty());  // and identification rests
}

// The switch back to automatic refresh is in a menu that is disabled until a
// part is shown, so a part plugged in under manual refresh must still be found.
TEST(PageChanges, ManualRefreshStillFindsAPartPluggedInAgain)
{
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitDetected());
    gui.find<QAction>("manualRefreshToolCheck")->setChecked(false);
    gui.board().unplug();
    ASSERT_TRUE(waitUntil([&] { return !gui.chipControlsOn(); }));
    gui.board().plug();
    ASSERT_TRUE(gui.waitDetected());
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), QStringLiteral("ZVR2M08A-K1"));
    EXPECT_TRUE(gui.window().manualRefreshEnabled);  // still manual: shown parts are not re-read
}

TEST(FaultPin, TheGpioReplyShowsTheFaultPin)
{
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitDetected());
    auto* pin = gui.find<QLabel>("faultPinLabel");
    ASSERT_TRUE(waitUntil([&] { return ui::textColor(pin) == ui::kGreen; }));
    EXPECT_EQ(pin->text(), QStringLiteral("Not Triggered"));
    gui.board().injectFault(FaultRegister::Device, 0x0008);  // watchdog fault: FAULT pin low
    ASSERT_TRUE(waitUntil([&] { return pin->text() == QStringLiteral("Triggered"); }));
    EXPECT_EQ(ui::textColor(pin), ui::kRed);
}

TEST(BoardServiceMenus, FlashAndFirmwareUpdateItemsSendTheirCommandsAndTellTheUser)
{
    harness::MessageRecorder recorder;
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);

    gui.find<QAction>("persistToDeviceFlashToolStripMenuItem")->trigger();
    ASSERT_TRUE(waitUntil([&] { return !gui.board().flashStore().empty(); }));
    EXPECT_EQ(gui.board().flashStore().size(), 14u);
    const auto flashWrites = commandsWithCode(gui.board(), hss::kCmdFlashWrite);
    ASSERT_EQ(flashWrites.size(), 1u);

    const auto readsBefore = configReads(gui.board());
    gui.find<QAction>("loadFromDeviceFlashToolStripMenuItem")->trigger();
    ASSERT_TRUE(waitUntil([&] { return !commandsWithCode(gui.board(), hss::kCmdFlashLoad).empty(); }));
    ASSERT_TRUE(waitUntil([&] { return configReads(gui.board()) > readsBefore; }));  // read back after loading

    // The two that cannot be undone ask first: No sends nothing, Yes sends.
    const std::size_t before = recorder.messages.size();
    recorder.answers = {QMessageBox::No, QMessageBox::Yes};
    gui.find<QAction>("eraseMCUFlashToolStripMenuItem")->trigger();
    harness::spin(300);
    EXPECT_FALSE(gui.board().flashStore().empty());
    gui.find<QAction>("eraseMCUFlashToolStripMenuItem")->trigger();
    ASSERT_TRUE(waitUntil([&] { return gui.board().flashStore().empty(); }));

    recorder.answers = {QMessageBox::No, QMessageBox::Yes};
    gui.find<QAction>("enterDFUModeToolStripMenuItem")->trigger();
    harness::spin(300);
    EXPECT_EQ(gui.board().dfuEntryCount(), 0u);
    gui.find<QAction>("enterDFUModeToolStripMenuItem")->trigger();
    ASSERT_TRUE(waitUntil([&] { return gui.board().dfuEntryCount() == 1; }));

    struct Expected {
        QMessageBox::Icon icon;
        const char* caption;
        const char* text;  // the start of it
    };
    const Expected expected[] = {
        {QMessageBox::Information, "Configuration Saved", "Configuration saved to MCU flash memory"},
        {QMessageBox::Information, "Configuration Loaded", "Configuration loaded from flash"},
        {QMessageBox::Question, "Erase MCU Flash", "Erase the configuration stored in the board's MCU flash?"},
        {QMessageBox::Question, "Erase MCU Flash", "Erase the configuration stored in the board's MCU flash?"},
        {QMessageBox::Information, "Configuration Erased", "Configuration memory space on MCU flash erased."},
        {QMessageBox::Question, "Enter DFU Mode", "Put the VELMARA-BOARD into firmware update (DFU) mode?"},
        {QMessageBox::Question, "Enter DFU Mode", "Put the VELMARA-BOARD into firmware update (DFU) mode?"},
        {QMessageBox::Information, "DFU Entry Command Sent", "The board now waits for its firmware loader"},
    };
    ASSERT_EQ(before, 2u);
    ASSERT_EQ(recorder.messages.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(recorder.messages[i].icon, expected[i].icon);
        EXPECT_EQ(recorder.messages[i].caption, QString::fromLatin1(expected[i].caption));
        EXPECT_TRUE(recorder.messages[i].text.startsWith(QString::fromLatin1(expected[i].text)))
            << recorder.messages[i].text.toStdString();
    }
    // What is lost is said before; what to do next after, in this platform's words.
    EXPECT_TRUE(recorder.messages[2].text.contains("The stored configuration is lost"));
    EXPECT_TRUE(recorder.messages[5].text.contains("until it is unplugged and plugged in again"));
    EXPECT_TRUE(recorder.messages[7].text.contains("unplug the board and plug it in again"));
    EXPECT_FALSE(recorder.messages[7].text.contains(".exe"));
}
