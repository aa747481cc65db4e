#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every message box and file dialog of the tool goes through these functions,
// so that a script or a test can answer them instead of a person.
// Call them on the window thread only.
namespace DialogSeam {

QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon,
                                    const QString& caption, const QString& text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Empty string: the user cancelled. directory: the folder the dialog opens in
// (empty: the working directory).
QString openFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& directory = QString());
QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& directory = QString());
// A save-file name made whole: a name typed without an ending gets
// defaultSuffix (".csv"), as the dialog would; absolute. folder is where the
// dialog opens and becomes the chosen file's folder. Empty: cancelled.
QString savePath(QWidget* parent, const QString& caption, const QString& filter, const QString& defaultSuffix,
                 QString& folder);
// A folder; a responder is asked as for an open-file dialog with an empty filter.
QString existingDirectory(QWidget* parent, const QString& caption, const QString& directory = QString());

// Answers instead of a real dialog while installed.
struct Responder {
    virtual ~Responder() = default;
    virtual QMessageBox::StandardButton onMessage(QMessageBox::Icon icon, const QString& caption,
                                                  const QString& text,
                                                  QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton def) = 0;
    virtual QString onFileDialog(bool save, const QString& caption, const QString& filter) = 0;
};

// nullptr restores real dialogs. The responder must outlive its installation.
void setResponder(Responder* responder);
Responder* responder();

// The button a person pressing Enter would choose: the given default when it is
// one of the buttons, else the first accepting button, as QMessageBox picks it.
QMessageBox::StandardButton defaultButtonOf(QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton def);

}  // namespace DialogSeam
