#pragma once
// The "Log" tab: the application log (logTextBox) with a filter box, "Save
// Log..." and "Clear". The window keeps the newest kKeptLines lines, so a
// long run stays responsive; every line also goes to a spool file, so the
// saved log is complete from the start of the run or from the last Clear.
// A line reaches the box at once when the log is quiet; a burst is merged
// into one insert at most every kMergeMs (a text box takes tens of
// microseconds per insert at this size, whatever the insert holds).
// Window thread only.

#include <QElapsedTimer>
#include <QTemporaryFile>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class LogView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kKeptLines = 100000;
    static constexpr int kMergeMs = 40;

    // log reports a save (a line without time stamp, through the window's log).
    LogView(QPlainTextEdit* box, std::function<void(const QString&)> log, QWidget* parent = nullptr);

    // One time-stamped line.
    void append(const QString& line);
    // The lines kept (the filter aside), oldest first.
    qsizetype keptLines() const { return static_cast<qsizetype>(kept.size()); }

    // Shows the lines still waiting for the next merged insert; whoever
    // reads logTextBox's text calls it first (the automation does).
    Q_INVOKABLE void flushPendingLines();

    void saveLogButton_Click();
    void clearLogButton_Click();

private:
    bool matches(const QString& line) const;
    void logFilterBox_TextChanged();
    void showLines(const QString& lines);

    QPlainTextEdit* box;
    std::function<void(const QString&)> logLine;
    QLineEdit* filterBox;      // logFilterBox
    QPushButton* saveButton;   // saveLogButton
    QPushButton* clearButton;  // clearLogButton
    QLabel* note;              // logKeptLabel: what is kept and what a save writes
    std::deque<QString> kept;
    QStringList pending;   // shown at the next merged insert
    QTimer mergeTimer;
    QElapsedTimer sinceInsert;
    QTemporaryFile spool;
    bool spoolOpen = false;
    QString spoolError;
    QString savedFolder;
};
