// keldor-configurator --emulate --script, run as a user would run it: the real
// binary, its standard output and exit status.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct AppRun {
    QStringList scriptLines;  // lines of the script runner (keyword first)
    int exitCode = -1;
    bool exitedNormally = false;
    QString sanitizerReport;  // a sanitizer's report on standard error, if any
};

QString toolPath()
{
    const QByteArray bin = qgetenv("KC_BIN_DIR");
    return QDir(QString::fromLocal8Bit(bin)).filePath(QStringLiteral("keldor-configurator"));
}

AppRun runTool(const QStringList& scriptArgs, const QByteArray& standardInput = {})
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The test's own offscreen screen (set by the suite), else the platform's.
    if (!env.value(QStringLiteral("QT_QPA_PLATFORM")).startsWith(QLatin1String("offscreen")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    tool.setProcessEnvironment(env);
    tool.setProcessChannelMode(QProcess::SeparateChannels);
    tool.start(toolPath(), QStringList{QStringLiteral("--emulate")} + scriptArgs);
    AppRun run;
    if (!tool.waitForStarted(30000))
        return run;
    tool.write(standardInput);
    tool.closeWriteChannel();
    // Generous: a run under a sanitizer on a busy machine is slow; a healthy run
    // ends as soon as its script does.
    if (!tool.waitForFinished(240000)) {
        tool.kill();
        tool.waitForFinished(10000);
        return run;
    }
    run.exitedNormally = tool.exitStatus() == QProcess::NormalExit;
    // In a sanitizer build the tool's own exit status would hide a report
    // behind an expected status of 1, so look for the report itself.
    static const QRegularExpression report(
        QStringLiteral("(ERROR: (Address|Leak)Sanitizer|WARNING: ThreadSanitizer|runtime error:).*"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch found = report.match(QString::fromUtf8(tool.readAllStandardError()));
    if (found.hasMatch())
        run.sanitizerReport = found.captured(0).left(2000);
    run.exitCode = tool.exitCode();
    static const QRegularExpression keyword(QStringLiteral("^((LOG|MESSAGE|FILE-DIALOG|TIMEOUT|ERROR|BOARD) |\\w+ \\w+( \\w+)?=)"));
    const QStringList all = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n');
    for (const QString& line : all)
        if (keyword.match(line).hasMatch())
            run.scriptLines << line;
    return run;
}

AppRun runScriptFile(const QString& script)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.kcs"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(script.toUtf8());
    file.close();
    return runTool({QStringLiteral("--script"), path});
}

// Each pattern must match a later line than the one before (other lines, such
// as LOG lines of the start-up, may come between); ERROR lines are counted.
void expectLines(const AppRun& run, const QStringList& patterns, int errorLines)
{
    EXPECT_TRUE(run.sanitizerReport.isEmpty()) << run.sanitizerReport.toStdString();
    const QString all = run.scriptLines.join(u'\n');
    qsizetype from = 0;
    for (const QString& pattern : patterns) {
        const QRegularExpression re(QStringLiteral("^") + pattern + QStringLiteral("$"));
        qsizetype at = from;
        while (at < run.scriptLines.size() && !re.match(run.scriptLines.at(at)).hasMatch())
            ++at;
        EXPECT_LT(at, run.scriptLines.size())
            << "no line matching " << pattern.toStdString() << " in order in:\n" << all.toStdString();
        if (at < run.scriptLines.size())
            from = at + 1;
    }
    EXPECT_EQ(run.scriptLines.filter(QRegularExpression(QStringLiteral("^ERROR "))).size(), errorLines)
        << all.toStdString();
}

const char* const kWaitForChip =
    "wait-for connectionLabel text Connected 60000\n"
    "wait-for devLabel text ZVR2M08A-K1 60000\n";

struct AppCase {
    const char* name;
    const char* script;  // after the wait for the chip
    QStringList patterns;
    int errorLines;
    int exitCode;
};

void PrintTo(const AppCase& c, std::ostream* os) { *os << c.name; }

class AppScript : public ::testing::TestWithParam<AppCase> {};

TEST_P(AppScript, DrivesTheRealWindow)
{
    const AppCase& c = GetParam();
    const AppRun run = runScriptFile(QString::fromUtf8(kWaitForChip) + QString::fromUtf8(c.script));
    ASSERT_TRUE(run.exitedNormally);
    expectLines(run, c.patterns, c.errorLines);
    EXPECT_EQ(run.exitCode, c.exitCode);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Scripts, AppScript, ::testing::Values(
    AppCase{"StartUpState",
        "get connectionLabel\nget connectionLabel color\nget AutoConfigurationGui\n"
        "get mainTabControl tabs\nget mainTabControl enabled\nget firmwareRevisionLabel\n"
        "get saveToEEPROMToolStripMenuItem\nget manualPersistEnableCheckBox\n",
        {"LOG VELMARA-BOARD device found and connected",
         "connectionLabel text=Connected", "connectionLabel color=#008000",
         "AutoConfigurationGui windowTitle=Keldor Configurator - v3.0.5",
         "mainTabControl tabs=Command Center\\|I2T Tuner\\|Device Settings\\|Channel Settings\\|Registers\\|Console\\|Log\\|Datasheet",
         "mainTabControl enabled=true", "firmwareRevisionLabel text=v20B0",
         "saveToEEPROMToolStripMenuItem enabled=false", "manualPersistEnableCheckBox checked=true"},
        0, 0},
    AppCase{"ConsoleWritesAndReadsTheChip",
        "select-text mainTabControl Console\nget mainTabControl\n"
        "type commandBox \"WRITE 0x0E 0x0123\"\nclick sendCommandButton\n"
        "type commandBox \"READ 0x0E\"\nkey commandBox Enter\n"
        "wait-for commandLogBox blockCount 2 60000\nget commandLogBox\nget cmdHistoryBox items\n"
        "select cmdHistoryBox 0\nget commandBox\n",
        {"mainTabControl text=Console",
         "commandLogBox text=\\[\\d\\d:\\d\\d:\\d\\d\\] WRITE REGISTER: 0x0E 0x0123\\\\n"
         "\\[\\d\\d:\\d\\d:\\d\\d\\] Register \\(Addr: 0x0E\\) read result: 0x123 Status: 0x[0-9A-F]{2}",
         "cmdHistoryBox items=WRITE 0x0E 0x0123\\|READ 0x0E",
         "commandBox text=WRITE 0x0E 0x0123"},
        0, 0},
    AppCase{"RegisterTableShowsWhatTheChipHolds",
        "type commandBox \"WRITE 0x0E 0x0123\"\nclick sendCommandButton\n"
        "type commandBox \"READ 0x0E\"\nkey commandBox Enter\nwait-for commandLogBox blockCount 2 60000\n"
        "select-text mainTabControl Registers\nget registerTable rows\nget registerTable row 0x0E\n",
        // Read back before the page was first shown: known all the same.
        {"registerTable rows=0x00:DEVID:0xFFF0:\\|0x01:CRC_CONFIG:0x[0-9A-F]{4}:\\|0x02:SLEEP:0x[0-9A-F]{4}:\\|.*"
         "\\|0x0E:PWM_CH1:0x0123:\\|.*"
         "\\|0x1E:I2T_CONFIG_CH2:0x[0-9A-F]{4}:$",
         "registerTable row 0x0E=value=0x0123;read=\\d\\d:\\d\\d:\\d\\d;mark=;file=\\|"
         "bits=0;field=PWM Enable;raw=1;text=On;mark=;file=\\|"
         "bits=8:1;field=PWM Duty Cycle;raw=145;text=57\\.03%;mark=;file=\\|"
         "bits=11:9;field=PWM Frequency;raw=0;text=0\\.8Hz;mark=;file=$"},
        0, 0},
    AppCase{"PersistSwitchLogsAndEnablesManualPersist",
        // The first fault poll's POR line takes the status field too: after it, not racing it.
        "wait-for commandStatusLabel text \"Power on Reset (POR) detected.\" 60000\n"
        "check manualPersistEnableCheckBox 0\nget manualPersistToolStripMenuItem\nget commandStatusLabel\n"
        "check manualPersistEnableCheckBox 1\nget manualPersistToolStripMenuItem\n",
        {"LOG Manual persist enabled\\.", "manualPersistToolStripMenuItem enabled=true",
         "commandStatusLabel text=Manual persist enabled\\.",
         "LOG Manual persist disabled\\. Settings synced\\.", "manualPersistToolStripMenuItem enabled=false"},
        0, 0},
    AppCase{"MessageBoxesAndDisabledItems",
        "click persistToDeviceFlashToolStripMenuItem\nanswer no\nclick eraseMCUFlashToolStripMenuItem\n"
        "answer yes\nanswer no\nclick eraseMCUFlashToolStripMenuItem\nclick saveToEEPROMToolStripMenuItem\n",
        {"MESSAGE information \"Configuration Saved\" \"Configuration saved to MCU flash memory\" -> ok",
         "MESSAGE question \"Erase MCU Flash\" \"Erase the configuration stored in the board's MCU flash\\?.*\" -> no",
         "MESSAGE question \"Erase MCU Flash\" \"Erase the configuration .*\" -> yes",
         "MESSAGE information \"Configuration Erased\" \"Configuration memory space on MCU flash erased\\.\" -> ok",
         "ERROR line 7: the message box has no button no; answered ok",
         "ERROR line 9: 'saveToEEPROMToolStripMenuItem' is disabled"},
        2, 1},
    AppCase{"ErrorsGoOnAndQuitEndsTheRun",
        "bogus\nclick noSuchControl\nselect mainTabControl 9\nget devLabel nonsense\nquit\nclick exitToolStripMenuItem\n",
        {"ERROR line 3: unknown command 'bogus'", "ERROR line 4: unknown control 'noSuchControl'",
         "ERROR line 5: index 9 out of range for 'mainTabControl' \\(8 tabs\\)",
         "ERROR line 6: 'devLabel' has no property nonsense"},
        4, 1},
    AppCase{"KeySequenceOnTheLogRevealsTestMode",
        "select-text mainTabControl Log\n"
        "key logTextBox Up\nkey logTextBox Up\nkey logTextBox Down\nkey logTextBox Down\n"
        "key logTextBox Left\nkey logTextBox Right\nkey logTextBox Left\nkey logTextBox Right\n"
        "key logTextBox K\nkey logTextBox C\nkey logTextBox Enter\nselect-text mainTabControl \"Test Mode\"\n"
        "get mainTabControl\n",
        {"mainTabControl text=Test Mode"}, 0, 0},
    AppCase{"EmulatedBoardTripsOnI2tThroughTheWindow",
        "board load 1 1.68\nclick emulatedBoardToolStripMenuItem\n"
        "select-text mainTabControl \"I2T Tuner\"\ncheck enableI2TBox 1\nslide i2tTrack 2\n"
        "select-text mainTabControl \"Command Center\"\ncheck-item enChanBoxCC 0 1\n"
        "wait-for benchProtectionLabel1 text \"Switched off by the I2T protection\" 60000\n"
        "wait-for i2tWarnCh1 faulted true 5000\nget i2tWarnCh1 faulted\nget faultBox1 faulted\n"
        "get channelOneFaultLabel\n"
        "board get register 0x0D\nboard get i2t 1\nboard get current 1\nboard get register 0x07\n"
        "board load 3 1\nboard fault CH2_FAULT 8 -5\n",
        {"LOG I2T on channel 1 enabled\\.", "LOG I2T trip value of channel 1 set to 26\\.3 A2s",
         "LOG Switch enable configuration changed to: 0b00000001 ",
         "LOG I2T Fault \\(CH1\\) detected\\.", "i2tWarnCh1 faulted=true", "faultBox1 faulted=true",
         "channelOneFaultLabel text=Faulted",
         "BOARD register 0x0D=0x0080", "BOARD i2t 1=1", "BOARD current 1=0", "BOARD register 0x07=0x0001",
         "ERROR line 19: board load: channel must be 1 or 2, not '3'",
         "ERROR line 20: board fault: time must be a whole number of milliseconds from 1 to 86400000, not '-5'"},
        2, 1},
    AppCase{"ExitMenuItemClosesTheWindow",
        "click exitToolStripMenuItem\nbogus\n", {}, 0, 0}),
    [](const ::testing::TestParamInfo<AppCase>& p) { return std::string(p.param.name); });
// clang-format on

TEST(AppScriptInput, ReadsTheScriptFromStandardInput)
{
    const AppRun run = runTool({QStringLiteral("--script"), QStringLiteral("-")},
                               QByteArray(kWaitForChip) + "get devLabel\nbogus\n");
    ASSERT_TRUE(run.exitedNormally);
    expectLines(run, {"devLabel text=ZVR2M08A-K1", "ERROR line 4: unknown command 'bogus'"}, 1);
    EXPECT_EQ(run.exitCode, 1);
}

TEST(AppScriptInput, AMissingScriptIsAnErrorNotAHang)
{
    const AppRun run = runTool({QStringLiteral("--script"), QStringLiteral("/no/such/script.kcs")});
    ASSERT_TRUE(run.exitedNormally);
    expectLines(run, {"ERROR line 0: cannot read script '/no/such/script.kcs': .*"}, 1);
    EXPECT_EQ(run.exitCode, 1);
}

TEST(AppScriptScreenshot, SavesAPngOfTheWindowAtTheSizeAsked)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("window.png"));
    const QString small = dir.filePath(QStringLiteral("small.png"));
    const AppRun run = runScriptFile(QString::fromUtf8(kWaitForChip) +
                                     QStringLiteral("select-text mainTabControl Console\nscreenshot \"%1\"\n"
                                                    "resize 1280 720\nscreenshot \"%2\"\nresize 0 720\n")
                                         .arg(path, small));
    ASSERT_TRUE(run.exitedNormally);
    EXPECT_EQ(run.exitCode, 1);  // the refused size
    EXPECT_TRUE(run.sanitizerReport.isEmpty()) << run.sanitizerReport.toStdString();
    const QImage image(path, "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 1458);
    EXPECT_GE(image.height(), 1066);
    EXPECT_EQ(QImage(small, "PNG").size(), QSize(1280, 720));
    EXPECT_TRUE(run.scriptLines.contains(QStringLiteral("ERROR line 7: size 0 x 720 is not a window size")))
        << run.scriptLines.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
