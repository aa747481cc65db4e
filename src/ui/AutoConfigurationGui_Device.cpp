// Identification of the fitted part, read-back and write-out of the chip's
// configuration, "Save to EEPROM" and the "User Registers" page.

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>

#include "app/PollCycles.h"
#include "app/ReadBackRequests.h"
#include "app/WindowThreadHandOver.h"
#include "device/ConfigReadBack.h"
#include "device/ConfigWriteOut.h"
#include "device/DeviceIdentification.h"
#include "device/RegisterWriteLedger.h"
#include "link/HSSCommunicationManager.h"
#include "protocol/HSSProtocol.h"
#include "ui/AutoConfigurationGui.h"
#include "ui/HexText.h"
#include "ui/WidgetHelpers.h"
#include "ui/pages/FamilyPages.h"
#include "ui/seam/DialogSeam.h"
#include "ui/sense/SenseMonitor.h"

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void AutoConfigurationGui::handleDeviceIDRead(uint16_t code)
{
    const bool demoMode = demoModeToolStripMenuItem->isChecked();
    const bool detected = commManager && commManager->isHSSDetected();
    const hss::IdentificationDecision decision =
        hss::decideDeviceIdentification(code, demoMode, detected, curDeviceFamily, shownDevId);
    if (decision.outcome == hss::IdentificationOutcome::DemoIgnored) return;

    if (decision.updateState) {
        curDeviceFamily = decision.family;
        isSafetyDevice = decision.isSafetyDevice;
        decision.applyToRecords(code, sixteenPWPFuseConfig, eighteenPWPFuseConfig);
    }
    const QString name = fromView(decision.name);
    const QString description = fromView(decision.description);

    if (decision.loseShownPartFirst) showPartLost(fromView(hss::kDeviceNotDetectedName), QString());

    switch (decision.outcome) {
    case hss::IdentificationOutcome::DemoShown:
        devLabel->setText(name);
        devDesc->setText(description);
        ui::setTextColor(devLabel, ui::kGreen);
        break;
    case hss::IdentificationOutcome::Lost:
        showPartLost(name, description);
        break;
    case hss::IdentificationOutcome::Found:
        showPartFound(code, name, description, decision.crcOn());
        break;
    case hss::IdentificationOutcome::Prototype:
        showPrototype(code, name, description);
        break;
    case hss::IdentificationOutcome::Unchanged:
    case hss::IdentificationOutcome::DemoIgnored:
        break;
    }
    showEmptyState();
}

void AutoConfigurationGui::showPartLost(const QString& name, const QString& description)
{
    devLabel->setText(name);
    ui::setTextColor(devLabel, ui::kRed);
    devDesc->setText(description);
    commManager->setHSSDetected(false);
    shownDevId.reset();
    showAvailability();
    logMessageToWindow(fromView(hss::kPartLostLogLine));
    senseMonitor->stopWithoutBoard();
    showValuesUnknown();
    queueHSSCommand(new HSSWriteGPIOCTLCmd(kGpioDaughterCardPower, false));
    setSafetyPageShown(false);
}

void AutoConfigurationGui::showPartFound(uint16_t code, const QString& name, const QString& description, bool crcOn)
{
    for (auto& command : partFoundCommands(crcOn)) queueHSSCommand(command.release());
    showValuesUnknown();  // nothing of this part has been read yet
    setSafetyPageShown(crcOn);
    updateTabsFromFamily();
    // Lists first: a reload empties the selections, and with edits held the
    // refresh below shows the record at once instead of waiting for a reply.
    updateDefaultEnumerations(code);
    updateMainGUIFromSelection();
    devLabel->setText(name);
    devDesc->setText(description);
    ui::setTextColor(devLabel, ui::kGreen);
    commManager->setHSSDetected(true);
    shownDevId = code;
    showAvailability();
    logMessageToWindow(QString::fromStdString(hss::partDetectedLogLine(name.toStdString())));
}

