#pragma once
// The tool's one window. It owns the board link, both command queues, the
// worker threads and every page. The class is split over several source
// files by concern (layout, menus, console and log, dispatch, connection,
// identification); pages are their own classes under pages/.

#include <QMainWindow>
#include <QPixmap>
#include <QStringList>
#include <QTime>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "app/BoardSetup.h"
#include "app/PollCycles.h"
#include "app/ReplyDispatcher.h"
#include "device/HSSDeviceFamily.h"
#include "device/RegisterWriteLedger.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "link/HSSMessageQueue.h"
#include "ui/editor/EditorHost.h"
#include "ui/faults/FaultHost.h"
#include "ui/files/FilesHost.h"
#include "ui/registers/RegisterPageHost.h"
#include "ui/tuner/TunerHost.h"
#include "ui/safety/SafetyHost.h"
#include "ui/sense/SenseHost.h"

class ConfigurationEditor;
class I2TTuner;
class DemoMode;
class FaultView;
class WindowThreadWait;
class SettingsFileCommands;
class HSSCommunicationManager;
class PeriodicWorker;
class WindowThreadHandOver;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSocketNotifier;
class QStatusBar;
class QTabWidget;
class QTextBrowser;
class QWidget;
class QCheckBox;
class QListWidget;
class CommandCenterPage;
class ConsolePage;
class LogView;
class EmulatedBoardWindow;
class FamilyPages;
class SafetyPage;
class SafetyView;
class SleepMode;
class TestModeView;
class SenseMonitor;
class RegisterMapPage;

