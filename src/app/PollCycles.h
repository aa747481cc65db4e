#pragma once
// What the periodic workers queue on each cycle. The workers only test flags
// and queue commands; they never wait for replies. Kept free of threads and
// windows so each rule is tested directly.

#include <atomic>
#include <cstdint>
#include <functional>

#include "device/HSSDeviceFamily.h"

class HSSCommand;

// The link state a poll looks at, and how it sends.
struct PollLink {
    std::function<bool()> isHidDeviceConnected;
    std::function<bool()> isHSSDetected;
    std::function<void(HSSCommand*)> queueHSSCommand;
};

// Flags of the window the polls read; the window writes them.
struct PollFlags {
    const std::atomic<bool>& pauseDeviceDetection;
    const std::atomic<bool>& manualUpdateEnabled;
    const std::atomic<bool>& manualRefreshEnabled;
    const std::atomic<bool>& isCurrentSenseEnabled;
    const std::atomic<bool>& isSafetyDevice;
};

// Carrier-board GPIO lines (the board's numbering, not chip registers).
inline constexpr uint8_t kGpioLimpHomeInput = 1;  // LHI
inline constexpr uint8_t kGpioDirectInput = 2;    // DI
inline constexpr uint8_t kGpioFaultPin = 3;       // active low
inline constexpr uint8_t kGpioDaughterCardPower = 0;  // high while a part is identified

// Sense poll (50 ms): a poll read while the board is open and graphing runs.
void senseReadCycle(const PollFlags& flags, const PollLink& link);

// The family's fault register reads of one poll cycle (without the fault
// pin): the fault list and, on 16-pin safety parts, ABIST_RESULT. "Manual
// Update" sends the same.
void queueFaultRegisterReads(hss_device_family_t family, bool safetyPart,
                             const std::function<void(HSSCommand*)>& queue);

// Fault poll (500 ms): the family's fault reads, then the fault pin.
void faultReadCycle(const PollFlags& flags, const PollLink& link, hss_device_family_t family);

// Identification poll (500 ms): wake write while nothing is detected, then
// the DEVID read. Paused by pauseDeviceDetection; manual refresh pauses it
// only while a part is detected.
void devIDReadCycle(const PollFlags& flags, const PollLink& link);
