// Demo mode on the real window: the demo parts, their values files, the
// silence towards board and log, and what leaving puts back.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>

#include "../files/TempFolder.h"
#include "files/FileReplace.h"
#include "files/SettingsFile.h"
#include "ui/WidgetHelpers.h"
#include "ui/files/SettingsFileCommands.h"

using harness::Gui;
using harness::waitUntil;

namespace {

const QString kEnterText =
    "Demo/Config mode is used when no EVM is available, however the user wants to still access the interface. "
    "Note that in this mode all USB reads/writes are ignored. This mode can be used to configure the device and "
    "export the C configuration structure.";

// The record holds every register of the demo values file (DEVID aside:
// the record keeps the code of the part shown).
void expectDemoValues(AutoConfigurationGui& window, hss_device_family_t family, const char* file)
{
    const auto contents = hss::files::readSettingsFile(hss::files::readWholeFile(std::string("demo/") + file, 4096).bytes);
    ASSERT_EQ(contents.headerFamily, family) << file;
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    hss::files::applySettingsRecords(family, contents.records, sixteen, eighteen);
    const ZVRxQxx16PINConfiguration& expected = family == HSS_FAMILY_18PWP
                                                    ? static_cast<const ZVRxQxx16PINConfiguration&>(eighteen)
                                                    : sixteen;
    const ZVRxQxx16PINConfiguration& shown = family == HSS_FAMILY_18PWP
                                                 ? static_cast<const ZVRxQxx16PINConfiguration&>(window.eighteenPWPFuseConfig)
                                                 : window.sixteenPWPFuseConfig;
    for (const auto& entry : hss::files::settingsRegisters(family)) {
        if (entry.reg == HSSRegister::DEVID) continue;
        EXPECT_EQ(shown.getRegister(entry.reg, entry.channel), expected.getRegister(entry.reg, entry.channel))
            << entry.tag;
    }
}

bool menusEnabled(Gui& gui)
{
    return gui.find<QAction>("saveSettingsToolStripMenuItem")->isEnabled() &&
           gui.find<QAction>("loaToolStripMenuItem")->isEnabled() && gui.find<QMenu>("exportToolStripMenuItem")->isEnabled();
}

bool anyMenuEnabled(Gui& gui)
{
    return gui.find<QAction>("saveSettingsToolStripMenuItem")->isEnabled() ||
           gui.find<QAction>("loaToolStripMenuItem")->isEnabled() || gui.find<QMenu>("exportToolStripMenuItem")->isEnabled();
}

class DemoModeBoards : public ::testing::TestWithParam<bool> {};

// Through demo mode and back, with the board (and no daughter card) or without it.
TEST_P(DemoModeBoards, PartsValuesSilenceAndLeaving)
{
    const bool board = GetParam();
    harness::MessageRecorder messages;
    Gui gui(std::nullopt, board);
    if (board) {
        ASSERT_TRUE(gui.waitConnected());
    }
    harness::spin(300);
    AutoConfigurationGui& window = gui.window();
    auto* item = gui.find<QAction>("demoModeToolStripMenuItem");
    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    auto* connection = gui.find<QLabel>("connectionLabel");

    // No part and no demo mode: nothing to save or export.
    EXPECT_FALSE(anyMenuEnabled(gui));
    window.settingsFiles->saveSettingsToolStripMenuItem_Click();
    EXPECT_EQ(messages.messages.back().caption, "No Part Identified");

    // Held edits and manual persist from before stay as they were.
    window.manualPersistEnableCheckBox->setChecked(false);
    window.sixteenPWPFuseConfig.setDevConfig(0x1234);
    window.dirtyPersist = true;
    const QString log = gui.logText();
    const QStringList pagesBefore = gui.tabTexts();

    item->trigger();
    EXPECT_EQ(messages.messages.back().caption, "Demo/Config Mode");
    EXPECT_EQ(messages.messages.back().text, kEnterText);
    EXPECT_TRUE(gui.chipControlsOn());
    EXPECT_EQ(connection->text(), "Demo Mode");
    EXPECT_EQ(ui::textColor(connection), ui::kOrange);
    EXPECT_TRUE(gui.find<QComboBox>("demoPartBox")->isVisible());
    EXPECT_TRUE(gui.find<QLabel>("demoPartLabel")->isVisible());
    EXPECT_TRUE(menusEnabled(gui));
    EXPECT_TRUE(window.pauseDeviceDetection);
    EXPECT_EQ(gui.tabTexts().mid(0, 4), (QStringList{"Command Center", "I2T Tuner", "Device Settings", "Channel Settings"}));
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), "ZVR2M08A-K1");
    expectDemoValues(window, HSS_FAMILY_16PWP, "demoModeValues16.txt");
    EXPECT_EQ(gui.find<QComboBox>("nomCurrentBox")->currentText(), "7.5");

    // An identification poll that was under way at the click has ended now.
    harness::spin(100);
    gui.board().clearTrace();

    // Switching to the 05 part: 18-pin pages and their values.
    gui.find<QComboBox>("demoPartBox")->setCurrentIndex(0);
    EXPECT_EQ(gui.tabTexts().mid(0, 5),
              (QStringList{"Command Center", "I2T Tuner", "Device Settings", "Channel Settings", "User Registers"}));
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), "ZVR2M05A-K1");
    EXPECT_EQ(window.curDeviceFamily, HSS_FAMILY_18PWP);
    expectDemoValues(window, HSS_FAMILY_18PWP, "demoModeValues18.txt");
    EXPECT_EQ(gui.find<QComboBox>("chanSettingI2TBox18")->currentText(), "492");
    // The 07 part shares the file and keeps its own code (and trip table).
    gui.find<QComboBox>("demoPartBox")->setCurrentIndex(1);
    EXPECT_EQ(window.eighteenPWPFuseConfig.getDevID(), 0xFF04);
    EXPECT_EQ(gui.find<QComboBox>("chanSettingI2TBox18")->currentText(), "250.2");

    // Edits, a manual persist and a settings load: no board traffic, no log
    // line, no held edit.
    tabs->setCurrentIndex(3);
    gui.find<QComboBox>("chanSettingPWMFreqBox18")->setCurrentIndex(2);
    window.manualPersistToolStripMenuItem->trigger();
    harness::spin(300);
    EXPECT_TRUE(harness::writtenCommands(gui.board()).empty());
    EXPECT_EQ(gui.logText(), log);
    EXPECT_FALSE(window.dirtyPersist);

    item->trigger();
    EXPECT_EQ(messages.messages.back().caption, "Demo Mode");
    EXPECT_EQ(messages.messages.back().text, "Demo mode exited.");
    EXPECT_FALSE(gui.chipControlsOn());
    EXPECT_EQ(gui.tabTexts(), pagesBefore);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(connection->text(), board ? "Connected" : "Disconnected");
    EXPECT_EQ(ui::textColor(connection), board ? ui::kGreen : ui::kRed);
    EXPECT_FALSE(gui.find<QComboBox>("demoPartBox")->isVisible());
    EXPECT_FALSE(anyMenuEnabled(gui));
    EXPECT_FALSE(window.pauseDeviceDetection);
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), "DEVICE NOT DETECTED");
    EXPECT_EQ(window.curDeviceFamily, HSS_FAMILY_NONE);
    EXPECT_EQ(window.sixteenPWPFuseConfig.getDevConfig(), 0x1234);
    EXPECT_EQ(window.eighteenPWPFuseConfig.getPWMConfig(0), 0);
    EXPECT_TRUE(window.dirtyPersist);
    EXPECT_TRUE(window.manualPersistEnabled);
    EXPECT_FALSE(window.manualPersistEnableCheckBox->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Board, DemoModeBoards, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? std::string("WithBoard") : std::string("NoBoard"); });

