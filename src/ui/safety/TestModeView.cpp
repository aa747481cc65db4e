#include "ui/safety/TestModeView.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <chrono>

#include "app/ReplyDispatcher.h"
#include "device/HSSRegisterMap.h"
#include "device/SafetyDiagnostics.h"
#include "editor/registers/FieldText.h"
#include "protocol/HSSRegisterCommands.h"
#include "ui/EventGuard.h"
#include "ui/HexText.h"
#include "ui/QtText.h"
#include "ui/WidgetHelpers.h"
#include "ui/safety/SafetyHost.h"
#include "ui/widgets/PageFrame.h"

using ui::named;
using namespace std::chrono_literals;

namespace {

QString hexAddress(uint8_t address)
{
    return QStringLiteral("%1").arg(address, 2, 16, QLatin1Char('0')).toUpper();
}

QLabel* wrappedRichText(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    label->setMaximumWidth(640);
    return label;
}

}  // namespace

TestModeView::TestModeView(SafetyHost& safetyHost, PageFrame& page, QObject* parent)
    : QObject(parent), host(safetyHost)
{
    buildInfo(page.findChild<QWidget*>(QStringLiteral("testModeInfoPage")));
    buildRegisterPage(page.findChild<QWidget*>(QStringLiteral("testModeControlPage")), "Control Registers", "testCtlReg",
                      hss::kTestControlRegisters.data(), hss::kTestControlRegisters.size(),
                      QStringLiteral("The test control registers of the chip. They answer only while the chip is "
                                     "in test mode; outside it they read 0 and ignore writes."));
    buildRegisterPage(page.findChild<QWidget*>(QStringLiteral("testModeTrimPage")), "Trim Registers", "trimReg",
                      hss::kTrimRegisters.data(), hss::kTrimRegisters.size(),
                      QStringLiteral("The factory trim of the chip, open only in test mode. A value written here "
                                     "holds until the chip powers up again (sleep and wake included), when the "
                                     "factory trim is loaded anew."));
    showTestControl();
}

void TestModeView::buildInfo(QWidget* infoPage)
{
    auto* layout = new QVBoxLayout(infoPage);
    layout->addWidget(wrappedRichText(QStringLiteral(
        "<p>Test mode opens the chip's test control and trim registers. It is meant for characterisation in the "
        "lab, not for a chip in a vehicle: selected tests change how the chip behaves until it powers up again.</p>"
        "<p><b>Enter Test Mode</b> stops the fault and identification polls for a moment and writes the chip's "
        "four-word key to TEST_MODE_KEY (0x71), then reads TEST_CTRL (0x75). The tool has no way out of test "
        "mode: the chip leaves it at its next power-up (a power cycle, or sleep and wake).</p>"
        "<p>This page is hidden. It is shown by typing, with the <b>Log</b> page's text focused, "
        "Up Up Down Down Left Right Left Right K C and then Enter.</p>")));

    auto* group = new QGroupBox(QStringLiteral("Test Control"));
    group->setObjectName(QStringLiteral("testControlGroupBox"));
    auto* form = new QFormLayout(group);
    enterTestModeButton = named<QPushButton>(QStringLiteral("enterTestModeButton"), QStringLiteral("Enter Test Mode"));
    form->addRow(enterTestModeButton);
    aTestBox = named<QComboBox>(QStringLiteral("aTestBox"));
    dTestBox = named<QComboBox>(QStringLiteral("dTestBox"));
    for (QComboBox* box : {aTestBox, dTestBox}) {
        for (uint16_t index = 0; index <= hss::kTestIndexMax; ++index)
            box->addItem(QString::number(index));
    }
    auto* analogLabel = new QLabel(QStringLiteral("Analog Test:"));
    analogLabel->setBuddy(aTestBox);
    form->addRow(analogLabel, aTestBox);
    auto* digitalLabel = new QLabel(QStringLiteral("Digital Test:"));
    digitalLabel->setBuddy(dTestBox);
    form->addRow(digitalLabel, dTestBox);
    testCtlValueLabel = named<QLabel>(QStringLiteral("testCtlValueLabel"));
    form->addRow(new QLabel(QStringLiteral("TEST_CTRL (0x75):")), testCtlValueLabel);
    group->setMaximumWidth(360);
    layout->addWidget(group);
    layout->addStretch(1);

    connect(enterTestModeButton, &QPushButton::clicked, this, [this] { enterTestModeButton_Click(); });
    connect(aTestBox, &QComboBox::currentIndexChanged, this, [this](int index) { aTestBox_SelectedIndexChanged(index); });
    connect(dTestBox, &QComboBox::currentIndexChanged, this, [this](int index) { dTestBox_SelectedIndexChanged(index); });
}

