#pragma once
// The "Safety" page of the 16-pin safety parts: per self-test sub-tab the
// result lamp and label, and for the five tests the host can start the
// "Initiate" / "Reset" buttons with the pending label. The result follows
// ABIST_RESULT (read by the fault poll and "Manual Update"); the pending
// marks follow SAFETY_TEST (set here, refreshed from the read-back by the
// editor, which finds the pending labels by name).
//
// Window thread only, except handle16PWPSafetyRead, which moves itself there.

#include <QObject>

#include <array>
#include <cstdint>

#include "device/SafetyDiagnostics.h"

class FaultIndicator;
class QLabel;
class QPixmap;
class QPushButton;
class SafetyHost;
class SafetyPage;

class SafetyView : public QObject {
public:
    // Builds the rows into the page's sub-tabs. host and page must outlive it.
    SafetyView(SafetyHost& host, SafetyPage& page, QObject* parent = nullptr);

    // The band sketch of the "Bandgap" sub-tab (the lamps get their images
    // with every other indicator of the window).
    void setBandgapPicture(const QPixmap& picture);

    // Consumer of the ABIST_RESULT read (context 9); any thread.
    void handle16PWPSafetyRead(uint16_t value);

    // "Initiate" / "Reset" of a row (0 .. 4, tab order).
    void initiateTest(std::size_t row);
    void resetTest(std::size_t row);

    // Every row back to "Not Faulted", the lamps to not read (a part came).
    void showNotRun();

    // "Sleep Mode" on the "OTP CRC" sub-tab (the window connects it).
    QPushButton* sleepModeSafetyButton = nullptr;

    // Redraws of safetyTabControl asked for by result updates (for tests:
    // repeated identical results cause none).
    int resultRedraws() const { return redraws; }

private:
    struct Row {
        FaultIndicator* lamp = nullptr;
        QLabel* result = nullptr;
        QPushButton* initiate = nullptr;
        QPushButton* reset = nullptr;
        QLabel* pending = nullptr;
    };

    void buildRow(std::size_t row);
    void showSelfTestResults(uint16_t value);
    void writeSafetyTest(uint16_t word);
    void setCaptionMark(std::size_t row, bool marked);

    SafetyHost& host;
    SafetyPage& page;
    std::array<Row, hss::kSelfTestCount> rows{};
    QLabel* bandgapPictureBox = nullptr;
    int redraws = 0;
};
