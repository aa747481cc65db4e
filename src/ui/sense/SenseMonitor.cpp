#include "ui/sense/SenseMonitor.h"

#include <QApplication>
#include <QDir>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "app/ReplyDispatcher.h"
#include "device/HSSRegisterMap.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "files/FileReplace.h"
#include "measure/ADCConversion.h"
#include "measure/NumberText.h"
#include "measure/SenseSources.h"
#include "protocol/HSSProtocol.h"
#include "ui/EventGuard.h"
#include "ui/QtText.h"
#include "ui/WidgetHelpers.h"
#include "ui/pages/CommandCenterPage.h"
#include "ui/seam/DialogSeam.h"
#include "ui/sense/SenseChart.h"
#include "ui/sense/SenseChartPanel.h"
#include "ui/sense/SenseHost.h"
#include "ui/sense/SenseLog.h"
#include "ui/sense/SenseResistorBox.h"

using namespace hss::measure;

namespace {

const QString kNotAvailable = QStringLiteral("n/a");
// A channel that is off, or not graphed: no value, never a made-up 0.
constexpr float kNoPoint = std::numeric_limits<float>::quiet_NaN();
// A first poll that never comes back (a dropped reply) holds samples up no longer.
constexpr qint64 kRestartWaitMs = 1000;

std::vector<uint8_t> addressList(const SenseRegisters& registers)
{
    const auto ordered = registers.inOrder();
    return {ordered.begin(), ordered.end()};
}

}  // namespace

SenseMonitor::SenseMonitor(SenseHost& senseHost, const SenseViews& senseViews, QObject* parent)
    : QObject(parent), host(senseHost), views(senseViews), graph(buildGraphSettings(*senseViews.page))
{
    chart = new SenseChart(window);
    panel = new SenseChartPanel(chart);
    panel->logLine = [this](const QString& line) { host.logLine(QStringLiteral("{0}"), {line}); };
    views.page->setSenseChart(panel);
    chart->setTitles(QStringLiteral("Current Sense"), ui::qtext(senseQuantities[0].axisTitle));
    senseClock.start();
    log = new SenseLog(host, graph.enableLogButton, graph.logBrowseButton, graph.filePathTextBox, views.dialogParent,
                       this);
    resistor = new SenseResistorBox(host, views.sixteenPinGeneralGroup, views.dialogParent, this);
    lastSizes = correctSenseWindowSizes(graph.maxSamplesBox->text().toStdString(),
                                        graph.averageCountBox->text().toStdString());

    connect(graph.senseSourceSelBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { senseSourceSelBox_SelectedIndexChanged(index); });
    connect(graph.senseChannelBox, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { senseChannelBox_ItemCheck(item); });
    connect(graph.senseChannelAll, &QCheckBox::toggled, this,
            [this](bool checked) { senseChannelAll_CheckedChanged(checked); });
    connect(graph.logTimeStampsBox, &QCheckBox::toggled, this, [this](bool on) { log->setIsoTimeStamps(on); });
    connect(graph.faultCaptureBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            finishCaptures();
    });
    for (QLineEdit* box : {graph.faultCaptureBeforeBox, graph.faultCaptureAfterBox}) {
        // Applied as typed, so the history kept follows at once; corrected where typed when left.
        connect(box, &QLineEdit::textChanged, this, [this] { applyCaptureSpan(false); });
        connect(box, &QLineEdit::editingFinished, this, [this] { applyCaptureSpan(true); });
    }
    connect(graph.faultCaptureFolderButton, &QToolButton::clicked, this, [this] { chooseCaptureFolder(); });
    applyCaptureSpan(true);
}

SenseMonitor::~SenseMonitor() = default;

double SenseMonitor::senseResistorOhms() const { return resistor->ohms(); }

ZVRxQxx16PINConfiguration& SenseMonitor::record(hss_device_family_t family)
{
    if (family == HSS_FAMILY_18PWP)
        return host.eighteenPinRecord();
    return host.sixteenPinRecord();
}

void SenseMonitor::senseSourceSelBox_SelectedIndexChanged(int index)
{
    if (host.eventsSuppressed() || index < 0 || index >= static_cast<int>(senseQuantities.size()))
        return;
    const bool wasOn = host.currentSenseEnabled();
    const SenseQuantity& quantity = senseQuantities[static_cast<std::size_t>(index)];
    dataFormat = quantity.format;
    chart->setTitles(chart->title(), ui::qtext(quantity.axisTitle));
    // Captures of the old quantity end here; their columns name its unit.
    finishCaptures();
    showQuantity(quantity);
    host.logLine(ui::qtext(quantity.logMessage));
    if (wasOn) {
        host.setCurrentSenseEnabled(false);
        host.queueHSSCommand(new HSSSenseConfigCmd(0));
    }

    const hss_device_family_t family = host.deviceFamily();
    const std::optional<SenseRegisters> registers = senseRegisters(family, index);
    if (!registers)
        return;
    // Values of another unit must not mix into the averages or the chart.
    clearSamples();
    chart->setTitles(ui::qtext(quantity.itemText), ui::qtext(quantity.axisTitle));
    // The board samples only while something is graphed.
    if (wasOn) {
        restartSampling(*registers);
        host.setCurrentSenseEnabled(true);
    }
}

