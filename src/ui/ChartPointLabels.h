#pragma once
// Text drawn beside single points of a chart series ("4A", "SW: 13.3A").
// A chart series has no per-point label text, so a chart page keeps them on the
// series as the property "pointLabels" (a QMap<int, QString> from point
// index to text) and draws them itself; scripts read them from there.

#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>

namespace chartlabels {

inline constexpr const char* kPointLabelsProperty = "pointLabels";

inline void setPointLabels(QObject* series, const QMap<int, QString>& labels)
{
    series->setProperty(kPointLabelsProperty, QVariant::fromValue(labels));
}

inline QMap<int, QString> pointLabels(const QObject* series)
{
    return series->property(kPointLabelsProperty).value<QMap<int, QString>>();
}

}  // namespace chartlabels
