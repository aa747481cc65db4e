// The editor groups of the "Command Center" page, in its controls region.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/editor/EditorControls.h"
#include "ui/editor/EditorPages.h"
#include "ui/widgets/PageFrame.h"
#include "ui/widgets/TypeableList.h"

namespace editorpages {
namespace {

// Captions before a part is identified: the 16-pin texts. Controls shared by
// both families take the texts of the identified family later.
constexpr hss_device_family_t kShared = HSS_FAMILY_16PWP;

QGroupBox* buildPwmGroup(EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("PWM"), QStringLiteral("pwmGroupBox"));
    auto* row = new QHBoxLayout(group);
    for (int channel = 1; channel <= 2; ++channel) {
        const QByteArray n = QByteArray::number(channel);
        auto* column = new QVBoxLayout;
        auto* header = new QLabel(QStringLiteral("Channel %1").arg(channel));
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        column->addWidget(header);
        auto* fields = new QWidget;
        QFormLayout* form = new QFormLayout(fields);
        form->setContentsMargins(0, 0, 0, 0);
        form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        addTick(form, c, ("cmdPWMEn" + n).constData(), kShared);
        addList(form, c, ("cmdPWMFreqBox" + n).constData(), kShared);
        ui::makeTypeable(addList(form, c, ("cmdPWMDutyBox" + n).constData(), kShared));
        column->addWidget(fields);
        column->addStretch(1);
        row->addLayout(column);
    }
    row->addStretch(1);
    return group;
}

QGroupBox* buildChannelEnableGroup(EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Channel Enable"), QStringLiteral("channelEnableGroupBox"));
    auto* layout = new QVBoxLayout(group);
    auto* list = c.make<QListWidget>(QStringLiteral("enChanBoxCC"));
    list->setFixedHeight(2 * list->fontMetrics().height() + 16);
    list->setMaximumWidth(list->fontMetrics().horizontalAdvance(QStringLiteral("Channel 2")) + 60);
    layout->addWidget(list);
    return group;
}

QGroupBox* buildQuickCommandsGroup(EditorControls& c)
{
    QGroupBox* group = newGroup(QStringLiteral("Quick Commands"), QStringLiteral("quickCommandsGroupBox"));
    QFormLayout* form = groupForm(group);
    form->addRow(c.make<QCheckBox>(QStringLiteral("forceDICheckBox"), QStringLiteral("Force DI High")));
    form->addRow(c.make<QCheckBox>(QStringLiteral("forceLimpCheckBox"), QStringLiteral("Force Limp Home (LHI) High")));
    addTick(form, c, "lpmEnableBox", kShared);
    addList(form, c, "lpmCh1ThreshBox", kShared, QStringLiteral(" (CH1)"));
    addList(form, c, "lpmCh2ThreshBox", kShared, QStringLiteral(" (CH2)"));
    addTick(form, c, "lpmAutoEntryBox1", kShared, QStringLiteral(" (CH1)"));
    addTick(form, c, "lpmAutoEntryBox2", kShared, QStringLiteral(" (CH2)"));
    return group;
}

}  // namespace

QGroupBox* buildCommandCenter(PageFrame* page, EditorControls& controls)
{
    QVBoxLayout* column = page->regionLayout(PageFrame::Region::Controls);
    column->addWidget(buildPwmGroup(controls));
    column->addWidget(buildChannelEnableGroup(controls));
    QGroupBox* quick = buildQuickCommandsGroup(controls);
    column->addWidget(quick);
    return quick;
}

}  // namespace editorpages
