#pragma once
// The points the sense chart shows: the last P samples of each channel in a
// fixed ring, each with its time, its averaged value (the trace) and its
// unaveraged value (the peaks averaging hides), so the chart never grows and
// each update hands a series all of its points at once.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hss::measure {

// Bounds of maxSamplesBox.
inline constexpr int kMinPointsKept = 10;
inline constexpr int kMaxPointsKept = 10000;
// Bound of averageCountBox.
inline constexpr int kMaxAverageCount = 1000;

// The window sizes a sample uses, from the texts of maxSamplesBox and
// averageCountBox, and the texts those boxes are to show afterwards.
struct SenseWindowSizes {
    int pointsKept = 100;
    int averageCount = 5;
    std::string pointsText;
    std::string averageText;
};

// Points kept: not a whole number or below 10 gives 10, above 10000 gives
// 10000. Average count: not a whole number gives 10, then no more than the
// points kept (nor 1000), and at least 1.
SenseWindowSizes correctSenseWindowSizes(std::string_view pointsText, std::string_view averageText);

// Last, lowest, highest and mean unaveraged value of a channel over a span of
// the window; empty when the channel has no value there.
struct SenseStatistics {
    double last = 0.0;  // the newest sample's: NaN when the channel has no value now
    double min = 0.0;
    double max = 0.0;
    double mean = 0.0;
    std::size_t count = 0;
};

class SenseSampleWindow {
public:
    // Which value of a point: the averaged trace or the sample itself.
    enum class Trace { Averaged, Unaveraged };

    struct Range {
        double min;
        double max;
    };

    explicit SenseSampleWindow(int pointsKept = 100);

    // Keeps the newest points when the window shrinks.
    void setPointsKept(int pointsKept);
    int pointsKept() const { return static_cast<int>(capacity_); }

    // One sample at a time in seconds (never earlier than the last one):
    // per channel its averaged and its own value. The oldest point goes once
    // P are kept. A value that cannot be shown (NaN: the channel is off, or
    // its value cannot be known) keeps its place but is no point.
    void append(double time, std::array<float, 2> averaged, std::array<float, 2> unaveraged);
    void clear();

    std::size_t size() const { return count_; }
    // Point i, oldest first: its time, and a channel's (0 or 1) value as the
    // decimal the single-precision value stands for (NaN where nothing can be shown).
    double time(std::size_t i) const { return slot(i).time; }
    double value(std::size_t channel, std::size_t i, Trace trace = Trace::Averaged) const
    {
        const Point& point = slot(i);
        return trace == Trace::Averaged ? point.averaged[channel & 1u] : point.unaveraged[channel & 1u];
    }

    // Hands every point of a channel with a value, oldest first, to fn(time, value).
    template <typename Fn>
    void forEachPoint(std::size_t channel, Trace trace, Fn&& fn) const
    {
        for (std::size_t i = 0; i < count_; ++i) {
            const double v = value(channel, i, trace);
            if (v == v)  // not NaN
                fn(time(i), v);
        }
    }

    // The points of a channel between two times as a line drawn columns
    // pixels wide shows them: all of them while they are few, else per
    // column its first, lowest, highest and last point (the line then looks
    // the same, peaks included, at a fraction of the points). A gap (NaN)
    // stays a gap: fn(time, NaN) marks where the line breaks.
    template <typename Fn>
    void forEachDrawnPoint(std::size_t channel, Trace trace, Range span, int columns, Fn&& fn) const;

    // Time axis: the span of the points, the newest at the right edge, at
    // least kMinTimeSpan wide.
    Range timeRange() const;
    static constexpr double kMinTimeSpan = 1.0;
    // Value axis over both traces of the shown channels between two times:
    // from 0 (or below the lowest point when one is negative) to 1.1 x the
    // highest point rounded up to a whole number, at least 1. NaN points do
    // not count.
    Range valueRange(bool showChannel1, bool showChannel2, Range span) const;
    Range valueRange(bool showChannel1, bool showChannel2) const { return valueRange(showChannel1, showChannel2, timeRange()); }

    // Over the unaveraged values between two times (inclusive).
    std::optional<SenseStatistics> statistics(std::size_t channel, Range span) const;

private:
    struct Point {
        double time = 0.0;
        std::array<double, 2> averaged{};
        std::array<double, 2> unaveraged{};
    };
    // No division: a chart redraw reads every point of the window several times.
    const Point& slot(std::size_t i) const
    {
        const std::size_t at = oldest_ + i;
        return ring_[at < ring_.size() ? at : at - ring_.size()];
    }
    // Index of the first point at or after t, or after t (size() when none).
    std::size_t firstAtOrAfter(double t) const;
    std::size_t firstAfter(double t) const;

    std::vector<Point> ring_;     // kMaxPointsKept slots
    std::size_t capacity_ = 100;  // P
    std::size_t oldest_ = 0;      // slot of point 0
    std::size_t count_ = 0;
};

template <typename Fn>
void SenseSampleWindow::forEachDrawnPoint(std::size_t channel, Trace trace, Range span, int columns, Fn&& fn) const
{
    // Start one point before the span and end one after, so the line runs to the edges.
    std::size_t begin = firstAtOrAfter(span.min);
    if (begin > 0)
        --begin;
    std::size_t end = firstAfter(span.max);
    if (end < count_)
        ++end;
    const std::size_t n = end > begin ? end - begin : 0;
    if (columns < 1 || n <= 4 * static_cast<std::size_t>(columns)) {
        for (std::size_t i = begin; i < end; ++i)
            fn(time(i), value(channel, i, trace));
        return;
    }
    const double width = (span.max - span.min) / columns;
    std::size_t i = begin;
    while (i < end) {
        const double t0 = time(i);
        // One column: the points up to the next column edge.
        const double edge = width > 0.0 ? span.min + (static_cast<long long>((t0 - span.min) / width) + 1) * width : t0;
        std::size_t first = i, low = i, high = i, last = i;
        double lowValue = value(channel, i, trace);
        double highValue = lowValue;
        bool gap = false;
        for (; i < end && (time(i) < edge || i == first); ++i) {
            const double v = value(channel, i, trace);
            if (v != v) {
                gap = true;
                break;
            }
            if (v < lowValue) {
                low = i;
                lowValue = v;
            }
            if (v > highValue) {
                high = i;
                highValue = v;
            }
            last = i;
        }
        if (gap && i == first) {
            fn(time(i), value(channel, i, trace));  // the break itself
            ++i;
            continue;
        }
        std::array<std::size_t, 4> picks{first, low < high ? low : high, low < high ? high : low, last};
        std::size_t previous = count_;
        for (std::size_t p : picks) {
            if (p != previous)
                fn(time(p), value(channel, p, trace));
            previous = p;
        }
    }
}

}  // namespace hss::measure
