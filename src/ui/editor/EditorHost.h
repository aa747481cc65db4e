#pragma once
// What the configuration editor needs from the window that holds it. The
// main window implements this; tests implement it with a fake that applies
// writes to an emulated board. The names differ from the window's own
// members (isShuttingDown, mainTabControl, ...) so that the window can
// implement the interface beside them.

#include <QString>

#include <chrono>
#include <functional>

#include "device/HSSDeviceFamily.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"

class HSSCommand;
class QTabWidget;
class QWidget;

class EditorHost {
public:
    virtual ~EditorHost() = default;

    // The event guard (dontRunEvents): while set, edit handlers do nothing.
    virtual bool eventsSuppressed() const = 0;
    virtual void setEventsSuppressed(bool on) = 0;

    virtual hss_device_family_t deviceFamily() const = 0;
    // The window's two records; they live as long as the window. Their
    // accessors are safe against the dispatch thread storing read-backs.
    virtual ZVRxQxx16PINConfiguration& sixteenPinRecord() = 0;
    virtual ZVRxQxx18PINConfiguration& eighteenPinRecord() = 0;

    // Takes ownership. Queued at once, or dropped and marked pending while
    // manual persist is on.
    virtual void sendRawWriteGUIResponse(HSSCommand* command) = 0;
    // Takes ownership. Straight to the link, whatever the persist mode.
    virtual void queueHSSCommand(HSSCommand* command) = 0;
    // One line of the application log (already formatted, no time stamp).
    virtual void logEditorLine(const QString& line) = 0;

    virtual bool isDemoMode() const = 0;
    // Reloads the option lists and reads the configuration back from the
    // chip; the reply refreshes the editor (in demo mode, and while manual
    // persist holds edits: refresh from the record).
    virtual void updateMainGUIFromSelection() = 0;

    virtual bool shutdownStarted() const = 0;
    virtual bool isWindowThread() const = 0;
    // Runs task on the window thread and waits for it; does nothing once
    // shutdown has begun.
    virtual void runOnWindowThreadBlocking(std::function<void()> task) = 0;
    // Pauses a sequence on the window thread for duration while the window
    // keeps painting and user input waits. False when the wait was cut short
    // (shutdown): the sequence stops there.
    virtual bool waitOnWindowThread(std::chrono::milliseconds duration) = 0;

    // The main tab control and its "Datasheet" page (16-pin parts show it,
    // 18-pin parts do not).
    virtual QTabWidget* tabControl() = 0;
    virtual QWidget* datasheetTabPage() = 0;
};
