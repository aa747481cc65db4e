#pragma once
// What the settings-file menus, the C export and demo mode need from the
// window that holds them. The first group has the same signatures as in
// EditorHost, so the window implements each of them once for both.

#include <QString>
#include <QStringList>

#include <cstdint>

#include "device/HSSDeviceFamily.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"

class FilesHost {
public:
    virtual ~FilesHost() = default;

    virtual hss_device_family_t deviceFamily() const = 0;
    virtual ZVRxQxx16PINConfiguration& sixteenPinRecord() = 0;
    virtual ZVRxQxx18PINConfiguration& eighteenPinRecord() = 0;
    virtual bool isDemoMode() const = 0;
    // The event guard (dontRunEvents).
    virtual bool eventsSuppressed() const = 0;
    virtual void setEventsSuppressed(bool on) = 0;

    // A real chip is identified and shown (not a demo part).
    virtual bool partIdentified() const = 0;
    // Manual persist is on: edits are held until a manual persist.
    virtual bool manualPersistOn() const = 0;
    // dirtyPersist: the record holds edits the chip has not been sent.
    virtual bool persistPending() const = 0;
    virtual void setPersistPending(bool pending) = 0;
    // The record of the current family now holds values the chip has not
    // been sent: they are held like edits (kept over re-reads, written by
    // the next persist) and the pending mark is shown.
    virtual void holdRecordForPersist() = 0;
    // The whole record of the current family to the chip (rawWriteFromConfig).
    virtual void writeConfigToChip() = 0;
    // One line of the application log; "{0}", "{1}" ... take args.
    virtual void logLine(const QString& format, const QStringList& args = {}) = 0;
    // Shows the family's record in the editor (and the "User Registers" boxes).
    virtual void refreshEditorFromRecord(hss_device_family_t family) = 0;

    // Demo mode: the identification path fed with a code (handleDeviceIDRead),
    // the option lists of a code, the family's tab pages.
    virtual void identifyPart(uint16_t code) = 0;
    virtual void reloadOptionLists(uint16_t code) = 0;
    virtual void showFamilyPages() = 0;
    virtual void setDeviceFamily(hss_device_family_t family) = 0;
    // Stops (or resumes) the identification poll.
    virtual void setDetectionPaused(bool paused) = 0;
    virtual bool boardConnected() const = 0;
    // The menu items and controls on or off for the present state (after
    // demo mode comes or goes).
    virtual void showAvailability() = 0;
};
