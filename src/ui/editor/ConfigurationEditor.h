#pragma once
// The configuration editor: fills the editor pages, shows every register
// field of the family's record in its control (refresh) and turns every
// user change into a record change, a register write and a log line (edit).
// Most controls are rows of the binding table (editor/bindings); the few
// with behaviour of their own have named handlers here.
//
// Everything here runs on the window thread, except the refreshes, the list
// reload and the forced-pin mirrors, which move themselves there.

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "device/HSSDeviceFamily.h"
#include "editor/bindings/FieldBinding.h"
#include "measure/SenseResistor.h"
#include "ui/editor/EditorControls.h"

class EditorHost;
class PageFrame;
class QGroupBox;
class QListWidgetItem;
class ZVRxQxx16PINConfiguration;

// The window's tab pages the editor fills (their regions).
struct EditorPageSet {
    PageFrame* commandCenterPage = nullptr;
    PageFrame* fuseTunerPage16pwp = nullptr;
    PageFrame* devSettingPage16pwp = nullptr;
    PageFrame* chanSettingsPage16pwp = nullptr;
    PageFrame* fuseTunerPage18pwp = nullptr;
    PageFrame* devSettingPage18pwp = nullptr;
    PageFrame* chanSettingsPage18pwp = nullptr;
};

class ConfigurationEditor : public QObject {
public:
    // Builds the page contents; call on the window thread. The host and the
    // pages must outlive the editor.
    ConfigurationEditor(EditorHost& host, const EditorPageSet& pages, QObject* parent = nullptr);
    ~ConfigurationEditor() override;

    // Refresh of every control from the family's record; guard is the
    // event-guard value for its duration (callers pass true). Callable from
    // any thread: moves itself to the window thread and waits, and does
    // nothing once shutdown has begun.
    void updateSixteenGuiFromConfig(bool guard = true);
    void updateEighteenGuiFromConfig(bool guard = true);
    // The refresh of the current family (nothing without one).
    void updateGuiFromConfig();

    // Reloads the part-dependent option lists for a DEVID code; codes
    // without tables change nothing. Callable from any thread, like the
    // refreshes.
    void updateDefaultEnumerations(uint16_t devId);

    // Mirrors of the forced-pin GPIO replies (GPIO 1 and 2, any thread): the
    // box takes the reported level with change events on, so a level that
    // differs runs the box's handler, which records and re-sends it.
    void handleLHIState(bool high);
    void handleDIState(bool high);

    // The family's low-power controls back to "Active" and the shared
    // low-power box unticked, under the event guard (nothing is written):
    // a channel reported its wake-up from LPM.
    void showLowPowerModeActive(hss_device_family_t family);

    // Enables the channel-settings current-limit controls of a family's page
    // by the channel's mode bits (channel index 0 or 1).
    void updateCurrentLimitSettings(uint8_t channel, hss_device_family_t family = HSS_FAMILY_16PWP);
    void updateCurrentLimitSettings18PWP(uint8_t channel);

    // The I2T curve redraw of a family's tuner page (the chart code sets it).
    void setI2TRedraw(std::function<void(hss_device_family_t)> redraw);
    // The trip-energy table in force (A2s), indexed by the slider position.
    std::span<const double> i2tArrayValues() const { return tripValues; }

    // The 16-pin software-limit, trip-energy and nominal-current lists (and
    // the 16-pin trip table in force) scaled for the sense resistor. Items
    // keep their selection; later reloads of the lists keep the scaling.
    void setSenseResistorScaling(const hss::measure::SenseScaledLists& lists);

    // An edit of one register field from a view other than its page control
    // (the register map): the path of the field's page control, so persist
    // mode, held edits, log line and follow-up are the same, and the pages
    // then show the record. value is the raw field value. False when no page
    // control edits the field (the caller has a path of its own or none).
    bool editRegisterField(hss_device_family_t family, const RegisterField& field, uint8_t channel, uint16_t value);

    // Controls by name, and the places other features add to.
    QWidget* control(const QString& name) const { return controls.find(name); }
    const EditorControls& allControls() const { return controls; }
    QGroupBox* quickCommandsGroup() const { return quickCommands; }

    // Captions of the controls shared by both families (Command Center) in
    // the texts of a family: one LPM bit reads differently on 18-pin parts.
    void showSharedCaptions(hss_device_family_t family);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Wiring (ConfigurationEditor.cpp).
    void fillFixedLists();
    void connectRows();
    void connectNamedHandlers();
    void installHelpPanel();
    void rowEdited(const editor::FieldBinding& row, hss_device_family_t controlFamily);
    void commitRowEdit(const editor::FieldBinding& row, hss_device_family_t family, uint8_t channel, uint16_t value,
                       const QString& text);
    void runFollowUp(const editor::FieldBinding& row, hss_device_family_t family, uint8_t channel);
    uint8_t channelOf(const editor::FieldBinding& row, hss_device_family_t family) const;
    ZVRxQxx16PINConfiguration& record(hss_device_family_t family);
    void redrawI2T(hss_device_family_t family);
    QString tripLabelText(int position) const;
    // The trip slider's end values and selected value from the table in force.
    void showTripScale(hss_device_family_t family);
    void applySenseResistorScaling();
    void showHelp(const QString& controlName, bool entering);

    // Refresh (EditorRefresh.cpp).
    void refreshFamily(hss_device_family_t family, bool guard);
    void refreshOnWindowThread(hss_device_family_t family, bool guard);
    void refreshRow(const editor::FieldBinding& row, hss_device_family_t family,
                    const ZVRxQxx16PINConfiguration& snapshot);
    void refreshSpecials(hss_device_family_t family, const ZVRxQxx16PINConfiguration& snapshot);
    void resyncCrc(hss_device_family_t family, const ZVRxQxx16PINConfiguration& snapshot);
    void refreshSafetyIndicators(const ZVRxQxx16PINConfiguration& snapshot);
    void refreshUserRegisters(const ZVRxQxx16PINConfiguration& snapshot);
    void updateLatchButton(hss_device_family_t family);

    // Named handlers (EditorHandlers.cpp).
    void enChanBoxCC_ItemCheck(QListWidgetItem* item);
    void enableCRCBox_CheckStateChanged(hss_device_family_t family);
    void forcedPinChanged(bool limpHome);
    void mirrorForcedPin(bool limpHome, bool high);
    void resetLatchButton_Click(hss_device_family_t family);
    void lpmRadioButton_CheckedChanged(hss_device_family_t family, bool fromLowPower, bool checked);
    void channelSelectorChanged();
    bool familyPageActs(hss_device_family_t pageFamily) const;

    EditorHost& host;
    EditorControls controls;
    QGroupBox* quickCommands = nullptr;
    hss_device_family_t captionFamily = HSS_FAMILY_16PWP;
    std::span<const double> tripValues;
    hss_device_family_t tripFamily = HSS_FAMILY_16PWP;  // whose table tripValues is
    std::optional<hss::measure::SenseScaledLists> senseScaling;
    std::vector<double> scaledTripValues;
    std::function<void(hss_device_family_t)> i2tRedraw;
};
