#include "ui/pages/FamilyPages.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/WidgetHelpers.h"

using ui::named;

namespace {

FamilyPageSet buildFamily(const QString& pageSuffix, const QString& controlSuffix)
{
    FamilyPageSet set;
    set.fuseTunerPage = new TunerPage(QStringLiteral("fuseTunerPage") + pageSuffix, controlSuffix);
    set.devSettingPage = new DeviceSettingsPage(QStringLiteral("devSettingPage") + pageSuffix, controlSuffix);
    set.chanSettingsPage = new PageFrame(QStringLiteral("chanSettingsPage") + pageSuffix);
    set.statsGroupBox = set.devSettingPage->statsGroupBox;
    set.faultUpdateStatus = set.devSettingPage->faultUpdateStatus;
    return set;
}

}  // namespace

TunerPage::TunerPage(const QString& pageName, const QString& suffix) : PageFrame(pageName)
{
    chart = named<QWidget>(QStringLiteral("i2tChartRegion") + suffix);
    (new QVBoxLayout(chart))->setContentsMargins(0, 0, 0, 0);
    chart->setMinimumSize(360, 280);
    chart->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    wireProperties = slot(QStringLiteral("wirePropertiesRegion") + suffix);
    pulseCheck = slot(QStringLiteral("pulseCheckRegion") + suffix);

    auto* underChart = new QHBoxLayout;
    underChart->addWidget(wireProperties, 0, Qt::AlignTop);
    underChart->addWidget(pulseCheck, 0, Qt::AlignTop);
    underChart->addStretch(1);
    QVBoxLayout* detail = regionLayout(Region::Detail);
    detail->addWidget(chart, 1);
    detail->addLayout(underChart);
}

DeviceSettingsPage::DeviceSettingsPage(const QString& pageName, const QString& suffix) : PageFrame(pageName)
{
    band = named<QWidget>(QStringLiteral("faultsBand") + suffix);
    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(0, 0, 0, 0);
    channelFaults = slot(QStringLiteral("channelFaultsRegion") + suffix);
    globalFaults = slot(QStringLiteral("globalFaultsRegion") + suffix);

    statsGroupBox = named<QGroupBox>(QStringLiteral("statsGroupBox") + suffix, QStringLiteral("Statistics"));
    auto* form = new QFormLayout(statsGroupBox);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    faultUpdateStatus = named<QComboBox>(QStringLiteral("faultUpdateStatus") + suffix);
    faultUpdateStatus->addItems({QStringLiteral("Automatic"), QStringLiteral("Manual")});
    form->addRow(QStringLiteral("Fault reading:"), faultUpdateStatus);

    row->addWidget(channelFaults, 0, Qt::AlignTop);
    row->addWidget(globalFaults, 0, Qt::AlignTop);
    row->addWidget(statsGroupBox, 0, Qt::AlignTop);
    row->addStretch(1);
    regionLayout(Region::StateBand)->addWidget(band);
    region(Region::Controls);  // the editor's settings groups
}

FamilyPages::FamilyPages()
    : sixteen(buildFamily(QStringLiteral("16pwp"), QString())),
      eighteen(buildFamily(QStringLiteral("18pwp"), QStringLiteral("18"))),
      userDataTab(new PageFrame(QStringLiteral("userDataTab")))
{
    new QGridLayout(userDataTab->content());
}
