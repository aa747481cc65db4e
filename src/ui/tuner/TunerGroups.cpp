#include "ui/tuner/TunerGroups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editor/FixedOptionLists.h"
#include "ui/WidgetHelpers.h"

using ui::named;

namespace {

// Wide enough for "100.25" and a little more.
QLineEdit* numberBox(const QString& name, const QString& text, int characters)
{
    auto* box = named<QLineEdit>(name, text);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * characters + 16);
    return box;
}

}  // namespace

WireControls buildWireProperties(const QString& suffix)
{
    WireControls c;
    c.group = named<QGroupBox>(QStringLiteral("wirePropertiesGroupBox") + suffix, QStringLiteral("Wire Properties"));
    auto* form = new QFormLayout(c.group);
    c.gauge = named<QComboBox>(QStringLiteral("gaugeSelectionBox") + suffix);
    for (std::string_view item : hss::options::gaugeSelectionItems)
        c.gauge->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    c.gauge->setCurrentIndex(0);
    auto* gaugeLabel = new QLabel(QStringLiteral("Wire Model:"));
    gaugeLabel->setBuddy(c.gauge);
    form->addRow(gaugeLabel, c.gauge);

    c.path = named<QLineEdit>(QStringLiteral("customWireBox") + suffix);
    c.path->setPlaceholderText(QStringLiteral("current (A), time (s)"));
    c.path->setMinimumWidth(c.path->fontMetrics().horizontalAdvance(c.path->placeholderText()) + 16);
    c.path->setToolTip(QStringLiteral("A header line, then one \"current,time\" point per line. "
                                      "Press Enter to load the file named here."));
    c.browse = named<QPushButton>(QStringLiteral("customWireButton") + suffix, QStringLiteral("Browse"));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(c.path, 1);
    fileRow->addWidget(c.browse);
    auto* fileLabel = new QLabel(QStringLiteral("Custom File:"));
    fileLabel->setBuddy(c.path);
    form->addRow(fileLabel, fileRow);
    c.verdict = named<QLabel>(QStringLiteral("wireVerdictLabel") + suffix, QStringLiteral("No wire model."));
    c.verdict->setWordWrap(true);
    c.verdict->setToolTip(QStringLiteral("Judged against the maximum trip curve, the latest the channel may trip "
                                         "at the tolerance shown, wherever the wire model and the curve overlap."));
    form->addRow(QStringLiteral("Protection:"), c.verdict);
    // Only "Custom" reads a file.
    c.path->setEnabled(false);
    c.browse->setEnabled(false);
    return c;
}

PulseControls buildPulseCheck(const QString& suffix)
{
    PulseControls c;
    c.group = named<QGroupBox>(QStringLiteral("pulseCheckGroupBox") + suffix, QStringLiteral("Pulse Check"));
    auto* grid = new QGridLayout(c.group);
    grid->addWidget(new QLabel(QStringLiteral("Current (A)")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Duration (s)")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Verdict")), 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Margin")), 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Trips After")), 0, 5);
    c.group->setToolTip(QStringLiteral("Each pulse is judged against the minimum trip curve, the earliest the "
                                       "channel may trip at the tolerance shown, starting from an empty integrator, and against the software limit."));
    const char* checks[] = {"pulseOneCheckBox", "pulseTwoCheckBox", "pulseThreeCheckBox"};
    for (int row = 0; row < 3; ++row) {
        PulseRow& r = c.rows[static_cast<std::size_t>(row)];
        const QString number = QString::number(row + 1);
        r.check = named<QCheckBox>(QString::fromLatin1(checks[row]) + suffix, QStringLiteral("Pulse ") + number);
        r.current = numberBox(QStringLiteral("pulse%1CurrentBox").arg(number) + suffix, QStringLiteral("0"), 6);
        r.duration = numberBox(QStringLiteral("pulse%1DurationBox").arg(number) + suffix, QStringLiteral("0"), 6);
        r.current->setEnabled(false);
        r.duration->setEnabled(false);
        grid->addWidget(r.check, row + 1, 0);
        grid->addWidget(r.current, row + 1, 1);
        grid->addWidget(r.duration, row + 1, 2);
        r.verdict = named<QLabel>(QStringLiteral("pulse%1VerdictLabel").arg(number) + suffix);
        r.margin = named<QLabel>(QStringLiteral("pulse%1MarginLabel").arg(number) + suffix);
        r.tripTime = named<QLabel>(QStringLiteral("pulse%1TripTimeLabel").arg(number) + suffix);
        grid->addWidget(r.verdict, row + 1, 3);
        grid->addWidget(r.margin, row + 1, 4);
        grid->addWidget(r.tripTime, row + 1, 5);
    }
    c.i2tOff = named<QLabel>(QStringLiteral("pulseI2TOffLabel") + suffix,
                             QStringLiteral("I2T is off on this channel: no pulse trips until it is enabled."));
    ui::setTextColor(c.i2tOff, ui::kDarkOrange);
    c.i2tOff->setWordWrap(true);
    c.i2tOff->hide();
    grid->addWidget(c.i2tOff, 4, 0, 1, 6);
    return c;
}

CalculatorControls buildTripCalculator(const QString& suffix)
{
    CalculatorControls c;
    c.group = named<QGroupBox>(QStringLiteral("tripCalcGroupBox") + suffix, QStringLiteral("Trip Time Calculator"));
    auto* form = new QFormLayout(c.group);
    c.current = numberBox(QStringLiteral("tripCalcCurrentBox") + suffix, QString(), 7);
    c.current->setPlaceholderText(QStringLiteral("A"));
    c.current->setToolTip(QStringLiteral("A current in amperes; press Enter or leave the box."));
    form->addRow(QStringLiteral("Current (A):"), c.current);
    c.nominal = named<QLabel>(QStringLiteral("tripCalcNominalLabel") + suffix);
    c.minimum = named<QLabel>(QStringLiteral("tripCalcMinimumLabel") + suffix);
    c.maximum = named<QLabel>(QStringLiteral("tripCalcMaximumLabel") + suffix);
    form->addRow(QStringLiteral("Nominal trip:"), c.nominal);
    form->addRow(QStringLiteral("Earliest (minimum curve):"), c.minimum);
    form->addRow(QStringLiteral("Latest (maximum curve):"), c.maximum);
    return c;
}

QLineEdit* addToleranceBox(QWidget* deviceSettingsPage, const QString& suffix)
{
    auto* general = deviceSettingsPage->findChild<QGroupBox*>(QStringLiteral("generalGroupBox") + suffix);
    auto* form = general != nullptr ? qobject_cast<QFormLayout*>(general->layout()) : nullptr;
    if (form == nullptr)
        return nullptr;
    QLineEdit* box = numberBox(QStringLiteral("resToleranceBox") + suffix, QStringLiteral("0.1"), 6);
    box->setToolTip(QStringLiteral("Tolerance of the sense resistor in percent: widens the minimum and maximum "
                                   "trip curves of the I2T tuner. Leave the box or press Enter to apply."));
    auto* label = new QLabel(QStringLiteral("Sense Resistor Tolerance (%):"));
    label->setBuddy(box);
    form->addRow(label, box);
    return box;
}
