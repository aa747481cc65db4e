#include "ui/seam/DialogSeam.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QThread>
#include <QtGlobal>

#include <atomic>

namespace DialogSeam {
namespace {

std::atomic<Responder*> g_responder{nullptr};

// A dialog can only be shown on the window thread; anywhere else it would
// crash inside the toolkit, so the call is refused loudly instead.
bool onWindowThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (app != nullptr && QThread::currentThread() == app->thread())
        return true;
    qWarning("DialogSeam: dialog requested outside the window thread; not shown");
    return false;
}

}  // namespace

void setResponder(Responder* r) { g_responder.store(r); }

Responder* responder() { return g_responder.load(); }

QMessageBox::StandardButton defaultButtonOf(QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton def)
{
    if (buttons == QMessageBox::NoButton)
        return QMessageBox::Ok;  // QMessageBox adds OK to a box without buttons
    if (def != QMessageBox::NoButton && buttons.testFlag(def))
        return def;
    static const QMessageBox::StandardButton accepting[] = {
        QMessageBox::Ok,      QMessageBox::Yes,   QMessageBox::Save,
        QMessageBox::Open,    QMessageBox::YesToAll, QMessageBox::SaveAll,
        QMessageBox::Retry,   QMessageBox::Ignore, QMessageBox::Apply,
    };
    for (QMessageBox::StandardButton b : accepting)
        if (buttons.testFlag(b))
            return b;
    for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1)
        if (buttons.testFlag(static_cast<QMessageBox::StandardButton>(bit)))
            return static_cast<QMessageBox::StandardButton>(bit);
    return QMessageBox::Ok;
}

QMessageBox::StandardButton message(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                    const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    if (Responder* r = g_responder.load())
        return r->onMessage(icon, caption, text, buttons, defaultButton);
    if (!onWindowThread())
        return defaultButtonOf(buttons, defaultButton);
    QMessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const int result = box.exec();
    return static_cast<QMessageBox::StandardButton>(result);
}

QString openFileName(QWidget* parent, const QString& caption, const QString& filter, const QString& directory)
{
    if (Responder* r = g_responder.load())
        return r->onFileDialog(false, caption, filter);
    if (!onWindowThread())
        return {};
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QString saveFileName(QWidget* parent, const QString& caption, const QString& filter, const QString& directory)
{
    if (Responder* r = g_responder.load())
        return r->onFileDialog(true, caption, filter);
    if (!onWindowThread())
        return {};
    return QFileDialog::getSaveFileName(parent, caption, directory, filter);
}

QString savePath(QWidget* parent, const QString& caption, const QString& filter, const QString& defaultSuffix,
                 QString& folder)
{
    QString path = saveFileName(parent, caption, filter, folder);
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).suffix().isEmpty())
        path += defaultSuffix;
    const QFileInfo info(path);
    folder = info.absolutePath();
    return info.absoluteFilePath();
}

QString existingDirectory(QWidget* parent, const QString& caption, const QString& directory)
{
    if (Responder* r = g_responder.load())
        return r->onFileDialog(false, caption, QString());
    if (!onWindowThread())
        return {};
    return QFileDialog::getExistingDirectory(parent, caption, directory);
}

}  // namespace DialogSeam
