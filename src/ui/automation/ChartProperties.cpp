#include "ui/automation/ChartProperties.h"

#include "ui/ChartPointLabels.h"

#include <QLocale>
#include <QStringList>

#include "ui/charts/ChartPlot.h"

#include <cmath>

namespace automation {
namespace {

// Shortest digits that read back as the same number, without an exponent
// unless the number is huge or tiny: 0.0001 reads "0.0001", not "1e-04".
QString number(double v)
{
    const double magnitude = std::abs(v);
    const bool plain = magnitude == 0.0 || (magnitude >= 1e-7 && magnitude < 1e21);
    return QString::number(v, plain ? 'f' : 'g', QLocale::FloatingPointShortest);
}

const ChartPlot* chartOf(const QObject* control) { return qobject_cast<const ChartPlot*>(control); }

ChartReading seriesSummary(const ChartPlot* chart)
{
    QStringList parts;
    for (const ChartSeries* s : chart->seriesList()) {
        parts << QStringLiteral("%1:%2:%3")
                     .arg(s->name())
                     .arg(s->count())
                     .arg(s->isVisible() ? QStringLiteral("true") : QStringLiteral("false"));
    }
    return {parts.join(u'|'), {}};
}

ChartReading axisRange(const ChartPlot* chart, Qt::Orientation orientation)
{
    const QCPRange range = (orientation == Qt::Horizontal ? chart->xAxis : chart->yAxis)->range();
    return {number(range.lower) + u',' + number(range.upper), {}};
}

ChartReading seriesDetail(const ChartPlot* chart, const QString& what, const QString& indexText,
                          const QString& objectName)
{
    bool ok = false;
    const int index = indexText.toInt(&ok);
    const QList<ChartSeries*>& all = chart->seriesList();
    if (!ok)
        return {{}, QStringLiteral("'%1' is not a series number").arg(indexText)};
    if (index < 0 || index >= all.size())
        return {{}, QStringLiteral("series %1 out of range for '%2' (%3 series)")
                        .arg(index)
                        .arg(objectName)
                        .arg(all.size())};
    const ChartSeries* series = all.at(index);
    QStringList parts;
    if (what == u"points") {
        for (const QPointF& p : series->points())
            parts << number(p.x()) + u',' + number(p.y());
        return {parts.join(u';'), {}};
    }
    const QMap<int, QString> labels = chartlabels::pointLabels(series);
    for (auto it = labels.cbegin(); it != labels.cend(); ++it)
        parts << QStringLiteral("%1:%2").arg(it.key()).arg(it.value());
    return {parts.join(u'|'), {}};
}

}  // namespace

bool isChart(const QObject* control) { return chartOf(control) != nullptr; }

std::optional<ChartReading> readChartProperty(const QObject* control, const QString& property)
{
    const ChartPlot* chart = chartOf(control);
    if (chart == nullptr)
        return std::nullopt;
    const QStringList words = property.split(u' ', Qt::SkipEmptyParts);
    const QString name = control->objectName();
    const QString what = words.value(0);
    if (words.size() == 1) {
        if (what == u"series")
            return seriesSummary(chart);
        if (what == u"title")
            return ChartReading{chart->title(), {}};
        if (what == u"xrange")
            return axisRange(chart, Qt::Horizontal);
        if (what == u"yrange")
            return axisRange(chart, Qt::Vertical);
    }
    if (what == u"points" || what == u"labels") {
        if (words.size() != 2)
            return ChartReading{{}, QStringLiteral("usage: get %1 %2 SERIES").arg(name, what)};
        return seriesDetail(chart, what, words.at(1), name);
    }
    return std::nullopt;
}

}  // namespace automation
