#pragma once
// The "Registers" page: every register of the fitted part's family, decoded
// field by field, read from the chip with "Read All", the fault and status
// registers following the fault poll; fields edited in place through the
// page controls' edit path; compared with and applied from a settings file;
// copied as text and saved as CSV.

#include <QTime>

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "editor/registers/RegisterReadout.h"
#include "ui/widgets/PageFrame.h"

class QLabel;
class QPushButton;
class QTimer;
class QTreeView;
class RegisterPageHost;

namespace registertable {
class RegisterTableModel;
}

class RegisterMapPage : public PageFrame {
    Q_OBJECT

public:
    explicit RegisterMapPage(RegisterPageHost& host, QWidget* parent = nullptr);

    using RegisterValues = std::vector<std::pair<uint8_t, uint16_t>>;
    // Registers the chip answered (a read-back, the fault poll, or with
    // readAll the page's own read of every register). Callable from any
    // thread: the page takes them on the window thread.
    void noteRegistersRead(RegisterValues values, bool readAll = false);

    // Shows the record and the readings now (family changes included).
    void refresh();

    QTreeView* table() const { return view; }

    void readAllButton_Click();
    void compareFileButton_Click();
    void applyFileButton_Click();
    void copyRegistersButton_Click();
    void saveRegistersCsvButton_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Reading {
        uint16_t value;
        QTime time;
    };
    void takeReadings(const RegisterValues& values, bool readAll);
    // Another part (or none) is fitted: nothing read or compared so far
    // belongs to it, and the table gets the family's rows.
    void followPart();
    // What the table shows: the record for the settings (what the pages
    // show), the last reading for status, fault and command registers.
    hss::regmap::RegisterImage shownImage() const;
    hss::regmap::TextContext textContext() const;
    ZVRxQxx16PINConfiguration& record() const;
    std::vector<hss::regmap::RegisterReadout> readout() const;
    hss::regmap::ReadTimes readTimes() const;
    void editField(uint8_t address, int field, uint16_t value);
    void showAvailability();
    void publishReadouts();
    // Fields may be edited: a chip is identified, or demo mode.
    bool editableNow() const;

    RegisterPageHost& host;
    registertable::RegisterTableModel* model;
    QTreeView* view;
    QPushButton* readAllButton;
    QPushButton* compareFileButton;
    QPushButton* applyFileButton;
    QPushButton* copyRegistersButton;
    QPushButton* saveRegistersCsvButton;
    QLabel* registerSummaryLabel;
    QTimer* refreshTimer;

    hss_device_family_t shownFamily = HSS_FAMILY_NONE;
    uint16_t shownDevId = 0;
    std::map<uint8_t, Reading> lastRead;
    // The readings as they were when "Read All" was pressed.
    std::optional<std::map<uint8_t, uint16_t>> readAllBaseline;
    QString readStatus;  // what the last read or save did
    // What the table showed last, so the timer redraws only on a change.
    hss::regmap::RegisterImage lastShownImage;
    bool readingsChanged = true;
    std::optional<double> lastOhms;
    bool lastEditable = false;
    std::optional<hss::regmap::RegisterImage> fileImage;
    QString filePath;
    std::size_t fileSkipped = 0;  // lines of the file the reader did not take
    QString folder;
};
