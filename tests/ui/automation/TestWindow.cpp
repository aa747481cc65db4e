#include "ui/automation/TestWindow.h"

#include "ui/seam/DialogSeam.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

}  // namespace

TestWindow::TestWindow()
{
    setObjectName(QStringLiteral("AutoConfigurationGui"));
    setWindowTitle(QStringLiteral("Automation Test Window"));
    resize(480, 360);
    buildMenus();
    auto* tabs = named(new QTabWidget(this), "mainTabs");
    tabs->addTab(buildFirstPage(), QStringLiteral("First"));
    tabs->addTab(buildSecondPage(), QStringLiteral("Second"));
    tabs->addTab(named(new QWidget, "thirdPage"), QStringLiteral("&Third"));
    connect(tabs, &QTabWidget::currentChanged, this,
            [this](int i) { log(QStringLiteral("tab %1").arg(i)); });
    setCentralWidget(tabs);
}

TestWindow::~TestWindow() { joinWorker(); }

void TestWindow::joinWorker()
{
    if (worker_.joinable())
        worker_.join();
}

void TestWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    QAction* exit = named(file->addAction(QStringLiteral("Exit")), "exitAction");
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* settings = menuBar()->addMenu(QStringLiteral("Settings"));
    settings->setObjectName(QStringLiteral("settingsMenu"));
    QAction* persist = named(settings->addAction(QStringLiteral("Persist")), "persistAction");
    persist->setCheckable(true);
    persist->setChecked(true);
    connect(persist, &QAction::toggled, this,
            [this](bool on) { log(QStringLiteral("persist %1").arg(on ? "on" : "off")); });
    QAction* reset = named(settings->addAction(QStringLiteral("Reset")), "resetAction");
    connect(reset, &QAction::triggered, this, [this] { log(QStringLiteral("reset")); });
    QAction* eeprom = named(settings->addAction(QStringLiteral("Save to EEPROM")), "eepromAction");
    eeprom->setEnabled(false);
    connect(eeprom, &QAction::triggered, this, [this] { log(QStringLiteral("eeprom")); });

    QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("toolsMenu"));
    QAction* dfu = named(tools->addAction(QStringLiteral("Enter DFU Mode")), "dfuAction");
    connect(dfu, &QAction::triggered, this, [this] { log(QStringLiteral("dfu")); });
    QMenu* advanced = tools->addMenu(QStringLiteral("Advanced"));
    advanced->setObjectName(QStringLiteral("advancedMenu"));
    QAction* deep = named(advanced->addAction(QStringLiteral("Deep")), "deepAction");
    connect(deep, &QAction::triggered, this, [this] { log(QStringLiteral("deep")); });
    tools->setEnabled(false);

    // A submenu switched off through its own menu item only.
    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("viewMenu"));
    QMenu* zoom = view->addMenu(QStringLiteral("Zoom"));
    zoom->setObjectName(QStringLiteral("zoomMenu"));
    QAction* zoomIn = named(zoom->addAction(QStringLiteral("Zoom In")), "zoomInAction");
    connect(zoomIn, &QAction::triggered, this, [this] { log(QStringLiteral("zoom in")); });
    zoom->menuAction()->setEnabled(false);
    QAction* fit = named(view->addAction(QStringLiteral("Fit")), "fitAction");
    fit->setCheckable(true);
    connect(fit, &QAction::triggered, this,
            [this](bool on) { log(QStringLiteral("fit triggered %1").arg(on ? "on" : "off")); });
}

