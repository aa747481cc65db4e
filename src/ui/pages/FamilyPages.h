#pragma once
// The pages that belong to one package family ("I2T Tuner", "Device Settings",
// "Channel Settings" for each family, and the 18-pin "User Registers"). The
// same builders make both families; 18-pin controls carry the suffix 18.
// The editor fills the groups; this file gives them their places and names.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;

struct FamilyPageSet {
    QWidget* fuseTunerPage = nullptr;
    QWidget* devSettingPage = nullptr;
    QWidget* chanSettingsPage = nullptr;
    QGroupBox* generalGroupBox = nullptr;
    QGroupBox* statisticsGroupBox = nullptr;
    QCheckBox* enableCRCBox = nullptr;
    QComboBox* faultUpdateStatus = nullptr;
};

class FamilyPages {
public:
    FamilyPages();

    FamilyPageSet sixteen;    // fuseTunerPage16pwp, devSettingPage16pwp, chanSettingsPage16pwp
    FamilyPageSet eighteen;   // fuseTunerPage18pwp, devSettingPage18pwp, chanSettingsPage18pwp
    QWidget* userDataTab;     // 18-pin "User Registers"
};
