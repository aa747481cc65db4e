// The menu bar and the menu commands the window itself owns: exit, about,
// the persist and refresh switches, the board's flash and firmware update.

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QUrl>

#include "KcVersion.h"
#include "app/ReadBackRequests.h"
#include "device/AddressLists.h"
#include "protocol/HSSProtocol.h"
#include "ui/AutoConfigurationGui.h"
#include "ui/Resources.h"
#include "ui/WidgetHelpers.h"
#include "ui/bench/EmulatedBoardWindow.h"
#include "ui/pages/FamilyPages.h"
#include "ui/seam/DialogSeam.h"

namespace {

QAction* addItem(QMenu* menu, const QString& name, const QString& text, bool checkable = false, bool checked = false)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setCheckable(checkable);
    action->setChecked(checked);
    return action;
}

QMenu* addMenu(QWidget* parent, const QString& name, const QString& title)
{
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + QStringLiteral("Action"));
    // A disabled item's tooltip says why it is off.
    menu->setToolTipsVisible(true);
    return menu;
}

const QString kManualPersistOff =
    QStringLiteral("Writes the held edits; edits are held only while \"Persist\" is unticked (manual persist).");
const QString kManualRefreshOff =
    QStringLiteral("Reads the chip on request; only while \"Refresh\" is unticked (manual refresh).");

}  // namespace

