#include "measure/ChartCsv.h"

#include <cmath>
#include <limits>

#include "measure/NumberText.h"

namespace hss::measure {
namespace {

std::string number(double v) { return std::isfinite(v) ? text::shortestDecimal(v) : std::string(); }

}  // namespace

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string senseWindowCsv(const SenseSampleWindow& window, SenseSampleWindow::Range span,
                           std::array<bool, 2> shown, std::string_view quantity, std::string_view unit)
{
    const std::string units = " (" + std::string(unit) + ")";
    std::string out = "time (s)";
    for (std::size_t ch = 0; ch < 2; ++ch) {
        if (!shown[ch])
            continue;
        const std::string name = "ch" + std::to_string(ch + 1) + " " + std::string(quantity);
        out += "," + csvField(name + units) + "," + csvField(name + " unaveraged" + units);
    }
    out += "\r\n";
    for (std::size_t i = 0; i < window.size(); ++i) {
        const double t = window.time(i);
        if (t < span.min || t > span.max)
            continue;
        out += number(t);
        for (std::size_t ch = 0; ch < 2; ++ch) {
            if (!shown[ch])
                continue;
            out += "," + number(window.value(ch, i, SenseSampleWindow::Trace::Averaged)) + "," +
                   number(window.value(ch, i, SenseSampleWindow::Trace::Unaveraged));
        }
        out += "\r\n";
    }
    return out;
}

std::string seriesCsv(const std::vector<CsvSeries>& series, std::string_view xTitle, std::string_view yTitle)
{
    std::string out = "series," + csvField(xTitle) + "," + csvField(yTitle) + "\r\n";
    for (const CsvSeries& s : series) {
        const std::string name = csvField(s.name);
        for (const auto& [x, y] : s.points)
            out += name + "," + number(x) + "," + number(y) + "\r\n";
    }
    return out;
}

}  // namespace hss::measure
