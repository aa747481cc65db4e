// The editor refresh: every control shows its field of the family's record.
// Runs under the event guard, so nothing it changes reaches an edit handler;
// the only traffic it may cause is the board's CRC switch (kept in step with
// the chip's CRC bit).

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

#include <memory>

#include "device/RegisterFields.h"
#include "protocol/HSSProtocol.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/WidgetHelpers.h"
#include "ui/editor/EditorHost.h"

namespace {

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

struct SafetyRow {
    const char* label;
    int page;
    const char* clearText;
};

// SAFETY_TEST bit n is row n.
constexpr SafetyRow kSafetyRows[] = {
    {"bandgapTestPendingLabel", 0, "No Test Initiated"},
    {"adcTestPendingLabel", 1, "No Test Initiated"},
    {"ch1SafetyShtInitiatedLabel", 2, "Test Not Intiated"},
    {"ch2SafetyShortInitiatedLabel", 3, "Test Not Intiated"},
    {"currentSafetyInitiatedLabel", 4, "Test Not Intiated"},
};

}  // namespace

void ConfigurationEditor::updateSixteenGuiFromConfig(bool guard) { refreshFamily(HSS_FAMILY_16PWP, guard); }

void ConfigurationEditor::updateEighteenGuiFromConfig(bool guard) { refreshFamily(HSS_FAMILY_18PWP, guard); }

void ConfigurationEditor::updateGuiFromConfig()
{
    const hss_device_family_t family = host.deviceFamily();
    if (family == HSS_FAMILY_16PWP || family == HSS_FAMILY_18PWP)
        refreshFamily(family, true);
}

void ConfigurationEditor::refreshFamily(hss_device_family_t family, bool guard)
{
    if (!host.isWindowThread()) {
        if (host.shutdownStarted())
            return;
        host.runOnWindowThreadBlocking([this, family, guard] { refreshOnWindowThread(family, guard); });
        return;
    }
    refreshOnWindowThread(family, guard);
}

void ConfigurationEditor::refreshOnWindowThread(hss_device_family_t family, bool guard)
{
    {
        const bool previous = host.eventsSuppressed();
        host.setEventsSuppressed(guard);
        // One consistent copy: the dispatch thread may store a read-back meanwhile.
        std::unique_ptr<ZVRxQxx16PINConfiguration> snapshot;
        if (family == HSS_FAMILY_18PWP)
            snapshot = std::make_unique<ZVRxQxx18PINConfiguration>(host.eighteenPinRecord());
        else
            snapshot = std::make_unique<ZVRxQxx16PINConfiguration>(host.sixteenPinRecord());

        showSharedCaptions(family);
        resyncCrc(family, *snapshot);
        for (const editor::FieldBinding& row : editor::fieldBindings())
            refreshRow(row, family, *snapshot);
        refreshSpecials(family, *snapshot);
        host.setEventsSuppressed(previous);
    }
    redrawI2T(family);
}

void ConfigurationEditor::resyncCrc(hss_device_family_t family, const ZVRxQxx16PINConfiguration& snapshot)
{
    const RegisterField field = hss::field::crcEnableField(family);
    const bool wanted = field.isOn(snapshot.getRegister(field.reg).value_or(0));
    QCheckBox* box = controls.check(twinName("enableCRCBox", family));
    if (box->isChecked() == wanted)
        return;
    box->setChecked(wanted);
    // The board must frame its SPI traffic as the chip expects.
    host.queueHSSCommand(new HSSSetCRCIOCTLCmd(wanted));
}

void ConfigurationEditor::refreshRow(const editor::FieldBinding& row, hss_device_family_t family,
                                     const ZVRxQxx16PINConfiguration& snapshot)
{
    if (!editor::appliesTo(row, family))
        return;
    const QString name = QString::fromStdString(editor::controlName(row, family));
    QWidget* widget = controls.find(name);
    if (widget == nullptr)
        return;
    const auto value = editor::shownValue(row, family, snapshot, channelOf(row, family));
    if (!value)
        return;
    switch (row.kind) {
    case editor::ControlKind::CheckBox:
        qobject_cast<QCheckBox*>(widget)->setChecked(*value != 0);
        break;
    case editor::ControlKind::LatchRadio: {
        const QString partner = QString::fromStdString(editor::partnerName(row, family));
        // An exclusive radio is cleared by selecting its partner.
        (*value != 0 ? qobject_cast<QRadioButton*>(widget) : controls.radio(partner))->setChecked(true);
        break;
    }
    case editor::ControlKind::List: {
        auto* box = qobject_cast<QComboBox*>(widget);
        // A value the list cannot show leaves the selection as it was.
        if (*value < box->count())
            box->setCurrentIndex(*value);
        break;
    }
    case editor::ControlKind::Slider: {
        auto* slider = qobject_cast<QSlider*>(widget);
        if (*value >= slider->minimum() && *value <= slider->maximum())
            slider->setValue(*value);
        break;
    }
    }
}

