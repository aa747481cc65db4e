#include "ui/tuner/TunerCharts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "measure/ChartCsv.h"
#include "ui/ChartPointLabels.h"
#include "ui/QtText.h"
#include "ui/WidgetHelpers.h"
#include "ui/charts/ChartExport.h"
#include "ui/charts/ChartOverlay.h"
#include "ui/charts/ChartPlot.h"
#include "ui/tuner/I2TChartView.h"

using hss::i2t::ChartPoint;
using hss::i2t::PointLabel;

namespace {

// The axes before the first curve: current from 0, time from the axis minimum.
constexpr double kStartCurrentMaximum = 20.0;
constexpr double kStartTimeMaximum = 100.0;

// Trip curves in blues (the band between the two bounds shaded lightly), the
// wire model in a heavy orange with its points marked, the pulses as large
// single markers.
const QColor kTripCurve{0x1F, 0x5F, 0xBF};
const QColor kMinimumTrip{0x4A, 0x90, 0xD9};
const QColor kMaximumTrip{0x1B, 0x3F, 0x8B};
const QColor kToleranceBand{0x4A, 0x90, 0xD9, 0x30};
const QColor kWireModel{0xE0, 0x6A, 0x00};
const QColor kPulses[] = {{0xD0, 0x21, 0x7F}, {0x8C, 0x56, 0x4B}, {0x75, 0x56, 0xB3}};
const QCPScatterStyle::ScatterShape kPulseShapes[] = {QCPScatterStyle::ssCircle, QCPScatterStyle::ssDiamond,
                                                      QCPScatterStyle::ssTriangle};
constexpr double kPulseMarkerSize = 13.0;
const QColor kPulseTrips{0xD6, 0x27, 0x28};
const QColor kPulsePasses{0x2C, 0xA0, 0x2C};
const QColor kSoftwareLimit{0xFF, 0x7F, 0x0E};
const QColor kHardwareLimit{0xD6, 0x27, 0x28};
const QColor kCompleteFills[] = {{0x2C, 0xA0, 0x2C}, {0x1F, 0x5F, 0xBF}, {0xFF, 0x7F, 0x0E}, {0xD6, 0x27, 0x28}};
constexpr int kAreaAlpha = 0x70;

// Every 1 A where the labels fit, else the next round step: no label ever
// runs into its neighbour, at any limit of any part.
bool fitCurrentTicks(ChartPlot* plot, QCPAxis* axis)
{
    return chartoverlay::fitTicks(axis, plot->axisRect()->width(), Qt::Horizontal, 1.0, 0.0);
}

QCPAxis* currentAxis(I2TChartView* view)
{
    QCPAxis* axis = view->xAxis;
    axis->setLabel(QStringLiteral("Current (A)"));
    axis->setNumberFormat(QStringLiteral("g"));
    axis->setRange(0.0, kStartCurrentMaximum);
    chartplot::setFixedTicks(axis, 1.0);
    chartplot::setMinorLines(axis, 1);  // a minor line halfway: every 0.5 A at 1 A steps
    axis->grid()->setSubGridVisible(true);
    // The step follows the axis' width and range; a changed step is drawn by one more replot.
    QObject::connect(view, &QCustomPlot::afterLayout, axis, [view, axis] {
        if (fitCurrentTicks(view, axis))
            view->redraw();
    });
    return axis;
}

QCPAxis* timeAxis(I2TChartView* view, double minimum)
{
    QCPAxis* axis = view->yAxis;
    axis->setLabel(QStringLiteral("Time (s)"));
    chartplot::makeLogarithmic(axis, 8);
    axis->setRange(minimum, kStartTimeMaximum);
    return axis;
}

ChartSeries* curve(I2TChartView* view, std::string_view name, const QColor& colour, qreal width, Qt::PenStyle style)
{
    ChartSeries* series = view->addSeries(ui::qtext(name));
    series->setPen(QPen(colour, width, style));
    return series;
}

I2TChartView* buildI2TChart(TunerCharts& charts, const QString& suffix)
{
    auto* view = new I2TChartView(QStringLiteral("i2tChart") + suffix, QStringLiteral("I2T Curve"));
    charts.i2tCurrentAxis = currentAxis(view);
    charts.i2tTimeAxis = timeAxis(view, hss::i2t::kI2TTimeAxisMinimum);
    const auto& names = hss::i2t::i2tChartSeriesNames;
    charts.i2tSeries[0] = curve(view, names[0], kTripCurve, 2.5, Qt::SolidLine);
    // Solid one-pixel edges on the shaded band: dashing a thousand-point
    // curve, or stroking it any wider, costs more than all the rest of the chart.
    charts.i2tSeries[1] = curve(view, names[1], kMinimumTrip, 1.0, Qt::SolidLine);
    charts.i2tSeries[2] = curve(view, names[2], kMaximumTrip, 1.0, Qt::SolidLine);
    ChartSeries* wire = curve(view, names[3], kWireModel, 2.5, Qt::SolidLine);
    wire->setMarkers(QCPScatterStyle::ssDisc, 6.0, kWireModel, kWireModel);
    wire->setVisible(false);  // until a gauge is chosen
    charts.i2tSeries[3] = wire;
    for (std::size_t row = 0; row < 3; ++row) {
        ChartSeries* pulse = view->addSeries(ui::qtext(names[4 + row]));
        pulse->setPen(QPen(kPulses[row].darker(150), 1.0));
        pulse->setMarkers(kPulseShapes[row], kPulseMarkerSize, kPulses[row], kPulses[row].darker(150), true);
        pulse->setVisible(false);  // until "Pulse Check" draws it
        charts.i2tSeries[4 + row] = pulse;
    }
    charts.i2tSeries[7] = curve(view, names[7], kSoftwareLimit, 2.0, Qt::DashDotLine);
    charts.i2tSeries[8] = curve(view, names[8], kHardwareLimit, 2.0, Qt::DashDotLine);
    // The limit lines carry their own labels ("SW: 19.55A"); the legend stays as short as it was.
    charts.i2tSeries[7]->setInLegend(false);
    charts.i2tSeries[8]->setInLegend(false);
    view->setBand(charts.i2tSeries[1], charts.i2tSeries[2], kToleranceBand);
    return view;
}

I2TChartView* buildCompleteChart(TunerCharts& charts, const QString& suffix)
{
    auto* view = new I2TChartView(QStringLiteral("i2tCompleteChart") + suffix, QStringLiteral("Complete Power Curve"));
    charts.completeCurrentAxis = currentAxis(view);
    charts.completeTimeAxis = timeAxis(view, hss::i2t::kCompleteTimeAxisMinimum);
    for (std::size_t index = 0; index < charts.completeSeries.size(); ++index) {
        QColor fill = kCompleteFills[index];
        ChartSeries* area = curve(view, hss::i2t::completeChartSeriesNames[index], fill, 1.5, Qt::SolidLine);
        fill.setAlpha(kAreaAlpha);
        area->setFill(fill);  // down to the bottom of the time axis
        charts.completeSeries[index] = area;
    }
    return view;
}

QMap<int, QString> labelMap(const std::vector<PointLabel>& labels)
{
    QMap<int, QString> map;
    for (const PointLabel& label : labels)
        map.insert(static_cast<int>(label.index), QString::fromStdString(label.text));
    return map;
}

}  // namespace

