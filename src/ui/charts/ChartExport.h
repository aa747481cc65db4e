#pragma once
// Saving what a chart shows: its points as CSV and its picture as PNG, each
// through a save dialog (answered by scripts and tests through the dialog
// seam) and written whole or not at all. Failures are shown in a message box
// naming the file and the reason; success is reported through `done`.

#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "measure/ChartCsv.h"

class ChartPlot;
class QWidget;

namespace chartexport {

// One line for the log when a file was written ("Chart exported to ...").
using Report = std::function<void(const QString& line)>;

// Asks for a .csv path (suggested file name given) and writes text there.
// The written path, or empty when cancelled or failed.
QString saveCsv(QWidget* parent, const QString& suggestedName, const std::string& text, const Report& done);

// Asks for a .png path and saves the view's picture there.
QString savePng(QWidget* parent, const QString& suggestedName, QWidget* view, const Report& done);

// Every visible series of a chart with points, as it was handed them.
std::vector<hss::measure::CsvSeries> visibleSeries(const ChartPlot* chart);

// "Export CSV..." and "Export PNG..." on the view's context menu, running csv and png.
void addExportActions(QWidget* view, const std::function<void()>& csv, const std::function<void()>& png);

}  // namespace chartexport
