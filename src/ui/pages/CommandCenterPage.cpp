#include "ui/pages/CommandCenterPage.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/WidgetHelpers.h"
#include "ui/widgets/FaultIndicator.h"

using ui::named;

const QString CommandCenterPage::kNoChipText =
    QStringLiteral("VELMARA-BOARD connected, no switch chip found on the daughter card.");
const QString CommandCenterPage::kNoBoardText =
    QStringLiteral("No VELMARA-BOARD connected. Plug one in, or start the tool with --emulate to work "
                   "on the built-in emulated board.");

namespace {

QLabel* caption(const QString& text)
{
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// A value label wide enough for the longest reading ("-387.48°C"), so the
// strip does not jump as values come and go.
QLabel* valueLabel(const QString& name)
{
    auto* label = named<QLabel>(name);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("-387.48\u00B0C ")));
    ui::showUnknown(label);
    return label;
}

QFrame* separator()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

CommandCenterPage::CommandCenterPage(QWidget* parent) : PageFrame(QStringLiteral("commandCenterPage"), parent)
{
    // Status strip: the captions are fixed; the labels beside them change.
    strip = named<QFrame>(QStringLiteral("commandCenterStatusStrip"));
    strip->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(strip);
    faultBox1 = new FaultIndicator(QStringLiteral("faultBox1"));
    faultBox2 = new FaultIndicator(QStringLiteral("faultBox2"));
    faultBoxGlobal = new FaultIndicator(QStringLiteral("faultBoxGlobal"));
    channelOneFaultLabel = valueLabel(QStringLiteral("channelOneFaultLabel"));
    channelTwoFaultLabel = valueLabel(QStringLiteral("channelTwoFaultLabel"));
    globalFaultLabel = valueLabel(QStringLiteral("globalFaultLabel"));
    channelOneLabel = valueLabel(QStringLiteral("channelOneLabel"));
    channelTwoLabel = valueLabel(QStringLiteral("channelTwoLabel"));
    globalLabel = valueLabel(QStringLiteral("globalLabel"));
    faultPinLabel = valueLabel(QStringLiteral("faultPinLabel"));

    struct Cell {
        const char* caption;
        FaultIndicator* lamp;
        QLabel* fault;
        QLabel* value;
    };
    const Cell cells[] = {
        {"Channel 1", faultBox1, channelOneFaultLabel, channelOneLabel},
        {"Channel 2", faultBox2, channelTwoFaultLabel, channelTwoLabel},
        {"Global", faultBoxGlobal, globalFaultLabel, globalLabel},
    };
    for (const Cell& cell : cells) {
        row->addWidget(caption(QString::fromLatin1(cell.caption)));
        row->addWidget(cell.lamp);
        row->addWidget(cell.fault);
        row->addWidget(cell.value);
        row->addWidget(separator());
    }
    row->addWidget(caption(QStringLiteral("Fault Pin")));
    row->addWidget(faultPinLabel);
    row->addStretch(1);
    regionLayout(Region::StateBand)->addWidget(strip);

    region(Region::Controls);  // the editor's groups

    // Right: the chart region, with "Graph Settings" beside it.
    chartRegion = named<QFrame>(QStringLiteral("senseChartRegion"));
    static_cast<QFrame*>(chartRegion)->setFrameShape(QFrame::StyledPanel);
    chartRegion->setMinimumSize(360, 280);
    auto* chartLayout = new QVBoxLayout(chartRegion);
    emptyStateLabel = named<QLabel>(QStringLiteral("emptyStateLabel"), kNoBoardText);
    emptyStateLabel->setAlignment(Qt::AlignCenter);
    emptyStateLabel->setWordWrap(true);
    QFont larger = emptyStateLabel->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.25);
    emptyStateLabel->setFont(larger);
    ui::setTextColor(emptyStateLabel, ui::kUnknownGrey);
    chartLayout->addWidget(emptyStateLabel);

    graphSettingsGroupBox = named<QGroupBox>(QStringLiteral("graphSettingsGroupBox"), QStringLiteral("Graph Settings"));
    auto* graphLayout = new QVBoxLayout(graphSettingsGroupBox);
    graphLayout->setAlignment(Qt::AlignTop);
    senseChannelBox = named<QListWidget>(QStringLiteral("senseChannelBox"));
    for (const char* text : {"Channel 1", "Channel 2"}) {
        auto* item = new QListWidgetItem(QString::fromLatin1(text), senseChannelBox);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    senseChannelBox->setFixedHeight(senseChannelBox->sizeHintForRow(0) * 2 + 2 * senseChannelBox->frameWidth() + 4);
    senseChannelBox->setMaximumWidth(senseChannelBox->sizeHintForColumn(0) + 40);
    senseChannelAll = named<QCheckBox>(QStringLiteral("senseChannelAll"), QStringLiteral("All"));
    // Off until the live monitor takes them over (ui/sense).
    senseChannelBox->setEnabled(false);
    senseChannelAll->setEnabled(false);
    graphLayout->addWidget(senseChannelBox);
    graphLayout->addWidget(senseChannelAll);

    auto* detail = new QHBoxLayout;
    detail->addWidget(chartRegion, 1);
    detail->addWidget(graphSettingsGroupBox, 0, Qt::AlignTop);
    regionLayout(Region::Detail)->addLayout(detail, 1);
}

void CommandCenterPage::setSenseChart(QWidget* chart)
{
    senseChart = chart;
    chartRegion->layout()->addWidget(chart);
    chart->setVisible(shownState == EmptyState::ChipPresent);
}

void CommandCenterPage::showEmptyState(EmptyState state)
{
    shownState = state;
    emptyStateLabel->setVisible(state != EmptyState::ChipPresent);
    if (senseChart != nullptr)
        senseChart->setVisible(state == EmptyState::ChipPresent);
    if (state == EmptyState::NoChip)
        emptyStateLabel->setText(kNoChipText);
    else if (state == EmptyState::NoBoard)
        emptyStateLabel->setText(kNoBoardText);
}
