#include "ui/tuner/I2TChartView.h"

#include <QAreaSeries>
#include <QLineSeries>
#include <QChart>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QXYSeries>

#include "ui/ChartPointLabels.h"
#include "ui/charts/ChartOverlay.h"

namespace {

// Room between a labelled point and its text.
constexpr qreal kLabelGap = 5.0;
constexpr qreal kLabelDot = 2.5;

const QXYSeries* pointSource(const QAbstractSeries* series)
{
    if (auto* area = qobject_cast<const QAreaSeries*>(series))
        return area->upperSeries();
    return qobject_cast<const QXYSeries*>(series);
}

QColor labelColour(const QAbstractSeries* series)
{
    if (auto* area = qobject_cast<const QAreaSeries*>(series))
        return area->borderColor().darker(130);
    if (auto* xy = qobject_cast<const QXYSeries*>(series))
        return xy->color().darker(130);
    return Qt::black;
}

}  // namespace

I2TChartView::I2TChartView(QChart* chart, const QString& name, QWidget* parent) : QChartView(chart, parent)
{
    setObjectName(name);
    setRenderHint(QPainter::Antialiasing, false);
    // The chart's own background would cover the band drawn beneath it.
    chart->setBackgroundVisible(false);
    setBackgroundBrush(Qt::white);
    setMouseTracking(true);
    // Labels, the note and the cursor are drawn over the whole plot.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
}

QSize I2TChartView::sizeHint() const { return {640, 440}; }

QSize I2TChartView::minimumSizeHint() const { return {360, 260}; }

void I2TChartView::setNote(const QString& text)
{
    if (text == noteText)
        return;
    noteText = text;
    viewport()->update();
}

void I2TChartView::setBand(QXYSeries* lower, QXYSeries* upper, const QColor& fill)
{
    bandLower = lower;
    bandUpper = upper;
    bandFill = fill;
}

void I2TChartView::drawBackground(QPainter* painter, const QRectF& rect)
{
    QChartView::drawBackground(painter, rect);
    if (!bandLower || !bandUpper || !bandLower->isVisible() || !bandUpper->isVisible() || bandLower->count() == 0 ||
        bandUpper->count() == 0)
        return;
    QPolygonF band;
    band.reserve(bandLower->count() + bandUpper->count());
    for (const QPointF& p : bandLower->points())
        band << chart()->mapToScene(chart()->mapToPosition(p, bandLower));
    const QList<QPointF> upper = bandUpper->points();
    for (auto it = upper.crbegin(); it != upper.crend(); ++it)
        band << chart()->mapToScene(chart()->mapToPosition(*it, bandUpper));
    painter->save();
    painter->setClipRect(chart()->mapRectToScene(chart()->plotArea()));
    painter->setPen(Qt::NoPen);
    painter->setBrush(bandFill);
    painter->drawPolygon(band);
    painter->restore();
}

void I2TChartView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QChartView::drawForeground(painter, rect);
    painter->save();
    drawPointLabels(painter);
    drawNote(painter);
    drawCursor(painter);
    painter->restore();
}

void I2TChartView::drawPointLabels(QPainter* painter) const
{
    const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
    const QRectF inside = plot.adjusted(-1, -1, 1, 1);  // points on the axis line count
    const QFontMetricsF metrics(font());
    painter->setFont(font());
    for (QAbstractSeries* series : chart()->series()) {
        const QMap<int, QString> labels = chartlabels::pointLabels(series);
        const QXYSeries* points = pointSource(series);
        if (labels.isEmpty() || points == nullptr || !series->isVisible())
            continue;
        const QColor colour = labelColour(series);
        for (auto it = labels.cbegin(); it != labels.cend(); ++it) {
            if (it.key() < 0 || it.key() >= points->count())
                continue;
            const QPointF at = chart()->mapToScene(chart()->mapToPosition(points->at(it.key()), series));
            if (!inside.contains(at))
                continue;
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour);
            painter->drawEllipse(at, kLabelDot, kLabelDot);
            // Up and to the right of the point, turned back where the plot ends.
            QRectF box = metrics.boundingRect(it.value());
            box.moveBottomLeft(at + QPointF(kLabelGap, -kLabelGap));
            if (box.right() > plot.right())
                box.moveRight(at.x() - kLabelGap);
            if (box.top() < plot.top())
                box.moveTop(at.y() + kLabelGap);
            painter->setPen(colour);
            painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, it.value());
        }
    }
}

void I2TChartView::drawNote(QPainter* painter) const
{
    if (noteText.isEmpty())
        return;
    const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
    QFont bigger = font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.15);
    painter->setFont(bigger);
    const QRectF room = plot.adjusted(plot.width() * 0.1, 0, -plot.width() * 0.1, 0);
    QRectF box = painter->boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, noteText);
    box.adjust(-10, -6, 10, 6);
    painter->setPen(QColor(0xB0, 0xB0, 0xB0));
    painter->setBrush(QColor(0xFF, 0xFF, 0xFF, 0xE0));
    painter->drawRoundedRect(box, 4, 4);
    painter->setPen(QColor(0x50, 0x50, 0x50));
    painter->drawText(room, Qt::AlignCenter | Qt::TextWordWrap, noteText);
}

void I2TChartView::drawCursor(QPainter* painter) const
{
    const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
    if (!cursor || !plot.contains(*cursor) || chart()->series().isEmpty())
        return;
    QAbstractSeries* reference = chart()->series().first();
    const QPointF value = chart()->mapToValue(chart()->mapFromScene(*cursor), reference);
    const QString text = QStringLiteral("%1 A, %2 s")
                             .arg(QString::number(value.x(), 'f', 2), QString::number(value.y(), 'g', 3));
    chartoverlay::drawCursor(painter, plot, *cursor, text, font());
}

void I2TChartView::mouseMoveEvent(QMouseEvent* event)
{
    cursor = mapToScene(event->position().toPoint());
    viewport()->update();
    QChartView::mouseMoveEvent(event);
}

void I2TChartView::leaveEvent(QEvent* event)
{
    cursor.reset();
    viewport()->update();
    QChartView::leaveEvent(event);
}
