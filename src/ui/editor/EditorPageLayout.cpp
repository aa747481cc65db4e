// Forms, group rows and captioned fields of the editor pages.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QString>
#include <QVBoxLayout>

#include "editor/bindings/FieldCaptions.h"
#include "ui/editor/EditorControls.h"
#include "ui/editor/EditorPages.h"
#include "ui/widgets/FieldList.h"
#include "ui/widgets/PageFrame.h"

namespace editorpages {
namespace {

const editor::FieldBinding& bindingOf(const char* row)
{
    const editor::FieldBinding* binding = editor::findBinding(row);
    if (binding == nullptr)
        qFatal("editor page names a control without a binding row: %s", row);
    return *binding;
}

QString nameOf(const char* row, hss_device_family_t family)
{
    return QString::fromStdString(editor::controlName(bindingOf(row), family));
}

QString captionOf(const char* row, hss_device_family_t family)
{
    const std::string_view text = editor::rowCaption(bindingOf(row), family);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QGroupBox* newGroup(const QString& title, const QString& name)
{
    auto* group = new QGroupBox(title);
    if (!name.isEmpty())
        group->setObjectName(name);
    return group;
}

QFormLayout* groupForm(QGroupBox* group)
{
    auto* form = new QFormLayout(group);
    // Lists keep the width of their longest item; only a field that asks to
    // grow (the trip slider) takes the column's width.
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    return form;
}

QHBoxLayout* addGroupRow(QBoxLayout* parent)
{
    auto* row = new QHBoxLayout;
    row->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    parent->addLayout(row);
    return row;
}

QBoxLayout* addGroupColumn(QHBoxLayout* row)
{
    auto* column = new QVBoxLayout;
    column->setAlignment(Qt::AlignTop);
    row->addLayout(column);
    return column;
}

QComboBox* addChannelSelector(PageFrame* page, EditorControls& controls, const QString& name)
{
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Channel:"));
    auto* selector = controls.make<ui::FieldList>(name);
    label->setBuddy(selector);
    row->addWidget(label);
    row->addWidget(selector);
    row->addStretch(1);
    page->regionLayout(PageFrame::Region::StateBand)->addLayout(row);
    return selector;
}

QString labelText(const char* row, hss_device_family_t family, const QString& channelTag)
{
    return captionOf(row, family) + channelTag + QLatin1Char(':');
}

QCheckBox* addTick(QFormLayout* form, EditorControls& controls, const char* row, hss_device_family_t family,
                   const QString& channelTag)
{
    auto* box = controls.make<QCheckBox>(nameOf(row, family), captionOf(row, family) + channelTag);
    controls.setCaption(box->objectName(), nullptr, channelTag);
    form->addRow(box);
    return box;
}

QComboBox* addList(QFormLayout* form, EditorControls& controls, const char* row, hss_device_family_t family,
                   const QString& channelTag, const QString& labelName)
{
    auto* list = controls.make<ui::FieldList>(nameOf(row, family));
    auto* label = labelName.isEmpty() ? new QLabel : controls.make<QLabel>(labelName);
    label->setText(labelText(row, family, channelTag));
    label->setBuddy(list);
    controls.setCaption(list->objectName(), label, channelTag);
    form->addRow(label, list);
    return list;
}

}  // namespace editorpages
