#pragma once
// Run-time files shipped with the tool (images/, docs/, headers/, demo/) and
// the indicator art that stands in for a missing image.

#include <QIcon>
#include <QImage>
#include <QString>
#include <QStringList>

namespace resources {

// The folders a shipped file such as "images/redBut.png" is looked for in,
// in this order: the working directory, the executable's folder (the build
// tree lays the files out there), and the data folder of the prefix the
// executable is installed in (../share/keldor-configurator), so an install
// into any prefix works without rebuilding.
QStringList searchFolders();

// Path of the shipped file in the first of the folders that has it; empty
// when none has it.
QString findFile(const QString& relativePath);
QString findFileIn(const QStringList& folders, const QString& relativePath);

// The tool's icon at every size it ships in (embedded in the program).
QIcon appIcon();

// The indicator art: a red or green round lamp, and the bandgap symbol.
QImage drawRedButton(int size = 32);
QImage drawGreenButton(int size = 32);
QImage drawBandgap(int width = 160, int height = 96);

}  // namespace resources
