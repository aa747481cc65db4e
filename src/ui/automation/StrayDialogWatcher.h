#pragma once

#include <QObject>

class QTimer;

namespace automation {

class ScriptResponder;

// A message box or file dialog opened directly, not through the dialog seam,
// would block a script for good. While running, this answers such a dialog
// through the same responder (so it prints and takes queued answers alike).
class StrayDialogWatcher : public QObject {
    Q_OBJECT
public:
    StrayDialogWatcher(ScriptResponder& responder, QObject* parent);
    void setActive(bool active);

private:
    void check();

    ScriptResponder& responder_;
    QTimer* timer_;
};

}  // namespace automation
