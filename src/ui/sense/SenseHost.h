#pragma once
// What the live sense monitor needs from the window that holds it. The
// signatures it shares with EditorHost and FilesHost are the same, so the
// window implements each of them once for all three.

#include <QString>
#include <QStringList>

#include <functional>

#include "device/HSSDeviceFamily.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"

class HSSCommand;

class SenseHost {
public:
    virtual ~SenseHost() = default;

    // The event guard (dontRunEvents): while set, the handlers do nothing.
    virtual bool eventsSuppressed() const = 0;
    virtual void setEventsSuppressed(bool on) = 0;

    virtual hss_device_family_t deviceFamily() const = 0;
    virtual ZVRxQxx16PINConfiguration& sixteenPinRecord() = 0;
    virtual ZVRxQxx18PINConfiguration& eighteenPinRecord() = 0;

    // Takes ownership; straight to the link, whatever the persist mode.
    virtual void queueHSSCommand(HSSCommand* command) = 0;
    // One line of the application log; "{0}", "{1}" ... take args.
    virtual void logLine(const QString& format, const QStringList& args = {}) = 0;

    virtual bool shutdownStarted() const = 0;
    virtual bool isWindowThread() const = 0;
    // Runs task on the window thread and waits; nothing once shutting down.
    virtual void runOnWindowThreadBlocking(std::function<void()> task) = 0;

    // isCurrentSenseEnabled: the sense poll reads it on its own thread.
    virtual bool currentSenseEnabled() const = 0;
    virtual void setCurrentSenseEnabled(bool on) = 0;

    // The current option lists scaled for a sense resistor (ohms).
    virtual void rescaleCurrentLists(double senseResistorOhms) = 0;
};
