// Settings files and the C export on the real window against the emulated
// board: what reached the chip, the files on disk, the messages and the log.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <deque>
#include <map>
#include <random>

#include "../files/TempFolder.h"
#include "files/CExport.h"
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
    EXPECT_EQ(answers.lastText(), "Configuration loaded from " + path);
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

// Files the window must refuse or take in part, on a 16-pin chip.
TEST(SettingsFiles, LoadProblemsAreToldAndChangeNothing)
{
    Answers answers;
    TempFolder folder;
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitConnected());
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    const std::map<uint8_t, uint16_t> before{{5, 0x0011}, {9, 0x0484}};
    ASSERT_TRUE(chipAndRecordHold(gui, HSS_FAMILY_16PWP, before));
    fs::create_directory(folder / "folder.txt");

    const struct {
        const char* file;
        std::string bytes;
        QString caption;  // of the last message box
        QString text;     // its text ("%1" is the path)
        QString logEnd;   // the end of the last log line ("" : no new line)
        bool written;     // the load wrote the record to the chip
    } cases[] = {
        {"wrong.txt", "ZVRQCONFIGURATOR_16PWP \r\n5,1\r\n", "Error Opening File!", "File is in wrong format.", "", false},
        {"other.txt", "ZVRQCONFIGURATOR_18PWP\r\n4,1\r\n", "Error Opening File!",
         "%1 holds settings of the 18-pin family (18PWP), but the part in use is of the 16-pin family (16PWP). "
         "Nothing was loaded.", "", false},
        {"nothing.txt", "ZVRQCONFIGURATOR_16PWP\r\n5,x\r\n1,1\r\n4;1\r\n", "Nothing Loaded",
         "%1 holds no address,value record for a register of the 16-pin family (16PWP). Nothing was changed.",
         "No usable settings in %1; nothing was changed.", false},
        {"folder.txt", "", "Error Opening File!", "%1 could not be read: Is a directory.",
         "Could not read %1: Is a directory", false},
        {"empty.txt", "ZVRQCONFIGURATOR_16PWP\r\n", "Configuration Loaded", "Configuration loaded from %1",
         "Loaded %1 file configuration into device", true},
        {"partly.txt", "ZVRQCONFIGURATOR_16PWP\r\n5,7\r\n9,0x10\r\nnine,1\r\n", "Configuration Loaded",
         "Configuration loaded from %1", "Loaded %1 file configuration into device", true},
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
        EXPECT_EQ(answers.lastText(), QString(c.text).replace("%1", path));
        if (QString(c.logEnd).isEmpty()) {
            EXPECT_EQ(gui.logText(), logBefore);
        } else {
            EXPECT_TRUE(gui.logText().endsWith(QString(c.logEnd).replace("%1", path))) << gui.logText().toStdString();
        }
        harness::spin(200);
        EXPECT_EQ(mixWrites(gui.board()), writesBefore + (c.written ? 1 : 0));
    }
    EXPECT_TRUE(gui.logText().contains("] Skipped 2 lines of " + q(folder / "partly.txt") +
                                       " whose address or value is not a decimal number."));
    EXPECT_EQ(window.sixteenPWPFuseConfig.getDeviceFaultMask(), 7);
    EXPECT_EQ(window.sixteenPWPFuseConfig.getDevConfig(), 0x0484);
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

TEST(SettingsFiles, ExportingTwiceReplacesAllFiveFiles)
{
    Answers answers;
    TempFolder folder;
    Gui gui(0xFF04);
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    const char* names[] = {"board cfg.h", "board cfg.c", "zvr2mxx.h", "zvr_qdev.h", "zvr2mxx_24pwp.h"};

    for (uint16_t lpm : {0x0011, 0x00C1}) {
        SCOPED_TRACE(lpm);
        for (const char* name : names) writeBytes(folder / name, "stale");
        window.eighteenPWPFuseConfig.setLowPowerMode(lpm);
        answers.files.push_back(q(folder / "board cfg"));  // typed without ".h"
        window.cStructToolStripMenuItem->trigger();
        EXPECT_EQ(answers.filters.back(), "Header files (*.h)");
        EXPECT_EQ(answers.lastText(), "Configuration saved to " + q(folder / "board cfg.h"));
        const auto expected =
            hss::files::eighteenPinExport(window.eighteenPWPFuseConfig, "board cfg.h");
        EXPECT_EQ(readBytes(folder / "board cfg.h"), expected.header);
        EXPECT_EQ(readBytes(folder / "board cfg.c"), expected.source);
        EXPECT_NE(expected.source.find("0x00" + QString::number(lpm, 16).toUpper().toStdString()), std::string::npos);
        for (std::string_view header : hss::files::kSupportHeaders) {
            EXPECT_EQ(readBytes(folder / std::string(header)), readBytes("headers/" + std::string(header))) << header;
        }
    }
    EXPECT_TRUE(gui.logText().endsWith("] Saved configuration to " + q(folder / "board cfg.h")));
}

}  // namespace
