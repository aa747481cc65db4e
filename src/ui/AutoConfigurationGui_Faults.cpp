// The window as FaultHost: builds the fault view into the pages and routes
// the fault replies and the FAULT pin to it; the one window-thread wait.

#include "ui/AutoConfigurationGui.h"

#include "ui/WindowThreadWait.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/faults/FaultView.h"
#include "ui/pages/CommandCenterPage.h"
#include "ui/pages/FamilyPages.h"

void AutoConfigurationGui::buildFaultView()
{
    FaultPages pages;
    pages.commandCenter = commandCenter;
    pages.sixteen = familyPages->sixteen.devSettingPage;
    pages.eighteen = familyPages->eighteen.devSettingPage;
    faultView = new FaultView(*this, pages, {}, this);
    windowWait = new WindowThreadWait(this);
}

void AutoConfigurationGui::handle16PWPFaultResp(HSSMixReadCmd* command)
{
    faultView->handle16PWPFaultResp(*command);
    noteRegistersRead(*command);
}

void AutoConfigurationGui::handle18PWPFaultResp(HSSMixReadCmd* command)
{
    faultView->handle18PWPFaultResp(*command);
    noteRegistersRead(*command);
}

bool AutoConfigurationGui::isSafetyPart() const { return isSafetyDevice; }

void AutoConfigurationGui::logFaultLine(const QString& line) { logMessageToWindow(line); }

void AutoConfigurationGui::setFaultPollStopped(bool stopped) { manualUpdateEnabled = stopped; }

void AutoConfigurationGui::showLowPowerModeActive(hss_device_family_t family)
{
    configEditor->showLowPowerModeActive(family);
}

bool AutoConfigurationGui::waitOnWindowThread(std::chrono::milliseconds duration)
{
    return !isShuttingDown && windowWait->wait(duration);
}
