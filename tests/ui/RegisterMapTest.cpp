// The "Registers" page on the real window against the emulated board: every
// register listed, Read All decoding and marking what changed, the fault
// registers following the poll, in-place edits through the pages' edit path
// (written, or held under manual persist), and the comparison with a file.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include <fstream>

#include "../files/TempFolder.h"
#include "editor/registers/RegisterCatalogue.h"
#include "device/RegisterFields.h"
#include "files/SettingsFile.h"
#include "protocol/HSSConstants.h"
#include "ui/registers/RegisterMapPage.h"
#include "ui/registers/RegisterTableModel.h"

using harness::Gui;
using harness::waitUntil;

namespace {

// Generous: the suite runs on a loaded machine and under the sanitizers.
constexpr int kTimeoutMs = 60000;

struct FamilyCase {
    uint16_t devid;
    hss_device_family_t family;
    uint8_t pwmCh1;
    uint8_t faultMask;
    uint8_t ch1Fault;
};

const FamilyCase kFamilies[] = {
    {0xFFF0, HSS_FAMILY_16PWP, 0x0E, 0x05, 0x0D},
    {0xFF04, HSS_FAMILY_18PWP, 0x0D, 0x04, 0x0C},
};

QString hexAddress(uint8_t address) { return QString::fromStdString(hss::regmap::hexByte(address)); }

RegisterMapPage* showPage(Gui& gui)
{
    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    tabs->setCurrentWidget(gui.window().registerMapPage);
    return gui.window().registerMap;
}

QString rowText(RegisterMapPage* page, uint8_t address)
{
    return page->table()->property(QStringLiteral("row %1").arg(hexAddress(address)).toLatin1().constData()).toString();
}

// The field's part of a row ("bits=..;field=CAPTION;raw=..;text=..;mark=..;file=..").
QString fieldText(RegisterMapPage* page, uint8_t address, const QString& caption)
{
    for (const QString& part : rowText(page, address).split(QLatin1Char('|'))) {
        if (part.contains(QStringLiteral(";field=%1;").arg(caption)))
            return part;
    }
    return {};
}

// The model index of a field's "Meaning" cell.
QModelIndex meaningCell(RegisterMapPage* page, uint8_t address, const QString& caption)
{
    QAbstractItemModel* model = page->table()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex reg = model->index(row, 0);
        if (reg.data(registertable::kAddressRole).toUInt() != address)
            continue;
        for (int field = 0; field < model->rowCount(reg); ++field) {
            if (model->index(field, registertable::kName, reg).data().toString() == caption)
                return model->index(field, registertable::kMeaning, reg);
        }
    }
    return {};
}

bool readBack(RegisterMapPage* page, uint8_t address)
{
    return rowText(page, address).contains(QStringLiteral(";read=")) &&
           !rowText(page, address).contains(QStringLiteral(";read=\u2014;"));
}

}  // namespace

