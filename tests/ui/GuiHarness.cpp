#include "GuiHarness.h"

#include "ui/console/LogView.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "protocol/HSSConstants.h"

namespace harness {

namespace {

// The application lives from the first window to the end of the test run and
// is destroyed before static destruction begins (Qt must not outlive main).
class ApplicationEnvironment : public ::testing::Environment {
public:
    void TearDown() override { app.reset(); }
    static QApplication& get()
    {
        static int argc = 1;
        static char name[] = "kc-gui-test";
        static char* argv[] = {name, nullptr};
        if (!app) app = std::make_unique<QApplication>(argc, argv);
        return *app;
    }

private:
    static inline std::unique_ptr<QApplication> app;
};

[[maybe_unused]] ::testing::Environment* const applicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

QApplication& application()
{
    return ApplicationEnvironment::get();
}

void spin(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

std::vector<WrittenCommand> writtenCommands(const EmulatedBoard& board)
{
    std::vector<WrittenCommand> commands;
    for (const FeatureTransfer& transfer : board.trace()) {
        if (transfer.kind != FeatureTransfer::Kind::Write || transfer.bytes.size() < hss::kHeaderLength) continue;
        if (transfer.bytes[0] != hss::kCommandReportId) continue;
        WrittenCommand command;
        command.code = transfer.bytes[5];
        const std::size_t length = std::size_t(transfer.bytes[6]) | (std::size_t(transfer.bytes[7]) << 8);
        const std::size_t end = std::min(transfer.bytes.size(), hss::kHeaderLength + length);
        command.payload.assign(transfer.bytes.begin() + hss::kHeaderLength, transfer.bytes.begin() + long(end));
        command.ok = transfer.ok;
        commands.push_back(std::move(command));
    }
    return commands;
}

std::vector<std::pair<uint8_t, uint16_t>> singleWrites(const EmulatedBoard& board)
{
    std::vector<std::pair<uint8_t, uint16_t>> writes;
    for (const WrittenCommand& c : writtenCommands(board)) {
        if (c.code == hss::kCmdSingleWrite && c.ok && c.payload.size() >= 3) {
            writes.emplace_back(c.payload[0], uint16_t(c.payload[1] | (c.payload[2] << 8)));
        }
    }
    return writes;
}

std::vector<uint8_t> singleReads(const EmulatedBoard& board)
{
    std::vector<uint8_t> reads;
    for (const WrittenCommand& c : writtenCommands(board)) {
        if (c.code == hss::kCmdSingleRead && c.ok && !c.payload.empty()) reads.push_back(c.payload[0]);
    }
    return reads;
}

std::vector<std::pair<uint8_t, uint8_t>> serviceRequests(const EmulatedBoard& board)
{
    std::vector<std::pair<uint8_t, uint8_t>> requests;
    for (const WrittenCommand& c : writtenCommands(board)) {
        if (c.code == hss::kCmdIoctl && c.ok && c.payload.size() >= 2) requests.emplace_back(c.payload[0], c.payload[1]);
    }
    return requests;
}

Gui::Gui(std::optional<uint16_t> devid, bool plugged, uint16_t firmware)
{
    application();
    BoardSetup setup = makeEmulatedBoardSetup(devid);
    emulated = setup.emulatedBoard;
    emulated->setFirmwareVersion(firmware);
    if (!plugged) emulated->unplug();
    gui = std::make_unique<AutoConfigurationGui>(std::move(setup));
    gui->show();
}

Gui::~Gui()
{
    gui->close();
    gui.reset();
}

QString Gui::logText()
{
    gui->logView->flushPendingLines();
    return find<QPlainTextEdit>("logTextBox")->toPlainText();
}

QStringList Gui::tabTexts()
{
    auto* tabs = find<QTabWidget>("mainTabControl");
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
    return texts;
}

bool Gui::waitConnected()
{
    return waitUntil([this] { return find<QLabel>("connectionLabel")->text() == QStringLiteral("Connected"); });
}

bool Gui::chipControlsOn()
{
    return find<QWidget>("commandCenterPageControls")->isEnabled();
}

bool Gui::waitDetected()
{
    return waitUntil([this] { return chipControlsOn(); });
}

void Gui::sendConsoleCommand(const QString& text)
{
    find<QLineEdit>("commandBox")->setText(text);
    find<QPushButton>("sendCommandButton")->click();
}

}  // namespace harness
