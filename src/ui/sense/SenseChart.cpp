#include "ui/sense/SenseChart.h"

#include <QChart>
#include <QLegend>
#include <QPen>
#include <QLineSeries>
#include <QValueAxis>

#include <cmath>

#include "measure/SenseSampleWindow.h"

namespace {

constexpr std::array<const char*, SenseChart::kSeriesCount> kSeriesNames{
    "Channel 1", "Channel 2", "Channel 1 Junction Temp", "Channel 2 Junction Temp"};
constexpr qreal kChannelLineWidth = 5.0;
// One colour per channel, the same whatever the chart theme.
const std::array<QColor, 2> kChannelColors{QColor(0x20, 0x6F, 0xC8), QColor(0xE0, 0x7A, 0x10)};

// A tick step of 1, 2, 2.5 or 5 times a power of ten, for about five steps.
double niceTickInterval(double span)
{
    const double rough = span / 5.0;
    if (!(rough > 0.0))
        return 1.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (factor * magnitude >= rough)
            return factor * magnitude;
    }
    return 10.0 * magnitude;
}

}  // namespace

SenseChart::SenseChart(const hss::measure::SenseSampleWindow& sampleWindow, QWidget* parent)
    : QChartView(parent), window(sampleWindow)
{
    setObjectName(QStringLiteral("senseChart"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(320, 240);

    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Current Sense"));
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);

    xAxis = new QValueAxis;
    xAxis->setObjectName(QStringLiteral("senseChartXAxis"));
    xAxis->setLabelFormat(QStringLiteral("%i"));
    xAxis->setTitleText(QStringLiteral("Sample"));
    yAxis = new QValueAxis;
    yAxis->setObjectName(QStringLiteral("senseChartYAxis"));
    yAxis->setLabelFormat(QStringLiteral("%g"));
    yAxis->setTickType(QValueAxis::TicksDynamic);
    yAxis->setTickAnchor(0.0);
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    for (std::size_t i = 0; i < all.size(); ++i) {
        // Straight segments, not splines: a spline overshoots between samples
        // (values never measured), and strokes ten times slower at 1000 points.
        auto* series = new QLineSeries;
        series->setName(QString::fromLatin1(kSeriesNames[i]));
        chart->addSeries(series);  // takes the theme's pen
        if (i < 2) {
            QPen pen = series->pen();
            pen.setColor(kChannelColors[i]);
            pen.setWidthF(kChannelLineWidth);
            series->setPen(pen);
        }
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
        series->setVisible(false);
        all[i] = series;
    }
    setChart(chart);

    mergeTimer.setSingleShot(true);
    connect(&mergeTimer, &QTimer::timeout, this, [this] { showWindow(); });
    showWindow();
}

void SenseChart::setChannelShown(std::size_t channel, bool shown)
{
    if (channel >= 2)
        return;
    all[channel]->setVisible(shown);
    showWindow();  // the value axis covers the shown channels only
}

bool SenseChart::channelShown(std::size_t channel) const
{
    return channel < 2 && all[channel]->isVisible();
}

void SenseChart::setTitles(const QString& chartTitle, const QString& valueAxisTitle)
{
    chart()->setTitle(chartTitle);
    yAxis->setTitleText(valueAxisTitle);
}

void SenseChart::windowChanged()
{
    if (mergeTimer.isActive())
        return;  // the pending update shows this point too
    const qint64 elapsed = sinceShown.isValid() ? sinceShown.elapsed() : kMinUpdateIntervalMs;
    if (elapsed >= kMinUpdateIntervalMs)
        showWindow();
    else
        mergeTimer.start(static_cast<int>(kMinUpdateIntervalMs - elapsed));
}

void SenseChart::showWindow()
{
    mergeTimer.stop();
    sinceShown.start();
    for (std::size_t channel = 0; channel < 2; ++channel) {
        points.clear();
        points.reserve(static_cast<qsizetype>(window.size()));
        window.forEachPoint(channel, [this](double x, double y) {
            if (std::isfinite(y))  // a value that cannot be known is left out
                points.append(QPointF(x, y));
        });
        all[channel]->replace(points);
    }
    const auto x = window.xRange();
    xAxis->setRange(x.min, x.max);
    const auto y = window.yRange(channelShown(0), channelShown(1));
    yAxis->setRange(y.min, y.max);
    yAxis->setTickInterval(niceTickInterval(y.max - y.min));
}

void SenseChart::clearPoints()
{
    mergeTimer.stop();
    for (QXYSeries* series : all)
        series->clear();
    showWindow();
}
