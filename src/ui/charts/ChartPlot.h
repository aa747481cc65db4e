#pragma once
// The tool's chart widget, drawn by QCustomPlot: a title over the plot, the
// legend under it, and series that keep the points they were given (for the
// script readout and the exports) beside what QCustomPlot draws.
//
// Lines are drawn without antialiasing (text keeps it): an antialiased or
// wide line takes the raster engine's slow stroking path, and a chart that
// redraws ten times a second cannot afford it. Every change queues one
// replot for the next turn of the event loop, so any number of changes in
// one go cost one redraw.

#include <QList>
#include <QObject>
#include <QPen>
#include <QPointF>
#include <QString>

#include <qcustomplot.h>

class ChartPlot;

// One series of a chart: a line (optionally with markers or filled), or
// markers alone. A hidden series draws nothing and has no legend entry.
class ChartSeries : public QObject {
    Q_OBJECT

public:
    ChartSeries(ChartPlot* plot, const QString& name);

    QString name() const { return seriesName; }
    const QList<QPointF>& points() const { return kept; }
    qsizetype count() const { return kept.size(); }
    QPointF at(qsizetype index) const { return kept.at(index); }

    // Points in the order given; a point whose value is NaN breaks the line.
    void replace(const QList<QPointF>& points);
    void clear() { replace({}); }

    bool isVisible() const { return graph->visible(); }
    void setVisible(bool visible);
    // Off: no legend entry even while shown.
    void setInLegend(bool inLegend);

    QPen pen() const { return graph->pen(); }
    void setPen(const QPen& pen);
    // Markers at each point (QCPScatterStyle::ssNone: none); lineless draws markers only.
    void setMarkers(QCPScatterStyle::ScatterShape shape, double size, const QColor& fill, const QColor& edge,
                    bool lineless = false);
    // The area under the line down to the axis (or to another series' line).
    void setFill(const QColor& fill, const ChartSeries* downTo = nullptr);

    QCPGraph* drawn() const { return graph; }

private:
    void showInLegend();

    ChartPlot* owner;
    QString seriesName;
    QCPGraph* graph;
    QList<QPointF> kept;
    bool inLegend = true;
};

class ChartPlot : public QCustomPlot {
    Q_OBJECT

public:
    explicit ChartPlot(const QString& objectName, QWidget* parent = nullptr);

    QString title() const { return titleElement->text(); }
    void setTitle(const QString& text);
    void setTitleFont(const QFont& font) { titleElement->setFont(font); }
    QFont titleFont() const { return titleElement->font(); }

    ChartSeries* addSeries(const QString& name);
    const QList<ChartSeries*>& seriesList() const { return all; }

    // The plot's rectangle in widget pixels, and conversions in and out of it.
    QRectF plotRect() const;
    QPointF toPixel(QPointF value) const;
    QPointF toValue(QPointF pixel) const;

    // Queues one replot (changes made meanwhile are drawn with it).
    void redraw() { replot(rpQueuedReplot); }

protected:
    // What a view draws over the plot (labels, notes, a cursor), in widget pixels.
    virtual void paintOverlay(QPainter& painter) { (void)painter; }
    void paintEvent(QPaintEvent* event) override;

private:
    QCPTextElement* titleElement;
    QList<ChartSeries*> all;
};

namespace chartplot {

// A linear axis with ticks every step from anchor.
void setFixedTicks(QCPAxis* axis, double step, double anchor = 0.0);
// Minor lines between two ticks of such an axis.
void setMinorLines(QCPAxis* axis, int between);
// A logarithmic axis, base 10, labels as plain numbers, subTicks lines a decade.
void makeLogarithmic(QCPAxis* axis, int subTicks);
// Grid, sub-grid and axis lines as hairlines in the given colours.
void hairlineGrid(QCPAxis* axis, const QColor& grid, const QColor& subGrid);

}  // namespace chartplot
