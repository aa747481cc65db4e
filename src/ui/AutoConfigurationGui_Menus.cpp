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
    return menu;
}

// A menu is switched on and off as a whole: its entry in the parent and the
// menu itself, so both the entry and a query of the menu show the state.
void setMenuEnabled(QMenu* menu, bool enabled)
{
    menu->setEnabled(enabled);
    menu->menuAction()->setEnabled(enabled);
}

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
    saveToEEPROMToolStripMenuItem->setEnabled(false);
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

void AutoConfigurationGui::setHardwareMenusEnabled(bool enabled)
{
    setMenuEnabled(settingsToolStripMenuItem, enabled);
    // The emulated board's bench stays reachable: it is where the board is
    // plugged in again. Only the board's own item follows its presence.
    if (emulatedBoardToolStripMenuItem != nullptr)
        enterDFUModeToolStripMenuItem->setEnabled(enabled);
    else
        setMenuEnabled(toolsToolStripMenuItem, enabled);
    setMenuEnabled(exportToolStripMenuItem, enabled);
    saveSettingsToolStripMenuItem->setEnabled(enabled);
    loaToolStripMenuItem->setEnabled(enabled);
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
        manualPersistToolStripMenuItem->setEnabled(false);
    } else {
        logMessageToWindow(QStringLiteral("Manual persist enabled."));
        manualPersistEnabled = true;
        manualPersistToolStripMenuItem->setEnabled(true);
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
        manualRefreshToolStripMenuItem->setEnabled(false);
    } else {
        manualRefreshEnabled = true;
        for (FamilyPageSet* set : sets) set->faultUpdateStatus->setCurrentIndex(1);
        manualRefreshToolStripMenuItem->setEnabled(true);
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
    DialogSeam::message(this, QMessageBox::Information, QStringLiteral("DFU Entry Command Sent"),
                        QStringLiteral("Device Firmware Update (DFU) entry command sent. Use fwloader.exe to update firmware."));
    queueHSSCommand(new HSSEnterDFUCmd());
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
    queueHSSCommand(new HSSSignalCmd(hss::kCmdFlashErase));
    DialogSeam::message(this, QMessageBox::Information, QStringLiteral("Configuration Erased"),
                        QStringLiteral("Configuration memory space on MCU flash erased."));
}

void AutoConfigurationGui::mainTabControl_SelectedIndexChanged(int)
{
    if (manualRefreshEnabled || dontRunEvents) return;
    updateMainGUIFromSelection();
}

void AutoConfigurationGui::safetyTabControl_SelectedIndexChanged(int)
{
    if (manualRefreshEnabled) return;
    updateMainGUIFromSelection();
}
