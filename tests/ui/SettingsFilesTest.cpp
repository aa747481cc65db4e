// Settings files and the C export on the real window against the emulated
// board: what reached the chip, the files on disk, the messages and the log.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <deque>
#include <map>
#include <random>

#include "../files/TempFolder.h"
#include "files/CExport.h"
#include "editor/bindings/FieldBinding.h"
#include "files/SettingsFile.h"
#include "protocol/HSSConstants.h"

using harness::Gui;
using harness::waitUntil;
namespace fs = std::filesystem;

namespace {

// Answers file dialogs from a queue and records every message box.
using Answers = harness::MessageRecorder;

QString q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::size_t mixWrites(const EmulatedBoard& board)
{
    std::size_t count = 0;
    for (const auto& c : harness::writtenCommands(board)) count += c.code == hss::kCmdMixWrite && c.ok ? 1 : 0;
    return count;
}

ZVRxQxx16PINConfiguration& recordOf(AutoConfigurationGui& window, hss_device_family_t family)
{
    if (family == HSS_FAMILY_18PWP) return window.eighteenPWPFuseConfig;
    return window.sixteenPWPFuseConfig;
}

// Random words for the registers of the family's file (DEVID aside), with
// the 18-pin SPI CRC switch off so the board keeps talking to the chip.
std::map<uint8_t, uint16_t> randomSettings(hss_device_family_t family, std::mt19937& random)
{
    std::map<uint8_t, uint16_t> words;
    for (const auto& entry : hss::files::settingsRegisters(family)) {
        if (entry.reg == HSSRegister::DEVID) continue;
        uint16_t word = static_cast<uint16_t>(random());
        if (family == HSS_FAMILY_18PWP && entry.reg == HSSRegister::DEV_CONFIG) word &= 0x7FFF;
        words[*hss::registerAddress(family, entry.reg, entry.channel)] = word;
    }
    return words;
}

bool recordHolds(AutoConfigurationGui& window, hss_device_family_t family, const std::map<uint8_t, uint16_t>& words)
{
    for (const auto& [address, word] : words) {
        const auto at = hss::registerAt(family, address);
        if (!at || recordOf(window, family).getRegister(at->reg, at->channel) != word) return false;
    }
    return true;
}

// Puts the words into the chip and reads them back into the record.
bool chipAndRecordHold(Gui& gui, hss_device_family_t family, const std::map<uint8_t, uint16_t>& words)
{
    for (const auto& [address, word] : words) gui.board().pokeRegister(address, word);
    gui.window().updateMainGUIFromSelection();
    const bool held = waitUntil([&] { return recordHolds(gui.window(), family, words); });
    harness::spin(200);  // the reply's refresh reaches the window
    return held;
}

struct Part {
    const char* name;
    uint16_t devid;
    hss_device_family_t family;
};

class SettingsFileRoundTrip : public ::testing::TestWithParam<Part> {};

TEST_P(SettingsFileRoundTrip, LoadWritesEveryRegisterOrHoldsThemUnderManualPersist)
{
    const Part& part = GetParam();
    Answers answers;
    TempFolder folder;
    const QString path = q(folder / "settings.txt");
    Gui gui(part.devid);
    ASSERT_TRUE(gui.waitConnected());
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    std::mt19937 random(part.devid);

    const auto saved = randomSettings(part.family, random);
    ASSERT_TRUE(chipAndRecordHold(gui, part.family, saved));
    answers.files.push_back(path);
    window.saveSettingsToolStripMenuItem->trigger();
    EXPECT_EQ(answers.filters.back(), "txt files (*.txt)");
    EXPECT_EQ(answers.lastText(), "Configuration saved to " + path);
    EXPECT_TRUE(gui.logText().endsWith("] Saved configuration to " + path));

    // Automatic persist: the load writes the whole record to the chip.
    ASSERT_TRUE(chipAndRecordHold(gui, part.family, randomSettings(part.family, random)));
    const std::size_t writesBefore = mixWrites(gui.board());
    answers.files.push_back(path);
    window.loaToolStripMenuItem->trigger();
    EXPECT_EQ(answers.lastText().toStdString(), QStringLiteral("Configuration loaded from %1\n\n%2 records applied.")
                                                    .arg(path)
                                                    .arg(hss::files::settingsRegisters(part.family).size() - 1)
                                                    .toStdString());  // DEVID aside
    EXPECT_TRUE(gui.logText().endsWith("] Loaded " + path + " file configuration into device"));
    EXPECT_TRUE(recordHolds(window, part.family, saved));
    ASSERT_TRUE(waitUntil([&] { return mixWrites(gui.board()) == writesBefore + (part.family == HSS_FAMILY_18PWP ? 2 : 1); }));
    for (const auto& [address, word] : saved) EXPECT_EQ(gui.board().peekRegister(address), word) << int(address);
    EXPECT_EQ(recordOf(window, part.family).getDevID(), part.devid);

    // Manual persist: the record takes the file, the chip waits.
    window.manualPersistEnableCheckBox->setChecked(false);
    const auto onChip = randomSettings(part.family, random);
    ASSERT_TRUE(chipAndRecordHold(gui, part.family, onChip));
    const std::size_t heldBefore = mixWrites(gui.board());
    answers.files.push_back(path);
    window.loaToolStripMenuItem->trigger();
    EXPECT_TRUE(gui.logText().endsWith("] Loaded " + path + " file configuration into GUI"));
    EXPECT_TRUE(window.dirtyPersist);
    EXPECT_TRUE(gui.find<QLabel>("commandStatusLabel")->text().contains("*Persist Pending*"));
    EXPECT_TRUE(recordHolds(window, part.family, saved));
    harness::spin(300);
    EXPECT_EQ(mixWrites(gui.board()), heldBefore);
    for (const auto& [address, word] : onChip) EXPECT_EQ(gui.board().peekRegister(address), word) << int(address);
}

INSTANTIATE_TEST_SUITE_P(Parts, SettingsFileRoundTrip,
                         ::testing::Values(Part{"ZVR2M08A", 0xFFF0, HSS_FAMILY_16PWP},
                                           Part{"ZVR2M07A", 0xFF04, HSS_FAMILY_18PWP}),
                         [](const auto& param) { return std::string(param.param.name); });

// Every list and tick box of the family's pages shows its field of the record
// (a list with no entry for the value shows none), channel selectors on 1.
QStringList pagesNotShowingTheRecord(Gui& gui, hss_device_family_t family)
{
    const ZVRxQxx16PINConfiguration& record = recordOf(gui.window(), family);
    QStringList wrong;
    for (const editor::FieldBinding& row : editor::fieldBindings()) {
        if (!editor::appliesTo(row, family) || row.kind == editor::ControlKind::LatchRadio) continue;
        const auto value = editor::shownValue(row, family, record, row.channel == editor::ChannelSource::Channel2);
        if (!value) continue;
        const std::string control = editor::controlName(row, family);
        const char* name = control.c_str();
        int shown = 0;
        int expected = *value;
        if (auto* list = gui.find<QComboBox>(name)) {
            shown = list->currentIndex();
            if (expected >= list->count()) expected = -1;
        } else if (auto* tick = gui.find<QCheckBox>(name)) {
            shown = tick->isChecked() ? 1 : 0;
        } else if (auto* slider = gui.find<QSlider>(name)) {
            shown = slider->value();
        }
        if (shown != expected) wrong << QStringLiteral("%1 shows %2 for %3").arg(name).arg(shown).arg(expected);
    }
    return wrong;
}

// Files the window must refuse or take in part, on a 16-pin chip: every line
// whose address or value is not a decimal number in range is skipped and
// counted, the box says how many records were applied, and the chip and the
// pages hold exactly what was applied.
TEST(SettingsFiles, LoadProblemsAreToldAndChangeNothing)
{
    Answers answers;
    TempFolder folder;
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitConnected());
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    const std::map<uint8_t, uint16_t> before{{5, 0x0011}, {9, 0x0484}, {10, 0x0040}};
    ASSERT_TRUE(chipAndRecordHold(gui, HSS_FAMILY_16PWP, before));
    fs::create_directory(folder / "folder.txt");
    const std::string h16 = "ZVRQCONFIGURATOR_16PWP\r\n";
    const QString partly = "Configuration Partly Loaded";

