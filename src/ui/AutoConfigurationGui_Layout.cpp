// The window's layout: "Detected Device" group, main tabs, status bar and the
// start-up defaults. Menus are built in AutoConfigurationGui_Menus.cpp.

#include <QComboBox>
#include <QGuiApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/AutoConfigurationGui.h"
#include "ui/Resources.h"
#include "ui/WidgetHelpers.h"
#include "ui/console/LogView.h"
#include "ui/pages/CommandCenterPage.h"
#include "ui/pages/ConsolePage.h"
#include "ui/pages/FamilyPages.h"
#include "ui/pages/SafetyPage.h"
#include "ui/widgets/FaultIndicator.h"

using ui::named;

namespace {

// The window as designed, menu bar and status bar included.
constexpr QSize kDesignSize{1458, 1066};

QWidget* textPage(const QString& name, QWidget* text)
{
    auto* page = new PageFrame(name);
    auto* layout = new QVBoxLayout(page->content());
    layout->addWidget(text);
    return page;
}

}  // namespace

QSize AutoConfigurationGui::initialWindowSize(const QSize& available, const QSize& frame)
{
    return kDesignSize.boundedTo(available - frame);
}

void AutoConfigurationGui::buildWindow()
{
    auto* central = named<QWidget>(QStringLiteral("centralWidget"));
    auto* layout = new QVBoxLayout(central);
    buildDetectedDeviceGroup(central);
    layout->addWidget(detDeviceGroupBox);
    buildTabs();
    buildEditor();
    buildTuner();
    buildFaultView();
    layout->addWidget(mainTabControl, 1);
    setCentralWidget(central);

    buildMenus();
    buildStatusBar();
    buildSenseMonitor();
    buildSafetyViews();
    // Until the first look for the board: nothing to talk to yet.
    showPageAvailability(false, false, QStringLiteral("No VELMARA-BOARD is connected."));

    // The design size, or the screen's free area when that is smaller; the
    // pages scroll instead of clipping below it.
    QSize available = kDesignSize;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        available = screen->availableGeometry().size();
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int border = 2 * style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    resize(initialWindowSize(available, QSize(border, titleBar + border)));
}

