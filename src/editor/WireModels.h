#pragma once
// Wire models drawn against the I2T trip curve: the two example gauges and
// custom models read from comma-separated files of current and time.

#include <array>
#include <cstdint>
#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/I2TCurve.h"

namespace hss::i2t {

// Row 0 current in A, row 1 time in s.
using WireTable = std::array<std::array<float, 15>, 2>;
extern const WireTable twentyGaugeWireValues;   // shown as "20 Gauge"
extern const WireTable sixteenGaugeWireValues;  // shown as "12 Gauge"

// gaugeSelectionBox items.
enum GaugeChoice : int { GAUGE_DISABLED = 0, GAUGE_20 = 1, GAUGE_12 = 2, GAUGE_CUSTOM = 3 };

struct WireModel {
    std::vector<ChartPoint> points;
    PointLabel label;  // on point 7
};

// The example model of a gauge list index; empty for "Disabled" and "Custom".
std::optional<WireModel> exampleWireModel(int gaugeIndex);

// What a custom wire file adds to the "Wire Model" series.
struct CustomWireModel {
    std::vector<ChartPoint> points;
    // The time axis minimum afterwards: the one given, lowered to the
    // smallest time of the file.
    double timeAxisMinimum = kI2TTimeAxisMinimum;
    bool hasHeader = false;      // false: the file is empty
    std::size_t dataLines = 0;   // lines after the header that are not blank
    // Lines after the header that gave no point: not two fields, a field
    // that is not a number, or a point past kMaxWireModelPoints.
    std::size_t skippedLines = 0;
    // Points with a current or time at or below zero: a logarithmic axis has
    // no place for them.
    std::size_t undrawablePoints = 0;
};

// A wire model is a few dozen points from a datasheet; a file with far more
// is not one, and drawing it would stall the chart.
inline constexpr std::size_t kMaxWireModelPoints = 10000;
inline constexpr std::uintmax_t kMaxWireModelFileBytes = 1 << 20;

// Reads a custom wire file: a header line, then one "current,time" point a
// line.
CustomWireModel parseWireModel(std::istream& in, double timeAxisMinimum);

// Why the model read from fileName has nothing to draw; empty when it has
// points.
std::optional<std::string> emptyWireModelReason(const CustomWireModel& model, std::string_view fileName);
// "Wire model loaded from F: 3 points, 1 line skipped (not two numbers)."
std::string wireModelLoadedLine(const CustomWireModel& model, std::string_view fileName);

struct WireModelFile {
    std::optional<CustomWireModel> model;  // empty: see error
    bool notFound = false;                 // no file or folder of that name
    std::string error;                     // names the file
};

inline constexpr std::string_view kWireFileNotFoundText = "File not found!";
inline constexpr std::string_view kWireFileNotFoundCaption = "File not found";

WireModelFile loadWireModelFile(const std::filesystem::path& path, double timeAxisMinimum);

}  // namespace hss::i2t
