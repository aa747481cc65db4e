// Construction, wiring of the binding table to the controls, and the edit
// path of a table row.

#include "ui/editor/ConfigurationEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "editor/FixedOptionLists.h"
#include "editor/OptionListPlan.h"
#include "editor/PartOptionTables.h"
#include "editor/bindings/FieldCaptions.h"
#include "protocol/HSSProtocol.h"
#include "ui/EventGuard.h"
#include "ui/editor/EditorHost.h"
#include "ui/editor/EditorPages.h"

namespace {

void fillList(QComboBox* box, const std::vector<std::string>& items)
{
    box->clear();
    for (const std::string& item : items)
        box->addItem(QString::fromStdString(item));
}

}  // namespace

ConfigurationEditor::ConfigurationEditor(EditorHost& editorHost, const EditorPageSet& pages, QObject* parent)
    : QObject(parent), host(editorHost), tripValues(hss::options::zvr2m08Tables.i2ttripenum)
{
    ui::EventGuard guard(host, true);
    quickCommands = editorpages::buildCommandCenter(pages.commandCenterPage, controls);
    editorpages::buildTuner(pages.fuseTunerPage16pwp, HSS_FAMILY_16PWP, controls);
    editorpages::buildDeviceSettings(pages.devSettingPage16pwp, HSS_FAMILY_16PWP, controls);
    editorpages::buildChannelSettings(pages.chanSettingsPage16pwp, HSS_FAMILY_16PWP, controls);
    editorpages::buildTuner(pages.fuseTunerPage18pwp, HSS_FAMILY_18PWP, controls);
    editorpages::buildDeviceSettings(pages.devSettingPage18pwp, HSS_FAMILY_18PWP, controls);
    editorpages::buildChannelSettings(pages.chanSettingsPage18pwp, HSS_FAMILY_18PWP, controls);

    fillFixedLists();
    connectRows();
    connectNamedHandlers();
    installHelpPanel();
    for (const char* base : {"shutdownRetryBox", "activeRadioButton"}) {
        for (hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP})
            controls.radio(twinName(base, family))->setChecked(true);
    }
    for (hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP}) {
        showTripScale(family);
        updateLatchButton(family);
    }
}

ConfigurationEditor::~ConfigurationEditor() = default;

void ConfigurationEditor::setI2TRedraw(std::function<void(hss_device_family_t)> redraw)
{
    i2tRedraw = std::move(redraw);
}

void ConfigurationEditor::redrawI2T(hss_device_family_t family)
{
    if (i2tRedraw)
        i2tRedraw(family);
}

void ConfigurationEditor::fillFixedLists()
{
    for (const QString& name : controls.names()) {
        const std::string key = name.toStdString();
        if (auto* box = controls.combo(name)) {
            if (auto fixed = hss::options::fixedListItems(key)) {
                fillList(box, *fixed);
            } else if (auto initial = hss::options::initialListItems(key); !initial.empty()) {
                fillList(box, initial);
            } else if (key == "chanSettingI2TBox" || key == "chanSettingI2TBox18") {
                // Until a part is identified the trip list shows the 16-pin values.
                box->clear();
                for (double value : hss::options::zvr2m08Tables.i2ttripenum)
                    box->addItem(QString::fromStdString(hss::options::formatTripValue(value)) + "A2s");
            }
        } else if (auto* list = controls.list(name)) {
            if (auto fixed = hss::options::fixedListItems(key)) {
                list->clear();
                for (const std::string& item : *fixed) {
                    auto* entry = new QListWidgetItem(QString::fromStdString(item), list);
                    entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
                    entry->setCheckState(Qt::Unchecked);
                }
            }
        }
    }
    for (const char* selector : {"chanSettingBox", "i2tChanNumBox"}) {
        for (hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP})
            controls.combo(twinName(selector, family))->setCurrentIndex(0);
    }
}

void ConfigurationEditor::connectRows()
{
    for (const editor::FieldBinding& row : editor::fieldBindings()) {
        for (hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP}) {
            const std::string name = editor::controlName(row, family);
            if (name.empty() || (row.scope == editor::FamilyScope::Shared && family == HSS_FAMILY_18PWP))
                continue;
            QWidget* widget = controls.find(QString::fromStdString(name));
            if (widget == nullptr)
                continue;
            const editor::FieldBinding* bound = &row;
            auto edited = [this, bound, family] { rowEdited(*bound, family); };
            switch (row.kind) {
            case editor::ControlKind::CheckBox:
            case editor::ControlKind::LatchRadio:
                connect(qobject_cast<QAbstractButton*>(widget), &QAbstractButton::toggled, this, edited);
                break;
            case editor::ControlKind::List:
                connect(qobject_cast<QComboBox*>(widget), &QComboBox::currentIndexChanged, this, edited);
                break;
            case editor::ControlKind::Slider:
                connect(qobject_cast<QSlider*>(widget), &QSlider::valueChanged, this, edited);
                break;
            }
        }
    }
}

