#include "ui/faults/FaultHistoryPanel.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "files/FileReplace.h"
#include "ui/QtText.h"
#include "ui/WidgetHelpers.h"
#include "ui/seam/DialogSeam.h"

using ui::named;

namespace {

// "2026-12-09 13:45:01.234": the table shows the time of day, the tooltip the date too.
constexpr qsizetype kTimeOfDayStart = 11;

}  // namespace

FaultHistoryModel::FaultHistoryModel(const hss::FaultHistory& faultHistory, QObject* parent)
    : QAbstractTableModel(parent), history(faultHistory)
{
}

bool FaultHistoryModel::matches(const hss::FaultEvent& event) const
{
    return (!channelFilter || hss::faultChannel(event.fault) == *channelFilter) &&
           (!faultFilter || event.fault == *faultFilter);
}

void FaultHistoryModel::setFilter(std::optional<int> channel, std::optional<hss::FaultId> fault)
{
    beginResetModel();
    channelFilter = channel;
    faultFilter = fault;
    shown.clear();
    for (std::size_t i = 0; i < history.size(); ++i) {
        if (matches(history.at(i)))
            shown.push_back(history.at(i).sequence);
    }
    endResetModel();
}

void FaultHistoryModel::eventAdded()
{
    if (history.size() == 0)
        return;
    // Rows of events the history no longer keeps go first: the oldest, at the bottom.
    const uint64_t oldest = history.at(0).sequence;
    int dropped = 0;
    while (dropped < int(shown.size()) && shown[std::size_t(dropped)] < oldest)
        ++dropped;
    if (dropped > 0) {
        const int rows = int(shown.size());
        beginRemoveRows({}, rows - dropped, rows - 1);
        shown.erase(shown.begin(), shown.begin() + dropped);
        endRemoveRows();
    }
    if (const hss::FaultEvent* closed = history.lastClosedRaise()) {
        const int row = rowOfSequence(closed->sequence);
        if (row >= 0)
            emit dataChanged(index(row, DurationColumn), index(row, DurationColumn));
    }
    const hss::FaultEvent& newest = history.at(history.size() - 1);
    if (!matches(newest))
        return;
    beginInsertRows({}, 0, 0);
    shown.push_back(newest.sequence);
    endInsertRows();
}

void FaultHistoryModel::historyCleared()
{
    beginResetModel();
    shown.clear();
    endResetModel();
}

int FaultHistoryModel::rowOfSequence(uint64_t sequence) const
{
    const auto it = std::lower_bound(shown.begin(), shown.end(), sequence);
    if (it == shown.end() || *it != sequence)
        return -1;
    return int(shown.size()) - 1 - int(it - shown.begin());
}

const hss::FaultEvent& FaultHistoryModel::eventAt(int row) const
{
    return *history.find(shown[shown.size() - 1 - std::size_t(row)]);
}

int FaultHistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(shown.size());
}

int FaultHistoryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString FaultHistoryModel::cellText(const hss::FaultEvent& event, int column) const
{
    switch (column) {
    case TimeColumn:
        return ui::qtext(hss::formatEventTime(event.time)).mid(kTimeOfDayStart);
    case ChannelColumn: {
        const int channel = hss::faultChannel(event.fault);
        return channel == 0 ? QStringLiteral("-") : QString::number(channel);
    }
    case RecordColumn:
        return ui::qtext(hss::faultText(event.fault).name);
    case EventColumn:
        return event.raised ? QStringLiteral("raised") : QStringLiteral("cleared");
    case DurationColumn:
        if (event.duration)
            return ui::qtext(hss::formatDuration(*event.duration));
        return event.raised ? QStringLiteral("still set") : QString();
    default:
        return {};
    }
}

QVariant FaultHistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const hss::FaultEvent& event = eventAt(index.row());
    if (role == Qt::DisplayRole)
        return cellText(event, index.column());
    if (role == Qt::ToolTipRole && index.column() == TimeColumn)
        return ui::qtext(hss::formatEventTime(event.time));
    if (role == Qt::ForegroundRole && index.column() == EventColumn)
        return event.raised ? ui::kRed : ui::kGreen;
    return {};
}

QVariant FaultHistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[] = {"Time", "Ch", "Record", "Event", "Lasted"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QVariant();
}

QStringList FaultHistoryModel::rowTexts() const
{
    QStringList rows;
    rows.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column)
            cells << cellText(eventAt(row), column);
        rows << cells.join(QLatin1Char(','));
    }
    return rows;
}

