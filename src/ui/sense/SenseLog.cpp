#include "ui/sense/SenseLog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <filesystem>

#include "ui/seam/DialogSeam.h"
#include "ui/sense/SenseHost.h"

namespace {

const QString kFilter = QStringLiteral("csv files (*.csv)");
const QString kCaption = QStringLiteral("Sense Log");

}  // namespace

SenseLog::SenseLog(SenseHost& senseHost, QPushButton* enableLogButton, QToolButton* logBrowseButton,
                   QLineEdit* filePathTextBox, QWidget* parentForDialogs, QObject* parent)
    : QObject(parent),
      host(senseHost),
      enableButton(enableLogButton),
      browseButton(logBrowseButton),
      pathBox(filePathTextBox),
      dialogParent(parentForDialogs)
{
    // A crash loses at most a second of samples, also while none arrive.
    flushTimer.setInterval(1000);
    connect(&flushTimer, &QTimer::timeout, this, [this] {
        if (const std::string failure = writer.flushIfDue(); !failure.empty())
            turnOffAfterFailure(failure);
    });
    connect(enableButton, &QPushButton::toggled, this, [this](bool on) { enableLogButton_CheckStateChanged(on); });
    connect(browseButton, &QToolButton::clicked, this, [this] { logBrowseButton_Click(); });
}

void SenseLog::enableLogButton_CheckStateChanged(bool checked)
{
    if (host.eventsSuppressed())
        return;
    browseButton->setEnabled(checked);
    if (checked) {
        logBrowseButton_Click();
        return;
    }
    closeFile();
}

void SenseLog::logBrowseButton_Click()
{
    const QString chosen = DialogSeam::saveFileName(dialogParent, QStringLiteral("Save Sense Log"), kFilter, lastFolder);
    if (chosen.isEmpty()) {
        // Cancelling a change of file keeps the log that is running.
        if (!writer.isOpen())
            enableButton->setChecked(false);
        return;
    }
    lastFolder = QFileInfo(chosen).absolutePath();
    const std::string failure = writer.open(std::filesystem::path(chosen.toStdString()), nextLayout);
    if (!failure.empty()) {
        flushTimer.stop();
        pathBox->clear();
        DialogSeam::message(dialogParent, QMessageBox::Critical, kCaption,
                            QString::fromStdString(failure) + QStringLiteral("\nSense logging is off."));
        enableButton->setChecked(false);
        browseButton->setEnabled(false);  // also while the event guard kept the switch's handler out
        return;
    }
    pathBox->setText(QDir::toNativeSeparators(chosen));
    pathBox->setToolTip(pathBox->text());
    flushTimer.start();
    host.logLine(QStringLiteral("Sense log started: {0}"), {pathBox->text()});
}

void SenseLog::writeSample(float supplyVoltage, std::optional<float> channel1, std::optional<float> channel2)
{
    if (!writer.isOpen())
        return;
    if (const std::string failure = writer.writeSample(supplyVoltage, channel1, channel2); !failure.empty())
        turnOffAfterFailure(failure);
}

void SenseLog::close() { closeFile(); }

void SenseLog::setQuantity(const std::string& quantity, const std::string& unit)
{
    nextLayout.quantity = quantity;
    nextLayout.unit = unit;
    writer.setQuantity(quantity, unit);
}

void SenseLog::closeFile()
{
    flushTimer.stop();
    if (!writer.isOpen())
        return;
    const QString path = QString::fromStdString(writer.path().string());
    if (const std::string failure = writer.close(); !failure.empty()) {
        host.logLine(QStringLiteral("{0}"), {QString::fromStdString(failure)});
        return;
    }
    host.logLine(QStringLiteral("Sense log closed: {0}"), {QDir::toNativeSeparators(path)});
}

void SenseLog::turnOffAfterFailure(const std::string& message)
{
    flushTimer.stop();
    writer.close();
    host.logLine(QStringLiteral("{0}"), {QString::fromStdString(message)});
    DialogSeam::message(dialogParent, QMessageBox::Critical, kCaption, QString::fromStdString(message));
    const bool previous = host.eventsSuppressed();
    host.setEventsSuppressed(true);
    enableButton->setChecked(false);
    host.setEventsSuppressed(previous);
    browseButton->setEnabled(false);
}
