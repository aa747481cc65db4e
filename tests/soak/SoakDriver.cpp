#include "SoakDriver.h"  // first: it includes GuiHarness.h

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

#include <sstream>

#include "device/HSSRegisterMap.h"
#include "editor/bindings/FieldBinding.h"
#include "files/SettingsFile.h"
#include "link/HSSCommunicationManager.h"
#include "ui/automation/ControlActions.h"
#include "ui/automation/ControlLocator.h"

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

// Background trouble: a transfer in ten fails or finds no reply; the link's
// 200 attempts never run out at these odds.
constexpr EmulatedBoard::LinkTrouble kBackgroundTrouble{
    .failedWrites = 0.05, .failedReads = 0.05, .notReadyReplies = 0.1, .seed = 1};

// Longest run of failures a burst makes: well inside the link's 200 attempts,
// so a burst slows commands down but never drops one.
constexpr int kLongestBurst = 120;

QString q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

std::vector<SoakDriver::Action> SoakDriver::actions()
{
    return {
        {"edit a setting", 40, &SoakDriver::editSetting, true},
        {"switch page", 12, &SoakDriver::switchPage, true},
        {"switch channel", 6, &SoakDriver::switchChannel},
        {"tick or untick a graphed channel", 4, &SoakDriver::toggleGraphing, true},
        {"change the graphed quantity", 2, &SoakDriver::changeSenseQuantity},
        {"read a register in the console", 6, &SoakDriver::readRegisterInConsole},
        {"toggle Persist", 3, &SoakDriver::togglePersist, true},
        {"Manual Persist", 3, &SoakDriver::manualPersist},
        {"toggle Refresh", 2, &SoakDriver::toggleRefresh},
        {"Manual Refresh", 3, &SoakDriver::manualRefresh},
        {"save settings", 2, &SoakDriver::saveSettings},
        {"load settings", 2, &SoakDriver::loadSettings},
        // Before the pull: a checkpoint waits 2 s after the board is back.
        {"checkpoint", 4, &SoakDriver::checkpoint, true},
        {"unplug", 1, &SoakDriver::unplug, true},
        {"link trouble burst", 4, &SoakDriver::troubleBurst},
    };
}

SoakDriver::SoakDriver(harness::Gui& gui, uint32_t seed, std::filesystem::path folder)
    : gui_(gui), random_(seed), folder_(std::move(folder)), actions_(actions())
{
    gui_.board().setTraceCapacity(1000);
    EmulatedBoard::LinkTrouble trouble = kBackgroundTrouble;
    trouble.seed = seed;
    gui_.board().setLinkTrouble(trouble);
}

int SoakDriver::uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

QObject* SoakDriver::control(const QString& name) { return automation::findControl(&gui_.window(), name); }

bool SoakDriver::operable(QObject* c) { return c != nullptr && automation::whyNotOperable(c).isEmpty(); }

bool SoakDriver::partShown()
{
    AutoConfigurationGui& window = gui_.window();
    return window.link() != nullptr && window.link()->isHSSDetected() && gui_.chipControlsOn() &&
           window.curDeviceFamily.load() != HSS_FAMILY_NONE;
}

void SoakDriver::runUntil(Clock::time_point deadline)
{
    int total = 0;
    for (const Action& action : actions_) total += action.weight;
    const Clock::time_point halfTime = Clock::now() + (deadline - Clock::now()) / 2;
    while (Clock::now() < deadline) {
        replugWhenDue();
        if (Clock::now() < halfTime || !runMissingRequired()) {
            int pick = uniform(0, total - 1);
            for (const Action& action : actions_) {
                pick -= action.weight;
                if (pick >= 0) continue;
                run(action);
                break;
            }
        }
        harness::spin(uniform(0, 120));
    }
}

bool SoakDriver::runMissingRequired()
{
    // One that makes no sense yet gives way to the next missing one, or to
    // a drawn one, which moves the window on.
    for (const Action& action : actions_)
        if (action.required && counts_.count(action.name) == 0 && run(action)) return true;
    return false;
}

bool SoakDriver::run(const Action& action)
{
    if (!action.run(*this)) return false;
    ++counts_[action.name];
    return true;
}

void SoakDriver::replugWhenDue()
{
    if (gui_.board().isPlugged() || Clock::now() < replugAt_) return;
    gui_.board().plug();
    lastPlug_ = Clock::now();
}