QStringList FaultHistoryTable::rows() const
{
    const auto* history = dynamic_cast<const FaultHistoryModel*>(model());
    return history != nullptr ? history->rowTexts() : QStringList();
}

FaultHistoryPanel::FaultHistoryPanel(const hss::FaultHistory& history, const QString& suffix,
                                     std::function<void(const QString&)> log)
    : QGroupBox(QStringLiteral("Fault History")), logLine(std::move(log))
{
    setObjectName(QStringLiteral("faultHistoryGroupBox") + suffix);
    setToolTip(QStringLiteral("Every raise and clear the fault poll saw, newest first; \"Clear All\" empties it. "
                              "The newest %1 events are kept.")
                   .arg(hss::FaultHistory::kMaxEvents));
    rowsModel = new FaultHistoryModel(history, this);
    table = named<FaultHistoryTable>(QStringLiteral("faultHistory") + suffix);
    table->setModel(rowsModel);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // Fixed row heights: the view never measures 100 000 rows.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->setWordWrap(false);
    QHeaderView* columns = table->horizontalHeader();
    columns->setStretchLastSection(true);
    const QFontMetrics m = table->fontMetrics();
    columns->resizeSection(FaultHistoryModel::TimeColumn, m.horizontalAdvance(QStringLiteral("00:00:00.000")) + 14);
    columns->resizeSection(FaultHistoryModel::ChannelColumn, m.horizontalAdvance(QStringLiteral("Ch")) + 14);
    columns->resizeSection(FaultHistoryModel::RecordColumn,
                           m.horizontalAdvance(QStringLiteral("VBB Undervoltage Warning")) + 14);
    columns->resizeSection(FaultHistoryModel::EventColumn, m.horizontalAdvance(QStringLiteral("cleared")) + 14);
    table->setMinimumSize(480, 160);

    channelBox = named<QComboBox>(QStringLiteral("faultHistoryChannelBox") + suffix);
    channelBox->addItems({QStringLiteral("All channels"), QStringLiteral("Device"), QStringLiteral("Channel 1"),
                          QStringLiteral("Channel 2")});
    recordBox = named<QComboBox>(QStringLiteral("faultHistoryRecordBox") + suffix);
    recordBox->addItem(QStringLiteral("All records"));
    for (std::size_t i = 0; i < hss::kFaultCount; ++i)
        recordBox->addItem(ui::qtext(hss::faultText(hss::FaultId(i)).name));
    saveButton = named<QPushButton>(QStringLiteral("faultHistorySaveButton") + suffix, QStringLiteral("Save as CSV..."));
    saveButton->setToolTip(QStringLiteral("Saves the rows shown (the filters apply), newest first."));

    auto* filters = new QHBoxLayout;
    filters->addWidget(channelBox);
    filters->addWidget(recordBox, 1);
    filters->addWidget(saveButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table, 1);

    connect(channelBox, &QComboBox::currentIndexChanged, this, [this] { applyFilter(); });
    connect(recordBox, &QComboBox::currentIndexChanged, this, [this] { applyFilter(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { faultHistorySaveButton_Click(); });
}

void FaultHistoryPanel::applyFilter()
{
    const int channel = channelBox->currentIndex();
    const int record = recordBox->currentIndex();
    rowsModel->setFilter(channel <= 0 ? std::nullopt : std::optional<int>(channel - 1),
                         record <= 0 ? std::nullopt : std::optional<hss::FaultId>(hss::FaultId(record - 1)));
}

void FaultHistoryPanel::faultHistorySaveButton_Click()
{
    const QString path = DialogSeam::savePath(window(), QStringLiteral("Save Fault History"),
                                              QStringLiteral("comma-separated value files (*.csv)"),
                                              QStringLiteral(".csv"), savedFolder);
    if (path.isEmpty())
        return;
    const std::string csv = hss::faultHistoryCsv(
        rowsModel->events(), [this](const hss::FaultEvent& event) { return rowsModel->matches(event); });
    if (const auto error = hss::files::writeFileReplacing(std::filesystem::path(QFile::encodeName(path).toStdString()), csv)) {
        DialogSeam::message(window(), QMessageBox::Critical, QStringLiteral("Fault History Not Saved"),
                            QStringLiteral("The fault history could not be saved to %1: %2.\n\nA file already there "
                                           "was left as it was.")
                                .arg(path, QString::fromStdString(*error)));
        return;
    }
    logLine(QStringLiteral("Fault history saved to %1 (%2 rows).").arg(path).arg(rowsModel->rowCount()));
}
