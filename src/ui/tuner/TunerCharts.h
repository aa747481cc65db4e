#pragma once
// The two charts of a family's "I2T Tuner" page, each on its sub-tab: the
// trip curve with its tolerance band against the wire model and the test
// pulses ("I2T Curve"), and the complete power curve ("Complete"). Time runs
// up a logarithmic axis, current along a linear one.

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/I2TCurve.h"

class ChartSeries;
class I2TChartView;
class QCPAxis;
class QTabWidget;
class QWidget;

struct TunerCharts {
    QWidget* panel = nullptr;                // the tabs with the export buttons under them
    QTabWidget* tabs = nullptr;              // i2tChartTabs(18)
    I2TChartView* i2tView = nullptr;         // i2tChart(18)
    I2TChartView* completeView = nullptr;    // i2tCompleteChart(18)
    std::array<ChartSeries*, 9> i2tSeries{};   // hss::i2t::i2tChartSeriesNames, in order
    std::array<ChartSeries*, 4> completeSeries{};  // hss::i2t::completeChartSeriesNames, filled areas
    QCPAxis* i2tCurrentAxis = nullptr;
    QCPAxis* i2tTimeAxis = nullptr;  // logarithmic
    QCPAxis* completeCurrentAxis = nullptr;
    QCPAxis* completeTimeAxis = nullptr;  // logarithmic

    ChartSeries* wireModel() const { return i2tSeries[3]; }
    // Row 0, 1 or 2 of "Pulse Check".
    ChartSeries* pulse(int row) const { return i2tSeries[4 + static_cast<std::size_t>(row)]; }
    // The chart view on the sub-tab shown now.
    I2TChartView* currentView() const;
};

// Both charts on their sub-tabs; suffix "" or "18" names them. Under the
// tabs "Export CSV..." and "Export PNG..." (i2tExportCsvButton(18),
// i2tExportPngButton(18)) save the chart shown; each chart's context menu
// has both too. log reports a written file.
TunerCharts buildTunerCharts(const QString& suffix, const std::function<void(const QString&)>& log);

// The chart's visible series as CSV (series, current, time).
std::string tunerChartCsv(const I2TChartView* view);

// Hands each curve series of both charts its points (one replace() each)
// and its point labels, sets the axes the plot gives, and shows the plot's
// note on both charts when nothing is drawn. The wire model and the pulses
// keep theirs.
void showI2TCurves(TunerCharts& charts, const hss::i2t::I2TCurvePlot& plot);

// A test pulse's marker in red when it trips, green when it passes, in its
// row's own colour without a verdict.
void showPulseMarkerVerdict(TunerCharts& charts, int row, std::optional<bool> trips);

// A series' points in one replace(), and its point labels.
void setSeriesPoints(ChartSeries* series, const std::vector<hss::i2t::ChartPoint>& points,
                     const std::vector<hss::i2t::PointLabel>& labels = {});

// A time axis' lowest and highest time, each set keeping the other.
void setTimeAxisMinimum(QCPAxis* axis, double minimum);
void setTimeAxisMaximum(QCPAxis* axis, double maximum);
