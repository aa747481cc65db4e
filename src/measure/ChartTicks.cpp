#include "measure/ChartTicks.h"

#include <cmath>

namespace hss::measure {
namespace {

// Between two labels, as a share of a label's width.
constexpr double kLabelGap = 0.5;
constexpr double kFactors[] = {1.0, 2.0, 2.5, 5.0};

// The first round step at or above rough.
double roundUp(double rough)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : kFactors) {
        if (factor * magnitude >= rough * (1.0 - 1e-12))
            return factor * magnitude;
    }
    return 10.0 * magnitude;
}

}  // namespace

double roundTickStep(double span, double steps)
{
    const double rough = span / (steps > 0.0 ? steps : 5.0);
    if (!(rough > 0.0) || !std::isfinite(rough))
        return 1.0;
    return roundUp(rough);
}

double tickStep(double span, double axisPixels, double labelPixels, double minimumStep)
{
    if (!(span > 0.0) || !std::isfinite(span))
        return minimumStep > 0.0 ? minimumStep : 1.0;
    if (!(axisPixels > 0.0) || !(labelPixels > 0.0))
        return std::fmax(roundTickStep(span, 5.0), minimumStep);
    // Labels that fit: each takes its width and a gap.
    const double fitting = axisPixels / (labelPixels * (1.0 + kLabelGap));
    const double step = roundUp(span / std::fmax(fitting, 1.0));
    return minimumStep > 0.0 && step < minimumStep ? roundUp(minimumStep) : step;
}

}  // namespace hss::measure
