#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Runs a script against a shown window until the runner finishes and returns
// what it printed, line by line, and its exit status.
struct ScriptRun {
    QStringList lines;
    int exitStatus = -1;
    bool finished = false;
};

ScriptRun runScript(QWidget& window, const QString& script);