void AutoConfigurationGui::buildMenus()
{
    menuStrip1 = new QMenuBar(this);
    menuStrip1->setObjectName(QStringLiteral("menuStrip1"));
    setMenuBar(menuStrip1);

    fileToolStripMenuItem = addMenu(this, QStringLiteral("fileToolStripMenuItem"), QStringLiteral("File"));
    saveSettingsToolStripMenuItem =
        addItem(fileToolStripMenuItem, QStringLiteral("saveSettingsToolStripMenuItem"), QStringLiteral("Save Settings"));
    loaToolStripMenuItem =
        addItem(fileToolStripMenuItem, QStringLiteral("loaToolStripMenuItem"), QStringLiteral("Load Settings"));
    exitToolStripMenuItem = addItem(fileToolStripMenuItem, QStringLiteral("exitToolStripMenuItem"), QStringLiteral("Exit"));

    toolsToolStripMenuItem = addMenu(this, QStringLiteral("toolsToolStripMenuItem"), QStringLiteral("Tools"));
    enterDFUModeToolStripMenuItem = addItem(toolsToolStripMenuItem, QStringLiteral("enterDFUModeToolStripMenuItem"),
                                            QStringLiteral("Enter DFU Mode"));
    if (board.emulatedBoard) {
        toolsToolStripMenuItem->addSeparator();
        emulatedBoardToolStripMenuItem = addItem(toolsToolStripMenuItem, QStringLiteral("emulatedBoardToolStripMenuItem"),
                                                 QStringLiteral("Emulated Board"));
        emulatedBoardWindow = new EmulatedBoardWindow(board.emulatedBoard, this);
        connect(emulatedBoardToolStripMenuItem, &QAction::triggered, emulatedBoardWindow, &EmulatedBoardWindow::open);
    }

    settingsToolStripMenuItem = addMenu(this, QStringLiteral("settingsToolStripMenuItem"), QStringLiteral("Settings"));
    autoPersistRefreshSettingsToolStripMenuItem = addMenu(
        this, QStringLiteral("autoPersistRefreshSettingsToolStripMenuItem"), QStringLiteral("Auto-Persist/Refresh Settings"));
    manualPersistEnableCheckBox = addItem(autoPersistRefreshSettingsToolStripMenuItem,
                                          QStringLiteral("manualPersistEnableCheckBox"), QStringLiteral("Persist"), true, true);
    manualRefreshToolCheck = addItem(autoPersistRefreshSettingsToolStripMenuItem, QStringLiteral("manualRefreshToolCheck"),
                                     QStringLiteral("Refresh"), true, true);
    manualPersistToolStripMenuItem = addItem(autoPersistRefreshSettingsToolStripMenuItem,
                                             QStringLiteral("manualPersistToolStripMenuItem"), QStringLiteral("Manual Persist"));
    manualRefreshToolStripMenuItem = addItem(autoPersistRefreshSettingsToolStripMenuItem,
                                             QStringLiteral("manualRefreshToolStripMenuItem"), QStringLiteral("Manual Refresh"));
    settingsToolStripMenuItem->addMenu(autoPersistRefreshSettingsToolStripMenuItem);

    flashPersistToolStripMenuItem = addMenu(this, QStringLiteral("flashPersistToolStripMenuItem"), QStringLiteral("MCU Flash"));
    persistToDeviceFlashToolStripMenuItem =
        addItem(flashPersistToolStripMenuItem, QStringLiteral("persistToDeviceFlashToolStripMenuItem"),
                QStringLiteral("Persist to MCU flash"));
    loadFromDeviceFlashToolStripMenuItem = addItem(
        flashPersistToolStripMenuItem, QStringLiteral("loadFromDeviceFlashToolStripMenuItem"), QStringLiteral("Load from MCU flash"));
    eraseMCUFlashToolStripMenuItem = addItem(flashPersistToolStripMenuItem, QStringLiteral("eraseMCUFlashToolStripMenuItem"),
                                             QStringLiteral("Erase MCU flash"));
    settingsToolStripMenuItem->addMenu(flashPersistToolStripMenuItem);

    eEPROMToolStripMenuItem = addMenu(this, QStringLiteral("eEPROMToolStripMenuItem"), QStringLiteral("EEPROM"));
    saveToEEPROMToolStripMenuItem =
        addItem(eEPROMToolStripMenuItem, QStringLiteral("saveToEEPROMToolStripMenuItem"), QStringLiteral("Save to EEPROM"));
    ui::setAvailable(saveToEEPROMToolStripMenuItem, false, QStringLiteral("Needs an identified 18-pin part."));
    settingsToolStripMenuItem->addMenu(eEPROMToolStripMenuItem);

    exportToolStripMenuItem = addMenu(this, QStringLiteral("exportToolStripMenuItem"), QStringLiteral("Export"));
    cStructToolStripMenuItem =
        addItem(exportToolStripMenuItem, QStringLiteral("cStructToolStripMenuItem"), QStringLiteral("Configuration Files"));

    helpToolStripMenuItem = addMenu(this, QStringLiteral("helpToolStripMenuItem"), QStringLiteral("Help"));
    demoModeToolStripMenuItem = addItem(helpToolStripMenuItem, QStringLiteral("demoModeToolStripMenuItem"),
                                        QStringLiteral("Demo/Config Mode"), true, false);
    aboutToolStripMenuItem = addItem(helpToolStripMenuItem, QStringLiteral("aboutToolStripMenuItem"), QStringLiteral("About"));

    for (QMenu* menu : {fileToolStripMenuItem, toolsToolStripMenuItem, settingsToolStripMenuItem, exportToolStripMenuItem,
                        helpToolStripMenuItem}) {
        menuStrip1->addMenu(menu);
    }

    connect(exitToolStripMenuItem, &QAction::triggered, this, &AutoConfigurationGui::exitToolStripMenuItem_Click);
    connect(aboutToolStripMenuItem, &QAction::triggered, this, &AutoConfigurationGui::aboutToolStripMenuItem_Click);
    connect(manualPersistEnableCheckBox, &QAction::toggled, this, &AutoConfigurationGui::enabledToolStripMenuItem_Click);
    connect(manualPersistToolStripMenuItem, &QAction::triggered, this,
            &AutoConfigurationGui::manualPersistToolStripMenuItem_Click);
    connect(manualRefreshToolCheck, &QAction::toggled, this, &AutoConfigurationGui::manualRefreshToolCheck_CheckStateChanged);
    connect(manualRefreshToolStripMenuItem, &QAction::triggered, this,
            &AutoConfigurationGui::manualRefreshToolStripMenuItem_Click);
    connect(enterDFUModeToolStripMenuItem, &QAction::triggered, this,
            &AutoConfigurationGui::enterDFUModeToolStripMenuItem_Click);
    connect(persistToDeviceFlashToolStripMenuItem, &QAction::triggered, this,
            &AutoConfigurationGui::persistToDeviceFlashToolStripMenuItem_Click);
    connect(loadFromDeviceFlashToolStripMenuItem, &QAction::triggered, this,
            &AutoConfigurationGui::loadFromDeviceFlashToolStripMenuItem_Click);
    connect(eraseMCUFlashToolStripMenuItem, &QAction::triggered, this,
            &AutoConfigurationGui::eraseMCUFlashToolStripMenuItem_Click);
    connect(saveToEEPROMToolStripMenuItem, &QAction::triggered, this,
            &AutoConfigurationGui::saveToEEPROMToolStripMenuItem_Click);
}

