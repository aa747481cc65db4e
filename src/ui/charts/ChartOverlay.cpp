#include "ui/charts/ChartOverlay.h"

#include <QFontMetricsF>
#include <QPainter>

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

#include "measure/ChartTicks.h"
#include "ui/charts/ChartPlot.h"

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

bool fitTicks(QCPAxis* axis, double axisPixels, Qt::Orientation orientation, double minimumStep, double anchor)
{
    const auto ticker = qSharedPointerDynamicCast<QCPAxisTickerFixed>(axis->ticker());
    const double before = ticker ? ticker->tickStep() : 0.0;
    const QFontMetricsF metrics(axis->tickLabelFont());
    const double span = axis->range().upper - axis->range().lower;
    // Stacked labels need a line each and room between; side by side, their width.
    double room = orientation == Qt::Horizontal ? metrics.horizontalAdvance(QStringLiteral("00")) : metrics.height() * 2.0;
    double step = hss::measure::tickStep(span, axisPixels, room, minimumStep);
    if (orientation == Qt::Horizontal) {
        // The labels a step gives are multiples of it: measure those, and
        // widen the step while they do not fit.
        for (int pass = 0; pass < 4; ++pass) {
            double widest = 0.0;
            const double first = std::ceil((axis->range().lower - anchor) / step) * step + anchor;
            for (double v = first; v <= axis->range().upper + step * 1e-9 && widest < axisPixels; v += step)
                widest = std::max(widest, metrics.horizontalAdvance(QString::asprintf("%g", std::abs(v) < step * 1e-9 ? 0.0 : v)));
            if (widest <= room)
                break;
            room = widest;
            step = hss::measure::tickStep(span, axisPixels, room, minimumStep);
        }
    }
    chartplot::setFixedTicks(axis, step, anchor);
    return step != before;
}

}  // namespace chartoverlay
