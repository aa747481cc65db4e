// Edits held under manual persist, on the real window against the emulated
// board: automatic re-reads keep them, explicit reads ask first, and the
// persist writes every one of them to the chip.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>

#include <utility>

#include "../files/TempFolder.h"
#include "protocol/HSSConstants.h"

using harness::Gui;
using harness::waitUntil;

namespace {

// 16-pin registers the edits below change.
constexpr uint8_t kDevConfig = 0x09;
constexpr uint8_t kPwmCh1 = 0x0E;
constexpr uint8_t kCh1Config = 0x10;
constexpr uint8_t kIlimConfigCh2 = 0x18;

const QString kPending = QStringLiteral("*Persist Pending*");

// Configuration read-backs (mixed reads of the 17-entry 16-pin list).
std::size_t configReads(const EmulatedBoard& board)
{
    std::size_t count = 0;
    for (const auto& c : harness::writtenCommands(board)) {
        if (c.code == hss::kCmdMixRead && c.ok && c.payload.size() > 30 && c.payload[30] == 17) ++count;
    }
    return count;
}

std::size_t commandsWithCode(const EmulatedBoard& board, uint8_t code)
{
    std::size_t count = 0;
    for (const auto& c : harness::writtenCommands(board)) count += c.code == code && c.ok ? 1 : 0;
    return count;
}

// Answers questions (Yes/No boxes) with the given button, everything else
// with its default, and records every box.
struct QuestionAnswers : DialogSeam::Responder {
    QuestionAnswers() { DialogSeam::setResponder(this); }
    ~QuestionAnswers() override { DialogSeam::setResponder(nullptr); }
    QMessageBox::StandardButton onMessage(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                          QMessageBox::StandardButtons buttons, QMessageBox::StandardButton def) override
    {
        boxes.push_back({icon, caption, text});
        if (buttons.testFlag(QMessageBox::Yes)) {
            EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);
            EXPECT_EQ(def, QMessageBox::No);  // Enter keeps the edits
            ++questions;
            return answer;
        }
        return DialogSeam::defaultButtonOf(buttons, def);
    }
    QString onFileDialog(bool, const QString&, const QString&) override { return std::exchange(file, QString()); }

    QString file;  // the next file dialog's answer, then cancel
    QMessageBox::StandardButton answer = QMessageBox::No;
    int questions = 0;
    std::vector<harness::RecordedMessage> boxes;
};

QComboBox* combo(Gui& gui, const char* name)
{
    auto* box = gui.find<QComboBox>(name);
    EXPECT_NE(box, nullptr) << name;
    return box;
}

// A ZVR2M08A with known contents, identified and read back, its
// "Channel Settings" page shown.
void startSixteenPin(Gui& gui)
{
    EmulatedBoard& board = gui.board();
    board.pokeRegister(kDevConfig, 0x0000);
    board.pokeRegister(kPwmCh1, 0x0000);
    board.pokeRegister(kCh1Config, 0x0000);
    board.pokeRegister(kIlimConfigCh2, 0x2000);  // capacitive charging: the charge level list is in use
    ASSERT_TRUE(gui.waitDetected());
    ASSERT_TRUE(waitUntil([&] { return gui.window().sixteenPWPFuseConfig.getILIMConfig(1) == 0x2000; }));
    gui.find<QTabWidget>("mainTabControl")->setCurrentWidget(gui.window().chanSettingsPage16pwp);
    harness::spin(400);  // the page change's read-back lands
}

}  // namespace

