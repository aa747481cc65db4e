// The editor groups of a family's "Device Settings" page, in a row under the
// page's faults band.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "device/RegisterFields.h"
#include "editor/bindings/FieldCaptions.h"
#include "ui/editor/EditorControls.h"
#include "ui/editor/EditorPages.h"
#include "ui/widgets/PageFrame.h"

namespace editorpages {
namespace {

QString fieldText(hss_device_family_t f, const RegisterField& field)
{
    const std::string_view text = editor::fieldCaption(f, field);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QGroupBox* buildGeneralGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("General"), twinName("generalGroupBox", f));
    QFormLayout* form = groupForm(group);
    // The CRC switch has a handler of its own (it also tells the board).
    auto* crc = c.make<QCheckBox>(twinName("enableCRCBox", f), fieldText(f, hss::field::crcEnableField(f)));
    c.setCaption(crc->objectName(), nullptr, {});
    form->addRow(crc);
    addTick(form, c, "autoLPMCheckBox", f);
    addTick(form, c, "latchFaultBox", f);
    addTick(form, c, "wdEnableBox", f);
    addList(form, c, "wdtDurationBox", f);
    if (f == HSS_FAMILY_16PWP) {
        addTick(form, c, "parallelBox", f);
        addTick(form, c, "pwmDelayBox", f);
    } else {
        addTick(form, c, "fastDIDisableBox", f);
    }
    return group;
}

QGroupBox* buildLowPowerGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Low-Power Mode"), twinName("lpmModeGroup", f));
    QFormLayout* form = groupForm(group);
    // Own parent, so the pair is exclusive only between its two buttons.
    auto* pair = new QWidget;
    auto* row = new QHBoxLayout(pair);
    row->setContentsMargins(0, 0, 0, 0);
    auto* active = c.make<QRadioButton>(twinName("activeRadioButton", f), QStringLiteral("Active"));
    row->addWidget(active);
    row->addWidget(c.make<QRadioButton>(twinName("lpmRadioButton", f), QStringLiteral("Low-Power")));
    auto* label = new QLabel(fieldText(f, hss::field::LPM_ENABLE) + QLatin1Char(':'));
    label->setBuddy(active);
    c.setCaption(active->objectName(), label, {});
    form->addRow(label, pair);
    if (f == HSS_FAMILY_18PWP)
        addList(form, c, "manLPMModeBox18", f);
    return group;
}

QGroupBox* buildAdcGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("ADC Settings"), twinName("adcSettingsGroupBox", f));
    QFormLayout* form = groupForm(group);
    for (const char* row : {"adcEnableBox", "adcSouceInVBox", "adcSourceCurrentBox", "adcSourceJunctionBox",
                            "adcSourceOutVBox", "adcSourceVDSBox"})
        addTick(form, c, row, f);
    addList(form, c, "adcSampleRateBox", f);
    return group;
}

QGroupBox* buildFaultMaskGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Fault Masks"), twinName("faultMaskGroupBox", f));
    QFormLayout* form = groupForm(group);
    for (const char* row : {"faultMaskVBBUVLO", "faultMaskWDTBox", "faultMaskSPIBox", "faultMaskOpenLoadBox",
                            "faultMaskShortVBBBox"})
        addTick(form, c, row, f);
    if (f == HSS_FAMILY_16PWP)
        addTick(form, c, "faultMaskCLBox", f);
    return group;
}

}  // namespace

void buildDeviceSettings(PageFrame* page, hss_device_family_t family, EditorControls& controls)
{
    QHBoxLayout* row = addGroupRow(page->regionLayout(PageFrame::Region::Controls));
    QBoxLayout* first = addGroupColumn(row);
    first->addWidget(buildGeneralGroup(family, controls));
    first->addWidget(buildLowPowerGroup(family, controls));
    addGroupColumn(row)->addWidget(buildAdcGroup(family, controls));
    addGroupColumn(row)->addWidget(buildFaultMaskGroup(family, controls));
}

}  // namespace editorpages
