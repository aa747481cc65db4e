#include "ui/charts/ChartPlot.h"

#include <QPainter>

#include "ui/charts/WideLineGraph.h"

ChartSeries::ChartSeries(ChartPlot* plot, const QString& name)
    : QObject(plot), owner(plot), seriesName(name), graph(new WideLineGraph(plot->xAxis, plot->yAxis))
{
    graph->setName(name);
    // Points are handed over as they are to be drawn (the sense chart thins
    // its own); QCustomPlot's own thinning would hide where a line breaks.
    graph->setAdaptiveSampling(false);
}

void ChartSeries::replace(const QList<QPointF>& points)
{
    kept = points;
    QVector<QCPGraphData> data;
    data.reserve(points.size());
    for (const QPointF& p : points)
        data.append(QCPGraphData(p.x(), p.y()));
    // In the order given: a vertical line has two points at one current.
    graph->data()->set(data, true);
    owner->redraw();
}

void ChartSeries::setVisible(bool visible)
{
    if (visible == graph->visible())
        return;
    graph->setVisible(visible);
    showInLegend();
    owner->redraw();
}

void ChartSeries::setInLegend(bool in)
{
    inLegend = in;
    showInLegend();
}

void ChartSeries::showInLegend()
{
    // The legend keeps the series' order: rebuilt from the shown ones.
    QCPLegend* legend = owner->legend;
    legend->clearItems();
    for (const ChartSeries* s : owner->seriesList())
        if (s->inLegend && s->graph->visible())
            s->graph->addToLegend(legend);
    owner->redraw();
}

void ChartSeries::setPen(const QPen& pen)
{
    graph->setPen(pen);
    owner->redraw();
}

void ChartSeries::setMarkers(QCPScatterStyle::ScatterShape shape, double size, const QColor& fill, const QColor& edge,
                             bool lineless)
{
    graph->setScatterStyle(QCPScatterStyle(shape, QPen(edge, 1.0), QBrush(fill), size));
    if (lineless)
        graph->setLineStyle(QCPGraph::lsNone);
    owner->redraw();
}

void ChartSeries::setFill(const QColor& fill, const ChartSeries* downTo)
{
    graph->setBrush(fill);
    graph->setChannelFillGraph(downTo != nullptr ? downTo->graph : nullptr);
    owner->redraw();
}

namespace {

// The chart's picture starts each redraw white instead of transparent: it
// is then opaque and is copied onto the window as it is, rather than the
// window being filled white first and the picture blended over it.
class OpaqueBuffer : public QCPPaintBufferPixmap {
public:
    using QCPPaintBufferPixmap::QCPPaintBufferPixmap;
    void clear(const QColor& color) override
    {
        (void)color;
        mBuffer.fill(Qt::white);
    }
};

}  // namespace

ChartPlot::ChartPlot(const QString& name, QWidget* parent) : QCustomPlot(parent)
{
    mPaintBuffers.clear();
    mPaintBuffers.append(QSharedPointer<QCPAbstractPaintBuffer>(
        new OpaqueBuffer(viewport().size(), bufferDevicePixelRatio())));
    setAttribute(Qt::WA_OpaquePaintEvent);

    setObjectName(name);
    setNotAntialiasedElements(QCP::aeAll);
    // No phFastPolylines: it draws a solid line one segment per call, where
    // one polyline call is far quicker for a hairline; wide solid lines are
    // WideLineGraph's own.
    setPlottingHints(QCP::phCacheLabels);
    setAutoAddPlottableToLegend(false);
    // One picture for every layer: the overlay layer's own (QCustomPlot's
    // default) would be cleared and blended in on every redraw, and nothing
    // is drawn on it.
    layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    // Title over the plot, legend in a row of its own under it.
    plotLayout()->insertRow(0);
    titleElement = new QCPTextElement(this, QString());
    QFont bold = font();
    bold.setBold(true);
    titleElement->setFont(bold);
    plotLayout()->addElement(0, 0, titleElement);
    auto* legendRow = new QCPLayoutGrid;
    plotLayout()->addElement(2, 0, legendRow);
    legendRow->setMargins(QMargins(4, 0, 4, 4));
    legendRow->addElement(0, 0, legend);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legend->setBorderPen(Qt::NoPen);
    legend->setBrush(Qt::NoBrush);
    legend->setVisible(true);
    plotLayout()->setRowStretchFactor(0, 0.001);
    plotLayout()->setRowStretchFactor(2, 0.001);
    for (QCPAxis* axis : {xAxis, yAxis})
        chartplot::hairlineGrid(axis, QColor(0xD8, 0xD8, 0xD8), QColor(0xEE, 0xEE, 0xEE));
}

