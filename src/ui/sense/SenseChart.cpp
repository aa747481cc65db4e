#include "ui/sense/SenseChart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QWheelEvent>

#include <cmath>
#include <limits>

#include "measure/ChartTicks.h"
#include "ui/charts/ChartOverlay.h"

using hss::measure::SenseSampleWindow;
using Trace = SenseSampleWindow::Trace;

namespace {

constexpr std::array<const char*, SenseChart::kSeriesCount> kSeriesNames{
    "Channel 1",          "Channel 2",           "Channel 1 Junction Temp", "Channel 2 Junction Temp",
    "Channel 1 Unaveraged", "Channel 2 Unaveraged"};
constexpr qreal kChannelLineWidth = 5.0;
constexpr qreal kUnaveragedLineWidth = 1.0;
// Faint by a lighter colour, not by transparency: a translucent line has to
// be stroked as one path so that it never blends over itself, several times
// slower than an opaque one.
constexpr int kUnaveragedLighter = 170;
// One colour per channel, the same whatever the chart theme.
const std::array<QColor, 2> kChannelColors{QColor(0x20, 0x6F, 0xC8), QColor(0xE0, 0x7A, 0x10)};
constexpr double kZoomStep = 0.8;  // one wheel notch or key press
constexpr double kPanStep = 0.1;
// Room above and below the points when the value axis follows them is given
// by the window's own range; a zoomed axis is never narrower than this.
constexpr double kMinValueSpan = 1e-6;
constexpr double kMinTimeSpan = 0.05;
constexpr double kMaxTimeLabels = 10.0;

SenseChart::Range zoomed(SenseChart::Range r, double factor, std::optional<double> about, double minimumSpan)
{
    const double centre = about.value_or((r.min + r.max) / 2.0);
    double span = std::max((r.max - r.min) * factor, minimumSpan);
    const double share = r.max > r.min ? (centre - r.min) / (r.max - r.min) : 0.5;
    return {centre - span * share, centre + span * (1.0 - share)};
}

QString readoutNumber(double v) { return QString::number(v, 'g', 4); }

}  // namespace

SenseChart::SenseChart(const SenseSampleWindow& window, QWidget* parent)
    : ChartPlot(QStringLiteral("senseChart"), parent), live(window), frozen(hss::measure::kMinPointsKept)
{
    setMinimumSize(320, 240);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(QStringLiteral("Wheel: zoom time (Shift: value); drag: pan; double click or Home: reset view; "
                              "Space: pause"));
    setTitle(QStringLiteral("Current Sense"));
    xAxis->setLabel(QStringLiteral("Time (s)"));
    for (QCPAxis* axis : {xAxis, yAxis})
        axis->setNumberFormat(QStringLiteral("g"));

    for (std::size_t i = 0; i < all.size(); ++i) {
        // Straight segments, not splines: a spline overshoots between samples
        // (values never measured).
        ChartSeries* series = addSeries(QString::fromLatin1(kSeriesNames[i]));
        QColor colour = kChannelColors[i % 2];
        if (i >= 4)
            colour = colour.lighter(kUnaveragedLighter);
        if (i == 2 || i == 3)
            colour = colour.darker(140);
        series->setPen(QPen(colour, i < 2 ? kChannelLineWidth : kUnaveragedLineWidth));
        // The legend names the channels; the faint lines are explained beside the statistics.
        series->setInLegend(i < 2);
        series->setVisible(false);
        all[i] = series;
    }
    // The faint lines under the averaged ones.
    for (std::size_t i = 4; i < all.size(); ++i)
        all[i]->drawn()->setLayer(QStringLiteral("grid"));
    mergeTimer.setSingleShot(true);
    connect(&mergeTimer, &QTimer::timeout, this, [this] { showWindow(); });
    // The tick steps follow the plot's size, known once it is laid out; a
    // changed step is drawn by one more replot.
    connect(this, &QCustomPlot::afterLayout, this, [this] {
        if (fitTicksToPlot())
            redraw();
    });
    showWindow();
}