// Values files that are missing are told once each; a wrong one every time.
TEST(DemoMode, MissingOrWrongValuesFiles)
{
    harness::MessageRecorder messages;
    Gui gui(std::nullopt, false);
    harness::spin(200);
    TempFolder folder;
    const QString home = QDir::currentPath();
    std::filesystem::create_directory(folder / "demo");
    writeBytes(folder / "demo" / "demoModeValues16.txt", "ZVRQCONFIGURATOR_18PWP\r\n0,1\r\n");
    QDir::setCurrent(QString::fromStdString(folder.path().string()));

    auto* box = gui.find<QComboBox>("demoPartBox");
    gui.find<QAction>("demoModeToolStripMenuItem")->trigger();
    for (int index : {0, 1, 2}) box->setCurrentIndex(index);
    QDir::setCurrent(home);

    QStringList seen;
    for (const auto& m : messages.messages) seen << m.caption + ": " + m.text;
    const QString wrongFamily = "Error Opening File!: " +
                                QString::fromStdString((folder / "demo" / "demoModeValues16.txt").string()) +
                                " holds settings of the 18-pin family (18PWP), but the part in use is of the 16-pin "
                                "family (16PWP). Nothing was loaded.";
    EXPECT_EQ(seen, (QStringList{
                        "Demo/Config Mode: " + kEnterText,
                        wrongFamily,
                        "Demo Mode: The demo values file demoModeValues18.txt was not found (looked for "
                        "demo/demoModeValues18.txt in the working directory, beside the program and in the installed "
                        "data). The ZVR2M05-K1 demo part is shown with its registers as they were.",
                        wrongFamily,
                    }));
    EXPECT_EQ(gui.find<QLabel>("devLabel")->text(), "ZVR2M08A-K1");
    EXPECT_EQ(gui.window().sixteenPWPFuseConfig.getDevID(), 0xFFF0);
    EXPECT_EQ(gui.window().sixteenPWPFuseConfig.getDevConfig(), 0);
}

}  // namespace