    const struct {
        const char* file;
        std::string bytes;
        QString caption;  // of the last message box
        QString text;     // its text ("%1" is the path)
        QString logEnd;   // the end of the last log line ("" : no new line)
        QString skipLog;  // the log line naming the skipped lines ("": none)
        bool written;     // the load wrote the record to the chip
    } cases[] = {
        {"wrong.txt", "ZVRQCONFIGURATOR_16PWP \r\n5,1\r\n", "Error Opening File!", "File is in wrong format.", "", "",
         false},
        {"other.txt", "ZVRQCONFIGURATOR_18PWP\r\n4,1\r\n", "Error Opening File!",
         "%1 holds settings of the 18-pin family (18PWP), but the part in use is of the 16-pin family (16PWP). "
         "Nothing was loaded.", "", "", false},
        {"nothing.txt", h16 + "5,x\r\n1,1\r\n4;1\r\n", "Nothing Loaded",
         "%1 holds no address,value record for a register of the 16-pin family (16PWP). Nothing was changed.",
         "No usable settings in %1; nothing was changed.",
         "Skipped 3 lines of %1: line 2: the value \"x\" is not a decimal number; line 3: no register of this "
         "family's settings is at address 1; line 4: \"4;1\" is not an address,value record.", false},
        {"folder.txt", "", "Error Opening File!", "%1 could not be read: Is a directory.",
         "Could not read %1: Is a directory", "", false},
        {"empty.txt", h16, "Configuration Loaded", "Configuration loaded from %1\n\n0 records applied.",
         "Loaded %1 file configuration into device", "", true},
        {"partly.txt", h16 + "5,7\r\n9,0x10\r\nnine,1\r\n", partly,
         "Configuration loaded from %1\n\n1 record applied, 2 lines skipped (lines 3 and 4; the log says why).",
         "Loaded %1 file configuration into device",
         "Skipped 2 lines of %1: line 3: the value \"0x10\" is not a decimal number; line 4: the address \"nine\" is "
         "not a decimal number.", true},
        {"ranges.txt", h16 + "/* ZVR2M08_FAULT_MASK */\r\n5,99999999\r\n9,70000\r\n10,-1\r\n300,1\r\n14,5\r\n5,65536\r\n9,1x\r\n",
         partly,
         "Configuration loaded from %1\n\n1 record applied, 6 lines skipped (lines 3, 4, 5, 6, 8 and 1 more; the log "
         "says why).", "Loaded %1 file configuration into device",
         "Skipped 6 lines of %1: line 3: the value 99999999 is not in 0-65535; line 4: the value 70000 is not in "
         "0-65535; line 5: the value -1 is not in 0-65535; line 6: the address 300 is not in 0-255; line 8: the value "
         "65536 is not in 0-65535; and 1 line more.", true},
        // Fields the lists have no entry for: the pages must not go on showing the entries from before.
        {"unshowable.txt", h16 + "14,65535\r\n15,65535\r\n16,65535\r\n21,49151\r\n23,65535\r\n24,65535\r\n25,65535\r\n30,49151\r\n",
         "Configuration Loaded", "Configuration loaded from %1\n\n8 records applied.",
         "Loaded %1 file configuration into device", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = q(folder / c.file);
        if (!c.bytes.empty()) writeBytes(folder / c.file, c.bytes);
        const QString logBefore = gui.logText();
        const std::size_t writesBefore = mixWrites(gui.board());
        answers.files.push_back(path);
        window.loaToolStripMenuItem->trigger();
        ASSERT_FALSE(answers.messages.empty());
        EXPECT_EQ(answers.messages.back().caption, c.caption);
        EXPECT_EQ(answers.messages.back().icon, c.caption == partly || c.caption == "Nothing Loaded"
                                                    ? QMessageBox::Warning
                                                    : c.caption.startsWith("Error") ? QMessageBox::Critical
                                                                                   : QMessageBox::Information);
        EXPECT_EQ(answers.lastText(), QString(c.text).replace("%1", path));
        if (QString(c.logEnd).isEmpty()) {
            EXPECT_EQ(gui.logText(), logBefore);
        } else {
            EXPECT_TRUE(gui.logText().endsWith(QString(c.logEnd).replace("%1", path))) << gui.logText().toStdString();
        }
        if (!QString(c.skipLog).isEmpty()) {
            EXPECT_TRUE(gui.logText().mid(logBefore.size()).contains("] " + QString(c.skipLog).replace("%1", path)))
                << gui.logText().mid(logBefore.size()).toStdString();
        }
        ASSERT_TRUE(waitUntil([&] { return mixWrites(gui.board()) >= writesBefore + (c.written ? 1 : 0); }));
        harness::spin(200);
        EXPECT_EQ(mixWrites(gui.board()), writesBefore + (c.written ? 1 : 0));
        EXPECT_EQ(pagesNotShowingTheRecord(gui, HSS_FAMILY_16PWP).join("; ").toStdString(), "");
    }
    // What was skipped was not cut to fit and written: the chip and the
    // record hold the last values applied.
    const std::map<uint8_t, uint16_t> applied{{5, 7}, {9, 0x0484}, {10, 0x0040}, {14, 0xFFFF}, {21, 0xBFFF}};
    EXPECT_TRUE(recordHolds(window, HSS_FAMILY_16PWP, applied));
    for (const auto& [address, word] : applied) EXPECT_EQ(gui.board().peekRegister(address), word) << int(address);
}

// A save that cannot be written says why and keeps the old file.
TEST(SettingsFiles, FailedSaveKeepsTheOldFile)
{
    Answers answers;
    TempFolder folder;
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    fs::create_directories(folder / "locked");
    writeBytes(folder / "locked" / "old.txt", "old settings");
    fs::create_directory(folder / "a folder.txt");

    auto saveAndExpectFailure = [&](const fs::path& target, const QString& reason) {
        SCOPED_TRACE(target.string());
        const QString path = q(target);
        answers.files.push_back(path);
        window.saveSettingsToolStripMenuItem->trigger();
        ASSERT_FALSE(answers.messages.empty());
        EXPECT_EQ(answers.messages.back().icon, QMessageBox::Critical);
        EXPECT_EQ(answers.messages.back().caption, "Error Saving File");
        EXPECT_EQ(answers.lastText(), "The configuration could not be saved to " + path + ": " + reason +
                                          ".\n\nA file already there was left as it was.");
        EXPECT_TRUE(gui.logText().endsWith("] Could not save the configuration to " + path + ": " + reason));
    };

    // A read-only folder; the superuser writes anyway, so it gets a file
    // size limit instead (the write itself fails then).
    if (geteuid() != 0) {
        fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        saveAndExpectFailure(folder / "locked" / "old.txt", "Permission denied");
        fs::permissions(folder / "locked", fs::perms::owner_all);
    } else {
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit small{16, old.rlim_max};
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        saveAndExpectFailure(folder / "locked" / "old.txt", "File too large");
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
    saveAndExpectFailure(folder / "a folder.txt", "Is a directory");

    EXPECT_EQ(readBytes(folder / "locked" / "old.txt"), "old settings");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "locked"), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::is_directory(folder / "a folder.txt"));
    for (const auto& message : answers.messages) EXPECT_NE(message.caption, "Configuration Saved");
}