void SenseChart::setChannelShown(std::size_t channel, bool shown)
{
    if (channel >= 2)
        return;
    all[channel]->setVisible(shown);
    all[4 + channel]->setVisible(shown);
    showWindow();  // the value axis covers the shown channels only
}

bool SenseChart::channelShown(std::size_t channel) const { return channel < 2 && all[channel]->isVisible(); }

void SenseChart::setTitles(const QString& chartTitle, const QString& valueAxisTitle)
{
    setTitle(chartTitle);
    yAxis->setLabel(valueAxisTitle);
    redraw();
}

void SenseChart::windowChanged()
{
    if (paused || mergeTimer.isActive())
        return;  // a paused view keeps its points; a pending update shows this point too
    const qint64 elapsed = sinceShown.isValid() ? sinceShown.elapsed() : kMinUpdateIntervalMs;
    if (elapsed >= kMinUpdateIntervalMs)
        showWindow();
    else
        mergeTimer.start(static_cast<int>(kMinUpdateIntervalMs - elapsed));
}

SenseChart::Range SenseChart::timeRange() const { return timeView.value_or(shownWindow().timeRange()); }

SenseChart::Range SenseChart::valueRange() const
{
    if (valueView)
        return *valueView;
    return shownWindow().valueRange(channelShown(0), channelShown(1), timeRange());
}

void SenseChart::setSeriesPoints(ChartSeries* target, std::size_t channel, Trace trace, Range span)
{
    points.clear();
    if (target->isVisible()) {
        const int columns = std::max(axisRect()->width(), 1);
        constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
        shownWindow().forEachDrawnPoint(channel, trace, span, columns, [this](double t, double v) {
            // A gap is one NaN point, where the line breaks; none at either end.
            if (std::isnan(v)) {
                if (!points.isEmpty() && !std::isnan(points.back().y()))
                    points.append(QPointF(t, kNaN));
                return;
            }
            points.append(QPointF(t, v));
        });
        if (!points.isEmpty() && std::isnan(points.back().y()))
            points.removeLast();
    }
    target->replace(points);
}

void SenseChart::showWindow()
{
    mergeTimer.stop();
    sinceShown.start();
    const Range time = timeRange();
    for (std::size_t channel = 0; channel < 2; ++channel) {
        setSeriesPoints(all[channel], channel, Trace::Averaged, time);
        setSeriesPoints(all[4 + channel], channel, Trace::Unaveraged, time);
    }
    const Range value = valueRange();
    xAxis->setRange(time.min, time.max);
    yAxis->setRange(value.min, value.max);
    fitTicksToPlot();
    redraw();
    if (cursor)
        updateCursor(*cursor);
    if (onShown)
        onShown();
}

bool SenseChart::fitTicksToPlot()
{
    // About ten time labels at most: the axis moves with every update.
    const QCPRange time = xAxis->range();
    const bool timeChanged = chartoverlay::fitTicks(xAxis, axisRect()->width(), Qt::Horizontal,
                                                    hss::measure::roundTickStep(time.upper - time.lower, kMaxTimeLabels));
    const bool valueChanged = chartoverlay::fitTicks(yAxis, axisRect()->height(), Qt::Vertical);
    return timeChanged || valueChanged;
}

void SenseChart::clearPoints()
{
    mergeTimer.stop();
    for (ChartSeries* series : all)
        series->clear();
    frozen.clear();
    showWindow();
}

void SenseChart::setPaused(bool pause)
{
    if (pause == paused)
        return;
    paused = pause;
    if (paused) {
        frozen = live;
    } else {
        timeView.reset();
        valueView.reset();
    }
    showWindow();
}

void SenseChart::resetView()
{
    timeView.reset();
    valueView.reset();
    showWindow();
}

void SenseChart::pauseForViewChange()
{
    if (paused)
        return;
    setPaused(true);
    if (onPausedChanged)
        onPausedChanged(true);
}

