#pragma once
// The tuner's groups beside the editor's: "Wire Properties" and "Pulse
// Check" under the chart, and the sense-resistor tolerance in the "General"
// group of the family's "Device Settings" page. Controls carry their names,
// with the suffix 18 on the 18-pin page.

#include <QString>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;

struct WireControls {
    QGroupBox* group = nullptr;     // wirePropertiesGroupBox
    QComboBox* gauge = nullptr;     // gaugeSelectionBox
    QLineEdit* path = nullptr;      // customWireBox
    QPushButton* browse = nullptr;  // customWireButton
};

struct PulseRow {
    QCheckBox* check = nullptr;     // pulseOneCheckBox, pulseTwoCheckBox, pulseThreeCheckBox
    QLineEdit* current = nullptr;   // pulse1CurrentBox ...
    QLineEdit* duration = nullptr;  // pulse1DurationBox ...
    // What each box last accepted (they start at "0": no pulse); a refused
    // entry brings it back.
    QString acceptedCurrent = QStringLiteral("0");
    QString acceptedDuration = QStringLiteral("0");
};

struct PulseControls {
    QGroupBox* group = nullptr;  // pulseCheckGroupBox
    std::array<PulseRow, 3> rows;
};

WireControls buildWireProperties(const QString& suffix);
PulseControls buildPulseCheck(const QString& suffix);

// resToleranceBox (showing "0.1") as a row of the page's "General" group;
// nullptr when the page has no such group.
QLineEdit* addToleranceBox(QWidget* deviceSettingsPage, const QString& suffix);
