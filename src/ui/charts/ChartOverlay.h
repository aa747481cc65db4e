#pragma once
// What the tool's chart views draw over the plot: a cursor with a readout
// box, and the tick step that keeps axis labels whole.

#include <QPointF>
#include <QRectF>
#include <QString>
#include <Qt>

class QCPAxis;
class QPainter;
class QFont;

namespace chartoverlay {

// Dashed cross lines through at inside plot, and text in a box at the
// plot's top left (moved to the right when the cursor is under it).
void drawCursor(QPainter* painter, const QRectF& plot, QPointF at, const QString& text, const QFont& font);

// Sets a linear axis' tick step so that its labels fit the pixels it is
// drawn over (side by side on a horizontal axis, stacked on a vertical
// one): round steps of at least minimumStep, ticks from anchor.
// True when the step changed (a replot then draws the new ticks).
bool fitTicks(QCPAxis* axis, double axisPixels, Qt::Orientation orientation, double minimumStep = 0.0,
              double anchor = 0.0);

}  // namespace chartoverlay
