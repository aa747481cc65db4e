#pragma once
// A stand-in for the main window: the editor's pages on plain widgets, its
// writes applied to an emulated board through the board's own command
// reports, and every log line and command kept for the test to inspect.

// The emulator comes first: Qt's "slots" keyword macro would otherwise
// rewrite one of its member names.
#include "emulator/EmulatedBoard.h"

#include <QApplication>

#include <atomic>
#include <QStringList>
#include <QTabWidget>

#include <memory>
#include <optional>
#include <vector>

#include "app/WindowThreadHandOver.h"
#include "ui/WindowThreadWait.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/editor/EditorHost.h"
#include "ui/pages/FamilyPages.h"

namespace editortest {

QApplication& application();

// One command the editor handed over.
struct SentCommand {
    bool direct = false;            // queueHSSCommand (else sendRawWriteGUIResponse)
    bool held = false;              // dropped under manual persist
    std::optional<uint8_t> address;  // single writes
    uint16_t value = 0;
    std::optional<bool> crcSwitch;  // HSSSetCRCIOCTLCmd
    std::optional<std::pair<uint8_t, bool>> gpioWrite;  // HSSWriteGPIOCTLCmd
};

class FakeEditorHost : public EditorHost {
public:
    // devid of the part fitted to the emulated board; the family follows it.
    explicit FakeEditorHost(uint16_t devid);
    ~FakeEditorHost() override;

    // EditorHost.
    bool eventsSuppressed() const override { return guard; }
    void setEventsSuppressed(bool on) override { guard = on; }
    hss_device_family_t deviceFamily() const override { return family; }
    ZVRxQxx16PINConfiguration& sixteenPinRecord() override { return record16; }
    ZVRxQxx18PINConfiguration& eighteenPinRecord() override { return record18; }
    void sendRawWriteGUIResponse(HSSCommand* command) override;
    void queueHSSCommand(HSSCommand* command) override;
    void logEditorLine(const QString& line) override { log.append(line); }
    bool isDemoMode() const override { return demo; }
    void updateMainGUIFromSelection() override;
    bool shutdownStarted() const override { return shuttingDown; }
    bool isWindowThread() const override;
    void runOnWindowThreadBlocking(std::function<void()> task) override;
    bool waitOnWindowThread(std::chrono::milliseconds duration) override { return windowWait.wait(duration); }
    QTabWidget* tabControl() override { return tabs; }
    QWidget* datasheetTabPage() override { return datasheet; }

    // What identification and a read-back would do: family, lists, record
    // filled from the chip, editor refreshed.
    void identify();
    void readBack();

    template <typename T>
    T* find(const QString& name) const
    {
        return window->findChild<T*>(name);
    }

    std::shared_ptr<EmulatedBoard> board;
    std::unique_ptr<QWidget> window;
    // The window's own hand-over: its locks are visible to ThreadSanitizer.
    std::unique_ptr<WindowThreadHandOver> handOver;
    WindowThreadWait windowWait;
    QTabWidget* tabs = nullptr;
    QWidget* datasheet = nullptr;
    std::unique_ptr<FamilyPages> familyPages;  // the pages belong to the tab control
    std::unique_ptr<ConfigurationEditor> editor;

    hss_device_family_t family = HSS_FAMILY_NONE;
    bool guard = false;
    bool demo = false;
    bool manualPersist = false;
    std::atomic<bool> shuttingDown{false};
    ZVRxQxx16PINConfiguration record16;
    ZVRxQxx18PINConfiguration record18;
    QStringList log;
    std::vector<SentCommand> sent;
    int rereads = 0;

private:
    void apply(HSSCommand* command, bool direct);
};

}  // namespace editortest
