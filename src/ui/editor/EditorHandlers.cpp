// Controls with behaviour of their own: the ticked channel list, the CRC
// boxes, the forced pins, the latch reset, the low-power radio pairs, the
// channel selectors and the tuner's help panel.

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <chrono>

#include "device/RegisterFields.h"
#include "protocol/HSSProtocol.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/editor/EditorHost.h"
#include "ui/seam/DialogSeam.h"

namespace {

// GPIO lines of the carrier board that drive the chip's LHI and DI inputs.
constexpr uint8_t kLimpHomeGpio = 1;
constexpr uint8_t kDirectInputGpio = 2;

// The latch reset holds the cooldown bit this long before clearing it.
constexpr std::chrono::milliseconds kLatchResetPulse{1000};

struct HelpText {
    const char* reg;
    const char* text;
};

// Register help of the tuner controls and their labels (the 18-pin twins
// show the same: the fields are the same).
const std::pair<const char*, HelpText> kHelp[] = {
    {"nomCurrentBox", {"I2T_CONFIG_CHx:NOM_CUR_CHx",
                       "Sets the nomial current value of the current channel for I2T calculations only."}},
    {"i2tTrack", {"I2T_CONFIG_CHx:I2T_TRIP_CHx", "Sets ISWCL value for I2T functionality for current channel."}},
    {"swLimitBox", {"I2T_CONFIG_CHx:ISWCL_CHx",
                    "Sets the delayed shutdown threshold current that kicks in after the I2T curve."}},
    {"swDelayBox", {"I2T_CONFIG_CHx:SWCL_DLY_TMR_CHx",
                    "Sets the software current limit delay timer. Sets the time after which the channel shuts "
                    "down when the current exceeds ISWCL."}},
    {"cooldownDelayBox", {"I2T_CONFIG_CHx:TCLDN_CHx",
                          "Sets the cooldown time for I2T functionality for the current channel (time to retry "
                          "after I2T shutdown)."}},
    {"hwLimitBox", {"ILIM_CONFIG_CHx:ILIMIT_SET_CHx",
                    "Sets the hardware current limit of the channel. This is independent of the I2T settings."}},
};

// The labels beside each control show the same help.
const std::pair<const char*, const char*> kHelpAliases[] = {
    {"nomCurrentLabel", "nomCurrentBox"}, {"i2tTripLabel", "i2tTrack"},     {"i2tTripValueLabel", "i2tTrack"},
    {"swCurrentLabel", "swLimitBox"},     {"swDelayLabel", "swDelayBox"},   {"cooldownLabel", "cooldownDelayBox"},
    {"hwLimitLabel", "hwLimitBox"},
};

const HelpText* helpFor(const QString& name)
{
    QString key = name;
    if (key.endsWith(QLatin1String("18")))
        key.chop(2);
    for (const auto& [alias, target] : kHelpAliases) {
        if (key == QLatin1String(alias))
            key = QString::fromLatin1(target);
    }
    for (const auto& [control, help] : kHelp) {
        if (key == QLatin1String(control))
            return &help;
    }
    return nullptr;
}

QString switchStateBits(uint16_t value)
{
    return QStringLiteral("%1").arg(value & 0xFFu, 8, 2, QLatin1Char('0'));
}

}  // namespace

void ConfigurationEditor::connectNamedHandlers()
{
    connect(controls.list(QStringLiteral("enChanBoxCC")), &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { enChanBoxCC_ItemCheck(item); });
    connect(controls.check(QStringLiteral("forceLimpCheckBox")), &QCheckBox::toggled, this,
            [this] { forcedPinChanged(true); });
    connect(controls.check(QStringLiteral("forceDICheckBox")), &QCheckBox::toggled, this,
            [this] { forcedPinChanged(false); });

    for (hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP}) {
        connect(controls.check(twinName("enableCRCBox", family)), &QCheckBox::toggled, this,
                [this, family] { enableCRCBox_CheckStateChanged(family); });
        connect(controls.button(twinName("resetLatchButton", family)), &QPushButton::clicked, this,
                [this, family] { resetLatchButton_Click(family); });
        connect(controls.radio(twinName("lpmRadioButton", family)), &QRadioButton::toggled, this,
                [this, family](bool checked) { lpmRadioButton_CheckedChanged(family, true, checked); });
        connect(controls.radio(twinName("activeRadioButton", family)), &QRadioButton::toggled, this,
                [this, family](bool checked) { lpmRadioButton_CheckedChanged(family, false, checked); });
        for (const char* selector : {"chanSettingBox", "i2tChanNumBox"}) {
            connect(controls.combo(twinName(selector, family)), &QComboBox::currentIndexChanged, this,
                    [this] { channelSelectorChanged(); });
        }
    }
}

