#pragma once
// Tick steps for a chart's linear axis: round numbers, and never so many
// that their labels crowd (a chart shortens a label that does not fit
// between its ticks to "...").

namespace hss::measure {

// The smallest step of 1, 2, 2.5 or 5 times a power of ten, and at least
// minimumStep, for which every label (labelPixels wide, plus a gap) fits
// between two ticks on an axis axisPixels long covering span. With no room
// at all, about five steps.
double tickStep(double span, double axisPixels, double labelPixels, double minimumStep = 0.0);

// A step of 1, 2, 2.5 or 5 times a power of ten for about `steps` steps over span.
double roundTickStep(double span, double steps);

}  // namespace hss::measure