void AutoConfigurationGui::buildDetectedDeviceGroup(QWidget*)
{
    detDeviceGroupBox = named<QGroupBox>(QStringLiteral("detDeviceGroupBox"), QStringLiteral("Detected Device"));
    devLabel = named<QLabel>(QStringLiteral("devLabel"), QStringLiteral("DEVICE NOT DETECTED"));
    devDesc = named<QLabel>(QStringLiteral("devDesc"));
    devDesc->setWordWrap(true);
    firmwareRevisionLabel = named<QLabel>(QStringLiteral("firmwareRevisionLabel"));
    demoPartLabel = named<QLabel>(QStringLiteral("demoPartLabel"), QStringLiteral("Demo Part:"));
    demoPartBox = named<QComboBox>(QStringLiteral("demoPartBox"));
    demoPartBox->addItems({QStringLiteral("ZVR2M05-K1"), QStringLiteral("ZVR2M07-K1"), QStringLiteral("ZVR2M08-K1")});
    demoPartLabel->hide();
    demoPartBox->hide();

    QFont bold = devLabel->font();
    bold.setBold(true);
    devLabel->setFont(bold);

    auto* grid = new QGridLayout(detDeviceGroupBox);
    grid->addWidget(new QLabel(QStringLiteral("Part Number:")), 0, 0);
    grid->addWidget(devLabel, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Firmware Revision:")), 0, 2);
    grid->addWidget(firmwareRevisionLabel, 0, 3);
    grid->addWidget(demoPartLabel, 0, 4);
    grid->addWidget(demoPartBox, 0, 5);
    grid->addWidget(new QLabel(QStringLiteral("Description:")), 1, 0);
    grid->addWidget(devDesc, 1, 1, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

void AutoConfigurationGui::buildStatusBar()
{
    statusStrip1 = named<QStatusBar>(QStringLiteral("statusStrip1"));
    connectionStatusLabel = named<QLabel>(QStringLiteral("connectionStatusLabel"), QStringLiteral("Connection Status: "));
    connectionLabel = named<QLabel>(QStringLiteral("connectionLabel"), QStringLiteral("Disconnected"));
    inputVoltageDescStripLabel =
        named<QLabel>(QStringLiteral("inputVoltageDescStripLabel"), QStringLiteral("Input Voltage:"));
    inputVoltageValueLabel = named<QLabel>(QStringLiteral("inputVoltageValueLabel"), QStringLiteral("0V"));
    toolStatusLabel = named<QLabel>(QStringLiteral("toolStatusLabel"), QStringLiteral("Status: "));
    commandStatusLabel = named<QLabel>(QStringLiteral("commandStatusLabel"));
    // A long log line is cut at the window's edge; it never widens the window.
    commandStatusLabel->setMinimumWidth(1);
    commandStatusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    persistStateLabel = named<QLabel>(QStringLiteral("persistStateLabel"));
    refreshStateLabel = named<QLabel>(QStringLiteral("refreshStateLabel"));
    // Not read yet: the supply voltage shows nothing made up.
    ui::showUnknown(inputVoltageValueLabel);
    inputVoltageDescStripLabel->hide();
    inputVoltageValueLabel->hide();
    for (QLabel* label : {connectionStatusLabel, connectionLabel, inputVoltageDescStripLabel, inputVoltageValueLabel}) {
        statusStrip1->addWidget(label);
    }
    for (QLabel* field : {persistStateLabel, refreshStateLabel}) {
        field->setFrameShape(QFrame::StyledPanel);
        statusStrip1->addWidget(field);
    }
    statusStrip1->addWidget(toolStatusLabel);
    statusStrip1->addWidget(commandStatusLabel, 1);
    setStatusBar(statusStrip1);
    showPersistAndRefreshState();
}

void AutoConfigurationGui::showPersistAndRefreshState()
{
    const bool manualPersist = manualPersistEnabled;
    const bool pending = manualPersist && dirtyPersist;
    persistStateLabel->setText(!manualPersist ? QStringLiteral("Persist: automatic")
                               : pending      ? QStringLiteral("Persist: manual, edits pending")
                                              : QStringLiteral("Persist: manual"));
    QFont font = persistStateLabel->font();
    font.setBold(pending);
    persistStateLabel->setFont(font);
    ui::setTextColor(persistStateLabel, pending ? ui::kOrange : palette().color(QPalette::WindowText));
    refreshStateLabel->setText(manualRefreshEnabled ? QStringLiteral("Refresh: manual")
                                                    : QStringLiteral("Refresh: automatic"));
}

void AutoConfigurationGui::buildTabs()
{
    mainTabControl = named<QTabWidget>(QStringLiteral("mainTabControl"));

    commandCenter = new CommandCenterPage;
    familyPagesOwner = std::make_unique<FamilyPages>();
    familyPages = familyPagesOwner.get();
    console = new ConsolePage;
    safety = new SafetyPage;

    commandCenterPage = commandCenter;
    fuseTunerPage16pwp = familyPages->sixteen.fuseTunerPage;
    devSettingPage16pwp = familyPages->sixteen.devSettingPage;
    chanSettingsPage16pwp = familyPages->sixteen.chanSettingsPage;
    fuseTunerPage18pwp = familyPages->eighteen.fuseTunerPage;
    devSettingPage18pwp = familyPages->eighteen.devSettingPage;
    chanSettingsPage18pwp = familyPages->eighteen.chanSettingsPage;
    consolePage = console;
    safetyTab16pwp = safety;
    testModeTab = buildTestModePage();
    userDataTab = familyPages->userDataTab;

    buildUserRegisterPage();
    buildRegisterMapPage();

    logTextBox = named<QPlainTextEdit>(QStringLiteral("logTextBox"));
    logTextBox->setReadOnly(true);
    logTextBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    logTextBox->installEventFilter(this);
    logView = new LogView(logTextBox, [this](const QString& line) { logMessageToWindow(line); });
    logPage = textPage(QStringLiteral("logPage"), logView);

    datasheetBrowser = named<QTextBrowser>(QStringLiteral("datasheetBrowser"));
    datasheetBrowser->setOpenLinks(true);
    datasheetBrowser->setOpenExternalLinks(false);
    const QString reference = resources::findFile(QStringLiteral("docs/register-reference.html"));
    if (reference.isEmpty()) {
        datasheetBrowser->setHtml(QStringLiteral("<p>The register reference (docs/register-reference.html) was not "
                                                 "found beside the tool.</p>"));
    } else {
        datasheetBrowser->setSource(QUrl::fromLocalFile(reference));
    }
    datasheetTab = textPage(QStringLiteral("datasheetTab"), datasheetBrowser);

    // All fourteen pages in creation order; start-up puts ten of them aside.
    mainTabControl->addTab(commandCenterPage, QStringLiteral("Command Center"));
    mainTabControl->addTab(fuseTunerPage16pwp, QStringLiteral("I2T Tuner"));
    mainTabControl->addTab(devSettingPage16pwp, QStringLiteral("Device Settings"));
    mainTabControl->addTab(chanSettingsPage16pwp, QStringLiteral("Channel Settings"));
    mainTabControl->addTab(fuseTunerPage18pwp, QStringLiteral("I2T Tuner"));
    mainTabControl->addTab(devSettingPage18pwp, QStringLiteral("Device Settings"));
    mainTabControl->addTab(chanSettingsPage18pwp, QStringLiteral("Channel Settings"));
    mainTabControl->addTab(consolePage, QStringLiteral("Console"));
    mainTabControl->addTab(logPage, QStringLiteral("Log"));
    mainTabControl->addTab(safetyTab16pwp, QStringLiteral("Safety"));
    mainTabControl->addTab(testModeTab, QStringLiteral("Test Mode"));
    mainTabControl->addTab(datasheetTab, QStringLiteral("Datasheet"));
    mainTabControl->addTab(userDataTab, QStringLiteral("User Registers"));
    mainTabControl->addTab(registerMapPage, QStringLiteral("Registers"));

    connect(mainTabControl, &QTabWidget::currentChanged, this, &AutoConfigurationGui::mainTabControl_SelectedIndexChanged);
    connect(safety->safetyTabControl, &QTabWidget::currentChanged, this,
            &AutoConfigurationGui::safetyTabControl_SelectedIndexChanged);

    connect(console->sendCommandButton, &QPushButton::clicked, this, &AutoConfigurationGui::sendCommandButton_Click);
    connect(console->commandBox, &QLineEdit::returnPressed, this, &AutoConfigurationGui::sendCommandButton_Click);
    connect(console->cmdHistoryBox, &QComboBox::currentIndexChanged, this,
            &AutoConfigurationGui::cmdHistoryBox_SelectedIndexChanged);
}

namespace {

// Selects item index of a list that a later page may or may not have yet.
void selectIfPresent(QWidget* root, const char* name, int index)
{
    if (auto* box = root->findChild<QComboBox*>(QString::fromLatin1(name))) {
        if (index < box->count()) box->setCurrentIndex(index);
    }
}

}  // namespace

void AutoConfigurationGui::populateDefaultValues()
{
    dontRunEvents = true;
    for (const char* name : {"chanSettingBox", "i2tChanNumBox", "chanSettingBox18", "i2tChanNumBox18",
                             "senseSourceSelBox", "gaugeSelectionBox", "faultUpdateStatus18", "faultUpdateStatus"}) {
        selectIfPresent(this, name, 0);
    }
    selectIfPresent(this, "tmDevSelBox", 1);
    demoPartBox->setCurrentIndex(2);
    manualUpdateEnabled = false;
    showEmptyState();

    // Family pages, "User Registers", "Safety" and "Test Mode" wait aside
    // until identification (or the reveal sequence) brings them back.
    for (QWidget* page : {fuseTunerPage16pwp, devSettingPage16pwp, chanSettingsPage16pwp, fuseTunerPage18pwp,
                          devSettingPage18pwp, chanSettingsPage18pwp, userDataTab, registerMapPage, safetyTab16pwp,
                          testModeTab}) {
        const int index = mainTabControl->indexOf(page);
        if (index >= 0) mainTabControl->removeTab(index);
    }
    dontRunEvents = false;
}