TEST(RegisterMap, ListsEveryRegisterAndMarksWhatReadAllAndTheFaultPollFind)
{
    for (const FamilyCase& c : kFamilies) {
        SCOPED_TRACE(c.devid);
        Gui gui(c.devid);
        ASSERT_TRUE(gui.waitDetected());
        RegisterMapPage* page = showPage(gui);

        // Every register of the family, in address order, with its name.
        QStringList expected;
        for (const hss::regmap::RegisterInfo& info : hss::regmap::registerCatalogue(c.family))
            expected << hexAddress(info.address) + QLatin1Char(':') + QString::fromStdString(info.name);
        ASSERT_TRUE(waitUntil([&] { return readBack(page, c.pwmCh1); }, kTimeoutMs));
        QStringList listed;
        for (const QString& row : page->table()->property("rows").toString().split(QLatin1Char('|')))
            listed << row.section(QLatin1Char(':'), 0, 1);
        EXPECT_EQ(listed, expected);

        // A value set in the chip, read with Read All: decoded and marked.
        gui.board().pokeRegister(c.pwmCh1, (3 << 9) | (7 << 1) | 1);
        page->findChild<QPushButton*>(QStringLiteral("readAllButton"))->click();
        EXPECT_TRUE(waitUntil(
            [&] { return rowText(page, c.pwmCh1).startsWith(QStringLiteral("value=0x060F;")); }, kTimeoutMs))
            << rowText(page, c.pwmCh1).toStdString();
        EXPECT_TRUE(rowText(page, c.pwmCh1).contains(QStringLiteral(";mark=changed;")));
        EXPECT_TRUE(fieldText(page, c.pwmCh1, QStringLiteral("PWM Duty Cycle"))
                        .contains(QStringLiteral(";raw=7;text=3.13%;mark=changed;")));
        EXPECT_TRUE(fieldText(page, c.pwmCh1, QStringLiteral("PWM Frequency"))
                        .contains(QStringLiteral(";raw=3;text=111Hz;mark=changed;")));
        EXPECT_TRUE(rowText(page, c.faultMask).contains(QStringLiteral(";mark=;"))) << rowText(page, c.faultMask).toStdString();
        // The pages show what was read.
        EXPECT_EQ(gui.find<QComboBox>("cmdPWMDutyBox1")->currentIndex(), 7);

        // The fault registers follow the fault poll, without a Read All.
        gui.board().injectFault(FaultRegister::Channel1, 1u << 7);
        EXPECT_TRUE(waitUntil(
            [&] { return fieldText(page, c.ch1Fault, QStringLiteral("I2T Fault (CH1)")).contains(QStringLiteral(";text=Set;")); },
            kTimeoutMs))
            << rowText(page, c.ch1Fault).toStdString();
    }
}

