#include "ui/pages/FamilyPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "ui/WidgetHelpers.h"

using ui::named;

namespace {

QGroupBox* group(const QString& name, const QString& title, const QString& suffix)
{
    auto* box = named<QGroupBox>(name + suffix, title);
    box->setLayout(new QVBoxLayout);
    return box;
}

FamilyPageSet buildFamily(const QString& pageSuffix, const QString& controlSuffix)
{
    FamilyPageSet set;
    set.fuseTunerPage = named<QWidget>(QStringLiteral("fuseTunerPage") + pageSuffix);
    set.devSettingPage = named<QWidget>(QStringLiteral("devSettingPage") + pageSuffix);
    set.chanSettingsPage = named<QWidget>(QStringLiteral("chanSettingsPage") + pageSuffix);

    set.generalGroupBox = group(QStringLiteral("generalGroupBox"), QStringLiteral("General"), controlSuffix);
    set.statisticsGroupBox = group(QStringLiteral("statisticsGroupBox"), QStringLiteral("Statistics"), controlSuffix);
    // The 16-pin box is enableCRCBox, the 18-pin one enableCRCBox18.
    set.enableCRCBox = named<QCheckBox>(QStringLiteral("enableCRCBox") + controlSuffix, QStringLiteral("Enable CRC"));
    set.generalGroupBox->layout()->addWidget(set.enableCRCBox);
    // faultUpdateStatus / faultUpdateStatus18: how the fault registers are read.
    set.faultUpdateStatus = named<QComboBox>(QStringLiteral("faultUpdateStatus") + controlSuffix);
    set.faultUpdateStatus->addItems({QStringLiteral("Automatic"), QStringLiteral("Manual")});
    set.statisticsGroupBox->layout()->addWidget(set.faultUpdateStatus);

    auto* layout = new QGridLayout(set.devSettingPage);
    layout->addWidget(set.statisticsGroupBox, 0, 0);
    layout->addWidget(set.generalGroupBox, 0, 1);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(2, 1);

    set.fuseTunerPage->setLayout(new QVBoxLayout);
    set.chanSettingsPage->setLayout(new QVBoxLayout);
    return set;
}

}  // namespace

FamilyPages::FamilyPages()
    : sixteen(buildFamily(QStringLiteral("16pwp"), QString())),
      eighteen(buildFamily(QStringLiteral("18pwp"), QStringLiteral("18"))),
      userDataTab(named<QWidget>(QStringLiteral("userDataTab")))
{
    userDataTab->setLayout(new QGridLayout);
}