class AutoConfigurationGui : public QMainWindow,
                             private ReplyHandlers,
                             public EditorHost,
                             public FaultHost,
                             public FilesHost,
                             public TunerHost,
                             public SenseHost,
                             public SafetyHost,
                             public RegisterPageHost {
    Q_OBJECT

public:
    explicit AutoConfigurationGui(BoardSetup board, QWidget* parent = nullptr);
    ~AutoConfigurationGui() override;

    // Start-up sequence; runs once, on the first show (the window-load event).
    void AutoConfigurationGui_Load();
    // Shutdown, first half: stop everything that could touch the window.
    // Runs from the close handler, "Exit", and when the application quits.
    void ConfigurationGui_FormClosing();
    // Shutdown, second half: join every thread. Runs from the destructor.
    void joinWorkers();

    // --- log window and register console -----------------------------------
    // Appends "[hh:mm:ss] message" ({0}, {1} ... replaced by args) to the log.
    void logMessageToWindow(const QString& format, const QStringList& args = {});
    // Takes ownership of a write built by an edit handler: queued at once, or
    // held back (deleted) while manual persist is on.
    void sendRawWriteGUIResponse(HSSCommand* command);
    void sendCommandButton_Click();
    // "[hh:mm:ss] " from logClock, 12-hour clock without AM/PM.
    QString timeStamp() const;

    // --- board link and state ------------------------------------------------
    HSSCommunicationManager* link() const { return commManager.get(); }
    void queueHSSCommand(HSSCommand* command);
    void updateConnectionStatus();
    void updateVerString();

    // --- identification and read-back (chip model) ---------------------------
    void handleDeviceIDRead(uint16_t code);
    void updateTabsFromFamily();
    void updateMainGUIFromSelection();
    void rawWriteFromConfig();
    void saveToEEPROMToolStripMenuItem_Click();
    // Box 0 .. 7 of "User Registers": Enter writes it, leaving it writes a change.
    void userReg_Leave(std::size_t box, bool enter);
    // Stores, logs and writes (or holds) one of the eight boxes' registers.
    void writeUserRegister(std::size_t box, uint16_t value);
    void refreshUserRegisterBoxes();

    // --- configuration editor (option lists and refresh) ----------------------
    void updateDefaultEnumerations(uint16_t code);
    void updateSixteenGuiFromConfig(bool suppressEvents);
    void updateEighteenGuiFromConfig(bool suppressEvents);

    // The chip's configuration as the tool knows it (internally locked:
    // written by the dispatch thread, read by the window thread).
    ZVRxQxx16PINConfiguration sixteenPWPFuseConfig;
    ZVRxQxx18PINConfiguration eighteenPWPFuseConfig;
    // Register writes queued by the window, so that a read-back answered
    // after a write of its registers does not undo the write in the record.
    hss::RegisterWriteLedger writeLedger;

    // --- EditorHost (AutoConfigurationGui_EditorHooks.cpp) --------------------
    // sendRawWriteGUIResponse, queueHSSCommand and updateMainGUIFromSelection
    // above complete the interface.
    bool eventsSuppressed() const override;
    void setEventsSuppressed(bool on) override;
    hss_device_family_t deviceFamily() const override;
    ZVRxQxx16PINConfiguration& sixteenPinRecord() override;
    ZVRxQxx18PINConfiguration& eighteenPinRecord() override;
    void logEditorLine(const QString& line) override;
    bool isDemoMode() const override;
    bool shutdownStarted() const override;
    bool isWindowThread() const override;
    void runOnWindowThreadBlocking(std::function<void()> task) override;
    bool waitOnWindowThread(std::chrono::milliseconds duration) override;
    QTabWidget* tabControl() override;
    QWidget* datasheetTabPage() override;
    // Fills the editor pages (a child of the window).
    void buildEditor();
    ConfigurationEditor* configEditor = nullptr;

    // --- FaultHost (AutoConfigurationGui_Faults.cpp) --------------------------
    // The names shared with EditorHost complete the interface.
    bool isSafetyPart() const override;
    void logFaultLine(const QString& line) override;
    void setFaultPollStopped(bool stopped) override;
    void showLowPowerModeActive(hss_device_family_t family) override;
    // Fault lamps, statistics, fault reading mode, FAULT pin (a child of the window).
    void buildFaultView();
    FaultView* faultView = nullptr;
    // The one way to pause on the window thread (latch reset, sleep and
    // test-mode entry): the window keeps painting, user input waits.
    WindowThreadWait* windowWait = nullptr;

    // --- TunerHost (AutoConfigurationGui_EditorHooks.cpp) ---------------------
    // The event guard, family and log above complete the interface.
    std::span<const double> i2tTripValues() const override;
    // The I2T tuner's charts on the tuner pages (a child of the window);
    // after buildEditor, whose tuning controls it reads.
    void buildTuner();
    I2TTuner* tuner = nullptr;

    // --- FilesHost (AutoConfigurationGui_Files.cpp) ---------------------------
    // The shared names above (family, records, demo flag, event guard)
    // complete the interface.
    bool partIdentified() const override;
    bool manualPersistOn() const override;
    bool persistPending() const override;
    void setPersistPending(bool pending) override;
    // Also the held-back path of sendRawWriteGUIResponse (any thread).
    void holdRecordForPersist() override;
    void writeConfigToChip() override;
    void logLine(const QString& format, const QStringList& args = {}) override;
    void refreshEditorFromRecord(hss_device_family_t family) override;
    void identifyPart(uint16_t code) override;
    void reloadOptionLists(uint16_t code) override;
    void showFamilyPages() override;
    void setDeviceFamily(hss_device_family_t family) override;
    void setDetectionPaused(bool paused) override;
    bool boardConnected() const override;
    // Switches the menu items and controls on and off by what is there now:
    // board, identified chip, demo mode.
    void showAvailability() override;
    // Settings files, export and demo mode, wired to their menu items.
    void buildFileCommands();
    std::unique_ptr<SettingsFileCommands> settingsFiles;
    std::unique_ptr<DemoMode> demo;

    // --- SenseHost (AutoConfigurationGui_Sense.cpp) ----------------------------
    // The shared names above complete the interface.
    bool currentSenseEnabled() const override;
    void setCurrentSenseEnabled(bool on) override;
    void rescaleCurrentLists(double senseResistorOhms) override;
    // The live sense monitor on the Command Center (a child of the window).
    void buildSenseMonitor();
    SenseMonitor* senseMonitor = nullptr;

    // --- SafetyHost (AutoConfigurationGui_Safety.cpp) -------------------------
    // The shared names above complete the interface.
    bool faultPollStopped() const override;
    bool detectionPaused() const override;
    void stopSenseForSleep() override;
    void clearChannelEnableList() override;
    // The "Safety" and "Test Mode" views and the sleep sequence (children of
    // the window); sleepModeButton joins the editor's "Quick Commands".
    void buildSafetyViews();
    SafetyView* safetyView = nullptr;
    TestModeView* testModeView = nullptr;
    SleepMode* sleepMode = nullptr;
    QPushButton* sleepModeButton = nullptr;

    // --- RegisterPageHost (AutoConfigurationGui_Registers.cpp) -----------------
    // The shared names above complete the interface.
    std::optional<double> enteredSenseResistor() const override;
    bool editRegisterField(hss_device_family_t family, const hss::regmap::FieldInfo& field, uint8_t address,
                           uint16_t value) override;
    std::optional<hss::files::SettingsFileContents> readSettingsForCompare(const QString& path) override;
    void applySettingsFile(const QString& path) override;
    // The "Registers" page (a page of the tab control).
    void buildRegisterMapPage();
    RegisterMapPage* registerMap = nullptr;
    // The sense resistor the user entered, once one is.
    std::optional<double> senseResistorEntered;

    // --- menu actions ----------------------------------------------------------
    void exitToolStripMenuItem_Click();
    void aboutToolStripMenuItem_Click();
    void enabledToolStripMenuItem_Click(bool checked);
    void manualPersistToolStripMenuItem_Click();
    void manualRefreshToolCheck_CheckStateChanged(bool checked);
    void manualRefreshToolStripMenuItem_Click();
    void enterDFUModeToolStripMenuItem_Click();
    void persistToDeviceFlashToolStripMenuItem_Click();
    void loadFromDeviceFlashToolStripMenuItem_Click();
    void eraseMCUFlashToolStripMenuItem_Click();
    void mainTabControl_SelectedIndexChanged(int index);
    void safetyTabControl_SelectedIndexChanged(int index);

    // How "About" and links open a document; tests replace it.
    std::function<bool(const QUrl&)> urlOpener;
    // The clock of the log's time stamps (the wall clock); tests set it.
    std::function<QTime()> logClock;

    // --- shared flags (read by worker threads) --------------------------------
    std::atomic<bool> isShuttingDown{false};
    std::atomic<bool> dontRunEvents{false};
    std::atomic<bool> pauseDeviceDetection{false};
    std::atomic<bool> manualUpdateEnabled{false};
    std::atomic<bool> manualRefreshEnabled{false};
    std::atomic<bool> isCurrentSenseEnabled{false};
    std::atomic<bool> isSafetyDevice{false};
    std::atomic<bool> manualPersistEnabled{false};
    std::atomic<bool> dirtyPersist{false};
    // The family whose record holds the held edits (set with dirtyPersist).
    std::atomic<hss_device_family_t> heldEditsFamily{HSS_FAMILY_NONE};
    std::atomic<hss_device_family_t> curDeviceFamily{HSS_FAMILY_NONE};
    std::atomic<uint16_t> evmFirmwareVersion{0};

    // Run-time images (a drawn indicator stands in for a missing file).
    QPixmap redButton, greenButton, bandGapPic;

    // The window's first size: the design size, or less on a smaller screen
    // (available area less the window frame).
    static QSize initialWindowSize(const QSize& available, const QSize& frame);

    // Status-bar fields of the persist and refresh modes (after any change
    // of manualPersistEnabled, dirtyPersist or manualRefreshEnabled).
    void showPersistAndRefreshState();
    // What the Command Center's empty chart region says (no board, no chip).
    void showEmptyState();
    // Every value label back to "not read" (a part came or went).
    void showValuesUnknown();

    // The board this window was started with (emulated board, description).
    const BoardSetup& boardSetup() const { return board; }

    // Pages kept aside while not shown (all fourteen, in creation order).
    QWidget* commandCenterPage = nullptr;
    QWidget* fuseTunerPage16pwp = nullptr;
    QWidget* devSettingPage16pwp = nullptr;
    QWidget* chanSettingsPage16pwp = nullptr;
    QWidget* fuseTunerPage18pwp = nullptr;
    QWidget* devSettingPage18pwp = nullptr;
    QWidget* chanSettingsPage18pwp = nullptr;
    QWidget* consolePage = nullptr;
    QWidget* logPage = nullptr;
    QWidget* safetyTab16pwp = nullptr;
    QWidget* testModeTab = nullptr;
    QWidget* datasheetTab = nullptr;
    QWidget* userDataTab = nullptr;
    QWidget* registerMapPage = nullptr;

signals:
    // Every line appended to the log window, without its time stamp.
    void logLineAppended(const QString& lineWithoutTimeStamp);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ReplyHandlers (called on the dispatch thread).
    void handleRawReadResponse(HSSSingleReadCmd* command) override;
    void handle16PWPConfigResp(HSSMixReadCmd* command) override;
    void handle16PWPFaultResp(HSSMixReadCmd* command) override;
    void handleFirmwareVersion(uint16_t version) override;
    void handleGPIOResp(HSSReadGPIOCTLCmd* command) override;
    void updateCurrentSenseGUI(HSSPollReadCmd* command) override;
    void handle18PWPConfigResp(HSSMixReadCmd* command) override;
    void handle18PWPFaultResp(HSSMixReadCmd* command) override;
    void handle16PWPSafetyRead(uint16_t value) override;
    void handleTestModeRead24PWP(HSSSingleReadCmd* command) override;
    void handleRegisterMapRead(HSSMixReadCmd* command) override;
    // Tells the "Registers" page what a reply read (any thread).
    void noteRegistersRead(const HSSMixReadCmd& command);

    // Runs task on the window thread and waits; false once shutting down.
    bool onWindowThread(const std::function<void()>& task);

    // Layout (AutoConfigurationGui_Layout.cpp).
    void buildWindow();
    void buildDetectedDeviceGroup(QWidget* parent);
    void buildStatusBar();
    void buildTabs();
    void buildMenus();
    void populateDefaultValues();
    void loadImages();

    // Console and log (AutoConfigurationGui_Console.cpp).
    void appendConsoleLine(const QString& line);
    void readBackAfterConsoleWrite(uint8_t address, const QString& addressText);
    void cmdHistoryBox_SelectedIndexChanged(int index);
    void logTextBox_KeyUp(int key);
    bool consoleShowsCrc() const;

    // Connection (AutoConfigurationGui_Connection.cpp).
    void startWorkers();
    // The periodic workers' loops; each ends when its worker is stopped or
    // the window is closing.
    void connectionThreadFunction();
    void senseReadFunctionThread();
    void faultReadFunctionThread();
    void devIDReadFunctionThread();
    PollLink pollLink();
    PollFlags pollFlags() const;
    // Chip controls (the settings regions, sampling, user registers, self-test
    // and test-mode actions) and the console's sending (AutoConfigurationGui_Availability.cpp).
    void showPageAvailability(bool chipControls, bool boardOpen, const QString& whyNot);

    // Identification steps (AutoConfigurationGui_Device.cpp).
    void showPartLost(const QString& name, const QString& description);
    void showPartFound(uint16_t code, const QString& name, const QString& description, bool crcOn);
    void showPrototype(uint16_t code, const QString& name, const QString& description);
    void buildUserRegisterPage();
    void setSafetyPageShown(bool shown);

    // Held edits (manual persist). While the family's edits are held, the
    // automatic re-reads show the record instead of reading the chip, and
    // read-back replies leave the record alone.
    bool editsHeldFor(hss_device_family_t family) const;
    void showRecordInEditor(hss_device_family_t family);
    // Before an explicit read over held edits: asks whether to discard them.
    // True when nothing is held or the user said Yes (the edits are then
    // dropped from the pending state).
    bool heldEditsMayBeReplaced();

    BoardSetup board;
    std::unique_ptr<FamilyPages> familyPagesOwner;  // the pages themselves belong to the tab control
    // The code whose detection is shown (window thread only).
    std::optional<uint16_t> shownDevId;
    std::unique_ptr<WindowThreadHandOver> handOver;
    HSSMessageQueueWrapper recQueue;
    std::unique_ptr<HSSCommunicationManager> commManager;
    std::unique_ptr<PeriodicWorker> connThread, senseThread, faultThread, devidThread;
    std::unique_ptr<std::thread> recThread;
    QSocketNotifier* presenceNotifier = nullptr;
    bool loaded = false;
    bool workersJoined = false;
    int testModeCount = 0;

public:
    // Controls (every one carries its name as objectName).
    QMenuBar* menuStrip1 = nullptr;
    QMenu* fileToolStripMenuItem = nullptr;
    QAction* saveSettingsToolStripMenuItem = nullptr;
    QAction* loaToolStripMenuItem = nullptr;
    QAction* exitToolStripMenuItem = nullptr;
    QMenu* toolsToolStripMenuItem = nullptr;
    QAction* enterDFUModeToolStripMenuItem = nullptr;
    // "Emulated Board" (Tools): only while running on the emulated board.
    QAction* emulatedBoardToolStripMenuItem = nullptr;
    EmulatedBoardWindow* emulatedBoardWindow = nullptr;
    QMenu* settingsToolStripMenuItem = nullptr;
    QMenu* autoPersistRefreshSettingsToolStripMenuItem = nullptr;
    QAction* manualPersistEnableCheckBox = nullptr;
    QAction* manualRefreshToolCheck = nullptr;
    QAction* manualPersistToolStripMenuItem = nullptr;
    QAction* manualRefreshToolStripMenuItem = nullptr;
    QMenu* flashPersistToolStripMenuItem = nullptr;
    QAction* persistToDeviceFlashToolStripMenuItem = nullptr;
    QAction* loadFromDeviceFlashToolStripMenuItem = nullptr;
    QAction* eraseMCUFlashToolStripMenuItem = nullptr;
    QMenu* eEPROMToolStripMenuItem = nullptr;
    QAction* saveToEEPROMToolStripMenuItem = nullptr;
    QMenu* exportToolStripMenuItem = nullptr;
    QAction* cStructToolStripMenuItem = nullptr;
    QMenu* helpToolStripMenuItem = nullptr;
    QAction* demoModeToolStripMenuItem = nullptr;
    QAction* aboutToolStripMenuItem = nullptr;

    QGroupBox* detDeviceGroupBox = nullptr;
    QLabel* devLabel = nullptr;
    QLabel* devDesc = nullptr;
    QLabel* firmwareRevisionLabel = nullptr;
    QLabel* demoPartLabel = nullptr;
    QComboBox* demoPartBox = nullptr;

    QTabWidget* mainTabControl = nullptr;

    QStatusBar* statusStrip1 = nullptr;
    QLabel* connectionStatusLabel = nullptr;
    QLabel* connectionLabel = nullptr;
    QLabel* inputVoltageDescStripLabel = nullptr;
    QLabel* inputVoltageValueLabel = nullptr;
    QLabel* toolStatusLabel = nullptr;
    QLabel* persistStateLabel = nullptr;
    QLabel* refreshStateLabel = nullptr;
    QLabel* commandStatusLabel = nullptr;

    CommandCenterPage* commandCenter = nullptr;
    ConsolePage* console = nullptr;
    FamilyPages* familyPages = nullptr;
    SafetyPage* safety = nullptr;
    QPlainTextEdit* logTextBox = nullptr;
    LogView* logView = nullptr;  // the "Log" tab around logTextBox
    QTextBrowser* datasheetBrowser = nullptr;
    // tsnsUserBox1Hex, tsnsUserBox2Hex, userBox52Hex .. userBox57Hex.
    std::array<QLineEdit*, 8> userRegisterBoxes{};
};
