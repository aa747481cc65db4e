#include "ui/charts/ChartExport.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QWidget>

#include "files/FileReplace.h"
#include "ui/charts/ChartPlot.h"
#include "ui/seam/DialogSeam.h"

namespace chartexport {
namespace {

// Where the last export went, so the next dialog opens there.
QString& lastFolder()
{
    static QString folder;
    return folder;
}

QString withSuffix(QString path, const QString& suffix)
{
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    return path;
}

QString ask(QWidget* parent, const QString& caption, const QString& filter, const QString& suggestedName,
            const QString& suffix)
{
    const QString folder = lastFolder().isEmpty() ? QDir::currentPath() : lastFolder();
    const QString chosen = DialogSeam::saveFileName(parent, caption, filter, QDir(folder).filePath(suggestedName));
    if (chosen.isEmpty())
        return {};
    const QString path = withSuffix(chosen, suffix);
    lastFolder() = QFileInfo(path).absolutePath();
    return path;
}

bool write(QWidget* parent, const QString& path, const std::string& bytes, const Report& done)
{
    if (const auto error = hss::files::writeFileReplacing(path.toStdString(), bytes)) {
        DialogSeam::message(parent, QMessageBox::Critical, QStringLiteral("Export Failed"),
                            QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path),
                                                                     QString::fromStdString(*error)));
        return false;
    }
    if (done)
        done(QStringLiteral("Chart exported to %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

}  // namespace

QString saveCsv(QWidget* parent, const QString& suggestedName, const std::string& text, const Report& done)
{
    const QString path =
        ask(parent, QStringLiteral("Export Chart Points"), QStringLiteral("CSV files (*.csv)"), suggestedName, ".csv");
    if (path.isEmpty() || !write(parent, path, text, done))
        return {};
    return path;
}

QString savePng(QWidget* parent, const QString& suggestedName, QWidget* view, const Report& done)
{
    const QString path =
        ask(parent, QStringLiteral("Export Chart Picture"), QStringLiteral("PNG images (*.png)"), suggestedName, ".png");
    if (path.isEmpty())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!view->grab().toImage().save(&buffer, "PNG")) {
        DialogSeam::message(parent, QMessageBox::Critical, QStringLiteral("Export Failed"),
                            QStringLiteral("Cannot draw the chart for %1.").arg(QDir::toNativeSeparators(path)));
        return {};
    }
    if (!write(parent, path, png.toStdString(), done))
        return {};
    return path;
}

std::vector<hss::measure::CsvSeries> visibleSeries(const ChartPlot* chart)
{
    std::vector<hss::measure::CsvSeries> out;
    for (const ChartSeries* series : chart->seriesList()) {
        if (!series->isVisible() || series->count() == 0)
            continue;
        hss::measure::CsvSeries csv;
        csv.name = series->name().toStdString();
        for (const QPointF& p : series->points())
            csv.points.emplace_back(p.x(), p.y());
        out.push_back(std::move(csv));
    }
    return out;
}

void addExportActions(QWidget* view, const std::function<void()>& csv, const std::function<void()>& png)
{
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* exportCsv = new QAction(QStringLiteral("Export CSV..."), view);
    auto* exportPng = new QAction(QStringLiteral("Export PNG..."), view);
    QObject::connect(exportCsv, &QAction::triggered, view, csv);
    QObject::connect(exportPng, &QAction::triggered, view, png);
    view->addAction(exportCsv);
    view->addAction(exportPng);
}

}  // namespace chartexport