void TestModeView::buildRegisterPage(QWidget* tabPage, const char* title, const char* prefix, const uint8_t* first,
                                     std::size_t count, const QString& explanation)
{
    auto* layout = new QVBoxLayout(tabPage);
    auto* group = new QGroupBox(QString::fromLatin1(title));
    auto* grid = new QGridLayout(group);
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t address = first[i];
        const QString name = QString::fromLatin1(prefix) + hexAddress(address);
        auto* box = named<QLineEdit>(name + QStringLiteral("Box"));
        box->setMaximumWidth(110);
        box->setPlaceholderText(QStringLiteral("hex"));
        auto* label = new QLabel(QStringLiteral("Register 0x%1:").arg(hexAddress(address)));
        label->setBuddy(box);
        auto* read = named<QPushButton>(name + QStringLiteral("ReadButton"), QStringLiteral("Read"));
        auto* write = named<QPushButton>(name + QStringLiteral("WriteButton"), QStringLiteral("Write"));
        const int row = int(i);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        grid->addWidget(read, row, 2);
        grid->addWidget(write, row, 3);
        registerBoxes[address] = box;
        connect(read, &QPushButton::clicked, this, [this, address] { readRegister(address); });
        connect(write, &QPushButton::clicked, this, [this, address] { writeRegister(address); });
        connect(box, &QLineEdit::returnPressed, this, [this, address] { writeRegister(address); });
    }
    grid->setColumnStretch(4, 1);
    layout->addWidget(wrappedRichText(explanation));
    layout->addWidget(group);
    layout->addStretch(1);
}

// --- entry ---------------------------------------------------------------------

void TestModeView::enterTestModeButton_Click()
{
    if (host.isDemoMode() || !host.partIdentified()) {
        host.logLine(QStringLiteral("Test mode needs a detected device."));
        return;
    }
    // Neither poll may slip a frame in between the key words.
    const bool faultPollWasStopped = host.faultPollStopped();
    const bool detectionWasPaused = host.detectionPaused();
    host.setDetectionPaused(true);
    host.setFaultPollStopped(true);
    if (!host.waitOnWindowThread(100ms))
        return;  // the window is closing
    for (uint16_t key : hss::kTestModeKeys)
        host.queueHSSCommand(new HSSSingleWriteCmd(hss::reg16::TEST_MODE_KEY, key));
    if (!host.waitOnWindowThread(100ms))
        return;
    host.setFaultPollStopped(faultPollWasStopped);
    host.setDetectionPaused(detectionWasPaused);
    host.queueHSSCommand(new HSSSingleReadCmd(hss::reg16::TEST_CTRL, context::kTestModeRegister));
    host.logLine(QStringLiteral("Test mode key sequence sent."));
}

// --- replies -------------------------------------------------------------------

void TestModeView::handleTestModeRead24PWP(const HSSSingleReadCmd& command)
{
    const uint8_t address = command.getAddress();
    const uint16_t value = command.getPayload();
    if (!host.isWindowThread()) {
        if (host.shutdownStarted())
            return;
        host.runOnWindowThreadBlocking([this, address, value] { showReply(address, value); });
        return;
    }
    showReply(address, value);
}

void TestModeView::showReply(uint8_t address, uint16_t value)
{
    if (host.shutdownStarted())
        return;
    if (address == hss::reg16::TEST_CTRL) {
        testCtl = value;
        showTestControl();
        return;
    }
    const auto box = registerBoxes.find(address);
    if (box == registerBoxes.end())
        return;
    const ui::EventGuard guard(host);
    box->second->setText(QString::fromStdString(ToHex(value)));
}

void TestModeView::showTestControl()
{
    {
        const ui::EventGuard guard(host);
        aTestBox->setCurrentIndex(hss::field::TEST_ANALOG_SELECT.get(testCtl));
        dTestBox->setCurrentIndex(hss::field::TEST_DIGITAL_SELECT.get(testCtl));
    }
    testCtlValueLabel->setText(ui::qtext(hss::regmap::hexWord(testCtl)));
}

// --- test selections and registers ------------------------------------------

void TestModeView::dTestBox_SelectedIndexChanged(int index)
{
    if (host.eventsSuppressed() || index < 0)
        return;
    testCtl = hss::withDigitalTest(testCtl, uint16_t(index));
    writeTestControl();
}

void TestModeView::aTestBox_SelectedIndexChanged(int index)
{
    if (host.eventsSuppressed() || index < 0)
        return;
    testCtl = hss::withAnalogTest(testCtl, uint16_t(index));
    writeTestControl();
}

void TestModeView::writeTestControl()
{
    // Straight to the chip: TEST_CTRL is no part of the record, so a write
    // held back for a manual persist would be lost.
    host.queueHSSCommand(new HSSSingleWriteCmd(hss::reg16::TEST_CTRL, testCtl));
    testCtlValueLabel->setText(ui::qtext(hss::regmap::hexWord(testCtl)));
}

void TestModeView::readRegister(uint8_t address)
{
    host.queueHSSCommand(new HSSSingleReadCmd(address, context::kTestModeRegister));
}

void TestModeView::writeRegister(uint8_t address)
{
    const auto box = registerBoxes.find(address);
    if (box == registerBoxes.end())
        return;
    const QString text = box->second->text().trimmed();
    uint32_t value = 0;
    if (text.isEmpty() || !TryParseHex(text.toStdString(), value) || value > 0xFFFF) {
        host.logLine(QStringLiteral("Register 0x{0} not written: \"{1}\" is not a hexadecimal value from 0 to FFFF."),
                     {hexAddress(address), text});
        return;
    }
    host.queueHSSCommand(new HSSSingleWriteCmd(address, uint16_t(value)));
    host.logLine(QStringLiteral("Test-mode register 0x{0} written with 0x{1}."),
                 {hexAddress(address), QString::fromStdString(ToHex(uint16_t(value)))});
}
