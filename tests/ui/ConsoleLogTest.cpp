// Register console, log window, held-back writes and the screenshot, on the
// real window against the emulated board.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "protocol/HSSProtocol.h"
#include "ui/console/LogView.h"

using harness::Gui;
using harness::waitUntil;

namespace {

const QRegularExpression kStamp(QStringLiteral("^\\[(0[1-9]|1[0-2]):[0-5][0-9]:[0-5][0-9]\\] "));

QStringList lines(const QString& text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

TEST(LogWindow, TimeStampsUseATwelveHourClockWithoutMarker)
{
    Gui gui;
    struct Case {
        QTime time;
        const char* stamp;
    };
    const Case cases[] = {{QTime(0, 5, 9), "[12:05:09] "},   {QTime(1, 2, 3), "[01:02:03] "},
                          {QTime(11, 59, 59), "[11:59:59] "}, {QTime(12, 0, 0), "[12:00:00] "},
                          {QTime(12, 30, 1), "[12:30:01] "},  {QTime(13, 0, 0), "[01:00:00] "},
                          {QTime(23, 59, 59), "[11:59:59] "}};
    int n = 0;
    for (const Case& c : cases) {
        const QString message = QStringLiteral("clock case %1").arg(++n);
        gui.window().logClock = [time = c.time] { return time; };
        gui.window().logMessageToWindow(message);
        const QStringList logged = lines(gui.logText()).filter(message);
        ASSERT_EQ(logged.size(), 1) << c.stamp;
        EXPECT_EQ(logged.first(), QString::fromLatin1(c.stamp) + message);
    }
}

TEST(RegisterConsole, ReadsReachTheChipAndPrintTheirResult)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    gui.board().pokeRegister(0x0E, 0x0005);  // PWM_CH1
    gui.board().pokeRegister(0x17, 0x1234);  // PWM_CH2

    struct Case {
        const char* command;
        uint8_t address;
    };
    // Register 0x00 prints its line too (its answer also goes to identification).
    const Case cases[] = {{"read 1a", 0x1A}, {"READ 0x1A", 0x1A}, {"READ 0X1A", 0x1A}, {"READ e", 0x0E},
                          {"READ 17", 0x17},  {"READ 0x00", 0x00}, {"READ 0", 0x00}};
    for (const Case& c : cases) {
        const int before = int(lines(gui.consoleText()).size());
        gui.sendConsoleCommand(QString::fromLatin1(c.command));
        ASSERT_TRUE(waitUntil([&] { return int(lines(gui.consoleText()).size()) == before + 1; })) << c.command;
        const QString line = lines(gui.consoleText()).last();
        const uint16_t value = gui.board().peekRegister(c.address);
        const QString expected = QStringLiteral("Register (Addr: 0x%1) read result: 0x%2 Status: 0x")
                                     .arg(QStringLiteral("%1").arg(c.address, 2, 16, QLatin1Char('0')).toUpper())
                                     .arg(QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper());
        EXPECT_TRUE(line.contains(kStamp)) << line.toStdString();
        EXPECT_TRUE(line.contains(expected)) << line.toStdString() << " / " << expected.toStdString();
        EXPECT_FALSE(line.contains(QStringLiteral("CRC"))) << line.toStdString();
    }
    EXPECT_TRUE(gui.consoleText().contains(QStringLiteral("(Addr: 0x0E) read result: 0x05 ")));
    EXPECT_TRUE(gui.consoleText().contains(QStringLiteral("(Addr: 0x17) read result: 0x1234 ")));
    EXPECT_TRUE(gui.consoleText().contains(QStringLiteral("(Addr: 0x00) read result: 0xFFF0 ")));
    const auto reads = harness::singleReads(gui.board());
    EXPECT_EQ(std::count(reads.begin(), reads.end(), uint8_t{0x1A}), 3);
    // The identification poll reads register 0x00 twice a second: only the typed reads print.
    harness::spin(1200);
    EXPECT_EQ(gui.consoleText().count(QStringLiteral("(Addr: 0x00)")), 2);

    // With the CRC box ticked the line ends with the reply's CRC byte.
    gui.find<QCheckBox>("enableCRCBox")->setChecked(true);
    gui.sendConsoleCommand(QStringLiteral("READ 1A"));
    ASSERT_TRUE(waitUntil([&] { return gui.consoleText().contains(QStringLiteral(" CRC: 0x")); }));
    EXPECT_TRUE(lines(gui.consoleText()).last().contains(QRegularExpression(QStringLiteral("Status: 0x[0-9A-F]{2} CRC: 0x[0-9A-F]{2}$"))));
}

TEST(RegisterConsole, WriteSendsTheValueAndEchoesTheCommand)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    gui.sendConsoleCommand(QStringLiteral("WRITE 10 0xBCDE"));
    const QString echo = lines(gui.consoleText()).last();
    EXPECT_TRUE(echo.contains(kStamp));
    EXPECT_TRUE(echo.endsWith(QStringLiteral("] WRITE REGISTER: 0x10 0xBCDE")));
    ASSERT_TRUE(waitUntil([&] {
        const auto writes = harness::singleWrites(gui.board());
        return std::find(writes.begin(), writes.end(), std::make_pair(uint8_t{0x10}, uint16_t{0xBCDE})) != writes.end();
    }));

