#include "ui/tuner/TunerCharts.h"

#include <QAreaSeries>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include "measure/ChartCsv.h"
#include "ui/ChartPointLabels.h"
#include "ui/WidgetHelpers.h"
#include "ui/charts/ChartExport.h"
#include "ui/charts/ChartOverlay.h"
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
const QScatterSeries::MarkerShape kPulseShapes[] = {QScatterSeries::MarkerShapeCircle,
                                                    QScatterSeries::MarkerShapeRotatedRectangle,
                                                    QScatterSeries::MarkerShapeTriangle};
const QColor kPulseTrips{0xD6, 0x27, 0x28};
const QColor kPulsePasses{0x2C, 0xA0, 0x2C};
const QColor kSoftwareLimit{0xFF, 0x7F, 0x0E};
const QColor kHardwareLimit{0xD6, 0x27, 0x28};
const QColor kCompleteFills[] = {{0x2C, 0xA0, 0x2C}, {0x1F, 0x5F, 0xBF}, {0xFF, 0x7F, 0x0E}, {0xD6, 0x27, 0x28}};
constexpr int kAreaAlpha = 0x70;

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.1);
    chart->setTitleFont(font);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

// Every 1 A where the labels fit, else the next round step: no label is
// ever shortened to "...", at any limit of any part.
void fitCurrentTicks(QChart* chart, QValueAxis* axis)
{
    chartoverlay::fitTicks(axis, chart->plotArea().width(), Qt::Horizontal, 1.0, 0.0);
}

// Minor grid lines solid and light: the theme's dashed ones cost most of a
// redraw (every dash is stroked on its own), with a logarithmic axis' eight
// a decade the more so.
void lightMinorGrid(QAbstractAxis* axis)
{
    axis->setMinorGridLinePen(QPen(QColor(0xEE, 0xEE, 0xEE), 1.0, Qt::SolidLine));
}

QValueAxis* currentAxis(QChart* chart)
{
    auto* axis = new QValueAxis;
    lightMinorGrid(axis);
    axis->setTitleText(QStringLiteral("Current (A)"));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(1.0);
    axis->setMinorTickCount(1);  // a minor line halfway: every 0.5 A at 1 A steps
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setRange(0.0, kStartCurrentMaximum);
    chart->addAxis(axis, Qt::AlignBottom);
    chartoverlay::hairlineGrid(axis);  // after the theme has given its pens
    QObject::connect(chart, &QChart::plotAreaChanged, axis, [chart, axis] { fitCurrentTicks(chart, axis); });
    QObject::connect(axis, &QValueAxis::rangeChanged, chart, [chart, axis] { fitCurrentTicks(chart, axis); });
    return axis;
}

QLogValueAxis* timeAxis(QChart* chart, double minimum)
{
    auto* axis = new QLogValueAxis;
    lightMinorGrid(axis);
    axis->setTitleText(QStringLiteral("Time (s)"));
    axis->setBase(10.0);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setMinorTickCount(-1);
    axis->setRange(minimum, kStartTimeMaximum);
    chart->addAxis(axis, Qt::AlignLeft);
    chartoverlay::hairlineGrid(axis);
    return axis;
}

template <typename Series>
Series* addSeries(QChart* chart, Series* series, std::string_view name, QAbstractAxis* x, QAbstractAxis* y)
{
    series->setName(text(name));
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    return series;
}

QXYSeries* curve(const QColor& colour, qreal width, Qt::PenStyle style)
{
    // Straight segments between a thousand close points look as smooth as a
    // spline and draw several times faster.
    auto* series = new QLineSeries;
    QPen pen(colour, width, style);
    series->setPen(pen);
    return series;
}

I2TChartView* buildI2TChart(TunerCharts& charts, const QString& suffix)
{
    QChart* chart = newChart(QStringLiteral("I2T Curve"));
    charts.i2tCurrentAxis = currentAxis(chart);
    charts.i2tTimeAxis = timeAxis(chart, hss::i2t::kI2TTimeAxisMinimum);
    const auto& names = hss::i2t::i2tChartSeriesNames;
    auto add = [&](std::size_t index, QXYSeries* series) {
        charts.i2tSeries[index] = addSeries(chart, series, names[index], charts.i2tCurrentAxis, charts.i2tTimeAxis);
    };
    add(0, curve(kTripCurve, 2.5, Qt::SolidLine));
    // Solid edges on the shaded band: dashing a thousand-point curve costs
    // more than all the rest of the chart.
    add(1, curve(kMinimumTrip, 1.2, Qt::SolidLine));
    add(2, curve(kMaximumTrip, 1.2, Qt::SolidLine));
    QXYSeries* wire = curve(kWireModel, 2.5, Qt::SolidLine);
    wire->setPointsVisible(true);
    wire->setMarkerSize(6.0);
    add(3, wire);
    wire->setVisible(false);  // until a gauge is chosen
    for (std::size_t row = 0; row < 3; ++row) {
        auto* pulse = new QScatterSeries;
        pulse->setMarkerShape(kPulseShapes[row]);
        pulse->setMarkerSize(13.0);
        pulse->setColor(kPulses[row]);
        pulse->setBorderColor(kPulses[row].darker(150));
        add(4 + row, pulse);
        pulse->setVisible(false);  // until "Pulse Check" draws it
    }
    add(7, curve(kSoftwareLimit, 2.0, Qt::DashDotLine));
    add(8, curve(kHardwareLimit, 2.0, Qt::DashDotLine));
    // The limit lines carry their own labels ("SW: 19.55A"); the legend stays as short as it was.
    for (std::size_t index : {std::size_t{7}, std::size_t{8}}) {
        for (QLegendMarker* marker : chart->legend()->markers(charts.i2tSeries[index]))
            marker->setVisible(false);
    }
    auto* view = new I2TChartView(chart, QStringLiteral("i2tChart") + suffix);
    view->setBand(charts.i2tSeries[1], charts.i2tSeries[2], kToleranceBand);
    return view;
}

