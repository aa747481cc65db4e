#include "ui/automation/ChartProperties.h"

#include "ui/ChartPointLabels.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QStringList>
#include <QValueAxis>
#include <QXYSeries>

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

const QChart* chartOf(const QObject* control)
{
    if (auto* view = qobject_cast<const QChartView*>(control))
        return view->chart();
    return qobject_cast<const QChart*>(control);
}

// The points a series draws: an area series draws its upper line.
const QXYSeries* pointSource(const QAbstractSeries* series)
{
    if (auto* area = qobject_cast<const QAreaSeries*>(series))
        return area->upperSeries();
    return qobject_cast<const QXYSeries*>(series);
}

ChartReading seriesSummary(const QChart* chart)
{
    QStringList parts;
    for (const QAbstractSeries* s : chart->series()) {
        const QXYSeries* points = pointSource(s);
        parts << QStringLiteral("%1:%2:%3")
                     .arg(s->name())
                     .arg(points != nullptr ? points->count() : 0)
                     .arg(s->isVisible() ? QStringLiteral("true") : QStringLiteral("false"));
    }
    return {parts.join(u'|'), {}};
}

ChartReading axisRange(const QChart* chart, Qt::Orientation orientation, const QString& objectName)
{
    const QList<QAbstractAxis*> axes = chart->axes(orientation);
    const QString which = orientation == Qt::Horizontal ? QStringLiteral("horizontal") : QStringLiteral("vertical");
    if (axes.isEmpty())
        return {{}, QStringLiteral("'%1' has no %2 axis").arg(objectName, which)};
    const QAbstractAxis* axis = axes.first();
    if (auto* value = qobject_cast<const QValueAxis*>(axis))
        return {number(value->min()) + u',' + number(value->max()), {}};
    if (auto* log = qobject_cast<const QLogValueAxis*>(axis))
        return {number(log->min()) + u',' + number(log->max()), {}};
    if (auto* bars = qobject_cast<const QBarCategoryAxis*>(axis))
        return {bars->min() + u',' + bars->max(), {}};
    return {{}, QStringLiteral("'%1' has a %2 axis without a numeric range").arg(objectName, which)};
}

ChartReading seriesDetail(const QChart* chart, const QString& what, const QString& indexText,
                          const QString& objectName)
{
    bool ok = false;
    const int index = indexText.toInt(&ok);
    const QList<QAbstractSeries*> all = chart->series();
    if (!ok)
        return {{}, QStringLiteral("'%1' is not a series number").arg(indexText)};
    if (index < 0 || index >= all.size())
        return {{}, QStringLiteral("series %1 out of range for '%2' (%3 series)")
                        .arg(index)
                        .arg(objectName)
                        .arg(all.size())};
    const QAbstractSeries* series = all.at(index);
    QStringList parts;
    if (what == u"points") {
        if (const QXYSeries* xy = pointSource(series))
            for (const QPointF& p : xy->points())
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
    const QChart* chart = chartOf(control);
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
            return axisRange(chart, Qt::Horizontal, name);
        if (what == u"yrange")
            return axisRange(chart, Qt::Vertical, name);
    }
    if (what == u"points" || what == u"labels") {
        if (words.size() != 2)
            return ChartReading{{}, QStringLiteral("usage: get %1 %2 SERIES").arg(name, what)};
        return seriesDetail(chart, what, words.at(1), name);
    }
    return std::nullopt;
}

}  // namespace automation
