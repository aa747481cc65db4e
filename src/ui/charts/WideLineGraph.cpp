#include "ui/charts/WideLineGraph.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wideline {

std::vector<Column> coveredColumns(const QVector<QPointF>& polyline, int width, int first, int count)
{
    constexpr int kEmptyLo = std::numeric_limits<int>::max();
    constexpr int kEmptyHi = std::numeric_limits<int>::min();
    std::vector<Column> line(static_cast<std::size_t>(std::max(count, 0)), Column{kEmptyLo, kEmptyHi});
    if (count <= 0)
        return line;
    const auto cover = [&](int column, double y0, double y1) {
        const int index = column - first;
        if (index < 0 || index >= count)
            return;
        Column& c = line[static_cast<std::size_t>(index)];
        c.lo = std::min(c.lo, static_cast<int>(std::floor(std::min(y0, y1))));
        c.hi = std::max(c.hi, static_cast<int>(std::floor(std::max(y0, y1))));
    };
    const auto finite = [](QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); };
    const double left = first;
    const double right = first + count;
    for (qsizetype i = 0; i < polyline.size(); ++i) {
        const QPointF a = polyline[i];
        if (!finite(a))
            continue;
        const bool joined = i + 1 < polyline.size() && finite(polyline[i + 1]);
        if (!joined) {  // a lone point, or the last of a stretch
            if (a.x() >= left && a.x() < right)
                cover(static_cast<int>(std::floor(a.x())), a.y(), a.y());
            continue;
        }
        QPointF p = a;
        QPointF q = polyline[i + 1];
        if (p.x() > q.x())
            std::swap(p, q);
        if (q.x() < left || p.x() >= right)
            continue;
        const double dx = q.x() - p.x();
        const auto yAt = [&](double x) { return dx > 0.0 ? p.y() + (q.y() - p.y()) * (x - p.x()) / dx : p.y(); };
        // Each column the segment passes: the rows between where it enters and leaves it.
        const int from = static_cast<int>(std::floor(std::max(p.x(), left)));
        const int to = static_cast<int>(std::floor(std::min(q.x(), right - 1e-9)));
        for (int column = from; column <= to; ++column) {
            const double x0 = std::max(p.x(), double(column));
            const double x1 = std::min(q.x(), double(column + 1));
            if (dx == 0.0)
                cover(column, p.y(), q.y());
            else
                cover(column, yAt(x0), yAt(x1));
        }
    }
    // The square pen around every covered pixel: width columns and rows, centred.
    const int before = (width - 1) / 2;
    const int after = width - 1 - before;
    std::vector<Column> wide(line.size(), Column{kEmptyLo, kEmptyHi});
    for (int index = 0; index < count; ++index) {
        const Column& c = line[static_cast<std::size_t>(index)];
        if (c.lo > c.hi)
            continue;
        for (int k = std::max(0, index - before); k <= std::min(count - 1, index + after); ++k) {
            Column& w = wide[static_cast<std::size_t>(k)];
            w.lo = std::min(w.lo, c.lo - before);
            w.hi = std::max(w.hi, c.hi + after);
        }
    }
    return wide;
}

}  // namespace wideline

void WideLineGraph::drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const
{
    applyDefaultAntialiasingHint(painter);
    const QPen pen = painter->pen();
    const int width = std::max(1, static_cast<int>(std::lround(pen.widthF())));
    if (pen.style() != Qt::SolidLine || painter->antialiasing() || lines.size() < 2 ||
        keyAxis()->orientation() != Qt::Horizontal || painter->modes().testFlag(QCPPainter::pmVectorized)) {
        QCPGraph::drawLinePlot(painter, lines);
        return;
    }
    const QRect plot = keyAxis()->axisRect()->rect();
    const int first = plot.left() - width;
    const int count = plot.width() + 2 * width;
    const std::vector<wideline::Column> columns = wideline::coveredColumns(lines, width, first, count);
    // One rectangle for each run of columns that cover the same rows: a
    // dense trace's columns mostly do, a sparse one's are short. (Filled as
    // one polygon instead, a spiky trace costs the rasterizer ten times more.)
    QVector<QRect> rects;
    rects.reserve(static_cast<qsizetype>(columns.size()));
    for (std::size_t i = 0; i < columns.size();) {
        const wideline::Column c = columns[i];
        std::size_t end = i + 1;
        while (end < columns.size() && columns[end].lo == c.lo && columns[end].hi == c.hi)
            ++end;
        if (c.lo <= c.hi)
            rects.append(QRect(first + static_cast<int>(i), c.lo, static_cast<int>(end - i), c.hi - c.lo + 1));
        i = end;
    }
    // In one call: a call each costs more than filling a short column.
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(pen.color());
    painter->drawRects(rects);
    painter->restore();
}
