#pragma once
// The rows of the "Registers" table: a row per register (address, name,
// value, last read, file value) with a child row per field (bits, caption,
// raw value, meaning, file value). Columns and roles are fixed, so scripts
// read the table through any item-model view.

#include <QStandardItemModel>

#include <functional>
#include <map>
#include <vector>

#include "editor/registers/RegisterReadout.h"

namespace registertable {

enum Column { kAddress, kName, kValue, kMeaning, kLastRead, kFile, kColumnCount };

// Data roles on column 0 of every row.
inline constexpr int kMarkRole = Qt::UserRole + 1;     // "changed", "differs", "changed differs" or ""
inline constexpr int kAddressRole = Qt::UserRole + 2;  // register address (field rows too)
inline constexpr int kFieldRole = Qt::UserRole + 3;    // field index in the register, -1 on register rows
inline constexpr int kEditRole = Qt::UserRole + 4;     // field rows: "choice", "switch", "word" or "" (read only)

// What a row is marked with besides its value.
struct RowMarks {
    uint16_t changedBits = 0;        // bits that changed since the previous "Read All"
    std::optional<uint16_t> file;    // the file's value where it differs
    std::vector<std::pair<int, QString>> fileFields;  // field index -> "raw (text)" where it differs
    QString fileNote;                // register-level note (missing, undecoded bits)
    QString lastRead;                // "12:04:31", or with the chip's value when the record differs
    bool editable = false;           // a settings register whose value is known
};

class RegisterTableModel : public QStandardItemModel {
    Q_OBJECT

public:
    explicit RegisterTableModel(QObject* parent = nullptr);

    // Makes one row per register of the readout (all collapsed); call when
    // the family changes.
    void rebuild(const std::vector<hss::regmap::RegisterReadout>& readout);
    // Updates values and marks in place (cells that did not change are left alone).
    void update(const std::vector<hss::regmap::RegisterReadout>& readout, const std::map<uint8_t, RowMarks>& marks);

    // A tick of a one-bit field toggled by the user (not by update()).
    std::function<void(uint8_t address, int field, bool on)> onSwitchToggled;

private:
    void setCell(QStandardItem* item, const QString& text);
    void setMark(QStandardItem* row, int columns, const QString& mark);
    bool updating = false;
};

}  // namespace registertable
