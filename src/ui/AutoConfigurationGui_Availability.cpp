// What can be used in the window's present state. The views (the log, the
// console's history, fault lamps and statistics, charts, the datasheet) stay
// usable whatever the board does; what talks to the chip waits for an
// identified chip, or demo mode, where it edits the records alone; the
// console waits for the board. A disabled menu item says why in its tooltip.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include "link/HSSCommunicationManager.h"
#include "ui/AutoConfigurationGui.h"
#include "ui/WidgetHelpers.h"
#include "ui/faults/FaultView.h"
#include "ui/pages/CommandCenterPage.h"
#include "ui/pages/ConsolePage.h"
#include "ui/pages/FamilyPages.h"

using ui::setAvailable;

namespace {

const QString kNoBoard = QStringLiteral("No VELMARA-BOARD is connected.");

}  // namespace

void AutoConfigurationGui::showAvailability()
{
    const bool boardOpen = commManager && commManager->isHidDeviceConnected();
    // A prototype part is shown too, but has no family to edit.
    const bool chip = shownDevId.has_value() && curDeviceFamily != HSS_FAMILY_NONE;
    const bool demoMode = demoModeToolStripMenuItem->isChecked();
    const bool editable = chip || demoMode;
    const QString noChip =
        boardOpen ? QStringLiteral("No switch chip is identified on the board: is its daughter card fitted?") : kNoBoard;

    setAvailable(settingsToolStripMenuItem, chip, noChip);
    setAvailable(saveToEEPROMToolStripMenuItem, chip && curDeviceFamily == HSS_FAMILY_18PWP,
                 chip ? QStringLiteral("Only 18-pin parts keep their settings in an EEPROM.") : noChip);
    // On the emulated board "Tools" also holds the bench, where the board is
    // plugged in again: only the board's own item follows its presence.
    // Firmware update needs the board alone, not a chip.
    if (emulatedBoardToolStripMenuItem != nullptr)
        setAvailable(enterDFUModeToolStripMenuItem, boardOpen, kNoBoard);
    else
        setAvailable(toolsToolStripMenuItem, boardOpen, kNoBoard);
    setAvailable(exportToolStripMenuItem, editable, noChip);
    setAvailable(saveSettingsToolStripMenuItem, editable, noChip);
    setAvailable(loaToolStripMenuItem, editable, noChip);
    setAvailable(demoModeToolStripMenuItem, !chip,
                 QStringLiteral("Demo/Config Mode is for working without a chip: it is off while a board with an "
                                "identified chip is connected."));
    showPageAvailability(editable, boardOpen, noChip);
}

void AutoConfigurationGui::showPageAvailability(bool chipControls, bool boardOpen, const QString& whyNot)
{
    // Whole regions where they hold nothing but settings: a control the
    // editor switches off by itself stays off when its region comes back.
    QList<QWidget*> regions{commandCenter->region(PageFrame::Region::Controls)};
    for (FamilyPageSet* set : {&familyPages->sixteen, &familyPages->eighteen}) {
        for (PageFrame* page : {static_cast<PageFrame*>(set->fuseTunerPage), static_cast<PageFrame*>(set->devSettingPage),
                                set->chanSettingsPage})
            regions << page->region(PageFrame::Region::Controls);
    }
    for (QWidget* region : regions) {
        region->setEnabled(chipControls);
        region->setToolTip(chipControls ? QString() : whyNot);
    }
    // Single controls among views: the sampling switches beside the chart,
    // the user registers, the self-test and test-mode actions.
    QList<QWidget*> controls{commandCenter->senseChannelBox, commandCenter->senseChannelAll,
                             commandCenter->findChild<QWidget*>(QStringLiteral("senseSourceSelBox"))};
    for (QLineEdit* box : userRegisterBoxes) controls << box;
    for (QPushButton* button : safetyTab16pwp->findChildren<QPushButton*>()) controls << button;
    for (QWidget* page : {testModeTab}) {
        for (QPushButton* button : page->findChildren<QPushButton*>()) controls << button;
        for (QComboBox* box : page->findChildren<QComboBox*>()) controls << box;
        for (QLineEdit* box : page->findChildren<QLineEdit*>()) controls << box;
    }
    for (QWidget* control : controls) {
        if (control != nullptr) control->setEnabled(chipControls);
    }
    if (faultView != nullptr) faultView->setChipReachable(chipControls);
    // The console's history and answers stay readable; sending needs the board.
    console->commandBox->setEnabled(boardOpen);
    console->sendCommandButton->setEnabled(boardOpen);
    console->commandBox->setToolTip(boardOpen ? QString() : kNoBoard);
}
