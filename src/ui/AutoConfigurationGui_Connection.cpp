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
#include "ui/editor/ConfigurationEditor.h"
#include "ui/faults/FaultView.h"
#include "ui/safety/SafetyView.h"
#include "ui/sense/SenseMonitor.h"
#include "ui/widgets/FaultIndicator.h"

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
    connThread = std::make_unique<PeriodicWorker>(200ms);
    senseThread = std::make_unique<PeriodicWorker>(50ms);
    faultThread = std::make_unique<PeriodicWorker>(500ms);
    devidThread = std::make_unique<PeriodicWorker>(500ms);

    // A board that is already plugged in is opened by the first cycle.
    board.connQueue->push(HSSPresenceQueue::kArrival);
    connThread->start([this] { connectionThreadFunction(); });
    recThread = std::make_unique<std::thread>([this, queue = recQueue] { deviceRecThread(queue, *this); });
    senseThread->start([this] { senseReadFunctionThread(); });
    faultThread->start([this] { faultReadFunctionThread(); });
    devidThread->start([this] { devIDReadFunctionThread(); });
}

void AutoConfigurationGui::connectionThreadFunction()
{
    while (connThread->waitPeriod()) {
        uint8_t event = 0;
        if (board.connQueue->tryTake(event)) {
            if (event == HSSPresenceQueue::kRemoval) {
                commManager->closeDevice();
            } else {
                commManager->openDevice();
            }
            updateConnectionStatus();
        }
        if (isShuttingDown) return;
    }
}

void AutoConfigurationGui::senseReadFunctionThread()
{
    while (senseThread->waitPeriod() && !isShuttingDown) {
        senseReadCycle(pollFlags(), pollLink());
    }
}

void AutoConfigurationGui::faultReadFunctionThread()
{
    while (faultThread->waitPeriod() && !isShuttingDown) {
        faultReadCycle(pollFlags(), pollLink(), curDeviceFamily);
    }
}

void AutoConfigurationGui::devIDReadFunctionThread()
{
    while (devidThread->waitPeriod() && !isShuttingDown) {
        devIDReadCycle(pollFlags(), pollLink());
    }
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
        showEmptyState();
        demoPartBox->hide();
        demoPartLabel->hide();
        logMessageToWindow(QStringLiteral("VELMARA-BOARD device found and connected"));
        showAvailability();
        queueHSSCommand(new HSSFirmwareVersionIOCTLCmd(context::kFirmwareVersion));
        queueHSSCommand(new HSSReadGPIOCTLCmd(kGpioDirectInput, context::kGpioRead));
        queueHSSCommand(new HSSReadGPIOCTLCmd(kGpioLimpHomeInput, context::kGpioRead));
        return;
    }

    connectionLabel->setText(QStringLiteral("Disconnected"));
    ui::setTextColor(connectionLabel, ui::kRed);
    commManager->setHSSDetected(false);
    shownDevId.reset();  // nothing is shown as detected any more
    commManager->openDevice();  // one more try; the outcome is not shown
    devLabel->setText(QStringLiteral("DEVICE NOT DETECTED"));
    ui::setTextColor(devLabel, ui::kRed);
    devDesc->clear();
    logMessageToWindow(QStringLiteral("High-side switch device disconnected."));
    // The page stays as it is: the log and every view remain readable.
    showAvailability();
    senseMonitor->stopWithoutBoard();
    showValuesUnknown();
    showEmptyState();
}

void AutoConfigurationGui::showEmptyState()
{
    using State = CommandCenterPage::EmptyState;
    const bool chip = shownDevId.has_value() || demoModeToolStripMenuItem->isChecked();
    const bool boardOpen = commManager && commManager->isHidDeviceConnected();
    commandCenter->showEmptyState(chip ? State::ChipPresent : boardOpen ? State::NoChip : State::NoBoard);
}

void AutoConfigurationGui::showValuesUnknown()
{
    for (QLabel* label : {commandCenter->channelOneLabel, commandCenter->channelTwoLabel, commandCenter->globalLabel,
                          inputVoltageValueLabel}) {
        ui::showUnknown(label);
    }
    faultView->showUnknown();
    safetyView->showNotRun();
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
    ui::setAvailable(flashPersistToolStripMenuItem, flashSupported,
                     QStringLiteral("Needs board firmware v20B0 or later; this board has %1.")
                         .arg(firmwareRevisionLabel->text()));
}

void AutoConfigurationGui::handleGPIOResp(HSSReadGPIOCTLCmd* command)
{
    switch (command->getGPIOIndex()) {
    case kGpioLimpHomeInput:
        configEditor->handleLHIState(command->getGPIOState());
        break;
    case kGpioDirectInput:
        configEditor->handleDIState(command->getGPIOState());
        break;
    case kGpioFaultPin:
        faultView->handleFaultStatus(!command->getGPIOState());  // active low
        break;
    default:
        break;
    }
}
