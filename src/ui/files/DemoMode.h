#pragma once
// "Help" -> "Demo/Config Mode": the whole interface without a board, on a
// chosen demo part whose identification code goes through the normal
// identification path and whose register image comes from a demo values
// file. Leaving demo mode puts back what a real chip would find and what
// the window showed: the records, the held-edit flag, the family, the part
// labels and the tab pages.

#include <QColor>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

#include <atomic>
#include <optional>

#include "device/HSSDeviceFamily.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"

class FilesHost;
class SettingsFileCommands;
class QAction;
class QComboBox;
class QLabel;
class QTabWidget;
class QWidget;

// The window's controls demo mode switches.
struct DemoModeControls {
    QAction* demoModeItem = nullptr;          // demoModeToolStripMenuItem
    QComboBox* partBox = nullptr;             // demoPartBox
    QLabel* partBoxLabel = nullptr;           // demoPartLabel
    QTabWidget* tabs = nullptr;               // mainTabControl
    QLabel* connectionLabel = nullptr;
    QLabel* partNameLabel = nullptr;          // devLabel
    QLabel* partDescriptionLabel = nullptr;   // devDesc
};

class DemoMode {
public:
    // host, files, the controls and parent must outlive this object.
    DemoMode(FilesHost& host, SettingsFileCommands& files, const DemoModeControls& controls, QWidget* dialogParent);

    // After every click of the menu item (its check state already toggled).
    void demoModeToolStripMenuItem_CheckStateChanged();
    void demoPartBox_SelectedIndexChanged(int index);
    // Applies the selected demo part (nothing outside demo mode).
    void updateDemoGUIComponents();

    // Set from entering to the end of leaving. Read by any thread: board
    // traffic is dropped while it is set.
    bool isActive() const { return active; }

private:
    void enter();
    void leave();
    // A demo values file that cannot be used is told once per file.
    void tellOnce(const QString& file, const QString& partName, const QString& why);

    struct Saved {
        ZVRxQxx16PINConfiguration sixteen;
        ZVRxQxx18PINConfiguration eighteen;
        bool persistPending = false;
        hss_device_family_t family = HSS_FAMILY_NONE;
        QString partName;
        QString partDescription;
        QColor partNameColor;
        QList<QPair<QWidget*, QString>> pages;  // the tab pages shown, in order
        QWidget* currentPage = nullptr;
    };

    FilesHost& host;
    SettingsFileCommands& files;
    DemoModeControls controls;
    QWidget* parent;
    std::atomic<bool> active{false};
    std::optional<Saved> saved;
    QSet<QString> told;
};
