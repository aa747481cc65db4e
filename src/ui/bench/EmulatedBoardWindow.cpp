#include "ui/bench/EmulatedBoardWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

#include "editor/registers/FieldText.h"
#include "emulator/ChipParts.h"
#include "emulator/ChipRegisterMap.h"
#include "emulator/EmulatedBoard.h"
#include "ui/QtText.h"
#include "ui/WidgetHelpers.h"

using ui::named;

namespace {

using Action = BenchCommand::Action;

struct FaultBit {
    const char* name;
    uint16_t mask;
};

// The fault status bits by name, as the chip's register description has them.
constexpr FaultBit kDeviceFaultBits[] = {
    {"VBB undervoltage lockout (bit 0)", 0x0001}, {"VBB undervoltage warning (bit 1)", 0x0002},
    {"VDD undervoltage lockout (bit 2)", 0x0004}, {"Watchdog error (bit 3)", 0x0008},
    {"SPI communication error (bit 4)", 0x0010},  {"Power-on reset (bit 6)", 0x0040},
    {"Limp home (bit 7)", 0x0080},                {"Global fault (bit 8)", 0x0100},
    {"Low-power mode (bit 11)", 0x0800},
};
constexpr FaultBit kChannelFaultBits[] = {
    {"Thermal warning (bit 0)", 0x0001},   {"Open load in OFF state (bit 2)", 0x0004},
    {"Short to VBB (bit 3)", 0x0008},      {"Current limit (bit 4)", 0x0010},
    {"Thermal shutdown (bit 5)", 0x0020},  {"LPM wake-up (bit 6)", 0x0040},
    {"I2T fault (bit 7)", 0x0080},         {"I2T accumulating (bit 12, 18-pin)", 0x1000},
};

// ABIST_RESULT bits, in bit order.
constexpr std::array<const char*, 6> kSelfTests{"Bandgap", "ADC", "CH1 short", "CH2 short", "OTP", "Current"};
constexpr std::array<const char*, 6> kSelfTestNames{"benchSelfTestBandgapBox", "benchSelfTestAdcBox",
                                                    "benchSelfTestCh1ShortBox", "benchSelfTestCh2ShortBox",
                                                    "benchSelfTestOtpBox", "benchSelfTestCurrentBox"};

constexpr int kNoCard = -1;

BenchCommand benchCommand(Action action, int channel = 0)
{
    BenchCommand command;
    command.action = action;
    command.channel = channel;
    return command;
}

QString numbered(const char* name, int channel) { return QString::fromLatin1(name) + QString::number(channel + 1); }

QDoubleSpinBox* decimalBox(const QString& name, double min, double max, int decimals, const QString& suffix)
{
    auto* box = named<QDoubleSpinBox>(name);
    box->setRange(min, max);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    // Typed values apply when confirmed, not digit by digit (a supply passing
    // through "1" on the way to "13.5" would trip undervoltage).
    box->setKeyboardTracking(false);
    return box;
}

// Sets a value a script or the board changed, unless the user is typing a
// new one into the box.
void showValue(QDoubleSpinBox* box, double value)
{
    if (box->hasFocus() && box->cleanText() != box->textFromValue(box->value()))
        return;
    const QSignalBlocker blocker(box);
    box->setValue(value);
}

void setStatusText(QLabel* label, const QString& text, bool alarm)
{
    label->setText(text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, alarm ? QColor(0xFF, 0x00, 0x00) : QColor(0x00, 0x80, 0x00));
    label->setPalette(palette);
}

}  // namespace

