#pragma once
// One kind of fault as the tool counts it: whether the last decoded status
// shows it, how many rising edges the tool has seen, and when the last one
// came. A fault that stays set counts once.
//
// Not locked: the window thread is the only one that touches the records.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class HSSFault {
public:
    using TimePoint = std::chrono::system_clock::time_point;
    // Where the time of a rising edge comes from (tests inject their own).
    using Clock = std::function<TimePoint()>;

    // Count 0, not faulted, no date. An empty clock means the system clock.
    HSSFault(std::string name, std::string description, Clock clock = {});

    // Edge-detecting update: a rising edge marks the fault, counts it and
    // stores the time; any other change only follows the state.
    void setFaultState(bool faulted);

    bool isFaulted() const { return curFaulted; }
    uint32_t getFaultCount() const { return count; }
    const std::string& getFaultName() const { return faultName; }
    const std::string& getFaultDescription() const { return faultDescription; }
    std::optional<TimePoint> lastFaultTime() const { return lastFault; }

    // Count back to 0; the state and the stored date stay.
    void resetFaultState();

    // "Never" while the count is 0, else the date of the last rising edge
    // (formatFaultDate).
    std::string getFaultDate() const;

private:
    std::string faultName;
    std::string faultDescription;
    Clock clock;
    uint32_t count = 0;
    bool curFaulted = false;
    std::optional<TimePoint> lastFault;
};

// Local time as "MMMM dd, hh:mm:ss": full English month name, two-digit
// day, 12-hour two-digit hour without an AM/PM mark ("March 05, 01:07:09").
std::string formatFaultDate(HSSFault::TimePoint time);