void ConfigurationEditor::refreshSpecials(hss_device_family_t family, const ZVRxQxx16PINConfiguration& snapshot)
{
    const uint16_t switchState = snapshot.getSwitchState();
    QListWidget* enables = controls.list(QStringLiteral("enChanBoxCC"));
    for (uint8_t channel = 0; channel < 2 && channel < enables->count(); ++channel) {
        const bool on = hss::field::switchStateField(channel).isOn(switchState);
        enables->item(channel)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }

    controls.check(QStringLiteral("forceLimpCheckBox"))->setChecked(snapshot.isLHIForced());
    controls.check(QStringLiteral("forceDICheckBox"))->setChecked(snapshot.isDIForced());

    const bool lowPower = hss::field::LPM_ENABLE.isOn(snapshot.getLowPowerMode());
    controls.radio(twinName(lowPower ? "lpmRadioButton" : "activeRadioButton", family))->setChecked(true);

    const QSlider* track = controls.slider(twinName("i2tTrack", family));
    controls.label(twinName("i2tTripValueLabel", family))->setText(tripLabelText(track->value()));
    updateLatchButton(family);

    const QComboBox* selector = controls.combo(twinName("chanSettingBox", family));
    const uint8_t channel = selector->currentIndex() == 1 ? 1 : 0;
    if (family == HSS_FAMILY_18PWP)
        updateCurrentLimitSettings18PWP(channel);
    else
        updateCurrentLimitSettings(channel);

    if (family == HSS_FAMILY_16PWP)
        refreshSafetyIndicators(snapshot);
    else
        refreshUserRegisters(snapshot);
}

void ConfigurationEditor::refreshSafetyIndicators(const ZVRxQxx16PINConfiguration& snapshot)
{
    QTabWidget* tabs = host.tabControl();
    QWidget* root = tabs != nullptr ? tabs->window() : nullptr;
    if (root == nullptr)
        return;
    auto* safetyTabs = root->findChild<QTabWidget*>(QStringLiteral("safetyTabControl"));
    const uint16_t tests = snapshot.getTest();
    for (std::size_t bit = 0; bit < std::size(kSafetyRows); ++bit) {
        const SafetyRow& row = kSafetyRows[bit];
        const bool initiated = (tests >> bit) & 1u;
        if (auto* label = root->findChild<QLabel*>(QString::fromLatin1(row.label))) {
            label->setText(initiated ? QStringLiteral("Test Initiated") : QString::fromLatin1(row.clearText));
            setTextColor(label, initiated ? ui::kDarkOrange : ui::kBlack);
        }
        if (safetyTabs != nullptr && row.page < safetyTabs->count()) {
            QString title = safetyTabs->tabText(row.page);
            if (initiated && !title.contains('*'))
                title.prepend('*');
            else if (!initiated)
                title.remove('*');
            safetyTabs->setTabText(row.page, title);
        }
    }
    if (safetyTabs != nullptr)
        safetyTabs->update();
}

void ConfigurationEditor::refreshUserRegisters(const ZVRxQxx16PINConfiguration& snapshot)
{
    const auto* record18 = dynamic_cast<const ZVRxQxx18PINConfiguration*>(&snapshot);
    QTabWidget* tabs = host.tabControl();
    QWidget* root = tabs != nullptr ? tabs->window() : nullptr;
    if (record18 == nullptr || root == nullptr)
        return;
    const std::pair<const char*, uint16_t> boxes[] = {
        {"tsnsUserBox1Hex", record18->getADCCal(0)}, {"tsnsUserBox2Hex", record18->getADCCal(1)},
        {"userBox52Hex", record18->getUserReg52()},  {"userBox53Hex", record18->getUserReg53()},
        {"userBox54Hex", record18->getUserReg54()},  {"userBox55Hex", record18->getUserReg55()},
        {"userBox56Hex", record18->getUserReg56()},  {"userBox57Hex", record18->getUserReg57()},
    };
    for (const auto& [name, value] : boxes) {
        if (auto* box = root->findChild<QLineEdit*>(QString::fromLatin1(name)))
            box->setText(QString::number(value, 16).toUpper());
    }
}

void ConfigurationEditor::updateCurrentLimitSettings18PWP(uint8_t channel)
{
    updateCurrentLimitSettings(channel, HSS_FAMILY_18PWP);
}

void ConfigurationEditor::updateCurrentLimitSettings(uint8_t channel, hss_device_family_t family)
{
    // Bits 13 and 12: 00 inrush mode, 10 capacitive charging; the other
    // combinations leave the controls as they are.
    const uint16_t mode = hss::field18::CAP_CHARGE_SHOWN.get(record(family).getILIMConfig(channel));
    if (mode != 0 && mode != 2)
        return;
    const bool capacitive = mode == 2;
    controls.combo(twinName("chargeLevelBox", family))->setEnabled(capacitive);
    controls.combo(twinName("capChargeDurationBox", family))->setEnabled(capacitive);
    controls.combo(twinName("chanSettingCurrentLimitBox", family))->setEnabled(true);
    controls.combo(twinName("inRushValueBox", family))->setEnabled(!capacitive);
    controls.combo(twinName("chanSettingInrushDurationBox", family))->setEnabled(!capacitive);
}
