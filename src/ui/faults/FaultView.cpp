#include "ui/faults/FaultView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "app/PollCycles.h"
#include "device/HSSRegisterMap.h"
#include "protocol/HSSProtocol.h"
#include "ui/EventGuard.h"
#include "ui/QtText.h"
#include "ui/WidgetHelpers.h"
#include "ui/faults/FaultHistoryPanel.h"
#include "ui/faults/FaultHost.h"
#include "ui/pages/CommandCenterPage.h"
#include "ui/pages/FamilyPages.h"
#include "ui/seam/DialogSeam.h"
#include "ui/widgets/FaultIndicator.h"

using hss::FaultId;

namespace {

// A summary: "Faulted" in red or "No Fault" in black, beside its lamp.
void showSummary(FaultIndicator* lamp, QLabel* label, bool faulted)
{
    lamp->setFaulted(faulted);
    label->setText(faulted ? QStringLiteral("Faulted") : QStringLiteral("No Fault"));
    ui::setTextColor(label, faulted ? ui::kRed : ui::kBlack);
}

}  // namespace

FaultView::FaultView(FaultHost& faultHost, const FaultPages& faultPages, HSSFault::Clock clock, QObject* parent)
    : QObject(parent), host(faultHost), pages(faultPages), records(clock), eventClock(std::move(clock))
{
    families[0] = buildPage(pages.sixteen, HSS_FAMILY_16PWP);
    families[1] = buildPage(pages.eighteen, HSS_FAMILY_18PWP);
    for (const PageControls& page : families)
        connectPage(page);
    for (PageControls& page : families)
        showStatistics(page, curFault);
}

FaultView::~FaultView() = default;

int FaultView::familyIndex(hss_device_family_t family)
{
    return family == HSS_FAMILY_18PWP ? 1 : 0;
}

FaultView::PageControls* FaultView::pageOf(hss_device_family_t family)
{
    if (family != HSS_FAMILY_16PWP && family != HSS_FAMILY_18PWP)
        return nullptr;
    return &families[std::size_t(familyIndex(family))];
}

void FaultView::connectPage(const PageControls& page)
{
    for (std::size_t i = 0; i < hss::kFaultCount; ++i) {
        if (FaultIndicator* lamp = page.lamps[i]) {
            const auto fault = FaultId(i);
            connect(lamp, &FaultIndicator::clicked, this, [this, fault] {
                curFault = fault;
                handleFaultClick(fault);
            });
        }
    }
    connect(page.clearAllStatsButton, &QPushButton::clicked, this, [this] { clearAllStatsButton_Click(); });
    connect(page.manualUpdateButton, &QPushButton::clicked, this, [this] { manualUpdateButton_Click(); });
    connect(page.clearLimpButton, &QPushButton::clicked, this, [this] { clearLimpButton_Click(); });
    connect(page.faultUpdateStatus, &QComboBox::currentIndexChanged, this,
            [this](int index) { faultUpdateStatus_SelectedIndexChanged(index); });
}

// --- replies and redraw ------------------------------------------------------

void FaultView::handle16PWPFaultResp(const HSSMixReadCmd& command)
{
    handleFaultReply(HSS_FAMILY_16PWP, command);
}

void FaultView::handle18PWPFaultResp(const HSSMixReadCmd& command)
{
    handleFaultReply(HSS_FAMILY_18PWP, command);
}

void FaultView::handleFaultReply(hss_device_family_t family, const HSSMixReadCmd& command)
{
    // A reply still under way from a part of the other family (or from a
    // part that is gone) would clear and raise the shared records again and
    // count one fault twice.
    if (family != host.deviceFamily())
        return;
    ZVRxQxx16PINConfiguration& record = family == HSS_FAMILY_18PWP
                                            ? static_cast<ZVRxQxx16PINConfiguration&>(host.eighteenPinRecord())
                                            : host.sixteenPinRecord();
    const std::size_t count = std::min<std::size_t>(command.getReadSize(), hss::kMixReadCapacity);
    for (std::size_t i = 0; i < count; ++i) {
        const auto word =
            hss::storeFaultWord(record, family, command.getReadAddresses()[i], command.getMixReadResults()[i]);
        if (!word)
            continue;
        wordRead[std::size_t(familyIndex(family))][std::size_t(*word)] = true;
        updateFaultGuiFromConfig(family);
    }
}

