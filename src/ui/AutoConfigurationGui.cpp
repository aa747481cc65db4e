// Construction, start-up and shutdown of the window.

#include "ui/AutoConfigurationGui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QSocketNotifier>
#include <QUrl>

#include <thread>

#include "KcVersion.h"
#include "app/PeriodicWorker.h"
#include "app/WindowThreadHandOver.h"
#include "link/HSSCommunicationManager.h"
#include "ui/Resources.h"
#include "ui/WindowThreadWait.h"
#include "ui/files/DemoMode.h"
#include "ui/files/SettingsFileCommands.h"
#include "ui/safety/SafetyView.h"
#include "ui/sense/SenseMonitor.h"
#include "ui/pages/FamilyPages.h"
#include "ui/tuner/I2TTuner.h"
#include "ui/widgets/FaultIndicator.h"

AutoConfigurationGui::AutoConfigurationGui(BoardSetup board_, QWidget* parent)
    : QMainWindow(parent), board(std::move(board_)), handOver(std::make_unique<WindowThreadHandOver>())
{
    setObjectName(QStringLiteral("AutoConfigurationGui"));
    setWindowTitle(QStringLiteral("Keldor Configurator - v") + QLatin1String(kc::kVersion));
    setWindowIcon(resources::appIcon());
    urlOpener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    logClock = [] { return QTime::currentTime(); };
    buildWindow();
    buildFileCommands();

    // Quitting the application by any path (signal, last window) must stop
    // the workers while the event loop can still answer them.
    if (QCoreApplication::instance()) {
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                [this] { ConfigurationGui_FormClosing(); });
    }
}

AutoConfigurationGui::~AutoConfigurationGui()
{
    joinWorkers();
    // Its handlers call this window as TunerHost, which is gone once the
    // QWidget part deletes the pages (a focused box still reports leaving).
    delete tuner;
    tuner = nullptr;
}

void AutoConfigurationGui::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!loaded) {
        loaded = true;
        AutoConfigurationGui_Load();
    }
}

void AutoConfigurationGui::AutoConfigurationGui_Load()
{
    // 1. Presence watching. A descriptor-driven source (udev) is read on this
    //    thread whenever the descriptor becomes readable.
    if (board.presenceSource) {
        board.presenceSource->start();
        const int fd = board.presenceSource->pollFd();
        if (fd >= 0) {
            presenceNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
            connect(presenceNotifier, &QSocketNotifier::activated, this, [this] {
                if (board.presenceSource) board.presenceSource->onReadable();
            });
        }
    }

    // 2. Defaults, with change events suppressed; family pages put aside.
    populateDefaultValues();

    // 3.-4. Receive queue (a member) and the link, which starts its thread.
    commManager = std::make_unique<HSSCommunicationManager>(std::move(board.deviceLayer));
    commManager->setReceiveQueue(recQueue);
    HSSCommunicationManager::setVerboseMode(true);

    // 5. Workers (the configuration records are members, so they exist already).
    startWorkers();

    // 7. Images.
    loadImages();
    if (!board.description.empty()) {
        logMessageToWindow(QStringLiteral("Board: {0}"), {QString::fromStdString(board.description)});
    }
}

void AutoConfigurationGui::closeEvent(QCloseEvent* event)
{
    ConfigurationGui_FormClosing();
    QMainWindow::closeEvent(event);
}

void AutoConfigurationGui::ConfigurationGui_FormClosing()
{
    if (isShuttingDown.exchange(true)) return;

    // Nothing may start on this thread any more, and workers waiting for it
    // give up now, while the event loop is still running.
    handOver->beginShutdown();
    if (windowWait) windowWait->cancel();  // a paused sequence stops where it is
    for (PeriodicWorker* worker : {connThread.get(), senseThread.get(), faultThread.get(), devidThread.get()}) {
        if (worker) worker->requestStop();
    }
    recQueue.close();  // wakes the dispatch thread
    if (commManager) commManager->closeDevice();
    if (senseMonitor) senseMonitor->shutdown();  // the sense log is written out and closed
    if (presenceNotifier) presenceNotifier->setEnabled(false);
}

void AutoConfigurationGui::joinWorkers()
{
    if (workersJoined) return;
    workersJoined = true;
    ConfigurationGui_FormClosing();

    for (auto* worker : {connThread.get(), senseThread.get(), faultThread.get(), devidThread.get()}) {
        if (worker) worker->join();
    }
    if (recThread && recThread->joinable()) recThread->join();
    if (commManager) commManager->stop();
    if (board.presenceSource) board.presenceSource->stop();
}

bool AutoConfigurationGui::onWindowThread(const std::function<void()>& task)
{
    if (isShuttingDown) return false;
    return handOver->runBlocking(task);
}

void AutoConfigurationGui::queueHSSCommand(HSSCommand* command)
{
    // Demo mode promises that board traffic is ignored: no chip that happens
    // to be attached may receive the demo part's settings.
    if (demo && demo->isActive()) {
        delete command;
        return;
    }
    if (commManager) {
        writeLedger.noteWrite(hss::registersWrittenBy(*command));
        commManager->queueHSSCommand(command);
    } else {
        delete command;  // not loaded yet: there is no link to send it on
    }
}

void AutoConfigurationGui::loadImages()
{
    struct Image {
        const char* path;
        QPixmap* target;
        QImage (*draw)();
    };
    const Image images[] = {
        {"images/redBut.png", &redButton, [] { return resources::drawRedButton(); }},
        {"images/greenBut.png", &greenButton, [] { return resources::drawGreenButton(); }},
        {"images/bandgap.png", &bandGapPic, [] { return resources::drawBandgap(); }},
    };
    for (const Image& image : images) {
        const QString name = QString::fromLatin1(image.path);
        const QString path = resources::findFile(name);
        if (!path.isEmpty() && image.target->load(path)) continue;
        *image.target = QPixmap::fromImage(image.draw());
        logMessageToWindow(QStringLiteral("Image {0} not found; a drawn indicator is used instead."), {name});
    }
    for (FaultIndicator* lamp : findChildren<FaultIndicator*>()) lamp->setImages(redButton, greenButton);
    safetyView->setBandgapPicture(bandGapPic);
}