void AutoConfigurationGui::exitToolStripMenuItem_Click()
{
    close();  // the normal close path
}

void AutoConfigurationGui::aboutToolStripMenuItem_Click()
{
    const QString about = resources::findFile(QStringLiteral("docs/about.html"));
    if (about.isEmpty() || !urlOpener || !urlOpener(QUrl::fromLocalFile(about))) {
        DialogSeam::message(this, QMessageBox::Information, QStringLiteral("About"),
                            QStringLiteral("Keldor Configurator - v") + QLatin1String(kc::kVersion) +
                                QStringLiteral("\n\nThe document about the tool (docs/about.html) could not be opened."));
    }
}

void AutoConfigurationGui::enabledToolStripMenuItem_Click(bool checked)
{
    if (checked) {
        manualPersistEnabled = false;
        dirtyPersist = false;
        rawWriteFromConfig();
        logMessageToWindow(QStringLiteral("Manual persist disabled. Settings synced."));
        ui::setAvailable(manualPersistToolStripMenuItem, false, kManualPersistOff);
    } else {
        logMessageToWindow(QStringLiteral("Manual persist enabled."));
        manualPersistEnabled = true;
        ui::setAvailable(manualPersistToolStripMenuItem, true, kManualPersistOff);
    }
    showPersistAndRefreshState();
}

void AutoConfigurationGui::manualPersistToolStripMenuItem_Click()
{
    dirtyPersist = false;
    rawWriteFromConfig();
    logMessageToWindow(QStringLiteral("Settings persisted to device."));
    showPersistAndRefreshState();
}

// The refresh switch leaves pauseDeviceDetection alone: that flag belongs to
// demo, test and sleep mode. Automatic refresh keeps identification running;
// manual refresh suspends it through manualRefreshEnabled alone, so checking
// "Refresh" again always resumes it.
void AutoConfigurationGui::manualRefreshToolCheck_CheckStateChanged(bool checked)
{
    FamilyPageSet* sets[] = {&familyPages->sixteen, &familyPages->eighteen};
    if (checked) {
        manualRefreshEnabled = false;
        mainTabControl_SelectedIndexChanged(mainTabControl->currentIndex());
        logMessageToWindow(QStringLiteral("Manual refresh disabled"));
        for (FamilyPageSet* set : sets) set->faultUpdateStatus->setCurrentIndex(0);
        ui::setAvailable(manualRefreshToolStripMenuItem, false, kManualRefreshOff);
    } else {
        manualRefreshEnabled = true;
        for (FamilyPageSet* set : sets) set->faultUpdateStatus->setCurrentIndex(1);
        ui::setAvailable(manualRefreshToolStripMenuItem, true, kManualRefreshOff);
    }
    showPersistAndRefreshState();
}

