#include "ui/automation/StrayDialogWatcher.h"

#include "ui/automation/ScriptResponder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace automation {
namespace {

constexpr int kCheckIntervalMs = 50;

}  // namespace

StrayDialogWatcher::StrayDialogWatcher(ScriptResponder& responder, QObject* parent)
    : QObject(parent), responder_(responder), timer_(new QTimer(this))
{
    timer_->setInterval(kCheckIntervalMs);
    connect(timer_, &QTimer::timeout, this, &StrayDialogWatcher::check);
}

void StrayDialogWatcher::setActive(bool active)
{
    if (active)
        timer_->start();
    else
        timer_->stop();
}

void StrayDialogWatcher::check()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        QPointer<QMessageBox> guard(box);
        const QMessageBox::StandardButton def =
            box->defaultButton() != nullptr ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
        const QMessageBox::StandardButton chosen =
            responder_.onMessage(box->icon(), box->windowTitle(), box->text(), box->standardButtons(), def);
        if (guard.isNull())
            return;
        if (QAbstractButton* button = box->button(chosen))
            button->click();
        else
            box->done(chosen);
        return;
    }
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        QPointer<QFileDialog> guard(dialog);
        const QString path = responder_.onFileDialog(dialog->acceptMode() == QFileDialog::AcceptSave,
                                                     dialog->windowTitle(), dialog->nameFilters().join(QStringLiteral(";;")));
        if (guard.isNull())
            return;
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            // done() rather than accept(): accept() may open a box of its own
            // (file not found, overwrite?) from inside this check.
            // The typed name wins when nothing is picked in the view, and an
            // absolute one is taken as it stands; selectFile() would depend on
            // the directory listing, which loads in the background.
            if (auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                nameEdit->setText(path);
            else
                dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
        }
    }
}

}  // namespace automation