    gui.sendConsoleCommand(QStringLiteral("WRITE 0x1a 5"));
    EXPECT_TRUE(lines(gui.consoleText()).last().endsWith(QStringLiteral("WRITE REGISTER: 0x1a 0x0005")));
}

// A write to a register the configuration record holds is read back, so the
// record and the pages show what the chip now holds; under held edits the
// record keeps them and the console says so.
TEST(RegisterConsole, WritesToConfigurationRegistersAreReadBack)
{
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    auto* frequency = gui.find<QComboBox>("chanSettingPWMFreqBox");
    gui.find<QTabWidget>("mainTabControl")->setCurrentWidget(window.chanSettingsPage16pwp);
    harness::spin(400);
    auto configReads = [&] {  // mixed reads of the 17-entry 16-pin list
        std::size_t count = 0;
        for (const auto& c : harness::writtenCommands(gui.board())) {
            count += c.code == hss::kCmdMixRead && c.ok && c.payload.size() > 30 && c.payload[30] == 17 ? 1 : 0;
        }
        return count;
    };
    const std::size_t readsBefore = configReads();

    const uint16_t pwm = uint16_t(((window.sixteenPWPFuseConfig.getPWMConfig(0) >> 9) & 7) == 6 ? 0x0A00 : 0x0C00);
    gui.sendConsoleCommand(QStringLiteral("WRITE 0E %1").arg(pwm, 0, 16));  // PWM_CH1, frequency 5 or 6
    ASSERT_TRUE(waitUntil([&] { return window.sixteenPWPFuseConfig.getPWMConfig(0) == pwm; }));
    EXPECT_TRUE(waitUntil([&] { return frequency->currentIndex() == (pwm >> 9); }));
    EXPECT_EQ(gui.board().peekRegister(0x0E), pwm);
    // A current limit beyond the part's list shows as no entry, not as the one before.
    auto* hwLimit = gui.find<QComboBox>("hwLimitBox");
    ASSERT_GE(hwLimit->currentIndex(), 0);
    gui.sendConsoleCommand(QStringLiteral("WRITE 0F %1").arg(window.sixteenPWPFuseConfig.getILIMConfig(0) | 0xF, 0, 16));
    EXPECT_TRUE(waitUntil([&] { return (window.sixteenPWPFuseConfig.getILIMConfig(0) & 0xF) == 0xF; }));
    EXPECT_TRUE(waitUntil([&] { return hwLimit->currentIndex() == -1; }));
    EXPECT_EQ(configReads(), readsBefore + 2);

    // DEV_FAULT and an unmapped register are not in the record: nothing to read back.
    gui.sendConsoleCommand(QStringLiteral("WRITE 04 0080"));
    gui.sendConsoleCommand(QStringLiteral("WRITE 7f 1"));
    harness::spin(300);
    EXPECT_EQ(configReads(), readsBefore + 2);

    window.manualPersistEnableCheckBox->setChecked(false);
    window.sixteenPWPFuseConfig.setPWMConfig(0x0200, 0);
    window.sendRawWriteGUIResponse(new HSSSingleWriteCmd(0x0E, 0x0200));  // held
    gui.sendConsoleCommand(QStringLiteral("WRITE 0E 0400"));
    EXPECT_TRUE(gui.consoleText().endsWith(QStringLiteral(
        "Register 0x0E is not read back: the pages keep the edits held for the next persist, which writes them over it.")));
    ASSERT_TRUE(waitUntil([&] { return gui.board().peekRegister(0x0E) == 0x0400; }));
    harness::spin(300);
    EXPECT_EQ(configReads(), readsBefore + 2);
    EXPECT_EQ(window.sixteenPWPFuseConfig.getPWMConfig(0), 0x0200);
}

