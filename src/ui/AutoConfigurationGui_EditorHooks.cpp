// The main window as the configuration editor's host: the editor fills the
// family pages and the Command Center groups, and the window's read-back,
// identification and selection paths call its refresh and list reload. The
// I2T tuner's charts join the tuner pages after the editor and redraw at the
// end of every refresh.

#include "ui/AutoConfigurationGui.h"

#include <QAction>
#include <QTabWidget>

#include "app/WindowThreadHandOver.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/pages/CommandCenterPage.h"
#include "ui/pages/FamilyPages.h"
#include "ui/tuner/I2TTuner.h"

void AutoConfigurationGui::buildEditor()
{
    EditorPageSet pages;
    pages.commandCenterPage = commandCenter;
    pages.fuseTunerPage16pwp = familyPages->sixteen.fuseTunerPage;
    pages.devSettingPage16pwp = familyPages->sixteen.devSettingPage;
    pages.chanSettingsPage16pwp = familyPages->sixteen.chanSettingsPage;
    pages.fuseTunerPage18pwp = familyPages->eighteen.fuseTunerPage;
    pages.devSettingPage18pwp = familyPages->eighteen.devSettingPage;
    pages.chanSettingsPage18pwp = familyPages->eighteen.chanSettingsPage;
    configEditor = new ConfigurationEditor(*this, pages, this);
}

void AutoConfigurationGui::buildTuner()
{
    I2TTuner::Pages pages;
    pages.tuner16 = familyPages->sixteen.fuseTunerPage;
    pages.deviceSettings16 = familyPages->sixteen.devSettingPage;
    pages.tuner18 = familyPages->eighteen.fuseTunerPage;
    pages.deviceSettings18 = familyPages->eighteen.devSettingPage;
    tuner = new I2TTuner(*this, pages, this);
    configEditor->setI2TRedraw([this](hss_device_family_t family) {
        if (tuner != nullptr)
            tuner->redraw(family);
    });
}

std::span<const double> AutoConfigurationGui::i2tTripValues() const
{
    if (configEditor == nullptr)
        return {};
    return configEditor->i2tArrayValues();
}

void AutoConfigurationGui::updateDefaultEnumerations(uint16_t code)
{
    if (configEditor != nullptr)
        configEditor->updateDefaultEnumerations(code);
}

void AutoConfigurationGui::updateSixteenGuiFromConfig(bool suppressEvents)
{
    if (configEditor != nullptr)
        configEditor->updateSixteenGuiFromConfig(suppressEvents);
}

void AutoConfigurationGui::updateEighteenGuiFromConfig(bool suppressEvents)
{
    if (configEditor != nullptr)
        configEditor->updateEighteenGuiFromConfig(suppressEvents);
}

bool AutoConfigurationGui::eventsSuppressed() const { return dontRunEvents; }

void AutoConfigurationGui::setEventsSuppressed(bool on) { dontRunEvents = on; }

hss_device_family_t AutoConfigurationGui::deviceFamily() const { return curDeviceFamily; }

ZVRxQxx16PINConfiguration& AutoConfigurationGui::sixteenPinRecord() { return sixteenPWPFuseConfig; }

ZVRxQxx18PINConfiguration& AutoConfigurationGui::eighteenPinRecord() { return eighteenPWPFuseConfig; }

void AutoConfigurationGui::logEditorLine(const QString& line) { logMessageToWindow(line); }

bool AutoConfigurationGui::isDemoMode() const { return demoModeToolStripMenuItem->isChecked(); }

bool AutoConfigurationGui::shutdownStarted() const { return isShuttingDown; }

bool AutoConfigurationGui::isWindowThread() const { return handOver->onWindowThread(); }

void AutoConfigurationGui::runOnWindowThreadBlocking(std::function<void()> task) { onWindowThread(task); }

QTabWidget* AutoConfigurationGui::tabControl() { return mainTabControl; }

QWidget* AutoConfigurationGui::datasheetTabPage() { return datasheetTab; }
