#pragma once
// A chart view of the I2T tuner. On top of what Qt Charts draws it shows:
// the point labels kept on each series (ui/ChartPointLabels.h), a shaded
// band between two series (the trip tolerance), a short note when there is
// no curve, and a cursor that reads current and time off both axes.

#include <QChartView>
#include <QPointF>
#include <QPointer>
#include <QString>

#include <optional>

class QXYSeries;

class I2TChartView : public QChartView {
    Q_OBJECT
    // Why the chart is empty (readable by scripts as `get NAME note`).
    Q_PROPERTY(QString note READ note)

public:
    I2TChartView(QChart* chart, const QString& name, QWidget* parent = nullptr);

    QString note() const { return noteText; }
    void setNote(const QString& text);

    // Shades the area between lower and upper (drawn under the grid and
    // the series); both must be series of this chart.
    void setBand(QXYSeries* lower, QXYSeries* upper, const QColor& fill);

    // A graphics view asks for its scene's size, which follows the view:
    // the chart takes the room it is given instead.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void drawPointLabels(QPainter* painter) const;
    void drawNote(QPainter* painter) const;
    void drawCursor(QPainter* painter) const;

    QString noteText;
    QPointer<QXYSeries> bandLower;
    QPointer<QXYSeries> bandUpper;
    QColor bandFill;
    // Where the mouse is, in scene coordinates; none while it is outside.
    std::optional<QPointF> cursor;
};
