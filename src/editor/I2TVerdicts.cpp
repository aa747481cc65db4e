#include "editor/I2TVerdicts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "measure/NumberText.h"

namespace hss::i2t {
namespace {

// The software limit delay list is in milliseconds.
constexpr double kMillisecondsPerSecond = 1000.0;
// Currents sampled across the judged range, besides the wire model's own.
constexpr int kWireSamples = 2000;

struct ListNumber {
    std::optional<double> value;
    std::string note;
};

ListNumber readList(const std::optional<std::string>& item, std::string_view what)
{
    if (!item)
        return {std::nullopt, "No curve: no " + std::string(what) + " is selected."};
    if (const std::optional<double> value = text::parseDecimal(*item))
        return {value, {}};
    return {std::nullopt, "No curve: the " + std::string(what) + " \"" + *item + "\" is not a number."};
}

// E / ((I / factor)^2 - In^2) scaled by timeFactor; empty at or below the
// curve's start, where the integrator never fills.
std::optional<double> curveTime(const TripSettings& s, double current, double currentFactor, double timeFactor)
{
    const double seen = current / currentFactor;
    const double excess = seen * seen - s.nominalCurrent * s.nominalCurrent;
    if (!(excess > 0.0))
        return std::nullopt;
    return timeFactor * s.tripEnergy / excess;
}

// The wire's time at a current, straight between points on the log time axis.
double wireTime(const std::vector<ChartPoint>& sorted, double current)
{
    const auto after = std::lower_bound(sorted.begin(), sorted.end(), current,
                                        [](const ChartPoint& p, double i) { return p.x < i; });
    if (after == sorted.begin())
        return sorted.front().y;
    if (after == sorted.end())
        return sorted.back().y;
    const ChartPoint& b = *after;
    const ChartPoint& a = *(after - 1);
    if (b.x == a.x)
        return std::min(a.y, b.y);
    const double f = (current - a.x) / (b.x - a.x);
    return std::exp(std::log(a.y) + f * (std::log(b.y) - std::log(a.y)));
}

std::string fixed(double value)
{
    const int decimals = value >= 100.0 ? 0 : value >= 10.0 ? 1 : 2;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string amps(double current) { return text::shortestDecimal(std::round(current * 100.0) / 100.0) + " A"; }

}  // namespace

TripSettingsRead readTripSettings(const I2TCurveSelection& selection)
{
    if (!selection.tripEnergy)
        return {std::nullopt, "No curve: the trip value slider is outside the trip table."};
    const ListNumber nominal = readList(selection.nominalCurrent, "nominal current");
    const ListNumber software = readList(selection.softwareLimit, "software current limit");
    const ListNumber hardware = readList(selection.hardwareLimit, "hardware current limit");
    const ListNumber delay = readList(selection.softwareDelay, "software delay");
    for (const ListNumber* n : {&nominal, &software, &hardware, &delay})
        if (!n->value)
            return {std::nullopt, n->note};
    TripSettings s;
    s.nominalCurrent = *nominal.value;
    s.tripEnergy = *selection.tripEnergy;
    s.softwareLimit = *software.value;
    s.hardwareLimit = *hardware.value;
    s.softwareDelay = *delay.value / kMillisecondsPerSecond;
    s.tolerancePercent = selection.tolerancePercent;
    // Equal limits would give a zero step and a curve at infinite time.
    if (s.softwareLimit <= s.nominalCurrent)
        return {std::nullopt, "No curve: the software current limit is not above the nominal current."};
    return {s, {}};
}

// The tolerance is a single-precision percentage.
double minimumCurrentFactor(float tolerancePercent) { return 0.94 - tolerancePercent / 100.0f; }
double maximumCurrentFactor(float tolerancePercent) { return 1.06 + tolerancePercent / 100.0f; }

TripTimes tripTimes(const TripSettings& s, double current)
{
    return {curveTime(s, current, 1.0, 1.0),
            curveTime(s, current, minimumCurrentFactor(s.tolerancePercent), kMinimumTimeFactor),
            curveTime(s, current, maximumCurrentFactor(s.tolerancePercent), kMaximumTimeFactor)};
}

PulseVerdict pulseVerdict(const TripSettings& s, ChartPoint pulse)
{
    PulseVerdict v;
    const double seen = pulse.x / minimumCurrentFactor(s.tolerancePercent);
    v.pulseEnergy = std::max(0.0, seen * seen - s.nominalCurrent * s.nominalCurrent) * pulse.y;
    v.tripEnergy = kMinimumTimeFactor * s.tripEnergy;
    v.marginPercent = v.tripEnergy > 0.0 ? 100.0 * (1.0 - v.pulseEnergy / v.tripEnergy) : -100.0;
    v.tripTime = tripTimes(s, pulse.x).minimum;
    // Above the software limit the channel is off after its delay, unless
    // the hardware limit holds the current below it.
    if (pulse.x > s.softwareLimit && s.softwareLimit < s.hardwareLimit &&
        (!v.tripTime || s.softwareDelay < *v.tripTime)) {
        v.tripTime = s.softwareDelay;
        v.bySoftwareLimit = true;
    }
    v.trips = v.tripTime && pulse.y >= *v.tripTime;
    return v;
}

WireVerdict wireVerdict(const TripSettings& s, std::span<const ChartPoint> wireModel)
{
    WireVerdict v;
    std::vector<ChartPoint> sorted;
    for (const ChartPoint& p : wireModel)
        if (p.x > 0.0 && p.y > 0.0)
            sorted.push_back(p);
    if (sorted.empty())
        return v;
    std::stable_sort(sorted.begin(), sorted.end(), [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; });
    const double from = std::max(s.nominalCurrent, sorted.front().x);
    const double to = std::min(s.softwareLimit, sorted.back().x);
    if (from > to)
        return v;
    v.judged = true;
    v.fromCurrent = from;
    v.toCurrent = to;

    std::vector<double> currents;
    currents.reserve(kWireSamples + 1 + sorted.size());
    for (int k = 0; k <= kWireSamples; ++k)
        currents.push_back(from + (to - from) * k / kWireSamples);
    for (const ChartPoint& p : sorted)
        if (p.x >= from && p.x <= to)
            currents.push_back(p.x);
    std::sort(currents.begin(), currents.end());

    // Closest on the chart's log axis: the largest trip-to-wire time ratio.
    double worstRatio = -1.0;
    for (const double i : currents) {
        const double wire = wireTime(sorted, i);
        const std::optional<double> latest = tripTimes(s, i).maximum;
        const double ratio = latest ? *latest / wire : INFINITY;
        if (ratio > worstRatio) {
            worstRatio = ratio;
            v.worstCurrent = i;
            v.timeMargin = latest ? std::optional<double>(wire - *latest) : std::nullopt;
        }
        if (!latest)
            break;
    }
    v.protectedWire = v.timeMargin && *v.timeMargin >= 0.0;
    return v;
}

std::string tripTimeText(const std::optional<double>& seconds)
{
    if (!seconds)
        return "no trip";
    if (*seconds >= 1.0)
        return fixed(*seconds) + " s";
    return fixed(*seconds * kMillisecondsPerSecond) + " ms";
}

std::string wireVerdictText(const WireVerdict& v)
{
    if (!v.judged)
        return "No current where both the trip curve and the wire model are drawn.";
    if (v.protectedWire)
        return "Protected from " + amps(v.fromCurrent) + " to " + amps(v.toCurrent) + "; closest at " +
               amps(v.worstCurrent) + ": trips " + tripTimeText(*v.timeMargin) + " before the wire.";
    if (!v.timeMargin)
        return "Not protected: at " + amps(v.worstCurrent) + " the channel may never trip.";
    return "Not protected: at " + amps(v.worstCurrent) + " the channel may trip " + tripTimeText(-*v.timeMargin) +
           " after the wire.";
}

}  // namespace hss::i2t
