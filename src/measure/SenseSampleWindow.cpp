#include "measure/SenseSampleWindow.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "measure/NumberText.h"

namespace hss::measure {
namespace {

constexpr std::size_t kSlots = kMaxPointsKept;

std::size_t clampPoints(int pointsKept)
{
    return static_cast<std::size_t>(std::clamp(pointsKept, kMinPointsKept, kMaxPointsKept));
}

}  // namespace

SenseWindowSizes correctSenseWindowSizes(std::string_view pointsText, std::string_view averageText)
{
    SenseWindowSizes sizes;
    const std::optional<int> points = text::parseInteger(pointsText);
    sizes.pointsKept = points ? std::clamp(*points, kMinPointsKept, kMaxPointsKept) : kMinPointsKept;
    const std::optional<int> average = text::parseInteger(averageText);
    sizes.averageCount = average ? *average : 10;
    sizes.averageCount = std::min(sizes.averageCount, sizes.pointsKept);
    sizes.averageCount = std::min(sizes.averageCount, kMaxPointsKept);
    // A count below 1 would average nothing.
    sizes.averageCount = std::max(sizes.averageCount, 1);
    sizes.pointsText = std::to_string(sizes.pointsKept);
    sizes.averageText = std::to_string(sizes.averageCount);
    return sizes;
}

SenseSampleWindow::SenseSampleWindow(int pointsKept)
    : ring_{std::vector<double>(kSlots), std::vector<double>(kSlots)}, capacity_(clampPoints(pointsKept))
{
}

void SenseSampleWindow::setPointsKept(int pointsKept)
{
    capacity_ = clampPoints(pointsKept);
    if (count_ > capacity_) {
        oldest_ = (oldest_ + count_ - capacity_) % kSlots;
        count_ = capacity_;
    }
}

void SenseSampleWindow::append(float channel1, float channel2)
{
    const std::size_t slot = (oldest_ + count_) % kSlots;
    const auto widened = [](float v) { return std::isfinite(v) ? text::widenDecimal(v) : std::nan(""); };
    ring_[0][slot] = widened(channel1);
    ring_[1][slot] = widened(channel2);
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

double SenseSampleWindow::value(std::size_t channel, std::size_t i) const
{
    return ring_[channel & 1u][(oldest_ + i) % kSlots];
}

SenseSampleWindow::Range SenseSampleWindow::yRange(bool showChannel1, bool showChannel2) const
{
    double highest = 0.01;
    double lowest = 0.0;
    for (std::size_t ch = 0; ch < 2; ++ch) {
        if (!(ch == 0 ? showChannel1 : showChannel2))
            continue;
        for (std::size_t i = 0; i < count_; ++i) {
            const double v = value(ch, i);
            if (!std::isfinite(v))
                continue;
            highest = std::max(highest, v);
            lowest = std::min(lowest, v);
        }
    }
    return {lowest < 0.0 ? std::floor(lowest * 1.1) : 0.0, std::ceil(highest * 1.1)};
}

}  // namespace hss::measure
