// Reloading the part-dependent option lists on the controls, and the
// current lists scaled for the sense resistor.

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>

#include <algorithm>

#include "editor/OptionListPlan.h"
#include "measure/NumberText.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/editor/EditorHost.h"

void ConfigurationEditor::updateDefaultEnumerations(uint16_t devId)
{
    // The lists are controls: change them on the window thread only.
    if (!host.isWindowThread()) {
        if (!host.shutdownStarted())
            host.runOnWindowThreadBlocking([this, devId] { updateDefaultEnumerations(devId); });
        return;
    }
    const bool previous = host.eventsSuppressed();
    host.setEventsSuppressed(true);

    // The 18-pin rules pick tables by the selected channels' decrementer bit
    // and by the FET choice, as the 18-pin record holds them now.
    const ZVRxQxx18PINConfiguration& eighteen = host.eighteenPinRecord();
    auto selectedI2T = [&](const char* selector) -> std::optional<uint16_t> {
        const int index = controls.combo(QString::fromLatin1(selector))->currentIndex();
        if (index != 0 && index != 1)
            return std::nullopt;
        return eighteen.getI2TConfig(static_cast<uint8_t>(index));
    };
    hss::options::EighteenPinSelection selection;
    selection.i2tTunerChannelI2TConfig = selectedI2T("i2tChanNumBox18");
    selection.chanSettingChannelI2TConfig = selectedI2T("chanSettingBox18");
    selection.lowPowerMode = eighteen.getLowPowerMode();

    const auto plan = hss::options::planDefaultEnumerations(devId, selection);
    if (plan) {
        QTabWidget* tabs = host.tabControl();
        QWidget* datasheet = host.datasheetTabPage();
        if (tabs != nullptr && datasheet != nullptr) {
            const int index = tabs->indexOf(datasheet);
            if (plan->datasheetTabShown && index < 0)
                tabs->addTab(datasheet, QStringLiteral("Datasheet"));
            else if (!plan->datasheetTabShown && index >= 0)
                tabs->removeTab(index);
        }

        tripValues = plan->i2tArrayValues;
        tripFamily = plan->family;
        showTripScale(plan->family);

        if (QComboBox* trip = controls.combo(QString::fromStdString(plan->tripListControl))) {
            trip->clear();
            for (double value : plan->tripListValues)
                trip->addItem(QString::fromStdString(hss::options::formatTripValue(value)), value);
            trip->setCurrentIndex(-1);
        }
        for (const hss::options::ListReload& reload : plan->lists) {
            QComboBox* box = controls.combo(QString::fromStdString(reload.control));
            if (box == nullptr)
                continue;
            box->clear();
            for (const std::string& item : reload.items)
                box->addItem(QString::fromStdString(item));
            // No selection until the refresh picks the record's value: a
            // value the new list cannot show must not pass for its first item.
            box->setCurrentIndex(-1);
        }
        if (plan->family == HSS_FAMILY_16PWP)
            applySenseResistorScaling();
    }
    host.setEventsSuppressed(previous);
}

void ConfigurationEditor::setSenseResistorScaling(const hss::measure::SenseScaledLists& lists)
{
    senseScaling = lists;
    applySenseResistorScaling();
}

void ConfigurationEditor::applySenseResistorScaling()
{
    if (!senseScaling)
        return;
    const bool previous = host.eventsSuppressed();
    host.setEventsSuppressed(true);
    // Item texts change in place, so every list keeps its selected index.
    const auto relabel = [this](const char* name, std::span<const float> values, bool withNumbers) {
        QComboBox* box = controls.combo(QString::fromLatin1(name));
        if (box == nullptr)
            return;
        const int count = std::min(box->count(), static_cast<int>(values.size()));
        for (int i = 0; i < count; ++i) {
            const float value = values[static_cast<std::size_t>(i)];
            box->setItemText(i, QString::fromStdString(hss::text::shortestDecimal(value)));
            if (withNumbers)
                box->setItemData(i, hss::text::widenDecimal(value));
        }
    };
    relabel("swLimitBox", senseScaling->softwareLimits, false);
    relabel("chanSettingSWCLBox", senseScaling->softwareLimits, false);
    relabel("chanSettingI2TBox", senseScaling->tripEnergies, true);
    relabel("nomCurrentBox", senseScaling->nominalCurrents, false);
    relabel("chanSettingNomBox", senseScaling->nominalCurrents, false);

    // The 18-pin trip tables have reference values of their own.
    if (tripFamily != HSS_FAMILY_18PWP) {
        scaledTripValues.clear();
        for (float value : senseScaling->tripEnergies)
            scaledTripValues.push_back(hss::text::widenDecimal(value));
        tripValues = scaledTripValues;
        showTripScale(HSS_FAMILY_16PWP);
    }
    host.setEventsSuppressed(previous);
    // After the guard is back as the caller had it: under the guard the
    // redraw does nothing, and the curves would keep the old currents. A
    // caller that holds the guard (a list reload) redraws when it lets go.
    if (tripFamily != HSS_FAMILY_18PWP)
        redrawI2T(HSS_FAMILY_16PWP);
}
