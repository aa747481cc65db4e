// Whole stack: the real window offscreen on the in-process emulated board,
// controls found by objectName, results read from the emulated chip's
// registers, the board's transfer trace and the window's log.

#include "GuiHarness.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <map>
#include <random>
#include <set>

#include "EditorRowTable.h"
#include "device/AddressLists.h"
#include "device/ConfigReadBack.h"
#include "device/HSSRegisterMap.h"
#include "protocol/HSSConstants.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/seam/DialogSeam.h"

using harness::Gui;
using harness::waitUntil;
using namespace editortest;

namespace {

struct Part {
    const char* title;
    uint16_t devid;
    bool eighteen;
};

ZVRxQxx16PINConfiguration& recordOf(AutoConfigurationGui& window, bool eighteen)
{
    if (eighteen)
        return window.eighteenPWPFuseConfig;
    return window.sixteenPWPFuseConfig;
}

// Every log line of the window, as it is appended.
struct LogLines {
    explicit LogLines(AutoConfigurationGui& window)
    {
        QObject::connect(&window, &AutoConfigurationGui::logLineAppended, &window,
                         [this](const QString& line) { lines << line; });
    }
    QStringList lines;
};

// Reads the register at address back through the link until the record
// holds value, then shows the record (the reply's own refresh may still be
// on its way; it shows the same).
bool readBackUntil(Gui& gui, bool eighteen, uint8_t address, uint16_t value)
{
    AutoConfigurationGui& window = gui.window();
    const auto location =
        hss::registerAt(eighteen ? HSS_FAMILY_18PWP : HSS_FAMILY_16PWP, address);
    if (!location)
        return false;
    window.updateMainGUIFromSelection();
    const bool stored = waitUntil([&] {
        return recordOf(window, eighteen).getRegister(location->reg, location->channel) == value;
    });
    if (eighteen)
        window.updateEighteenGuiFromConfig(true);
    else
        window.updateSixteenGuiFromConfig(true);
    return stored;
}

class WindowEditorRows : public ::testing::TestWithParam<Part> {};

TEST_P(WindowEditorRows, EveryControlWritesItsFieldAndLogsItsLine)
{
    const Part& part = GetParam();
    Gui gui(part.devid);
    ASSERT_TRUE(gui.waitConnected());
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    ASSERT_NE(window.configEditor, nullptr);
    // Random register words raise faults; their lines are not the editor's.
    gui.find<QComboBox>("faultUpdateStatus")->setCurrentIndex(1);
    harness::spin(600);
    LogLines log(window);
    std::mt19937 random(part.devid);
    const QString suffix = part.eighteen ? QStringLiteral("18") : QString();

    for (const Row& row : kRows) {
        const char* name = rowName(row, part.eighteen);
        if (*name == '\0')
            continue;
        const bool perChannel = row.chan == Chan::Settings || row.chan == Chan::Tuner;
        for (int channel = 0; channel < (perChannel ? 2 : 1); ++channel) {
            SCOPED_TRACE(std::string(name) + " channel " + std::to_string(channel + 1));
            const uint8_t address = addressOf(row.reg, part.eighteen, rowChannel(row, channel));
            window.dontRunEvents = true;
            gui.find<QComboBox>(("chanSettingBox" + suffix).toLatin1().constData())->setCurrentIndex(channel);
            gui.find<QComboBox>(("i2tChanNumBox" + suffix).toLatin1().constData())->setCurrentIndex(channel);
            window.dontRunEvents = false;

            // A fresh word the record cannot hold yet, so the wait ends on this reply.
            uint16_t base = 0;
            do {
                base = static_cast<uint16_t>(random());
            } while (base == gui.board().peekRegister(address));
            gui.board().pokeRegister(address, base);
            ASSERT_TRUE(readBackUntil(gui, part.eighteen, address, base));

            const std::size_t writesBefore = harness::singleWrites(gui.board()).size();
            const qsizetype linesBefore = log.lines.size();
            const ExpectedEdit expected = changeControl(&window, row, part.eighteen, channel, base,
                                                        window.configEditor->i2tArrayValues());
            EXPECT_TRUE(waitUntil([&] { return harness::singleWrites(gui.board()).size() > writesBefore; }));
            const auto writes = harness::singleWrites(gui.board());
            ASSERT_EQ(writes.size(), writesBefore + 1);
            EXPECT_EQ(writes.back(), std::make_pair(address, expected.word));
            EXPECT_EQ(gui.board().peekRegister(address), expected.word);
            if (expected.line.isEmpty()) {
                EXPECT_EQ(log.lines.size(), linesBefore);
            } else {
                ASSERT_EQ(log.lines.size(), linesBefore + 1);
                EXPECT_EQ(log.lines.back(), expected.line);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Parts, WindowEditorRows,
                         ::testing::Values(Part{"ZVR2M08A", 0xFFF0, false}, Part{"ZVR2M07A", 0xFF04, true},
                                           Part{"ZVR2M05A", 0xFF00, true}),
                         [](const auto& testInfo) { return std::string(testInfo.param.title); });

class WindowRoundTrip : public ::testing::TestWithParam<Part> {};

// Read back a chip with random contents, change nothing, write out: the chip
// keeps every configuration register (bits without a control included),
// except those the write-out writes as 0.
TEST_P(WindowRoundTrip, WriteOutAfterReadBackChangesNothing)
{
    const Part& part = GetParam();
    Gui gui(part.devid);
    ASSERT_TRUE(gui.waitConnected());
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    const hss_device_family_t family = part.eighteen ? HSS_FAMILY_18PWP : HSS_FAMILY_16PWP;

    std::vector<uint8_t> addresses;
    for (const std::vector<uint8_t>& list : hss::readBackLists(family)) {
        for (uint8_t address : list)
            addresses.push_back(address);
    }
    std::mt19937 random(part.devid + 1);
    std::map<uint8_t, uint16_t> original;
    for (uint8_t address : addresses) {
        gui.board().pokeRegister(address, static_cast<uint16_t>(random()));
        original[address] = gui.board().peekRegister(address);
    }
    // Registers the write-out writes as 0 (the read-back does not keep them).
    std::set<uint8_t> writtenAsZero;
    for (HSSRegister reg : {HSSRegister::ABIST_RESULT, HSSRegister::SAFETY_TEST, HSSRegister::SLEEP}) {
        if (auto address = hss::registerAddress(family, reg)) {
            if (reg != HSSRegister::SLEEP || part.eighteen)
                writtenAsZero.insert(*address);
        }
    }

    window.updateMainGUIFromSelection();
    ASSERT_TRUE(waitUntil([&] {
        for (uint8_t address : addresses) {
            const auto location = hss::registerAt(family, address);
            if (!location || writtenAsZero.count(address) || location->reg == HSSRegister::SLEEP)
                continue;
            if (recordOf(window, part.eighteen).getRegister(location->reg, location->channel) != original[address])
                return false;
        }
        return true;
    }));
    harness::spin(300);  // the reply's refresh reaches the window
    const std::size_t writesBefore = harness::singleWrites(gui.board()).size();
    const std::size_t commandsBefore = harness::writtenCommands(gui.board()).size();

    window.manualPersistToolStripMenuItem->trigger();
    const std::size_t mixWrites = part.eighteen ? 2 : 1;
    ASSERT_TRUE(waitUntil([&] {
        const auto commands = harness::writtenCommands(gui.board());
        std::size_t count = 0;
        for (std::size_t i = commandsBefore; i < commands.size(); ++i)
            count += commands[i].code == hss::kCmdMixWrite ? 1 : 0;
        return count == mixWrites;
    }));
    EXPECT_EQ(harness::singleWrites(gui.board()).size(), writesBefore);  // the refresh wrote nothing

    for (uint8_t address : addresses) {
        SCOPED_TRACE("address " + std::to_string(address));
        const auto location = hss::registerAt(family, address);
        if (location && (location->reg == HSSRegister::ABIST_RESULT || location->reg == HSSRegister::SLEEP))
            continue;  // read-only self-test result; SLEEP reads 0
        const uint16_t expected = writtenAsZero.count(address) ? 0 : original[address];
        EXPECT_EQ(gui.board().peekRegister(address), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Parts, WindowRoundTrip,
                         ::testing::Values(Part{"ZVR2M08A", 0xFFF0, false}, Part{"ZVR2M07A", 0xFF04, true}),
                         [](const auto& testInfo) { return std::string(testInfo.param.title); });

TEST(WindowEditor, PwmWordShowsInBothPlacesAndManualPersistHoldsAllButSvbb)
{
    Gui gui(0xFF04);
    ASSERT_TRUE(gui.waitConnected());
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    gui.board().pokeRegister(0x0D, 0x0E03);
    ASSERT_TRUE(readBackUntil(gui, true, 0x0D, 0x0E03));
    EXPECT_EQ(gui.find<QComboBox>("chanSettingPWMFreqBox18")->currentText(), "1770Hz");
    EXPECT_EQ(gui.find<QComboBox>("chanSettingPWMDutyBox18")->currentText(), "0.78%");
    EXPECT_TRUE(gui.find<QCheckBox>("chanSettingPwmEnBox18")->isChecked());
    EXPECT_EQ(gui.find<QComboBox>("cmdPWMFreqBox1")->currentText(), "1770Hz");
    EXPECT_EQ(gui.find<QComboBox>("cmdPWMDutyBox1")->currentText(), "0.78%");
    EXPECT_TRUE(gui.find<QCheckBox>("cmdPWMEn1")->isChecked());

    // Manual persist: edits stay in the record, one pending mark; the SVBB
    // setting goes out at once.
    window.manualPersistEnableCheckBox->setChecked(false);
    const std::size_t writesBefore = harness::singleWrites(gui.board()).size();
    const uint16_t chConfig = gui.board().peekRegister(0x0F);
    for (int i = 0; i < 10; ++i)
        gui.find<QComboBox>("slewRateBox18")->setCurrentIndex((i + 1) % 4);
    harness::spin(200);
    EXPECT_EQ(harness::singleWrites(gui.board()).size(), writesBefore);
    EXPECT_EQ(gui.board().peekRegister(0x0F), chConfig);
    EXPECT_EQ(gui.find<QLabel>("commandStatusLabel")->text().count("*Persist Pending*"), 1);
    gui.find<QComboBox>("olOffMode18")->setCurrentIndex(3);
    EXPECT_TRUE(waitUntil([&] { return harness::singleWrites(gui.board()).size() == writesBefore + 1; }));
    EXPECT_EQ(gui.board().peekRegister(0x0F), window.eighteenPWPFuseConfig.getChanDiagConfig(0));
    EXPECT_EQ(gui.board().peekRegister(0x0F) & 0x0018, 0x0018);

    // Persist switched back on: the held edits reach the chip in one write-out.
    window.manualPersistEnableCheckBox->setChecked(true);
    EXPECT_TRUE(waitUntil([&] { return (gui.board().peekRegister(0x0F) & 0x3) == 10 % 4; }));
}

TEST(WindowEditor, ChannelEnableList)
{
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitConnected());
    ASSERT_TRUE(gui.waitDetected());
    LogLines log(gui.window());
    gui.board().pokeRegister(0x07, 0x0003);
    ASSERT_TRUE(readBackUntil(gui, false, 0x07, 0x0003));

    gui.find<QListWidget>("enChanBoxCC")->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(waitUntil([&] { return gui.board().peekRegister(0x07) == 0x0001; }));
    EXPECT_EQ(log.lines.back(), "Switch enable configuration changed to: 0b00000001 ");
    // The latch reset is tested with the fault view (tests/ui/FaultMonitorTest).
}

}  // namespace
