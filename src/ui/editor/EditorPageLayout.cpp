// Placing the editor's groups on the window's pages.

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QString>
#include <QVBoxLayout>

#include "ui/editor/EditorPages.h"

namespace editorpages {

void placeContent(QWidget* page, QWidget* content, int stretch)
{
    QLayout* layout = page->layout();
    if (layout == nullptr) {
        auto* box = new QVBoxLayout(page);
        box->addWidget(content, stretch);
        if (stretch == 0)
            box->addStretch(1);
        return;
    }
    if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
        box->insertWidget(0, content, stretch);
        if (box->count() == 1 && stretch == 0)
            box->addStretch(1);
        return;
    }
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int column = 0;
        while (grid->itemAtPosition(0, column) != nullptr)
            ++column;
        grid->addWidget(content, 0, column);
        return;
    }
    layout->addWidget(content);
}

QGroupBox* existingGroup(QWidget* page, const QString& name)
{
    return page->findChild<QGroupBox*>(name);
}

QFormLayout* groupForm(QGroupBox* group)
{
    auto* rows = new QWidget;
    auto* form = new QFormLayout(rows);
    form->setContentsMargins(0, 0, 0, 0);
    if (group->layout() == nullptr)
        new QVBoxLayout(group);
    group->layout()->addWidget(rows);
    return form;
}

}  // namespace editorpages