TEST(HeldEdits, ReReadsKeepHeldEditsAndThePersistWritesThemAll)
{
    Gui gui(0xFFF0);
    startSixteenPin(gui);
    AutoConfigurationGui& window = gui.window();
    EmulatedBoard& board = gui.board();
    auto* tabs = gui.find<QTabWidget>("mainTabControl");

    window.manualPersistEnableCheckBox->setChecked(false);
    board.clearTrace();

    // Three held edits on two pages.
    combo(gui, "slewRateBox")->setCurrentIndex(2);            // CH1_CONFIG bits 0-1
    combo(gui, "chanSettingPWMFreqBox")->setCurrentIndex(5);  // PWM_CH1 bits 9-11
    tabs->setCurrentWidget(window.devSettingPage16pwp);
    combo(gui, "wdtDurationBox")->setCurrentIndex(3);  // DEV_CONFIG bits 1-2

    // Every automatic re-read: page changes, the channel selector, and the
    // charge level's own follow-up (on channel 2, a fourth held edit).
    tabs->setCurrentWidget(window.commandCenterPage);
    tabs->setCurrentWidget(window.chanSettingsPage16pwp);
    combo(gui, "chanSettingBox")->setCurrentIndex(1);
    QComboBox* chargeLevel = combo(gui, "chargeLevelBox");
    ASSERT_TRUE(waitUntil([&] { return chargeLevel->isEnabled(); }));  // channel 2 is shown
    chargeLevel->setCurrentIndex(3);  // ILIM_CONFIG_CH2 bits 4-7
    harness::spin(600);
    EXPECT_EQ(chargeLevel->currentIndex(), 3);
    combo(gui, "chanSettingBox")->setCurrentIndex(0);
    harness::spin(600);

    EXPECT_EQ(configReads(board), 0u);  // the chip was not read over the held edits
    EXPECT_TRUE(harness::singleWrites(board).empty());
    EXPECT_EQ(combo(gui, "slewRateBox")->currentIndex(), 2);
    EXPECT_EQ(combo(gui, "chanSettingPWMFreqBox")->currentIndex(), 5);
    EXPECT_EQ(combo(gui, "wdtDurationBox")->currentIndex(), 3);
    EXPECT_TRUE(gui.find<QLabel>("commandStatusLabel")->text().contains(kPending));

    window.manualPersistToolStripMenuItem->trigger();
    EXPECT_TRUE(waitUntil([&] { return commandsWithCode(board, hss::kCmdMixWrite) == 1; }));
    harness::spin(200);
    EXPECT_EQ(board.peekRegister(kCh1Config) & 0x0003, 2);
    EXPECT_EQ((board.peekRegister(kPwmCh1) >> 9) & 0x7, 5);
    EXPECT_EQ((board.peekRegister(kDevConfig) >> 1) & 0x3, 3);
    EXPECT_EQ((board.peekRegister(kIlimConfigCh2) >> 4) & 0xF, 3);
    EXPECT_FALSE(gui.find<QLabel>("commandStatusLabel")->text().contains(kPending));

    // Nothing held any more: page changes read the chip again.
    tabs->setCurrentWidget(window.devSettingPage16pwp);
    EXPECT_TRUE(waitUntil([&] { return configReads(board) == 1; }));
}

