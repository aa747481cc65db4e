// Identification of the fitted part, read-back and write-out of the chip's
// configuration, and the reply handlers of the chip model's registers.

#include "protocol/HSSProtocol.h"
#include "ui/AutoConfigurationGui.h"

void AutoConfigurationGui::handleDeviceIDRead(uint16_t) {}
void AutoConfigurationGui::updateTabsFromFamily() {}
void AutoConfigurationGui::updateMainGUIFromSelection() {}
void AutoConfigurationGui::rawWriteFromConfig() {}
void AutoConfigurationGui::handle16PWPConfigResp(HSSMixReadCmd*) {}
void AutoConfigurationGui::handle18PWPConfigResp(HSSMixReadCmd*) {}
void AutoConfigurationGui::handle16PWPFaultResp(HSSMixReadCmd*) {}
void AutoConfigurationGui::handle18PWPFaultResp(HSSMixReadCmd*) {}
void AutoConfigurationGui::updateCurrentSenseGUI(HSSPollReadCmd*) {}
void AutoConfigurationGui::handle16PWPSafetyRead(uint16_t) {}
void AutoConfigurationGui::handleTestModeRead24PWP(HSSSingleReadCmd*) {}
