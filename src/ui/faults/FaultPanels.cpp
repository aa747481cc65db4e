// The fault groups of a family's "Device Settings" page: "Channel Faults"
// (channel 1 and channel 2 side by side), "Global Faults" with "Clear Limp
// Home Fault", the 16-pin "LPM Wakeup" texts or the 18-pin "Indicators" and
// "LPM Flag", and the rows of the statistics panel.

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/WidgetHelpers.h"
#include "ui/faults/FaultView.h"

#include "ui/QtText.h"
#include "ui/faults/FaultHistoryPanel.h"
#include "ui/faults/FaultHost.h"
#include "ui/pages/FamilyPages.h"
#include "ui/widgets/FaultIndicator.h"

using hss::FaultId;
using ui::named;

namespace {

// The statistics panel keeps its width whichever fault it shows.
constexpr int kDescriptionWidth = 300;
constexpr int kDescriptionLines = 3;

struct ChannelRow {
    const char* caption;
    FaultId channel1;
    FaultId channel2;
    const char* lamp1;  // 16-pin name; the 18-pin lamp adds "18" unless eighteenOnly
    const char* lamp2;
    bool eighteenOnly = false;
};

const ChannelRow kChannelRows[] = {
    {"Thermal Warning", FaultId::thWarnCh1, FaultId::thWarnCh2, "thermalWarnCh1", "thermalWarnCh2"},
    {"Open-Load (OFF)", FaultId::openLoadOffFaultCh1, FaultId::openLoadOffFaultCh2, "olOffCh1", "olOffCh2"},
    {"Short-to-VBB Fault", FaultId::shortVbbFaultCh1, FaultId::shortVbbFaultCh2, "shtVbbCh1", "shtVbbCh2"},
    {"Current Limit", FaultId::ilimFaultCh1, FaultId::ilimFaultCh2, "ilimCh1", "ilimCh2"},
    {"Thermal Shutdown", FaultId::thermShutCh1, FaultId::thermShutCh2, "tsdCh1", "tsdCh2"},
    {"LPM Wakeup", FaultId::lpmWakeFaultCh1, FaultId::lpmWakeFaultCh2, "lpmWakeCh1", "lpmWakeCh2"},
    {"Output Voltage Fault", FaultId::voutFaultCh1, FaultId::voutFaultCh2, "voutErrCh1", "voutErrCh2"},
    {"I2T Fault", FaultId::i2tFaultCh1, FaultId::i2tFaultCh2, "i2tWarnCh1", "i2tWarnCh2"},
};

const ChannelRow kAccumulatingRow{"I2T Accumulating", FaultId::i2tAccCh1, FaultId::i2tAccCh2, "i2tIndicatorCh1Box",
                                  "i2tIndicatorCh2Box", true};

struct GlobalRow {
    FaultId fault;
    const char* lamp;
};

// In the order the rows are decoded; the 18-pin page shows LPM apart.
const GlobalRow kGlobalRows[] = {
    {FaultId::vbbUVLOFault, "vbbUVFaultBox"}, {FaultId::lpmFault, "lpmFaultBox"},
    {FaultId::vbbWarningFault, "uvWarnBox"},  {FaultId::vddUvloFault, "uvFaultBox"},
    {FaultId::wdtFault, "wdFaultBox"},        {FaultId::spiFault, "spiFaultBox"},
    {FaultId::porFault, "porFaultBox"},       {FaultId::limpFault, "limpHomeFaultBox"},
};

QString faultName(FaultId fault)
{
    return ui::qtext(hss::faultText(fault).name);
}

FaultIndicator* newLamp(const QString& name, const QString& toolTipName)
{
    auto* lamp = new FaultIndicator(name);
    lamp->setCursor(Qt::PointingHandCursor);
    lamp->setAccessibleName(toolTipName);
    return lamp;
}

// A grid with "CH1" and "CH2" heading two lamp columns beside the captions.
QGridLayout* channelGrid(QGroupBox* group)
{
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(14);
    int column = 1;
    for (const char* heading : {"CH1", "CH2"}) {
        auto* label = new QLabel(QString::fromLatin1(heading));
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        grid->addWidget(label, 0, column++, Qt::AlignHCenter);
    }
    grid->setColumnStretch(3, 1);
    return grid;
}

}  // namespace