EmulatedBoardWindow::EmulatedBoardWindow(std::shared_ptr<EmulatedBoard> emulated, QWidget* parent)
    : QWidget(parent, Qt::Window), board(std::move(emulated))
{
    setObjectName(QStringLiteral("emulatedBoardWindow"));
    setWindowTitle(QStringLiteral("Emulated Board"));
    // A bench left open never keeps the tool running.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(buildBoardGroup(), 3);
    top->addWidget(buildSelfTestGroup(), 1);
    layout->addLayout(top);
    auto* channelRow = new QHBoxLayout;
    channelRow->addWidget(buildChannelGroup(0));
    channelRow->addWidget(buildChannelGroup(1));
    layout->addLayout(channelRow);
    layout->addWidget(buildFaultGroup());
    statusLabel = named<QLabel>(QStringLiteral("benchStatusLabel"));
    statusLabel->setWordWrap(true);
    layout->addWidget(statusLabel);
    layout->addStretch(1);

    refreshTimer = new QTimer(this);
    refreshTimer->setInterval(kRefreshMs);
    connect(refreshTimer, &QTimer::timeout, this, &EmulatedBoardWindow::refresh);
    resize(820, 500);
    refresh();
}

EmulatedBoardWindow::~EmulatedBoardWindow() = default;

QWidget* EmulatedBoardWindow::buildBoardGroup()
{
    auto* group = named<QGroupBox>(QStringLiteral("benchBoardGroupBox"), QStringLiteral("Board"));
    auto* form = new QFormLayout(group);

    supplyBox = decimalBox(QStringLiteral("benchSupplyBox"), 0.0, 60.0, 2, QStringLiteral(" V"));
    supplyBox->setSingleStep(0.5);
    form->addRow(QStringLiteral("Supply voltage:"), supplyBox);
    ambientBox = decimalBox(QStringLiteral("benchAmbientBox"), -60.0, 200.0, 1, QStringLiteral(" °C"));
    form->addRow(QStringLiteral("Ambient temperature:"), ambientBox);

    auto* cardRow = new QHBoxLayout;
    cardBox = named<QComboBox>(QStringLiteral("benchCardBox"));
    cardBox->addItem(QStringLiteral("No card"), kNoCard);
    for (const ChipPart& part : knownChipParts()) {
        cardBox->addItem(QStringLiteral("%1 (%2)")
                             .arg(QString::fromLatin1(part.name.data(), static_cast<qsizetype>(part.name.size())),
                                  ui::qtext(hss::regmap::hexWord(part.devid))),
                         static_cast<int>(part.devid));
    }
    auto* fitCard = named<QPushButton>(QStringLiteral("benchFitCardButton"), QStringLiteral("Fit Card"));
    fitCard->setToolTip(QStringLiteral("Pulls the board, swaps the daughter card and plugs the board in again"));
    cardRow->addWidget(cardBox, 1);
    cardRow->addWidget(fitCard);
    form->addRow(QStringLiteral("Daughter card:"), cardRow);

    auto* plugRow = new QHBoxLayout;
    plugStateLabel = named<QLabel>(QStringLiteral("benchPlugStateLabel"));
    plugButton = named<QPushButton>(QStringLiteral("benchPlugButton"), QStringLiteral("Plug In"));
    unplugButton = named<QPushButton>(QStringLiteral("benchUnplugButton"), QStringLiteral("Unplug"));
    plugRow->addWidget(plugStateLabel, 1);
    plugRow->addWidget(plugButton);
    plugRow->addWidget(unplugButton);
    form->addRow(QStringLiteral("USB:"), plugRow);

    connect(supplyBox, &QDoubleSpinBox::valueChanged, this, [this](double volts) {
        BenchCommand c = benchCommand(Action::Supply);
        c.value = volts;
        run(c);
    });
    connect(ambientBox, &QDoubleSpinBox::valueChanged, this, [this](double celsius) {
        BenchCommand c = benchCommand(Action::Ambient);
        c.value = celsius;
        run(c);
    });
    connect(fitCard, &QPushButton::clicked, this, [this] {
        BenchCommand c = benchCommand(Action::Card);
        const int code = cardBox->currentData().toInt();
        if (code != kNoCard)
            c.card = static_cast<uint16_t>(code);
        run(c);
    });
    connect(plugButton, &QPushButton::clicked, this, [this] { run(benchCommand(Action::Plug)); });
    connect(unplugButton, &QPushButton::clicked, this, [this] { run(benchCommand(Action::Unplug)); });
    return group;
}

