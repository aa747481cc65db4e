#pragma once

#include "ui/automation/ScriptInput.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class EmulatedBoard;
class QIODevice;
class QTextStream;
class QTimer;
class QWidget;

namespace automation {
class ScriptResponder;
class StrayDialogWatcher;
}

// Runs a script of user actions against a window, one command at a time on the
// window thread, returning to the event loop between commands. Prints its
// lines (GET, LOG, MESSAGE, FILE-DIALOG, TIMEOUT, ERROR) to out, flushed per
// line. At the end of the script or at `quit` it closes the window through its
// normal close path and emits finished().
class ScriptRunner : public QObject {
    Q_OBJECT
public:
    // scriptPath "-" reads standard input as it arrives.
    ScriptRunner(QWidget* mainWindow, const QString& scriptPath, QTextStream& out,
                 QObject* parent = nullptr);
    ScriptRunner(QWidget* mainWindow, std::unique_ptr<QIODevice> script, QTextStream& out,
                 QObject* parent = nullptr);
    ~ScriptRunner() override;

    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Installs the dialog responder and the log hook now; the first command runs
    // once the window is shown.
    void start();

    // The emulated board the `board` commands drive; without one they are
    // errors (the window runs on another board).
    void setEmulatedBoard(std::shared_ptr<EmulatedBoard> board) { bench_ = std::move(board); }

    // 0 while no ERROR line has been printed, else 1.
    int exitStatus() const { return errorCount_ == 0 ? 0 : 1; }
    bool isFinished() const { return finished_; }

signals:
    void finished(int exitStatus);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void onLogLine(const QString& line);

private:
    struct WaitFor {
        QString name;
        QString property;
        QString value;
        QDeadlineTimer deadline;
    };
    enum class Next { Now, Later, Stop };

    ScriptRunner(QWidget* mainWindow, QTextStream& out, QObject* parent);
    void scheduleStep(int delayMs);
    void step();
    Next execute(const QStringList& words);
    Next runWaitFor(const QStringList& words);
    Next runBoardCommand(const QStringList& words);
    Next runScreenshot(const QStringList& words);
    void pollWaitFor();
    void endScript();
    void finish();

    void print(const QString& line);
    void error(int line, const QString& what);
    void errorHere(const QString& what) { error(lineNumber_, what); }

    void setInput(automation::ScriptInput* input);

    QObject* control(const QString& name);

    QPointer<QWidget> window_;
    QTextStream& out_;
    std::unique_ptr<automation::ScriptResponder> responder_;
    std::shared_ptr<EmulatedBoard> bench_;
    automation::StrayDialogWatcher* strayDialogs_ = nullptr;
    automation::ScriptInput* input_ = nullptr;
    bool waitingForInput_ = false;
    bool started_ = false;
    bool running_ = false;
    bool finished_ = false;
    bool closing_ = false;
    int lineNumber_ = 0;
    int errorCount_ = 0;
    std::optional<WaitFor> waitFor_;
    QTimer* waitForTimer_ = nullptr;
};
