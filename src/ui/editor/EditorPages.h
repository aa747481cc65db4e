#pragma once
// Builders of the editor's page contents. Each fills the regions of an
// existing tab page (a PageFrame) with its groups and registers every
// control in the EditorControls by its name. Family pages are built once per
// family; the 18-pin build names its controls with the suffix 18. Captions
// come from the one caption table (editor/bindings/FieldCaptions).

#include <QString>

#include "device/HSSDeviceFamily.h"

class EditorControls;
class PageFrame;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QHBoxLayout;
class QWidget;

namespace editorpages {

// "PWM", "Channel Enable" and "Quick Commands" groups of "Command Center".
// Returns the "Quick Commands" group, so the sleep button can join it.
QGroupBox* buildCommandCenter(PageFrame* page, EditorControls& controls);
// "General", "Low-Power Mode", "ADC Settings" and "Fault Masks".
void buildDeviceSettings(PageFrame* page, hss_device_family_t family, EditorControls& controls);
// Channel selector and the channel's groups.
void buildChannelSettings(PageFrame* page, hss_device_family_t family, EditorControls& controls);
// Channel selector, "Tuning Parameters", "Reset Latch" and "Parameter
// Description" (the page keeps its chart regions).
void buildTuner(PageFrame* page, hss_device_family_t family, EditorControls& controls);

// Layout helpers shared by the builders (EditorPageLayout.cpp).
QGroupBox* newGroup(const QString& title, const QString& name = {});
// A form inside a group: captions left, each field at the width it needs.
QFormLayout* groupForm(QGroupBox* group);
// A row of groups (or columns of groups) that share their top edge.
QHBoxLayout* addGroupRow(QBoxLayout* parent);
// A column of a group row.
QBoxLayout* addGroupColumn(QHBoxLayout* row);

// The channel selector at the top of a per-channel page ("Channel:" and
// chanSettingBox / i2tChanNumBox), in the same place on every such page.
QComboBox* addChannelSelector(PageFrame* page, EditorControls& controls, const QString& name);

// The control of a binding row on a form, with the row's caption: a tick
// box shows it as its own text (on the right), a list gets a "Caption:"
// label in front as its buddy. channelTag (" (CH1)") marks a control fixed
// to one channel; labelName names the label where other code needs it.
QCheckBox* addTick(QFormLayout* form, EditorControls& controls, const char* row, hss_device_family_t family,
                   const QString& channelTag = {});
QComboBox* addList(QFormLayout* form, EditorControls& controls, const char* row, hss_device_family_t family,
                   const QString& channelTag = {}, const QString& labelName = {});
// The caption of a row as a label shows it ("Caption:").
QString labelText(const char* row, hss_device_family_t family, const QString& channelTag = {});

}  // namespace editorpages