QWidget* EmulatedBoardWindow::buildChannelGroup(int channel)
{
    ChannelControls& c = channels[static_cast<std::size_t>(channel)];
    auto* group = named<QGroupBox>(numbered("benchChannel", channel) + QStringLiteral("GroupBox"),
                                   QStringLiteral("Channel %1").arg(channel + 1));
    auto* grid = new QGridLayout(group);

    c.load = decimalBox(numbered("benchLoadBox", channel), 0.01, 100000.0, 2, QStringLiteral(" Ω"));
    c.openLoad = named<QPushButton>(numbered("benchOpenLoadButton", channel), QStringLiteral("Open Load"));
    c.openLoad->setCheckable(true);
    c.shortToVbb = named<QPushButton>(numbered("benchShortVbbButton", channel), QStringLiteral("Short to VBB"));
    c.shortToVbb->setCheckable(true);
    c.overload = named<QPushButton>(numbered("benchOverloadButton", channel), QStringLiteral("Overload"));
    c.overload->setToolTip(QStringLiteral("A near short on the output for the time beside it"));
    c.overloadTime = named<QSpinBox>(numbered("benchOverloadTimeBox", channel));
    c.overloadTime->setRange(1, 60000);
    c.overloadTime->setValue(500);
    c.overloadTime->setSuffix(QStringLiteral(" ms"));

    grid->addWidget(new QLabel(QStringLiteral("Load:")), 0, 0);
    grid->addWidget(c.load, 0, 1);
    grid->addWidget(c.openLoad, 0, 2);
    grid->addWidget(c.overload, 1, 0);
    grid->addWidget(c.overloadTime, 1, 1);
    grid->addWidget(c.shortToVbb, 1, 2);

    c.current = named<QLabel>(numbered("benchCurrentLabel", channel));
    c.temperature = named<QLabel>(numbered("benchTemperatureLabel", channel));
    c.i2t = named<QProgressBar>(numbered("benchI2tBar", channel));
    c.i2t->setRange(0, 1000);
    c.i2t->setTextVisible(true);
    c.protection = named<QLabel>(numbered("benchProtectionLabel", channel));
    grid->addWidget(new QLabel(QStringLiteral("Current:")), 2, 0);
    grid->addWidget(c.current, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Junction:")), 3, 0);
    grid->addWidget(c.temperature, 3, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("I2T level:")), 4, 0);
    grid->addWidget(c.i2t, 4, 1, 1, 2);
    grid->addWidget(c.protection, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    connectChannel(channel);
    return group;
}

void EmulatedBoardWindow::connectChannel(int channel)
{
    ChannelControls& c = channels[static_cast<std::size_t>(channel)];
    connect(c.load, &QDoubleSpinBox::valueChanged, this, [this, channel] { applyLoad(channel); });
    connect(c.openLoad, &QPushButton::toggled, this, [this, channel] { applyLoad(channel); });
    connect(c.shortToVbb, &QPushButton::toggled, this, [this, channel](bool shorted) {
        if (shorted) {
            run(benchCommand(Action::ShortToVbb, channel));
        } else {
            applyLoad(channel);  // the load back on the output ends the short
        }
    });
    connect(c.overload, &QPushButton::clicked, this, [this, channel] {
        const ChannelControls& ch = channels[static_cast<std::size_t>(channel)];
        BenchCommand command = benchCommand(Action::Overload, channel);
        command.duration = std::chrono::milliseconds(ch.overloadTime->value());
        run(command);
    });
}

QWidget* EmulatedBoardWindow::buildFaultGroup()
{
    auto* group = named<QGroupBox>(QStringLiteral("benchFaultGroupBox"), QStringLiteral("Fault Injection"));
    auto* grid = new QGridLayout(group);
    faultRegisterBox = named<QComboBox>(QStringLiteral("benchFaultRegisterBox"));
    faultRegisterBox->addItems({QStringLiteral("DEV_FAULT"), QStringLiteral("CH1_FAULT"), QStringLiteral("CH2_FAULT")});
    faultBitBox = named<QComboBox>(QStringLiteral("benchFaultBitBox"));
    faultTimeBox = named<QSpinBox>(QStringLiteral("benchFaultTimeBox"));
    faultTimeBox->setRange(0, 3600000);
    faultTimeBox->setSingleStep(100);
    faultTimeBox->setSuffix(QStringLiteral(" ms"));
    faultTimeBox->setSpecialValueText(QStringLiteral("Until cleared"));
    auto* inject = named<QPushButton>(QStringLiteral("benchInjectFaultButton"), QStringLiteral("Inject"));
    auto* clear = named<QPushButton>(QStringLiteral("benchClearFaultButton"), QStringLiteral("Clear"));
    faultRegistersLabel = named<QLabel>(QStringLiteral("benchFaultRegistersLabel"));
    faultRegistersLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    grid->addWidget(faultRegisterBox, 0, 0);
    grid->addWidget(faultBitBox, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("for")), 0, 2);
    grid->addWidget(faultTimeBox, 0, 3);
    grid->addWidget(inject, 0, 4);
    grid->addWidget(clear, 0, 5);
    grid->addWidget(faultRegistersLabel, 1, 0, 1, 6);
    grid->setColumnStretch(1, 1);

    fillFaultBits();
    connect(faultRegisterBox, &QComboBox::currentIndexChanged, this, [this] { fillFaultBits(); });
    connect(inject, &QPushButton::clicked, this, [this] { injectFault(true); });
    connect(clear, &QPushButton::clicked, this, [this] { injectFault(false); });
    return group;
}

