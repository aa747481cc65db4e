#pragma once
// "Command Center": always shown. A status strip across the top (fault lamps
// and the live values of both channels, the FAULT pin), the editor's PWM,
// channel-enable and quick-command groups on the left (filled by the
// editor), and on the right the sense chart region with "Graph Settings".
//
// Regions (objectName, accessor):
//   commandCenterStatusStrip  statusStrip()       the strip; fixed captions
//   commandCenterPageControls region(Controls)   editor groups
//   senseChartRegion          senseChartRegion()  the live sense chart goes
//                             here; emptyStateLabel speaks while no chip is there
//   graphSettingsGroupBox     graphSettingsGroupBox "Graph Settings"

#include "ui/widgets/PageFrame.h"

class FaultIndicator;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;

class CommandCenterPage : public PageFrame {
public:
    explicit CommandCenterPage(QWidget* parent = nullptr);

    QFrame* statusStrip() const { return strip; }
    QWidget* senseChartRegion() const { return chartRegion; }

    // The live chart, in the chart region; hidden while the region says why
    // there is nothing to chart.
    void setSenseChart(QWidget* chart);

    // What the empty chart region says while there is nothing to chart.
    enum class EmptyState { ChipPresent, NoChip, NoBoard };
    void showEmptyState(EmptyState state);
    EmptyState emptyState() const { return shownState; }

    // Status strip: lamp, fault text and value per channel and for the sum;
    // the FAULT pin's level. All start as not read (grey).
    FaultIndicator* faultBox1;
    FaultIndicator* faultBox2;
    FaultIndicator* faultBoxGlobal;
    QLabel* channelOneFaultLabel;
    QLabel* channelTwoFaultLabel;
    QLabel* globalFaultLabel;
    QLabel* channelOneLabel;
    QLabel* channelTwoLabel;
    QLabel* globalLabel;
    QLabel* faultPinLabel;

    QLabel* emptyStateLabel;
    QGroupBox* graphSettingsGroupBox;
    QListWidget* senseChannelBox;
    QCheckBox* senseChannelAll;

    static const QString kNoChipText;
    static const QString kNoBoardText;

private:
    QFrame* strip;
    QWidget* chartRegion;
    QWidget* senseChart = nullptr;
    EmptyState shownState = EmptyState::NoBoard;
};