// Whatever name is picked, the export is a header and a source of one base
// name that compile together; exporting again replaces all five files.
TEST(SettingsFiles, ExportWritesAHeaderAndASourceThatCompile)
{
    Answers answers;
    TempFolder folder;
    Gui gui(0xFF04);
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    const char* names[] = {"board cfg.h", "board cfg.c", "zvr2mxx.h", "zvr_qdev.h", "zvr2mxx_24pwp.h"};

    const std::pair<const char*, uint16_t> exports[] = {{"board cfg", 0x0011}, {"board cfg.c", 0x00C1}};
    for (const auto& [chosen, lpm] : exports) {
        SCOPED_TRACE(chosen);
        for (const char* name : names) writeBytes(folder / name, "stale");
        window.eighteenPWPFuseConfig.setLowPowerMode(lpm);
        answers.files.push_back(q(folder / chosen));
        window.cStructToolStripMenuItem->trigger();
        EXPECT_EQ(answers.filters.back(), "C header and source (*.h *.c)");
        EXPECT_EQ(answers.lastText(),
                  "Configuration saved to " + q(folder / "board cfg.h") + " and " + q(folder / "board cfg.c"));
        const auto expected = hss::files::eighteenPinExport(window.eighteenPWPFuseConfig, "board cfg.h");
        EXPECT_EQ(readBytes(folder / "board cfg.h"), expected.header);
        EXPECT_EQ(readBytes(folder / "board cfg.c"), expected.source);
        EXPECT_NE(expected.source.find("0x00" + QString::number(lpm, 16).toUpper().toStdString()), std::string::npos);
        for (std::string_view header : hss::files::kSupportHeaders) {
            EXPECT_EQ(readBytes(folder / std::string(header)), readBytes("headers/" + std::string(header))) << header;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 5);
    }
    EXPECT_EQ(compileC(folder, "board cfg.c"), "");
    EXPECT_EQ(compileC(folder, "board cfg.h", "-x c"), "");
    EXPECT_TRUE(gui.logText().endsWith("] Saved configuration to " + q(folder / "board cfg.h") + " and " +
                                       q(folder / "board cfg.c")));

    // A name that leaves no base, or names a support header, writes nothing.
    for (const char* refused : {".c", "zvr_qdev.c"}) {
        answers.files.push_back(q(folder / refused));
        window.cStructToolStripMenuItem->trigger();
        EXPECT_EQ(answers.messages.back().caption, "Error Saving File") << refused;
        EXPECT_EQ(readBytes(folder / "zvr_qdev.h"), readBytes("headers/zvr_qdev.h"));
        EXPECT_FALSE(fs::exists(folder / ".h"));
        EXPECT_FALSE(fs::exists(folder / "zvr_qdev.c"));
    }
}

}  // namespace
