#pragma once
// senseChart: the live chart of the Command Center, on a time axis in
// seconds with the newest sample at the right edge. Series in this order:
// "Channel 1", "Channel 2" (the averaged values, lines 5 pixels wide),
// "Channel 1 Junction Temp", "Channel 2 Junction Temp" (never fed),
// "Channel 1 Unaveraged", "Channel 2 Unaveraged" (each sample as it came,
// a faint line, so a peak that averaging flattens stays visible). A channel
// without a value (off, or its value cannot be known) breaks its line.
//
// The view can be paused (it keeps what it shows while samples go on
// arriving), zoomed and panned with the mouse (wheel: time, Shift+wheel:
// value, drag: pan, double click: reset) and the keyboard (+ and -, arrows,
// Home, Space pauses). Zooming or panning pauses the view. The cursor reads
// time and value. Each update hands each series all of its points with one
// replace() (thinned to what the plot's pixels can show) and sets the axis
// ranges; updates closer together than 100 ms are merged into one.

#include <QElapsedTimer>
#include <QList>
#include <QPointF>
#include <QTimer>

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

#include "measure/SenseSampleWindow.h"
#include "ui/charts/ChartPlot.h"

class SenseChart : public ChartPlot {
    Q_OBJECT
    // What the cursor reads ("12.35 s, 2.01 A"), empty while it is outside the plot.
    Q_PROPERTY(QString cursorReadout READ cursorReadout)
    Q_PROPERTY(bool paused READ isPaused)

public:
    using Range = hss::measure::SenseSampleWindow::Range;
    static constexpr int kSeriesCount = 6;
    // At most 10 repaints a second: at 20 samples a second each shows two, and
    // a repaint costs far more than a sample.
    static constexpr int kMinUpdateIntervalMs = 100;

    // Shows the points of window, which must outlive the chart.
    explicit SenseChart(const hss::measure::SenseSampleWindow& window, QWidget* parent = nullptr);

    ChartSeries* series(int index) const { return all[static_cast<std::size_t>(index)]; }
    ChartSeries* unaveraged(std::size_t channel) const { return all[4 + (channel & 1u)]; }
    // A channel's two series shown (enabled) or hidden.
    void setChannelShown(std::size_t channel, bool shown);
    bool channelShown(std::size_t channel) const;
    void setTitles(const QString& chartTitle, const QString& valueAxisTitle);
    // The unit the cursor readout gives values in ("A").
    void setUnit(const QString& unit) { valueUnit = unit; }

    // The window has a new point: shown now, or with the next merged update.
    void windowChanged();
    // Hands the series their points and sets the axes, now.
    void showWindow();
    // Every series without points (the window's owner clears the window).
    void clearPoints();

    // Paused: the chart keeps the points it shows. Resuming shows the live
    // window again, in full.
    void setPaused(bool paused);
    bool isPaused() const { return paused; }
    // Both axes follow the points again (the view stays paused if it was).
    void resetView();
    // factor < 1 zooms in, about a time (or value); the middle when none.
    void zoomTime(double factor, std::optional<double> about = std::nullopt);
    void zoomValue(double factor, std::optional<double> about = std::nullopt);
    // Moves the view by shares of its width and height.
    void pan(double timeShare, double valueShare);

    // What the chart shows: the live window, or what it held when paused.
    const hss::measure::SenseSampleWindow& shownWindow() const { return paused ? frozen : live; }
    Range timeRange() const;
    Range valueRange() const;
    QString cursorReadout() const { return cursorText; }

    // Called after every update (for the statistics beside the chart) and
    // when the view pauses or resumes by itself (zoom, pan).
    std::function<void()> onShown;
    std::function<void(bool paused)> onPausedChanged;

protected:
    void paintOverlay(QPainter& painter) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setSeriesPoints(ChartSeries* target, std::size_t channel, hss::measure::SenseSampleWindow::Trace trace,
                         Range span);
    void pauseForViewChange();
    // True when a tick step changed.
    bool fitTicksToPlot();
    void updateCursor(QPointF position);

    const hss::measure::SenseSampleWindow& live;
    hss::measure::SenseSampleWindow frozen;
    bool paused = false;
    // Axis ranges set by zoom or pan; empty: the axis follows the points.
    std::optional<Range> timeView;
    std::optional<Range> valueView;
    std::array<ChartSeries*, kSeriesCount> all{};
    QTimer mergeTimer;
    QElapsedTimer sinceShown;
    QList<QPointF> points;  // reused from update to update
    QString valueUnit = QStringLiteral("A");
    std::optional<QPointF> cursor;  // widget pixels, inside the plot
    QString cursorText;
    std::optional<QPointF> dragFrom;  // while the left button pans
};
