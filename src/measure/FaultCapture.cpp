#include "measure/FaultCapture.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "measure/NumberText.h"

namespace hss::measure {
namespace {

double bounded(double seconds)
{
    if (!std::isfinite(seconds))
        return kMinCaptureSeconds;
    return std::clamp(seconds, kMinCaptureSeconds, kMaxCaptureSeconds);
}

std::string field(std::optional<float> v) { return v ? text::generalSevenDigits(*v) : std::string(); }

}  // namespace

std::string captureFileName(const LocalTimestamp& wall, const std::string& fault)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", wall.year, wall.month, wall.day, wall.hour,
                  wall.minute, wall.second);
    std::string name;
    for (char c : fault) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_')
            name += c;
    }
    return "fault-" + std::string(stamp) + "-" + (name.empty() ? "fault" : name) + ".csv";
}

void FaultCapture::setSpan(double secondsBefore, double secondsAfter)
{
    before_ = bounded(secondsBefore);
    after_ = bounded(secondsAfter);
    trimHistory();
}

void FaultCapture::setQuantity(const std::string& quantity, const std::string& unit)
{
    quantity_ = quantity;
    unit_ = unit;
}

void FaultCapture::trimHistory()
{
    if (history_.empty())
        return;
    const double oldest = history_.back().time - before_;
    while (!history_.empty() && (history_.front().time < oldest || history_.size() > kMaxCaptureSamples))
        history_.pop_front();
}

std::vector<FinishedCapture> FaultCapture::addSample(const CaptureSample& sample)
{
    history_.push_back(sample);
    trimHistory();
    std::vector<FinishedCapture> done;
    for (auto it = open_.begin(); it != open_.end();) {
        if (sample.time > it->faultTime + after_) {
            done.push_back(finish(*it));
            it = open_.erase(it);
            continue;
        }
        if (it->samples.size() < kMaxCaptureSamples)
            it->samples.push_back(sample);
        ++it;
    }
    return done;
}

bool FaultCapture::faultRaised(const std::string& fault, double time, const LocalTimestamp& wall)
{
    if (open_.size() >= kMaxOpenCaptures)
        return false;
    Open capture;
    capture.fault = fault;
    capture.faultTime = time;
    capture.wall = wall;
    const std::string channel = " " + quantity_ + " (" + unit_ + ")";
    capture.header = "timestamp (ISO 8601),seconds from fault,input voltage (V),ch1" + channel + ",ch2" + channel;
    // The N seconds before the fault itself: samples may have stopped coming a while before it.
    for (const CaptureSample& s : history_) {
        if (s.time >= time - before_)
            capture.samples.push_back(s);
    }
    open_.push_back(std::move(capture));
    return true;
}

std::vector<FinishedCapture> FaultCapture::finishAll()
{
    std::vector<FinishedCapture> done;
    for (const Open& capture : open_)
        done.push_back(finish(capture));
    open_.clear();
    history_.clear();
    return done;
}

FinishedCapture FaultCapture::finish(const Open& capture) const
{
    FinishedCapture out;
    out.fileName = captureFileName(capture.wall, capture.fault);
    out.fault = capture.fault;
    out.text = capture.header + "\r\n";
    for (const CaptureSample& s : capture.samples) {
        const double offset = s.time - capture.faultTime;
        if (offset < 0.0)
            ++out.before;
        else
            ++out.after;
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.3f", offset);
        out.text += iso8601Stamp(s.wall) + "," + seconds + "," + text::generalSevenDigits(s.supplyVoltage) + "," +
                    field(s.channel[0]) + "," + field(s.channel[1]) + "\r\n";
    }
    return out;
}

}  // namespace hss::measure
