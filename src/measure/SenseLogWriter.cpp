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

TimeOfDay localTimeOfDay()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);  // not std::localtime: other threads stamp times too
    return {local.tm_hour, local.tm_min, local.tm_sec};
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

std::string SenseLogWriter::open(const std::filesystem::path& path)
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
    pending_ = std::string(kSenseLogHeader) + "\r\n";
    return writeOut();
}

std::string SenseLogWriter::writeSample(float supplyVoltage, std::optional<float> channel1,
                                        std::optional<float> channel2)
{
    if (file_ == nullptr)
        return {};
    pending_ += senseLogLine(wallClock_(), supplyVoltage, channel1, channel2);
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
