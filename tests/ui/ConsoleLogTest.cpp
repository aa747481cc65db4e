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
#include <QRegularExpression>

#include "protocol/HSSProtocol.h"

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
    const Case cases[] = {{"read 1a", 0x1A}, {"READ 0x1A", 0x1A}, {"READ 123", 0x23}, {"READ e", 0x0E}, {"READ 17", 0x17}};
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
    const auto reads = harness::singleReads(gui.board());
    EXPECT_EQ(std::count(reads.begin(), reads.end(), uint8_t{0x1A}), 2);
    EXPECT_EQ(std::count(reads.begin(), reads.end(), uint8_t{0x23}), 1);

    // With the CRC box ticked the line ends with the reply's CRC byte.
    gui.find<QCheckBox>("enableCRCBox")->setChecked(true);
    gui.sendConsoleCommand(QStringLiteral("READ 1A"));
    ASSERT_TRUE(waitUntil([&] { return gui.consoleText().contains(QStringLiteral(" CRC: 0x")); }));
    EXPECT_TRUE(lines(gui.consoleText()).last().contains(QRegularExpression(QStringLiteral("Status: 0x[0-9A-F]{2} CRC: 0x[0-9A-F]{2}$"))));
}

TEST(RegisterConsole, WriteSendsTheLastFourDigitsAndEchoesTheCommand)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    gui.sendConsoleCommand(QStringLiteral("WRITE 10 ABCDE"));
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

TEST(RegisterConsole, MalformedCommandsPrintTheirMessageAndSendNothing)
{
    Gui gui;
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    const std::pair<const char*, const char*> cases[] = {
        {"READ  1A", "INVALID FORMAT! Read Command:  READ <REG_NUM_HEX>"},
        {"WRITE 1", "INVALID FORMAT! Read Command:  WRITE <REG_NUM_HEX> <REG_WRITE_DATA_HEX>"},
        {"", "INVALID COMMAND: "},
        {"poke 1 2", "INVALID COMMAND: poke"},
    };
    auto* history = gui.find<QComboBox>("cmdHistoryBox");
    for (const auto& [command, message] : cases) {
        const auto before = harness::writtenCommands(gui.board()).size();
        gui.sendConsoleCommand(QString::fromLatin1(command));
        // The message line has no time stamp; "INVALID COMMAND: " keeps its blank.
        const QString text = gui.consoleText();
        EXPECT_TRUE(text.endsWith(QString::fromLatin1(message))) << command;
        const auto after = harness::writtenCommands(gui.board());
        for (std::size_t i = before; i < after.size(); ++i) {
            // Only the identification poll may have written meanwhile.
            EXPECT_TRUE(after[i].code != hss::kCmdSingleRead || after[i].payload.at(0) == 0x00) << command;
        }
    }
    EXPECT_EQ(history->count(), 0);  // failed commands are not remembered
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
