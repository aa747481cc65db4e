#pragma once
// Turns SIGTERM and SIGINT into a call on the Qt thread, so that a signal
// ends the tool through its normal close path instead of killing it mid-way.

#include <QObject>

#include <functional>

class QSocketNotifier;

class SignalWatcher : public QObject {
public:
    // Installs the handlers; onSignal runs on the thread that created this.
    explicit SignalWatcher(std::function<void()> onSignal, QObject* parent = nullptr);
    ~SignalWatcher() override;  // restores the default handlers

private:
    std::function<void()> onSignal;
    QSocketNotifier* notifier = nullptr;
    int pipeFds[2] = {-1, -1};
};
