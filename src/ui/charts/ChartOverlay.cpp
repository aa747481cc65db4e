#include "ui/charts/ChartOverlay.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "measure/ChartTicks.h"

namespace chartoverlay {

void drawCursor(QPainter* painter, const QRectF& plot, QPointF at, const QString& text, const QFont& font)
{
    painter->save();
    painter->setPen(QPen(QColor(0x60, 0x60, 0x60), 0, Qt::DashLine));
    painter->drawLine(QPointF(plot.left(), at.y()), QPointF(plot.right(), at.y()));
    painter->drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
    painter->setFont(font);
    QRectF box = QFontMetricsF(font).boundingRect(text).adjusted(-4, -2, 4, 2);
    box.moveTopLeft(plot.topLeft() + QPointF(6, 6));
    if (box.adjusted(-8, -8, 8, 8).contains(at))
        box.moveTopRight(plot.topRight() + QPointF(-6, 6));
    painter->setPen(QColor(0x90, 0x90, 0x90));
    painter->setBrush(QColor(0xFF, 0xFF, 0xE8, 0xF0));
    painter->drawRect(box);
    painter->setPen(Qt::black);
    painter->drawText(box, Qt::AlignCenter, text);
    painter->restore();
}

void fitTicks(QValueAxis* axis, double axisPixels, Qt::Orientation orientation, double minimumStep, double anchor)
{
    const QFontMetricsF metrics(axis->labelsFont());
    double room = metrics.height() * 2.0;  // stacked labels: a tick every few lines
    if (orientation == Qt::Horizontal) {
        // The widest label: the ends of the range, with the digits a step can add.
        room = metrics.horizontalAdvance(QStringLiteral("00.0"));
        for (double v : {axis->min(), axis->max(), (axis->min() + axis->max()) / 2.0})
            room = std::max(room, metrics.horizontalAdvance(QString::asprintf("%g", v)));
    }
    const double step = hss::measure::tickStep(axis->max() - axis->min(), axisPixels, room, minimumStep);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(anchor);
    if (axis->tickInterval() != step)
        axis->setTickInterval(step);
}

}  // namespace chartoverlay
