// Where the configuration editor plugs in: option lists for the part and the
// refresh of the editor pages from the records. Until the editor is wired
// into the window these calls have nothing to refresh; the editor replaces
// this file with its own definitions.

#include "ui/AutoConfigurationGui.h"

void AutoConfigurationGui::updateDefaultEnumerations(uint16_t) {}
void AutoConfigurationGui::updateSixteenGuiFromConfig(bool) {}
void AutoConfigurationGui::updateEighteenGuiFromConfig(bool) {}