void AutoConfigurationGui::showPrototype(uint16_t code, const QString& name, const QString& description)
{
    queueHSSCommand(new HSSSetCRCIOCTLCmd(false));
    setSafetyPageShown(false);
    // Set before the box, so the next poll does not raise it again.
    commManager->setHSSDetected(true);
    shownDevId = code;
    DialogSeam::message(this, QMessageBox::Critical, fromView(hss::kIncompatibleSiliconCaption),
                        fromView(hss::kIncompatibleSiliconText));
    devLabel->setText(name);
    devDesc->setText(description);
}

void AutoConfigurationGui::setSafetyPageShown(bool shown)
{
    const bool wasSuppressed = dontRunEvents.exchange(true);
    const int index = mainTabControl->indexOf(safetyTab16pwp);
    if (shown && index < 0) {
        mainTabControl->addTab(safetyTab16pwp, QStringLiteral("Safety"));
    } else if (!shown && index >= 0) {
        mainTabControl->removeTab(index);
    }
    dontRunEvents = wasSuppressed;
}

void AutoConfigurationGui::updateTabsFromFamily()
{
    // Rebuilding the tabs is not a user's page change: no re-read from it.
    const bool wasSuppressed = dontRunEvents.exchange(true);
    for (QWidget* page : {chanSettingsPage16pwp, devSettingPage16pwp, fuseTunerPage16pwp, chanSettingsPage18pwp,
                          devSettingPage18pwp, fuseTunerPage18pwp, userDataTab, registerMapPage}) {
        const int index = mainTabControl->indexOf(page);
        if (index >= 0) mainTabControl->removeTab(index);
    }
    const hss_device_family_t family = curDeviceFamily;
    if (family == HSS_FAMILY_16PWP) {
        mainTabControl->insertTab(1, fuseTunerPage16pwp, QStringLiteral("I2T Tuner"));
        mainTabControl->insertTab(2, devSettingPage16pwp, QStringLiteral("Device Settings"));
        mainTabControl->insertTab(3, chanSettingsPage16pwp, QStringLiteral("Channel Settings"));
        mainTabControl->insertTab(4, registerMapPage, QStringLiteral("Registers"));
    } else if (family == HSS_FAMILY_18PWP) {
        mainTabControl->insertTab(1, fuseTunerPage18pwp, QStringLiteral("I2T Tuner"));
        mainTabControl->insertTab(2, devSettingPage18pwp, QStringLiteral("Device Settings"));
        mainTabControl->insertTab(3, chanSettingsPage18pwp, QStringLiteral("Channel Settings"));
        mainTabControl->insertTab(4, userDataTab, QStringLiteral("User Registers"));
        mainTabControl->insertTab(5, registerMapPage, QStringLiteral("Registers"));
    }
    dontRunEvents = wasSuppressed;
}

void AutoConfigurationGui::updateMainGUIFromSelection()
{
    const hss_device_family_t family = curDeviceFamily;
    if (family != HSS_FAMILY_16PWP && family != HSS_FAMILY_18PWP) return;
    if (demoModeToolStripMenuItem->isChecked()) {
        showRecordInEditor(family);
        return;
    }
    updateDefaultEnumerations(family == HSS_FAMILY_18PWP ? eighteenPWPFuseConfig.getDevID()
                                                         : sixteenPWPFuseConfig.getDevID());
    if (editsHeldFor(family)) {
        // The held edits exist only in the record: a read of the chip would
        // replace them with the values they are meant to change.
        showRecordInEditor(family);
        return;
    }
    for (auto& command : configReadBackCommands(family, writeLedger.stampRead())) queueHSSCommand(command.release());
}

void AutoConfigurationGui::showRecordInEditor(hss_device_family_t family)
{
    if (family == HSS_FAMILY_16PWP) {
        updateSixteenGuiFromConfig(true);
    } else if (family == HSS_FAMILY_18PWP) {
        refreshUserRegisterBoxes();
        updateEighteenGuiFromConfig(true);
    }
}

