#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <optional>

class QIODevice;
class QSocketNotifier;

// `--script FILE` (or `--script=FILE`; `-` is standard input) taken out of the
// argument list. present is false when the option is not there; error is set
// when it is malformed (no file, given twice).
struct ScriptOption {
    bool present = false;
    QString path;
    QString error;
};
ScriptOption takeScriptOption(QStringList& arguments);

namespace automation {

// The lines of a script: a file or device read at once, or standard input read
// as it arrives (a pipe or terminal is watched from the event loop, so the
// window thread never blocks on it).
class ScriptInput : public QObject {
    Q_OBJECT
public:
    // "-" is standard input.
    ScriptInput(const QString& path, QObject* parent);
    ScriptInput(std::unique_ptr<QIODevice> device, QObject* parent);
    ~ScriptInput() override;

    void start();
    std::optional<QString> takeLine();
    bool hasLine() const { return !lines_.empty(); }
    bool ended() const { return ended_; }  // no line will come any more
    // Why the script cannot be read; empty when it can.
    const QString& openError() const { return openError_; }

signals:
    void linesAvailable();

private:
    void add(const QByteArray& bytes, bool atEnd);
    void readStandardInput();

    std::unique_ptr<QIODevice> device_;
    QSocketNotifier* stdinNotifier_ = nullptr;
    QString openError_;
    QByteArray partial_;
    std::deque<QString> lines_;
    bool ended_ = false;
};

}  // namespace automation
