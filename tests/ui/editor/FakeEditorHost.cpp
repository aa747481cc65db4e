#include "FakeEditorHost.h"

#include <gtest/gtest.h>

#include <QThread>
#include <QVBoxLayout>

#include "device/ConfigReadBack.h"
#include "device/PartTable.h"
#include "protocol/HSSProtocol.h"
#include "ui/pages/CommandCenterPage.h"

namespace editortest {

namespace {

// The application lives from the first test to the end of the run and is
// destroyed before static destruction begins (Qt must not outlive main).
class ApplicationEnvironment : public ::testing::Environment {
public:
    void TearDown() override { app.reset(); }
    static QApplication& get()
    {
        static int argc = 1;
        static char name[] = "kc-editor-test";
        static char* argv[] = {name, nullptr};
        if (!app)
            app = std::make_unique<QApplication>(argc, argv);
        return *app;
    }

private:
    static inline std::unique_ptr<QApplication> app;
};

[[maybe_unused]] ::testing::Environment* const applicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

QApplication& application() { return ApplicationEnvironment::get(); }

namespace {

template <typename Page>
Page* page(QTabWidget* tabs, Page* widget, const char* title)
{
    tabs->addTab(widget, QString::fromLatin1(title));
    return widget;
}

}  // namespace

FakeEditorHost::FakeEditorHost(uint16_t devid) : board(std::make_shared<EmulatedBoard>(devid))
{
    application();
    handOver = std::make_unique<WindowThreadHandOver>();
    window = std::make_unique<QWidget>();
    window->setObjectName(QStringLiteral("AutoConfigurationGui"));
    tabs = new QTabWidget(window.get());
    tabs->setObjectName(QStringLiteral("mainTabControl"));
    (new QVBoxLayout(window.get()))->addWidget(tabs);

    // The window's own page classes, so the editor builds into their regions.
    familyPages = std::make_unique<FamilyPages>();
    EditorPageSet pages;
    pages.commandCenterPage = page(tabs, new CommandCenterPage, "Command Center");
    pages.fuseTunerPage16pwp = page(tabs, familyPages->sixteen.fuseTunerPage, "I2T Tuner");
    pages.devSettingPage16pwp = page(tabs, familyPages->sixteen.devSettingPage, "Device Settings");
    pages.chanSettingsPage16pwp = page(tabs, familyPages->sixteen.chanSettingsPage, "Channel Settings");
    pages.fuseTunerPage18pwp = page(tabs, familyPages->eighteen.fuseTunerPage, "I2T Tuner");
    pages.devSettingPage18pwp = page(tabs, familyPages->eighteen.devSettingPage, "Device Settings");
    pages.chanSettingsPage18pwp = page(tabs, familyPages->eighteen.chanSettingsPage, "Channel Settings");
    datasheet = page(tabs, new QWidget, "Datasheet");
    datasheet->setObjectName(QStringLiteral("datasheetTab"));
    window->resize(1458, 1066);
    editor = std::make_unique<ConfigurationEditor>(*this, pages);
}

FakeEditorHost::~FakeEditorHost()
{
    handOver->beginShutdown();
    editor.reset();
}

void FakeEditorHost::apply(HSSCommand* command, bool direct)
{
    std::unique_ptr<HSSCommand> owned(command);
    SentCommand entry;
    entry.direct = direct;
    entry.held = !direct && manualPersist;
    if (auto* write = dynamic_cast<HSSSingleWriteCmd*>(command)) {
        entry.address = write->getAddress();
        entry.value = write->getPayload();
    } else if (auto* crc = dynamic_cast<HSSSetCRCIOCTLCmd*>(command)) {
        entry.crcSwitch = crc->isEnable();
    } else if (auto* gpio = dynamic_cast<HSSWriteGPIOCTLCmd*>(command)) {
        entry.gpioWrite = std::make_pair(gpio->getGPIOIndex(), gpio->getState());
    }
    sent.push_back(entry);
    if (!entry.held)
        board->setFeature(command->getCommandData(), board->featureReportLength());
}

void FakeEditorHost::sendRawWriteGUIResponse(HSSCommand* command) { apply(command, false); }

void FakeEditorHost::queueHSSCommand(HSSCommand* command) { apply(command, true); }

void FakeEditorHost::updateMainGUIFromSelection()
{
    ++rereads;
    readBack();
}

bool FakeEditorHost::isWindowThread() const { return handOver->onWindowThread(); }

void FakeEditorHost::runOnWindowThreadBlocking(std::function<void()> task)
{
    if (shuttingDown)
        return;
    handOver->runBlocking(std::move(task));
}

void FakeEditorHost::identify()
{
    const uint16_t devid = board->peekRegister(0x00);
    const HSSPartInfo* part = hss::findPartByDevID(devid);
    family = part != nullptr ? part->family : HSS_FAMILY_NONE;
    record16.setDevID(devid);
    record18.setDevID(devid);
    editor->updateDefaultEnumerations(devid);
    readBack();
}

void FakeEditorHost::readBack()
{
    if (family == HSS_FAMILY_NONE)
        return;
    editor->updateDefaultEnumerations(family == HSS_FAMILY_18PWP ? record18.getDevID() : record16.getDevID());
    for (const auto& list : hss::readBackLists(family)) {
        for (uint8_t address : list) {
            const uint16_t value = board->peekRegister(address);
            if (family == HSS_FAMILY_18PWP)
                hss::storeEighteenPWPReadBack(record18, address, value);
            else
                hss::storeSixteenPWPReadBack(record16, address, value);
        }
    }
    if (family == HSS_FAMILY_18PWP)
        editor->updateEighteenGuiFromConfig(true);
    else
        editor->updateSixteenGuiFromConfig(true);
}

}  // namespace editortest
