#include "ui/automation/ScriptHarness.h"
#include "ui/automation/TestWindow.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ScriptCase {
    const char* name;
    const char* script;
    QStringList expected;  // every printed line, in order ("LOG closing" is added)
    int exitStatus;
};

void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }

class RunScript : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(RunScript, PrintsTheExpectedLines)
{
    const ScriptCase& c = GetParam();
    TestWindow window;
    const ScriptRun run = runScript(window, QString::fromUtf8(c.script));
    ASSERT_TRUE(run.finished);
    QStringList expected = c.expected;
    expected << QStringLiteral("LOG closing");
    EXPECT_EQ(run.lines.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
    EXPECT_EQ(run.exitStatus, c.exitStatus);
    EXPECT_FALSE(window.isVisible());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, RunScript, ::testing::Values(
    ScriptCase{"EmptyScriptClosesTheWindow", "", {}, 0},
    ScriptCase{"SelectDropDown",
        "select modeBox 2\nget modeBox\nget modeBox text\nget modeBox items\nget modeBox count\n",
        {"LOG mode 2", "modeBox index=2", "modeBox text=Fast",
         "modeBox items=Off|Slow|Fast", "modeBox count=3"}, 0},
    ScriptCase{"SelectOutOfRange", "select modeBox 3\nselect modeBox -1\nselect modeBox two\n",
        {"ERROR line 1: index 3 out of range for 'modeBox' (3 items)",
         "ERROR line 2: index -1 out of range for 'modeBox' (3 items)",
         "ERROR line 3: 'two' is not a number"}, 1},
    ScriptCase{"SelectTabs",
        "select mainTabs 1\nget mainTabs\nget mainTabs index\nget mainTabs tabs\nget mainTabs count\n"
        "select-text mainTabs Third\nget mainTabs\nselect mainTabs 3\n",
        {"LOG tab 1", "mainTabs text=Second", "mainTabs index=1",
         "mainTabs tabs=First|Second|&Third", "mainTabs count=3",
         "LOG tab 2", "mainTabs text=&Third",
         "ERROR line 8: index 3 out of range for 'mainTabs' (3 tabs)"}, 1},
    ScriptCase{"SelectText",
        "select-text modeBox \"Slow\"\nselect-text modeBox Medium\nselect-text statusLabel Ready\n",
        {"LOG mode 1", "ERROR line 2: 'modeBox' has no item \"Medium\"",
         "ERROR line 3: 'statusLabel' is a QLabel, not a drop-down list, a list or a tab control"}, 1},
    ScriptCase{"SelectList", "select faultList 1\nget faultList\nget faultList text\nget faultList items\n",
        {"faultList index=1", "faultList text=Short", "faultList items=Overload|Short|Thermal"}, 0},
    ScriptCase{"CheckTickBox",
        "check enableBox 1\ncheck enableBox 1\nget enableBox\ncheck enableBox 0\ncheck enableBox 2\n",
        {"LOG enable on", "enableBox checked=true", "LOG enable off",
         "ERROR line 5: '2' is not 0 or 1"}, 1},
    ScriptCase{"CheckRadio", "check radioB 1\nget radioA\ncheck radioB 0\n",
        {"LOG radioB on", "radioA checked=false",
         "ERROR line 3: 'radioB' cannot be unticked by a user: tick another one of its group"}, 1},
    ScriptCase{"CheckMenuItem",
        "check persistAction 0\nget persistAction\ncheck persistAction 1\ncheck resetAction 1\n",
        {"LOG persist off", "persistAction checked=false", "LOG persist on",
         "ERROR line 4: 'resetAction' is a QAction, not a checkable menu item"}, 1},
    ScriptCase{"CheckWrongKind", "check statusLabel 1\n",
        {"ERROR line 1: 'statusLabel' is a QLabel, not a tick box, a radio button or a checkable menu item"}, 1},
    ScriptCase{"CheckOnHiddenPage", "get pageTwoBox visible\ncheck pageTwoBox 1\nget mainTabs\n",
        {"pageTwoBox visible=false", "LOG page two on", "mainTabs text=First"}, 0},
    ScriptCase{"CheckItem",
        "check-item faultList 1 1\nget faultList checked\ncheck-item faultList 1 0\n"
        "check-item faultList 3 1\ncheck-item faultList 2 1\ncheck-item modeBox 0 1\n",
        {"LOG fault 1 ticked", "faultList checked=false|true|false", "LOG fault 1 unticked",
         "ERROR line 4: index 3 out of range for 'faultList' (3 items)",
         "ERROR line 5: item 2 of 'faultList' has no tick box",
         "ERROR line 6: 'modeBox' is a QComboBox, not a ticked list"}, 1},
    ScriptCase{"Type",
        "type nameEdit \"Hello World\"\nget nameEdit\ntype nameEdit \"say \\\"hi\\\" \\\\ ok\"\nget nameEdit\n"
        "type nameEdit \"\"\nget nameEdit\ntype statusLabel x\n",
        {"LOG name Hello World", "nameEdit text=Hello World",
         "LOG name say \"hi\" \\\\ ok", "nameEdit text=say \"hi\" \\\\ ok",
         "LOG name ", "nameEdit text=",
         "ERROR line 7: 'statusLabel' is a QLabel, not a text box"}, 1},
    ScriptCase{"KeysOnTheConsole",
        "type consoleBox \"READ 0x1A\"\nkey consoleBox Enter\nkey consoleBox Up\nkey consoleBox a\n"
        "get consoleBox\nkey consoleBox Hyper\nkey consoleBox 7\nget consoleBox\n",
        {"LOG command READ 0x1A", "LOG history up", "consoleBox text=a",
         "ERROR line 6: unknown key 'Hyper'", "consoleBox text=a7"}, 1},
    ScriptCase{"Slide",
        "slide levelSlider 40\nget levelSlider\nslide levelSlider 101\nslide modeBox 1\n",
        {"LOG level 40", "levelSlider value=40",
         "ERROR line 3: value 101 out of range for 'levelSlider' (0 to 100)",
         "ERROR line 4: 'modeBox' is a QComboBox, not a slider"}, 1},
    ScriptCase{"ClickButtonsAndMenuItems",
        "click applyButton\nclick resetAction\nclick statusLabel\n",
        {"LOG applied", "LOG reset", "ERROR line 3: 'statusLabel' is a QLabel, not a push button or a menu item"}, 1},
    ScriptCase{"DisabledControls",
        "click lockedButton\ncheck childBox 1\nclick eepromAction\nclick dfuAction\nget lockedButton enabled\n"
        "get childBox enabled\nget applyButton enabled\n",
        {"ERROR line 1: 'lockedButton' is disabled",
         "ERROR line 2: 'childBox' is disabled through its parent 'disabledGroup'",
         "ERROR line 3: 'eepromAction' is disabled",
         "ERROR line 4: 'dfuAction' is in the disabled menu 'toolsMenu'",
         "lockedButton enabled=false", "childBox enabled=false", "applyButton enabled=true"}, 1},
    ScriptCase{"DisabledSubmenus",
        "click deepAction\nclick zoomInAction\ncheck fitAction 1\nget fitAction\nget zoomInAction enabled\n",
        {"ERROR line 1: 'deepAction' is in the disabled menu 'toolsMenu'",
         "ERROR line 2: 'zoomInAction' is in the disabled menu 'zoomMenu'",
         "LOG fit triggered on", "fitAction checked=true", "zoomInAction enabled=true"}, 1},
    ScriptCase{"AnswerMessages",
        "answer yes\nclick askButton\nclick askButton\nanswer no\nanswer yes\nclick askButton\nclick askButton\n",
        {"MESSAGE question \"Confirm\" \"Erase \\\"all\\\"?\\nSure\" -> yes", "LOG answer yes",
         "MESSAGE question \"Confirm\" \"Erase \\\"all\\\"?\\nSure\" -> no", "LOG answer no",
         "MESSAGE question \"Confirm\" \"Erase \\\"all\\\"?\\nSure\" -> no", "LOG answer no",
         "MESSAGE question \"Confirm\" \"Erase \\\"all\\\"?\\nSure\" -> yes", "LOG answer yes"}, 0},
    ScriptCase{"DialogsOutsideTheSeamAreAnsweredToo",
        "click rawMessageButton\nanswer yes\nclick rawMessageButton\n"
        "answer-file /tmp/kc-raw.txt\nclick rawFileButton\nclick rawFileButton\n",
        {"MESSAGE warning \"Raw\" \"Not through the seam\" -> no", "LOG raw answer no",
         "MESSAGE warning \"Raw\" \"Not through the seam\" -> yes", "LOG raw answer yes",
         "FILE-DIALOG \"Text (*.txt)\" -> /tmp/kc-raw.txt", "LOG raw save /tmp/kc-raw.txt",
         "FILE-DIALOG \"Text (*.txt)\" -> cancel", "LOG raw save cancelled"}, 0},
    ScriptCase{"AnswerNotOffered", "answer ok\nclick askButton\nclick infoButton\nanswer maybe\n",
        {"MESSAGE question \"Confirm\" \"Erase \\\"all\\\"?\\nSure\" -> no",
         "ERROR line 1: the message box has no button ok; answered no", "LOG answer no",
         "MESSAGE information \"Info\" \"Done\" -> ok", "LOG info ok",
         "ERROR line 4: unknown button 'maybe'"}, 1},
    ScriptCase{"AnswerFiles",
        "answer-file /tmp/kc settings.txt\nanswer-file \"/tmp/kc settings.txt\"\nclick openButton\n"
        "answer-cancel\nclick saveButton\nclick openButton\n",
        {"ERROR line 1: usage: answer-file PATH",
         "FILE-DIALOG \"Settings (*.txt)\" -> /tmp/kc settings.txt", "LOG open /tmp/kc settings.txt",
         "FILE-DIALOG \"C source (*.c *.h)\" -> cancel", "LOG save cancelled",
         "FILE-DIALOG \"Settings (*.txt)\" -> cancel", "LOG open cancelled"}, 1},
    ScriptCase{"GetProperties",
        "get AutoConfigurationGui\nget AutoConfigurationGui windowTitle\nget statusLabel\n"
        "get statusLabel color\nget paletteLabel color\nget multiLabel\nget nameEdit placeholderText\n"
        "get levelSlider orientation\nget levelSlider maximum\nget applyButton\nget resetAction\n"
        "get statusLabel visible\nget statusLabel tabs\nget statusLabel bogus\nget nowhere\n",
        {"AutoConfigurationGui windowTitle=Automation Test Window",
         "AutoConfigurationGui windowTitle=Automation Test Window",
         "statusLabel text=Ready", "statusLabel color=#008000", "paletteLabel color=#ff0000",
         "multiLabel text=a\\\\b\\nc\\rd", "nameEdit placeholderText=your name",
         "levelSlider orientation=Horizontal", "levelSlider maximum=100",
         "applyButton text=Apply", "resetAction enabled=true", "statusLabel visible=true",
         "ERROR line 13: 'statusLabel' has no property tabs",
         "ERROR line 14: 'statusLabel' has no property bogus",
         "ERROR line 15: unknown control 'nowhere'"}, 1},
    ScriptCase{"LineNumbersCountEveryLine",
        "# comment\n\nbogus\n   # another\nclick nowhere # trailing comment\r\ntype nameEdit \"open\nselect modeBox\n",
        {"ERROR line 3: unknown command 'bogus'", "ERROR line 5: unknown control 'nowhere'",
         "ERROR line 6: missing closing quote", "ERROR line 7: usage: select NAME INDEX"}, 1},
    ScriptCase{"WaitFor",
        "click connectButton\nwait-for delayedLabel text Connected 30000\nget delayedLabel\n"
        "wait-for statusLabel text Never 0\nwait-for statusLabel text Ready\nwait-for nowhere text x\n"
        "wait-for statusLabel bogus x\nwait-for statusLabel text\n",
        {"delayedLabel text=Connected", "TIMEOUT statusLabel text",
         "ERROR line 6: unknown control 'nowhere'", "ERROR line 7: 'statusLabel' has no property bogus",
         "ERROR line 8: usage: wait-for NAME PROPERTY VALUE [TIMEOUT_MS]"}, 1},
    ScriptCase{"WaitForATimeoutThatPasses", "wait-for statusLabel text Never 30\nget statusLabel\n",
        {"TIMEOUT statusLabel text", "statusLabel text=Ready"}, 0},
    ScriptCase{"CrLfLinesAndNoFinalLineBreak", "get statusLabel\r\n\r\nbogus\r\nget modeBox",
        {"statusLabel text=Ready", "ERROR line 3: unknown command 'bogus'", "modeBox index=0"}, 1},
    ScriptCase{"Wait", "wait 20\nwait -1\nwait soon\nget statusLabel\n",
        {"ERROR line 2: wait needs a time of 0 ms or more", "ERROR line 3: 'soon' is not a number",
         "statusLabel text=Ready"}, 1},
    ScriptCase{"WorkerThreadLogs", "click workerButton\nwait-for workerLabel text done 30000\n",
        {"LOG from worker"}, 0},
    ScriptCase{"QuitStopsTheScript", "click applyButton\nquit\nclick applyButton\nbogus\n",
        {"LOG applied"}, 0},
    ScriptCase{"QuitTakesNoArguments", "quit now\n", {"ERROR line 1: usage: quit"}, 1},
    ScriptCase{"BoardCommandsNeedTheEmulatedBoard", "board supply 12\n",
        {"ERROR line 1: board commands need the emulated board (start the tool with --emulate)"}, 1}),
    [](const ::testing::TestParamInfo<ScriptCase>& p) { return std::string(p.param.name); });
// clang-format on

TEST(RunScriptExit, ExitMenuItemEndsTheRunWithoutFurtherCommands)
{
    TestWindow window;
    const ScriptRun run = runScript(window, QStringLiteral("click exitAction\nclick applyButton\nbogus\n"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.lines, QStringList{QStringLiteral("LOG closing")});
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(RunScriptEvents, TypingFiresEveryCharacterAndDropDownReportsActivation)
{
    TestWindow window;
    const ScriptRun run = runScript(window, QStringLiteral("type nameEdit abc\nselect modeBox 0\nslide levelSlider 5\n"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(window.textEditedCount, 3);
    // Picking the item already shown changes nothing but is still an activation.
    EXPECT_EQ(window.comboActivatedCount, 1);
    EXPECT_EQ(window.sliderReleasedCount, 1);
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("nameEdit"))->text(), QStringLiteral("abc"));
}

TEST(RunScriptEvents, KeysArriveAsOnePressAndReleaseEach)
{
    TestWindow window;
    const ScriptRun run = runScript(window, QStringLiteral("key consoleBox K\nkey consoleBox c\nkey consoleBox 7\n"
                                                           "key consoleBox Enter\nkey consoleBox Left\n"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(window.consoleKeyReleases,
              (QList<int>{Qt::Key_K, Qt::Key_C, Qt::Key_7, Qt::Key_Return, Qt::Key_Left}));
    EXPECT_EQ(run.lines.first(), QStringLiteral("LOG command Kc7"));
}

TEST(RunScriptScreenshot, WritesAPngOfTheWindowOrReportsWhy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("shots/window.png"));
    TestWindow window;
    const QString controlPath = dir.filePath(QStringLiteral("box.png"));
    const ScriptRun run = runScript(
        window, QStringLiteral("screenshot \"%1\"\nscreenshot /proc/no/such.png\nscreenshot \"%2\" modeBox\n"
                               "screenshot x.png noSuchControl\n")
                    .arg(path, controlPath));
    ASSERT_TRUE(run.finished);
    const QImage image(path, "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), window.size() * window.devicePixelRatio());
    const QImage control(controlPath, "PNG");
    ASSERT_FALSE(control.isNull());
    EXPECT_LT(control.width(), image.width());
    ASSERT_EQ(run.lines.size(), 3);
    EXPECT_EQ(run.lines.at(0), QStringLiteral("ERROR line 2: cannot write screenshot '/proc/no/such.png'"));
    EXPECT_EQ(run.lines.at(1), QStringLiteral("ERROR line 4: unknown control 'noSuchControl'"));
    EXPECT_EQ(run.exitStatus, 1);
}

TEST(RunScriptFiles, RelativeAnswerIsMadeAbsoluteLikeADialogWould)
{
    TestWindow window;
    const ScriptRun run = runScript(window, QStringLiteral("answer-file out/c.txt\nclick saveButton\n"));
    ASSERT_TRUE(run.finished);
    const QString absolute = QDir::current().absoluteFilePath(QStringLiteral("out/c.txt"));
    ASSERT_GE(run.lines.size(), 2);
    EXPECT_EQ(run.lines.at(0), QStringLiteral("FILE-DIALOG \"C source (*.c *.h)\" -> ") + absolute);
    EXPECT_EQ(run.lines.at(1), QStringLiteral("LOG save ") + absolute);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
