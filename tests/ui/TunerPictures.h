#pragma once
// What the tuner's picture tests share: where the screenshots go and whether
// a value is drawn in a colour.

#include <QDir>
#include <QImage>
#include <QWidget>

#include <functional>

#include "ui/charts/ChartPlot.h"

inline QString screenshotFolder()
{
    const QByteArray bin = qgetenv("KC_BIN_DIR");
    QDir dir(bin.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(bin) + "/..");
    dir.mkpath(QStringLiteral("screenshots/tuner"));
    return dir.filePath(QStringLiteral("screenshots/tuner"));
}

// True when a pixel within 3 of where the value is drawn passes the test.
inline bool drawnNear(const QImage& image, QWidget* window, ChartPlot* view, QPointF value,
                      const std::function<bool(QColor)>& colourTest)
{
    const QPoint at = view->mapTo(window, view->toPixel(value).toPoint());
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (image.rect().contains(p) && colourTest(image.pixelColor(p)))
                return true;
        }
    }
    return false;
}
