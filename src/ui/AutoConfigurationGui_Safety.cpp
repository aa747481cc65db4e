// The window as SafetyHost: builds the "Safety" and "Test Mode" views and
// the sleep sequence, puts the sleep buttons in place and routes the
// self-test and test-mode replies to the views.

#include <QFormLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include "ui/AutoConfigurationGui.h"
#include "ui/WidgetHelpers.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/pages/SafetyPage.h"
#include "ui/registers/RegisterMapPage.h"
#include "ui/safety/SafetyView.h"
#include "ui/safety/SleepMode.h"
#include "ui/safety/TestModeView.h"
#include "ui/sense/SenseMonitor.h"
#include "ui/widgets/PageFrame.h"

void AutoConfigurationGui::buildSafetyViews()
{
    safetyView = new SafetyView(*this, *safety, this);
    testModeView = new TestModeView(*this, *static_cast<PageFrame*>(testModeTab), this);
    sleepMode = new SleepMode(*this, this, this);

    sleepModeButton = ui::named<QPushButton>(QStringLiteral("sleepModeButton"), QStringLiteral("Sleep Mode"));
    if (auto* form = qobject_cast<QFormLayout*>(configEditor->quickCommandsGroup()->layout()))
        form->addRow(sleepModeButton);
    for (QPushButton* button : {sleepModeButton, safetyView->sleepModeSafetyButton})
        connect(button, &QPushButton::clicked, sleepMode, [this] { sleepMode->sleepModeButton_Click(); });
}

void AutoConfigurationGui::handle16PWPSafetyRead(uint16_t value)
{
    safetyView->handle16PWPSafetyRead(value);
    if (registerMap != nullptr) {
        if (const auto address = hss::registerAddress(HSS_FAMILY_16PWP, HSSRegister::ABIST_RESULT))
            registerMap->noteRegistersRead({{*address, value}});
    }
}

void AutoConfigurationGui::handleTestModeRead24PWP(HSSSingleReadCmd* command)
{
    if (command != nullptr)
        testModeView->handleTestModeRead24PWP(*command);
}

bool AutoConfigurationGui::faultPollStopped() const { return manualUpdateEnabled; }

bool AutoConfigurationGui::detectionPaused() const { return pauseDeviceDetection; }

void AutoConfigurationGui::stopSenseForSleep() { senseMonitor->stopForSleep(); }

void AutoConfigurationGui::clearChannelEnableList()
{
    auto* list = qobject_cast<QListWidget*>(configEditor->control(QStringLiteral("enChanBoxCC")));
    if (list == nullptr)
        return;
    const bool wasSuppressed = dontRunEvents.exchange(true);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(Qt::Unchecked);
    if (list->count() > 0)
        list->setCurrentRow(0);
    dontRunEvents = wasSuppressed;
}
