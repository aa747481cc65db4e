#pragma once
// "Safety" (16-pin safety parts) with its owner-drawn sub-tab headers, and
// the hidden "Test Mode" page. Their contents are built by ui/safety; the
// headers follow the result labels put into resultLabels.

#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include "ui/widgets/PageFrame.h"

#include <array>
#include <functional>

class QLabel;

// Draws each header text itself, coloured by the matching result label.
class SafetyTabBar : public QTabBar {
public:
    explicit SafetyTabBar(QWidget* parent = nullptr);
    // Colour of header i: red when its label's text is red, else green;
    // tabs without a label are black.
    std::function<QColor(int)> headerColor;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class SafetyTabWidget : public QTabWidget {
public:
    explicit SafetyTabWidget(QWidget* parent = nullptr);
    SafetyTabBar* safetyTabBar() const { return bar; }

private:
    SafetyTabBar* bar;
};

class SafetyPage : public PageFrame {
public:
    explicit SafetyPage(QWidget* parent = nullptr);

    // Header colour rule of safetyTabControl_DrawItem.
    QColor safetyTabHeaderColor(int index) const;

    SafetyTabWidget* safetyTabControl;
    // The six sub-tab pages, in tab order, each with an empty vertical layout.
    std::array<QWidget*, 6> subTabPages{};
    // bandgapSafetyLabel, adcSafetyLabel, ch1SafetyShortLabel,
    // ch2SafetyShortLabel, currentSafetyLabel, otpSafetyLabel (set by the
    // safety view; a header without its label is drawn green).
    std::array<QLabel*, 6> resultLabels{};
};

// "Test Mode": "Info", "Control Registers", "Trim Registers" (the sub-tab
// pages testModeInfoPage, testModeControlPage, testModeTrimPage, empty).
PageFrame* buildTestModePage();
