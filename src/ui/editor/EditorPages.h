#pragma once
// Builders of the editor's page contents. Each fills an existing tab page
// of the window with its groups and registers every control in the
// EditorControls by its name. Where the window already gave a group its
// place (a named group box on the page), the builder fills that group;
// otherwise it makes the group itself. Family pages are built once per
// family; the 18-pin build names its controls with the suffix 18.

#include "device/HSSDeviceFamily.h"

class EditorControls;
class QBoxLayout;
class QFormLayout;
class QGroupBox;
class QString;
class QWidget;

namespace editorpages {

// "PWM", "Channel Enable" and "Quick Commands" groups of "Command Center".
// Returns the "Quick Commands" group, so the sleep button can join it.
QGroupBox* buildCommandCenter(QWidget* page, EditorControls& controls);
// "General", "Low-Power Mode", "ADC Settings" and "Fault Masks".
void buildDeviceSettings(QWidget* page, hss_device_family_t family, EditorControls& controls);
// Channel selector and the channel's groups.
void buildChannelSettings(QWidget* page, hss_device_family_t family, EditorControls& controls);
// Channel selector, "Tuning Parameters", "Reset Latch" and "Parameter
// Description"; returns the (empty) area left for the charts.
QWidget* buildTuner(QWidget* page, hss_device_family_t family, EditorControls& controls);

// Layout helpers shared by the builders (EditorPageLayout.cpp).
// Puts the editor's content widget on the page: first in the page's box
// layout, in the first free cell of the top row of a grid, or in a new
// vertical layout.
void placeContent(QWidget* page, QWidget* content, int stretch = 0);
// The page's group box of that name, or nullptr.
QGroupBox* existingGroup(QWidget* page, const QString& name);
// A form for rows inside a group, appended to whatever the group holds.
QFormLayout* groupForm(QGroupBox* group);

}  // namespace editorpages
