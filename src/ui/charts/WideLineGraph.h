#pragma once
// A graph whose solid lines are drawn as what a square pen of their width
// covers, pixel column by pixel column, filled as rectangles, instead of
// through the raster engine's stroker. The stroker outlines every segment
// and join of a wide line, and even a hairline is drawn pixel by pixel
// along each segment: both cost most of a sense chart redraw, the more so
// on a dense trace (thousands of samples, each column spanning its lowest
// to highest point). Dashed, dotted and antialiased lines are drawn as
// QCustomPlot draws them.

#include <qcustomplot.h>

class WideLineGraph : public QCPGraph {
public:
    WideLineGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

protected:
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const override;
};

namespace wideline {

// The pixel columns a polyline drawn with a square pen of width pixels
// covers, from column `first` on: for each column the lowest and highest
// pixel row, or an empty span (lo > hi) where it covers nothing. A NaN
// point breaks the line.
struct Column {
    int lo;
    int hi;
};
std::vector<Column> coveredColumns(const QVector<QPointF>& polyline, int width, int first, int count);

}  // namespace wideline