void SenseChart::zoomTime(double factor, std::optional<double> about)
{
    const Range current = timeRange();
    pauseForViewChange();
    timeView = zoomed(current, factor, about, kMinTimeSpan);
    showWindow();
}

void SenseChart::zoomValue(double factor, std::optional<double> about)
{
    const Range current = valueRange();
    pauseForViewChange();
    valueView = zoomed(current, factor, about, kMinValueSpan);
    showWindow();
}

void SenseChart::pan(double timeShare, double valueShare)
{
    const Range time = timeRange();
    const Range value = valueRange();
    pauseForViewChange();
    const double dt = (time.max - time.min) * timeShare;
    const double dv = (value.max - value.min) * valueShare;
    if (dt != 0.0)
        timeView = Range{time.min + dt, time.max + dt};
    if (dv != 0.0)
        valueView = Range{value.min + dv, value.max + dv};
    showWindow();
}

void SenseChart::updateCursor(QPointF position)
{
    if (!plotRect().contains(position)) {
        cursor.reset();
        cursorText.clear();
        return;
    }
    cursor = position;
    const QPointF value = toValue(position);
    cursorText = QStringLiteral("%1 s, %2 %3").arg(readoutNumber(value.x()), readoutNumber(value.y()), valueUnit);
}

void SenseChart::paintOverlay(QPainter& painter)
{
    if (cursor && !cursorText.isEmpty())
        chartoverlay::drawCursor(&painter, plotRect(), *cursor, cursorText, font());
}

void SenseChart::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        event->ignore();
        return;
    }
    const double factor = std::pow(kZoomStep, notches);
    const QPointF at = toValue(event->position());
    const bool inside = plotRect().contains(event->position());
    if (event->modifiers() & Qt::ShiftModifier)
        zoomValue(factor, inside ? std::optional<double>(at.y()) : std::nullopt);
    else
        zoomTime(factor, inside ? std::optional<double>(at.x()) : std::nullopt);
    event->accept();
}

void SenseChart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && plotRect().contains(event->position())) {
        dragFrom = event->position();
        event->accept();
        return;
    }
    ChartPlot::mousePressEvent(event);
}

void SenseChart::mouseMoveEvent(QMouseEvent* event)
{
    if (dragFrom && (event->buttons() & Qt::LeftButton)) {
        const QRectF plot = plotRect();
        const QPointF moved = event->position() - *dragFrom;
        dragFrom = event->position();
        if (plot.width() > 0 && plot.height() > 0)
            pan(-moved.x() / plot.width(), moved.y() / plot.height());
    }
    updateCursor(event->position());
    update();  // the overlay only
    ChartPlot::mouseMoveEvent(event);
}

void SenseChart::mouseReleaseEvent(QMouseEvent* event)
{
    dragFrom.reset();
    ChartPlot::mouseReleaseEvent(event);
}

void SenseChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    resetView();
    event->accept();
}

void SenseChart::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomTime(kZoomStep);
        break;
    case Qt::Key_Minus:
        zoomTime(1.0 / kZoomStep);
        break;
    case Qt::Key_Left:
        pan(-kPanStep, 0.0);
        break;
    case Qt::Key_Right:
        pan(kPanStep, 0.0);
        break;
    case Qt::Key_Up:
        pan(0.0, kPanStep);
        break;
    case Qt::Key_Down:
        pan(0.0, -kPanStep);
        break;
    case Qt::Key_Home:
        resetView();
        break;
    case Qt::Key_Space:
        setPaused(!paused);
        if (onPausedChanged)
            onPausedChanged(paused);
        break;
    default:
        ChartPlot::keyPressEvent(event);
        return;
    }
    event->accept();
}

void SenseChart::leaveEvent(QEvent* event)
{
    cursor.reset();
    cursorText.clear();
    update();
    ChartPlot::leaveEvent(event);
}

void SenseChart::resizeEvent(QResizeEvent* event)
{
    ChartPlot::resizeEvent(event);
    showWindow();  // thinning and ticks follow the plot's width
}
