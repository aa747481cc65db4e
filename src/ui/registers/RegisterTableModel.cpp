#include "ui/registers/RegisterTableModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "ui/QtText.h"
#include "ui/WidgetHelpers.h"

namespace registertable {
namespace {

using hss::regmap::FieldKind;
using hss::regmap::RegisterAccess;

const QColor kChangedBackground{0xFF, 0xF1, 0xA8};
const QColor kDiffersBackground{0xFF, 0xD0, 0xC8};


QString editKind(const hss::regmap::FieldInfo& field)
{
    switch (field.kind) {
    case FieldKind::Choice: return QStringLiteral("choice");
    case FieldKind::Switch: return QStringLiteral("switch");
    case FieldKind::Word: return QStringLiteral("word");
    case FieldKind::Status: break;
    }
    return {};
}

QString markText(bool changed, bool differs)
{
    if (changed && differs)
        return QStringLiteral("changed differs");
    if (changed)
        return QStringLiteral("changed");
    return differs ? QStringLiteral("differs") : QString();
}

QList<QStandardItem*> newRow()
{
    QList<QStandardItem*> row;
    for (int column = 0; column < kColumnCount; ++column) {
        auto* item = new QStandardItem;
        item->setEditable(false);
        row << item;
    }
    return row;
}

}  // namespace

RegisterTableModel::RegisterTableModel(QObject* parent) : QStandardItemModel(parent)
{
    setHorizontalHeaderLabels({QStringLiteral("Address / Bits"), QStringLiteral("Register / Field"),
                               QStringLiteral("Value"), QStringLiteral("Meaning"), QStringLiteral("Last Read"),
                               QStringLiteral("File")});
    connect(this, &QStandardItemModel::itemChanged, this, [this](QStandardItem* item) {
        if (updating || item->column() != kMeaning || !item->isCheckable() || !onSwitchToggled)
            return;
        const QStandardItem* first = itemFromIndex(item->index().siblingAtColumn(kAddress));
        onSwitchToggled(static_cast<uint8_t>(first->data(kAddressRole).toUInt()), first->data(kFieldRole).toInt(),
                        item->checkState() == Qt::Checked);
    });
}

void RegisterTableModel::rebuild(const std::vector<hss::regmap::RegisterReadout>& readout)
{
    updating = true;
    removeRows(0, rowCount());
    for (const hss::regmap::RegisterReadout& reg : readout) {
        QList<QStandardItem*> row = newRow();
        row[kAddress]->setText(ui::qtext(hss::regmap::hexByte(reg.reg->address)));
        row[kAddress]->setData(reg.reg->address, kAddressRole);
        row[kAddress]->setData(-1, kFieldRole);
        row[kName]->setText(ui::qtext(reg.reg->name));
        for (std::size_t index = 0; index < reg.reg->fields.size(); ++index) {
            const hss::regmap::FieldInfo& field = reg.reg->fields[index];
            QList<QStandardItem*> child = newRow();
            child[kAddress]->setText(ui::qtext(hss::regmap::fieldBits(field.field)));
            child[kAddress]->setData(reg.reg->address, kAddressRole);
            child[kAddress]->setData(static_cast<int>(index), kFieldRole);
            child[kAddress]->setData(reg.reg->access == RegisterAccess::ReadWrite ? editKind(field) : QString(),
                                     kEditRole);
            child[kName]->setText(ui::qtext(field.caption));
            row[kAddress]->appendRow(child);
        }
        appendRow(row);
    }
    updating = false;
}

void RegisterTableModel::setCell(QStandardItem* item, const QString& text)
{
    if (item->text() != text)
        item->setText(text);
}

void RegisterTableModel::setMark(QStandardItem* first, int columns, const QString& mark)
{
    if (first->data(kMarkRole).toString() == mark && first->data(kMarkRole).isValid())
        return;
    first->setData(mark, kMarkRole);
    const QStandardItem* parentItem = first->parent();
    const int row = first->row();
    for (int column = 0; column < columns; ++column) {
        QStandardItem* cell = parentItem != nullptr ? parentItem->child(row, column) : item(row, column);
        if (mark.contains(QLatin1String("differs")))
            cell->setBackground(kDiffersBackground);
        else if (mark.contains(QLatin1String("changed")))
            cell->setBackground(kChangedBackground);
        else
            cell->setBackground(QBrush());
        QFont font = cell->font();
        font.setBold(!mark.isEmpty());
        cell->setFont(font);
        cell->setToolTip(mark == QLatin1String("changed") ? QStringLiteral("Changed since the previous Read All")
                         : mark == QLatin1String("differs") ? QStringLiteral("Differs from the compared file")
                         : mark.isEmpty() ? QString()
                                          : QStringLiteral("Changed since the previous Read All; differs from the "
                                                           "compared file"));
    }
}

void RegisterTableModel::update(const std::vector<hss::regmap::RegisterReadout>& readout,
                                const std::map<uint8_t, RowMarks>& marks)
{
    updating = true;
    const RowMarks none;
    for (int row = 0; row < rowCount() && row < static_cast<int>(readout.size()); ++row) {
        const hss::regmap::RegisterReadout& reg = readout[static_cast<std::size_t>(row)];
        const auto found = marks.find(reg.reg->address);
        const RowMarks& mark = found != marks.end() ? found->second : none;
        QStandardItem* first = item(row, kAddress);

        const bool known = reg.value.has_value();
        setCell(item(row, kValue), known ? ui::qtext(hss::regmap::hexWord(*reg.value)) : ui::kUnknownText);
        item(row, kValue)->setForeground(known ? QBrush() : QBrush(ui::kUnknownGrey));
        setCell(item(row, kLastRead), mark.lastRead.isEmpty() ? ui::kUnknownText : mark.lastRead);
        setCell(item(row, kFile), mark.file ? ui::qtext(hss::regmap::hexWord(*mark.file)) : mark.fileNote);
        setMark(first, kColumnCount, markText(mark.changedBits != 0, mark.file.has_value() || !mark.fileNote.isEmpty()));

        for (int index = 0; index < first->rowCount(); ++index) {
            const hss::regmap::FieldInfo& info = reg.reg->fields[static_cast<std::size_t>(index)];
            QStandardItem* meaning = first->child(index, kMeaning);
            QString fileText;
            for (const auto& [field, text] : mark.fileFields) {
                if (field == index)
                    fileText = text;
            }
            if (index < static_cast<int>(reg.fields.size())) {
                const hss::regmap::FieldReadout& field = reg.fields[static_cast<std::size_t>(index)];
                setCell(first->child(index, kValue), QString::number(field.raw));
                setCell(meaning, ui::qtext(field.text));
            } else {
                setCell(first->child(index, kValue), ui::kUnknownText);
                setCell(meaning, ui::kUnknownText);
            }
            const QString kind = first->child(index, kAddress)->data(kEditRole).toString();
            const bool editable = mark.editable && known && !kind.isEmpty();
            if (kind == QLatin1String("switch")) {
                meaning->setCheckable(editable);
                if (editable) {
                    const Qt::CheckState state = info.field.isOn(*reg.value) ? Qt::Checked : Qt::Unchecked;
                    if (meaning->checkState() != state)
                        meaning->setCheckState(state);
                } else if (meaning->data(Qt::CheckStateRole).isValid()) {
                    meaning->setData(QVariant(), Qt::CheckStateRole);
                }
            } else {
                meaning->setEditable(editable);
            }
            setCell(first->child(index, kFile), fileText);
            const bool changed = (mark.changedBits & info.field.mask()) != 0;
            setMark(first->child(index, kAddress), kColumnCount, markText(changed, !fileText.isEmpty()));
        }
    }
    updating = false;
}

}  // namespace registertable
