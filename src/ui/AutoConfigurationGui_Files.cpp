// The window as the host of the settings-file menus, the C export and demo
// mode (ui/files), and their wiring to the menu items.

#include <QAction>
#include <QComboBox>
#include <QMenu>

#include "link/HSSCommunicationManager.h"
#include "ui/AutoConfigurationGui.h"
#include "ui/files/DemoMode.h"
#include "ui/files/SettingsFileCommands.h"

void AutoConfigurationGui::buildFileCommands()
{
    settingsFiles = std::make_unique<SettingsFileCommands>(*this, this);
    DemoModeControls controls;
    controls.demoModeItem = demoModeToolStripMenuItem;
    controls.partBox = demoPartBox;
    controls.partBoxLabel = demoPartLabel;
    controls.tabs = mainTabControl;
    controls.connectionLabel = connectionLabel;
    controls.partNameLabel = devLabel;
    controls.partDescriptionLabel = devDesc;
    demo = std::make_unique<DemoMode>(*this, *settingsFiles, controls, this);

    // Nothing to save, load or export until a part is identified or demo
    // mode is chosen.
    saveSettingsToolStripMenuItem->setEnabled(false);
    loaToolStripMenuItem->setEnabled(false);
    exportToolStripMenuItem->setEnabled(false);
    exportToolStripMenuItem->menuAction()->setEnabled(false);

    connect(saveSettingsToolStripMenuItem, &QAction::triggered, this,
            [this] { settingsFiles->saveSettingsToolStripMenuItem_Click(); });
    connect(loaToolStripMenuItem, &QAction::triggered, this, [this] { settingsFiles->loaToolStripMenuItem_Click(); });
    connect(cStructToolStripMenuItem, &QAction::triggered, this,
            [this] { settingsFiles->cStructToolStripMenuItem_Click(); });
    // A click (not a programmatic check) toggles demo mode.
    connect(demoModeToolStripMenuItem, &QAction::triggered, this,
            [this] { demo->demoModeToolStripMenuItem_CheckStateChanged(); });
    connect(demoPartBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { demo->demoPartBox_SelectedIndexChanged(index); });
}

bool AutoConfigurationGui::partIdentified() const
{
    return commManager && commManager->isHSSDetected();
}

bool AutoConfigurationGui::manualPersistOn() const { return manualPersistEnabled; }

bool AutoConfigurationGui::persistPending() const { return dirtyPersist; }

void AutoConfigurationGui::setPersistPending(bool pending) { dirtyPersist = pending; }

void AutoConfigurationGui::writeConfigToChip() { rawWriteFromConfig(); }

void AutoConfigurationGui::logLine(const QString& format, const QStringList& args) { logMessageToWindow(format, args); }

void AutoConfigurationGui::refreshEditorFromRecord(hss_device_family_t family)
{
    // The lists are reloaded first, as before every read-back: a value a list
    // has no entry for then shows as no selection, not as the entry shown
    // before. (The 18-pin trip and LPM lists also depend on the record's
    // decrementer and FET bits.)
    if (family == HSS_FAMILY_16PWP) {
        updateDefaultEnumerations(sixteenPWPFuseConfig.getDevID());
        updateSixteenGuiFromConfig(true);
    } else if (family == HSS_FAMILY_18PWP) {
        updateDefaultEnumerations(eighteenPWPFuseConfig.getDevID());
        refreshUserRegisterBoxes();
        updateEighteenGuiFromConfig(true);
    }
}

void AutoConfigurationGui::identifyPart(uint16_t code) { handleDeviceIDRead(code); }

void AutoConfigurationGui::reloadOptionLists(uint16_t code) { updateDefaultEnumerations(code); }

void AutoConfigurationGui::showFamilyPages() { updateTabsFromFamily(); }

void AutoConfigurationGui::setDeviceFamily(hss_device_family_t family) { curDeviceFamily = family; }

void AutoConfigurationGui::setDetectionPaused(bool paused) { pauseDeviceDetection = paused; }

bool AutoConfigurationGui::boardConnected() const
{
    return commManager && commManager->isHidDeviceConnected();
}