namespace {

void exportCsv(I2TChartView* view, const std::function<void(const QString&)>& log)
{
    chartexport::saveCsv(view, view->objectName() + QStringLiteral(".csv"), tunerChartCsv(view), log);
}

void exportPng(I2TChartView* view, const std::function<void(const QString&)>& log)
{
    chartexport::savePng(view, view->objectName() + QStringLiteral(".png"), view, log);
}

}  // namespace

I2TChartView* TunerCharts::currentView() const
{
    return tabs->currentIndex() == 1 ? completeView : i2tView;
}

std::string tunerChartCsv(const I2TChartView* view)
{
    return hss::measure::seriesCsv(chartexport::visibleSeries(view), "current (A)", "time (s)");
}

TunerCharts buildTunerCharts(const QString& suffix, const std::function<void(const QString&)>& log)
{
    TunerCharts charts;
    charts.i2tView = buildI2TChart(charts, suffix);
    charts.completeView = buildCompleteChart(charts, suffix);
    charts.tabs = new QTabWidget;
    charts.tabs->setObjectName(QStringLiteral("i2tChartTabs") + suffix);
    charts.tabs->addTab(charts.i2tView, QStringLiteral("I2T Curve"));
    charts.tabs->addTab(charts.completeView, QStringLiteral("Complete"));

    charts.panel = new QWidget;
    auto* layout = new QVBoxLayout(charts.panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(charts.tabs, 1);
    auto* buttons = new QHBoxLayout;
    auto* csv = ui::named<QPushButton>(QStringLiteral("i2tExportCsvButton") + suffix, QStringLiteral("Export CSV..."));
    csv->setToolTip(QStringLiteral("Save the points of the chart shown"));
    auto* png = ui::named<QPushButton>(QStringLiteral("i2tExportPngButton") + suffix, QStringLiteral("Export PNG..."));
    png->setToolTip(QStringLiteral("Save the chart shown as a picture"));
    buttons->addStretch(1);
    buttons->addWidget(csv);
    buttons->addWidget(png);
    layout->addLayout(buttons);

    for (I2TChartView* view : {charts.i2tView, charts.completeView})
        chartexport::addExportActions(view, [view, log] { exportCsv(view, log); }, [view, log] { exportPng(view, log); });
    QTabWidget* tabs = charts.tabs;
    I2TChartView* i2t = charts.i2tView;
    I2TChartView* complete = charts.completeView;
    const auto shown = [tabs, i2t, complete] { return tabs->currentIndex() == 1 ? complete : i2t; };
    QObject::connect(csv, &QPushButton::clicked, csv, [shown, log] { exportCsv(shown(), log); });
    QObject::connect(png, &QPushButton::clicked, png, [shown, log] { exportPng(shown(), log); });
    return charts;
}

void setSeriesPoints(ChartSeries* series, const std::vector<ChartPoint>& points, const std::vector<PointLabel>& labels)
{
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& p : points)
        list.append(QPointF(p.x, p.y));
    series->replace(list);
    chartlabels::setPointLabels(series, labelMap(labels));
}

