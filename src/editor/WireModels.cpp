#include "editor/WireModels.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "measure/NumberText.h"

namespace hss::i2t {
namespace {

constexpr std::size_t kLabelledWirePoint = 7;

std::optional<WireModel> fromTable(const WireTable& table, std::string_view label)
{
    WireModel model;
    for (std::size_t i = 0; i < table[0].size(); ++i)
        model.points.push_back({text::widenDecimal(table[0][i]), text::widenDecimal(table[1][i])});
    model.label = {kLabelledWirePoint, std::string(label)};
    return model;
}

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t\r\n") == std::string_view::npos; }

std::string counted(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

const WireTable twentyGaugeWireValues{{
    {6.5f, 7.15f, 8.45f, 9.75f, 11.05f, 12.35f, 13.65f, 14.95f, 16.25f, 17.55f, 18.85f, 20.15f, 21.45f, 22.75f,
     24.7f},
    {100.0f, 10.0f, 4.5f, 3.2f, 2.1f, 1.8f, 1.5f, 1.2f, 1.1f, 1.0f, 0.98f, 0.9f, 0.8f, 0.78f, 0.5f},
}};

const WireTable sixteenGaugeWireValues{{
    {10.0f, 11.0f, 13.0f, 15.0f, 17.0f, 19.0f, 21.0f, 23.0f, 25.0f, 27.0f, 29.0f, 31.0f, 33.0f, 35.0f, 38.0f},
    {100.0f, 10.0f, 4.5f, 3.2f, 2.1f, 1.8f, 1.5f, 1.2f, 1.1f, 1.0f, 0.98f, 0.9f, 0.8f, 0.78f, 0.5f},
}};

std::optional<WireModel> exampleWireModel(int gaugeIndex)
{
    switch (gaugeIndex) {
    case GAUGE_20:
        return fromTable(twentyGaugeWireValues, "20 Gauge");
    case GAUGE_12:
        return fromTable(sixteenGaugeWireValues, "12 Gauge");
    default:
        return std::nullopt;
    }
}

CustomWireModel parseWireModel(std::istream& in, double timeAxisMinimum)
{
    CustomWireModel model;
    model.timeAxisMinimum = timeAxisMinimum;
    std::string line;
    if (!std::getline(in, line))
        return model;
    model.hasHeader = true;
    while (std::getline(in, line)) {
        if (isBlank(line))
            continue;
        ++model.dataLines;
        const std::size_t comma = line.find(',');
        if (comma == std::string::npos || line.find(',', comma + 1) != std::string::npos) {
            ++model.skippedLines;
            continue;
        }
        const std::optional<double> current = text::parseDecimal(std::string_view(line).substr(0, comma));
        const std::optional<double> time = text::parseDecimal(std::string_view(line).substr(comma + 1));
        if (!current || !time || model.points.size() == kMaxWireModelPoints) {
            ++model.skippedLines;
            continue;
        }
        if (*current <= 0.0 || *time <= 0.0) {
            ++model.undrawablePoints;
            continue;
        }
        model.points.push_back({*current, *time});
        if (*time < model.timeAxisMinimum)
            model.timeAxisMinimum = *time;
    }
    return model;
}

std::optional<std::string> emptyWireModelReason(const CustomWireModel& model, std::string_view fileName)
{
    const std::string file(fileName);
    if (!model.points.empty())
        return std::nullopt;
    if (!model.hasHeader)
        return "The wire model file " + file + " is empty.";
    if (model.dataLines == 0)
        return "The wire model file " + file + " has only its header line: no current,time points follow it.";
    std::string why = "The wire model file " + file + " has no point that can be drawn: ";
    if (model.skippedLines > 0)
        why += counted(model.skippedLines, "line is", "lines are") + " not two numbers";
    if (model.skippedLines > 0 && model.undrawablePoints > 0)
        why += ", ";
    if (model.undrawablePoints > 0)
        why += counted(model.undrawablePoints, "point has", "points have") + " a current or time not above zero";
    return why + ".";
}

std::string wireModelLoadedLine(const CustomWireModel& model, std::string_view fileName)
{
    std::string line = "Wire model loaded from " + std::string(fileName) + ": " +
                       counted(model.points.size(), "point", "points");
    if (model.skippedLines > 0)
        line += ", " + counted(model.skippedLines, "line skipped", "lines skipped") + " (not two numbers)";
    if (model.undrawablePoints > 0)
        line += ", " + counted(model.undrawablePoints, "point skipped", "points skipped") +
                " (current or time not above zero: no place on the logarithmic axes)";
    return line + ".";
}

WireModelFile loadWireModelFile(const std::filesystem::path& path, double timeAxisMinimum)
{
    WireModelFile result;
    const std::string name = path.string();
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec)) {
        result.notFound = true;
        result.error = std::string(kWireFileNotFoundText) + "\n" + (path.empty() ? "No file name was given." : name);
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, ec)) {
        result.error = "Cannot read the wire model file " + name + ".";
        return result;
    }
    const std::uintmax_t bytes = std::filesystem::file_size(path, ec);
    if (!ec && bytes > kMaxWireModelFileBytes) {
        result.error = "The wire model file " + name + " is larger than 1 MB; a wire model is a list of " +
                       "current,time points.";
        return result;
    }
    std::ostringstream content;
    content << in.rdbuf();
    const std::string text = std::move(content).str();
    if (text.find('\0') != std::string::npos) {
        result.error = "The wire model file " + name + " is not a text file: a wire model is a header line " +
                       "followed by current,time lines.";
        return result;
    }
    std::istringstream lines(text);
    CustomWireModel model = parseWireModel(lines, timeAxisMinimum);
    if (const std::optional<std::string> why = emptyWireModelReason(model, name)) {
        result.error = *why;
        return result;
    }
    result.model = std::move(model);
    return result;
}

}  // namespace hss::i2t
