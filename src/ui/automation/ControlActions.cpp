#include "ui/automation/ControlActions.h"

#include "ui/automation/ControlLocator.h"
#include "ui/automation/ControlProperties.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

namespace automation {
namespace {

QString nameOf(const QObject* c) { return QStringLiteral("'%1'").arg(c->objectName()); }

QString wrongKind(const QObject* c, const char* expected)
{
    return QStringLiteral("%1 is %2, not %3").arg(nameOf(c), kindOf(c), QString::fromLatin1(expected));
}

QString notOperable(const QObject* c)
{
    const QString why = whyNotOperable(const_cast<QObject*>(c));
    if (why.isEmpty())
        return {};
    return QStringLiteral("%1 is %2").arg(nameOf(c), why);
}

QString outOfRange(const QObject* c, int index, int count, const char* what = "items")
{
    return QStringLiteral("index %1 out of range for %2 (%3 %4)")
        .arg(index)
        .arg(nameOf(c))
        .arg(count)
        .arg(QString::fromLatin1(what));
}

QString stripMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

QString selectTab(QObject* c, int index)
{
    auto* tw = qobject_cast<QTabWidget*>(c);
    auto* tb = tw != nullptr ? tw->tabBar() : qobject_cast<QTabBar*>(c);
    const int count = tb->count();
    if (index < 0 || index >= count)
        return outOfRange(c, index, count, "tabs");
    if (!tb->isTabEnabled(index))
        return QStringLiteral("page %1 of %2 is disabled").arg(index).arg(nameOf(c));
    // A click on a tab header reports the click, then changes the page.
    emit tb->tabBarClicked(index);
    tb->setCurrentIndex(index);
    return {};
}

QString selectViewRow(QAbstractItemView* view, int index)
{
    QAbstractItemModel* m = view->model();
    const int count = m != nullptr ? m->rowCount(view->rootIndex()) : 0;
    if (index < 0 || index >= count)
        return outOfRange(view, index, count);
    const QModelIndex item = m->index(index, viewColumn(view), view->rootIndex());
    if (!(m->flags(item) & Qt::ItemIsEnabled))
        return QStringLiteral("item %1 of %2 is disabled").arg(index).arg(nameOf(view));
    emit view->pressed(item);
    view->setCurrentIndex(item);
    emit view->clicked(item);
    return {};
}

QString selectComboIndex(QComboBox* cb, int index)
{
    if (index < 0 || index >= cb->count())
        return outOfRange(cb, index, cb->count());
    const QAbstractItemModel* model = cb->model();
    const QModelIndex item = model->index(index, cb->modelColumn(), cb->rootModelIndex());
    if (!(model->flags(item) & Qt::ItemIsEnabled))
        return QStringLiteral("item %1 of %2 is disabled").arg(index).arg(nameOf(cb));
    // Picking from the drop-down: the index changes (if it does), then the
    // activation is reported even when the same item was picked again.
    cb->setCurrentIndex(index);
    emit cb->activated(index);
    emit cb->textActivated(cb->itemText(index));
    return {};
}

bool isExclusiveAndChecked(const QAbstractButton* b)
{
    if (!b->isChecked())
        return false;
    if (b->group() != nullptr)
        return b->group()->exclusive();
    return b->autoExclusive();
}

QWidget* typingTarget(QObject* c, QString* error)
{
    if (auto* cb = qobject_cast<QComboBox*>(c)) {
        if (cb->isEditable() && cb->lineEdit() != nullptr)
            return cb->lineEdit();
    } else if (auto* le = qobject_cast<QLineEdit*>(c)) {
        if (le->isReadOnly())
            *error = QStringLiteral("%1 is read-only").arg(nameOf(c));
        return le;
    } else if (auto* te = qobject_cast<QTextEdit*>(c)) {
        if (te->isReadOnly())
            *error = QStringLiteral("%1 is read-only").arg(nameOf(c));
        return te;
    } else if (auto* pe = qobject_cast<QPlainTextEdit*>(c)) {
        if (pe->isReadOnly())
            *error = QStringLiteral("%1 is read-only").arg(nameOf(c));
        return pe;
    } else if (auto* sb = qobject_cast<QAbstractSpinBox*>(c)) {
        if (sb->isReadOnly())
            *error = QStringLiteral("%1 is read-only").arg(nameOf(c));
        return sb;
    }
    *error = wrongKind(c, "a text box");
    return nullptr;
}

void selectAllText(QWidget* w)
{
    if (auto* le = qobject_cast<QLineEdit*>(w))
        le->selectAll();
    else if (auto* te = qobject_cast<QTextEdit*>(w))
        te->selectAll();
    else if (auto* pe = qobject_cast<QPlainTextEdit*>(w))
        pe->selectAll();
    else if (auto* sb = qobject_cast<QAbstractSpinBox*>(w))
        sb->selectAll();
}

bool hasText(QWidget* w)
{
    if (auto* le = qobject_cast<QLineEdit*>(w))
        return !le->text().isEmpty();
    if (auto* te = qobject_cast<QTextEdit*>(w))
        return !te->document()->isEmpty();
    if (auto* pe = qobject_cast<QPlainTextEdit*>(w))
        return !pe->document()->isEmpty();
    if (auto* sb = qobject_cast<QAbstractSpinBox*>(w))
        return !sb->text().isEmpty();
    return false;
}

Qt::Key keyOfCharacter(QChar ch)
{
    const char16_t u = ch.toUpper().unicode();
    if (u >= 0x20 && u <= 0x7e)
        return static_cast<Qt::Key>(u);
    return Qt::Key_unknown;
}

// No modifier: with Shift the test helper would add a press and release of the
// Shift key itself, which handlers that follow key sequences would see.
void sendKey(QWidget* w, Qt::Key key, const QString& text)
{
    QTest::sendKeyEvent(QTest::Click, w, key, text, Qt::NoModifier);
}

struct NamedKey {
    const char* name;
    Qt::Key key;
    const char* text;
};

const NamedKey kNamedKeys[] = {
    {"enter", Qt::Key_Return, "\r"},   {"return", Qt::Key_Return, "\r"},
    {"up", Qt::Key_Up, ""},            {"down", Qt::Key_Down, ""},
    {"left", Qt::Key_Left, ""},        {"right", Qt::Key_Right, ""},
    {"tab", Qt::Key_Tab, "\t"},        {"escape", Qt::Key_Escape, "\x1b"},
    {"space", Qt::Key_Space, " "},     {"backspace", Qt::Key_Backspace, "\b"},
    {"delete", Qt::Key_Delete, "\x7f"}, {"home", Qt::Key_Home, ""},
    {"end", Qt::Key_End, ""},          {"pageup", Qt::Key_PageUp, ""},
    {"pagedown", Qt::Key_PageDown, ""},
};

}  // namespace

QString selectIndex(QObject* c, int index)
{
    auto* cb = qobject_cast<QComboBox*>(c);
    auto* view = qobject_cast<QAbstractItemView*>(c);
    const bool tabs = qobject_cast<QTabWidget*>(c) != nullptr || qobject_cast<QTabBar*>(c) != nullptr;
    if (cb == nullptr && view == nullptr && !tabs)
        return wrongKind(c, "a drop-down list, a list or a tab control");
    if (QString e = notOperable(c); !e.isEmpty())
        return e;
    if (cb != nullptr)
        return selectComboIndex(cb, index);
    if (view != nullptr)
        return selectViewRow(view, index);
    return selectTab(c, index);
}

QString selectText(QObject* c, const QString& text)
{
    QStringList texts;
    if (auto* cb = qobject_cast<QComboBox*>(c)) {
        for (int i = 0; i < cb->count(); ++i)
            texts << cb->itemText(i);
    } else if (auto* tw = qobject_cast<QTabWidget*>(c)) {
        for (int i = 0; i < tw->count(); ++i)
            texts << tw->tabText(i);
    } else if (auto* tb = qobject_cast<QTabBar*>(c)) {
        for (int i = 0; i < tb->count(); ++i)
            texts << tb->tabText(i);
    } else if (auto* view = qobject_cast<QAbstractItemView*>(c)) {
        const QAbstractItemModel* m = view->model();
        for (int r = 0; m != nullptr && r < m->rowCount(view->rootIndex()); ++r)
            texts << m->index(r, viewColumn(view), view->rootIndex()).data().toString();
    } else {
        return wrongKind(c, "a drop-down list, a list or a tab control");
    }
    if (QString e = notOperable(c); !e.isEmpty())
        return e;
    qsizetype index = texts.indexOf(text);
    if (index < 0) {
        // Tab and item texts may carry a keyboard mnemonic the user does not see.
        for (qsizetype i = 0; i < texts.size() && index < 0; ++i)
            if (stripMnemonic(texts.at(i)) == text)
                index = i;
    }
    if (index < 0)
        return QStringLiteral("%1 has no item \"%2\"").arg(nameOf(c), text);
    return selectIndex(c, static_cast<int>(index));
}

QString setChecked(QObject* c, bool checked)
{
    if (auto* button = qobject_cast<QAbstractButton*>(c)) {
        if (!button->isCheckable())
            return wrongKind(c, "a tick box, a radio button or a checkable menu item");
        if (QString e = notOperable(c); !e.isEmpty())
            return e;
        if (!checked && isExclusiveAndChecked(button))
            return QStringLiteral("%1 cannot be unticked by a user: tick another one of its group")
                .arg(nameOf(c));
        if (auto* box = qobject_cast<QCheckBox*>(button); box != nullptr && box->isTristate()) {
            const Qt::CheckState target = checked ? Qt::Checked : Qt::Unchecked;
            for (int i = 0; i < 3 && box->checkState() != target; ++i)
                box->click();
            return {};
        }
        if (button->isChecked() != checked)
            button->click();
        return {};
    }
    if (auto* action = qobject_cast<QAction*>(c)) {
        if (!action->isCheckable())
            return wrongKind(c, "a checkable menu item");
        if (QString e = notOperable(c); !e.isEmpty())
            return e;
        if (!checked && action->isChecked() && action->actionGroup() != nullptr &&
            action->actionGroup()->exclusionPolicy() == QActionGroup::ExclusionPolicy::Exclusive)
            return QStringLiteral("%1 cannot be unticked by a user: tick another one of its group")
                .arg(nameOf(c));
        if (action->isChecked() != checked)
            action->trigger();
        return {};
    }
    if (auto* group = qobject_cast<QGroupBox*>(c); group != nullptr && group->isCheckable()) {
        if (QString e = notOperable(c); !e.isEmpty())
            return e;
        if (group->isChecked() != checked) {
            group->setChecked(checked);
            emit group->clicked(checked);
        }
        return {};
    }
    return wrongKind(c, "a tick box, a radio button or a checkable menu item");
}

QString setItemChecked(QObject* c, int index, bool checked)
{
    auto* view = qobject_cast<QAbstractItemView*>(c);
    if (view == nullptr || view->model() == nullptr)
        return wrongKind(c, "a ticked list");
    if (QString e = notOperable(c); !e.isEmpty())
        return e;
    QAbstractItemModel* m = view->model();
    const int count = m->rowCount(view->rootIndex());
    if (index < 0 || index >= count)
        return outOfRange(c, index, count);
    const QModelIndex item = m->index(index, viewColumn(view), view->rootIndex());
    const Qt::ItemFlags flags = m->flags(item);
    if (!(flags & Qt::ItemIsUserCheckable))
        return QStringLiteral("item %1 of %2 has no tick box").arg(index).arg(nameOf(c));
    if (!(flags & Qt::ItemIsEnabled))
        return QStringLiteral("item %1 of %2 is disabled").arg(index).arg(nameOf(c));
    // A click on the tick makes the item current, then flips the tick.
    QPointer<QAbstractItemView> guard(view);
    view->setCurrentIndex(item);
    if (guard.isNull())
        return {};
    const int target = checked ? Qt::Checked : Qt::Unchecked;
    if (m->data(item, Qt::CheckStateRole).toInt() != target)
        m->setData(item, target, Qt::CheckStateRole);
    return {};
}

QString typeText(QObject* c, const QString& text)
{
    QString error;
    QWidget* target = typingTarget(c, &error);
    if (target == nullptr || !error.isEmpty())
        return error;
    if (QString e = notOperable(c); !e.isEmpty())
        return e;
    QPointer<QWidget> guard(target);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(target, &focusIn);
    if (guard.isNull())
        return {};
    selectAllText(target);
    if (text.isEmpty() && hasText(target))
        sendKey(target, Qt::Key_Backspace, QString());
    for (QChar ch : text) {
        if (guard.isNull())
            return {};
        sendKey(target, keyOfCharacter(ch), QString(ch));
    }
    if (guard.isNull())
        return {};
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(target, &focusOut);
    return {};
}

QString pressKey(QObject* c, const QString& keyName)
{
    auto* w = qobject_cast<QWidget*>(c);
    if (w == nullptr)
        return wrongKind(c, "a control that takes keys");
    Qt::Key key = Qt::Key_unknown;
    QString text;
    if (keyName.size() == 1 && keyName.at(0).isLetterOrNumber() && keyName.at(0).unicode() < 0x80) {
        key = keyOfCharacter(keyName.at(0));
        text = keyName;
    } else {
        const QByteArray lower = keyName.toLower().toLatin1();
        for (const NamedKey& k : kNamedKeys)
            if (lower == k.name) {
                key = k.key;
                text = QString::fromLatin1(k.text);
            }
        if (key == Qt::Key_unknown && lower.size() >= 2 && lower.size() <= 3 && lower.at(0) == 'f') {
            bool ok = false;
            const int n = keyName.mid(1).toInt(&ok);
            if (ok && n >= 1 && n <= 12)
                key = static_cast<Qt::Key>(Qt::Key_F1 + n - 1);
        }
    }
    if (key == Qt::Key_unknown)
        return QStringLiteral("unknown key '%1'").arg(keyName);
    if (QString e = notOperable(c); !e.isEmpty())
        return e;
    sendKey(w, key, text);
    return {};
}

QString slideTo(QObject* c, int value)
{
    auto* slider = qobject_cast<QAbstractSlider*>(c);
    if (slider == nullptr)
        return wrongKind(c, "a slider");
    if (QString e = notOperable(c); !e.isEmpty())
        return e;
    if (value < slider->minimum() || value > slider->maximum())
        return QStringLiteral("value %1 out of range for %2 (%3 to %4)")
            .arg(value)
            .arg(nameOf(c))
            .arg(slider->minimum())
            .arg(slider->maximum());
    // A drag: press the handle, move it, let go (valueChanged fires while
    // moving with tracking on, at release without).
    QPointer<QAbstractSlider> guard(slider);
    slider->setSliderDown(true);
    if (!guard.isNull())
        slider->setSliderPosition(value);
    if (!guard.isNull())
        slider->setSliderDown(false);
    return {};
}

QString click(QObject* c)
{
    if (auto* button = qobject_cast<QAbstractButton*>(c)) {
        if (QString e = notOperable(c); !e.isEmpty())
            return e;
        button->click();
        return {};
    }
    if (auto* action = qobject_cast<QAction*>(c)) {
        if (QString e = notOperable(c); !e.isEmpty())
            return e;
        action->trigger();
        return {};
    }
    return wrongKind(c, "a push button or a menu item");
}

}  // namespace automation
