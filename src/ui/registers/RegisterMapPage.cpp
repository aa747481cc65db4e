#include "ui/registers/RegisterMapPage.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <filesystem>

#include "app/ReplyDispatcher.h"
#include "editor/registers/RegisterComparison.h"
#include "files/FileReplace.h"
#include "protocol/HSSProtocol.h"
#include "ui/HexText.h"
#include "ui/QtText.h"
#include "ui/WidgetHelpers.h"
#include "ui/registers/RegisterPageHost.h"
#include "ui/registers/RegisterTableModel.h"
#include "ui/seam/DialogSeam.h"

namespace {

using namespace registertable;
namespace regmap = hss::regmap;

// Fault and record changes reach the table at this pace while it is shown.
constexpr int kRefreshMs = 300;

// In-place editors of the "Meaning" column: the field's list for a choice
// (picking an item applies it), hex digits for a whole word. One-bit fields
// are ticks of the model itself.
class FieldEditDelegate : public QStyledItemDelegate {
public:
    using Choices = std::function<QStringList(uint8_t address, int field)>;
    using Commit = std::function<void(uint8_t address, int field, uint16_t value)>;

    FieldEditDelegate(Choices choicesOf, Commit commitEdit, QObject* parent)
        : QStyledItemDelegate(parent), choices(std::move(choicesOf)), commit(std::move(commitEdit))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QModelIndex first = index.siblingAtColumn(kAddress);
        const QString kind = first.data(kEditRole).toString();
        if (kind == QLatin1String("choice")) {
            auto* box = ui::named<QComboBox>(QStringLiteral("registerFieldEditor"), parent);
            box->addItems(choices(addressOf(first), first.data(kFieldRole).toInt()));
            connect(box, &QComboBox::activated, this, [this, box] {
                auto* self = const_cast<FieldEditDelegate*>(this);
                emit self->commitData(box);
                emit self->closeEditor(box);
            });
            return box;
        }
        if (kind == QLatin1String("word")) {
            auto* edit = ui::named<QLineEdit>(QStringLiteral("registerFieldEditor"), parent);
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("(0[xX])?[0-9A-Fa-f]{1,4}")), edit));
            return edit;
        }
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        const int raw = index.siblingAtColumn(kValue).data().toInt();
        if (auto* box = qobject_cast<QComboBox*>(editor))
            box->setCurrentIndex(raw < box->count() ? raw : -1);
        else if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->setText(index.siblingAtColumn(kMeaning).data().toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        // The edit goes to the chip's path; the table shows the record after it.
        const QModelIndex first = index.siblingAtColumn(kAddress);
        const int field = first.data(kFieldRole).toInt();
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            if (box->currentIndex() >= 0 && box->currentIndex() != index.siblingAtColumn(kValue).data().toInt())
                commit(addressOf(first), field, static_cast<uint16_t>(box->currentIndex()));
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            if (const auto value = parseHexDigits(edit->text().toStdString(), 4))
                commit(addressOf(first), field, static_cast<uint16_t>(*value));
        }
    }

private:
    static uint8_t addressOf(const QModelIndex& first) { return static_cast<uint8_t>(first.data(kAddressRole).toUInt()); }

    Choices choices;
    Commit commit;
};

QPushButton* button(const char* name, const QString& text, const QString& tip)
{
    auto* b = ui::named<QPushButton>(QString::fromLatin1(name), text);
    b->setToolTip(tip);
    return b;
}

}  // namespace