// --- actions -------------------------------------------------------------

bool SoakDriver::editSetting()
{
    const hss_device_family_t family = gui_.window().curDeviceFamily.load();
    if (family == HSS_FAMILY_NONE) return false;
    std::vector<const editor::FieldBinding*> rows;
    for (const editor::FieldBinding& row : editor::fieldBindings())
        if (editor::appliesTo(row, family)) rows.push_back(&row);
    const editor::FieldBinding& row = *rows[static_cast<std::size_t>(uniform(0, int(rows.size()) - 1))];
    QString name = q(editor::controlName(row, family));
    if (row.kind == editor::ControlKind::LatchRadio && uniform(0, 1) == 1) name = q(editor::partnerName(row, family));
    QObject* c = control(name);
    if (!operable(c)) return false;

    QString error;
    switch (row.kind) {
    case editor::ControlKind::CheckBox:
        error = automation::setChecked(c, !qobject_cast<QAbstractButton*>(c)->isChecked());
        break;
    case editor::ControlKind::LatchRadio:
        error = automation::setChecked(c, true);
        break;
    case editor::ControlKind::List: {
        const int count = qobject_cast<QComboBox*>(c)->count();
        if (count == 0) return false;
        error = automation::selectIndex(c, uniform(0, count - 1));
        break;
    }
    case editor::ControlKind::Slider: {
        auto* slider = qobject_cast<QSlider*>(c);
        error = automation::slideTo(c, uniform(slider->minimum(), slider->maximum()));
        break;
    }
    }
    return error.isEmpty();
}

bool SoakDriver::switchPage()
{
    QObject* tabs = control(QStringLiteral("mainTabControl"));
    if (!operable(tabs)) return false;
    const int count = qobject_cast<QTabWidget*>(tabs)->count();
    return automation::selectIndex(tabs, uniform(0, count - 1)).isEmpty();
}

bool SoakDriver::switchChannel()
{
    const bool eighteen = gui_.window().curDeviceFamily.load() == HSS_FAMILY_18PWP;
    const QString suffix = eighteen ? QStringLiteral("18") : QString();
    QObject* selector = control((uniform(0, 1) == 0 ? QStringLiteral("chanSettingBox") : QStringLiteral("i2tChanNumBox")) + suffix);
    if (!operable(selector)) return false;
    return automation::selectIndex(selector, uniform(0, 1)).isEmpty();
}

// Starts and stops the sense stream (and its register writes) mid-soak.
bool SoakDriver::toggleGraphing()
{
    auto* channels = qobject_cast<QListWidget*>(control(QStringLiteral("senseChannelBox")));
    if (!operable(channels) || channels->count() == 0) return false;
    QListWidgetItem* item = channels->item(uniform(0, channels->count() - 1));
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    return true;
}

bool SoakDriver::changeSenseQuantity()
{
    QObject* quantity = control(QStringLiteral("senseSourceSelBox"));
    if (!operable(quantity)) return false;
    return automation::selectIndex(quantity, uniform(0, 3)).isEmpty();
}

// Reads only: a console write changes the chip behind the record's back, as
// it is meant to.
bool SoakDriver::readRegisterInConsole()
{
    QObject* box = control(QStringLiteral("commandBox"));
    QObject* send = control(QStringLiteral("sendCommandButton"));
    if (!operable(box) || !operable(send)) return false;
    qobject_cast<QLineEdit*>(box)->setText(QStringLiteral("READ %1").arg(uniform(0, 0x20), 2, 16, QLatin1Char('0')));
    return automation::click(send).isEmpty();
}

bool SoakDriver::togglePersist()
{
    auto* item = qobject_cast<QAction*>(control(QStringLiteral("manualPersistEnableCheckBox")));
    if (!operable(item)) return false;
    return automation::setChecked(item, !item->isChecked()).isEmpty();
}

bool SoakDriver::manualPersist()
{
    QObject* item = control(QStringLiteral("manualPersistToolStripMenuItem"));
    return operable(item) && automation::click(item).isEmpty();
}

bool SoakDriver::toggleRefresh()
{
    auto* item = qobject_cast<QAction*>(control(QStringLiteral("manualRefreshToolCheck")));
    if (!operable(item)) return false;
    return automation::setChecked(item, !item->isChecked()).isEmpty();
}

