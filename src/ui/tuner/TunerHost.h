#pragma once
// What the I2T tuner needs from the window that holds it. The names are the
// editor host's where both need the same thing, so the window implements
// each once.

#include <QString>

#include <span>

#include "device/HSSDeviceFamily.h"

class TunerHost {
public:
    virtual ~TunerHost() = default;

    // The event guard (dontRunEvents): while set, the redraw and the
    // handlers do nothing.
    virtual bool eventsSuppressed() const = 0;
    virtual hss_device_family_t deviceFamily() const = 0;
    // One line of the application log (no time stamp).
    virtual void logEditorLine(const QString& line) = 0;
    // i2tArrayValues: the trip energies in force (A2s) by slider position.
    virtual std::span<const double> i2tTripValues() const = 0;
};