bool ConfigurationEditor::familyPageActs(hss_device_family_t pageFamily) const
{
    // A page of the other family is not shown; its controls must not reach
    // the chip that is fitted.
    const hss_device_family_t current = host.deviceFamily();
    return current == pageFamily || current == HSS_FAMILY_NONE;
}

void ConfigurationEditor::enChanBoxCC_ItemCheck(QListWidgetItem*)
{
    if (host.eventsSuppressed())
        return;
    const hss_device_family_t family = host.deviceFamily();
    if (family != HSS_FAMILY_16PWP && family != HSS_FAMILY_18PWP)
        return;
    const QListWidget* list = controls.list(QStringLiteral("enChanBoxCC"));
    uint16_t value = 0;
    for (uint8_t channel = 0; channel < 2 && channel < list->count(); ++channel) {
        if (list->item(channel)->checkState() == Qt::Checked)
            value = hss::field::switchStateField(channel).setOn(value, true);
    }
    // Exactly the two enable bits; everything else of SW_STATE is written as 0.
    record(family).setSwitchState(value);
    const auto address = hss::registerAddress(family, HSSRegister::SW_STATE);
    host.sendRawWriteGUIResponse(new HSSSingleWriteCmd(*address, value));
    host.logEditorLine(QStringLiteral("Switch enable configuration changed to: 0b%1 ").arg(switchStateBits(value)));
}

void ConfigurationEditor::enableCRCBox_CheckStateChanged(hss_device_family_t family)
{
    if (host.eventsSuppressed() || !familyPageActs(family))
        return;
    const bool on = controls.check(twinName("enableCRCBox", family))->isChecked();
    const RegisterField field = hss::field::crcEnableField(family);
    const auto word = record(family).setFieldOn(field, on);
    const auto address = hss::registerAddress(family, field.reg);
    if (!word || !address)
        return;
    host.logEditorLine(on ? QStringLiteral("CRC Enabled") : QStringLiteral("CRC Disabled."));
    // Chip first, then the board. Both go out at once even under manual
    // persist: a chip and a board that disagree on CRC drop every frame.
    host.queueHSSCommand(new HSSSingleWriteCmd(*address, *word));
    host.queueHSSCommand(new HSSSetCRCIOCTLCmd(on));
}

void ConfigurationEditor::forcedPinChanged(bool limpHome)
{
    if (host.eventsSuppressed())
        return;
    const bool high = controls.check(limpHome ? QStringLiteral("forceLimpCheckBox") : QStringLiteral("forceDICheckBox"))
                          ->isChecked();
    ZVRxQxx16PINConfiguration& forced = record(host.deviceFamily());
    if (limpHome) {
        forced.setLHIForced(high);
        host.logEditorLine(high ? QStringLiteral("Limp home input (LHI) forced high.")
                                     : QStringLiteral("Limp home input (LHI) forced low."));
    } else {
        forced.setDIForced(high);
        host.logEditorLine(high ? QStringLiteral("DI input forced high.") : QStringLiteral("DI input forced low."));
    }
    host.queueHSSCommand(new HSSWriteGPIOCTLCmd(limpHome ? kLimpHomeGpio : kDirectInputGpio, high));
}

void ConfigurationEditor::handleLHIState(bool high) { mirrorForcedPin(true, high); }

void ConfigurationEditor::handleDIState(bool high) { mirrorForcedPin(false, high); }

void ConfigurationEditor::mirrorForcedPin(bool limpHome, bool high)
{
    if (!host.isWindowThread()) {
        if (host.shutdownStarted())
            return;
        host.runOnWindowThreadBlocking([this, limpHome, high] { mirrorForcedPin(limpHome, high); });
        return;
    }
    // Events stay on: a level that differs from the box runs its handler.
    const bool previous = host.eventsSuppressed();
    host.setEventsSuppressed(false);
    controls.check(limpHome ? QStringLiteral("forceLimpCheckBox") : QStringLiteral("forceDICheckBox"))
        ->setChecked(high);
    host.setEventsSuppressed(previous);
}