RegisterMapPage::RegisterMapPage(RegisterPageHost& pageHost, QWidget* parent)
    : PageFrame(QStringLiteral("registerMapPage"), parent),
      host(pageHost),
      model(new RegisterTableModel(this)),
      view(ui::named<QTreeView>(QStringLiteral("registerTable"))),
      readAllButton(button("readAllButton", QStringLiteral("Read All"),
                           QStringLiteral("Reads every register of the chip; changed registers are marked until the "
                                          "next Read All"))),
      compareFileButton(button("compareFileButton", QStringLiteral("Compare with File..."),
                               QStringLiteral("Marks every field whose value differs from a settings file (nothing "
                                              "is applied)"))),
      applyFileButton(button("applyFileButton", QStringLiteral("Apply File"),
                             QStringLiteral("Loads the compared file as Load Settings does"))),
      copyRegistersButton(button("copyRegistersButton", QStringLiteral("Copy as Text"),
                                 QStringLiteral("Copies every register and field to the clipboard"))),
      saveRegistersCsvButton(button("saveRegistersCsvButton", QStringLiteral("Save as CSV..."),
                                    QStringLiteral("Saves every register and field as a CSV file"))),
      registerSummaryLabel(ui::named<QLabel>(QStringLiteral("registerSummaryLabel"))),
      refreshTimer(new QTimer(this))
{
    auto* layout = new QVBoxLayout(content());
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {readAllButton, compareFileButton, applyFileButton, copyRegistersButton,
                           saveRegistersCsvButton})
        buttons->addWidget(b);
    buttons->addSpacing(12);
    buttons->addWidget(registerSummaryLabel, 1);
    layout->addLayout(buttons);
    registerSummaryLabel->setWordWrap(true);

    model->onSwitchToggled = [this](uint8_t address, int field, bool on) {
        const regmap::RegisterInfo* info = regmap::findRegister(shownFamily, address);
        if (info == nullptr || field < 0 || field >= static_cast<int>(info->fields.size()))
            return;
        const RegisterField& f = info->fields[static_cast<std::size_t>(field)].field;
        // The raw value whose switch state is the tick's.
        editField(address, field, f.get(f.setOn(0, on)));
    };
    view->setModel(model);
    view->setItemDelegate(new FieldEditDelegate(
        [this](uint8_t address, int field) {
            QStringList items;
            const regmap::RegisterInfo* info = regmap::findRegister(shownFamily, address);
            if (info == nullptr || field < 0 || field >= static_cast<int>(info->fields.size()))
                return items;
            for (const std::string& item : regmap::fieldChoices(shownFamily, info->fields[static_cast<std::size_t>(field)],
                                                                shownImage(), textContext()))
                items << ui::qtext(item);
            return items;
        },
        [this](uint8_t address, int field, uint16_t value) {
            // After the editor has closed: the edit refreshes the table.
            QTimer::singleShot(0, this, [this, address, field, value] { editField(address, field, value); });
        },
        view));
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                          QAbstractItemView::EditKeyPressed);
    view->setAlternatingRowColors(true);
    view->setUniformRowHeights(true);
    view->setMinimumHeight(320);
    view->header()->setStretchLastSection(true);
    const int widths[kColumnCount] = {120, 250, 80, 190, 190, 160};
    for (int column = 0; column < kColumnCount; ++column) view->setColumnWidth(column, widths[column]);
    layout->addWidget(view, 1);

    connect(readAllButton, &QPushButton::clicked, this, &RegisterMapPage::readAllButton_Click);
    connect(compareFileButton, &QPushButton::clicked, this, &RegisterMapPage::compareFileButton_Click);
    connect(applyFileButton, &QPushButton::clicked, this, &RegisterMapPage::applyFileButton_Click);
    connect(copyRegistersButton, &QPushButton::clicked, this, &RegisterMapPage::copyRegistersButton_Click);
    connect(saveRegistersCsvButton, &QPushButton::clicked, this, &RegisterMapPage::saveRegistersCsvButton_Click);
    connect(refreshTimer, &QTimer::timeout, this, [this] {
        // Edits on the pages, loads and read-backs change the record.
        if (readingsChanged || shownImage() != lastShownImage || host.deviceFamily() != shownFamily ||
            host.enteredSenseResistor() != lastOhms || editableNow() != lastEditable)
            refresh();
    });
    refreshTimer->setInterval(kRefreshMs);
}

void RegisterMapPage::showEvent(QShowEvent* event)
{
    refresh();
    refreshTimer->start();
    PageFrame::showEvent(event);
}

void RegisterMapPage::hideEvent(QHideEvent* event)
{
    refreshTimer->stop();
    PageFrame::hideEvent(event);
}

void RegisterMapPage::noteRegistersRead(RegisterValues values, bool readAll)
{
    // Through the window's own hand-over, not a queued Qt call: no memory then
    // passes between the threads through Qt's locks, which ThreadSanitizer
    // cannot see.
    host.runOnWindowThreadBlocking([this, &values, readAll] { takeReadings(values, readAll); });
}

