#include "ui/automation/ScriptInput.h"

#include <QFile>
#include <QIODevice>
#include <QSocketNotifier>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

ScriptOption takeScriptOption(QStringList& arguments)
{
    ScriptOption option;
    for (qsizetype i = 0; i < arguments.size();) {
        const QString& arg = arguments.at(i);
        QString value;
        qsizetype taken = 0;
        if (arg == QLatin1String("--script")) {
            taken = 1;
            if (i + 1 < arguments.size()) {
                value = arguments.at(i + 1);
                taken = 2;
            }
        } else if (arg.startsWith(QLatin1String("--script="))) {
            value = arg.mid(9);
            taken = 1;
        } else {
            ++i;
            continue;
        }
        arguments.remove(i, taken);
        if (option.present && option.error.isEmpty())
            option.error = QStringLiteral("--script is given more than once");
        option.present = true;
        if (value.isEmpty() && option.error.isEmpty())
            option.error = QStringLiteral("--script needs a FILE (or - for standard input)");
        option.path = value;
    }
    return option;
}

namespace automation {

ScriptInput::ScriptInput(const QString& path, QObject* parent) : QObject(parent)
{
    if (path == QLatin1String("-")) {
        struct stat st {};
        if (::fstat(STDIN_FILENO, &st) == 0 && S_ISREG(st.st_mode)) {
            auto in = std::make_unique<QFile>();
            if (in->open(STDIN_FILENO, QIODevice::ReadOnly))
                device_ = std::move(in);
            else
                openError_ = QStringLiteral("cannot read the script from standard input");
        } else {
            stdinNotifier_ = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
            stdinNotifier_->setEnabled(false);
            connect(stdinNotifier_, &QSocketNotifier::activated, this, &ScriptInput::readStandardInput);
        }
        return;
    }
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        openError_ = QStringLiteral("cannot read script '%1': %2").arg(path, file->errorString());
    else
        device_ = std::move(file);
}

ScriptInput::ScriptInput(std::unique_ptr<QIODevice> device, QObject* parent)
    : QObject(parent), device_(std::move(device))
{
    if (device_ == nullptr)
        openError_ = QStringLiteral("no script given");
    else if (!device_->isOpen() && !device_->open(QIODevice::ReadOnly))
        openError_ = QStringLiteral("cannot read the script: %1").arg(device_->errorString());
}

ScriptInput::~ScriptInput() = default;

void ScriptInput::start()
{
    if (!openError_.isEmpty())
        add({}, true);
    else if (device_ != nullptr)
        add(device_->readAll(), true);
    else if (stdinNotifier_ != nullptr)
        stdinNotifier_->setEnabled(true);
}

std::optional<QString> ScriptInput::takeLine()
{
    if (lines_.empty())
        return std::nullopt;
    QString line = std::move(lines_.front());
    lines_.pop_front();
    return line;
}

void ScriptInput::add(const QByteArray& bytes, bool atEnd)
{
    partial_ += bytes;
    qsizetype newline;
    while ((newline = partial_.indexOf('\n')) >= 0) {
        QByteArray raw = partial_.left(newline);
        partial_.remove(0, newline + 1);
        if (raw.endsWith('\r'))
            raw.chop(1);
        lines_.push_back(QString::fromUtf8(raw));
    }
    if (atEnd) {
        if (!partial_.isEmpty())
            lines_.push_back(QString::fromUtf8(partial_));
        partial_.clear();
        ended_ = true;
    }
    if (!lines_.empty() || ended_)
        emit linesAvailable();
}

void ScriptInput::readStandardInput()
{
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n > 0) {
        add(QByteArray(buffer, static_cast<qsizetype>(n)), false);
        return;
    }
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    stdinNotifier_->setEnabled(false);
    add({}, true);
}

}  // namespace automation
