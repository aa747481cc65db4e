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
    c.path->setPlaceholderText(QStringLiteral("CSV file: current (A), time (s)"));
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
    const char* checks[] = {"pulseOneCheckBox", "pulseTwoCheckBox", "pulseThreeCheckBox"};
    for (int row = 0; row < 3; ++row) {
        PulseRow& r = c.rows[static_cast<std::size_t>(row)];
        const QString number = QString::number(row + 1);
        r.check = named<QCheckBox>(QString::fromLatin1(checks[row]) + suffix, QStringLiteral("Pulse ") + number);
        r.current = numberBox(QStringLiteral("pulse%1CurrentBox").arg(number) + suffix, QStringLiteral("0"), 7);
        r.duration = numberBox(QStringLiteral("pulse%1DurationBox").arg(number) + suffix, QStringLiteral("0"), 7);
        r.current->setEnabled(false);
        r.duration->setEnabled(false);
        grid->addWidget(r.check, row + 1, 0);
        grid->addWidget(r.current, row + 1, 1);
        grid->addWidget(r.duration, row + 1, 2);
    }
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
