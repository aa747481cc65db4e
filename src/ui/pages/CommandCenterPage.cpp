#include "ui/pages/CommandCenterPage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/WidgetHelpers.h"

using ui::named;

CommandCenterPage::CommandCenterPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("commandCenterPage"));

    pwmGroupBox = named<QGroupBox>(QStringLiteral("pwmGroupBox"), QStringLiteral("PWM"));
    channelEnableGroupBox = named<QGroupBox>(QStringLiteral("channelEnableGroupBox"), QStringLiteral("Channel Enable"));
    quickCommandsGroupBox = named<QGroupBox>(QStringLiteral("quickCommandsGroupBox"), QStringLiteral("Quick Commands"));
    faultDiagnosticsGroupBox =
        named<QGroupBox>(QStringLiteral("faultDiagnosticsGroupBox"), QStringLiteral("Fault/Diagnostics"));
    graphSettingsGroupBox = named<QGroupBox>(QStringLiteral("graphSettingsGroupBox"), QStringLiteral("Graph Settings"));
    for (QGroupBox* group : {pwmGroupBox, channelEnableGroupBox, quickCommandsGroupBox}) {
        group->setLayout(new QVBoxLayout);
    }

    // Fault indicators: the fault views swap red and green pictures in later.
    channelOneLabel = named<QLabel>(QStringLiteral("channelOneLabel"), QStringLiteral("Channel 1"));
    channelTwoLabel = named<QLabel>(QStringLiteral("channelTwoLabel"), QStringLiteral("Channel 2"));
    globalLabel = named<QLabel>(QStringLiteral("globalLabel"), QStringLiteral("Global"));
    faultPinLabel = named<QLabel>(QStringLiteral("faultPinLabel"), QStringLiteral("Not Triggered"));
    auto* faultLayout = new QFormLayout;
    faultLayout->addRow(channelOneLabel);
    faultLayout->addRow(channelTwoLabel);
    faultLayout->addRow(globalLabel);
    faultLayout->addRow(QStringLiteral("Fault Pin:"), faultPinLabel);
    faultDiagnosticsGroupBox->setLayout(faultLayout);

    senseChannelBox = named<QListWidget>(QStringLiteral("senseChannelBox"));
    for (const char* text : {"Channel 1", "Channel 2"}) {
        auto* item = new QListWidgetItem(QString::fromLatin1(text), senseChannelBox);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    senseChannelBox->setMaximumHeight(60);
    senseChannelAll = named<QCheckBox>(QStringLiteral("senseChannelAll"), QStringLiteral("All"));
    auto* graphLayout = new QVBoxLayout;
    graphLayout->addWidget(senseChannelBox);
    graphLayout->addWidget(senseChannelAll);
    graphSettingsGroupBox->setLayout(graphLayout);

    senseChartArea = named<QWidget>(QStringLiteral("senseChartArea"));
    senseChartArea->setLayout(new QVBoxLayout);
    senseChartArea->setMinimumSize(600, 400);

    auto* left = new QVBoxLayout;
    left->addWidget(pwmGroupBox);
    left->addWidget(channelEnableGroupBox);
    left->addWidget(quickCommandsGroupBox);
    left->addWidget(faultDiagnosticsGroupBox);
    left->addWidget(graphSettingsGroupBox);
    left->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(senseChartArea, 2);
}
