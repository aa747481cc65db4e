// The contents of a family's "Channel Settings" page.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/editor/EditorControls.h"
#include "ui/editor/EditorPages.h"

namespace editorpages {
namespace {

QString n(const char* base, hss_device_family_t family) { return twinName(base, family); }

QGroupBox* buildOperationalGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Operational"));
    auto* form = new QFormLayout(group);
    form->addRow(c.make<QCheckBox>(n("chanSettingENBox", f), QStringLiteral("Channel Enable")));
    form->addRow(QStringLiteral("LHI Behavior:"), c.make<QComboBox>(n("lhiBehaviorBox", f)));
    form->addRow(c.make<QCheckBox>(n("chanSettingPwmEnBox", f), QStringLiteral("PWM Enable")));
    form->addRow(QStringLiteral("PWM Frequency:"), c.make<QComboBox>(n("chanSettingPWMFreqBox", f)));
    auto* duty = c.make<QComboBox>(n("chanSettingPWMDutyBox", f));
    duty->setMaxVisibleItems(16);
    form->addRow(QStringLiteral("PWM Duty Cycle:"), duty);
    form->addRow(QStringLiteral("LPM Exit Current:"), c.make<QComboBox>(n("chanSettingLPMCurrentBox", f)));
    form->addRow(f == HSS_FAMILY_18PWP ? QStringLiteral("Auto LPM Force Exit:") : QStringLiteral("Auto LPM Entry:"),
                 c.make<QCheckBox>(n("chanSettingsLPMAutoBox", f)));
    return group;
}

QGroupBox* buildCapacitiveChargingGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Capacitive Charging"));
    auto* form = new QFormLayout(group);
    form->addRow(c.make<QCheckBox>(n("capChargeEnableBox", f), QStringLiteral("Capacitive Charging Mode")));
    form->addRow(QStringLiteral("Charge Level (A):"), c.make<QComboBox>(n("chargeLevelBox", f)));
    form->addRow(QStringLiteral("Charge Duration:"), c.make<QComboBox>(n("capChargeDurationBox", f)));
    return group;
}

QGroupBox* buildOvercurrentGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Overcurrent Protection"));
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Hardware Current Limit (A):"), c.make<QComboBox>(n("chanSettingCurrentLimitBox", f)));
    form->addRow(QStringLiteral("Inrush Current (A):"), c.make<QComboBox>(n("inRushValueBox", f)));
    form->addRow(QStringLiteral("Inrush Duration:"), c.make<QComboBox>(n("chanSettingInrushDurationBox", f)));
    return group;
}

QGroupBox* buildI2TGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("I2T Parameters"));
    auto* form = new QFormLayout(group);
    form->addRow(c.make<QCheckBox>(n("chanSettingI2TEnBox", f), QStringLiteral("I2T Enable")));
    form->addRow(QStringLiteral("Nominal Current (A):"), c.make<QComboBox>(n("chanSettingNomBox", f)));
    form->addRow(QStringLiteral("I2T Trip Value (A2s):"), c.make<QComboBox>(n("chanSettingI2TBox", f)));
    form->addRow(QStringLiteral("SW Current Limit (A):"), c.make<QComboBox>(n("chanSettingSWCLBox", f)));
    form->addRow(QStringLiteral("SW Limit Delay (ms):"), c.make<QComboBox>(n("chanSettingSWDelayBox", f)));
    form->addRow(QStringLiteral("Cooldown Timer (s):"), c.make<QComboBox>(n("chanSettingCLTimer", f)));
    if (f == HSS_FAMILY_18PWP) {
        form->addRow(QStringLiteral("Decrementer:"), c.make<QComboBox>(QStringLiteral("chanSettingsDecModeBox18")));
        form->addRow(QStringLiteral("Decrement Factor:"), c.make<QComboBox>(QStringLiteral("chanSettingDecFactBox18")));
    }
    return group;
}