TEST(RegisterMap, EditsGoThroughThePagesPathWrittenOrHeldAndThePageControlFollows)
{
    for (const FamilyCase& c : kFamilies) {
        SCOPED_TRACE(c.devid);
        Gui gui(c.devid);
        ASSERT_TRUE(gui.waitDetected());
        RegisterMapPage* page = showPage(gui);
        ASSERT_TRUE(waitUntil([&] { return readBack(page, c.pwmCh1); }, kTimeoutMs));
        QTreeView* view = page->table();

        // A choice: the field's list, written at once in automatic persist.
        const QModelIndex duty = meaningCell(page, c.pwmCh1, QStringLiteral("PWM Duty Cycle"));
        ASSERT_TRUE(duty.isValid());
        view->expand(duty.parent().siblingAtColumn(0));
        view->setCurrentIndex(duty);
        view->edit(duty);
        auto* editor = view->findChild<QComboBox*>(QStringLiteral("registerFieldEditor"));
        ASSERT_NE(editor, nullptr);
        ASSERT_EQ(editor->count(), 256);
        editor->setCurrentIndex(20);
        emit editor->activated(20);
        EXPECT_TRUE(waitUntil([&] { return ((gui.board().peekRegister(c.pwmCh1) >> 1) & 0xFF) == 20; }, kTimeoutMs));
        EXPECT_TRUE(gui.logText().contains(QStringLiteral("PWM duty cycle on channel 1 set to 8.20%")));
        EXPECT_EQ(gui.find<QComboBox>("cmdPWMDutyBox1")->currentIndex(), 20);
        EXPECT_TRUE(waitUntil([&] {
            return fieldText(page, c.pwmCh1, QStringLiteral("PWM Duty Cycle")).contains(QStringLiteral(";raw=20;"));
        }));

        // A tick under manual persist: held, not sent; the page control follows.
        gui.window().manualPersistEnableCheckBox->setChecked(false);  // "Persist" off: manual persist
        const uint16_t before = gui.board().peekRegister(c.pwmCh1);
        const QModelIndex enable = meaningCell(page, c.pwmCh1, QStringLiteral("PWM Enable"));
        ASSERT_TRUE(enable.isValid());
        const bool wasOn = enable.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        view->model()->setData(enable, wasOn ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        EXPECT_TRUE(waitUntil([&] { return gui.find<QCheckBox>("cmdPWMEn1")->isChecked() != wasOn; }));
        EXPECT_TRUE(gui.window().commandStatusLabel->text().contains(QStringLiteral("*Persist Pending*")));
        harness::spin(500);
        EXPECT_EQ(gui.board().peekRegister(c.pwmCh1), before);
        EXPECT_TRUE(fieldText(page, c.pwmCh1, QStringLiteral("PWM Enable"))
                        .contains(wasOn ? QStringLiteral(";text=Off;") : QStringLiteral(";text=On;")));

        // A whole word (18-pin user register): hex digits, the "User Registers" path.
        if (c.family == HSS_FAMILY_18PWP) {
            const QModelIndex word = meaningCell(page, 0x52, QStringLiteral("User Register 0x52"));
            ASSERT_TRUE(word.isValid());
            view->setCurrentIndex(word);
            view->edit(word);
            auto* hex = view->findChild<QLineEdit*>(QStringLiteral("registerFieldEditor"));
            ASSERT_NE(hex, nullptr);
            hex->setText(QStringLiteral("0xBEEF"));
            QMetaObject::invokeMethod(view, "commitData", Q_ARG(QWidget*, hex));
            EXPECT_TRUE(waitUntil([&] { return gui.find<QLineEdit>("userBox52Hex")->text() == QStringLiteral("BEEF"); }));
            EXPECT_TRUE(gui.logText().contains(QStringLiteral("User Register 0x52 set to 0xBEEF.")));
        }

        // Status and fault registers are not editable.
        const QModelIndex fault = meaningCell(page, c.ch1Fault, QStringLiteral("I2T Fault (CH1)"));
        ASSERT_TRUE(fault.isValid());
        EXPECT_FALSE(fault.flags().testFlag(Qt::ItemIsEditable));
        EXPECT_FALSE(fault.flags().testFlag(Qt::ItemIsUserCheckable));
    }
}

TEST(RegisterMap, ComparesWithAFileMarkingExactlyTheFieldsThatDifferAndAppliesIt)
{
    harness::MessageRecorder messages;
    Gui gui(0xFFF0);
    ASSERT_TRUE(gui.waitDetected());
    RegisterMapPage* page = showPage(gui);
    ASSERT_TRUE(waitUntil([&] { return readBack(page, 0x0E); }, kTimeoutMs));
    AutoConfigurationGui& window = gui.window();

    // The record as a file, with the PWM frequency of channel 1 and the SPI
    // fault mask changed.
    ZVRxQxx16PINConfiguration file;
    for (const hss::files::SettingsRegister& reg : hss::files::settingsRegisters(HSS_FAMILY_16PWP))
        file.setRegister(reg.reg, window.sixteenPWPFuseConfig.getRegister(reg.reg, reg.channel).value_or(0), reg.channel);
    file.setPWMConfig(static_cast<uint16_t>(hss::field::PWM_FREQUENCY.set(file.getPWMConfig(0), 5)), 0);
    file.setDeviceFaultMask(static_cast<uint16_t>(file.getDeviceFaultMask() ^ hss::field::FAULT_MASK_SPI.mask()));
    TempFolder folder;
    const auto path = folder / "compare.txt";
    std::ofstream(path, std::ios::binary) << hss::files::sixteenPinSettingsText(file);

    // A file without a record is no match for anything.
    const auto empty = folder / "empty.txt";
    std::ofstream(empty, std::ios::binary) << "ZVRQCONFIGURATOR_16PWP\r\n";
    messages.files.push_back(QString::fromStdString(empty.string()));
    page->findChild<QPushButton*>(QStringLiteral("compareFileButton"))->click();
    EXPECT_EQ(messages.messages.back().caption, QStringLiteral("Nothing to Compare"));
    EXPECT_FALSE(page->findChild<QPushButton*>(QStringLiteral("applyFileButton"))->isEnabled());

    messages.files.push_back(QString::fromStdString(path.string()));
    page->findChild<QPushButton*>(QStringLiteral("compareFileButton"))->click();
    auto* summary = page->findChild<QLabel*>(QStringLiteral("registerSummaryLabel"));
    EXPECT_TRUE(waitUntil([&] { return summary->text().contains(QStringLiteral("2 fields in 2 registers differ")); }))
        << summary->text().toStdString();
    QStringList marked;
    for (const hss::regmap::RegisterInfo& info : hss::regmap::registerCatalogue(HSS_FAMILY_16PWP)) {
        const QStringList parts = rowText(page, info.address).split(QLatin1Char('|'));
        for (int i = 1; i < parts.size(); ++i) {
            if (!parts[i].endsWith(QStringLiteral(";file=")))
                marked << QString::fromStdString(info.name) + QLatin1Char(' ') + parts[i].section(QLatin1Char(';'), 1, 1) +
                              QLatin1Char(' ') + parts[i].section(QLatin1Char(';'), 5, 5);
        }
    }
    EXPECT_EQ(marked, (QStringList{QStringLiteral("FAULT_MASK field=SPI file=") +
                                       (window.sixteenPWPFuseConfig.getDeviceFaultMask() & 0x4 ? "Off (0)" : "On (1)"),
                                   "PWM_CH1 field=PWM Frequency file=443Hz (5)"}));
    EXPECT_EQ(gui.board().peekRegister(0x0E), window.sixteenPWPFuseConfig.getPWMConfig(0));  // nothing applied

    // Look at it: the differing rows are drawn in their mark colour.
    window.resize(1280, 720);
    page->table()->expand(page->table()->model()->index(5, 0));    // FAULT_MASK
    page->table()->expand(page->table()->model()->index(12, 0));   // PWM_CH1
    harness::spin(100);
    const QImage shot = page->grab().toImage();
    shot.save(QDir::temp().filePath(QStringLiteral("kc-register-map-page.png")));
    int marks = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) marks += shot.pixelColor(x, y) == QColor(0xFF, 0xD0, 0xC8) ? 1 : 0;
    }
    EXPECT_GT(marks, 3000);  // two register rows and two field rows across the table

    // Apply File loads it as Load Settings does: to the chip in automatic persist.
    page->findChild<QPushButton*>(QStringLiteral("applyFileButton"))->click();
    EXPECT_TRUE(waitUntil([&] { return ((gui.board().peekRegister(0x0E) >> 9) & 7) == 5; }, kTimeoutMs));
    EXPECT_TRUE(waitUntil([&] { return summary->text().contains(QStringLiteral("every register matches")); }));
    EXPECT_EQ(messages.messages.back().caption, QStringLiteral("Configuration Loaded"));
}

