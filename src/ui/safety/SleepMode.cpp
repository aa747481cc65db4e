#include "ui/safety/SleepMode.h"

#include <chrono>

#include "device/HSSRegisterMap.h"
#include "device/RegisterFields.h"
#include "device/SafetyDiagnostics.h"
#include "protocol/HSSRegisterCommands.h"
#include "protocol/HSSServiceCommands.h"
#include "ui/safety/SafetyHost.h"
#include "ui/seam/DialogSeam.h"

using namespace std::chrono_literals;

namespace {

const QString kConfirmText = QStringLiteral(
    "Note that when the device enters sleep mode, all SPI reads/writes are ignored until sleep mode is exited (by "
    "clicking this button again). Graphing sense values will also be disabled and all channels are turned off. "
    "Proceed? ");

}  // namespace

SleepMode::SleepMode(SafetyHost& safetyHost, QWidget* parentWidget, QObject* parent)
    : QObject(parent), host(safetyHost), dialogParent(parentWidget)
{
}

void SleepMode::sleepModeButton_Click()
{
    // The waits let events through: a second click must not start a second
    // sequence inside the first.
    if (running)
        return;
    if (host.isDemoMode() || !host.partIdentified()) {
        host.logLine(QStringLiteral("Sleep mode needs a detected device."));
        return;
    }
    const QMessageBox::StandardButton answer =
        DialogSeam::message(dialogParent, QMessageBox::Warning, QStringLiteral("Sleep Mode"), kConfirmText,
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    running = true;
    sleepAndWake();
    running = false;
}

void SleepMode::sleepAndWake()
{
    const hss_device_family_t family = host.deviceFamily();
    const hss::SleepRegisters registers = hss::sleepRegisters(family);
    ZVRxQxx16PINConfiguration& record = family == HSS_FAMILY_18PWP
                                            ? static_cast<ZVRxQxx16PINConfiguration&>(host.eighteenPinRecord())
                                            : host.sixteenPinRecord();
    const bool faultPollWasStopped = host.faultPollStopped();
    const bool detectionWasPaused = host.detectionPaused();
    const bool eventsWereSuppressed = host.eventsSuppressed();

    // Sense streaming off first (this also stops graphing and clears the
    // sense selections under the event guard), then both channels off.
    host.stopSenseForSleep();
    host.setEventsSuppressed(true);
    host.clearChannelEnableList();
    host.queueHSSCommand(new HSSSingleWriteCmd(registers.swState, 0x0000));
    record.setSwitchState(0);
    host.setFaultPollStopped(true);
    host.setDetectionPaused(true);

    if (!host.waitOnWindowThread(1000ms))
        return;  // the window is closing
    host.queueHSSCommand(new HSSSingleWriteCmd(registers.sleep, hss::kSleepEnterValue));
    if (!host.waitOnWindowThread(1000ms))
        return;
    host.logLine(QStringLiteral("Sleep mode entered."));
    DialogSeam::message(dialogParent, QMessageBox::Information, QStringLiteral("Sleep Mode Entered"),
                        QStringLiteral("Sleep mode entered. Click OK to exit sleep mode."));
    if (host.shutdownStarted())
        return;

    // A board pulled meanwhile (even if plugged in again) no longer holds the
    // sleeping chip: identification finds the part anew and reads it back.
    const bool partStillThere = host.partIdentified() && host.boardConnected();
    if (partStillThere) {
        host.queueHSSCommand(new HSSSingleWriteCmd(hss::reg16::WAKE, hss::kWakeValue));
        if (!host.waitOnWindowThread(100ms))
            return;
    }
    host.setFaultPollStopped(faultPollWasStopped);
    host.setDetectionPaused(detectionWasPaused);
    host.setEventsSuppressed(eventsWereSuppressed);
    if (!partStillThere) {
        host.logLine(QStringLiteral("Sleep mode exited, but the board was disconnected while the device slept: its "
                                    "configuration was not restored."));
        return;
    }

    // Waking is a power-up: the chip's CRC is off until the write-out sets
    // its CRC bit again, and the board must frame as the chip expects.
    const RegisterField crc = hss::field::crcEnableField(family == HSS_FAMILY_18PWP ? family : HSS_FAMILY_16PWP);
    const bool crcOn = crc.isOn(record.getRegister(crc.reg).value_or(0));
    host.queueHSSCommand(new HSSSetCRCIOCTLCmd(false));
    host.writeConfigToChip();
    if (crcOn)
        host.queueHSSCommand(new HSSSetCRCIOCTLCmd(true));
    host.logLine(QStringLiteral("Sleep mode exited. Configuration restored."));
    DialogSeam::message(dialogParent, QMessageBox::Information, QStringLiteral("Configuration Restored"),
                        QStringLiteral("Sleep mode exited. Configuration values restored. Have a wonderful day!"));
}
