#pragma once
// The pages that belong to one package family ("I2T Tuner", "Device
// Settings", "Channel Settings" for each family, and the 18-pin "User
// Registers"). The same builders make both families; the 18-pin regions and
// controls carry the suffix 18. The editor fills the settings; this file
// gives the pages their regions and the parts that are not settings.

#include "ui/widgets/PageFrame.h"

class QComboBox;
class QGroupBox;

// "I2T Tuner": parameters left (editor), the chart region right at full
// height with wire properties and pulse check under it, the parameter
// description at the bottom (editor). Regions: i2tChartRegion,
// wirePropertiesRegion, pulseCheckRegion (+ "18").
class TunerPage : public PageFrame {
public:
    TunerPage(const QString& pageName, const QString& suffix);
    QWidget* chartRegion() const { return chart; }
    QWidget* wirePropertiesRegion() const { return wireProperties; }
    QWidget* pulseCheckRegion() const { return pulseCheck; }

private:
    QWidget* chart;
    QWidget* wireProperties;
    QWidget* pulseCheck;
};

// "Device Settings": the faults band on top (channel faults, global faults,
// "Statistics" with the fault-reading mode; filled by the fault view), the
// settings groups below (editor). Regions: faultsBand, channelFaultsRegion,
// globalFaultsRegion, statsGroupBox (+ "18").
class DeviceSettingsPage : public PageFrame {
public:
    DeviceSettingsPage(const QString& pageName, const QString& suffix);
    QWidget* faultsBand() const { return band; }
    QWidget* channelFaultsRegion() const { return channelFaults; }
    QWidget* globalFaultsRegion() const { return globalFaults; }

    // The statistics panel: a form whose last row is "Fault reading:".
    QGroupBox* statsGroupBox;
    // faultUpdateStatus / faultUpdateStatus18: how the fault registers are read.
    QComboBox* faultUpdateStatus;

private:
    QWidget* band;
    QWidget* channelFaults;
    QWidget* globalFaults;
};

struct FamilyPageSet {
    TunerPage* fuseTunerPage = nullptr;
    DeviceSettingsPage* devSettingPage = nullptr;
    PageFrame* chanSettingsPage = nullptr;
    QGroupBox* statsGroupBox = nullptr;
    QComboBox* faultUpdateStatus = nullptr;
};

class FamilyPages {
public:
    FamilyPages();

    FamilyPageSet sixteen;    // fuseTunerPage16pwp, devSettingPage16pwp, chanSettingsPage16pwp
    FamilyPageSet eighteen;   // fuseTunerPage18pwp, devSettingPage18pwp, chanSettingsPage18pwp
    PageFrame* userDataTab;   // 18-pin "User Registers"
};
