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
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

struct WireControls {
    QGroupBox* group = nullptr;     // wirePropertiesGroupBox
    QComboBox* gauge = nullptr;     // gaugeSelectionBox
    QLineEdit* path = nullptr;      // customWireBox
    QPushButton* browse = nullptr;  // customWireButton
    QLabel* verdict = nullptr;      // wireVerdictLabel: is the wire protected?
};

struct PulseRow {
    QCheckBox* check = nullptr;     // pulseOneCheckBox, pulseTwoCheckBox, pulseThreeCheckBox
    QLineEdit* current = nullptr;   // pulse1CurrentBox ...
    QLineEdit* duration = nullptr;  // pulse1DurationBox ...
    QLabel* verdict = nullptr;      // pulse1VerdictLabel ...: "trips" or "passes"
    QLabel* margin = nullptr;       // pulse1MarginLabel ...: energy margin
    QLabel* tripTime = nullptr;     // pulse1TripTimeLabel ...: earliest trip at the pulse current
    // What each box last accepted (they start at "0": no pulse); a refused
    // entry brings it back.
    QString acceptedCurrent = QStringLiteral("0");
    QString acceptedDuration = QStringLiteral("0");
};

struct PulseControls {
    QGroupBox* group = nullptr;  // pulseCheckGroupBox
    std::array<PulseRow, 3> rows;
    QLabel* i2tOff = nullptr;    // pulseI2TOffLabel: shown while I2T is off on the channel
};

// "Trip Time Calculator": a current in, the three trip times out.
struct CalculatorControls {
    QGroupBox* group = nullptr;    // tripCalcGroupBox
    QLineEdit* current = nullptr;  // tripCalcCurrentBox
    QLabel* nominal = nullptr;     // tripCalcNominalLabel
    QLabel* minimum = nullptr;     // tripCalcMinimumLabel
    QLabel* maximum = nullptr;     // tripCalcMaximumLabel
};

WireControls buildWireProperties(const QString& suffix);
PulseControls buildPulseCheck(const QString& suffix);
CalculatorControls buildTripCalculator(const QString& suffix);

// resToleranceBox (showing "0.1") as a row of the page's "General" group;
// nullptr when the page has no such group.
QLineEdit* addToleranceBox(QWidget* deviceSettingsPage, const QString& suffix);
