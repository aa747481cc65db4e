#pragma once
// The order and timing of what the fault poll saw: one event per raise and
// per clear of a fault record, kept up to kMaxEvents (the oldest dropped).
// A clear carries how long the fault lasted, and so does its raise once it
// has cleared. Not locked: the window thread alone touches it.

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "device/FaultRecords.h"

namespace hss {

struct FaultEvent {
    uint64_t sequence = 0;  // counts every event since the start, dropped or not
    HSSFault::TimePoint time;
    FaultId fault = FaultId::porFault;
    bool raised = true;     // false: cleared
    // Raise to clear; on a raise, empty while the fault is still set.
    std::optional<std::chrono::milliseconds> duration;
};

// 0 for a device fault, else channel 1 or 2.
int faultChannel(FaultId fault);

class FaultHistory {
public:
    static constexpr std::size_t kMaxEvents = 100000;

    // Both return the event added. A clear without a raise seen (the fault
    // was set when the history was cleared) still knows its duration.
    const FaultEvent& raise(FaultId fault, HSSFault::TimePoint time);
    const FaultEvent& clear(FaultId fault, HSSFault::TimePoint time);
    // "Clear All": no events; faults still set keep their raise time.
    void clearEvents();

    std::size_t size() const { return events.size(); }
    // By age, oldest first.
    const FaultEvent& at(std::size_t index) const { return events[index]; }
    // The event of a sequence number, if it is still kept.
    const FaultEvent* find(uint64_t sequence) const;
    // The raise a clear closed, when still kept (its duration just set).
    const FaultEvent* lastClosedRaise() const { return closedRaise ? find(*closedRaise) : nullptr; }

private:
    const FaultEvent& add(FaultEvent event);

    std::deque<FaultEvent> events;
    uint64_t nextSequence = 0;
    struct Open {
        HSSFault::TimePoint since;
        uint64_t raiseSequence;
    };
    std::array<std::optional<Open>, kFaultCount> open;
    std::optional<uint64_t> closedRaise;
};

// "2026-12-09 13:45:01.234", local time, 24-hour.
std::string formatEventTime(HSSFault::TimePoint time);
// "1.250 s", "2 min 05.300 s", "1 h 02 min 05.300 s".
std::string formatDuration(std::chrono::milliseconds duration);

// The whole history, newest first, as CSV with CR LF line ends:
// "time,channel,record,event,duration (s)"; channel empty for device faults.
// keep picks the events written (all when empty).
std::string faultHistoryCsv(const FaultHistory& history, const std::function<bool(const FaultEvent&)>& keep = {});

}  // namespace hss