void RegisterMapPage::takeReadings(const RegisterValues& values, bool readAll)
{
    followPart();
    const QTime now = QTime::currentTime();
    for (const auto& [address, value] : values) lastRead[address] = {value, now};
    if (readAll) {
        readStatus = QStringLiteral("Read All at %1.").arg(now.toString(QStringLiteral("HH:mm:ss")));
    }
    readingsChanged = true;
    // The fault poll answers twice a second: a hidden table waits to be shown.
    if (isVisible() || readAll)
        refresh();
}

ZVRxQxx16PINConfiguration& RegisterMapPage::record() const
{
    if (shownFamily == HSS_FAMILY_18PWP)
        return host.eighteenPinRecord();
    return host.sixteenPinRecord();
}

regmap::TextContext RegisterMapPage::textContext() const
{
    return {record().getDevID(), host.enteredSenseResistor()};
}

regmap::RegisterImage RegisterMapPage::shownImage() const
{
    regmap::RegisterImage image;
    const bool demo = host.isDemoMode();
    for (const regmap::RegisterInfo& info : regmap::registerCatalogue(shownFamily)) {
        const auto mirrored = record().getRegister(info.reg, info.channel);
        const auto reading = lastRead.find(info.address);
        // DEVID is stored by identification; settings are what the pages show.
        if (mirrored && (info.reg == HSSRegister::DEVID || info.access == regmap::RegisterAccess::ReadWrite || demo))
            image[info.address] = *mirrored;
        else if (reading != lastRead.end())
            image[info.address] = reading->second.value;
    }
    return image;
}

std::vector<regmap::RegisterReadout> RegisterMapPage::readout() const
{
    return regmap::readRegisters(shownFamily, shownImage(), textContext());
}

regmap::ReadTimes RegisterMapPage::readTimes() const
{
    regmap::ReadTimes times;
    for (const auto& [address, reading] : lastRead)
        times[address] = reading.time.toString(QStringLiteral("HH:mm:ss")).toStdString();
    return times;
}

void RegisterMapPage::followPart()
{
    const hss_device_family_t family = host.deviceFamily();
    const uint16_t devId = family == HSS_FAMILY_18PWP ? host.eighteenPinRecord().getDevID()
                                                      : host.sixteenPinRecord().getDevID();
    if (family != shownFamily || devId != shownDevId) {
        // Another part: nothing read or compared so far belongs to it.
        shownFamily = family;
        shownDevId = devId;
        lastRead.clear();
        readAllBaseline.reset();
        fileImage.reset();
        filePath.clear();
        readStatus.clear();
        for (const QByteArray& name : view->dynamicPropertyNames()) {
            if (name.startsWith("row "))
                view->setProperty(name.constData(), QVariant());
        }
        model->rebuild(readout());
    }
}