FaultView::PageControls FaultView::buildPage(DeviceSettingsPage* page, hss_device_family_t family)
{
    const bool eighteen = family == HSS_FAMILY_18PWP;
    const QString suffix = eighteen ? QStringLiteral("18") : QString();
    PageControls c;
    auto lampName = [&](const char* base, bool eighteenOnly) {
        return QString::fromLatin1(base) + (eighteenOnly ? QString() : suffix);
    };
    auto addChannelRow = [&](QGridLayout* grid, const ChannelRow& row) {
        const int at = grid->rowCount();
        grid->addWidget(new QLabel(QString::fromLatin1(row.caption)), at, 0);
        int column = 1;
        for (auto [fault, base] : {std::pair{row.channel1, row.lamp1}, std::pair{row.channel2, row.lamp2}}) {
            FaultIndicator* lamp = newLamp(lampName(base, row.eighteenOnly), faultName(fault));
            c.lamps[std::size_t(fault)] = lamp;
            grid->addWidget(lamp, at, column++, Qt::AlignHCenter);
        }
    };

    // Channel faults.
    auto* channelGroup = named<QGroupBox>(QStringLiteral("channelFaultsGroupBox") + suffix,
                                          QStringLiteral("Channel Faults"));
    QGridLayout* channelRows = channelGrid(channelGroup);
    for (const ChannelRow& row : kChannelRows)
        addChannelRow(channelRows, row);
    page->channelFaultsRegion()->layout()->addWidget(channelGroup);

    // Global faults with the limp-home clear, and beside them a column with
    // the 16-pin "LPM Wakeup" texts or the 18-pin "Indicators" (I2T
    // accumulating) and "LPM Flag".
    auto* globalGroup =
        named<QGroupBox>(QStringLiteral("globalFaultsGroupBox") + suffix, QStringLiteral("Global Faults"));
    auto* globalGrid = new QGridLayout(globalGroup);
    auto* besideGlobal = new QVBoxLayout;
    QGridLayout* lpmFlagGrid = nullptr;
    if (eighteen) {
        auto* indicators = named<QGroupBox>(QStringLiteral("indicatorsGroupBox18"), QStringLiteral("Indicators"));
        addChannelRow(channelGrid(indicators), kAccumulatingRow);
        besideGlobal->addWidget(indicators);
        auto* lpmFlag = named<QGroupBox>(QStringLiteral("lpmFlagGroupBox18"), QStringLiteral("LPM Flag"));
        lpmFlagGrid = new QGridLayout(lpmFlag);
        lpmFlagGrid->setColumnStretch(1, 1);
        besideGlobal->addWidget(lpmFlag);
    } else {
        auto* wake = named<QGroupBox>(QStringLiteral("lpmWakeGroupBox"), QStringLiteral("LPM Wakeup"));
        auto* form = new QFormLayout(wake);
        for (std::size_t channel = 0; channel < 2; ++channel) {
            c.lpmLabels[channel] = named<QLabel>(QStringLiteral("lpmLabel%1").arg(channel + 1));
            ui::showUnknown(c.lpmLabels[channel]);
            form->addRow(QStringLiteral("Channel %1:").arg(channel + 1), c.lpmLabels[channel]);
        }
        besideGlobal->addWidget(wake);
    }
    besideGlobal->addStretch(1);
    for (const GlobalRow& row : kGlobalRows) {
        QGridLayout* grid = eighteen && row.fault == FaultId::lpmFault ? lpmFlagGrid : globalGrid;
        const int at = grid->rowCount();
        FaultIndicator* lamp = newLamp(lampName(row.lamp, false), faultName(row.fault));
        c.lamps[std::size_t(row.fault)] = lamp;
        grid->addWidget(lamp, at, 0);
        grid->addWidget(new QLabel(faultName(row.fault)), at, 1);
    }
    globalGrid->setColumnStretch(1, 1);
    c.clearLimpButton = named<QPushButton>(QStringLiteral("clearLimpButton") + suffix,
                                           QStringLiteral("Clear Limp Home Fault"));
    c.clearLimpButton->setEnabled(false);  // only while the limp-home bit is set
    c.clearLimpButton->setToolTip(QStringLiteral("Writes 0x0080 to DEV_FAULT, at once also under manual persist."));
    globalGrid->addWidget(c.clearLimpButton, globalGrid->rowCount(), 0, 1, 2, Qt::AlignLeft);
    auto* globalRow = new QWidget;
    auto* globalRowLayout = new QHBoxLayout(globalRow);
    globalRowLayout->setContentsMargins(0, 0, 0, 0);
    globalRowLayout->addWidget(globalGroup, 0, Qt::AlignTop);
    globalRowLayout->addLayout(besideGlobal);
    page->globalFaultsRegion()->layout()->addWidget(globalRow);

    // Output-voltage faults have no status bit: their lamps stay grey.
    for (FaultId never : {FaultId::voutFaultCh1, FaultId::voutFaultCh2})
        c.lamps[std::size_t(never)]->setToolTip(QStringLiteral("Not reported by the chip's status registers"));

    // Statistics: the rows above the page's "Fault reading:" selector, and
    // "Manual Update" under it.
    c.statsGroupBox = page->statsGroupBox;
    c.faultUpdateStatus = page->faultUpdateStatus;
    auto* form = static_cast<QFormLayout*>(c.statsGroupBox->layout());
    c.faultDescriptionLabel = named<QLabel>(QStringLiteral("faultDescriptionLabel") + suffix);
    c.faultDescriptionLabel->setWordWrap(true);
    c.faultDescriptionLabel->setFixedWidth(kDescriptionWidth);
    c.faultDescriptionLabel->setMinimumHeight(c.faultDescriptionLabel->fontMetrics().lineSpacing() *
                                              kDescriptionLines);
    c.faultDescriptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c.currentFaultLabelStatus = named<QLabel>(QStringLiteral("currentFaultLabelStatus") + suffix);
    c.numberFaultLabel = named<QLabel>(QStringLiteral("numberFaultLabel") + suffix);
    c.dateFaultLabel = named<QLabel>(QStringLiteral("dateFaultLabel") + suffix);
    c.clearAllStatsButton = named<QPushButton>(QStringLiteral("clearAllStatsButton") + suffix, QStringLiteral("Clear All"));
    c.clearAllStatsButton->setToolTip(
        QStringLiteral("Sets every count but the limp-home one back to 0 and empties the fault history."));
    form->insertRow(0, c.faultDescriptionLabel);
    form->insertRow(1, QStringLiteral("Status:"), c.currentFaultLabelStatus);
    form->insertRow(2, QStringLiteral("Count:"), c.numberFaultLabel);
    form->insertRow(3, QStringLiteral("Last fault:"), c.dateFaultLabel);
    form->insertRow(4, QString(), c.clearAllStatsButton);
    c.manualUpdateButton = named<QPushButton>(QStringLiteral("manualUpdateButton") + suffix,
                                              QStringLiteral("Manual Update"));
    c.manualUpdateButton->setEnabled(false);  // only while fault reading is manual
    form->addRow(QString(), c.manualUpdateButton);

    // Beside the settings, where the page has room to spare.
    c.history = new FaultHistoryPanel(history, suffix, [this](const QString& line) { host.logFaultLine(line); });
    page->regionLayout(PageFrame::Region::Detail)->addWidget(c.history);
    return c;
}