bool AutoConfigurationGui::editsHeldFor(hss_device_family_t family) const
{
    return manualPersistEnabled && dirtyPersist && heldEditsFamily == family;
}

// A read queued before the first held edit may be answered after it; its
// values are older than the edits and must not replace them. The same goes
// for registers written after the read was queued (the ledger knows them).
// Read-back values are stored on the window thread, where every edit, load
// and write-out changes the record and queues its write in one step: a reply
// then comes either before such a change or after its write was noted in the
// ledger, never in between (where it would put an old value back into the
// record, and a write-out built from the record would send it to the chip).
void AutoConfigurationGui::handle16PWPConfigResp(HSSMixReadCmd* command)
{
    onWindowThread([this, command] {
        if (!editsHeldFor(HSS_FAMILY_16PWP))
            hss::applySixteenPWPReadBack(sixteenPWPFuseConfig, *command, &writeLedger);
        noteRegistersRead(*command);
        updateSixteenGuiFromConfig(true);
    });
}

void AutoConfigurationGui::handle18PWPConfigResp(HSSMixReadCmd* command)
{
    onWindowThread([this, command] {
        if (!editsHeldFor(HSS_FAMILY_18PWP))
            hss::applyEighteenPWPReadBack(eighteenPWPFuseConfig, *command, &writeLedger);
        noteRegistersRead(*command);
        refreshUserRegisterBoxes();
        updateEighteenGuiFromConfig(true);
    });
}

