#include "ui/safety/SafetyView.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "device/HSSRegisterMap.h"
#include "protocol/HSSRegisterCommands.h"
#include "ui/WidgetHelpers.h"
#include "ui/pages/SafetyPage.h"
#include "ui/safety/SafetyHost.h"
#include "ui/widgets/FaultIndicator.h"

using ui::named;

namespace {

struct RowText {
    const char* lamp;
    const char* result;
    const char* initiate;
    const char* reset;
    const char* pending;
    const char* resetText;  // pending label after "Reset"
    const char* explanation;
};

// Tab order; the names are the controls' objectNames.
constexpr RowText kRowTexts[hss::kSelfTestCount] = {
    {"bandgapSafetyBox", "bandgapSafetyLabel", "bandgapInitiateTestButton", "bandgapResetTestButton",
     "bandgapTestPendingLabel", "No Test Initiated",
     "Compares the chip's bandgap reference with a second, independent reference. A fault means that the "
     "thresholds and ADC readings derived from the reference cannot be trusted."},
    {"adcSafetyBox", "adcSafetyLabel", "adcSafetyInitiateTestButton", "adcSafetyResetTestButton",
     "adcTestPendingLabel", "Test Not Intiated",
     "Converts a known internal voltage and compares the result with its expected code. A fault means that "
     "the ADC readings (load current, voltages, temperature) cannot be trusted."},
    {"ch1SafetyShortBox", "ch1SafetyShortLabel", "ch1SafetyInitiateTestButton", "ch1SafetyResetButton",
     "ch1SafetyShtInitiatedLabel", "Test Not Intiated",
     "Checks the output FET of channel 1 for a drain-source short while the channel is off. A fault means "
     "that channel 1 cannot be relied on to switch its load off."},
    {"ch2SafetyShortBox", "ch2SafetyShortLabel", "ch2SafetyShortInitButton", "ch2SafetyResetButton",
     "ch2SafetyShortInitiatedLabel", "Test Not Intiated",
     "Checks the output FET of channel 2 for a drain-source short while the channel is off. A fault means "
     "that channel 2 cannot be relied on to switch its load off."},
    {"currentSafetyBox", "currentSafetyLabel", "currentInitiateTestButton", "currentSafetyResetButton",
     "currentSafetyInitiatedLabel", "Test Not Intiated",
     "Feeds a known current into the current-sense path and checks the measured value. A fault means that "
     "the load-current readings and the current limits built on them cannot be trusted."},
    {"otpSafetyBox", "otpSafetyLabel", nullptr, nullptr, nullptr, nullptr,
     "At every power-up the chip checks its one-time-programmable trim memory against a stored CRC. The "
     "check cannot be started by a write: putting the chip to sleep and waking it again is a power-up and "
     "runs it anew (the configuration is written back afterwards)."},
};

// The refresh's clear texts differ from Reset's for the ADC row; at start the
// labels say what a read-back of a clear bit says.
constexpr const char* kStartPendingText[hss::kSelfTestCount - 1] = {
    "No Test Initiated", "No Test Initiated", "Test Not Intiated", "Test Not Intiated", "Test Not Intiated"};

// The groups and texts of a sub-tab keep to one readable column.
constexpr int kGroupWidth = 600;

QLabel* wrapped(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setMaximumWidth(kGroupWidth);
    return label;
}

}  // namespace

SafetyView::SafetyView(SafetyHost& safetyHost, SafetyPage& safetyPage, QObject* parent)
    : QObject(parent), host(safetyHost), page(safetyPage)
{
    for (std::size_t row = 0; row < hss::kSelfTestCount; ++row)
        buildRow(row);
    showNotRun();
}

void SafetyView::buildRow(std::size_t index)
{
    const RowText& text = kRowTexts[index];
    Row& row = rows[index];
    auto* layout = static_cast<QVBoxLayout*>(page.subTabPages[index]->layout());

    auto* resultGroup = new QGroupBox(QStringLiteral("Result"));
    resultGroup->setMaximumWidth(kGroupWidth);
    auto* resultRow = new QHBoxLayout(resultGroup);
    row.lamp = new FaultIndicator(QString::fromLatin1(text.lamp));
    row.result = named<QLabel>(QString::fromLatin1(text.result));
    page.resultLabels[index] = row.result;
    resultRow->addWidget(row.lamp);
    resultRow->addWidget(row.result);
    resultRow->addStretch(1);
    layout->addWidget(resultGroup);

    if (text.initiate != nullptr) {
        auto* testGroup = new QGroupBox(QStringLiteral("Self-Test"));
        testGroup->setMaximumWidth(kGroupWidth);
        auto* testRow = new QHBoxLayout(testGroup);
        row.initiate = named<QPushButton>(QString::fromLatin1(text.initiate), QStringLiteral("Initiate"));
        row.reset = named<QPushButton>(QString::fromLatin1(text.reset), QStringLiteral("Reset"));
        row.pending = named<QLabel>(QString::fromLatin1(text.pending),
                                    QString::fromLatin1(kStartPendingText[index]));
        testRow->addWidget(row.initiate);
        testRow->addWidget(row.reset);
        testRow->addSpacing(12);
        testRow->addWidget(row.pending);
        testRow->addStretch(1);
        layout->addWidget(testGroup);
        connect(row.initiate, &QPushButton::clicked, this, [this, index] { initiateTest(index); });
        connect(row.reset, &QPushButton::clicked, this, [this, index] { resetTest(index); });
    }

    layout->addWidget(wrapped(QString::fromLatin1(text.explanation)));
    if (index == 0) {
        bandgapPictureBox = named<QLabel>(QStringLiteral("bandgapPictureBox"));
        layout->addWidget(bandgapPictureBox);
    }
    if (text.initiate != nullptr) {
        layout->addWidget(wrapped(QStringLiteral(
            "\"Initiate\" starts the test (its bit in SAFETY_TEST); \"Reset\" clears it again. The result is read "
            "from ABIST_RESULT with every fault reading (twice a second, or on \"Manual Update\").")));
    } else {
        auto* powerUpGroup = new QGroupBox(QStringLiteral("Power-Up Check"));
        powerUpGroup->setMaximumWidth(kGroupWidth);
        auto* powerUpRow = new QHBoxLayout(powerUpGroup);
        sleepModeSafetyButton = named<QPushButton>(QStringLiteral("sleepModeSafetyButton"), QStringLiteral("Sleep Mode"));
        powerUpRow->addWidget(sleepModeSafetyButton);
        powerUpRow->addStretch(1);
        layout->addWidget(powerUpGroup);
    }
    layout->addStretch(1);
}

