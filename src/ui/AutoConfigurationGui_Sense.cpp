// The window as the host of the live sense monitor (ui/sense): the sense
// poll's flag, the sense-poll replies and the current lists rescaled for
// the sense resistor.

#include <QGroupBox>

#include "measure/SenseResistor.h"
#include "ui/AutoConfigurationGui.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/faults/FaultView.h"
#include "ui/pages/FamilyPages.h"
#include "ui/sense/SenseMonitor.h"

void AutoConfigurationGui::buildSenseMonitor()
{
    SenseViews views;
    views.page = commandCenter;
    views.sixteenPinGeneralGroup =
        familyPages->sixteen.devSettingPage->findChild<QGroupBox*>(QStringLiteral("generalGroupBox"));
    views.inputVoltageDescStripLabel = inputVoltageDescStripLabel;
    views.inputVoltageValueLabel = inputVoltageValueLabel;
    views.dialogParent = this;
    senseMonitor = new SenseMonitor(*this, views, this);
    if (faultView != nullptr)
        faultView->onFaultRaised = [this](hss::FaultId fault) { senseMonitor->faultRaised(fault); };
}

bool AutoConfigurationGui::currentSenseEnabled() const { return isCurrentSenseEnabled; }

void AutoConfigurationGui::setCurrentSenseEnabled(bool on) { isCurrentSenseEnabled = on; }

void AutoConfigurationGui::rescaleCurrentLists(double senseResistorOhms)
{
    senseResistorEntered = senseResistorOhms;
    if (configEditor != nullptr)
        configEditor->setSenseResistorScaling(hss::measure::rescaleForSenseResistor(senseResistorOhms));
}

void AutoConfigurationGui::updateCurrentSenseGUI(HSSPollReadCmd* command)
{
    if (senseMonitor != nullptr && command != nullptr)
        senseMonitor->updateCurrentSenseGUI(*command);
}
