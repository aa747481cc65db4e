// The application log, the register console, held-back writes and the
// test-mode reveal sequence.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTime>

#include <array>

#include "app/ReplyDispatcher.h"
#include "app/WindowThreadHandOver.h"
#include "device/ConfigReadBack.h"
#include "link/HSSCommunicationManager.h"
#include "protocol/HSSProtocol.h"
#include "ui/AutoConfigurationGui.h"
#include "ui/console/ConsoleCommand.h"
#include "ui/console/LogView.h"
#include "ui/files/DemoMode.h"
#include "ui/pages/ConsolePage.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/registers/RegisterMapPage.h"

namespace {

const QString kPersistPending = QStringLiteral("*Persist Pending*");

// Up Up Down Down Left Right Left Right K C, then Enter.
constexpr std::array<int, 11> kTestModeSequence{Qt::Key_Up,    Qt::Key_Up,   Qt::Key_Down,  Qt::Key_Down,
                                                Qt::Key_Left,  Qt::Key_Right, Qt::Key_Left, Qt::Key_Right,
                                                Qt::Key_K,     Qt::Key_C,     Qt::Key_Return};

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void appendLine(QPlainTextEdit* box, const QString& line)
{
    // appendPlainText starts a new block: the box shows one line per entry,
    // the CR LF of the stored text is implied by the block structure.
    box->appendPlainText(line);
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
}

}  // namespace

QString AutoConfigurationGui::timeStamp() const
{
    const QTime now = logClock();
    int hour = now.hour() % 12;
    if (hour == 0) hour = 12;
    return QStringLiteral("[%1:%2:%3] ")
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(now.minute(), 2, 10, QLatin1Char('0'))
        .arg(now.second(), 2, 10, QLatin1Char('0'));
}

void AutoConfigurationGui::logMessageToWindow(const QString& format, const QStringList& args)
{
    if (!handOver->onWindowThread()) {
        onWindowThread([&] { logMessageToWindow(format, args); });
        return;
    }
    if (demoModeToolStripMenuItem->isChecked()) return;

    // "{0}", "{1}" ... replaced in one pass, so an argument that itself
    // contains "{1}" is not expanded again.
    QString message;
    for (int i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('{')) {
            const int close = format.indexOf(QLatin1Char('}'), i + 1);
            bool isNumber = false;
            const int index = close > i ? format.mid(i + 1, close - i - 1).toInt(&isNumber) : -1;
            if (isNumber && index >= 0 && index < args.size()) {
                message += args[index];
                i = close;
                continue;
            }
        }
        message += format[i];
    }

    logView->append(timeStamp() + message);
    if (!manualPersistEnableCheckBox->isChecked() && dirtyPersist) {
        if (!commandStatusLabel->text().contains(kPersistPending)) {
            commandStatusLabel->setText(commandStatusLabel->text() + kPersistPending);
        }
    } else {
        commandStatusLabel->setText(message);
    }
    emit logLineAppended(message);
}

void AutoConfigurationGui::sendRawWriteGUIResponse(HSSCommand* command)
{
    // Demo edits reach no chip and are not held for one either.
    if (demo && demo->isActive()) {
        delete command;
        return;
    }
    if (!manualPersistEnabled) {
        queueHSSCommand(command);
        return;
    }
    // Held back: the record keeps the edit, a manual persist writes it.
    delete command;
    holdRecordForPersist();
}

void AutoConfigurationGui::holdRecordForPersist()
{
    heldEditsFamily = curDeviceFamily.load();
    dirtyPersist = true;
    auto mark = [this] {
        if (!commandStatusLabel->text().contains(kPersistPending)) {
            commandStatusLabel->setText(commandStatusLabel->text() + kPersistPending);
        }
        showPersistAndRefreshState();
    };
    if (handOver->onWindowThread()) {
        mark();
    } else {
        onWindowThread(mark);
    }
}

void AutoConfigurationGui::appendConsoleLine(const QString& line)
{
    appendLine(console->commandLogBox, line);
}

