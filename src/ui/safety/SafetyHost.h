#pragma once
// What the safety self-tests, test mode and sleep need from the window that
// holds them. The names shared with EditorHost, FaultHost, FilesHost and
// SenseHost are the same calls, so the window implements each once.

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

#include "device/HSSDeviceFamily.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"

class HSSCommand;

class SafetyHost {
public:
    virtual ~SafetyHost() = default;

    // The event guard (dontRunEvents).
    virtual bool eventsSuppressed() const = 0;
    virtual void setEventsSuppressed(bool on) = 0;

    virtual hss_device_family_t deviceFamily() const = 0;
    virtual ZVRxQxx16PINConfiguration& sixteenPinRecord() = 0;
    virtual ZVRxQxx18PINConfiguration& eighteenPinRecord() = 0;
    virtual bool isDemoMode() const = 0;
    // A part is identified; the board is open.
    virtual bool partIdentified() const = 0;
    virtual bool boardConnected() const = 0;

    // Takes ownership; straight to the link, whatever the persist mode.
    virtual void queueHSSCommand(HSSCommand* command) = 0;
    // One line of the application log; "{0}", "{1}" ... take args.
    virtual void logLine(const QString& format, const QStringList& args = {}) = 0;

    // The two polls a sequence silences while it runs: the fault poll
    // (manualUpdateEnabled) and identification (pauseDeviceDetection).
    virtual bool faultPollStopped() const = 0;
    virtual void setFaultPollStopped(bool stopped) = 0;
    virtual bool detectionPaused() const = 0;
    virtual void setDetectionPaused(bool paused) = 0;

    // Sleep: sense streaming and graphing stopped with every sense selection
    // cleared; the Command Center's channel-enable list all unticked.
    virtual void stopSenseForSleep() = 0;
    virtual void clearChannelEnableList() = 0;
    // Writes the whole record of the current family to the chip.
    virtual void writeConfigToChip() = 0;

    virtual bool shutdownStarted() const = 0;
    virtual bool isWindowThread() const = 0;
    // Runs task on the window thread and waits; nothing once shutting down.
    virtual void runOnWindowThreadBlocking(std::function<void()> task) = 0;
    // Pauses on the window thread (it keeps painting, user input waits);
    // false when the window is closing: the sequence stops there.
    virtual bool waitOnWindowThread(std::chrono::milliseconds duration) = 0;
};
