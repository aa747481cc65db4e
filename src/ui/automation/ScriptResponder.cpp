#include "ui/automation/ScriptResponder.h"

#include "ui/automation/ScriptSyntax.h"

#include <QFileInfo>

#include <utility>

namespace automation {
namespace {

struct ButtonName {
    QMessageBox::StandardButton button;
    const char* name;
};

const ButtonName kButtons[] = {
    {QMessageBox::Ok, "ok"},           {QMessageBox::Yes, "yes"},
    {QMessageBox::No, "no"},           {QMessageBox::Cancel, "cancel"},
    {QMessageBox::Abort, "abort"},     {QMessageBox::Retry, "retry"},
    {QMessageBox::Ignore, "ignore"},   {QMessageBox::Close, "close"},
    {QMessageBox::Save, "save"},       {QMessageBox::Discard, "discard"},
    {QMessageBox::Apply, "apply"},     {QMessageBox::Open, "open"},
    {QMessageBox::Reset, "reset"},     {QMessageBox::Help, "help"},
    {QMessageBox::YesToAll, "yestoall"}, {QMessageBox::NoToAll, "notoall"},
    {QMessageBox::SaveAll, "saveall"}, {QMessageBox::RestoreDefaults, "restoredefaults"},
};

}  // namespace

QMessageBox::StandardButton buttonFromName(const QString& name)
{
    const QString lower = name.toLower();
    for (const ButtonName& b : kButtons)
        if (lower == QLatin1String(b.name))
            return b.button;
    return QMessageBox::NoButton;
}

QString buttonName(QMessageBox::StandardButton button)
{
    for (const ButtonName& b : kButtons)
        if (b.button == button)
            return QString::fromLatin1(b.name);
    return QStringLiteral("none");
}

QString iconName(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Information:
        return QStringLiteral("information");
    case QMessageBox::Warning:
        return QStringLiteral("warning");
    case QMessageBox::Critical:
        return QStringLiteral("critical");
    case QMessageBox::Question:
        return QStringLiteral("question");
    case QMessageBox::NoIcon:
        break;
    }
    return QStringLiteral("none");
}

ScriptResponder::ScriptResponder(LinePrinter print, ErrorPrinter error)
    : print_(std::move(print)), error_(std::move(error))
{
}

void ScriptResponder::queueMessageAnswer(QMessageBox::StandardButton button, int scriptLine)
{
    messageAnswers_.push_back({button, scriptLine});
}

void ScriptResponder::queueFileAnswer(std::optional<QString> path, int scriptLine)
{
    fileAnswers_.push_back({std::move(path), scriptLine});
}

QMessageBox::StandardButton ScriptResponder::onMessage(QMessageBox::Icon icon, const QString& caption,
                                                       const QString& text,
                                                       QMessageBox::StandardButtons buttons,
                                                       QMessageBox::StandardButton def)
{
    QMessageBox::StandardButton chosen = DialogSeam::defaultButtonOf(buttons, def);
    std::optional<MessageAnswer> wrongAnswer;
    if (!messageAnswers_.empty()) {
        const MessageAnswer answer = messageAnswers_.front();
        messageAnswers_.pop_front();
        const QMessageBox::StandardButtons offered = buttons == QMessageBox::NoButton
                                                         ? QMessageBox::StandardButtons(QMessageBox::Ok)
                                                         : buttons;
        if (offered.testFlag(answer.button))
            chosen = answer.button;
        else
            wrongAnswer = answer;
    }
    print_(QStringLiteral("MESSAGE %1 %2 %3 -> %4")
               .arg(iconName(icon), quoteText(caption), quoteText(text), buttonName(chosen)));
    // A person cannot press a button the box does not have: the box took its
    // default, and the script line that asked for it is at fault.
    if (wrongAnswer)
        error_(wrongAnswer->line, QStringLiteral("the message box has no button %1; answered %2")
                                      .arg(buttonName(wrongAnswer->button), buttonName(chosen)));
    return chosen;
}

QString ScriptResponder::onFileDialog(bool /*save*/, const QString& /*caption*/, const QString& filter)
{
    std::optional<QString> path;
    if (!fileAnswers_.empty()) {
        path = fileAnswers_.front().path;
        fileAnswers_.pop_front();
    }
    // A file dialog hands back an absolute path; so does the answer.
    if (path && !path->isEmpty())
        path = QFileInfo(*path).absoluteFilePath();
    const bool cancelled = !path || path->isEmpty();
    print_(QStringLiteral("FILE-DIALOG %1 -> %2")
               .arg(quoteText(filter), cancelled ? QStringLiteral("cancel") : escapeValue(*path)));
    return cancelled ? QString() : *path;
}

}  // namespace automation
