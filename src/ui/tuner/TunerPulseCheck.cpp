// "Pulse Check": three test pulses (current, duration) drawn as single
// markers on the I2T chart (series 4 to 6), to see whether the channel
// would trip on them.

#include <QCheckBox>
#include <QLineEdit>
#include "ui/charts/ChartPlot.h"

#include "editor/TunerInputs.h"
#include "ui/seam/DialogSeam.h"
#include "ui/tuner/I2TTuner.h"
#include "ui/tuner/TunerHost.h"

namespace {

// Row k of "Pulse Check" draws on series 4 + k of the I2T chart.
constexpr int kFirstPulseSeries = 4;

}  // namespace

void I2TTuner::pulseCheckBox_CheckedChanged(FamilyPage& page, int row)
{
    if (host.eventsSuppressed())
        return;
    const PulseRow& r = page.pulses.rows[static_cast<std::size_t>(row)];
    ChartSeries* series = page.charts.pulse(row);
    if (row == 1)
        setSeriesPoints(series, {});
    const bool checked = r.check->isChecked();
    r.current->setEnabled(checked);
    r.duration->setEnabled(checked);
    if (!checked) {
        series->setVisible(false);
        showPulseVerdict(page, row);
        return;
    }
    drawPulse(page, row);
    showPulseVerdict(page, row);
}

void I2TTuner::pulseBox_Leave(FamilyPage& page, int row, QLineEdit* box)
{
    if (host.eventsSuppressed())
        return;
    PulseRow& r = page.pulses.rows[static_cast<std::size_t>(row)];
    const bool current = box == r.current;
    QString& accepted = current ? r.acceptedCurrent : r.acceptedDuration;
    const QString typed = box->text();
    if (typed == accepted)
        return;
    if (!hss::i2t::pulseValue(typed.toStdString())) {
        // Back first: the message takes the focus, which finishes the edit again.
        box->setText(accepted);
        DialogSeam::message(page.root->window(), QMessageBox::Warning, QStringLiteral("Invalid Pulse"),
                            QStringLiteral("Pulse %1 %2 \"%3\" is not a positive number of %4; the box keeps %5.")
                                .arg(QString::number(row + 1), current ? QStringLiteral("current") : QStringLiteral("duration"),
                                     typed, current ? QStringLiteral("amperes") : QStringLiteral("seconds"), accepted));
        return;
    }
    accepted = typed;
    drawPulse(page, row);
    showPulseVerdict(page, row);
}

void I2TTuner::drawPulse(FamilyPage& page, int row)
{
    const PulseRow& r = page.pulses.rows[static_cast<std::size_t>(row)];
    const std::optional<hss::i2t::ChartPoint> marker =
        hss::i2t::pulseMarker(r.acceptedCurrent.toStdString(), r.acceptedDuration.toStdString());
    if (marker)
        updatePulseBox(page, kFirstPulseSeries + row, marker->x, marker->y);
}

void I2TTuner::updatePulseBox(FamilyPage& page, int series, double current, double duration)
{
    // A zero pulse is no pulse; nothing at or below zero reaches the time axis.
    if (current <= 0.0 || duration <= 0.0)
        return;
    ChartSeries* marker = page.charts.i2tSeries[static_cast<std::size_t>(series)];
    setSeriesPoints(marker, {{current, duration}});
    marker->setVisible(true);
}