I2TChartView* buildCompleteChart(TunerCharts& charts, const QString& suffix)
{
    QChart* chart = newChart(QStringLiteral("Complete Power Curve"));
    charts.completeCurrentAxis = currentAxis(chart);
    charts.completeTimeAxis = timeAxis(chart, hss::i2t::kCompleteTimeAxisMinimum);
    for (std::size_t index = 0; index < charts.completeSeries.size(); ++index) {
        auto* area = new QAreaSeries(new QLineSeries);
        QColor fill = kCompleteFills[index];
        area->setBorderColor(fill);
        area->setPen(QPen(fill, 1.5));
        fill.setAlpha(kAreaAlpha);
        area->setBrush(fill);
        charts.completeSeries[index] = addSeries(chart, area, hss::i2t::completeChartSeriesNames[index],
                                                 charts.completeCurrentAxis, charts.completeTimeAxis);
    }
    return new I2TChartView(chart, QStringLiteral("i2tCompleteChart") + suffix);
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
    return hss::measure::seriesCsv(chartexport::visibleSeries(view->chart()), "current (A)", "time (s)");
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

void setSeriesPoints(QXYSeries* series, const std::vector<ChartPoint>& points, const std::vector<PointLabel>& labels)
{
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& p : points)
        list.append(QPointF(p.x, p.y));
    series->replace(list);
    chartlabels::setPointLabels(series, labelMap(labels));
}

void showI2TCurves(TunerCharts& charts, const hss::i2t::I2TCurvePlot& plot)
{
    // The axes first, over curves emptied for the moment: a line series works
    // out its outline again on each range change as on each new set of
    // points, and this way only the new points are outlined, once.
    if (plot.drawn) {
        for (QXYSeries* series : {charts.i2tSeries[0], charts.i2tSeries[1], charts.i2tSeries[2]})
            series->clear();
        for (QAreaSeries* area : charts.completeSeries)
            area->upperSeries()->clear();
        if (plot.i2t.currentMaximum > plot.i2t.currentMinimum)
            charts.i2tCurrentAxis->setRange(plot.i2t.currentMinimum, plot.i2t.currentMaximum);
        charts.i2tTimeAxis->setMax(plot.i2t.timeMaximum);
        if (plot.complete.currentMaximum > 0.0)
            charts.completeCurrentAxis->setRange(0.0, plot.complete.currentMaximum);
        charts.completeTimeAxis->setRange(plot.complete.timeMinimum, plot.complete.timeMaximum);
    }
    for (std::size_t i = 0; i < plot.i2t.series.size(); ++i)
        setSeriesPoints(charts.i2tSeries[i], plot.i2t.series[i].points, plot.i2t.series[i].labels);
    setSeriesPoints(charts.i2tSeries[7], plot.i2t.softwareLimit.points, plot.i2t.softwareLimit.labels);
    setSeriesPoints(charts.i2tSeries[8], plot.i2t.hardwareLimit.points, plot.i2t.hardwareLimit.labels);
    for (std::size_t i = 0; i < plot.complete.series.size(); ++i) {
        QAreaSeries* area = charts.completeSeries[i];
        setSeriesPoints(area->upperSeries(), plot.complete.series[i].points);
        // Scripts and the view read an area's labels from the area itself.
        chartlabels::setPointLabels(area, labelMap(plot.complete.series[i].labels));
        // An empty area would still draw its edge along the current axis.
        area->setVisible(!plot.complete.series[i].points.empty());
    }
    const QString note = QString::fromStdString(plot.note);
    charts.i2tView->setNote(note);
    charts.completeView->setNote(note);
}

void showPulseMarkerVerdict(TunerCharts& charts, int row, std::optional<bool> trips)
{
    auto* marker = qobject_cast<QScatterSeries*>(charts.pulse(row));
    if (marker == nullptr)
        return;
    const QColor colour = !trips ? kPulses[row] : *trips ? kPulseTrips : kPulsePasses;
    marker->setColor(colour);
    marker->setBorderColor(colour.darker(150));
}