void SenseMonitor::restartSampling(const SenseRegisters& registers)
{
    host.queueHSSCommand(new HSSSenseConfigCmd(addressList(registers), kSenseIntervalMs));
    auto* firstPoll = new HSSPollReadCmd(context::kSensePoll);
    awaitedReply = firstPoll;
    sinceRestart.start();
    host.queueHSSCommand(firstPoll);
}

void SenseMonitor::senseChannelBox_ItemCheck(QListWidgetItem* item)
{
    const int index = graph.senseChannelBox->row(item);
    if (index < 0 || index >= static_cast<int>(itemChecked.size()))
        return;
    const auto channel = static_cast<std::size_t>(index);
    const bool checked = item->checkState() == Qt::Checked;
    const bool tickChanged = itemChecked[channel] != checked;
    itemChecked[channel] = checked;
    if (!tickChanged || host.eventsSuppressed())
        return;

    uint8_t mask = 0;
    for (std::size_t i = 0; i < itemChecked.size(); ++i) {
        if (itemChecked[i])
            mask = static_cast<uint8_t>(mask | (1u << i));
    }
    chart->setChannelShown(channel, checked);
    const bool stopping = mask == 0;
    const bool starting = !stopping && !host.currentSenseEnabled();
    if (stopping || starting)
        host.setCurrentSenseEnabled(starting);
    {
        ui::EventGuard guard(host);
        graph.senseChannelAll->setChecked(mask == 0b11);
    }
    if (!stopping && !starting)
        return;

    const int source = graph.senseSourceSelBox->currentIndex();
    dataFormat = static_cast<uint8_t>(source);
    const hss_device_family_t family = host.deviceFamily();
    if (!senseRegisters(family, source))
        return;
    if (starting)
        startSensing(family);
    else
        stopSensing(family);
    host.logLine(QStringLiteral("Sense enabled on channels changed to: 0b{0} "),
                 {QString::fromStdString(channelMaskText(mask))});
}

