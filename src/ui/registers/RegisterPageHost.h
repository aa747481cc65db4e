#pragma once
// What the "Registers" page needs from the window that holds it. The names
// that EditorHost and FilesHost declare too have the same signatures, so the
// window implements each of them once.

#include <QString>

#include <functional>
#include <optional>

#include "device/HSSDeviceFamily.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "editor/registers/RegisterCatalogue.h"
#include "files/SettingsFile.h"

class HSSCommand;

class RegisterPageHost {
public:
    virtual ~RegisterPageHost() = default;

    virtual hss_device_family_t deviceFamily() const = 0;
    virtual ZVRxQxx16PINConfiguration& sixteenPinRecord() = 0;
    virtual ZVRxQxx18PINConfiguration& eighteenPinRecord() = 0;
    virtual bool isDemoMode() const = 0;
    // A real chip is identified and shown (not a demo part).
    virtual bool partIdentified() const = 0;
    virtual bool boardConnected() const = 0;
    // The sense resistor the user entered (the current lists are then scaled).
    virtual std::optional<double> enteredSenseResistor() const = 0;

    // Runs task on the window thread and waits for it (at once when called
    // there); readings from the dispatch thread come through here.
    virtual void runOnWindowThreadBlocking(std::function<void()> task) = 0;

    // Takes ownership; straight to the link.
    virtual void queueHSSCommand(HSSCommand* command) = 0;
    // The configuration read-back the pages use (held edits are kept).
    virtual void updateMainGUIFromSelection() = 0;
    // One field edited through the path of its page control; false when
    // nothing edits that field.
    virtual bool editRegisterField(hss_device_family_t family, const hss::regmap::FieldInfo& field,
                                   uint8_t address, uint16_t value) = 0;

    // A settings file read and checked as "Load Settings" reads it (problems
    // told in message boxes), without applying it; empty when it cannot be
    // used for the current family.
    virtual std::optional<hss::files::SettingsFileContents> readSettingsForCompare(const QString& path) = 0;
    // The file applied as "Load Settings" applies it, with its report.
    virtual void applySettingsFile(const QString& path) = 0;
};
