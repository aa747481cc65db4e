#pragma once
// Whole-stack test harness: the real window, offscreen, on the in-process
// emulated board. Controls are found by objectName; what reached the board is
// read from the emulator's transfer trace and registers.

#include "emulator/EmulatedBoard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTabWidget>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "app/BoardSetupFactory.h"
#include "ui/AutoConfigurationGui.h"
#include "ui/seam/DialogSeam.h"

namespace harness {

QApplication& application();

// Processes events until done() holds or timeoutMs passes; returns done().
template <typename Done>
bool waitUntil(Done done, int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Keeps the event loop running for ms (to let periodic workers cycle).
void spin(int ms);

// One command report the tool wrote, decoded.
struct WrittenCommand {
    uint8_t code = 0;
    std::vector<uint8_t> payload;  // as long as the header's payload length says
    bool ok = false;
};
std::vector<WrittenCommand> writtenCommands(const EmulatedBoard& board);

// Single writes (code 1) as (address, value) pairs, in order.
std::vector<std::pair<uint8_t, uint16_t>> singleWrites(const EmulatedBoard& board);
// Addresses of single reads (code 4), in order.
std::vector<uint8_t> singleReads(const EmulatedBoard& board);
// Board-service requests (code 6) as their sub-code and first argument.
std::vector<std::pair<uint8_t, uint8_t>> serviceRequests(const EmulatedBoard& board);

// Answers every message box with the next queued answer, else its default
// button, and records it.
struct RecordedMessage {
    QMessageBox::Icon icon;
    QString caption;
    QString text;
};
class MessageRecorder : public DialogSeam::Responder {
public:
    MessageRecorder() { DialogSeam::setResponder(this); }
    ~MessageRecorder() override { DialogSeam::setResponder(nullptr); }
    QMessageBox::StandardButton onMessage(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton def) override
    {
        messages.push_back({icon, caption, text});
        if (!answers.empty()) {
            const QMessageBox::StandardButton answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return DialogSeam::defaultButtonOf(buttons, def);
    }
    // File dialogs return the queued paths in order, then cancel.
    QString onFileDialog(bool, const QString&, const QString& filter) override
    {
        filters << filter;
        if (files.empty()) return {};
        const QString path = files.front();
        files.pop_front();
        return path;
    }
    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
    std::vector<RecordedMessage> messages;
    std::deque<QString> files;
    std::deque<QMessageBox::StandardButton> answers;
    QStringList filters;
};

class Gui {
public:
    // devid nullopt: the board has no daughter card. plugged false: the
    // board is absent at start.
    explicit Gui(std::optional<uint16_t> devid = EmulatedBoard::kDefaultDeviceId, bool plugged = true,
                 uint16_t firmware = EmulatedBoard::kDefaultFirmwareVersion);
    ~Gui();

    AutoConfigurationGui& window() { return *gui; }
    EmulatedBoard& board() { return *emulated; }

    template <typename T>
    T* find(const char* name)
    {
        if (QString::fromLatin1(name) == gui->objectName()) return qobject_cast<T*>(gui.get());
        return gui->findChild<T*>(QString::fromLatin1(name));
    }

    // Lines of a burst still waiting for their merged insert included.
    QString logText();
    QString consoleText() { return find<QPlainTextEdit>("commandLogBox")->toPlainText(); }
    QStringList tabTexts();
    // Waits for "Connected" (the first cycle that opens the board).
    bool waitConnected();
    // The controls that talk to the chip are on (a part is identified, or
    // demo mode); the pages themselves stay open without them.
    bool chipControlsOn();
    // Waits until a part is identified.
    bool waitDetected();
    // Types into the console and presses "Send".
    void sendConsoleCommand(const QString& text);

private:
    std::shared_ptr<EmulatedBoard> emulated;
    std::unique_ptr<AutoConfigurationGui> gui;
};

}  // namespace harness