bool AutoConfigurationGui::heldEditsMayBeReplaced()
{
    if (!editsHeldFor(curDeviceFamily)) return true;
    const QMessageBox::StandardButton answer = DialogSeam::message(
        this, QMessageBox::Question, QStringLiteral("Discard Held Edits"),
        QStringLiteral("Settings edited under manual persist have not been written to the device yet. Reading the "
                       "configuration from the device replaces them.\n\nDiscard the held edits?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) return false;
    dirtyPersist = false;
    logMessageToWindow(QStringLiteral("Held edits discarded."));  // also replaces the pending mark
    return true;
}

void AutoConfigurationGui::rawWriteFromConfig()
{
    for (auto& command : hss::makeWriteOutCommands(curDeviceFamily, sixteenPWPFuseConfig, eighteenPWPFuseConfig)) {
        queueHSSCommand(command.release());
    }
}

void AutoConfigurationGui::saveToEEPROMToolStripMenuItem_Click()
{
    for (auto& command : hss::makeEepromProgramCommands()) queueHSSCommand(command.release());
    DialogSeam::message(this, QMessageBox::Information, QStringLiteral("EEPROM Program Sent"),
                        QStringLiteral("Current settings persisted into device EEPROM"));
}

// "User Registers": box 0 and 1 are the TSNS calibration words, 2 .. 7 the
// user registers 0x52 .. 0x57.
namespace {

constexpr const char* kUserRegisterBoxNames[hss::kUserRegisterBoxCount] = {
    "tsnsUserBox1Hex", "tsnsUserBox2Hex", "userBox52Hex", "userBox53Hex",
    "userBox54Hex",    "userBox55Hex",    "userBox56Hex", "userBox57Hex",
};

QString userRegisterHex(uint16_t value) { return QString::fromStdString(ToHex(value)); }

// "TSNS Calibration (CH1), 0x50" / "User Register 0x52".
QString userRegisterCaption(std::size_t box)
{
    const QString address =
        QStringLiteral("0x") + QString::fromStdString(ToHex(hss::userRegisterAddress(box).value_or(0)));
    if (box < 2) return QStringLiteral("TSNS Calibration (CH%1), %2").arg(QString::number(box + 1), address);
    return QStringLiteral("User Register ") + address;
}

}  // namespace

void AutoConfigurationGui::buildUserRegisterPage()
{
    auto* grid = static_cast<QGridLayout*>(familyPages->userDataTab->content()->layout());
    for (std::size_t box = 0; box < userRegisterBoxes.size(); ++box) {
        QLineEdit* edit = ui::named<QLineEdit>(QString::fromLatin1(kUserRegisterBoxNames[box]));
        userRegisterBoxes[box] = edit;
        edit->setMaximumWidth(160);
        edit->setToolTip(QStringLiteral("%1: one to four hexadecimal digits, 0 to FFFF. Enter, or leaving the box, "
                                        "writes it to the chip.")
                             .arg(userRegisterCaption(box)));
        auto* label = new QLabel(userRegisterCaption(box) + QLatin1Char(':'));
        label->setBuddy(edit);
        grid->addWidget(label, int(box), 0);
        grid->addWidget(edit, int(box), 1);
        // Not on every keystroke: "12" on the way to "1234" is no value to write.
        connect(edit, &QLineEdit::returnPressed, this, [this, box] { userReg_Leave(box, true); });
        connect(edit, &QLineEdit::editingFinished, this, [this, box] { userReg_Leave(box, false); });
    }
    auto* note = new QLabel(QStringLiteral("Values are hexadecimal, \"0x\" may lead. A value is written when you press "
                                           "Enter or leave its box; anything but one to four hex digits is refused and "
                                           "the register's value shown again."));
    note->setWordWrap(true);
    const int rows = int(userRegisterBoxes.size());
    grid->addWidget(note, rows, 0, 1, 3);
    grid->setRowStretch(rows + 1, 1);
    grid->setColumnStretch(2, 1);
}

void AutoConfigurationGui::userReg_Leave(std::size_t box, bool enter)
{
    if (dontRunEvents || box >= userRegisterBoxes.size()) return;
    QLineEdit* edit = userRegisterBoxes[box];
    const QString typed = edit->text();
    const uint16_t held = hss::userRegisterValue(eighteenPWPFuseConfig, box);
    const std::optional<uint32_t> value = parseHexDigits(typed.toStdString(), 4);
    // The box shows what the record holds, whatever was typed, before any
    // message takes the focus away (which finishes the edit once more).
    const bool wasSuppressed = dontRunEvents.exchange(true);
    edit->setText(userRegisterHex(value ? static_cast<uint16_t>(*value) : held));
    dontRunEvents = wasSuppressed;
    if (!value) {
        DialogSeam::message(this, QMessageBox::Warning, QStringLiteral("Invalid Register Value"),
                            QStringLiteral("\"%1\" is not a value for %2: enter one to four hexadecimal digits, 0 to "
                                           "FFFF (\"0x\" may lead).\n\nNothing was written; the box shows the "
                                           "register's value, 0x%3, again.")
                                .arg(typed, userRegisterCaption(box), userRegisterHex(held)));
        return;
    }
    // Enter writes what the box shows; leaving it writes a change (Enter also
    // finishes the edit, and so does a message taking the focus).
    if (!enter && *value == held) return;
    writeUserRegister(box, static_cast<uint16_t>(*value));
}

void AutoConfigurationGui::writeUserRegister(std::size_t box, uint16_t value)
{
    if (const auto address = hss::storeUserRegister(eighteenPWPFuseConfig, box, value)) {
        logMessageToWindow(QStringLiteral("%1 set to 0x%2.").arg(userRegisterCaption(box), userRegisterHex(value)));
        sendRawWriteGUIResponse(new HSSSingleWriteCmd(*address, value));
    }
}

void AutoConfigurationGui::refreshUserRegisterBoxes()
{
    const bool wasSuppressed = dontRunEvents.exchange(true);
    for (std::size_t box = 0; box < userRegisterBoxes.size(); ++box) {
        userRegisterBoxes[box]->setText(userRegisterHex(hss::userRegisterValue(eighteenPWPFuseConfig, box)));
    }
    dontRunEvents = wasSuppressed;
}