void SenseMonitor::senseChannelAll_CheckedChanged(bool checked)
{
    if (host.eventsSuppressed())
        return;
    for (int i = 0; i < graph.senseChannelBox->count(); ++i)
        graph.senseChannelBox->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void SenseMonitor::showQuantity(const SenseQuantity& quantity)
{
    const std::string name(quantity.columnName);
    const std::string unit(quantity.unit);
    chart->setUnit(ui::qtext(quantity.unit));
    panel->setFormat(quantity.format);
    log->setQuantity(name, unit);
    capture.setQuantity(name, unit);
}

void SenseMonitor::startSensing(hss_device_family_t family)
{
    for (const hss::measure::SenseWrite& write : hss::measure::sensingOnWrites(family, record(family)))
        host.queueHSSCommand(new HSSSingleWriteCmd(write.address, write.value));
    restartSampling(*senseRegisters(family, graph.senseSourceSelBox->currentIndex()));
    unknownRatioLogged = false;
    setSupplyVoltageShown(true);
}

void SenseMonitor::stopSensing(hss_device_family_t family)
{
    const SenseRegisters registers = *senseRegisters(family, graph.senseSourceSelBox->currentIndex());
    host.queueHSSCommand(new HSSSenseConfigCmd(addressList(registers), 0));
    for (QLabel* label : {views.page->channelOneLabel, views.page->channelTwoLabel, views.page->globalLabel})
        label->clear();
    setSupplyVoltageShown(false);
    finishCaptures();
}

void SenseMonitor::stopWithoutBoard()
{
    {
        ui::EventGuard guard(host);
        host.setCurrentSenseEnabled(false);
        for (int i = 0; i < graph.senseChannelBox->count(); ++i)
            graph.senseChannelBox->item(i)->setCheckState(Qt::Unchecked);
        graph.senseChannelAll->setChecked(false);
    }
    chart->setChannelShown(0, false);
    chart->setChannelShown(1, false);
    finishCaptures();
    clearSamples();
    setSupplyVoltageShown(false);
}

void SenseMonitor::stopForSleep()
{
    host.queueHSSCommand(new HSSSenseConfigCmd(0));
    stopWithoutBoard();
    {
        ui::EventGuard guard(host);
        graph.senseSourceSelBox->setCurrentIndex(0);
    }
    const SenseQuantity& first = senseQuantities[0];
    dataFormat = first.format;
    chart->setTitles(ui::qtext(first.itemText), ui::qtext(first.axisTitle));
    showQuantity(first);
    for (QLabel* label : {views.page->channelOneLabel, views.page->channelTwoLabel, views.page->globalLabel})
        label->clear();
}

void SenseMonitor::shutdown()
{
    finishCaptures();
    log->close();
}

void SenseMonitor::clearSamples()
{
    averager.clear();
    window.clear();
    chart->setPaused(false);
    panel->showPaused(false);
    chart->clearPoints();
    senseClock.restart();
}

double SenseMonitor::sampleTime() const { return static_cast<double>(senseClock.nsecsElapsed()) / 1e9; }

void SenseMonitor::applyCaptureSpan(bool correctBoxes)
{
    const auto seconds = [&](QLineEdit* box, double current) {
        const std::optional<int> typed = hss::text::parseInteger(box->text().toStdString());
        const double value = typed ? std::clamp(double(*typed), kMinCaptureSeconds, kMaxCaptureSeconds) : current;
        if (correctBoxes && box->text() != QString::number(int(value)))
            box->setText(QString::number(int(value)));
        return value;
    };
    capture.setSpan(seconds(graph.faultCaptureBeforeBox, capture.secondsBefore()),
                    seconds(graph.faultCaptureAfterBox, capture.secondsAfter()));
}

void SenseMonitor::chooseCaptureFolder()
{
    const QString folder = DialogSeam::existingDirectory(views.dialogParent, QStringLiteral("Fault Capture Folder"),
                                                         graph.faultCaptureFolderBox->text());
    if (!folder.isEmpty())
        graph.faultCaptureFolderBox->setText(QDir::toNativeSeparators(folder));
}

void SenseMonitor::faultRaised(hss::FaultId fault)
{
    if (!graph.faultCaptureBox->isChecked() || !host.currentSenseEnabled())
        return;
    const std::string name(hss::faultText(fault).field);
    if (!capture.faultRaised(name, sampleTime(), localTimestampNow()))
        host.logLine(QStringLiteral("Fault capture: {0} not captured, {1} captures are still collecting samples."),
                     {ui::qtext(name), QString::number(capture.openCaptures())});
}

void SenseMonitor::finishCaptures() { writeCaptures(capture.finishAll()); }

void SenseMonitor::writeCaptures(const std::vector<FinishedCapture>& captures)
{
    for (const FinishedCapture& done : captures) {
        const QString folderText = graph.faultCaptureFolderBox->text().trimmed();
        const QDir folder(folderText.isEmpty() ? QDir::currentPath() : folderText);
        const QString path = folder.filePath(QString::fromStdString(done.fileName));
        if (const auto error = hss::files::writeFileReplacing(path.toStdString(), done.text)) {
            host.logLine(QStringLiteral("Fault capture of {0} could not be written to {1}: {2}"),
                         {ui::qtext(done.fault), QDir::toNativeSeparators(path), QString::fromStdString(*error)});
            continue;
        }
        host.logLine(QStringLiteral("Fault capture of {0} written to {1} ({2} samples before the fault, {3} after)"),
                     {ui::qtext(done.fault), QDir::toNativeSeparators(path), QString::number(done.before),
                      QString::number(done.after)});
    }
}

void SenseMonitor::setSupplyVoltageShown(bool shown)
{
    views.inputVoltageDescStripLabel->setVisible(shown);
    views.inputVoltageValueLabel->setVisible(shown);
}

SenseWindowSizes SenseMonitor::windowSizes()
{
    // Half-typed numbers are not corrected under the user's fingers.
    if (graph.maxSamplesBox->hasFocus() || graph.averageCountBox->hasFocus())
        return lastSizes;
    lastSizes = correctSenseWindowSizes(graph.maxSamplesBox->text().toStdString(),
                                        graph.averageCountBox->text().toStdString());
    const QString points = QString::fromStdString(lastSizes.pointsText);
    const QString average = QString::fromStdString(lastSizes.averageText);
    if (graph.maxSamplesBox->text() != points)
        graph.maxSamplesBox->setText(points);
    if (graph.averageCountBox->text() != average)
        graph.averageCountBox->setText(average);
    return lastSizes;
}

void SenseMonitor::updateCurrentSenseGUI(const HSSPollReadCmd& command)
{
    if (!host.isWindowThread()) {
        if (host.shutdownStarted())
            return;
        const HSSPollReadCmd::ResultArray words = command.getPollReadResults();
        host.runOnWindowThreadBlocking([this, words, reply = &command] { showSample(words, reply); });
        return;
    }
    showSample(command.getPollReadResults(), &command);
}

void SenseMonitor::showValue(QLabel* label, const QString& text)
{
    label->setText(text);
    ui::setTextColor(label, QApplication::palette().color(QPalette::WindowText));
}

void SenseMonitor::showSample(const HSSPollReadCmd::ResultArray& words, const HSSPollReadCmd* reply)
{
    // A reply still on its way when graphing stopped changes nothing.
    if (!host.currentSenseEnabled())
        return;
    if (awaitedReply != nullptr) {
        if (reply != awaitedReply && sinceRestart.elapsed() < kRestartWaitMs)
            return;  // sampled before the restart: another quantity, or old registers
        awaitedReply = nullptr;
    }
    const hss_device_family_t family = host.deviceFamily();
    if (family != HSS_FAMILY_16PWP && family != HSS_FAMILY_18PWP)
        return;
    const SenseWindowSizes sizes = windowSizes();
    const ZVRxQxx16PINConfiguration& config = record(family);
    SenseChannelSetup setup;
    setup.switchState = static_cast<uint8_t>(config.getSwitchState() & 0x3);
    setup.chanDiagConfig = {config.getChanDiagConfig(0), config.getChanDiagConfig(1)};
    setup.ksnsRatio = config.getKSNSRatio();
    setup.ksnsRatioScale = config.getKSNSRatioScale();
    const std::optional<SenseSample> sample =
        decodeSenseSample({words[0], words[1], words[2]}, dataFormat, setup, resistor->ohms());
    if (!sample)
        return;  // a switched-on channel without a valid conversion

    const std::array<bool, 2>& unknown = sample->ratioMissing;
    const std::array<bool, 2>& on = sample->switchedOn;
    // What can be shown: nothing for a channel that is off or whose value cannot be known.
    std::array<float, 2> shown{};
    for (std::size_t ch = 0; ch < 2; ++ch)
        shown[ch] = on[ch] && !unknown[ch] ? sample->channel[ch] : kNoPoint;
    const std::array<float, 2> means = averager.add(shown, sizes.averageCount);
    if ((unknown[0] || unknown[1]) && !unknownRatioLogged) {
        unknownRatioLogged = true;
        host.logLine(QStringLiteral("Load current cannot be shown: the current-sense ratio (KSNS) of this part "
                                    "is not known. The other quantities can be graphed as usual."));
    }

    const double now = sampleTime();
    window.setPointsKept(sizes.pointsKept);
    window.append(now, means, shown);
    chart->windowChanged();

    const auto reading = [&](std::size_t channel) {
        if (unknown[channel])
            return kNotAvailable;
        if (!std::isfinite(means[channel]))
            return ui::kUnknownText;
        return QString::fromStdString(formatSenseReading(means[channel], dataFormat));
    };
    showValue(views.page->channelOneLabel, reading(0));
    showValue(views.page->channelTwoLabel, reading(1));
    if (dataFormat != ADC_LOAD_CURRENT) {
        views.page->globalLabel->clear();
    } else if (unknown[0] || unknown[1]) {
        showValue(views.page->globalLabel, kNotAvailable);
    } else {
        // The channels that carry current; an off channel adds nothing.
        float total = 0.0f;
        bool any = false;
        for (float mean : means) {
            if (std::isfinite(mean)) {
                total += mean;
                any = true;
            }
        }
        showValue(views.page->globalLabel,
                  any ? QString::fromStdString(formatSenseReading(total, ADC_LOAD_CURRENT)) : ui::kUnknownText);
    }
    showValue(views.inputVoltageValueLabel,
              QString::fromStdString(formatSenseReading(sample->supplyVoltage, ADC_SUPPLY_VOLTAGE)));

    // The classic log keeps its 0 for an off channel; the ISO one leaves it empty.
    const bool offIsEmpty = log->isoTimeStamps();
    const auto logged = [&](std::size_t channel) {
        if (unknown[channel] || (offIsEmpty && !on[channel]))
            return std::optional<float>();
        return std::optional<float>(sample->channel[channel]);
    };
    log->writeSample(sample->supplyVoltage, logged(0), logged(1));

    CaptureSample captured;
    captured.time = now;
    captured.wall = localTimestampNow();
    captured.supplyVoltage = sample->supplyVoltage;
    for (std::size_t ch = 0; ch < 2; ++ch) {
        if (std::isfinite(shown[ch]))
            captured.channel[ch] = shown[ch];
    }
    writeCaptures(capture.addSample(captured));
}