// With the identification poll paused, a typed "READ 0" alone finds the part.
TEST(RegisterConsole, ReadZeroIsHandedToIdentification)
{
    Gui gui(0xFFF0, false);
    gui.window().pauseDeviceDetection = true;
    gui.board().plug();
    ASSERT_TRUE(gui.waitConnected());
    harness::spin(600);
    ASSERT_FALSE(gui.chipControlsOn());
    gui.find<QLineEdit>("commandBox")->setText(QStringLiteral("READ 0"));
    gui.window().sendCommandButton_Click();  // no part yet: the chip controls are off
    ASSERT_TRUE(gui.waitDetected());
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), QStringLiteral("ZVR2M08A-K1"));
    EXPECT_TRUE(lines(gui.consoleText()).last().contains(QStringLiteral("Register (Addr: 0x00) read result: 0xFFF0 ")));
}

// Nothing malformed is sent or remembered: no operand is cut to its last
// digits and no non-hex character counts as 0.
TEST(RegisterConsole, MalformedCommandsPrintTheirMessageAndSendNothing)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    const QString badAddress = QStringLiteral(" is not a register number of one or two hex digits (00 to FF). Nothing was sent.");
    const QString badData =
        QStringLiteral(" is not a register value of one to four hex digits (0000 to FFFF). Nothing was sent.");
    const std::pair<const char*, QString> cases[] = {
        {"READ  1A", QStringLiteral("INVALID FORMAT! Read Command:  READ <REG_NUM_HEX>")},
        {"WRITE 1", QStringLiteral("INVALID FORMAT! Read Command:  WRITE <REG_NUM_HEX> <REG_WRITE_DATA_HEX>")},
        {"", QStringLiteral("INVALID COMMAND: ")},
        {"poke 1 2", QStringLiteral("INVALID COMMAND: poke")},
        {"READ 0x1FF", QStringLiteral("INVALID ADDRESS! \"0x1FF\"") + badAddress},
        {"READ 0xZZ", QStringLiteral("INVALID ADDRESS! \"0xZZ\"") + badAddress},
        {"WRITE 0xZZ 5", QStringLiteral("INVALID ADDRESS! \"0xZZ\"") + badAddress},
        {"WRITE 0x0E 0x12345", QStringLiteral("INVALID DATA! \"0x12345\"") + badData},
        {"WRITE 10 ABCDE", QStringLiteral("INVALID DATA! \"ABCDE\"") + badData},
    };
    auto* history = gui.find<QComboBox>("cmdHistoryBox");
    for (const auto& [command, message] : cases) {
        const auto before = harness::writtenCommands(gui.board()).size();
        gui.sendConsoleCommand(QString::fromLatin1(command));
        // The message line has no time stamp; "INVALID COMMAND: " keeps its blank.
        EXPECT_TRUE(lines(gui.consoleText()).last() == message || (message.endsWith(QLatin1Char(' ')) &&
                                                                   gui.consoleText().endsWith(message)))
            << command << " / " << lines(gui.consoleText()).last().toStdString();
        harness::spin(50);
        const auto after = harness::writtenCommands(gui.board());
        for (std::size_t i = before; i < after.size(); ++i) {
            // Only the identification poll may have sent meanwhile (reads of 0x00).
            EXPECT_NE(after[i].code, hss::kCmdSingleWrite) << command;
            EXPECT_TRUE(after[i].code != hss::kCmdSingleRead || after[i].payload.at(0) == 0x00) << command;
        }
    }
    EXPECT_EQ(history->count(), 0);  // failed commands are not remembered
    EXPECT_EQ(gui.consoleText().count(QStringLiteral("Addr: 0x00")), 0);
}