void FaultView::update16PWPFaultGuiFromConfig()
{
    updateFaultGuiFromConfig(HSS_FAMILY_16PWP);
}

void FaultView::update18PWPFaultGuiFromConfig()
{
    updateFaultGuiFromConfig(HSS_FAMILY_18PWP);
}

void FaultView::updateFaultGuiFromConfig(hss_device_family_t family)
{
    if (!host.isWindowThread()) {
        if (host.shutdownStarted())
            return;
        host.runOnWindowThreadBlocking([this, family] { redrawOnWindowThread(family); });
        return;
    }
    redrawOnWindowThread(family);
}

void FaultView::redrawOnWindowThread(hss_device_family_t family)
{
    if (host.shutdownStarted())
        return;
    PageControls* page = pageOf(family);
    if (page == nullptr)
        return;
    const ZVRxQxx16PINConfiguration& record = family == HSS_FAMILY_18PWP
                                                  ? static_cast<ZVRxQxx16PINConfiguration&>(host.eighteenPinRecord())
                                                  : host.sixteenPinRecord();
    const auto& read = wordRead[std::size_t(familyIndex(family))];
    hss::FaultWords words;
    if (read[std::size_t(hss::FaultWord::Device)])
        words.words[std::size_t(hss::FaultWord::Device)] = record.getDevFault();
    for (uint8_t channel = 0; channel < 2; ++channel) {
        if (read[std::size_t(hss::FaultWord::Channel1) + channel])
            words.words[std::size_t(hss::FaultWord::Channel1) + channel] = record.getChanFault(channel);
    }

    const hss::FaultRedraw redraw = hss::redrawFaults(records, family, words);
    for (const hss::FaultRedraw::Lamp& lamp : redraw.lamps) {
        if (FaultIndicator* indicator = page->lamps[std::size_t(lamp.fault)])
            indicator->setFaulted(lamp.faulted);
    }
    for (std::string_view line : redraw.logLines)
        host.logFaultLine(ui::qtext(line));
    recordHistory(redraw);
    if (onFaultRaised) {
        for (const FaultId fault : redraw.raised)
            onFaultRaised(fault);
    }
    if (redraw.limpHome)
        page->clearLimpButton->setEnabled(*redraw.limpHome);
    showSummaries(redraw);
    showLpmWake(family, redraw);
    handleFaultClick(curFault);
}

void FaultView::recordHistory(const hss::FaultRedraw& redraw)
{
    if (redraw.raised.empty() && redraw.cleared.empty())
        return;
    const HSSFault::TimePoint now = eventClock ? eventClock() : std::chrono::system_clock::now();
    const auto added = [this] {
        for (PageControls& page : families)
            page.history->model()->eventAdded();
    };
    for (const FaultId fault : redraw.cleared) {
        history.clear(fault, now);
        added();
    }
    for (const FaultId fault : redraw.raised) {
        history.raise(fault, now);
        added();
    }
}

void FaultView::showSummaries(const hss::FaultRedraw& redraw)
{
    CommandCenterPage* strip = pages.commandCenter;
    if (redraw.global)
        showSummary(strip->faultBoxGlobal, strip->globalFaultLabel, *redraw.global);
    if (redraw.channels[0])
        showSummary(strip->faultBox1, strip->channelOneFaultLabel, *redraw.channels[0]);
    if (redraw.channels[1])
        showSummary(strip->faultBox2, strip->channelTwoFaultLabel, *redraw.channels[1]);
}

void FaultView::showLpmWake(hss_device_family_t family, const hss::FaultRedraw& redraw)
{
    PageControls* page = pageOf(family);
    for (std::size_t channel = 0; channel < 2; ++channel) {
        if (!redraw.lpmWake[channel])
            continue;
        const bool woke = *redraw.lpmWake[channel];
        // The chip left low-power mode on its own: the controls follow it,
        // on every redraw while the bit stays set.
        if (woke)
            host.showLowPowerModeActive(family);
        if (QLabel* label = page->lpmLabels[channel]) {
            label->setText(woke ? QStringLiteral("Triggered") : QStringLiteral("Not Triggered"));
            ui::setTextColor(label, woke ? ui::kRed : ui::kGreen);
        }
    }
}