QGroupBox* buildConfigurationGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Configuration"));
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Slew Rate (V/us):"), c.make<QComboBox>(n("slewRateBox", f)));

    // Own parent, so the pair is exclusive only between its two buttons.
    auto* shutdown = new QWidget;
    shutdown->setObjectName(n("shutdownBehaviorPanel", f));
    auto* pair = new QHBoxLayout(shutdown);
    pair->setContentsMargins(0, 0, 0, 0);
    pair->addWidget(c.make<QRadioButton>(n("shutdownLatchBox", f), QStringLiteral("Latch")));
    pair->addWidget(c.make<QRadioButton>(n("shutdownRetryBox", f), QStringLiteral("Auto-Retry")));
    pair->addStretch(1);
    form->addRow(QStringLiteral("Shutdown Behavior:"), shutdown);

    if (f == HSS_FAMILY_16PWP) {
        form->addRow(c.make<QCheckBox>(QStringLiteral("vbbPulldownBox"), QStringLiteral("VBB Short Pull-Down")));
        form->addRow(c.make<QCheckBox>(QStringLiteral("olOffPullBox"), QStringLiteral("Open-Load OFF Pull-Up")));
    } else {
        form->addRow(QStringLiteral("SVBB Enable Setting:"), c.make<QComboBox>(QStringLiteral("olOffMode18")));
        form->addRow(c.make<QCheckBox>(QStringLiteral("outputDisBox18"), QStringLiteral("Pin Disable Mask")));
    }
    form->addRow(QStringLiteral("OL OFF Pull-Up Current:"), c.make<QComboBox>(n("wbOffCurrrentBox", f)));
    form->addRow(QStringLiteral("Open-Load Blanking:"), c.make<QComboBox>(n("wbBlankBox", f)));
    form->addRow(c.make<QCheckBox>(n("olScalingBox", f), QStringLiteral("Open-Load Scaling")));
    form->addRow(QStringLiteral("ADC Scaling:"), c.make<QComboBox>(n("adcScaleBox", f)));
    form->addRow(c.make<QCheckBox>(n("chanCurrentADCBox", f), QStringLiteral("Load Current ADC Sampling")));
    form->addRow(c.make<QCheckBox>(n("chanVDSADCBox", f), QStringLiteral("VDS ADC Sampling")));
    form->addRow(c.make<QCheckBox>(n("chanVBBADCBox", f), QStringLiteral("VOUT ADC Sampling")));
    return group;
}

}  // namespace

void buildChannelSettings(QWidget* page, hss_device_family_t family, EditorControls& controls)
{
    auto* holder = new QWidget;
    holder->setObjectName(twinName("chanSettingEditor", family));
    auto* outer = new QVBoxLayout(holder);
    outer->setContentsMargins(0, 0, 0, 0);

    auto* selectorRow = new QHBoxLayout;
    selectorRow->addWidget(new QLabel(QStringLiteral("Channel:")));
    selectorRow->addWidget(controls.make<QComboBox>(twinName("chanSettingBox", family)));
    selectorRow->addStretch(1);
    outer->addLayout(selectorRow);

    auto* columns = new QHBoxLayout;
    auto* first = new QVBoxLayout;
    first->addWidget(buildOperationalGroup(family, controls));
    first->addWidget(buildCapacitiveChargingGroup(family, controls));
    first->addWidget(buildOvercurrentGroup(family, controls));
    first->addStretch(1);
    auto* second = new QVBoxLayout;
    second->addWidget(buildI2TGroup(family, controls));
    second->addStretch(1);
    auto* third = new QVBoxLayout;
    third->addWidget(buildConfigurationGroup(family, controls));
    third->addStretch(1);
    columns->addLayout(first, 1);
    columns->addLayout(second, 1);
    columns->addLayout(third, 1);
    outer->addLayout(columns, 1);

    placeContent(page, holder, 1);
}

}  // namespace editorpages
