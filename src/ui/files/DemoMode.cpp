#include "ui/files/DemoMode.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

#include <array>

#include "ui/Resources.h"
#include "ui/WidgetHelpers.h"
#include "ui/files/FilesHost.h"
#include "ui/files/SettingsFileCommands.h"
#include "ui/seam/DialogSeam.h"

namespace {

struct DemoPart {
    const char* itemText;  // matched by "contains", in this order
    uint16_t code;
    const char* valuesFile;
};

constexpr std::array<DemoPart, 3> kDemoParts{{
    {"ZVR2M05-K1", 0xFF00, "demoModeValues18.txt"},
    {"ZVR2M07-K1", 0xFF04, "demoModeValues18.txt"},
    {"ZVR2M08-K1", 0xFFF0, "demoModeValues16.txt"},
}};

const QString kValuesFolder = QStringLiteral("demo/");

}  // namespace

DemoMode::DemoMode(FilesHost& host_, SettingsFileCommands& files_, const DemoModeControls& controls_,
                   QWidget* dialogParent)
    : host(host_), files(files_), controls(controls_), parent(dialogParent)
{
}

void DemoMode::demoModeToolStripMenuItem_CheckStateChanged()
{
    if (controls.demoModeItem->isChecked()) {
        enter();
    } else {
        leave();
    }
}

void DemoMode::enter()
{
    // First, so that no identification poll starts while the box is up.
    active = true;
    host.setDetectionPaused(true);
    DialogSeam::message(parent, QMessageBox::Information, QStringLiteral("Demo/Config Mode"),
                        QStringLiteral("Demo/Config mode is used when no EVM is available, however the user wants to "
                                       "still access the interface. Note that ") +
                            QStringLiteral("in this mode all USB reads/writes are ignored. This mode can be used to "
                                           "configure the device and export the C configuration structure."));
    saved = Saved{host.sixteenPinRecord(),
                  host.eighteenPinRecord(),
                  host.persistPending(),
                  host.deviceFamily(),
                  controls.partNameLabel->text(),
                  controls.partDescriptionLabel->text(),
                  ui::textColor(controls.partNameLabel),
                  {},
                  controls.tabs->currentWidget()};
    for (int i = 0; i < controls.tabs->count(); ++i) saved->pages.append({controls.tabs->widget(i), controls.tabs->tabText(i)});

    controls.connectionLabel->setText(QStringLiteral("Demo Mode"));
    ui::setTextColor(controls.connectionLabel, ui::kOrange);
    controls.partBox->show();
    controls.partBoxLabel->show();
    host.showAvailability();
    updateDemoGUIComponents();
}

void DemoMode::leave()
{
    DialogSeam::message(parent, QMessageBox::Information, QStringLiteral("Demo Mode"), QStringLiteral("Demo mode exited."));
    const bool connected = host.boardConnected();
    controls.connectionLabel->setText(connected ? QStringLiteral("Connected") : QStringLiteral("Disconnected"));
    ui::setTextColor(controls.connectionLabel, connected ? ui::kGreen : ui::kRed);
    // Demo mode is only entered while no chip is identified, so none is now.
    host.showAvailability();
    controls.partBox->hide();
    controls.partBoxLabel->hide();

    // What a chip identified later would inherit is as it was before.
    if (saved) {
        host.sixteenPinRecord() = saved->sixteen;
        host.eighteenPinRecord() = saved->eighteen;
        host.setPersistPending(saved->persistPending);
        host.setDeviceFamily(saved->family);
        const bool wasSuppressed = host.eventsSuppressed();
        host.setEventsSuppressed(true);
        while (controls.tabs->count() > 0) controls.tabs->removeTab(0);
        for (const auto& [page, text] : saved->pages) controls.tabs->addTab(page, text);
        controls.tabs->setCurrentWidget(saved->currentPage);
        if (saved->family != HSS_FAMILY_NONE) {
            const ZVRxQxx16PINConfiguration& record = saved->family == HSS_FAMILY_18PWP
                                                          ? static_cast<ZVRxQxx16PINConfiguration&>(host.eighteenPinRecord())
                                                          : host.sixteenPinRecord();
            host.reloadOptionLists(record.getDevID());
            host.refreshEditorFromRecord(saved->family);
        }
        host.setEventsSuppressed(wasSuppressed);
        controls.partNameLabel->setText(saved->partName);
        controls.partDescriptionLabel->setText(saved->partDescription);
        ui::setTextColor(controls.partNameLabel, saved->partNameColor);
        saved.reset();
    }
    host.setDetectionPaused(false);
    active = false;
}

void DemoMode::demoPartBox_SelectedIndexChanged(int)
{
    if (host.eventsSuppressed()) return;
    updateDemoGUIComponents();
}

void DemoMode::updateDemoGUIComponents()
{
    // The selector is hidden outside demo mode; a change there must not
    // pretend that a part was identified.
    if (!host.isDemoMode()) return;
    const QString item = controls.partBox->currentText();
    const DemoPart* part = nullptr;
    for (const DemoPart& candidate : kDemoParts) {
        if (item.contains(QLatin1String(candidate.itemText))) {
            part = &candidate;
            break;
        }
    }
    if (part == nullptr) return;

    const bool wasSuppressed = host.eventsSuppressed();
    host.setEventsSuppressed(true);
    host.identifyPart(part->code);
    host.reloadOptionLists(part->code);
    host.showFamilyPages();

    const hss_device_family_t family = host.deviceFamily();
    const QString fileName = QString::fromLatin1(part->valuesFile);
    const QString path = resources::findFile(kValuesFolder + fileName);
    if (path.isEmpty()) {
        tellOnce(fileName, QString::fromLatin1(part->itemText),
                 QStringLiteral("was not found (looked for %1 in the working directory, beside the program and in "
                                "the installed data)")
                     .arg(kValuesFolder + fileName));
    } else {
        const SettingsFileCommands::LoadResult result = files.loadFileIntoGUI(path, false);
        if (result.outcome == SettingsFileCommands::LoadOutcome::Unreadable) {
            tellOnce(fileName, QString::fromLatin1(part->itemText),
                     QStringLiteral("could not be read (%1: %2)").arg(path, result.reason));
        }
    }
    // Also when the file was missing or changed nothing: the pages just came in.
    host.refreshEditorFromRecord(family);
    host.setEventsSuppressed(wasSuppressed);
}

void DemoMode::tellOnce(const QString& file, const QString& partName, const QString& why)
{
    if (told.contains(file)) return;
    told.insert(file);
    DialogSeam::message(parent, QMessageBox::Information, QStringLiteral("Demo Mode"),
                        QStringLiteral("The demo values file %1 %2. The %3 demo part is shown with its registers as "
                                       "they were.")
                            .arg(file, why, partName));
}