TEST(HeldEdits, ManualRefreshAndFlashLoadAskBeforeDiscardingThem)
{
    struct Action {
        const char* item;
        uint8_t extraCommand;  // besides the read-back (0: none)
        const char* infoCaption;
    };
    for (const Action& action : {Action{"manualRefreshToolStripMenuItem", 0, nullptr},
                                 Action{"loadFromDeviceFlashToolStripMenuItem", hss::kCmdFlashLoad, "Configuration Loaded"}}) {
        SCOPED_TRACE(action.item);
        QuestionAnswers answers;
        Gui gui(0xFFF0);
        startSixteenPin(gui);
        AutoConfigurationGui& window = gui.window();
        EmulatedBoard& board = gui.board();
        window.manualPersistEnableCheckBox->setChecked(false);
        combo(gui, "slewRateBox")->setCurrentIndex(2);
        board.clearTrace();

        // No: the edit stays held and nothing is sent.
        answers.answer = QMessageBox::No;
        gui.find<QAction>(action.item)->trigger();
        harness::spin(600);
        ASSERT_EQ(answers.questions, 1);
        EXPECT_EQ(answers.boxes.back().caption, QStringLiteral("Discard Held Edits"));
        EXPECT_EQ(answers.boxes.back().icon, QMessageBox::Question);
        EXPECT_EQ(answers.boxes.size(), 1u);
        EXPECT_EQ(configReads(board), 0u);
        if (action.extraCommand != 0) {
            EXPECT_EQ(commandsWithCode(board, action.extraCommand), 0u);
        }
        EXPECT_EQ(window.sixteenPWPFuseConfig.getChanDiagConfig(0) & 0x3, 2);
        EXPECT_TRUE(window.dirtyPersist);
        EXPECT_TRUE(gui.find<QLabel>("commandStatusLabel")->text().contains(kPending));

        // Yes: the chip's value replaces the edit.
        answers.answer = QMessageBox::Yes;
        gui.find<QAction>(action.item)->trigger();
        EXPECT_EQ(answers.questions, 2);
        EXPECT_TRUE(waitUntil([&] { return (window.sixteenPWPFuseConfig.getChanDiagConfig(0) & 0x3) == 0; }));
        EXPECT_TRUE(waitUntil([&] { return combo(gui, "slewRateBox")->currentIndex() == 0; }));
        EXPECT_EQ(configReads(board), 1u);
        if (action.extraCommand != 0) {
            EXPECT_EQ(commandsWithCode(board, action.extraCommand), 1u);
        }
        if (action.infoCaption != nullptr) {
            EXPECT_EQ(answers.boxes.back().caption, QString::fromLatin1(action.infoCaption));
        }
        EXPECT_FALSE(window.dirtyPersist);
        EXPECT_TRUE(gui.logText().contains(QStringLiteral("] Held edits discarded.")));
        EXPECT_FALSE(gui.find<QLabel>("commandStatusLabel")->text().contains(kPending));
    }
}

// Settings loaded under manual persist are held edits: no page change,
// channel switch or read-back in flight replaces them, an explicit read asks
// first, and the persist writes them.
TEST(HeldEdits, LoadedSettingsAreHeldLikeEdits)
{
    QuestionAnswers answers;
    TempFolder folder;
    Gui gui(0xFFF0);
    startSixteenPin(gui);
    AutoConfigurationGui& window = gui.window();
    EmulatedBoard& board = gui.board();
    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    window.manualPersistEnableCheckBox->setChecked(false);
    // Slew rate 2, PWM frequency 5, watchdog 3: the chip holds 0 in each.
    writeBytes(folder / "held.txt", "ZVRQCONFIGURATOR_16PWP\r\n16,2\r\n14,2560\r\n9,6\r\n");

    const std::size_t readsBefore = configReads(board);
    board.makeNextRepliesNotReady(150);
    tabs->setCurrentWidget(window.devSettingPage16pwp);  // a read-back still in flight at the load
    ASSERT_TRUE(waitUntil([&] { return configReads(board) > readsBefore; }, 5000));
    board.clearTrace();
    answers.file = QString::fromStdString((folder / "held.txt").string());
    window.loaToolStripMenuItem->trigger();
    EXPECT_TRUE(gui.find<QLabel>("commandStatusLabel")->text().contains(kPending));

    tabs->setCurrentWidget(window.commandCenterPage);
    tabs->setCurrentWidget(window.chanSettingsPage16pwp);
    combo(gui, "chanSettingBox")->setCurrentIndex(1);
    combo(gui, "chanSettingBox")->setCurrentIndex(0);
    harness::spin(1200);  // the slowed read-back is answered meanwhile
    EXPECT_EQ(window.sixteenPWPFuseConfig.getChanDiagConfig(0), 2);
    EXPECT_EQ(window.sixteenPWPFuseConfig.getPWMConfig(0), 2560);
    EXPECT_EQ(window.sixteenPWPFuseConfig.getDevConfig(), 6);
    EXPECT_EQ(combo(gui, "slewRateBox")->currentIndex(), 2);
    EXPECT_EQ(combo(gui, "chanSettingPWMFreqBox")->currentIndex(), 5);
    EXPECT_EQ(combo(gui, "wdtDurationBox")->currentIndex(), 3);
    EXPECT_EQ(configReads(board), 0u);
    EXPECT_EQ(commandsWithCode(board, hss::kCmdMixWrite), 0u);

    window.manualRefreshToolStripMenuItem->trigger();  // answered No
    EXPECT_EQ(answers.questions, 1);
    EXPECT_EQ(answers.boxes.back().caption, QStringLiteral("Discard Held Edits"));
    harness::spin(300);
    EXPECT_EQ(window.sixteenPWPFuseConfig.getChanDiagConfig(0), 2);

    window.manualPersistToolStripMenuItem->trigger();
    ASSERT_TRUE(waitUntil([&] { return commandsWithCode(board, hss::kCmdMixWrite) == 1; }));
    EXPECT_TRUE(waitUntil([&] {
        return board.peekRegister(kCh1Config) == 2 && board.peekRegister(kPwmCh1) == 2560 &&
               board.peekRegister(kDevConfig) == 6;
    }));
}