TEST(RegisterConsole, HistoryRecallsCommands)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    auto* history = gui.find<QComboBox>("cmdHistoryBox");
    gui.sendConsoleCommand(QStringLiteral("READ 05"));
    gui.sendConsoleCommand(QStringLiteral("READ 05"));  // same as the selected entry: not added again
    gui.sendConsoleCommand(QStringLiteral("WRITE 10 1"));
    ASSERT_EQ(history->count(), 2);
    EXPECT_EQ(history->currentIndex(), 1);
    history->setCurrentIndex(0);
    EXPECT_EQ(gui.find<QLineEdit>("commandBox")->text(), QStringLiteral("READ 05"));

    // Enter in the command box acts as "Send".
    gui.find<QLineEdit>("commandBox")->setText(QStringLiteral("WRITE 11 2"));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(gui.find<QLineEdit>("commandBox"), &press);
    EXPECT_TRUE(gui.consoleText().endsWith(QStringLiteral("WRITE REGISTER: 0x11 0x0002")));
    EXPECT_EQ(history->count(), 3);
}

TEST(LogWindow, LinesCarryTheStampAndTheStatusLabelFollows)
{
    Gui gui(std::nullopt, false);
    QStringList emitted;
    QObject::connect(&gui.window(), &AutoConfigurationGui::logLineAppended,
                     [&](const QString& line) { emitted << line; });
    gui.window().logMessageToWindow(QStringLiteral("Value {0} of {1} ({0})"), {QStringLiteral("7"), QStringLiteral("{0}")});
    const QString last = lines(gui.logText()).last();
    EXPECT_TRUE(last.contains(kStamp)) << last.toStdString();
    EXPECT_TRUE(last.endsWith(QStringLiteral("] Value 7 of {0} (7)")));
    EXPECT_EQ(gui.find<QLabel>("commandStatusLabel")->text(), QStringLiteral("Value 7 of {0} (7)"));
    EXPECT_EQ(emitted, QStringList{QStringLiteral("Value 7 of {0} (7)")});

    // Demo mode silences the log and leaves the label alone.
    gui.find<QAction>("demoModeToolStripMenuItem")->setChecked(true);
    const QString before = gui.logText();
    gui.window().logMessageToWindow(QStringLiteral("silent"));
    EXPECT_EQ(gui.logText(), before);
    EXPECT_EQ(gui.find<QLabel>("commandStatusLabel")->text(), QStringLiteral("Value 7 of {0} (7)"));
}

