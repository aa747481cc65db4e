#include "editor/WireModels.h"

#include <fstream>
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
        return model;  // no header either
    while (std::getline(in, line)) {
        model.hasDataLines = true;
        if (isBlank(line))
            continue;
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
        if (*time <= 0.0) {
            model.points.push_back({*current, model.timeAxisMinimum});
            continue;
        }
        model.points.push_back({*current, *time});
        if (*time < model.timeAxisMinimum)
            model.timeAxisMinimum = *time;
    }
    return model;
}

WireModelFile loadWireModelFile(const std::filesystem::path& path, double timeAxisMinimum)
{
    WireModelFile result;
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec)) {
        result.notFound = true;
        result.error = std::string(kWireFileNotFoundText);
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, ec)) {
        result.error = "Cannot read the wire model file " + path.string() + ".";
        return result;
    }
    const std::uintmax_t bytes = std::filesystem::file_size(path, ec);
    if (!ec && bytes > kMaxWireModelFileBytes) {
        result.error = "The wire model file " + path.string() + " is larger than 1 MB; a wire model is a list of " +
                       "current,time points.";
        return result;
    }
    result.model = parseWireModel(in, timeAxisMinimum);
    return result;
}

}  // namespace hss::i2t