// The board comes back with the same family: its detection shows the held
// edit instead of reading the chip over it.
TEST(HeldEdits, ReDetectionOfTheSameFamilyKeepsThem)
{
    Gui gui(0xFFF0);
    startSixteenPin(gui);
    AutoConfigurationGui& window = gui.window();
    EmulatedBoard& board = gui.board();
    window.manualPersistEnableCheckBox->setChecked(false);
    combo(gui, "slewRateBox")->setCurrentIndex(2);

    board.unplug();
    ASSERT_TRUE(waitUntil([&] { return !gui.chipControlsOn(); }));
    board.clearTrace();
    board.plug();
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(600);
    EXPECT_EQ(configReads(board), 0u);
    EXPECT_EQ(window.sixteenPWPFuseConfig.getChanDiagConfig(0) & 0x3, 2);
    EXPECT_EQ(combo(gui, "slewRateBox")->currentIndex(), 2);  // the list reload did not empty it
}

// A read-back queued before an edit is answered with the chip's value from
// before it; that answer must not undo the edit in the record and on the
// page while the chip holds it. Here the page change's read-back is slowed
// by replies that are not ready, and the edit comes while it waits.
TEST(EditsDuringReadBack, AnAnswerOlderThanTheEditLeavesTheEditAlone)
{
    Gui gui(0xFFF0);
    startSixteenPin(gui);
    AutoConfigurationGui& window = gui.window();
    EmulatedBoard& board = gui.board();
    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    const uint16_t before = board.peekRegister(kPwmCh1);
    const int frequency = (before >> 9) & 0x7;

    board.makeNextRepliesNotReady(150);
    tabs->setCurrentWidget(window.devSettingPage16pwp);
    tabs->setCurrentWidget(window.chanSettingsPage16pwp);  // a second read-back, queued before the edit
    combo(gui, "chanSettingPWMFreqBox")->setCurrentIndex((frequency + 3) % 8);  // PWM_CH1 bits 9-11
    const uint16_t edited = window.sixteenPWPFuseConfig.getPWMConfig(0);
    ASSERT_NE(edited, before);

    ASSERT_TRUE(waitUntil([&] { return board.peekRegister(kPwmCh1) == edited; }));
    harness::spin(1000);  // both read-backs answered
    EXPECT_EQ(window.sixteenPWPFuseConfig.getPWMConfig(0), edited);
    EXPECT_EQ(combo(gui, "chanSettingPWMFreqBox")->currentIndex(), (frequency + 3) % 8);

    // A read-back queued after the edit stores the chip's values as ever.
    board.pokeRegister(kPwmCh1, before);
    tabs->setCurrentWidget(window.devSettingPage16pwp);
    EXPECT_TRUE(waitUntil([&] { return window.sixteenPWPFuseConfig.getPWMConfig(0) == before; }));
}
