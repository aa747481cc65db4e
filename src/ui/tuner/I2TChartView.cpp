#include "ui/tuner/I2TChartView.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/ChartPointLabels.h"
#include "ui/charts/ChartOverlay.h"

namespace {

// Room between a labelled point and its text.
constexpr qreal kLabelGap = 5.0;
constexpr qreal kLabelDot = 2.5;

QColor labelColour(const ChartSeries* series) { return series->pen().color().darker(130); }

}  // namespace

I2TChartView::I2TChartView(const QString& name, const QString& title, QWidget* parent) : ChartPlot(name, parent)
{
    setTitle(title);
    QFont font = titleFont();
    font.setPointSizeF(font.pointSizeF() * 1.1);
    setTitleFont(font);
    setMouseTracking(true);
}

void I2TChartView::setNote(const QString& text)
{
    if (text == noteText)
        return;
    noteText = text;
    update();
}

void I2TChartView::setBand(ChartSeries* lower, ChartSeries* upper, const QColor& fill) { upper->setFill(fill, lower); }

void I2TChartView::paintOverlay(QPainter& painter)
{
    painter.save();
    drawPointLabels(painter);
    drawNote(painter);
    drawCursor(painter);
    painter.restore();
}

void I2TChartView::drawPointLabels(QPainter& painter) const
{
    const QRectF plot = plotRect();
    const QRectF inside = plot.adjusted(-1, -1, 1, 1);  // points on the axis line count
    const QFontMetricsF metrics(font());
    painter.setFont(font());
    for (const ChartSeries* series : seriesList()) {
        const QMap<int, QString> labels = chartlabels::pointLabels(series);
        if (labels.isEmpty() || !series->isVisible())
            continue;
        const QColor colour = labelColour(series);
        for (auto it = labels.cbegin(); it != labels.cend(); ++it) {
            if (it.key() < 0 || it.key() >= series->count())
                continue;
            const QPointF at = toPixel(series->at(it.key()));
            if (!inside.contains(at))
                continue;
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(at, kLabelDot, kLabelDot);
            // Up and to the right of the point, turned back where the plot ends.
            QRectF box = metrics.boundingRect(it.value());
            box.moveBottomLeft(at + QPointF(kLabelGap, -kLabelGap));
            if (box.right() > plot.right())
                box.moveRight(at.x() - kLabelGap);
            if (box.top() < plot.top())
                box.moveTop(at.y() + kLabelGap);
            painter.setPen(colour);
            painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, it.value());
        }
    }
}

void I2TChartView::drawNote(QPainter& painter) const
{
    if (noteText.isEmpty())
        return;
    const QRectF plot = plotRect();
    QFont bigger = font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.15);
    painter.setFont(bigger);
    const QRectF room = plot.adjusted(plot.width() * 0.1, 0, -plot.width() * 0.1, 0);
    QRectF box = painter.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, noteText);
    box.adjust(-10, -6, 10, 6);
    painter.setPen(QColor(0xB0, 0xB0, 0xB0));
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF, 0xE0));
    painter.drawRoundedRect(box, 4, 4);
    painter.setPen(QColor(0x50, 0x50, 0x50));
    painter.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, noteText);
}

void I2TChartView::drawCursor(QPainter& painter) const
{
    const QRectF plot = plotRect();
    if (!cursor || !plot.contains(*cursor))
        return;
    const QPointF value = toValue(*cursor);
    const QString text = QStringLiteral("%1 A, %2 s")
                             .arg(QString::number(value.x(), 'f', 2), QString::number(value.y(), 'g', 3));
    chartoverlay::drawCursor(&painter, plot, *cursor, text, font());
}

void I2TChartView::mouseMoveEvent(QMouseEvent* event)
{
    cursor = event->position();
    update();  // the overlay only: the plot itself is unchanged
    ChartPlot::mouseMoveEvent(event);
}

void I2TChartView::leaveEvent(QEvent* event)
{
    cursor.reset();
    update();
    ChartPlot::leaveEvent(event);
}