void setTimeAxisMinimum(QCPAxis* axis, double minimum)
{
    axis->setRange(minimum, axis->range().upper);
    axis->parentPlot()->replot(QCustomPlot::rpQueuedReplot);
}

void setTimeAxisMaximum(QCPAxis* axis, double maximum)
{
    axis->setRange(axis->range().lower, maximum);
    axis->parentPlot()->replot(QCustomPlot::rpQueuedReplot);
}

void showI2TCurves(TunerCharts& charts, const hss::i2t::I2TCurvePlot& plot)
{
    if (plot.drawn) {
        if (plot.i2t.currentMaximum > plot.i2t.currentMinimum)
            charts.i2tCurrentAxis->setRange(plot.i2t.currentMinimum, plot.i2t.currentMaximum);
        setTimeAxisMaximum(charts.i2tTimeAxis, plot.i2t.timeMaximum);
        if (plot.complete.currentMaximum > 0.0)
            charts.completeCurrentAxis->setRange(0.0, plot.complete.currentMaximum);
        charts.completeTimeAxis->setRange(plot.complete.timeMinimum, plot.complete.timeMaximum);
    }
    for (std::size_t i = 0; i < plot.i2t.series.size(); ++i)
        setSeriesPoints(charts.i2tSeries[i], plot.i2t.series[i].points, plot.i2t.series[i].labels);
    setSeriesPoints(charts.i2tSeries[7], plot.i2t.softwareLimit.points, plot.i2t.softwareLimit.labels);
    setSeriesPoints(charts.i2tSeries[8], plot.i2t.hardwareLimit.points, plot.i2t.hardwareLimit.labels);
    for (std::size_t i = 0; i < plot.complete.series.size(); ++i) {
        ChartSeries* area = charts.completeSeries[i];
        setSeriesPoints(area, plot.complete.series[i].points, plot.complete.series[i].labels);
        // An empty area would still take a legend entry.
        area->setVisible(!plot.complete.series[i].points.empty());
    }
    const QString note = QString::fromStdString(plot.note);
    charts.i2tView->setNote(note);
    charts.completeView->setNote(note);
    charts.i2tView->redraw();
    charts.completeView->redraw();
}

void showPulseMarkerVerdict(TunerCharts& charts, int row, std::optional<bool> trips)
{
    const auto index = static_cast<std::size_t>(row);
    const QColor colour = !trips ? kPulses[index] : *trips ? kPulseTrips : kPulsePasses;
    charts.pulse(row)->setMarkers(kPulseShapes[index], kPulseMarkerSize, colour, colour.darker(150), true);
}
