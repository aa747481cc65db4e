#pragma once

#include <QString>

#include <optional>

class QObject;

// What `get` reads from a chart view: series, points N, labels N, xrange,
// yrange, title. A chart view is a ChartPlot (ui/charts).
namespace automation {

struct ChartReading {
    QString value;
    QString error;  // not empty: the chart has no such series or axis
};

bool isChart(const QObject* control);

// Empty when the property is not a chart property (then the ordinary
// properties apply); property is e.g. "points 0".
std::optional<ChartReading> readChartProperty(const QObject* control, const QString& property);

}  // namespace automation
