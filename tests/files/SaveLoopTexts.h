#pragma once
// The two settings files the crash-safety test's saver writes in turn: both
// 18-pin (the longer file), with different values in every register.

#include <string>

#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "files/SettingsFile.h"

inline std::string saveLoopText(int which)
{
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    uint16_t value = which == 0 ? 0x1234 : 0xA5A5;
    for (const auto& entry : hss::files::settingsRegisters(HSS_FAMILY_18PWP)) {
        eighteen.setRegister(entry.reg, value, entry.channel);
        value = static_cast<uint16_t>(value * 31 + 7);
    }
    return *hss::files::settingsFileText(HSS_FAMILY_18PWP, sixteen, eighteen);
}
