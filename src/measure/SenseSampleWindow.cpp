#include "measure/SenseSampleWindow.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "measure/NumberText.h"

namespace hss::measure {
namespace {

constexpr std::size_t kSlots = kMaxPointsKept;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::size_t clampPoints(int pointsKept)
{
    return static_cast<std::size_t>(std::clamp(pointsKept, kMinPointsKept, kMaxPointsKept));
}

double widened(float v) { return std::isfinite(v) ? text::widenDecimal(v) : kNaN; }

}  // namespace

SenseWindowSizes correctSenseWindowSizes(std::string_view pointsText, std::string_view averageText)
{
    SenseWindowSizes sizes;
    const std::optional<int> points = text::parseInteger(pointsText);
    sizes.pointsKept = points ? std::clamp(*points, kMinPointsKept, kMaxPointsKept) : kMinPointsKept;
    const std::optional<int> average = text::parseInteger(averageText);
    sizes.averageCount = average ? *average : 10;
    sizes.averageCount = std::min(sizes.averageCount, sizes.pointsKept);
    sizes.averageCount = std::min(sizes.averageCount, kMaxAverageCount);
    // A count below 1 would average nothing.
    sizes.averageCount = std::max(sizes.averageCount, 1);
    sizes.pointsText = std::to_string(sizes.pointsKept);
    sizes.averageText = std::to_string(sizes.averageCount);
    return sizes;
}

SenseSampleWindow::SenseSampleWindow(int pointsKept) : ring_(kSlots), capacity_(clampPoints(pointsKept)) {}

void SenseSampleWindow::setPointsKept(int pointsKept)
{
    capacity_ = clampPoints(pointsKept);
    if (count_ > capacity_) {
        oldest_ = (oldest_ + count_ - capacity_) % kSlots;
        count_ = capacity_;
    }
}

void SenseSampleWindow::append(double time, std::array<float, 2> averaged, std::array<float, 2> unaveraged)
{
    Point& point = ring_[(oldest_ + count_) % kSlots];
    // Times only go forward, so the ring stays sorted for the searches below.
    point.time = count_ > 0 ? std::max(time, slot(count_ - 1).time) : time;
    for (std::size_t ch = 0; ch < 2; ++ch) {
        point.averaged[ch] = widened(averaged[ch]);
        point.unaveraged[ch] = widened(unaveraged[ch]);
    }
    if (count_ < capacity_)
        ++count_;
    else
        oldest_ = (oldest_ + 1) % kSlots;
}

void SenseSampleWindow::clear()
{
    oldest_ = 0;
    count_ = 0;
}

std::size_t SenseSampleWindow::firstAtOrAfter(double t) const
{
    std::size_t low = 0;
    std::size_t high = count_;
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (time(mid) < t)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

std::size_t SenseSampleWindow::firstAfter(double t) const
{
    return firstAtOrAfter(std::nextafter(t, std::numeric_limits<double>::infinity()));
}

SenseSampleWindow::Range SenseSampleWindow::timeRange() const
{
    if (count_ == 0)
        return {0.0, kMinTimeSpan};
    const double newest = time(count_ - 1);
    // The oldest point itself, not newest - (newest - oldest): that can miss it by a rounding.
    if (newest - time(0) >= kMinTimeSpan)
        return {time(0), newest};
    return {newest - kMinTimeSpan, newest};
}

SenseSampleWindow::Range SenseSampleWindow::valueRange(bool showChannel1, bool showChannel2, Range span) const
{
    double highest = 0.01;
    double lowest = 0.0;
    const std::size_t end = firstAfter(span.max);
    for (std::size_t ch = 0; ch < 2; ++ch) {
        if (!(ch == 0 ? showChannel1 : showChannel2))
            continue;
        for (std::size_t i = firstAtOrAfter(span.min); i < end; ++i) {
            for (const Trace trace : {Trace::Averaged, Trace::Unaveraged}) {
                const double v = value(ch, i, trace);
                if (!std::isfinite(v))
                    continue;
                highest = std::max(highest, v);
                lowest = std::min(lowest, v);
            }
        }
    }
    return {lowest < 0.0 ? std::floor(lowest * 1.1) : 0.0, std::ceil(highest * 1.1)};
}

std::optional<SenseStatistics> SenseSampleWindow::statistics(std::size_t channel, Range span) const
{
    SenseStatistics stats;
    double sum = 0.0;
    const std::size_t end = firstAfter(span.max);
    for (std::size_t i = firstAtOrAfter(span.min); i < end; ++i) {
        const double v = value(channel, i, Trace::Unaveraged);
        if (!std::isfinite(v))
            continue;
        if (stats.count == 0) {
            stats.min = v;
            stats.max = v;
        }
        stats.min = std::min(stats.min, v);
        stats.max = std::max(stats.max, v);
        sum += v;
        ++stats.count;
    }
    if (stats.count == 0)
        return std::nullopt;
    stats.mean = sum / static_cast<double>(stats.count);
    // The newest sample's value: NaN when the channel is off now.
    stats.last = value(channel, end - 1, Trace::Unaveraged);
    return stats;
}

}  // namespace hss::measure
