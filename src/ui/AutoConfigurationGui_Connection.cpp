// The worker threads, board presence (connection thread and
// updateConnectionStatus) and the board-service replies.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>

#include <thread>

#include "app/PeriodicWorker.h"
#include "app/WindowThreadHandOver.h"
#include "link/HSSCommunicationManager.h"
#include "protocol/HSSProtocol.h"
#include "ui/AutoConfigurationGui.h"
#include "ui/WidgetHelpers.h"
#include "ui/pages/CommandCenterPage.h"

using namespace std::chrono_literals;

PollLink AutoConfigurationGui::pollLink()
{
    HSSCommunicationManager* manager = commManager.get();
    return PollLink{
        [manager] { return manager->isHidDeviceConnected(); },
        [manager] { return manager->isHSSDetected(); },
        [manager](HSSCommand* command) { manager->queueHSSCommand(command); },
    };
}

PollFlags AutoConfigurationGui::pollFlags() const
{
    return PollFlags{pauseDeviceDetection, manualUpdateEnabled, manualRefreshEnabled, isCurrentSenseEnabled,
                     isSafetyDevice};
}

void AutoConfigurationGui::startWorkers()
{
    // A board that is already plugged in is opened by the first cycle.
    board.connQueue->push(HSSPresenceQueue::kArrival);
    connThread = std::make_unique<PeriodicWorker>(200ms, [this] { return connectionThreadCycle(); });

    recThread = std::make_unique<std::thread>([this, queue = recQueue] { runReplyDispatchLoop(queue, *this); });

    senseThread = std::make_unique<PeriodicWorker>(50ms, [this] {
        if (isShuttingDown) return false;
        senseReadCycle(pollFlags(), pollLink());
        return true;
    });

    faultThread = std::make_unique<PeriodicWorker>(500ms, [this] {
        if (isShuttingDown) return false;
        faultReadCycle(pollFlags(), pollLink(), curDeviceFamily);
        return true;
    });

    devidThread = std::make_unique<PeriodicWorker>(500ms, [this] {
        if (isShuttingDown) return false;
        devIDReadCycle(pollFlags(), pollLink());
        return true;
    });

    for (PeriodicWorker* worker : {connThread.get(), senseThread.get(), faultThread.get(), devidThread.get()}) {
        worker->start();
    }
}

bool AutoConfigurationGui::connectionThreadCycle()
{
    uint8_t event = 0;
    if (board.connQueue->tryTake(event)) {
        if (event == HSSPresenceQueue::kRemoval) {
            commManager->closeDevice();
        } else {
            commManager->openDevice();
        }
        updateConnectionStatus();
    }
    return !isShuttingDown;
}

void AutoConfigurationGui::updateConnectionStatus()
{
    if (!handOver->onWindowThread()) {
        onWindowThread([this] { updateConnectionStatus(); });
        return;
    }
    if (isShuttingDown) return;

    if (commManager->isHidDeviceConnected()) {
        connectionLabel->setText(QStringLiteral("Connected"));
        ui::setTextColor(connectionLabel, ui::kGreen);
        demoPartBox->hide();
        demoPartLabel->hide();
        logMessageToWindow(QStringLiteral("VELMARA-BOARD device found and connected"));
        queueHSSCommand(new HSSFirmwareVersionIOCTLCmd(context::kFirmwareVersion));
        queueHSSCommand(new HSSReadGPIOCTLCmd(kGpioDirectInput, context::kGpioRead));
        queueHSSCommand(new HSSReadGPIOCTLCmd(kGpioLimpHomeInput, context::kGpioRead));
        return;
    }

    connectionLabel->setText(QStringLiteral("Disconnected"));
    ui::setTextColor(connectionLabel, ui::kRed);
    mainTabControl->setEnabled(false);
    commManager->setHSSDetected(false);
    shownDevId.reset();  // nothing is shown as detected any more
    commManager->openDevice();  // one more try; the outcome is not shown
    devLabel->setText(QStringLiteral("DEVICE NOT DETECTED"));
    ui::setTextColor(devLabel, ui::kRed);
    devDesc->clear();
    logMessageToWindow(QStringLiteral("High-side switch device disconnected."));
    setHardwareMenusEnabled(false);
    saveToEEPROMToolStripMenuItem->setEnabled(false);
    demoModeToolStripMenuItem->setEnabled(true);
    stopSenseMonitorAndSelectFirstPage();
}