QWidget* EmulatedBoardWindow::buildSelfTestGroup()
{
    auto* group = named<QGroupBox>(QStringLiteral("benchSelfTestGroupBox"), QStringLiteral("Self-Test Failures"));
    auto* box = new QVBoxLayout(group);
    for (std::size_t i = 0; i < kSelfTests.size(); ++i) {
        selfTestBoxes[i] = named<QCheckBox>(QString::fromLatin1(kSelfTestNames[i]), QString::fromLatin1(kSelfTests[i]));
        box->addWidget(selfTestBoxes[i]);
        connect(selfTestBoxes[i], &QCheckBox::toggled, this, [this] { applySelfTestFailures(); });
    }
    box->addStretch(1);
    return group;
}

void EmulatedBoardWindow::fillFaultBits()
{
    faultBitBox->clear();
    if (faultRegisterBox->currentIndex() == 0) {
        for (const FaultBit& bit : kDeviceFaultBits)
            faultBitBox->addItem(QString::fromLatin1(bit.name), bit.mask);
    } else {
        for (const FaultBit& bit : kChannelFaultBits)
            faultBitBox->addItem(QString::fromLatin1(bit.name), bit.mask);
    }
}

void EmulatedBoardWindow::run(BenchCommand command)
{
    const BenchReply reply = runBenchCommand(*board, command);
    if (!reply.error.empty())
        setStatusText(statusLabel, QString::fromStdString(reply.error), true);
    else
        statusLabel->clear();
    refresh();
}

void EmulatedBoardWindow::applyLoad(int channel)
{
    const ChannelControls& c = channels[static_cast<std::size_t>(channel)];
    BenchCommand command = benchCommand(Action::Load, channel);
    command.value = c.openLoad->isChecked() ? std::numeric_limits<double>::infinity() : c.load->value();
    run(command);
}

void EmulatedBoardWindow::applySelfTestFailures()
{
    uint16_t bits = 0;
    for (std::size_t i = 0; i < selfTestBoxes.size(); ++i) {
        if (selfTestBoxes[i]->isChecked())
            bits = static_cast<uint16_t>(bits | (1u << i));
    }
    BenchCommand command = benchCommand(Action::SelfTestFail);
    command.bits = bits;
    run(command);
}

