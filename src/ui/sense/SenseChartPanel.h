#pragma once
// The sense chart with what goes around it: a tool row ("Pause"/"Resume",
// "Reset View", "Export CSV...", "Export PNG...", also on the chart's
// context menu) and, beside the chart, per shown channel the last, lowest,
// highest and mean unaveraged value over the window it shows ("—" for a
// channel that is not shown or has no value there).

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class SenseChart;

class SenseChartPanel : public QWidget {
public:
    // Takes the chart as its child.
    SenseChartPanel(SenseChart* chart, QWidget* parent = nullptr);

    SenseChart* chart() const { return senseChart; }
    // The quantity shown (conversion code), for the statistics' text and the export's columns.
    void setFormat(uint8_t format);
    uint8_t format() const { return dataFormat; }

    // The pause button follows the chart (zooming pauses it; Resume resumes).
    void showPaused(bool paused);

    // One line for the log after an export.
    std::function<void(const QString&)> logLine;

    void exportCsv();
    void exportPng();

private:
    void showStatistics();

    SenseChart* senseChart;
    QPushButton* pauseButton = nullptr;
    // [statistic][channel]: last, min, max, mean.
    std::array<std::array<QLabel*, 2>, 4> statLabels{};
    uint8_t dataFormat = 0;
};
