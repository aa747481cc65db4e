// The editor groups of a family's "Device Settings" page.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/editor/EditorControls.h"
#include "ui/editor/EditorPages.h"

namespace editorpages {
namespace {

QString n(const char* base, hss_device_family_t family) { return twinName(base, family); }

// Fills the window's "General" group of the page, or a new one.
QGroupBox* buildGeneralGroup(QWidget* page, hss_device_family_t f, EditorControls& c)
{
    QGroupBox* group = existingGroup(page, n("generalGroupBox", f));
    const bool own = group == nullptr;
    if (own) {
        group = new QGroupBox(QStringLiteral("General"));
        group->setObjectName(n("generalGroupBox", f));
    }
    QFormLayout* form = groupForm(group);
    // The window may already have placed the CRC box in its group.
    if (page->findChild<QCheckBox*>(n("enableCRCBox", f)) == nullptr)
        form->addRow(c.make<QCheckBox>(n("enableCRCBox", f), QStringLiteral("SPI CRC Enable")));
    else
        c.adoptOrMake<QCheckBox>(page, n("enableCRCBox", f));
    form->addRow(c.make<QCheckBox>(n("autoLPMCheckBox", f), QStringLiteral("Automatic LPM Entry")));
    form->addRow(c.make<QCheckBox>(n("latchFaultBox", f), QStringLiteral("Fault Latch")));
    form->addRow(c.make<QCheckBox>(n("wdEnableBox", f), QStringLiteral("Watchdog Enable")));
    form->addRow(QStringLiteral("Watchdog Timeout:"), c.make<QComboBox>(n("wdtDurationBox", f)));
    if (f == HSS_FAMILY_16PWP) {
        form->addRow(c.make<QCheckBox>(QStringLiteral("parallelBox"), QStringLiteral("Parallel Channels")));
        form->addRow(c.make<QCheckBox>(QStringLiteral("pwmDelayBox"), QStringLiteral("PWM Delay")));
    } else {
        form->addRow(c.make<QCheckBox>(QStringLiteral("fastDIDisableBox"), QStringLiteral("Fast Output with DI Pin")));
    }
    return own ? group : nullptr;
}

QGroupBox* buildLowPowerGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Low-Power Mode"));
    group->setObjectName(n("lpmModeGroup", f));
    auto* form = new QFormLayout(group);
    auto* pair = new QHBoxLayout;
    pair->addWidget(c.make<QRadioButton>(n("activeRadioButton", f), QStringLiteral("Active")));
    pair->addWidget(c.make<QRadioButton>(n("lpmRadioButton", f), QStringLiteral("Low-Power")));
    pair->addStretch(1);
    form->addRow(QStringLiteral("Mode:"), pair);
    if (f == HSS_FAMILY_18PWP)
        form->addRow(QStringLiteral("LPM FET:"), c.make<QComboBox>(QStringLiteral("manLPMModeBox18")));
    return group;
}

QGroupBox* buildAdcGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("ADC Settings"));
    auto* form = new QFormLayout(group);
    form->addRow(c.make<QCheckBox>(n("adcEnableBox", f), QStringLiteral("ADC Enable")));
    form->addRow(c.make<QCheckBox>(n("adcSouceInVBox", f), QStringLiteral("VBB Sampling")));
    form->addRow(c.make<QCheckBox>(n("adcSourceCurrentBox", f), QStringLiteral("Load Current Sampling")));
    form->addRow(c.make<QCheckBox>(n("adcSourceJunctionBox", f), QStringLiteral("Temperature Sampling")));
    form->addRow(c.make<QCheckBox>(n("adcSourceOutVBox", f), QStringLiteral("VOUT Sampling")));
    form->addRow(c.make<QCheckBox>(n("adcSourceVDSBox", f), QStringLiteral("VDS Sampling")));
    form->addRow(QStringLiteral("Sample Rate:"), c.make<QComboBox>(n("adcSampleRateBox", f)));
    return group;
}

QGroupBox* buildFaultMaskGroup(hss_device_family_t f, EditorControls& c)
{
    auto* group = new QGroupBox(QStringLiteral("Fault Masks"));
    auto* form = new QFormLayout(group);
    form->addRow(c.make<QCheckBox>(n("faultMaskVBBUVLO", f), QStringLiteral("VBB Undervoltage Lockout")));
    form->addRow(c.make<QCheckBox>(n("faultMaskWDTBox", f), QStringLiteral("Watchdog")));
    form->addRow(c.make<QCheckBox>(n("faultMaskSPIBox", f), QStringLiteral("SPI")));
    form->addRow(c.make<QCheckBox>(n("faultMaskOpenLoadBox", f), QStringLiteral("Open Load (OFF)")));
    form->addRow(c.make<QCheckBox>(n("faultMaskShortVBBBox", f), QStringLiteral("Short to VBB")));
    if (f == HSS_FAMILY_16PWP)
        form->addRow(c.make<QCheckBox>(QStringLiteral("faultMaskCLBox"), QStringLiteral("Current Limit")));
    return group;
}

}  // namespace

void buildDeviceSettings(QWidget* page, hss_device_family_t family, EditorControls& controls)
{
    auto* holder = new QWidget;
    holder->setObjectName(twinName("devSettingEditor", family));
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);

    auto* first = new QVBoxLayout;
    if (QGroupBox* general = buildGeneralGroup(page, family, controls))
        first->addWidget(general);
    first->addWidget(buildLowPowerGroup(family, controls));
    first->addStretch(1);
    auto* second = new QVBoxLayout;
    second->addWidget(buildAdcGroup(family, controls));
    second->addStretch(1);
    auto* third = new QVBoxLayout;
    third->addWidget(buildFaultMaskGroup(family, controls));
    third->addStretch(1);
    row->addLayout(first);
    row->addLayout(second);
    row->addLayout(third);
    row->addStretch(1);
    placeContent(page, holder);
}

}  // namespace editorpages
