#pragma once
// The I2T tuner's charts on both families' "I2T Tuner" pages: the curves
// redrawn from the tuning parameters (redrawI2TGraph, redrawI2TGraph18PWP),
// the wire models ("Wire Properties"), the test pulses ("Pulse Check") and
// the sense-resistor tolerance that widens the trip bands (resToleranceBox
// on "Device Settings"). The curve math is hss::i2t (editor/I2TCurve); this
// class reads the page's controls, hands the series their points and runs
// the handlers. Everything here runs on the window thread.
//
// The editor's tuning controls (nomCurrentBox, i2tTrack, ...) must exist on
// the pages before the tuner is built: it finds them by name.

#include <QObject>

#include <array>

#include "device/HSSDeviceFamily.h"
#include "editor/I2TVerdicts.h"
#include "ui/tuner/TunerCharts.h"
#include "ui/tuner/TunerGroups.h"

class QCheckBox;
class QComboBox;
class QSlider;
class TunerHost;
class TunerPage;

class I2TTuner : public QObject {
public:
    struct Pages {
        TunerPage* tuner16 = nullptr;
        QWidget* deviceSettings16 = nullptr;  // holds the "General" group
        TunerPage* tuner18 = nullptr;
        QWidget* deviceSettings18 = nullptr;
    };

    I2TTuner(TunerHost& host, const Pages& pages, QObject* parent = nullptr);
    ~I2TTuner() override;

    // Recompute and draw both charts of the family's page from its current
    // selections; nothing while the event guard is set.
    void redrawI2TGraph();
    void redrawI2TGraph18PWP();
    void redraw(hss_device_family_t family);

    // Loads the custom wire model named in the family's customWireBox.
    void loadWireProfileFromBox(hss_device_family_t family = HSS_FAMILY_16PWP);

    // The sense-resistor tolerance in percent (0 at start, whatever the box shows).
    float curResTolerance() const { return tolerance; }

    const TunerCharts& charts(hss_device_family_t family) const { return pageOf(family).charts; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct FamilyPage {
        hss_device_family_t family = HSS_FAMILY_16PWP;
        QWidget* root = nullptr;  // the "I2T Tuner" page
        TunerCharts charts;
        WireControls wire;
        PulseControls pulses;
        CalculatorControls calculator;
        // The settings of the last redraw, which the verdicts judge.
        hss::i2t::TripSettingsRead trip;
        QLineEdit* toleranceBox = nullptr;
        // The editor's tuning parameters (nullptr when absent).
        QSlider* track = nullptr;
        QComboBox* nominal = nullptr;
        QComboBox* softwareLimit = nullptr;
        QComboBox* hardwareLimit = nullptr;
        QComboBox* softwareDelay = nullptr;
        QCheckBox* i2tEnable = nullptr;  // enableI2TBox: off, nothing trips
    };

    void buildPage(FamilyPage& page, TunerPage* tunerPage, QWidget* deviceSettings);
    void connectPage(FamilyPage& page);
    FamilyPage& pageOf(hss_device_family_t family);
    const FamilyPage& pageOf(hss_device_family_t family) const;
    void redrawPage(FamilyPage& page);

    // Tolerance (I2TTuner.cpp).
    void resToleranceBox_Leave(FamilyPage& page);

    // Wire models (TunerWireModel.cpp).
    void gaugeSelectionBox_SelectedIndexChanged(FamilyPage& page);
    void customWireButton_Click(FamilyPage& page);
    void loadWireProfile(FamilyPage& page);
    void clearWireModel(FamilyPage& page);

    // Verdicts and the trip-time calculator (TunerVerdicts.cpp).
    void updateVerdicts(FamilyPage& page);
    void showPulseVerdict(FamilyPage& page, int row);
    void showWireVerdict(FamilyPage& page);
    void tripCalcCurrentBox_Leave(FamilyPage& page);

    // Test pulses (TunerPulseCheck.cpp).
    void pulseCheckBox_CheckedChanged(FamilyPage& page, int row);
    // Enter or leaving the box: a positive number is taken, anything else refused.
    void pulseBox_Leave(FamilyPage& page, int row, QLineEdit* box);
    void drawPulse(FamilyPage& page, int row);
    void updatePulseBox(FamilyPage& page, int series, double current, double duration);

    TunerHost& host;
    std::array<FamilyPage, 2> pages;  // 16-pin, 18-pin
    float tolerance = 0.0f;           // curResTolerance
};
