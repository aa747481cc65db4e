#pragma once
// "Sleep Mode" (sleepModeButton on the Command Center, sleepModeSafetyButton
// on the "OTP CRC" sub-tab): after a Yes, sense streaming stops, both
// channels are switched off, the polls are silenced and the chip is sent to
// sleep; a box holds it asleep until OK, then the chip is woken (a power-up)
// and the whole configuration is written back. Every write goes straight to
// the link: manual persist holds back settings, not this.
//
// Window thread only. The waits keep the window painting with user input
// shut out; a window that closes meanwhile ends the sequence where it is.

#include <QObject>

class QWidget;
class SafetyHost;

class SleepMode : public QObject {
public:
    // dialogParent: the window its boxes belong to.
    SleepMode(SafetyHost& host, QWidget* dialogParent, QObject* parent = nullptr);

    void sleepModeButton_Click();

    bool isRunning() const { return running; }

private:
    void sleepAndWake();

    SafetyHost& host;
    QWidget* dialogParent;
    bool running = false;
};