void AutoConfigurationGui::manualRefreshToolStripMenuItem_Click()
{
    const hss_device_family_t family = curDeviceFamily;
    if (family == HSS_FAMILY_NONE || !heldEditsMayBeReplaced()) return;
    for (auto& command : configReadBackCommands(family, writeLedger.stampRead())) queueHSSCommand(command.release());
    if (auto faults = faultReadCommand(family)) queueHSSCommand(faults.release());
}

void AutoConfigurationGui::enterDFUModeToolStripMenuItem_Click()
{
    QString question = QStringLiteral(
        "Put the VELMARA-BOARD into firmware update (DFU) mode?\n\nThe board stops its normal work and leaves the "
        "tool until it is unplugged and plugged in again: no fault watching, no sense graphing, no settings written "
        "meanwhile. The chip keeps the settings it has now.");
    if (editsHeldFor(curDeviceFamily))
        question += QStringLiteral("\n\nEdits held under manual persist have not been written to the chip yet: "
                                   "answer No and choose \"Manual Persist\" to write them first.");
    const QMessageBox::StandardButton answer =
        DialogSeam::message(this, QMessageBox::Question, QStringLiteral("Enter DFU Mode"), question,
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
    queueHSSCommand(new HSSEnterDFUCmd());
    logMessageToWindow(QStringLiteral("Device Firmware Update (DFU) entry command sent."));
    DialogSeam::message(
        this, QMessageBox::Information, QStringLiteral("DFU Entry Command Sent"),
        QStringLiteral("The board now waits for its firmware loader: it shows on the USB bus as a firmware update "
                       "(DFU) device, no longer as the VELMARA-BOARD, so this tool has let it go.\n\nLoad the new "
                       "firmware with the board's firmware loader, then unplug the board and plug it in again. The "
                       "tool finds it by itself."));
}

void AutoConfigurationGui::persistToDeviceFlashToolStripMenuItem_Click()
{
    queueHSSCommand(new HSSFlashWriteCmd(hss::toVector(hss::sixteenFlashRegs)));
    DialogSeam::message(this, QMessageBox::Information, QStringLiteral("Configuration Saved"),
                        QStringLiteral("Configuration saved to MCU flash memory"));
}

void AutoConfigurationGui::loadFromDeviceFlashToolStripMenuItem_Click()
{
    // The stored configuration is read back into the record over any held edits.
    if (!heldEditsMayBeReplaced()) return;
    queueHSSCommand(new HSSSignalCmd(hss::kCmdFlashLoad));
    updateMainGUIFromSelection();
    DialogSeam::message(this, QMessageBox::Information, QStringLiteral("Configuration Loaded"),
                        QStringLiteral("Configuration loaded from flash (if it has been peviously programmed)"));
}

void AutoConfigurationGui::eraseMCUFlashToolStripMenuItem_Click()
{
    const QMessageBox::StandardButton answer = DialogSeam::message(
        this, QMessageBox::Question, QStringLiteral("Erase MCU Flash"),
        QStringLiteral("Erase the configuration stored in the board's MCU flash?\n\nThe stored configuration is lost: "
                       "\"Load from MCU flash\" has nothing to load until \"Persist to MCU flash\" stores one again. "
                       "The chip's present settings are not changed."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
    queueHSSCommand(new HSSSignalCmd(hss::kCmdFlashErase));
    DialogSeam::message(this, QMessageBox::Information, QStringLiteral("Configuration Erased"),
                        QStringLiteral("Configuration memory space on MCU flash erased."));
}

// Pages stay open without a board; a page change then has no chip to read.
void AutoConfigurationGui::mainTabControl_SelectedIndexChanged(int)
{
    if (manualRefreshEnabled || dontRunEvents || (!shownDevId && !isDemoMode())) return;
    updateMainGUIFromSelection();
}

void AutoConfigurationGui::safetyTabControl_SelectedIndexChanged(int)
{
    if (manualRefreshEnabled || (!shownDevId && !isDemoMode())) return;
    updateMainGUIFromSelection();
}