void AutoConfigurationGui::stopSenseMonitorAndSelectFirstPage()
{
    const bool wasSuppressed = dontRunEvents.exchange(true);
    isCurrentSenseEnabled = false;
    for (int i = 0; i < commandCenter->senseChannelBox->count(); ++i) {
        commandCenter->senseChannelBox->item(i)->setCheckState(Qt::Unchecked);
    }
    commandCenter->senseChannelAll->setChecked(false);
    mainTabControl->setCurrentIndex(0);
    dontRunEvents = wasSuppressed;
}

void AutoConfigurationGui::handleFirmwareVersion(uint16_t version)
{
    evmFirmwareVersion = version;
    updateVerString();
}

void AutoConfigurationGui::updateVerString()
{
    if (!handOver->onWindowThread()) {
        onWindowThread([this] { updateVerString(); });
        return;
    }
    const uint16_t version = evmFirmwareVersion;
    firmwareRevisionLabel->setText(QStringLiteral("v") +
                                   QStringLiteral("%1").arg(version, 4, 16, QLatin1Char('0')).toUpper());
    // Board flash commands exist from firmware 0x20B0 on.
    const bool flashSupported = version >= 0x20B0;
    flashPersistToolStripMenuItem->setEnabled(flashSupported);
    flashPersistToolStripMenuItem->menuAction()->setEnabled(flashSupported);
}

void AutoConfigurationGui::handleGPIOResp(HSSReadGPIOCTLCmd* command)
{
    switch (command->getGPIOIndex()) {
    case kGpioLimpHomeInput:
        handleLHIState(command->getGPIOState());
        break;
    case kGpioDirectInput:
        handleDIState(command->getGPIOState());
        break;
    case kGpioFaultPin:
        handleFaultStatus(!command->getGPIOState());  // active low
        break;
    default:
        break;
    }
}

void AutoConfigurationGui::handleFaultStatus(bool triggered)
{
    if (!handOver->onWindowThread()) {
        onWindowThread([this, triggered] { handleFaultStatus(triggered); });
        return;
    }
    QLabel* label = commandCenter->faultPinLabel;
    label->setText(triggered ? QStringLiteral("Triggered") : QStringLiteral("Not Triggered"));
    ui::setTextColor(label, triggered ? ui::kRed : ui::kGreen);
}

namespace {

// The force boxes mirror the pins with change events enabled, so a level that
// differs from the box runs the box's own handler (which records it).
void mirrorPinIntoBox(QWidget* root, const char* boxName, bool high, std::atomic<bool>& dontRunEvents)
{
    auto* box = root->findChild<QCheckBox*>(QString::fromLatin1(boxName));
    if (!box) return;
    const bool wasSuppressed = dontRunEvents.exchange(false);
    box->setChecked(high);
    dontRunEvents = wasSuppressed;
}

}  // namespace

void AutoConfigurationGui::handleLHIState(bool high)
{
    if (!handOver->onWindowThread()) {
        onWindowThread([this, high] { handleLHIState(high); });
        return;
    }
    mirrorPinIntoBox(this, "forceLimpCheckBox", high, dontRunEvents);
}

void AutoConfigurationGui::handleDIState(bool high)
{
    if (!handOver->onWindowThread()) {
        onWindowThread([this, high] { handleDIState(high); });
        return;
    }
    mirrorPinIntoBox(this, "forceDICheckBox", high, dontRunEvents);
}
