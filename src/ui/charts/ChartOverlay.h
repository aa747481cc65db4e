#pragma once
// What the tool's chart views draw over Qt Charts' own picture: a cursor
// with a readout box, and the tick step that keeps axis labels whole.

#include <QPointF>
#include <QRectF>
#include <QString>
#include <Qt>

class QAbstractAxis;
class QPainter;
class QValueAxis;
class QFont;

namespace chartoverlay {

// Dashed cross lines through at inside plot, and text in a box at the
// plot's top left (moved to the right when the cursor is under it).
void drawCursor(QPainter* painter, const QRectF& plot, QPointF at, const QString& text, const QFont& font);

// Sets a linear axis' tick step so that its labels fit the pixels it is
// drawn over (side by side on a horizontal axis, stacked on a vertical
// one): round steps of at least minimumStep, dynamic ticks from anchor.
void fitTicks(QValueAxis* axis, double axisPixels, Qt::Orientation orientation, double minimumStep = 0.0,
              double anchor = 0.0);

// Grid lines and the axis line as hairlines (pen width 0) in their present
// colours: a line of width 1 or more is stroked as an outline on every
// repaint and for every bounding box, a hairline drawn directly.
void hairlineGrid(QAbstractAxis* axis);

}  // namespace chartoverlay
