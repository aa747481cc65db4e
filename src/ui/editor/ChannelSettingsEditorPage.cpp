// The contents of a family's "Channel Settings" page: the channel selector
// in the state band, the channel's groups in the controls region.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/editor/EditorControls.h"
#include "ui/editor/EditorPages.h"
#include "ui/widgets/PageFrame.h"
#include "ui/widgets/TypeableList.h"

namespace editorpages {
namespace {

QGroupBox* buildOperationalGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Operational"), twinName("operationalGroupBox", f));
    QFormLayout* form = groupForm(group);
    addTick(form, c, "chanSettingENBox", f);
    addList(form, c, "lhiBehaviorBox", f);
    addTick(form, c, "chanSettingPwmEnBox", f);
    addList(form, c, "chanSettingPWMFreqBox", f);
    ui::makeTypeable(addList(form, c, "chanSettingPWMDutyBox", f));
    addList(form, c, "chanSettingLPMCurrentBox", f);
    addTick(form, c, "chanSettingsLPMAutoBox", f);
    return group;
}

QGroupBox* buildCapacitiveChargingGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Capacitive Charging"), twinName("capChargingGroupBox", f));
    QFormLayout* form = groupForm(group);
    addTick(form, c, "capChargeEnableBox", f);
    addList(form, c, "chargeLevelBox", f);
    addList(form, c, "capChargeDurationBox", f);
    return group;
}

QGroupBox* buildOvercurrentGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Overcurrent Protection"), twinName("overcurrentGroupBox", f));
    QFormLayout* form = groupForm(group);
    addList(form, c, "chanSettingCurrentLimitBox", f);
    addList(form, c, "inRushValueBox", f);
    addList(form, c, "chanSettingInrushDurationBox", f);
    return group;
}

QGroupBox* buildI2TGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("I2T Parameters"), twinName("i2tParametersGroupBox", f));
    QFormLayout* form = groupForm(group);
    addTick(form, c, "chanSettingI2TEnBox", f);
    for (const char* row : {"chanSettingNomBox", "chanSettingI2TBox", "chanSettingSWCLBox", "chanSettingSWDelayBox",
                            "chanSettingCLTimer"})
        addList(form, c, row, f);
    if (f == HSS_FAMILY_18PWP) {
        addList(form, c, "chanSettingsDecModeBox18", f);
        addList(form, c, "chanSettingDecFactBox18", f);
    }
    return group;
}

QGroupBox* buildConfigurationGroup(hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Configuration"), twinName("configurationGroupBox", f));
    QFormLayout* form = groupForm(group);
    addList(form, c, "slewRateBox", f);

    // Own parent, so the pair is exclusive only between its two buttons.
    auto* shutdown = new QWidget;
    shutdown->setObjectName(twinName("shutdownBehaviorPanel", f));
    auto* pair = new QHBoxLayout(shutdown);
    pair->setContentsMargins(0, 0, 0, 0);
    auto* latch = c.make<QRadioButton>(twinName("shutdownLatchBox", f), QStringLiteral("Latch"));
    pair->addWidget(latch);
    pair->addWidget(c.make<QRadioButton>(twinName("shutdownRetryBox", f), QStringLiteral("Auto-Retry")));
    auto* label = new QLabel(labelText("shutdownLatchBox", f));
    label->setBuddy(latch);
    c.setCaption(latch->objectName(), label, {});
    form->addRow(label, shutdown);

    if (f == HSS_FAMILY_16PWP) {
        addTick(form, c, "vbbPulldownBox", f);
        addTick(form, c, "olOffPullBox", f);
    } else {
        addList(form, c, "olOffMode18", f);
        addTick(form, c, "outputDisBox18", f);
    }
    addList(form, c, "wbOffCurrrentBox", f);
    addList(form, c, "wbBlankBox", f);
    addTick(form, c, "olScalingBox", f);
    addList(form, c, "adcScaleBox", f);
    addTick(form, c, "chanCurrentADCBox", f);
    addTick(form, c, "chanVDSADCBox", f);
    addTick(form, c, "chanVBBADCBox", f);
    return group;
}

}  // namespace

void buildChannelSettings(PageFrame* page, hss_device_family_t family, EditorControls& controls)
{
    addChannelSelector(page, controls, twinName("chanSettingBox", family));

    QHBoxLayout* row = addGroupRow(page->regionLayout(PageFrame::Region::Controls));
    QBoxLayout* first = addGroupColumn(row);
    first->addWidget(buildOperationalGroup(family, controls));
    first->addWidget(buildCapacitiveChargingGroup(family, controls));
    first->addWidget(buildOvercurrentGroup(family, controls));
    addGroupColumn(row)->addWidget(buildI2TGroup(family, controls));
    addGroupColumn(row)->addWidget(buildConfigurationGroup(family, controls));
}

}  // namespace editorpages
