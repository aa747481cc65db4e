#pragma once
// "Command Center": always shown. Holds the PWM, channel-enable and quick
// command groups (filled by the editor), the fault/diagnostics indicators,
// the graph settings and the sense chart area.

#include <QWidget>

class QGroupBox;
class QLabel;
class QListWidget;
class QCheckBox;

class CommandCenterPage : public QWidget {
public:
    explicit CommandCenterPage(QWidget* parent = nullptr);

    QGroupBox* pwmGroupBox;
    QGroupBox* channelEnableGroupBox;
    QGroupBox* quickCommandsGroupBox;
    QGroupBox* faultDiagnosticsGroupBox;
    QGroupBox* graphSettingsGroupBox;
    QWidget* senseChartArea;  // the live sense chart goes here

    QLabel* channelOneLabel;
    QLabel* channelTwoLabel;
    QLabel* globalLabel;
    QLabel* faultPinLabel;
    QListWidget* senseChannelBox;
    QCheckBox* senseChannelAll;
};
