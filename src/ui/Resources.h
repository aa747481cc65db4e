#pragma once
// Run-time files shipped with the tool (images/, docs/, headers/, demo/) and
// the indicator art that stands in for a missing image.

#include <QImage>
#include <QString>

namespace resources {

// Path of a shipped file such as "images/redBut.png", looked for in the
// working directory first, then beside the executable (and one level up),
// then in the install prefix. Empty when not found.
QString findFile(const QString& relativePath);

// The indicator art: a red or green round lamp, and the bandgap symbol.
QImage drawRedButton(int size = 32);
QImage drawGreenButton(int size = 32);
QImage drawBandgap(int width = 160, int height = 96);

}  // namespace resources
