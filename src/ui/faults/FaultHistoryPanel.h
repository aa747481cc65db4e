#pragma once
// "Fault History" on a "Device Settings" page: the fault events newest
// first, filtered by channel and record, "Save as CSV...". A model over the
// one hss::FaultHistory of the window (each page filters on its own), so
// 100 000 rows cost no widget each. Window thread only.

#include <QAbstractTableModel>
#include <QGroupBox>
#include <QStringList>
#include <QTableView>

#include <deque>
#include <functional>
#include <optional>

#include "device/FaultHistory.h"

class QComboBox;
class QPushButton;

class FaultHistoryModel : public QAbstractTableModel {
public:
    enum Column { TimeColumn, ChannelColumn, RecordColumn, EventColumn, DurationColumn, ColumnCount };

    explicit FaultHistoryModel(const hss::FaultHistory& history, QObject* parent = nullptr);

    // channel: empty all, 0 device faults, 1 or 2; fault: empty all.
    void setFilter(std::optional<int> channel, std::optional<hss::FaultId> fault);
    bool matches(const hss::FaultEvent& event) const;

    // The history just gained its newest event (and may have dropped its oldest).
    void eventAdded();
    // The history's events were cleared.
    void historyCleared();

    const hss::FaultEvent& eventAt(int row) const;
    const hss::FaultHistory& events() const { return history; }
    // Each row's cells joined by ",".
    QStringList rowTexts() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString cellText(const hss::FaultEvent& event, int column) const;
    int rowOfSequence(uint64_t sequence) const;

    const hss::FaultHistory& history;
    std::optional<int> channelFilter;
    std::optional<hss::FaultId> faultFilter;
    std::deque<uint64_t> shown;  // sequence numbers of the matching events, oldest first
};

// The table; scripts read `get faultHistory rows`.
class FaultHistoryTable : public QTableView {
    Q_OBJECT
    Q_PROPERTY(QStringList rows READ rows)

public:
    using QTableView::QTableView;
    QStringList rows() const;
};

class FaultHistoryPanel : public QGroupBox {
public:
    // suffix "" or "18"; log writes one line of the application log.
    FaultHistoryPanel(const hss::FaultHistory& history, const QString& suffix, std::function<void(const QString&)> log);

    FaultHistoryModel* model() const { return rowsModel; }

    void faultHistorySaveButton_Click();

private:
    void applyFilter();

    FaultHistoryModel* rowsModel;
    FaultHistoryTable* table;      // faultHistory
    QComboBox* channelBox;         // faultHistoryChannelBox
    QComboBox* recordBox;          // faultHistoryRecordBox
    QPushButton* saveButton;       // faultHistorySaveButton
    std::function<void(const QString&)> logLine;
    QString savedFolder;
};
