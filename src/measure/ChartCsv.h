#pragma once
// Charts written out as CSV text (CR LF line ends, numbers in their shortest
// form, an empty field where a value cannot be known), so a user can check
// or reuse what a chart shows.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "measure/SenseSampleWindow.h"

namespace hss::measure {

// The sense window between two times: one line per sample, the time in
// seconds, then per shown channel its averaged and its unaveraged value.
// quantity and unit name the columns ("load current", "A").
std::string senseWindowCsv(const SenseSampleWindow& window, SenseSampleWindow::Range span,
                           std::array<bool, 2> shown, std::string_view quantity, std::string_view unit);

// One named series of x, y points.
struct CsvSeries {
    std::string name;
    std::vector<std::pair<double, double>> points;
};

// Every series' points as lines "series,x,y" under the header
// "series,<xTitle>,<yTitle>", series by series in the order given.
std::string seriesCsv(const std::vector<CsvSeries>& series, std::string_view xTitle, std::string_view yTitle);

// A field as CSV holds it: quoted (quotes doubled) when it has a comma,
// a quote or a line end.
std::string csvField(std::string_view text);

}  // namespace hss::measure
