#include "device/FaultHistory.h"

#include <cstdio>
#include <ctime>

namespace hss {

int faultChannel(FaultId fault)
{
    const auto index = static_cast<int>(fault);
    const auto first = static_cast<int>(FaultId::thWarnCh1);
    // From thWarnCh1 on the records come in channel pairs.
    return index < first ? 0 : 1 + (index - first) % 2;
}

const FaultEvent& FaultHistory::add(FaultEvent event)
{
    event.sequence = nextSequence++;
    events.push_back(event);
    if (events.size() > kMaxEvents)
        events.pop_front();
    return events.back();
}

const FaultEvent& FaultHistory::raise(FaultId fault, HSSFault::TimePoint time)
{
    closedRaise.reset();
    const FaultEvent& added = add({0, time, fault, true, std::nullopt});
    open[std::size_t(fault)] = Open{time, added.sequence};
    return added;
}

const FaultEvent& FaultHistory::clear(FaultId fault, HSSFault::TimePoint time)
{
    closedRaise.reset();
    std::optional<std::chrono::milliseconds> lasted;
    if (const std::optional<Open>& since = open[std::size_t(fault)]) {
        lasted = std::chrono::duration_cast<std::chrono::milliseconds>(time - since->since);
        if (find(since->raiseSequence) != nullptr) {
            events[std::size_t(since->raiseSequence - events.front().sequence)].duration = lasted;
            closedRaise = since->raiseSequence;
        }
    }
    open[std::size_t(fault)].reset();
    return add({0, time, fault, false, lasted});
}

void FaultHistory::clearEvents()
{
    events.clear();
    closedRaise.reset();
}

const FaultEvent* FaultHistory::find(uint64_t sequence) const
{
    if (events.empty() || sequence < events.front().sequence || sequence > events.back().sequence)
        return nullptr;
    // Sequence numbers of the kept events are consecutive.
    return &events[std::size_t(sequence - events.front().sequence)];
}

std::string formatEventTime(HSSFault::TimePoint time)
{
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch());
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr)
        return "?";
    const long long millis = ((sinceEpoch.count() % 1000) + 1000) % 1000;
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03lld", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, millis);
    return text;
}

std::string formatDuration(std::chrono::milliseconds duration)
{
    const long long total = duration.count() < 0 ? 0 : duration.count();
    const long long ms = total % 1000;
    const long long s = total / 1000 % 60;
    const long long min = total / 60000 % 60;
    const long long h = total / 3600000;
    char text[64];
    if (h > 0)
        std::snprintf(text, sizeof text, "%lld h %02lld min %02lld.%03lld s", h, min, s, ms);
    else if (min > 0)
        std::snprintf(text, sizeof text, "%lld min %02lld.%03lld s", min, s, ms);
    else
        std::snprintf(text, sizeof text, "%lld.%03lld s", s, ms);
    return text;
}

std::string faultHistoryCsv(const FaultHistory& history, const std::function<bool(const FaultEvent&)>& keep)
{
    std::string csv = "time,channel,record,event,duration (s)\r\n";
    for (std::size_t i = history.size(); i-- > 0;) {
        const FaultEvent& e = history.at(i);
        if (keep && !keep(e))
            continue;
        const int channel = faultChannel(e.fault);
        csv += formatEventTime(e.time) + ",";
        csv += channel == 0 ? std::string() : std::to_string(channel);
        // Record names hold no comma or quote; quoted all the same, as names may change.
        csv += ",\"" + std::string(faultText(e.fault).name) + "\",";
        csv += e.raised ? "raised," : "cleared,";
        if (e.duration) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.3f", double(e.duration->count()) / 1000.0);
            csv += seconds;
        }
        csv += "\r\n";
    }
    return csv;
}

}  // namespace hss