void FaultView::handleFaultStatus(bool triggered)
{
    if (!host.isWindowThread()) {
        if (host.shutdownStarted())
            return;
        host.runOnWindowThreadBlocking([this, triggered] { handleFaultStatus(triggered); });
        return;
    }
    if (host.shutdownStarted())
        return;
    QLabel* label = pages.commandCenter->faultPinLabel;
    label->setText(triggered ? QStringLiteral("Triggered") : QStringLiteral("Not Triggered"));
    ui::setTextColor(label, triggered ? ui::kRed : ui::kGreen);
}

void FaultView::showUnknown()
{
    for (auto& read : wordRead) {
        for (auto& word : read)
            word = false;
    }
    for (PageControls& page : families) {
        for (FaultIndicator* lamp : page.lamps) {
            if (lamp != nullptr)
                lamp->setUnknown();
        }
        for (QLabel* label : page.lpmLabels) {
            if (label != nullptr)
                ui::showUnknown(label);
        }
        page.clearLimpButton->setEnabled(false);
    }
    CommandCenterPage* strip = pages.commandCenter;
    for (FaultIndicator* lamp : {strip->faultBox1, strip->faultBox2, strip->faultBoxGlobal})
        lamp->setUnknown();
    for (QLabel* label :
         {strip->channelOneFaultLabel, strip->channelTwoFaultLabel, strip->globalFaultLabel, strip->faultPinLabel})
        ui::showUnknown(label);
}

// --- statistics and the fault actions ----------------------------------------

void FaultView::handleFaultClick(FaultId fault)
{
    if (PageControls* page = pageOf(host.deviceFamily()))
        showStatistics(*page, fault);
}

void FaultView::showStatistics(PageControls& page, FaultId fault)
{
    const HSSFault& record = records[fault];
    page.faultDescriptionLabel->setText(QString::fromStdString(record.getFaultDescription()));
    page.statsGroupBox->setTitle(QStringLiteral("Statistics - ") + QString::fromStdString(record.getFaultName()));
    const bool faulted = record.isFaulted();
    page.currentFaultLabelStatus->setText(faulted ? QStringLiteral("Faulted") : QStringLiteral("No Fault"));
    ui::setTextColor(page.currentFaultLabelStatus, faulted ? ui::kRed : ui::kGreen);
    page.numberFaultLabel->setText(QString::number(record.getFaultCount()));
    page.dateFaultLabel->setText(QString::fromStdString(record.getFaultDate()));
}

void FaultView::clearAllStatsButton_Click()
{
    records.clearAllStatistics();
    history.clearEvents();
    for (PageControls& page : families)
        page.history->model()->historyCleared();
    host.logFaultLine(QStringLiteral("Fault statistics reset."));
    handleFaultClick(curFault);
}

void FaultView::faultUpdateStatus_SelectedIndexChanged(int index)
{
    if (host.eventsSuppressed() || index < 0)
        return;
    const ui::EventGuard guard(host, true);
    const bool manual = index == 1;
    host.setFaultPollStopped(manual);
    for (PageControls& page : families) {
        page.manualUpdateButton->setEnabled(manual && chipReachable);
        page.faultUpdateStatus->setCurrentIndex(manual ? 1 : 0);
    }
    host.logFaultLine(manual ? QStringLiteral("Fault reading changed to manual mode.")
                             : QStringLiteral("Fault reading changed to automatic mode."));
}

void FaultView::setChipReachable(bool reachable)
{
    chipReachable = reachable;
    for (PageControls& page : families)
        page.manualUpdateButton->setEnabled(reachable && page.faultUpdateStatus->currentIndex() == 1);
}

void FaultView::manualUpdateButton_Click()
{
    queueFaultRegisterReads(host.deviceFamily(), host.isSafetyPart(),
                            [this](HSSCommand* command) { host.queueHSSCommand(command); });
    host.logFaultLine(QStringLiteral("Manual updated initiated."));
}

void FaultView::clearLimpButton_Click()
{
    const auto address = hss::registerAddress(host.deviceFamily(), HSSRegister::DEV_FAULT);
    if (!address)
        return;
    // Straight to the link: manual persist holds back settings, not this.
    host.queueHSSCommand(new HSSSingleWriteCmd(*address, hss::kLimpHomeClearValue));
    DialogSeam::message(pages.commandCenter->window(), QMessageBox::Information, QStringLiteral("Limp Home Reset"),
                        QStringLiteral("Limp-Home fault reset."));
}