TEST(RegisterMap, DemoModeShowsTheDemoRecordWithoutBoardTraffic)
{
    harness::MessageRecorder messages;
    Gui gui(std::nullopt);  // a board without a daughter card
    ASSERT_TRUE(gui.waitConnected());
    gui.find<QAction>("demoModeToolStripMenuItem")->trigger();
    ASSERT_EQ(gui.window().deviceFamily(), HSS_FAMILY_16PWP);
    RegisterMapPage* page = showPage(gui);
    const QString pwm = QString::fromStdString(hss::regmap::hexWord(gui.window().sixteenPWPFuseConfig.getPWMConfig(0)));
    EXPECT_TRUE(waitUntil([&] { return rowText(page, 0x0E).startsWith(QStringLiteral("value=") + pwm + ';'); }))
        << rowText(page, 0x0E).toStdString();

    gui.board().clearTrace();
    page->findChild<QPushButton*>(QStringLiteral("readAllButton"))->click();
    harness::spin(500);
    for (const harness::WrittenCommand& command : harness::writtenCommands(gui.board()))
        EXPECT_NE(command.code, hss::kCmdMixRead);
    EXPECT_TRUE(page->findChild<QLabel*>(QStringLiteral("registerSummaryLabel"))
                    ->text()
                    .startsWith(QStringLiteral("Demo mode: the values are the demo record's")));
}