void RegisterMapPage::refresh()
{
    followPart();
    const regmap::RegisterImage image = shownImage();
    lastShownImage = image;
    readingsChanged = false;
    lastOhms = host.enteredSenseResistor();
    lastEditable = editableNow();
    const regmap::TextContext context = textContext();
    const std::vector<regmap::RegisterReadout> rows = regmap::readRegisters(shownFamily, image, context);
    const bool editable = lastEditable;

    std::map<uint8_t, RowMarks> marks;
    for (const regmap::RegisterReadout& row : rows) {
        RowMarks& mark = marks[row.reg->address];
        mark.editable = editable && row.reg->access == regmap::RegisterAccess::ReadWrite;
        const auto reading = lastRead.find(row.reg->address);
        if (reading == lastRead.end())
            continue;
        mark.lastRead = reading->second.time.toString(QStringLiteral("HH:mm:ss"));
        if (row.value && *row.value != reading->second.value)
            mark.lastRead += QStringLiteral("  (read %1)").arg(ui::qtext(regmap::hexWord(reading->second.value)));
        if (readAllBaseline) {
            const auto before = readAllBaseline->find(row.reg->address);
            if (before != readAllBaseline->end())
                mark.changedBits = static_cast<uint16_t>(before->second ^ reading->second.value);
        }
    }

    QString compareText;
    if (fileImage) {
        const regmap::ImageComparison comparison = regmap::compareImages(shownFamily, image, *fileImage, context);
        for (const regmap::RegisterDifference& reg : comparison.registers) {
            RowMarks& mark = marks[reg.reg->address];
            if (!reg.left || !reg.right) {
                mark.fileNote = reg.right ? QStringLiteral("%1 (not read here)").arg(ui::qtext(regmap::hexWord(*reg.right)))
                                          : QStringLiteral("not in the file");
                continue;
            }
            mark.file = reg.right;
            for (const regmap::FieldDifference& field : reg.fields) {
                const QString text = QStringLiteral("%1 (%2)").arg(ui::qtext(field.rightText)).arg(field.right);
                if (field.field == nullptr) {
                    mark.fileNote = QStringLiteral("undecoded bits ") + ui::qtext(field.rightText);
                    continue;
                }
                mark.fileFields.emplace_back(static_cast<int>(field.field - reg.reg->fields.data()), text);
            }
        }
        QString name = QFileInfo(filePath).fileName();
        if (fileSkipped > 0)
            name += QStringLiteral(" (%1 %2 not read)").arg(fileSkipped).arg(fileSkipped == 1 ? QStringLiteral("line")
                                                                                                : QStringLiteral("lines"));
        if (comparison.identical()) {
            compareText = QStringLiteral("%1: every register matches the file.").arg(name);
        } else {
            const std::size_t fields = comparison.fieldCount();
            const std::size_t registers = comparison.registers.size();
            compareText = QStringLiteral("%1: %2 %3 in %4 %5 differ from the file.")
                              .arg(name)
                              .arg(fields)
                              .arg(fields == 1 ? QStringLiteral("field") : QStringLiteral("fields"))
                              .arg(registers)
                              .arg(registers == 1 ? QStringLiteral("register") : QStringLiteral("registers"));
        }
    }
    model->update(rows, marks);
    publishReadouts();

    QStringList summary;
    if (shownFamily == HSS_FAMILY_NONE)
        summary << QStringLiteral("No part identified: the registers are listed once a chip is found (or in demo mode).");
    else if (host.isDemoMode())
        summary << QStringLiteral("Demo mode: the values are the demo record's; nothing is read from a board.");
    else if (!readStatus.isEmpty())
        summary << readStatus;
    if (!compareText.isEmpty())
        summary << compareText;
    const QString text = summary.join(QLatin1Char(' '));
    if (registerSummaryLabel->text() != text)
        registerSummaryLabel->setText(text);
    showAvailability();
}

bool RegisterMapPage::editableNow() const
{
    return host.partIdentified() || host.isDemoMode();
}

void RegisterMapPage::publishReadouts()
{
    // Scripts read the table as the properties "rows" and "row 0x0E" of the view.
    const auto cell = [this](const QModelIndex& parent, int row, int column) {
        return model->index(row, column, parent).data().toString();
    };
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex first = model->index(row, kAddress);
        const QString address = cell({}, row, kAddress);
        rows << QStringList{address, cell({}, row, kName), cell({}, row, kValue), first.data(kMarkRole).toString()}
                    .join(QLatin1Char(':'));
        QStringList parts{QStringLiteral("value=") + cell({}, row, kValue),
                          QStringLiteral("read=") + cell({}, row, kLastRead),
                          QStringLiteral("mark=") + first.data(kMarkRole).toString(),
                          QStringLiteral("file=") + cell({}, row, kFile)};
        QStringList fields{parts.join(QLatin1Char(';'))};
        for (int field = 0; field < model->rowCount(first); ++field) {
            fields << QStringList{QStringLiteral("bits=") + cell(first, field, kAddress),
                                  QStringLiteral("field=") + cell(first, field, kName),
                                  QStringLiteral("raw=") + cell(first, field, kValue),
                                  QStringLiteral("text=") + cell(first, field, kMeaning),
                                  QStringLiteral("mark=") + model->index(field, kAddress, first).data(kMarkRole).toString(),
                                  QStringLiteral("file=") + cell(first, field, kFile)}
                          .join(QLatin1Char(';'));
        }
        view->setProperty(QStringLiteral("row %1").arg(address).toLatin1().constData(), fields.join(QLatin1Char('|')));
    }
    view->setProperty("rows", rows.join(QLatin1Char('|')));
}

void RegisterMapPage::showAvailability()
{
    const bool family = shownFamily != HSS_FAMILY_NONE;
    const bool demo = host.isDemoMode();
    readAllButton->setEnabled(family && (demo || (host.partIdentified() && host.boardConnected())));
    compareFileButton->setEnabled(family);
    applyFileButton->setEnabled(family && fileImage.has_value());
    copyRegistersButton->setEnabled(family);
    saveRegistersCsvButton->setEnabled(family);
}