void SafetyView::setBandgapPicture(const QPixmap& picture)
{
    bandgapPictureBox->setPixmap(picture);
}

void SafetyView::showNotRun()
{
    for (Row& row : rows) {
        row.lamp->setUnknown();
        row.result->setText(QStringLiteral("Not Faulted"));
        ui::setTextColor(row.result, ui::kGreen);
    }
    page.safetyTabControl->update();
}

// --- results -----------------------------------------------------------------

void SafetyView::handle16PWPSafetyRead(uint16_t value)
{
    if (!host.isWindowThread()) {
        if (host.shutdownStarted())
            return;
        host.runOnWindowThreadBlocking([this, value] { showSelfTestResults(value); });
        return;
    }
    showSelfTestResults(value);
}

void SafetyView::showSelfTestResults(uint16_t value)
{
    if (host.shutdownStarted())
        return;
    // The label's colour is the state the next result is compared with.
    std::array<bool, hss::kSelfTestCount> shown{};
    for (std::size_t i = 0; i < rows.size(); ++i)
        shown[i] = ui::textColor(rows[i].result) == ui::kRed;
    const std::vector<hss::SelfTestChange> changes = hss::selfTestChanges(value, shown);
    for (const hss::SelfTestChange& change : changes) {
        Row& row = rows[change.row];
        row.lamp->setFaulted(change.faulted);
        row.result->setText(change.faulted ? QStringLiteral("Faulted") : QStringLiteral("No Fault"));
        ui::setTextColor(row.result, change.faulted ? ui::kRed : ui::kGreen);
    }
    // A lamp still grey since the part came shows the first result it gets,
    // without counting as a change of the label.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].lamp->isKnown())
            rows[i].lamp->setFaulted(hss::kSelfTestRows[i].result.isOn(value));
    }
    if (!changes.empty()) {
        ++redraws;
        page.safetyTabControl->update();
        page.safetyTabControl->tabBar()->update();
    }
}

// --- initiate and reset ------------------------------------------------------

void SafetyView::initiateTest(std::size_t index)
{
    if (index >= rows.size() || !hss::kSelfTestRows[index].initiate)
        return;
    const auto word = host.sixteenPinRecord().setFieldOn(*hss::kSelfTestRows[index].initiate, true);
    if (!word)
        return;
    writeSafetyTest(*word);
    rows[index].pending->setText(QStringLiteral("Test Intiated"));
    ui::setTextColor(rows[index].pending, ui::kDarkOrange);
    setCaptionMark(index, true);
}

void SafetyView::resetTest(std::size_t index)
{
    if (index >= rows.size() || !hss::kSelfTestRows[index].initiate)
        return;
    const auto word = host.sixteenPinRecord().setFieldOn(*hss::kSelfTestRows[index].initiate, false);
    if (!word)
        return;
    writeSafetyTest(*word);
    rows[index].pending->setText(QString::fromLatin1(kRowTexts[index].resetText));
    ui::setTextColor(rows[index].pending, ui::kBlack);
    setCaptionMark(index, false);
}

void SafetyView::writeSafetyTest(uint16_t word)
{
    // Straight to the chip, also under manual persist: the write-out sends
    // SAFETY_TEST as 0, so a held-back start would never reach the chip.
    host.queueHSSCommand(new HSSSingleWriteCmd(hss::reg16::SAFETY_TEST, word));
}

void SafetyView::setCaptionMark(std::size_t index, bool marked)
{
    QTabWidget* tabs = page.safetyTabControl;
    QString caption = tabs->tabText(int(index));
    if (marked && !caption.contains(QLatin1Char('*')))
        caption.prepend(QLatin1Char('*'));
    else if (!marked)
        caption.remove(QLatin1Char('*'));
    tabs->setTabText(int(index), caption);
    tabs->update();
}
