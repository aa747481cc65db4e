#pragma once
// senseResistorValBox, the sense resistor RSNS in ohms, in the "General"
// group of the 16-pin "Device Settings" page. Checked when the box loses
// focus (or on Enter): text that is not a number becomes "698"; a value
// outside 100-10000 ohms is refused with a message and becomes "698"; an
// accepted value rescales the current option lists. The conversion uses the
// value last committed this way, never half-typed text.

#include <QObject>

class QGroupBox;
class QLineEdit;
class QWidget;
class SenseHost;

class SenseResistorBox : public QObject {
public:
    // Adds the box to the group's form layout.
    SenseResistorBox(SenseHost& host, QGroupBox* generalGroup, QWidget* dialogParent, QObject* parent = nullptr);

    QLineEdit* box() const { return senseResistorValBox; }
    // RSNS for the conversion (ohms).
    double ohms() const { return committedOhms; }

    void senseResistorValBox_Leave();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SenseHost& host;
    QLineEdit* senseResistorValBox;
    QWidget* dialogParent;
    double committedOhms;
    bool checking = false;  // the message box must not run the check again
};
