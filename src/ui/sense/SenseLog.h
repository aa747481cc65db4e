#pragma once
// The sense CSV log on the window: enableLogButton switches it, the save
// dialog behind logBrowseButton chooses the file, filePathTextBox shows it.
// Lines are written out at least once a second (a timer here) and on close.

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>
#include <string>

#include "measure/SenseLogWriter.h"

class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;
class SenseHost;

class SenseLog : public QObject {
public:
    SenseLog(SenseHost& host, QPushButton* enableLogButton, QToolButton* logBrowseButton, QLineEdit* filePathTextBox,
             QWidget* dialogParent, QObject* parent = nullptr);

    // On: asks for the file at once. Off: closes the log.
    void enableLogButton_CheckStateChanged(bool checked);
    // The save dialog, opened in the folder used last. A confirmed file
    // replaces the open log; a cancelled choice with no log open turns the
    // switch off.
    void logBrowseButton_Click();

    // isSnsLoggingEnabled.
    bool isLogging() const { return writer.isOpen(); }
    // The layout of the next file opened (ISO stamps or the classic one).
    void setIsoTimeStamps(bool on) { nextLayout.isoTimeStamps = on; }
    // The log open now has ISO stamps (a channel that is off is then an empty field).
    bool isoTimeStamps() const { return writer.isOpen() && writer.layout().isoTimeStamps; }
    // The graphed quantity, named in an ISO log's header.
    void setQuantity(const std::string& quantity, const std::string& unit);
    // One line with a sample's values (empty: the value cannot be known).
    void writeSample(float supplyVoltage, std::optional<float> channel1, std::optional<float> channel2);
    // Writes out and closes the log (window closing).
    void close();

private:
    void closeFile();
    void turnOffAfterFailure(const std::string& message);

    SenseHost& host;
    QPushButton* enableButton;
    QToolButton* browseButton;
    QLineEdit* pathBox;
    QWidget* dialogParent;
    hss::measure::SenseLogWriter writer;
    hss::measure::SenseLogLayout nextLayout;
    QTimer flushTimer;
    QString lastFolder;
};