TEST(LogWindow, FilterSaveClearAndTheKeptLines)
{
    Gui gui(std::nullopt, false);  // no board: nothing else is logged meanwhile
    harness::MessageRecorder dialogs;
    AutoConfigurationGui& window = gui.window();
    QTemporaryDir dir;
    const auto saved = [&](const QString& name) {
        dialogs.files.push_back(dir.filePath(name));
        gui.find<QPushButton>("saveLogButton")->click();
        QFile file(dir.filePath(name + ".txt"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("(no file)");
    };
    const auto asFile = [](const QString& shown) { return lines(shown).join("\r\n") + "\r\n"; };
    for (const char* line : {"Thermal warning (CH1) detected.", "Limp home fault detected.",
                             "Thermal warning (CH1) recovered."})
        window.logMessageToWindow(QString::fromLatin1(line));
    const QString all = gui.logText();

    // The filter shows matching lines only, also of those logged while it is set.
    auto* filter = gui.find<QLineEdit>("logFilterBox");
    filter->setText("THERMAL");
    window.logMessageToWindow(QStringLiteral("SPI fault detected."));
    window.logMessageToWindow(QStringLiteral("Thermal warning (CH1) detected."));
    const QStringList shown = lines(gui.logText());
    ASSERT_EQ(shown.size(), 3);
    for (const QString& line : shown)
        EXPECT_TRUE(line.contains("Thermal warning")) << line.toStdString();

    // Saved with the filter set: every line, as the box shows them unfiltered.
    const QString file = saved("run");
    filter->clear();
    const QString unfiltered = gui.logText();
    EXPECT_TRUE(unfiltered.startsWith(all));
    EXPECT_EQ(lines(unfiltered).size(), lines(all).size() + 3);  // the two lines and "Log saved"
    EXPECT_TRUE(lines(unfiltered).last().endsWith("] Log saved to " + dir.filePath("run.txt") + "."));
    EXPECT_EQ(file, asFile(unfiltered.left(unfiltered.lastIndexOf('\n'))));

    // Clear asks first; after it a save starts from there.
    dialogs.answers = {QMessageBox::No, QMessageBox::Yes};
    gui.find<QPushButton>("clearLogButton")->click();
    EXPECT_EQ(gui.logText(), unfiltered);
    gui.find<QPushButton>("clearLogButton")->click();
    EXPECT_EQ(gui.logText(), "");
    EXPECT_TRUE(gui.find<QLabel>("logKeptLabel")->text().endsWith("every line since the last Clear."));
    window.logMessageToWindow(QStringLiteral("After the clear."));
    EXPECT_EQ(saved("cleared"), asFile(lines(gui.logText()).first()));

    // A long run: the box keeps the newest lines, the saved log has them all.
    const int total = LogView::kKeptLines + 5;
    for (int i = 0; i < total; ++i)
        window.logMessageToWindow(QStringLiteral("line %1").arg(i));
    const QStringList kept = lines(gui.logText());
    ASSERT_EQ(kept.size(), LogView::kKeptLines);
    // Dropped: "After the clear.", "Log saved ...", lines 0 to 4.
    EXPECT_TRUE(kept.first().endsWith("] line 5")) << kept.first().toStdString();
    EXPECT_TRUE(kept.last().endsWith(QStringLiteral("] line %1").arg(total - 1)));
    const QStringList everything = lines(saved("long").remove('\r'));
    ASSERT_EQ(everything.size(), total + 2);  // "After the clear." and "Log saved" before them
    EXPECT_TRUE(everything[2].endsWith("] line 0"));
    EXPECT_TRUE(dialogs.filters.contains("text files (*.txt);;log files (*.log)"));
}

TEST(LogWindow, TheRevealSequenceAddsTheTestModePage)
{
    Gui gui(std::nullopt, false);
    QWidget* log = gui.find<QWidget>("logTextBox");
    auto release = [&](int key) {
        QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(log, &event);
    };
    const int sequence[] = {Qt::Key_Up,   Qt::Key_Up,    Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right,
                            Qt::Key_Left, Qt::Key_Right, Qt::Key_K,    Qt::Key_C,    Qt::Key_Return};
    // A wrong key part-way resets the count.
    for (int i = 0; i < 5; ++i) release(sequence[i]);
    release(Qt::Key_X);
    for (int i = 5; i < 11; ++i) release(sequence[i]);
    EXPECT_FALSE(gui.tabTexts().contains(QStringLiteral("Test Mode")));

    for (int key : sequence) release(key);
    EXPECT_EQ(gui.tabTexts().count(QStringLiteral("Test Mode")), 1);
    for (int key : sequence) release(key);  // once present, keys are ignored
    EXPECT_EQ(gui.tabTexts().count(QStringLiteral("Test Mode")), 1);
}

TEST(ManualPersist, HeldWritesMarkPendingOnceAndSendNothing)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);  // let the identification read-back finish
    auto* persist = gui.find<QAction>("manualPersistEnableCheckBox");
    persist->setChecked(false);
    EXPECT_TRUE(gui.window().manualPersistEnabled);
    EXPECT_TRUE(gui.logText().contains(QStringLiteral("] Manual persist enabled.")));
    EXPECT_TRUE(gui.find<QAction>("manualPersistToolStripMenuItem")->isEnabled());

    harness::spin(300);
    gui.board().clearTrace();
    for (int edit = 0; edit < 10; ++edit) {
        gui.window().sendRawWriteGUIResponse(new HSSSingleWriteCmd(0x0E, uint16_t(edit)));
    }
    gui.window().logMessageToWindow(QStringLiteral("edit logged"));  // the mark survives a log line
    const QString status = gui.find<QLabel>("commandStatusLabel")->text();
    EXPECT_EQ(status.count(QStringLiteral("*Persist Pending*")), 1) << status.toStdString();
    EXPECT_TRUE(gui.window().dirtyPersist);
    harness::spin(600);
    for (const auto& [address, value] : harness::singleWrites(gui.board())) {
        EXPECT_NE(address, 0x0E) << "held write reached the board";
    }

    // Switching "Persist" back on writes the whole configuration once.
    gui.board().clearTrace();
    persist->setChecked(true);
    EXPECT_FALSE(gui.window().manualPersistEnabled);
    EXPECT_FALSE(gui.window().dirtyPersist);
    EXPECT_TRUE(gui.logText().contains(QStringLiteral("] Manual persist disabled. Settings synced.")));
    EXPECT_FALSE(gui.find<QAction>("manualPersistToolStripMenuItem")->isEnabled());
    EXPECT_FALSE(gui.find<QLabel>("commandStatusLabel")->text().contains(QStringLiteral("*Persist Pending*")));
    auto mixWrites = [&] {
        std::vector<harness::WrittenCommand> writes;
        for (const auto& c : harness::writtenCommands(gui.board())) {
            if (c.code == hss::kCmdMixWrite && c.ok) writes.push_back(c);
        }
        return writes;
    };
    ASSERT_TRUE(waitUntil([&] { return !mixWrites().empty(); }));
    harness::spin(300);
    const auto writes = mixWrites();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].payload.at(0), 17);  // the whole 16-pin configuration
}

TEST(Screenshot, MainWindowIsWrittenToTheBuildFolder)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    ASSERT_TRUE(waitUntil([&] { return !gui.find<QLabel>("firmwareRevisionLabel")->text().isEmpty(); }));
    gui.window().logMessageToWindow(QStringLiteral("Screenshot of the main window"));
    const QByteArray binDir = qgetenv("KC_BIN_DIR");
    const QString folder = binDir.isEmpty() ? QDir::currentPath() + QStringLiteral("/screenshots")
                                            : QDir(QString::fromLocal8Bit(binDir)).filePath(QStringLiteral("../screenshots"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("main-window.png"));
    const QPixmap shot = gui.window().grab();
    ASSERT_FALSE(shot.isNull());
    ASSERT_TRUE(shot.save(path));
    EXPECT_TRUE(QFile::exists(path));
}
