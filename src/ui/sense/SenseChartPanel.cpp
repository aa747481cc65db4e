#include "ui/sense/SenseChartPanel.h"

#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

#include "measure/ADCConversion.h"
#include "measure/ChartCsv.h"
#include "measure/SenseSample.h"
#include "measure/SenseSources.h"
#include "ui/WidgetHelpers.h"
#include "ui/charts/ChartExport.h"
#include "ui/sense/SenseChart.h"

using ui::named;

namespace {

constexpr std::array<const char*, 4> kStatNames{"Last", "Min", "Max", "Mean"};

QString stamp() { return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")); }

}  // namespace

SenseChartPanel::SenseChartPanel(SenseChart* chart, QWidget* parent) : QWidget(parent), senseChart(chart)
{
    setObjectName(QStringLiteral("senseChartPanel"));
    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    pauseButton = named<QPushButton>(QStringLiteral("sensePauseButton"), QStringLiteral("Pause"));
    pauseButton->setCheckable(true);
    pauseButton->setToolTip(QStringLiteral("Keep the chart as it is; samples are still logged (Space)"));
    auto* reset = named<QPushButton>(QStringLiteral("senseResetViewButton"), QStringLiteral("Reset View"));
    reset->setToolTip(QStringLiteral("Show the whole window again after zooming or panning (Home)"));
    auto* csv = named<QPushButton>(QStringLiteral("senseExportCsvButton"), QStringLiteral("Export CSV..."));
    csv->setToolTip(QStringLiteral("Save the points of the shown time span"));
    auto* png = named<QPushButton>(QStringLiteral("senseExportPngButton"), QStringLiteral("Export PNG..."));
    png->setToolTip(QStringLiteral("Save the chart as a picture"));
    for (QPushButton* button : {pauseButton, reset, csv, png})
        tools->addWidget(button);
    tools->addStretch(1);

    // Under the chart, where the window has room to spare: one row a channel.
    auto* stats = named<QGroupBox>(QStringLiteral("senseStatsGroup"),
                                   QStringLiteral("Shown window (unaveraged samples; the faint line)"));
    auto* grid = new QGridLayout(stats);
    grid->setContentsMargins(6, 2, 6, 2);
    for (std::size_t s = 0; s < kStatNames.size(); ++s)
        grid->addWidget(new QLabel(QString::fromLatin1(kStatNames[s])), 0, int(s) + 1, Qt::AlignRight);
    for (std::size_t ch = 0; ch < 2; ++ch) {
        grid->addWidget(new QLabel(QStringLiteral("Channel %1:").arg(ch + 1)), int(ch) + 1, 0);
        for (std::size_t s = 0; s < kStatNames.size(); ++s) {
            auto* label = named<QLabel>(QStringLiteral("senseStat%1%2").arg(kStatNames[s]).arg(ch + 1), ui::kUnknownText);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("-387.48\u00B0C")));
            grid->addWidget(label, int(ch) + 1, int(s) + 1);
            statLabels[s][ch] = label;
        }
    }
    grid->setColumnStretch(int(kStatNames.size()) + 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(tools);
    layout->addWidget(senseChart, 1);
    layout->addWidget(stats);

    connect(pauseButton, &QPushButton::toggled, this, [this](bool on) {
        senseChart->setPaused(on);
        showPaused(on);
    });
    connect(reset, &QPushButton::clicked, this, [this] { senseChart->resetView(); });
    connect(csv, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(png, &QPushButton::clicked, this, [this] { exportPng(); });
    chartexport::addExportActions(senseChart, [this] { exportCsv(); }, [this] { exportPng(); });
    senseChart->onShown = [this] { showStatistics(); };
    senseChart->onPausedChanged = [this](bool paused) { showPaused(paused); };
    showStatistics();
}

void SenseChartPanel::setFormat(uint8_t format)
{
    dataFormat = format;
    showStatistics();
}

void SenseChartPanel::showPaused(bool paused)
{
    const QSignalBlocker blocker(pauseButton);
    pauseButton->setChecked(paused);
    pauseButton->setText(paused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
}

void SenseChartPanel::showStatistics()
{
    const auto& window = senseChart->shownWindow();
    const SenseChart::Range span = senseChart->timeRange();
    // Shown as every value is: rounded up to the next hundredth.
    const auto text = [this](double v) {
        if (!std::isfinite(v))
            return ui::kUnknownText;
        const float shown = hss::measure::roundUpToHundredth(v);
        return QString::fromStdString(hss::measure::formatSenseReading(shown, dataFormat));
    };
    for (std::size_t ch = 0; ch < 2; ++ch) {
        const auto stats = senseChart->channelShown(ch) ? window.statistics(ch, span) : std::nullopt;
        const std::array<double, 4> values =
            stats ? std::array<double, 4>{stats->last, stats->min, stats->max, stats->mean}
                  : std::array<double, 4>{NAN, NAN, NAN, NAN};
        for (std::size_t s = 0; s < values.size(); ++s)
            statLabels[s][ch]->setText(text(values[s]));
    }
}

void SenseChartPanel::exportCsv()
{
    const auto& quantity = hss::measure::senseQuantities[dataFormat < 4 ? dataFormat : 0];
    const std::string text = hss::measure::senseWindowCsv(
        senseChart->shownWindow(), senseChart->timeRange(), {senseChart->channelShown(0), senseChart->channelShown(1)},
        quantity.columnName, quantity.unit);
    chartexport::saveCsv(this, QStringLiteral("sense-%1.csv").arg(stamp()), text, logLine);
}

void SenseChartPanel::exportPng()
{
    chartexport::savePng(this, QStringLiteral("sense-%1.png").arg(stamp()), senseChart, logLine);
}