QWidget* TestWindow::buildFirstPage()
{
    auto* page = named(new QWidget, "firstPage");
    auto* layout = new QVBoxLayout(page);

    auto* mode = named(new QComboBox, "modeBox");
    mode->addItems({QStringLiteral("Off"), QStringLiteral("Slow"), QStringLiteral("Fast")});
    connect(mode, &QComboBox::currentIndexChanged, this,
            [this](int i) { log(QStringLiteral("mode %1").arg(i)); });
    connect(mode, &QComboBox::activated, this, [this] { ++comboActivatedCount; });
    layout->addWidget(mode);

    auto* enable = named(new QCheckBox(QStringLiteral("Enable")), "enableBox");
    connect(enable, &QCheckBox::toggled, this,
            [this](bool on) { log(QStringLiteral("enable %1").arg(on ? "on" : "off")); });
    layout->addWidget(enable);

    auto* radios = named(new QGroupBox(QStringLiteral("Channel")), "radioGroup");
    auto* radioLayout = new QVBoxLayout(radios);
    auto* radioA = named(new QRadioButton(QStringLiteral("A")), "radioA");
    auto* radioB = named(new QRadioButton(QStringLiteral("B")), "radioB");
    radioA->setChecked(true);
    connect(radioB, &QRadioButton::toggled, this,
            [this](bool on) { log(QStringLiteral("radioB %1").arg(on ? "on" : "off")); });
    radioLayout->addWidget(radioA);
    radioLayout->addWidget(radioB);
    layout->addWidget(radios);

    auto* name = named(new QLineEdit(QStringLiteral("old")), "nameEdit");
    name->setPlaceholderText(QStringLiteral("your name"));
    connect(name, &QLineEdit::textEdited, this, [this] { ++textEditedCount; });
    connect(name, &QLineEdit::editingFinished, this,
            [this, name] { log(QStringLiteral("name %1").arg(name->text())); });
    layout->addWidget(name);

    auto* console = named(new QLineEdit, "consoleBox");
    connect(console, &QLineEdit::returnPressed, this, [this, console] {
        log(QStringLiteral("command %1").arg(console->text()));
        console->clear();
    });
    console->installEventFilter(this);
    layout->addWidget(console);

    auto* level = named(new QSlider(Qt::Horizontal), "levelSlider");
    level->setRange(0, 100);
    connect(level, &QSlider::valueChanged, this,
            [this](int v) { log(QStringLiteral("level %1").arg(v)); });
    connect(level, &QSlider::sliderReleased, this, [this] { ++sliderReleasedCount; });
    layout->addWidget(level);

    auto* apply = named(new QPushButton(QStringLiteral("Apply")), "applyButton");
    connect(apply, &QPushButton::clicked, this, [this] { log(QStringLiteral("applied")); });
    layout->addWidget(apply);

    auto* ask = named(new QPushButton(QStringLiteral("Ask")), "askButton");
    connect(ask, &QPushButton::clicked, this, [this] {
        const auto b = DialogSeam::message(this, QMessageBox::Question, QStringLiteral("Confirm"),
                                           QStringLiteral("Erase \"all\"?\nSure"),
                                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        log(QStringLiteral("answer %1").arg(b == QMessageBox::Yes ? "yes" : b == QMessageBox::No ? "no" : "other"));
    });
    layout->addWidget(ask);

    auto* info = named(new QPushButton(QStringLiteral("Info")), "infoButton");
    connect(info, &QPushButton::clicked, this, [this] {
        const auto b = DialogSeam::message(this, QMessageBox::Information, QStringLiteral("Info"),
                                           QStringLiteral("Done"));
        log(QStringLiteral("info %1").arg(b == QMessageBox::Ok ? "ok" : "other"));
    });
    layout->addWidget(info);

    auto* open = named(new QPushButton(QStringLiteral("Open")), "openButton");
    connect(open, &QPushButton::clicked, this, [this] {
        const QString path = DialogSeam::openFileName(this, QStringLiteral("Open"),
                                                      QStringLiteral("Settings (*.txt)"));
        log(path.isEmpty() ? QStringLiteral("open cancelled") : QStringLiteral("open %1").arg(path));
    });
    layout->addWidget(open);

    auto* save = named(new QPushButton(QStringLiteral("Save")), "saveButton");
    connect(save, &QPushButton::clicked, this, [this] {
        const QString path = DialogSeam::saveFileName(this, QStringLiteral("Save"),
                                                      QStringLiteral("C source (*.c *.h)"));
        log(path.isEmpty() ? QStringLiteral("save cancelled") : QStringLiteral("save %1").arg(path));
    });
    layout->addWidget(save);

    auto* rawMessage = named(new QPushButton(QStringLiteral("Raw message")), "rawMessageButton");
    connect(rawMessage, &QPushButton::clicked, this, [this] {
        const auto b = QMessageBox::warning(this, QStringLiteral("Raw"), QStringLiteral("Not through the seam"),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        log(QStringLiteral("raw answer %1").arg(b == QMessageBox::Yes ? "yes" : b == QMessageBox::No ? "no" : "other"));
    });
    layout->addWidget(rawMessage);

    auto* rawFile = named(new QPushButton(QStringLiteral("Raw file")), "rawFileButton");
    connect(rawFile, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Raw save"), QString(),
                                                          QStringLiteral("Text (*.txt)"), nullptr,
                                                          QFileDialog::DontUseNativeDialog);
        log(path.isEmpty() ? QStringLiteral("raw save cancelled") : QStringLiteral("raw save %1").arg(path));
    });
    layout->addWidget(rawFile);

    auto* locked = named(new QPushButton(QStringLiteral("Locked")), "lockedButton");
    locked->setEnabled(false);
    connect(locked, &QPushButton::clicked, this, [this] { log(QStringLiteral("locked clicked")); });
    layout->addWidget(locked);

    auto* disabledGroup = named(new QGroupBox(QStringLiteral("Off limits")), "disabledGroup");
    auto* groupLayout = new QVBoxLayout(disabledGroup);
    auto* child = named(new QCheckBox(QStringLiteral("Child")), "childBox");
    connect(child, &QCheckBox::toggled, this, [this] { log(QStringLiteral("child toggled")); });
    groupLayout->addWidget(child);
    disabledGroup->setEnabled(false);
    layout->addWidget(disabledGroup);

    auto* status = named(new QLabel(QStringLiteral("Ready")), "statusLabel");
    status->setStyleSheet(QStringLiteral("QLabel { color: green; }"));
    layout->addWidget(status);

    auto* paletteLabel = named(new QLabel(QStringLiteral("Red")), "paletteLabel");
    QPalette red = paletteLabel->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    paletteLabel->setPalette(red);
    layout->addWidget(paletteLabel);

    layout->addWidget(named(new QLabel(QStringLiteral("a\\b\nc\rd")), "multiLabel"));

    auto* delayed = named(new QLabel(QStringLiteral("Disconnected")), "delayedLabel");
    layout->addWidget(delayed);
    auto* connectButton = named(new QPushButton(QStringLiteral("Connect")), "connectButton");
    connect(connectButton, &QPushButton::clicked, this, [delayed] {
        QTimer::singleShot(50, delayed, [delayed] { delayed->setText(QStringLiteral("Connected")); });
    });
    layout->addWidget(connectButton);

    workerLabel_ = named(new QLabel(QStringLiteral("idle")), "workerLabel");
    layout->addWidget(workerLabel_);
    auto* workerButton = named(new QPushButton(QStringLiteral("Work")), "workerButton");
    connect(workerButton, &QPushButton::clicked, this, [this] {
        joinWorker();
        // Like the tool's dispatch thread: logs from its own thread, then hands
        // a result to the window thread.
        worker_ = std::thread([this] {
            emit logLineAppended(QStringLiteral("from worker"));
            QMetaObject::invokeMethod(workerLabel_, "setText", Qt::QueuedConnection,
                                      Q_ARG(QString, QStringLiteral("done")));
        });
    });
    layout->addWidget(workerButton);
    return page;
}

