#pragma once
// The window side of fault monitoring: the fault lamps of both "Device
// Settings" pages and of the Command Center's status strip, the statistics
// panel with "Clear All", the fault reading mode with "Manual Update",
// "Clear Limp Home Fault" and the FAULT pin. The records and the decoding
// are plain C++ below (device/FaultRecords, device/FaultDecoding).
//
// Everything runs on the window thread, except the reply handlers, the two
// redraws and handleFaultStatus, which move themselves there.

#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

#include "device/FaultDecoding.h"
#include "device/FaultHistory.h"
#include "device/FaultRecords.h"
#include "device/HSSDeviceFamily.h"

class CommandCenterPage;
class DeviceSettingsPage;
class FaultHost;
class FaultHistoryPanel;
class FaultIndicator;
class HSSMixReadCmd;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The pages the fault view fills.
struct FaultPages {
    CommandCenterPage* commandCenter = nullptr;
    DeviceSettingsPage* sixteen = nullptr;
    DeviceSettingsPage* eighteen = nullptr;
};

class FaultView : public QObject {
public:
    // Builds the fault groups into the pages; call on the window thread. The
    // host and the pages must outlive the view. clock dates the rising edges
    // (empty: the system clock).
    FaultView(FaultHost& host, const FaultPages& pages, HSSFault::Clock clock = {}, QObject* parent = nullptr);
    ~FaultView() override;

    // Called on the window thread for each fault the chip newly raises.
    std::function<void(hss::FaultId)> onFaultRaised;

    // Reply handlers of the fault reads (contexts 3 and 8), on any thread:
    // each fault word is stored in the family's record, then the view is
    // redrawn, once per stored word.
    void handle16PWPFaultResp(const HSSMixReadCmd& command);
    void handle18PWPFaultResp(const HSSMixReadCmd& command);

    // Redraw of a family's fault view from its record; callable from any
    // thread (waits for the window thread; nothing once shutting down).
    void update16PWPFaultGuiFromConfig();
    void update18PWPFaultGuiFromConfig();

    // The FAULT pin (GPIO 3, active low) from any thread.
    void handleFaultStatus(bool triggered);

    // Every lamp and fault text back to "not read" (a part came or went).
    void showUnknown();

    // "Manual Update" reads the chip: off while no chip can be reached, else
    // on while fault reading is manual.
    void setChipReachable(bool reachable);

    // The statistics panel of the current family's page shows fault.
    void handleFaultClick(hss::FaultId fault);

    // Handlers of the controls (shared by both pages).
    void clearAllStatsButton_Click();
    void faultUpdateStatus_SelectedIndexChanged(int index);
    void manualUpdateButton_Click();
    void clearLimpButton_Click();

    const hss::FaultRecords& faultRecords() const { return records; }
    const hss::FaultHistory& faultHistory() const { return history; }
    hss::FaultId currentFault() const { return curFault; }

private:
    // The controls of one family's "Device Settings" page.
    struct PageControls {
        std::array<FaultIndicator*, hss::kFaultCount> lamps{};  // null where the family has none
        QGroupBox* statsGroupBox = nullptr;
        QLabel* faultDescriptionLabel = nullptr;
        QLabel* currentFaultLabelStatus = nullptr;
        QLabel* numberFaultLabel = nullptr;
        QLabel* dateFaultLabel = nullptr;
        QPushButton* clearAllStatsButton = nullptr;
        QPushButton* manualUpdateButton = nullptr;
        QPushButton* clearLimpButton = nullptr;
        QComboBox* faultUpdateStatus = nullptr;
        std::array<QLabel*, 2> lpmLabels{};  // 16-pin lpmLabel1 / lpmLabel2
        FaultHistoryPanel* history = nullptr;  // faultHistoryGroupBox
    };

    // Building (FaultPanels.cpp).
    PageControls buildPage(DeviceSettingsPage* page, hss_device_family_t family);
    void connectPage(const PageControls& page);

    void handleFaultReply(hss_device_family_t family, const HSSMixReadCmd& command);
    void updateFaultGuiFromConfig(hss_device_family_t family);
    void redrawOnWindowThread(hss_device_family_t family);
    void recordHistory(const hss::FaultRedraw& redraw);
    void showSummaries(const hss::FaultRedraw& redraw);
    void showLpmWake(hss_device_family_t family, const hss::FaultRedraw& redraw);
    void showStatistics(PageControls& page, hss::FaultId fault);
    PageControls* pageOf(hss_device_family_t family);
    static int familyIndex(hss_device_family_t family);

    FaultHost& host;
    FaultPages pages;
    hss::FaultRecords records;
    HSSFault::Clock eventClock;  // dates the history's events
    hss::FaultHistory history;
    hss::FaultId curFault = hss::FaultId::porFault;
    bool chipReachable = false;
    std::array<PageControls, 2> families;  // 16-pin, 18-pin
    // Which fault words have been read since the part was identified, per
    // family; a row of an unread word stays grey. Set by the reply handlers.
    std::array<std::array<std::atomic<bool>, 3>, 2> wordRead{};
};