void ConfigurationEditor::resetLatchButton_Click(hss_device_family_t family)
{
    if (!familyPageActs(family))
        return;
    const uint8_t channel = controls.combo(twinName("i2tChanNumBox", family))->currentIndex() == 1 ? 1 : 0;
    ZVRxQxx16PINConfiguration& rec = record(family);
    const auto switchAddress = hss::registerAddress(family, HSSRegister::SW_STATE);
    const auto i2tAddress = hss::registerAddress(family, HSSRegister::I2T_CONFIG_CH, channel);

    const auto switchWord = rec.setFieldOn(hss::field::switchStateField(channel), false);
    host.queueHSSCommand(new HSSSingleWriteCmd(*switchAddress, *switchWord));
    const auto pulsed = rec.setFieldOn(hss::field::LATCH_RESET_PULSE, true, channel);
    host.queueHSSCommand(new HSSSingleWriteCmd(*i2tAddress, *pulsed));
    if (!host.waitOnWindowThread(kLatchResetPulse))
        return;  // the window is closing
    const auto cleared = rec.updateField(hss::field::TCLDN, 0, channel);
    host.queueHSSCommand(new HSSSingleWriteCmd(*i2tAddress, *cleared));

    DialogSeam::message(controls.button(twinName("resetLatchButton", family))->window(), QMessageBox::Information,
                        QStringLiteral("Latch Reset"),
                        family == HSS_FAMILY_18PWP
                            ? QStringLiteral("Latch state reset. The channel is now ready to be re-enabled.")
                            : QStringLiteral("Latch state reset. The channel is now ready to be re-enabled"));
    // The record now holds cooldown "Latch" and the channel off: show it.
    refreshFamily(family, true);
}

void ConfigurationEditor::showLowPowerModeActive(hss_device_family_t family)
{
    const bool previous = host.eventsSuppressed();
    host.setEventsSuppressed(true);
    controls.check(QStringLiteral("lpmEnableBox"))->setChecked(false);
    controls.radio(twinName("activeRadioButton", family))->setChecked(true);
    controls.radio(twinName("lpmRadioButton", family))->setChecked(false);
    host.setEventsSuppressed(previous);
}

void ConfigurationEditor::lpmRadioButton_CheckedChanged(hss_device_family_t family, bool fromLowPower, bool checked)
{
    // Only the button that became selected acts; its partner's deselection
    // is the same user action.
    if (host.eventsSuppressed() || !checked || !familyPageActs(family))
        return;
    const bool previous = host.eventsSuppressed();
    host.setEventsSuppressed(true);
    const auto word = record(family).setFieldOn(hss::field::LPM_ENABLE, fromLowPower);
    host.logEditorLine(fromLowPower ? QStringLiteral("LPM enabled by user")
                                         : QStringLiteral("LPM disabled by user"));
    host.setEventsSuppressed(previous);
    const auto address = hss::registerAddress(family, HSSRegister::LPM);
    host.sendRawWriteGUIResponse(new HSSSingleWriteCmd(*address, *word));
}

void ConfigurationEditor::channelSelectorChanged()
{
    if (host.eventsSuppressed())
        return;
    if (!host.isDemoMode()) {
        host.updateMainGUIFromSelection();
        return;
    }
    const hss_device_family_t family = host.deviceFamily();
    if (family != HSS_FAMILY_16PWP && family != HSS_FAMILY_18PWP)
        return;
    // No chip to read in demo mode: show the record for the new channel.
    updateDefaultEnumerations(record(family).getDevID());
    refreshFamily(family, true);
}

void ConfigurationEditor::installHelpPanel()
{
    for (hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP}) {
        for (const auto& [name, help] : kHelp)
            controls.find(twinName(name, family))->installEventFilter(this);
        for (const auto& [alias, target] : kHelpAliases)
            controls.find(twinName(alias, family))->installEventFilter(this);
    }
}

bool ConfigurationEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave)
        showHelp(watched->objectName(), event->type() == QEvent::Enter);
    return QObject::eventFilter(watched, event);
}

void ConfigurationEditor::showHelp(const QString& controlName, bool entering)
{
    const HelpText* help = helpFor(controlName);
    if (help == nullptr)
        return;
    const hss_device_family_t family =
        controlName.endsWith(QLatin1String("18")) ? HSS_FAMILY_18PWP : HSS_FAMILY_16PWP;
    QLabel* reg = controls.label(twinName("registerLabel", family));
    reg->setText(entering ? QString::fromLatin1(help->reg) : QString());
    controls.label(twinName("helpLabel", family))->setText(entering ? QString::fromLatin1(help->text) : QString());
    // Nothing pointed at: the placeholder says what the panel is for.
    reg->setVisible(entering);
    controls.label(twinName("helpPlaceholderLabel", family))->setVisible(!entering);
}
