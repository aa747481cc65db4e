#pragma once
// Fault capture: while sensing, the samples of the last N seconds are kept;
// when a fault is raised, those and the samples of the next M seconds become
// one CSV text, named by the time and the fault, for the window to write.

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "measure/SenseLogWriter.h"

namespace hss::measure {

// Bounds of the user's N and M, in seconds.
inline constexpr double kMinCaptureSeconds = 1.0;
inline constexpr double kMaxCaptureSeconds = 600.0;
// However fast samples come, a capture holds no more than this.
inline constexpr std::size_t kMaxCaptureSamples = 100000;
// Faults raised while this many captures are still collecting are not captured.
inline constexpr std::size_t kMaxOpenCaptures = 8;

struct CaptureSample {
    double time = 0.0;  // seconds, the sense chart's clock
    LocalTimestamp wall;
    float supplyVoltage = 0.0f;
    std::array<std::optional<float>, 2> channel;  // empty: off, or cannot be known
};

// A capture ready to be written: its file name and its whole text.
struct FinishedCapture {
    std::string fileName;  // "fault-20261209-151542-ilimFaultCh1.csv"
    std::string fault;
    std::string text;
    std::size_t before = 0;  // samples before the fault and at or after it
    std::size_t after = 0;
};

class FaultCapture {
public:
    // Seconds before and after a fault (each kept within the bounds above).
    void setSpan(double secondsBefore, double secondsAfter);
    double secondsBefore() const { return before_; }
    double secondsAfter() const { return after_; }
    // The quantity the channel columns hold, for the header.
    void setQuantity(const std::string& quantity, const std::string& unit);

    // One sample; returns the captures whose M seconds have now passed.
    std::vector<FinishedCapture> addSample(const CaptureSample& sample);
    // A fault was raised at a time on the sample clock. False when it is
    // not captured (too many captures still collecting).
    bool faultRaised(const std::string& fault, double time, const LocalTimestamp& wall);
    // Sensing stopped: every open capture as far as it got; the history goes.
    std::vector<FinishedCapture> finishAll();
    std::size_t openCaptures() const { return open_.size(); }

private:
    struct Open {
        std::string fault;
        double faultTime = 0.0;
        LocalTimestamp wall;
        std::string header;
        std::vector<CaptureSample> samples;
    };
    FinishedCapture finish(const Open& capture) const;
    void trimHistory();

    double before_ = 10.0;
    double after_ = 5.0;
    std::string quantity_ = "load current";
    std::string unit_ = "A";
    std::deque<CaptureSample> history_;
    std::vector<Open> open_;
};

// "fault-20261209-151542-ilimFaultCh1.csv": the time of the fault to the
// second and the fault's name, with anything but letters, digits, '-' and
// '_' taken out of the name.
std::string captureFileName(const LocalTimestamp& wall, const std::string& fault);

}  // namespace hss::measure