QWidget* TestWindow::buildSecondPage()
{
    auto* page = named(new QWidget, "secondPage");
    auto* layout = new QVBoxLayout(page);
    auto* box = named(new QCheckBox(QStringLiteral("On page two")), "pageTwoBox");
    connect(box, &QCheckBox::toggled, this,
            [this](bool on) { log(QStringLiteral("page two %1").arg(on ? "on" : "off")); });
    layout->addWidget(box);

    auto* faults = named(new QListWidget, "faultList");
    for (const char* text : {"Overload", "Short", "Thermal"}) {
        auto* item = new QListWidgetItem(QString::fromLatin1(text), faults);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    faults->item(2)->setFlags(faults->item(2)->flags() & ~Qt::ItemIsUserCheckable);
    connect(faults, &QListWidget::itemChanged, this, [this, faults](QListWidgetItem* item) {
        log(QStringLiteral("fault %1 %2")
                .arg(faults->row(item))
                .arg(item->checkState() == Qt::Checked ? "ticked" : "unticked"));
    });
    layout->addWidget(faults);
    return page;
}

bool TestWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched->objectName() == QLatin1String("consoleBox") && event->type() == QEvent::KeyRelease)
        consoleKeyReleases << static_cast<QKeyEvent*>(event)->key();
    if (watched->objectName() == QLatin1String("consoleBox") && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up) {
            log(QStringLiteral("history up"));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TestWindow::closeEvent(QCloseEvent* event)
{
    joinWorker();
    log(QStringLiteral("closing"));
    event->accept();
}
