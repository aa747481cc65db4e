#pragma once

#include <QString>

class QObject;
class QWidget;

// Finding a control by its objectName and telling whether a user could operate it.
namespace automation {

// The main window itself answers to its own objectName; otherwise the first
// descendant object (widget, action, menu...) of that name, including pages that
// are not in their tab control at the moment; then other top-level windows.
QObject* findControl(QWidget* mainWindow, const QString& name);

// Empty when a user could operate the control now; else why not ("disabled",
// "disabled through its parent 'x'", "in the disabled menu 'y'"). A control on a
// page that is not shown counts as operable.
QString whyNotOperable(QObject* control);

// Short description of the control's kind for error lines, e.g. "a QLabel".
QString kindOf(const QObject* control);

}  // namespace automation