uint8_t ConfigurationEditor::channelOf(const editor::FieldBinding& row, hss_device_family_t family) const
{
    const char* selector = nullptr;
    switch (row.channel) {
    case editor::ChannelSource::None:
    case editor::ChannelSource::Channel1:
        return 0;
    case editor::ChannelSource::Channel2:
        return 1;
    case editor::ChannelSource::ChannelSettings:
        selector = "chanSettingBox";
        break;
    case editor::ChannelSource::TunerSelector:
        selector = "i2tChanNumBox";
        break;
    }
    const QComboBox* box = controls.combo(twinName(selector, family));
    return box != nullptr && box->currentIndex() == 1 ? 1 : 0;
}

ZVRxQxx16PINConfiguration& ConfigurationEditor::record(hss_device_family_t family)
{
    if (family == HSS_FAMILY_18PWP)
        return host.eighteenPinRecord();
    return host.sixteenPinRecord();
}

void ConfigurationEditor::showTripScale(hss_device_family_t family)
{
    if (tripValues.empty())
        return;
    const auto number = [](double value) { return QString::fromStdString(hss::options::formatTripValue(value)); };
    controls.label(twinName("i2tTripMinLabel", family))->setText(number(tripValues.front()));
    controls.label(twinName("i2tTripMaxLabel", family))->setText(number(tripValues.back()));
    const QSlider* track = controls.slider(twinName("i2tTrack", family));
    controls.label(twinName("i2tTripValueLabel", family))->setText(tripLabelText(track->value()));
}

void ConfigurationEditor::showSharedCaptions(hss_device_family_t family)
{
    if (family != HSS_FAMILY_16PWP && family != HSS_FAMILY_18PWP)
        return;
    if (family == captionFamily)
        return;
    captionFamily = family;
    for (const editor::FieldBinding& row : editor::fieldBindings()) {
        if (row.scope != editor::FamilyScope::Shared)
            continue;
        const QString name = QString::fromStdString(editor::controlName(row, family));
        const auto caption = controls.caption(name);
        const std::string_view text = editor::rowCaption(row, family);
        if (!caption || text.empty())
            continue;
        const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())) + caption->channelTag;
        if (caption->label != nullptr)
            caption->label->setText(shown + QLatin1Char(':'));
        else if (auto* box = controls.check(name))
            box->setText(shown);
    }
}

QString ConfigurationEditor::tripLabelText(int position) const
{
    if (position < 0 || static_cast<std::size_t>(position) >= tripValues.size())
        return QString();
    return QString::fromStdString(hss::options::formatTripLabel(tripValues[static_cast<std::size_t>(position)]));
}

void ConfigurationEditor::rowEdited(const editor::FieldBinding& row, hss_device_family_t controlFamily)
{
    if (host.eventsSuppressed())
        return;
    const auto family = editor::actingFamily(row, host.deviceFamily(), controlFamily);
    if (!family)
        return;
    const uint8_t channel = channelOf(row, *family);
    const QString name = QString::fromStdString(editor::controlName(row, controlFamily));

    uint16_t value = 0;
    QString text;
    switch (row.kind) {
    case editor::ControlKind::CheckBox:
    case editor::ControlKind::LatchRadio:
        value = controls.get<QAbstractButton>(name)->isChecked() ? 1 : 0;
        break;
    case editor::ControlKind::List: {
        const QComboBox* box = controls.combo(name);
        if (box->currentIndex() < 0)
            return;
        value = static_cast<uint16_t>(box->currentIndex());
        text = box->currentText();
        break;
    }
    case editor::ControlKind::Slider: {
        value = static_cast<uint16_t>(controls.slider(name)->value());
        text = tripLabelText(value);
        controls.label(twinName("i2tTripValueLabel", controlFamily))->setText(text);
        break;
    }
    }

    commitRowEdit(row, *family, channel, value, text);
}

void ConfigurationEditor::commitRowEdit(const editor::FieldBinding& row, hss_device_family_t family, uint8_t channel,
                                        uint16_t value, const QString& text)
{
    const std::string textUtf8 = text.toStdString();
    const auto result = editor::applyEdit(row, {family, channel, value, textUtf8}, record(family));
    if (!result)
        return;
    auto* command = new HSSSingleWriteCmd(result->address, result->word);
    if (row.send == editor::SendPath::Direct)
        host.queueHSSCommand(command);
    else
        host.sendRawWriteGUIResponse(command);
    if (!result->logLine.empty())
        host.logEditorLine(QString::fromStdString(result->logLine));
    runFollowUp(row, family, channel);
}