void AutoConfigurationGui::sendCommandButton_Click()
{
    const QString text = console->commandBox->text();
    const ConsoleCommand command = parseConsoleCommand(text);
    switch (command.kind) {
    case ConsoleCommand::Kind::Error:
        appendConsoleLine(command.errorText);
        return;
    case ConsoleCommand::Kind::Read:
        // The result line comes with the reply.
        queueHSSCommand(new ConsoleReadCmd(command.address, context::kRawRead));
        break;
    case ConsoleCommand::Kind::Write:
        queueHSSCommand(new HSSSingleWriteCmd(command.address, command.value));
        appendConsoleLine(timeStamp() + QStringLiteral("WRITE REGISTER: 0x") + command.addressText + QStringLiteral(" 0x") +
                          command.dataText);
        readBackAfterConsoleWrite(command.address, command.addressText);
        break;
    }

    QComboBox* history = console->cmdHistoryBox;
    if (history->currentIndex() < 0 || history->itemText(history->currentIndex()) != text) {
        const bool wasSuppressed = dontRunEvents.exchange(true);
        history->addItem(text);
        history->setCurrentIndex(history->count() - 1);
        dontRunEvents = wasSuppressed;
    }
}

// The record and the pages follow what the chip now holds: the read-back of
// a page change, queued after the write, so it answers with the written value.
void AutoConfigurationGui::readBackAfterConsoleWrite(uint8_t address, const QString& addressText)
{
    const hss_device_family_t family = curDeviceFamily;
    if (!commManager || !commManager->isHSSDetected() || !hss::readBackStores(family, address)) return;
    if (editsHeldFor(family)) {
        appendConsoleLine(QStringLiteral("Register 0x") + addressText +
                          QStringLiteral(" is not read back: the pages keep the edits held for the next persist, "
                                         "which writes them over it."));
        return;
    }
    updateMainGUIFromSelection();
}

void AutoConfigurationGui::cmdHistoryBox_SelectedIndexChanged(int index)
{
    if (dontRunEvents || index < 0) return;
    console->commandBox->setText(console->cmdHistoryBox->itemText(index));
}

// The 18-pin page has its own CRC box; the result line follows the box of the
// family in use, so an 18-pin chip with CRC on shows its CRC byte.
bool AutoConfigurationGui::consoleShowsCrc() const
{
    const QString name = curDeviceFamily == HSS_FAMILY_18PWP ? QStringLiteral("enableCRCBox18")
                                                             : QStringLiteral("enableCRCBox");
    const auto* box = qobject_cast<const QCheckBox*>(configEditor ? configEditor->control(name) : nullptr);
    return box != nullptr && box->isChecked();
}

void AutoConfigurationGui::handleRawReadResponse(HSSSingleReadCmd* command)
{
    if (!handOver->onWindowThread()) {
        onWindowThread([&] { handleRawReadResponse(command); });
        return;
    }
    const bool typed = dynamic_cast<const ConsoleReadCmd*>(command) != nullptr;
    if (command->getAddress() != 0x00 || typed) {
        appendConsoleLine(timeStamp() + consoleReadResultLine(command->getAddress(), command->getPayload(),
                                                              command->getFLT(), command->getCRC(), consoleShowsCrc()));
    }
    if (command->getAddress() == 0x00) handleDeviceIDRead(command->getPayload());
    if (registerMap != nullptr) registerMap->noteRegistersRead({{command->getAddress(), command->getPayload()}});
}

bool AutoConfigurationGui::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == logTextBox && event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) logTextBox_KeyUp(key->key());
    }
    return QMainWindow::eventFilter(watched, event);
}

void AutoConfigurationGui::logTextBox_KeyUp(int key)
{
    if (mainTabControl->indexOf(testModeTab) >= 0) return;
    const int expected = kTestModeSequence[static_cast<std::size_t>(testModeCount)];
    const bool matches = key == expected || (isEnterKey(expected) && isEnterKey(key));
    if (!matches) {
        testModeCount = 0;
        return;
    }
    ++testModeCount;
    if (testModeCount == static_cast<int>(kTestModeSequence.size())) {
        testModeCount = 0;
        mainTabControl->addTab(testModeTab, QStringLiteral("Test Mode"));
    }
}