void EmulatedBoardWindow::injectFault(bool inject)
{
    static constexpr FaultRegister kRegisters[] = {FaultRegister::Device, FaultRegister::Channel1,
                                                   FaultRegister::Channel2};
    BenchCommand command = benchCommand(inject ? Action::Fault : Action::ClearFault);
    command.faultRegister = kRegisters[std::max(0, faultRegisterBox->currentIndex())];
    command.bits = static_cast<uint16_t>(faultBitBox->currentData().toUInt());
    command.duration = std::chrono::milliseconds(inject ? faultTimeBox->value() : 0);
    run(command);
}

void EmulatedBoardWindow::open()
{
    refresh();
    show();
    raise();
    activateWindow();
}

void EmulatedBoardWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshTimer->start();
}

void EmulatedBoardWindow::hideEvent(QHideEvent* event)
{
    refreshTimer->stop();
    QWidget::hideEvent(event);
}

void EmulatedBoardWindow::refresh()
{
    showValue(supplyBox, board->supplyVoltage());
    showValue(ambientBox, board->ambientTemperature());

    // The card list follows the board only when the card changed, so a card
    // the user picked stays picked until "Fit Card".
    const std::optional<uint16_t> card = board->deviceId();
    if (!shownCard || *shownCard != card) {
        shownCard = card;
        const int index = cardBox->findData(card ? static_cast<int>(*card) : kNoCard);
        const QSignalBlocker blocker(cardBox);
        if (index >= 0)
            cardBox->setCurrentIndex(index);
    }
    const bool plugged = board->isPlugged();
    setStatusText(plugStateLabel, plugged ? QStringLiteral("Plugged in") : QStringLiteral("Unplugged"), !plugged);
    plugButton->setEnabled(!plugged);
    unplugButton->setEnabled(plugged);

    const uint16_t failures = board->selfTestFailures();
    for (std::size_t i = 0; i < selfTestBoxes.size(); ++i) {
        const QSignalBlocker blocker(selfTestBoxes[i]);
        selfTestBoxes[i]->setChecked((failures & (1u << i)) != 0);
    }

    if (const std::optional<ChipFamily> family = board->chipFamily()) {
        const ChipRegisterMap& map = registerMapFor(*family);
        const auto word = [&](uint8_t address) {
            return ui::qtext(hss::regmap::hexWord(board->peekRegister(address)));
        };
        faultRegistersLabel->setText(
            QStringLiteral("Now: DEV_FAULT %1   CH1_FAULT %2   CH2_FAULT %3")
                .arg(word(map.devFault), word(map.channels[0].fault), word(map.channels[1].fault)));
    } else {
        faultRegistersLabel->setText(QStringLiteral("No daughter card fitted"));
    }
    for (int channel = 0; channel < 2; ++channel)
        refreshChannel(channel);
}

void EmulatedBoardWindow::refreshChannel(int channel)
{
    ChannelControls& c = channels[static_cast<std::size_t>(channel)];
    const double ohms = board->loadResistance(channel);
    const bool open = !(ohms > 0.0) || std::isinf(ohms);
    {
        const QSignalBlocker openBlocker(c.openLoad);
        c.openLoad->setChecked(open);
        const QSignalBlocker shortBlocker(c.shortToVbb);
        c.shortToVbb->setChecked(board->isShortedToSupply(channel));
    }
    if (!open)
        showValue(c.load, ohms);
    c.load->setEnabled(!open);
    c.overload->setEnabled(!board->isOverloaded(channel));

    c.current->setText(QString::fromStdString(plainDecimal(board->loadCurrent(channel), 3)) + QStringLiteral(" A"));
    c.temperature->setText(QString::number(board->junctionTemperature(channel), 'f', 1) + QStringLiteral(" °C"));
    const double level = std::clamp(board->i2tLevel(channel), 0.0, 1.0);
    c.i2t->setValue(static_cast<int>(std::lround(level * 1000.0)));
    c.i2t->setFormat(QString::number(level * 100.0, 'f', 1) + QStringLiteral(" %"));
    if (board->isHeldOffByProtection(channel))
        setStatusText(c.protection, QStringLiteral("Switched off by the I2T protection"), true);
    else
        c.protection->clear();
}