bool SoakDriver::manualRefresh()
{
    QObject* item = control(QStringLiteral("manualRefreshToolStripMenuItem"));
    return operable(item) && automation::click(item).isEmpty();
}

bool SoakDriver::saveSettings()
{
    QObject* item = control(QStringLiteral("saveSettingsToolStripMenuItem"));
    if (!operable(item) || !partShown()) return false;
    answers_.fileAnswer = q((folder_ / "soak.txt").string());
    const bool done = automation::click(item).isEmpty();
    saved_ = saved_ || done;
    return done;
}

bool SoakDriver::loadSettings()
{
    QObject* item = control(QStringLiteral("loaToolStripMenuItem"));
    if (!saved_ || !operable(item) || !partShown()) return false;
    answers_.fileAnswer = q((folder_ / "soak.txt").string());
    return automation::click(item).isEmpty();
}

// Pulled at a random moment, with whatever is on the link; plugged in again
// after up to 2.5 s.
bool SoakDriver::unplug()
{
    if (!gui_.board().isPlugged()) return false;
    gui_.board().unplug();
    replugAt_ = Clock::now() + std::chrono::milliseconds(uniform(100, 2500));
    return true;
}

bool SoakDriver::troubleBurst()
{
    EmulatedBoard& board = gui_.board();
    switch (uniform(0, 2)) {
    case 0:
        board.makeNextRepliesNotReady(static_cast<unsigned>(uniform(1, kLongestBurst)));
        break;
    case 1:
        board.failNextWrites(static_cast<unsigned>(uniform(1, kLongestBurst)));
        break;
    default:
        board.failNextReads(static_cast<unsigned>(uniform(1, kLongestBurst)));
        break;
    }
    return true;
}

// With the part shown for a while, a persist (or nothing held back) must
// bring the chip's configuration to what the record holds.
bool SoakDriver::checkpoint()
{
    AutoConfigurationGui& window = gui_.window();
    if (!gui_.board().isPlugged() || !partShown() || Clock::now() - lastPlug_ < 2s) return false;
    if (!window.manualPersistEnableCheckBox->isChecked() &&
        !automation::setChecked(window.manualPersistEnableCheckBox, true).isEmpty())
        return false;
    const std::string differ = waitForChipToMatchRecord(15000);
    if (!differ.empty()) mismatches_.push_back(differ);
    return true;
}

// --- checks --------------------------------------------------------------

std::string SoakDriver::differences()
{
    AutoConfigurationGui& window = gui_.window();
    const hss_device_family_t family = window.curDeviceFamily.load();
    const ZVRxQxx16PINConfiguration& record =
        family == HSS_FAMILY_18PWP ? window.eighteenPWPFuseConfig : window.sixteenPWPFuseConfig;
    std::ostringstream out;
    for (const auto& entry : hss::files::settingsRegisters(family)) {
        const auto address = hss::registerAddress(family, entry.reg, entry.channel);
        const auto recorded = record.getRegister(entry.reg, entry.channel);
        if (!address || !recorded) continue;
        const uint16_t chip = gui_.board().peekRegister(*address);
        if (chip != *recorded)
            out << entry.tag << " (0x" << std::hex << int(*address) << "): chip 0x" << chip << ", record 0x"
                << *recorded << std::dec << "; ";
    }
    return out.str();
}

std::string SoakDriver::waitForChipToMatchRecord(int timeoutMs)
{
    harness::waitUntil([this] { return differences().empty(); }, timeoutMs);
    return differences();
}

bool SoakDriver::finish()
{
    EmulatedBoard& board = gui_.board();
    board.setLinkTrouble({});
    board.makeNextRepliesNotReady(0);
    board.failNextWrites(0);
    board.failNextReads(0);
    if (!board.isPlugged()) board.plug();

    // As a user would: wait for the part, then switch automatic refresh and
    // persist back on where they are off.
    AutoConfigurationGui& window = gui_.window();
    if (!harness::waitUntil([this] { return partShown(); }, 30000)) return false;
    if (!window.manualRefreshToolCheck->isChecked()) {
        EXPECT_EQ(automation::setChecked(window.manualRefreshToolCheck, true).toStdString(), "") << "Refresh";
    }
    if (!window.manualPersistEnableCheckBox->isChecked()) {
        EXPECT_EQ(automation::setChecked(window.manualPersistEnableCheckBox, true).toStdString(), "") << "Persist";
    }
    return true;
}
