#include "editor/I2TCurve.h"

#include <algorithm>

#include "editor/I2TVerdicts.h"
#include "measure/NumberText.h"

namespace hss::i2t {
namespace {

// Points of each curve: In itself, then 999 steps towards Isw.
constexpr int kCurveSteps = 1000;
constexpr std::size_t kLabelledPoint = 500;
// The line the nominal current draws on the complete chart.
constexpr double kNominalLineTime = 10000.0;
// The minimum curve's extension stops here however close Isw is to In.
constexpr std::size_t kMaxExtensionPoints = 100000;
// Room right of the software limit on the trip chart, as a share of In..Isw.
constexpr double kLimitRoom = 0.03;

// A time axis is logarithmic: nothing at or below zero may reach it.
double onTimeAxis(double t, double axisMinimum) { return t > 0.0 ? t : axisMinimum; }

// Numbers in labels: the shortest form of the precision they were given in.
std::string labelNumber(double value)
{
    const auto single = static_cast<float>(value);
    if (static_cast<double>(single) == value)
        return text::shortestDecimal(single);
    return text::shortestDecimal(value);
}

I2TCurvePlot noCurve(std::string note)
{
    I2TCurvePlot plot;
    plot.note = std::move(note);
    return plot;
}

}  // namespace

I2TCurvePlot computeI2TCurves(const I2TCurveSelection& selection)
{
    const TripSettingsRead read = readTripSettings(selection);
    if (!read.settings)
        return noCurve(read.note);
    const double e = read.settings->tripEnergy;
    const double in = read.settings->nominalCurrent;
    const double isw = read.settings->softwareLimit;
    const double ihw = read.settings->hardwareLimit;
    const double tsw = read.settings->softwareDelay;

    const double timeMin = selection.i2tTimeAxisMinimum > 0.0 ? selection.i2tTimeAxisMinimum : kI2TTimeAxisMinimum;
    const double completeMin = tsw > 0.0 ? std::min(kCompleteTimeAxisMinimum, tsw / 10.0) : kCompleteTimeAxisMinimum;
    const auto onI2TAxis = [&](double t) { return onTimeAxis(t, timeMin); };
    const auto onCompleteAxis = [&](double t) { return onTimeAxis(t, completeMin); };

    I2TCurvePlot plot;
    plot.drawn = true;
    auto& curve = plot.i2t.series[0].points;
    auto& minimum = plot.i2t.series[1].points;
    auto& maximum = plot.i2t.series[2].points;
    auto& completeCurve = plot.complete.series[1].points;
    curve.reserve(kCurveSteps);
    minimum.reserve(kCurveSteps + 128);
    maximum.reserve(kCurveSteps - 1);
    completeCurve.reserve(kCurveSteps - 1);

    const double step = (isw - in) / kCurveSteps;
    plot.complete.series[0].points = {{0.0, kNominalLineTime}, {in, kNominalLineTime}};
    curve.push_back({in, onI2TAxis(e)});
    plot.i2t.currentMinimum = in;

    const double minFactor = minimumCurrentFactor(selection.tolerancePercent);
    const double maxFactor = maximumCurrentFactor(selection.tolerancePercent);
    double timeMax = 5.0;
    double lastCurrent = in;
    for (int k = 1; k < kCurveSteps; ++k) {
        const double i = in + k * step;
        const double t = e / (i * i - in * in);
        curve.push_back({i, onI2TAxis(t)});
        completeCurve.push_back({i, onCompleteAxis(t)});
        minimum.push_back({minFactor * i, onI2TAxis(kMinimumTimeFactor * t)});
        maximum.push_back({maxFactor * i, onI2TAxis(kMaximumTimeFactor * t)});
        if (t > timeMax)
            timeMax = t;
        lastCurrent = i;
    }

    plot.complete.series[1].labels = {{0, labelNumber(in) + "A"}, {kLabelledPoint, labelNumber(e) + " A2s"}};

    const std::string swLabel = "SW: " + labelNumber(isw) + "A";
    const std::string hwLabel = "HW: " + labelNumber(ihw) + "A";
    if (isw < ihw) {
        plot.complete.series[2].points = {
            {lastCurrent, onCompleteAxis(tsw)}, {isw, onCompleteAxis(tsw)}, {ihw, onCompleteAxis(tsw)}};
        plot.complete.series[2].labels = {{0, swLabel}};
    }

    // The minimum curve goes on to the software limit, without the tolerance.
    double i = lastCurrent;
    for (std::size_t added = 0; 0.94 * i < isw && added < kMaxExtensionPoints; ++added) {
        i += step;
        minimum.push_back({0.94 * i, onI2TAxis(0.92 * e / (i * i - in * in))});
    }

    plot.i2t.series[2].labels = {{kLabelledPoint, labelNumber(e) + " A2s"}};

    plot.i2t.currentMaximum = isw + kLimitRoom * (isw - in);
    plot.i2t.timeMaximum = selection.gaugeDisabled ? timeMax : 4000.0;
    plot.i2t.softwareLimit.points = {{isw, timeMin}, {isw, plot.i2t.timeMaximum}};
    plot.i2t.softwareLimit.labels = {{1, swLabel}};
    if (ihw > 0.0 && ihw <= isw) {
        plot.i2t.hardwareLimit.points = {{ihw, timeMin}, {ihw, plot.i2t.timeMaximum}};
        plot.i2t.hardwareLimit.labels = {{1, hwLabel}};
    }

    plot.complete.currentMaximum = 1.1 * ihw;
    plot.complete.timeMinimum = completeMin;
    plot.complete.timeMaximum = timeMax;
    if (ihw > 0.0) {
        plot.complete.series[3].points = {{ihw, timeMax}, {1.25 * ihw, timeMax}};
        plot.complete.series[3].labels = {{0, hwLabel}};
    }
    return plot;
}

}  // namespace hss::i2t
