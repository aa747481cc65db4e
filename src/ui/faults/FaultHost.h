#pragma once
// What the fault view needs from the window that holds it. The names shared
// with EditorHost are the same calls, so the window implements them once.

#include <QString>

#include <functional>

#include "device/HSSDeviceFamily.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"

class HSSCommand;

class FaultHost {
public:
    virtual ~FaultHost() = default;

    // The event guard (dontRunEvents).
    virtual bool eventsSuppressed() const = 0;
    virtual void setEventsSuppressed(bool on) = 0;

    virtual hss_device_family_t deviceFamily() const = 0;
    // The records whose DEV_FAULT and channel fault words the view shows.
    virtual ZVRxQxx16PINConfiguration& sixteenPinRecord() = 0;
    virtual ZVRxQxx18PINConfiguration& eighteenPinRecord() = 0;
    // The identified part is a 16-pin safety variant (reads ABIST_RESULT too).
    virtual bool isSafetyPart() const = 0;

    // Takes ownership; straight to the link, whatever the persist mode.
    virtual void queueHSSCommand(HSSCommand* command) = 0;
    // One line of the application log (no time stamp).
    virtual void logFaultLine(const QString& line) = 0;
    // manualUpdateEnabled: true stops the fault poll, false resumes it.
    virtual void setFaultPollStopped(bool stopped) = 0;
    // A channel woke from LPM: the family's low-power controls show
    // "Active" again, without writing anything.
    virtual void showLowPowerModeActive(hss_device_family_t family) = 0;

    virtual bool shutdownStarted() const = 0;
    virtual bool isWindowThread() const = 0;
    // Runs task on the window thread and waits; nothing once shutting down.
    virtual void runOnWindowThreadBlocking(std::function<void()> task) = 0;
};