void ChartPlot::setTitle(const QString& text)
{
    if (text == titleElement->text())
        return;
    titleElement->setText(text);
    redraw();
}

ChartSeries* ChartPlot::addSeries(const QString& name)
{
    auto* series = new ChartSeries(this, name);
    all.append(series);
    series->setInLegend(true);
    return series;
}

QRectF ChartPlot::plotRect() const { return axisRect()->rect(); }

QPointF ChartPlot::toPixel(QPointF value) const
{
    return {xAxis->coordToPixel(value.x()), yAxis->coordToPixel(value.y())};
}

QPointF ChartPlot::toValue(QPointF pixel) const
{
    return {xAxis->pixelToCoord(pixel.x()), yAxis->pixelToCoord(pixel.y())};
}

void ChartPlot::paintEvent(QPaintEvent* event)
{
    (void)event;
    QCPPainter painter(this);
    if (!painter.isActive())
        return;
    // One opaque picture (every layer draws into it): copied, not blended.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const auto& buffer : std::as_const(mPaintBuffers))
        buffer->draw(&painter);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    paintOverlay(painter);
}

namespace chartplot {
namespace {

// Fixed steps with a set number of minor lines between two ticks.
class FixedTicker : public QCPAxisTickerFixed {
public:
    int subTicks = -1;  // below 0: QCustomPlot's own choice

protected:
    int getSubTickCount(double tickStep) override
    {
        return subTicks >= 0 ? subTicks : QCPAxisTickerFixed::getSubTickCount(tickStep);
    }
};

}  // namespace

void setFixedTicks(QCPAxis* axis, double step, double anchor)
{
    auto ticker = axis->ticker().dynamicCast<FixedTicker>();
    if (!ticker) {
        ticker = QSharedPointer<FixedTicker>::create();
        ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
        axis->setTicker(ticker);
    }
    ticker->setTickStep(step);
    ticker->setTickOrigin(anchor);
}

void setMinorLines(QCPAxis* axis, int between)
{
    if (auto ticker = axis->ticker().dynamicCast<FixedTicker>())
        ticker->subTicks = between;
}

void makeLogarithmic(QCPAxis* axis, int subTicks)
{
    axis->setScaleType(QCPAxis::stLogarithmic);
    auto ticker = QSharedPointer<QCPAxisTickerLog>::create();
    ticker->setLogBase(10.0);
    ticker->setSubTickCount(subTicks);
    axis->setTicker(ticker);
    axis->setNumberFormat(QStringLiteral("g"));
    axis->setNumberPrecision(6);
    axis->grid()->setSubGridVisible(true);
}

void hairlineGrid(QCPAxis* axis, const QColor& grid, const QColor& subGrid)
{
    axis->grid()->setPen(QPen(grid, 0));
    axis->grid()->setSubGridPen(QPen(subGrid, 0));
    axis->grid()->setZeroLinePen(Qt::NoPen);
    axis->setBasePen(QPen(Qt::black, 0));
    axis->setTickPen(QPen(Qt::black, 0));
    axis->setSubTickPen(QPen(Qt::black, 0));
}

}  // namespace chartplot