void RegisterMapPage::readAllButton_Click()
{
    if (shownFamily == HSS_FAMILY_NONE)
        return;
    std::map<uint8_t, uint16_t> baseline;
    for (const auto& [address, reading] : lastRead) baseline[address] = reading.value;
    readAllBaseline = std::move(baseline);
    if (host.isDemoMode()) {
        refresh();
        return;
    }
    // The settings through the pages' read-back (so the record and the pages
    // follow the chip, and held edits stay), then every register as it is.
    host.updateMainGUIFromSelection();
    std::vector<uint8_t> addresses;
    for (const regmap::RegisterInfo& info : regmap::registerCatalogue(shownFamily)) addresses.push_back(info.address);
    host.queueHSSCommand(new HSSMixReadCmd(addresses, context::kRegisterMap));
    readStatus = QStringLiteral("Reading every register...");
    refresh();
}

void RegisterMapPage::editField(uint8_t address, int field, uint16_t value)
{
    const regmap::RegisterInfo* info = regmap::findRegister(shownFamily, address);
    if (info == nullptr || info->access != regmap::RegisterAccess::ReadWrite || field < 0 ||
        field >= static_cast<int>(info->fields.size()))
        return;
    if (!host.editRegisterField(shownFamily, info->fields[static_cast<std::size_t>(field)], address, value)) {
        DialogSeam::message(this, QMessageBox::Warning, QStringLiteral("Field Not Edited"),
                            QStringLiteral("%1 of %2 is not edited from the register map; nothing was written.")
                                .arg(QString::fromUtf8(info->fields[static_cast<std::size_t>(field)].caption.data(),
                                                       static_cast<qsizetype>(
                                                           info->fields[static_cast<std::size_t>(field)].caption.size())),
                                     ui::qtext(info->name)));
    }
    refresh();
}

void RegisterMapPage::compareFileButton_Click()
{
    if (shownFamily == HSS_FAMILY_NONE)
        return;
    const QString path = DialogSeam::openFileName(this, QStringLiteral("Compare with Settings File"),
                                                  QStringLiteral("txt files (*.txt)"), folder);
    if (path.isEmpty())
        return;
    folder = QFileInfo(path).absolutePath();
    const auto contents = host.readSettingsForCompare(path);
    if (!contents)
        return;
    if (contents->records.empty()) {
        // Nothing compared would read as "every register matches".
        DialogSeam::message(this, QMessageBox::Warning, QStringLiteral("Nothing to Compare"),
                            QStringLiteral("%1 holds no address,value record for a register of this family; "
                                           "there is nothing to compare.")
                                .arg(path));
        return;
    }
    fileSkipped = contents->skipped.size();
    regmap::RegisterImage image;
    for (const hss::files::SettingsRecord& record : contents->records) image[record.address] = record.value;
    fileImage = std::move(image);
    filePath = path;
    refresh();
}

void RegisterMapPage::applyFileButton_Click()
{
    if (!fileImage || filePath.isEmpty())
        return;
    host.applySettingsFile(filePath);
    refresh();
}

void RegisterMapPage::copyRegistersButton_Click()
{
    QGuiApplication::clipboard()->setText(ui::qtext(regmap::readoutText(readout(), readTimes())));
}

void RegisterMapPage::saveRegistersCsvButton_Click()
{
    QString path = DialogSeam::saveFileName(this, QStringLiteral("Save Registers as CSV"),
                                            QStringLiteral("CSV files (*.csv)"), folder);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    folder = QFileInfo(path).absolutePath();
    if (const auto error = hss::files::writeFileReplacing(ui::fsPath(path), regmap::readoutCsv(readout(), readTimes()))) {
        DialogSeam::message(this, QMessageBox::Critical, QStringLiteral("Error Saving File"),
                            QStringLiteral("The registers could not be saved to %1: %2.\n\nA file already there was "
                                           "left as it was.")
                                .arg(path, ui::qtext(*error)));
        return;
    }
    readStatus = QStringLiteral("Saved to %1.").arg(QFileInfo(path).fileName());
    refresh();
}
