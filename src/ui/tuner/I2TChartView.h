#pragma once
// A chart view of the I2T tuner. On top of the plot it shows the point
// labels kept on each series (ui/ChartPointLabels.h), a short note when
// there is no curve, and a cursor that reads current and time off both axes.

#include <QPointF>
#include <QString>

#include <optional>

#include "ui/charts/ChartPlot.h"

class I2TChartView : public ChartPlot {
    Q_OBJECT
    // Why the chart is empty (readable by scripts as `get NAME note`).
    Q_PROPERTY(QString note READ note)

public:
    I2TChartView(const QString& name, const QString& title, QWidget* parent = nullptr);

    QString note() const { return noteText; }
    void setNote(const QString& text);

    // Shades the area between lower and upper (under the lines); both must
    // be series of this chart.
    void setBand(ChartSeries* lower, ChartSeries* upper, const QColor& fill);

    QSize sizeHint() const override { return {640, 440}; }
    QSize minimumSizeHint() const override { return {360, 260}; }

protected:
    void paintOverlay(QPainter& painter) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void drawPointLabels(QPainter& painter) const;
    void drawNote(QPainter& painter) const;
    void drawCursor(QPainter& painter) const;

    QString noteText;
    // Where the mouse is, in widget pixels; none while it is outside.
    std::optional<QPointF> cursor;
};
