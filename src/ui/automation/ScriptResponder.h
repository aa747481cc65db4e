#pragma once

#include "ui/seam/DialogSeam.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>

// Answers message boxes and file dialogs from the script's queued answers and
// prints each as a MESSAGE or FILE-DIALOG line.
namespace automation {

class ScriptResponder : public DialogSeam::Responder {
public:
    using LinePrinter = std::function<void(const QString& line)>;
    using ErrorPrinter = std::function<void(int scriptLine, const QString& what)>;

    ScriptResponder(LinePrinter print, ErrorPrinter error);

    // The next message box is answered with button; scriptLine is where it was asked.
    void queueMessageAnswer(QMessageBox::StandardButton button, int scriptLine);
    // The next file dialog returns path (nullopt: cancelled).
    void queueFileAnswer(std::optional<QString> path, int scriptLine);

    std::size_t pendingMessageAnswers() const { return messageAnswers_.size(); }
    std::size_t pendingFileAnswers() const { return fileAnswers_.size(); }

    QMessageBox::StandardButton onMessage(QMessageBox::Icon icon, const QString& caption,
                                          const QString& text, QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton def) override;
    QString onFileDialog(bool save, const QString& caption, const QString& filter) override;

private:
    struct MessageAnswer {
        QMessageBox::StandardButton button;
        int line;
    };
    struct FileAnswer {
        std::optional<QString> path;
        int line;
    };
    LinePrinter print_;
    ErrorPrinter error_;
    std::deque<MessageAnswer> messageAnswers_;
    std::deque<FileAnswer> fileAnswers_;
};

// `ok`, `yes`, `no`, ... to the button, and back; NoButton for an unknown name.
QMessageBox::StandardButton buttonFromName(const QString& name);
QString buttonName(QMessageBox::StandardButton button);
QString iconName(QMessageBox::Icon icon);

}  // namespace automation
