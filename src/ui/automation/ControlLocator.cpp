#include "ui/automation/ControlLocator.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace automation {
namespace {

QString displayName(const QObject* o)
{
    if (!o->objectName().isEmpty())
        return QStringLiteral("'%1'").arg(o->objectName());
    if (auto* menu = qobject_cast<const QMenu*>(o))
        return QStringLiteral("'%1'").arg(menu->title().remove(u'&'));
    return QStringLiteral("of kind %1").arg(QString::fromLatin1(o->metaObject()->className()));
}

QString widgetReason(const QWidget* w)
{
    if (w->isEnabled())
        return {};
    // WA_ForceDisabled marks the widget that was disabled itself; its children
    // are only disabled through it.
    for (const QWidget* p = w; p != nullptr; p = p->parentWidget()) {
        if (p->testAttribute(Qt::WA_ForceDisabled))
            return p == w ? QStringLiteral("disabled")
                          : QStringLiteral("disabled through its parent %1").arg(displayName(p));
        if (p->isWindow())
            break;
    }
    return QStringLiteral("disabled");
}

QString pathReason(const QAction* action, int depth);

// The outermost disabled menu on the way to this one is the one a user meets.
QString menuReason(const QMenu* menu, int depth)
{
    const QAction* opener = menu->menuAction();
    if (opener != nullptr) {
        const QString outer = pathReason(opener, depth + 1);
        if (!outer.isEmpty())
            return outer;
    }
    if (!menu->isEnabled() || (opener != nullptr && !opener->isEnabled()))
        return QStringLiteral("in the disabled menu %1").arg(displayName(menu));
    return {};
}

// Why none of the menus, menu bars or tool bars that show the action can be
// used; empty when one can (or when the action is shown nowhere, e.g. a
// shortcut). depth guards against cycles.
QString pathReason(const QAction* action, int depth)
{
    if (depth > 16)
        return {};
    QString firstReason;
    bool anyHolder = false;
    for (QObject* holder : action->associatedObjects()) {
        QString reason;
        if (auto* menu = qobject_cast<QMenu*>(holder)) {
            anyHolder = true;
            reason = menuReason(menu, depth);
        } else if (auto* w = qobject_cast<QWidget*>(holder)) {
            anyHolder = true;
            const QString r = widgetReason(w);
            if (!r.isEmpty())
                reason = QStringLiteral("in %1, which is %2").arg(displayName(w), r);
        } else {
            continue;
        }
        if (reason.isEmpty())
            return {};  // one usable path is enough
        if (firstReason.isEmpty())
            firstReason = reason;
    }
    return anyHolder ? firstReason : QString();
}

QString actionReason(const QAction* action)
{
    if (!action->isEnabled())
        return QStringLiteral("disabled");
    return pathReason(action, 0);
}

}  // namespace

QObject* findControl(QWidget* mainWindow, const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    if (mainWindow != nullptr) {
        if (mainWindow->objectName() == name)
            return mainWindow;
        if (QObject* found = mainWindow->findChild<QObject*>(name))
            return found;
    }
    const QList<QWidget*> tops = QApplication::topLevelWidgets();
    for (QWidget* top : tops) {
        if (top == mainWindow)
            continue;
        if (top->objectName() == name)
            return top;
        if (QObject* found = top->findChild<QObject*>(name))
            return found;
    }
    return nullptr;
}

QString whyNotOperable(QObject* control)
{
    if (auto* action = qobject_cast<QAction*>(control))
        return actionReason(action);
    if (auto* w = qobject_cast<QWidget*>(control))
        return widgetReason(w);
    return {};
}

QString kindOf(const QObject* control)
{
    const QString cls = QString::fromLatin1(control->metaObject()->className());
    const bool vowel = !cls.isEmpty() && QStringLiteral("AEIOU").contains(cls.at(0));
    return (vowel ? QStringLiteral("an ") : QStringLiteral("a ")) + cls;
}

}  // namespace automation
