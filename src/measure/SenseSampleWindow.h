#pragma once
// The points the sense chart shows: the last P averaged values of each
// channel in a fixed ring, so the chart never grows and each update hands a
// series all of its points at once.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hss::measure {

// Bounds of maxSamplesBox.
inline constexpr int kMinPointsKept = 10;
inline constexpr int kMaxPointsKept = 1000;

// The window sizes a sample uses, from the texts of maxSamplesBox and
// averageCountBox, and the texts those boxes are to show afterwards.
struct SenseWindowSizes {
    int pointsKept = 100;
    int averageCount = 5;
    std::string pointsText;
    std::string averageText;
};

// Points kept: not a whole number or below 10 gives 10, above 1000 gives
// 1000. Average count: not a whole number gives 10, then no more than the
// points kept (nor 1000), and at least 1.
SenseWindowSizes correctSenseWindowSizes(std::string_view pointsText, std::string_view averageText);

class SenseSampleWindow {
public:
    explicit SenseSampleWindow(int pointsKept = 100);

    // Keeps the newest points when the window shrinks.
    void setPointsKept(int pointsKept);
    int pointsKept() const { return static_cast<int>(capacity_); }

    // One averaged value per channel; the oldest point goes once P are kept.
    // A value that cannot be shown (NaN) keeps its place but is no point.
    void append(float channel1, float channel2);
    void clear();

    std::size_t size() const { return count_; }
    // Point i of a channel (0 or 1), oldest first, as the decimal the
    // single-precision value stands for (NaN where nothing can be shown).
    double value(std::size_t channel, std::size_t i) const;
    // X of point i: its place in the window, 1 for the oldest.
    static double pointX(std::size_t i) { return static_cast<double>(i + 1); }

    // Hands every point of a channel, oldest first, to fn(x, y).
    template <typename Fn>
    void forEachPoint(std::size_t channel, Fn&& fn) const
    {
        for (std::size_t i = 0; i < count_; ++i)
            fn(pointX(i), value(channel, i));
    }

    struct Range {
        double min;
        double max;
    };
    // X axis: the whole window, 1 to P.
    Range xRange() const { return {1.0, static_cast<double>(capacity_)}; }
    // Value axis over the points of the shown channels: from 0 (or below the
    // lowest point when one is negative) to 1.1 x the highest point rounded
    // up to a whole number, at least 1. NaN points do not count.
    Range yRange(bool showChannel1, bool showChannel2) const;

private:
    std::array<std::vector<double>, 2> ring_;  // kMaxPointsKept slots each
    std::size_t capacity_ = 100;              // P
    std::size_t oldest_ = 0;                  // slot of point 0
    std::size_t count_ = 0;
};

}  // namespace hss::measure
