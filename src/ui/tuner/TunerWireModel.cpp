// "Wire Properties": the example gauges and custom wire-model files drawn
// as the I2T chart's "Wire Model" series.

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include "ui/charts/ChartPlot.h"

#include "editor/WireModels.h"
#include "ui/seam/DialogSeam.h"
#include "ui/tuner/I2TTuner.h"
#include "ui/tuner/TunerHost.h"

namespace {

constexpr double kDisabledTimeMaximum = 100.0;

}  // namespace

void I2TTuner::clearWireModel(FamilyPage& page)
{
    setSeriesPoints(page.charts.wireModel(), {});
    showWireVerdict(page);
}

void I2TTuner::gaugeSelectionBox_SelectedIndexChanged(FamilyPage& page)
{
    if (host.eventsSuppressed())
        return;
    clearWireModel(page);
    const int gauge = page.wire.gauge->currentIndex();
    const bool custom = gauge == hss::i2t::GAUGE_CUSTOM;
    // Only "Custom" reads a file; with any other choice the path box and
    // "Browse" would load a model the list does not show.
    page.wire.path->setEnabled(custom);
    page.wire.browse->setEnabled(custom);
    if (gauge <= hss::i2t::GAUGE_DISABLED) {
        page.charts.wireModel()->setVisible(false);
        setTimeAxisMaximum(page.charts.i2tTimeAxis, kDisabledTimeMaximum);
        redrawPage(page);
        return;
    }
    if (const std::optional<hss::i2t::WireModel> example = hss::i2t::exampleWireModel(gauge)) {
        setSeriesPoints(page.charts.wireModel(), example->points, {example->label});
        page.charts.wireModel()->setVisible(true);
    } else if (custom && !page.wire.path->text().isEmpty()) {
        loadWireProfile(page);
    }
    // With a wire model the time axis runs to 4000 s; left at the curve's
    // own maximum it would cut off the model just chosen.
    redrawPage(page);
}

void I2TTuner::loadWireProfileFromBox(hss_device_family_t family)
{
    loadWireProfile(pageOf(family));
}

void I2TTuner::loadWireProfile(FamilyPage& page)
{
    QWidget* parent = page.root->window();
    const QString name = page.wire.path->text();
    const hss::i2t::WireModelFile file = hss::i2t::loadWireModelFile(
        std::filesystem::path(QFile::encodeName(name).toStdString()), page.charts.i2tTimeAxis->range().lower);
    if (!file.model) {
        const QString caption = file.notFound ? QString::fromUtf8(hss::i2t::kWireFileNotFoundCaption)
                                              : QStringLiteral("Wire Model Not Loaded");
        DialogSeam::message(parent, QMessageBox::Critical, caption, QString::fromStdString(file.error));
        // The box names only a model that is shown.
        page.wire.path->clear();
        return;
    }
    const hss::i2t::CustomWireModel& model = *file.model;
    // The series shows this file alone, however often it is loaded.
    setSeriesPoints(page.charts.wireModel(), model.points);
    page.charts.wireModel()->setVisible(true);
    setTimeAxisMinimum(page.charts.i2tTimeAxis, model.timeAxisMinimum);
    showWireVerdict(page);
    host.logEditorLine(QString::fromStdString(hss::i2t::wireModelLoadedLine(model, name.toStdString())));
}

void I2TTuner::customWireButton_Click(FamilyPage& page)
{
    QWidget* parent = page.root->window();
    const QString path = DialogSeam::openFileName(parent, QStringLiteral("Open Wire Model"),
                                                  QStringLiteral("comma-separated value files (*.csv)"));
    if (path.isEmpty())
        return;
    page.wire.path->setText(path);
    loadWireProfile(page);
    if (page.wire.path->text() == path) {
        DialogSeam::message(parent, QMessageBox::Information, QStringLiteral("Wire Model Loaded"),
                            QStringLiteral("Wire gauge loaded from ") + path);
    }
}
