#include "ui/widgets/TypeableList.h"

#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QValidator>

namespace ui {
namespace {

// Accepts a listed item, and the start of one while it is being typed.
class ListedItemValidator : public QValidator {
public:
    explicit ListedItemValidator(QComboBox* owner) : QValidator(owner), list(owner) {}

    State validate(QString& input, int&) const override
    {
        if (input.isEmpty())
            return Intermediate;
        bool prefix = false;
        for (int i = 0; i < list->count(); ++i) {
            const QString item = list->itemText(i);
            if (item.compare(input, Qt::CaseInsensitive) == 0)
                return Acceptable;
            prefix = prefix || item.startsWith(input, Qt::CaseInsensitive);
        }
        return prefix ? Intermediate : Invalid;
    }

    // An unfinished text on Enter or on leaving the box: the first item it
    // starts, else the selected item again.
    void fixup(QString& input) const override
    {
        for (int i = 0; i < list->count(); ++i) {
            if (!input.isEmpty() && list->itemText(i).startsWith(input, Qt::CaseInsensitive)) {
                input = list->itemText(i);
                return;
            }
        }
        input = list->currentIndex() >= 0 ? list->itemText(list->currentIndex()) : QString();
    }

private:
    QComboBox* list;
};

}  // namespace

void makeTypeable(QComboBox* list)
{
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    QLineEdit* edit = list->lineEdit();
    edit->setValidator(new ListedItemValidator(list));
    auto* completer = new QCompleter(list->model(), list);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    list->setCompleter(completer);

    // Enter on a listed item selects it (the list's own rule); leaving the
    // box does the same, or restores the selected item's text.
    QObject::connect(edit, &QLineEdit::editingFinished, list, [list, edit] {
        const int typed = list->findText(edit->text(), Qt::MatchFixedString);
        if (typed >= 0 && typed != list->currentIndex())
            list->setCurrentIndex(typed);
        else if (list->currentIndex() >= 0)
            edit->setText(list->itemText(list->currentIndex()));
        else
            edit->clear();
    });
}

}  // namespace ui
