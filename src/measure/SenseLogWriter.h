#pragma once
// The sense CSV log: one line per sample, UTF-8 without byte-order mark,
// CR LF line ends. Lines are gathered in memory and written out at least
// once a second and on close, so a crash loses at most a second of samples.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace hss::measure {

struct TimeOfDay {
    int hour = 0;  // 0-23
    int minute = 0;
    int second = 0;
};

// A local date and time to the millisecond, with its offset from UTC.
struct LocalTimestamp {
    int year = 1970;
    int month = 1;  // 1-12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int utcOffsetMinutes = 0;
    TimeOfDay timeOfDay() const { return {hour, minute, second}; }
};

// The local time now.
TimeOfDay localTimeOfDay();
LocalTimestamp localTimestampNow();

// ISO 8601 with milliseconds and the UTC offset: "2026-12-09T15:15:42.123+01:00".
std::string iso8601Stamp(const LocalTimestamp& time);

inline constexpr const char* kSenseLogHeader = "timestamp,input voltage,ch1,ch2";

// How the log is laid out. By default as it always was (12-hour stamps,
// bare numbers, so existing readers keep working); with ISO stamps each line
// carries the date, the time to the millisecond and the UTC offset, the
// header names the quantity and its units, and a channel that is off is an
// empty field rather than 0.
struct SenseLogLayout {
    bool isoTimeStamps = false;
    std::string quantity = "load current";  // as the header names the channels
    std::string unit = "A";
};

// The header line without its end.
std::string senseLogHeader(const SenseLogLayout& layout);

// "hh:mm:ss" on a 12-hour clock without AM/PM: 15:15:42 -> "03:15:42", 0:05:00 -> "12:05:00".
std::string twelveHourStamp(const TimeOfDay& time);

// One line without its end: "03:15:42,13.5,2.01,0". A channel value that
// cannot be known (no sense ratio for the part) is an empty field.
std::string senseLogLine(const TimeOfDay& time, float supplyVoltage, std::optional<float> channel1,
                         std::optional<float> channel2);

class SenseLogWriter {
public:
    using WallClock = std::function<LocalTimestamp()>;
    using SteadyClock = std::function<std::chrono::steady_clock::time_point()>;

    explicit SenseLogWriter(WallClock wallClock = localTimestampNow,
                            SteadyClock steadyClock = [] { return std::chrono::steady_clock::now(); });
    ~SenseLogWriter();
    SenseLogWriter(const SenseLogWriter&) = delete;
    SenseLogWriter& operator=(const SenseLogWriter&) = delete;

    // Closes any open log, then creates (or overwrites) the file and writes
    // the header. Empty on success, else a message saying why not (no log is
    // open then).
    std::string open(const std::filesystem::path& path, const SenseLogLayout& layout = {});
    bool isOpen() const { return file_ != nullptr; }
    const std::filesystem::path& path() const { return path_; }
    const SenseLogLayout& layout() const { return layout_; }

    // The graphed quantity changed: a log with ISO stamps gets a new header
    // line naming it, so no value is read in the wrong unit.
    void setQuantity(const std::string& quantity, const std::string& unit);

    // Appends one line stamped with the wall clock. Empty on success; when the
    // disk refuses the data, a message, and the log is closed.
    std::string writeSample(float supplyVoltage, std::optional<float> channel1, std::optional<float> channel2);

    // Writes out what is gathered once a second has passed since the last
    // write-out; for a timer to call while no samples arrive.
    std::string flushIfDue();

    // Writes out what is gathered and closes the file; empty on success.
    std::string close();

private:
    std::string writeOut();

    WallClock wallClock_;
    SteadyClock steadyClock_;
    std::FILE* file_ = nullptr;
    std::filesystem::path path_;
    SenseLogLayout layout_;
    std::string pending_;
    std::chrono::steady_clock::time_point lastWriteOut_{};
};

}  // namespace hss::measure
