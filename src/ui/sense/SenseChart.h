#pragma once
// senseChart: the live chart of the Command Center. Four series in this
// order: "Channel 1", "Channel 2" (the two that are fed), "Channel 1 Junction
// Temp", "Channel 2 Junction Temp"; all hidden until graphed; the channels
// are lines 5 pixels wide. Each update hands a channel series all of its
// points with one replace() and sets the axis ranges; updates closer
// together than 40 ms are merged into one.

#include <QChartView>
#include <QElapsedTimer>
#include <QList>
#include <QPointF>
#include <QTimer>

#include <array>
#include <cstddef>

namespace hss::measure {
class SenseSampleWindow;
}
class QValueAxis;
class QXYSeries;

class SenseChart : public QChartView {
public:
    static constexpr int kSeriesCount = 4;
    static constexpr int kMinUpdateIntervalMs = 40;  // at most 25 repaints a second

    // Shows the points of window, which must outlive the chart.
    explicit SenseChart(const hss::measure::SenseSampleWindow& window, QWidget* parent = nullptr);

    QXYSeries* series(int index) const { return all[static_cast<std::size_t>(index)]; }
    // Series 0 or 1 shown (enabled) or hidden.
    void setChannelShown(std::size_t channel, bool shown);
    bool channelShown(std::size_t channel) const;
    void setTitles(const QString& chartTitle, const QString& valueAxisTitle);

    // The window has a new point: shown now, or with the next merged update.
    void windowChanged();
    // Hands both channel series their points and sets the axes, now.
    void showWindow();
    // Every series without points (the window's owner clears the window).
    void clearPoints();

private:
    const hss::measure::SenseSampleWindow& window;
    std::array<QXYSeries*, kSeriesCount> all{};
    QValueAxis* xAxis = nullptr;
    QValueAxis* yAxis = nullptr;
    QTimer mergeTimer;
    QElapsedTimer sinceShown;
    QList<QPointF> points;  // reused from update to update
};
