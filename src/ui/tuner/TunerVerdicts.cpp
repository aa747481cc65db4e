// The verdicts beside the tuner's inputs: each test pulse trips or passes
// (and its marker shows which), the wire model is protected or not, and the
// calculator's trip times at a current. All from the settings of the last
// redraw, so they always judge the curves drawn.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include "ui/charts/ChartPlot.h"

#include <cmath>

#include "editor/TunerInputs.h"
#include "measure/NumberText.h"
#include "ui/QtText.h"
#include "ui/WidgetHelpers.h"
#include "ui/tuner/I2TTuner.h"

namespace {

QString energyText(double value)
{
    return QString::number(value, 'f', value >= 100.0 ? 0 : 1);
}

void clearLabels(std::initializer_list<QLabel*> labels)
{
    for (QLabel* label : labels)
        label->clear();
}

}  // namespace

namespace {

bool i2tOn(const QCheckBox* enable) { return enable == nullptr || enable->isChecked(); }

}  // namespace

void I2TTuner::updateVerdicts(FamilyPage& page)
{
    page.pulses.i2tOff->setVisible(!i2tOn(page.i2tEnable));
    for (int row = 0; row < 3; ++row)
        showPulseVerdict(page, row);
    showWireVerdict(page);
    tripCalcCurrentBox_Leave(page);
}

void I2TTuner::showPulseVerdict(FamilyPage& page, int row)
{
    const PulseRow& r = page.pulses.rows[static_cast<std::size_t>(row)];
    const std::optional<hss::i2t::ChartPoint> pulse =
        r.check->isChecked()
            ? hss::i2t::pulseMarker(r.acceptedCurrent.toStdString(), r.acceptedDuration.toStdString())
            : std::nullopt;
    if (!pulse || !page.trip.settings) {
        clearLabels({r.verdict, r.margin, r.tripTime});
        ui::setTextColor(r.verdict, ui::kBlack);
        if (pulse)
            r.verdict->setText(QStringLiteral("no curve"));
        showPulseMarkerVerdict(page.charts, row, std::nullopt);
        return;
    }
    const hss::i2t::PulseVerdict v = hss::i2t::pulseVerdict(*page.trip.settings, *pulse);
    r.verdict->setText(v.trips ? QStringLiteral("trips") : QStringLiteral("passes"));
    ui::setTextColor(r.verdict, v.trips ? ui::kRed : ui::kGreen);
    // A tenth of a percent only where it tells a near miss from a near trip.
    const int decimals = std::abs(v.marginPercent) < 10.0 ? 1 : 0;
    r.margin->setText(QStringLiteral("%1 % of %2 A2s")
                          .arg(QString::number(v.marginPercent, 'f', decimals), energyText(v.tripEnergy)));
    r.margin->setToolTip(QStringLiteral("The pulse counts %1 A2s on the minimum trip curve, which trips at %2 A2s.")
                             .arg(energyText(v.pulseEnergy), energyText(v.tripEnergy)));
    QString time = ui::qtext(hss::i2t::tripTimeText(v.tripTime));
    if (v.bySoftwareLimit)
        time += QStringLiteral(" (SW)");
    r.tripTime->setText(time);
    r.tripTime->setToolTip(v.bySoftwareLimit ? QStringLiteral("Above the software current limit the channel is off "
                                                              "after the software limit delay.")
                                             : QStringLiteral("When the minimum trip curve trips at this current."));
    showPulseMarkerVerdict(page.charts, row, v.trips);
}

void I2TTuner::showWireVerdict(FamilyPage& page)
{
    QLabel* label = page.wire.verdict;
    ChartSeries* wire = page.charts.wireModel();
    if (!wire->isVisible() || wire->count() == 0) {
        label->setText(QStringLiteral("No wire model."));
        ui::setTextColor(label, ui::kBlack);
        return;
    }
    if (!page.trip.settings) {
        label->setText(QStringLiteral("No trip curve to judge the wire model by."));
        ui::setTextColor(label, ui::kBlack);
        return;
    }
    std::vector<hss::i2t::ChartPoint> points;
    points.reserve(static_cast<std::size_t>(wire->count()));
    for (const QPointF& p : wire->points())
        points.push_back({p.x(), p.y()});
    const hss::i2t::WireVerdict v = hss::i2t::wireVerdict(*page.trip.settings, points);
    const QString verdict = ui::qtext(hss::i2t::wireVerdictText(v));
    // The curve protects nothing while the chip does not use it.
    if (!i2tOn(page.i2tEnable)) {
        label->setText(QStringLiteral("Not protected: I2T is off on this channel. Once it is on: ") + verdict);
        ui::setTextColor(label, ui::kRed);
        return;
    }
    label->setText(verdict);
    ui::setTextColor(label, !v.judged ? ui::kBlack : v.protectedWire ? ui::kGreen : ui::kRed);
}

void I2TTuner::tripCalcCurrentBox_Leave(FamilyPage& page)
{
    const CalculatorControls& c = page.calculator;
    const QString typed = c.current->text().trimmed();
    const std::optional<double> current = hss::text::parseDecimal(typed.toStdString());
    if (typed.isEmpty() || !page.trip.settings || !current || *current < 0.0) {
        clearLabels({c.nominal, c.minimum, c.maximum});
        if (!typed.isEmpty() && (!current || *current < 0.0))
            c.nominal->setText(QStringLiteral("not a current"));
        else if (!typed.isEmpty())
            c.nominal->setText(QStringLiteral("no curve"));
        return;
    }
    const hss::i2t::TripTimes t = hss::i2t::tripTimes(*page.trip.settings, *current);
    c.nominal->setText(ui::qtext(hss::i2t::tripTimeText(t.nominal)));
    c.minimum->setText(ui::qtext(hss::i2t::tripTimeText(t.minimum)));
    c.maximum->setText(ui::qtext(hss::i2t::tripTimeText(t.maximum)));
}
