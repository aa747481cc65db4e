// The editor groups of the "Command Center" page.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/editor/EditorControls.h"
#include "ui/editor/EditorPages.h"

namespace editorpages {
namespace {

void fillPwmGroup(QGroupBox* group, EditorControls& c)
{
    auto* rows = new QWidget;
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Frequency")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Duty Cycle")), 0, 3);
    for (int channel = 1; channel <= 2; ++channel) {
        const QString n = QString::number(channel);
        grid->addWidget(new QLabel(QStringLiteral("Channel %1:").arg(n)), channel, 0);
        grid->addWidget(c.make<QCheckBox>(QStringLiteral("cmdPWMEn") + n, QStringLiteral("Enable")), channel, 1);
        grid->addWidget(c.make<QComboBox>(QStringLiteral("cmdPWMFreqBox") + n), channel, 2);
        auto* duty = c.make<QComboBox>(QStringLiteral("cmdPWMDutyBox") + n);
        duty->setMaxVisibleItems(16);
        grid->addWidget(duty, channel, 3);
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);
    group->layout()->addWidget(rows);
}

void fillChannelEnableGroup(QGroupBox* group, EditorControls& c)
{
    auto* list = c.make<QListWidget>(QStringLiteral("enChanBoxCC"));
    list->setMaximumHeight(56);
    group->layout()->addWidget(list);
}

void fillQuickCommandsGroup(QGroupBox* group, EditorControls& c)
{
    QFormLayout* form = groupForm(group);
    form->addRow(c.make<QCheckBox>(QStringLiteral("forceDICheckBox"), QStringLiteral("Force DI High")));
    form->addRow(c.make<QCheckBox>(QStringLiteral("forceLimpCheckBox"), QStringLiteral("Force Limp Home (LHI) High")));
    form->addRow(c.make<QCheckBox>(QStringLiteral("lpmEnableBox"), QStringLiteral("Force Low-Power Mode")));
    form->addRow(QStringLiteral("LPM Exit Current (CH1):"), c.make<QComboBox>(QStringLiteral("lpmCh1ThreshBox")));
    form->addRow(QStringLiteral("LPM Exit Current (CH2):"), c.make<QComboBox>(QStringLiteral("lpmCh2ThreshBox")));
    auto* autoRow = new QHBoxLayout;
    autoRow->addWidget(c.make<QCheckBox>(QStringLiteral("lpmAutoEntryBox1"), QStringLiteral("CH1")));
    autoRow->addWidget(c.make<QCheckBox>(QStringLiteral("lpmAutoEntryBox2"), QStringLiteral("CH2")));
    autoRow->addStretch(1);
    form->addRow(QStringLiteral("Auto LPM Entry:"), autoRow);
}

// The window's group of that name, or a new one in the editor's own holder.
QGroupBox* groupOn(QWidget* page, QVBoxLayout* holder, const char* name, const char* title)
{
    if (QGroupBox* group = existingGroup(page, QString::fromLatin1(name))) {
        if (group->layout() == nullptr)
            new QVBoxLayout(group);
        return group;
    }
    auto* group = new QGroupBox(QString::fromLatin1(title));
    group->setObjectName(QString::fromLatin1(name));
    new QVBoxLayout(group);
    holder->addWidget(group);
    return group;
}

}  // namespace

QGroupBox* buildCommandCenter(QWidget* page, EditorControls& controls)
{
    auto* holder = new QWidget;
    holder->setObjectName(QStringLiteral("commandCenterEditor"));
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);

    fillPwmGroup(groupOn(page, column, "pwmGroupBox", "PWM"), controls);
    fillChannelEnableGroup(groupOn(page, column, "channelEnableGroupBox", "Channel Enable"), controls);
    QGroupBox* quick = groupOn(page, column, "quickCommandsGroupBox", "Quick Commands");
    fillQuickCommandsGroup(quick, controls);

    if (column->count() > 0)
        placeContent(page, holder);
    else
        delete holder;
    return quick;
}

}  // namespace editorpages
