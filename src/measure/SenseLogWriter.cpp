#include "measure/SenseLogWriter.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "measure/NumberText.h"

namespace hss::measure {
namespace {

constexpr auto kWriteOutInterval = std::chrono::seconds(1);

std::string twoDigits(int n)
{
    std::string out = std::to_string(n);
    return out.size() < 2 ? "0" + out : out;
}

std::string reason(int error) { return std::strerror(error); }

}  // namespace

TimeOfDay localTimeOfDay() { return localTimestampNow().timeOfDay(); }

LocalTimestamp localTimestampNow()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);  // not std::localtime: other threads stamp times too
    const auto sinceSecond = now - std::chrono::system_clock::from_time_t(seconds);
    LocalTimestamp stamp;
    stamp.year = local.tm_year + 1900;
    stamp.month = local.tm_mon + 1;
    stamp.day = local.tm_mday;
    stamp.hour = local.tm_hour;
    stamp.minute = local.tm_min;
    stamp.second = local.tm_sec;
    stamp.millisecond =
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceSecond).count() % 1000);
    stamp.utcOffsetMinutes = static_cast<int>(local.tm_gmtoff / 60);
    return stamp;
}

std::string iso8601Stamp(const LocalTimestamp& t)
{
    char text[48];
    const int offset = t.utcOffsetMinutes < 0 ? -t.utcOffsetMinutes : t.utcOffsetMinutes;
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.millisecond, t.utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return text;
}

std::string senseLogHeader(const SenseLogLayout& layout)
{
    if (!layout.isoTimeStamps)
        return kSenseLogHeader;
    const std::string channel = " " + layout.quantity + " (" + layout.unit + ")";
    return "timestamp (ISO 8601),input voltage (V),ch1" + channel + ",ch2" + channel;
}

std::string twelveHourStamp(const TimeOfDay& time)
{
    const int hour = time.hour % 12 == 0 ? 12 : time.hour % 12;
    return twoDigits(hour) + ":" + twoDigits(time.minute) + ":" + twoDigits(time.second);
}

std::string senseLogLine(const TimeOfDay& time, float supplyVoltage, std::optional<float> channel1,
                         std::optional<float> channel2)
{
    const auto field = [](std::optional<float> v) { return v ? text::generalSevenDigits(*v) : std::string(); };
    return twelveHourStamp(time) + "," + text::generalSevenDigits(supplyVoltage) + "," + field(channel1) + "," +
           field(channel2);
}

SenseLogWriter::SenseLogWriter(WallClock wallClock, SteadyClock steadyClock)
    : wallClock_(std::move(wallClock)), steadyClock_(std::move(steadyClock))
{
}

SenseLogWriter::~SenseLogWriter() { close(); }

std::string SenseLogWriter::open(const std::filesystem::path& path, const SenseLogLayout& layout)
{
    close();
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        const int error = errno;
        return "Cannot create the log file " + path.string() + (error != 0 ? ": " + reason(error) : std::string());
    }
    file_ = file;
    path_ = path;
    layout_ = layout;
    pending_ = senseLogHeader(layout_) + "\r\n";
    return writeOut();
}

void SenseLogWriter::setQuantity(const std::string& quantity, const std::string& unit)
{
    if (quantity == layout_.quantity && unit == layout_.unit)
        return;
    layout_.quantity = quantity;
    layout_.unit = unit;
    if (file_ != nullptr && layout_.isoTimeStamps)
        pending_ += senseLogHeader(layout_) + "\r\n";
}

std::string SenseLogWriter::writeSample(float supplyVoltage, std::optional<float> channel1,
                                        std::optional<float> channel2)
{
    if (file_ == nullptr)
        return {};
    const LocalTimestamp now = wallClock_();
    if (layout_.isoTimeStamps) {
        const auto field = [](std::optional<float> v) { return v ? text::generalSevenDigits(*v) : std::string(); };
        pending_ += iso8601Stamp(now) + "," + text::generalSevenDigits(supplyVoltage) + "," + field(channel1) + "," +
                    field(channel2);
    } else {
        pending_ += senseLogLine(now.timeOfDay(), supplyVoltage, channel1, channel2);
    }
    pending_ += "\r\n";
    return flushIfDue();
}

std::string SenseLogWriter::flushIfDue()
{
    if (file_ == nullptr || pending_.empty() || steadyClock_() - lastWriteOut_ < kWriteOutInterval)
        return {};
    return writeOut();
}

std::string SenseLogWriter::writeOut()
{
    lastWriteOut_ = steadyClock_();
    errno = 0;
    const bool written = std::fwrite(pending_.data(), 1, pending_.size(), file_) == pending_.size() &&
                         std::fflush(file_) == 0;
    pending_.clear();
    if (written)
        return {};
    const int error = errno;
    std::fclose(file_);
    file_ = nullptr;
    return "Cannot write the log file " + path_.string() + (error != 0 ? ": " + reason(error) : std::string()) +
           "; logging stopped.";
}

std::string SenseLogWriter::close()
{
    if (file_ == nullptr)
        return {};
    std::string failure = pending_.empty() ? std::string() : writeOut();
    if (file_ == nullptr)
        return failure;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed)
        return "Cannot write the log file " + path_.string() + "; the last samples may be missing.";
    return {};
}

}  // namespace hss::measure