namespace {

// Which row of several editing one field a register-map edit goes through:
// the "Channel Settings" row (its channel is given), then device rows, then
// the fixed-channel rows; the tuner's slider last (its log reads the label).
int rowPreference(const editor::FieldBinding& row)
{
    if (row.kind == editor::ControlKind::Slider)
        return 4;
    switch (row.channel) {
    case editor::ChannelSource::ChannelSettings: return 0;
    case editor::ChannelSource::None: return 1;
    case editor::ChannelSource::Channel1:
    case editor::ChannelSource::Channel2: return 2;
    case editor::ChannelSource::TunerSelector: return 3;
    }
    return 5;
}

bool rowServesChannel(const editor::FieldBinding& row, uint8_t channel)
{
    if (row.channel == editor::ChannelSource::Channel1)
        return channel == 0;
    if (row.channel == editor::ChannelSource::Channel2)
        return channel == 1;
    return true;
}

}  // namespace

bool ConfigurationEditor::editRegisterField(hss_device_family_t family, const RegisterField& field, uint8_t channel,
                                            uint16_t value)
{
    if (host.eventsSuppressed() || family != host.deviceFamily() ||
        (family != HSS_FAMILY_16PWP && family != HSS_FAMILY_18PWP) || !field.fits(value))
        return false;
    const bool on = field.isOn(field.set(0, value));
    if (field.sameBits(hss::field::crcEnableField(family))) {
        // Its named handler writes the chip and then the board's CRC setting.
        QCheckBox* crc = controls.check(twinName("enableCRCBox", family));
        if (crc->isChecked() != on)
            crc->setChecked(on);
        return true;
    }
    // One field, two lists: the charge level while capacitive charging is on.
    const auto ilim = record(family).getRegister(HSSRegister::ILIM_CONFIG_CH, channel);
    const bool capCharging = ilim && hss::field::capChargeShownField(family).isOn(*ilim);
    const std::string_view otherList = capCharging ? "inRushValueBox" : "chargeLevelBox";
    const editor::FieldBinding* chosen = nullptr;
    for (const editor::FieldBinding& row : editor::fieldBindings()) {
        const auto rowField = editor::fieldFor(row, family, channel);
        if (!editor::appliesTo(row, family) || !rowField || !rowField->sameBits(field) ||
            !rowServesChannel(row, channel) || !editor::actingFamily(row, family, family) || row.name == otherList)
            continue;
        if (chosen == nullptr || rowPreference(row) < rowPreference(*chosen))
            chosen = &row;
    }
    if (chosen == nullptr)
        return false;

    QString text;
    uint16_t request = value;
    if (chosen->kind == editor::ControlKind::CheckBox || chosen->kind == editor::ControlKind::LatchRadio) {
        request = on ? 1 : 0;
    } else if (chosen->kind == editor::ControlKind::List) {
        // The log names the item as the page's list does.
        const QComboBox* box = controls.combo(QString::fromStdString(editor::controlName(*chosen, family)));
        if (box == nullptr || value >= box->count())
            return false;
        text = box->itemText(value);
    } else {
        text = tripLabelText(value);
    }
    commitRowEdit(*chosen, family, channel, request, text);
    // The page controls show the record at once.
    refreshFamily(family, true);
    return true;
}

void ConfigurationEditor::runFollowUp(const editor::FieldBinding& row, hss_device_family_t family, uint8_t channel)
{
    switch (row.followUp) {
    case editor::FollowUp::None:
        break;
    case editor::FollowUp::ReRead:
        host.updateMainGUIFromSelection();
        break;
    case editor::FollowUp::CurrentLimitEnabling: {
        ui::EventGuard guard(host, true);
        if (family == HSS_FAMILY_18PWP)
            updateCurrentLimitSettings18PWP(channel);
        else
            updateCurrentLimitSettings(channel);
        break;
    }
    case editor::FollowUp::ReloadLists:
    case editor::FollowUp::ReloadListsAndRedraw:
        // The reload empties the selections; show the record again at once
        // (the refresh ends with the redraw of the curves).
        updateDefaultEnumerations(host.eighteenPinRecord().getDevID());
        refreshFamily(HSS_FAMILY_18PWP, true);
        break;
    case editor::FollowUp::Redraw:
        redrawI2T(family);
        break;
    case editor::FollowUp::RedrawAndLatchButton:
        redrawI2T(family);
        updateLatchButton(family);
        break;
    }
}

void ConfigurationEditor::updateLatchButton(hss_device_family_t family)
{
    const QComboBox* cooldown = controls.combo(twinName("cooldownDelayBox", family));
    controls.button(twinName("resetLatchButton", family))->setEnabled(cooldown->currentIndex() == 0);
}
