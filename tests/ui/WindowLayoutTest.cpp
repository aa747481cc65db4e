// The window's layout on the real window against the emulated board: pages
// that fit a small screen, one caption per register field, the persist and
// refresh fields, values that are not read yet, the empty states, the
// typeable duty list, and pictures of every page.

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include <map>
#include <set>

#include "device/RegisterFields.h"
#include "editor/bindings/FieldBinding.h"
#include "ui/WidgetHelpers.h"
#include "ui/editor/ConfigurationEditor.h"
#include "ui/pages/CommandCenterPage.h"
#include "ui/widgets/FaultIndicator.h"
#include "ui/widgets/PageFrame.h"

using harness::Gui;
using harness::waitUntil;

namespace {

constexpr uint16_t kSixteenPin = 0xFFF0;   // ZVR2M08A-K1
constexpr uint16_t kEighteenPin = 0xFF04;  // ZVR2M07A-K1

bool isControl(const QWidget* widget)
{
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractSlider*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractScrollArea*>(widget) || qobject_cast<const QLabel*>(widget) ||
           qobject_cast<const FaultIndicator*>(widget);
}

// A control inside another control (a list's line edit) is that control's business.
bool insideControl(const QWidget* widget, const QWidget* content)
{
    for (const QWidget* parent = widget->parentWidget(); parent != nullptr && parent != content;
         parent = parent->parentWidget()) {
        if (isControl(parent) || qobject_cast<const QAbstractScrollArea*>(parent))
            return true;
    }
    return false;
}

// Every control the page shows lies inside each of its parents up to the
// scrolled content, which is not squeezed below what its layout needs.
// Returns the number of controls checked.
int expectNothingClipped(PageFrame* page, const QString& where)
{
    SCOPED_TRACE(where.toStdString());
    QWidget* content = page->content();
    EXPECT_GE(content->width(), content->minimumSizeHint().width());
    EXPECT_GE(content->height(), content->minimumSizeHint().height());
    int checked = 0;
    for (QWidget* widget : content->findChildren<QWidget*>()) {
        if (!isControl(widget) || !widget->isVisibleTo(content) || insideControl(widget, content))
            continue;
        ++checked;
        const std::string name = widget->objectName().isEmpty() ? widget->metaObject()->className()
                                                                : widget->objectName().toStdString();
        for (QWidget* child = widget; child != content; child = child->parentWidget()) {
            const QRect inParent = child->geometry();
            EXPECT_TRUE(child->parentWidget()->rect().contains(inParent))
                << name << ": " << child->metaObject()->className() << " leaves its parent";
        }
        if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
            qobject_cast<QAbstractSlider*>(widget) || qobject_cast<QLineEdit*>(widget)) {
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width()) << name;
            EXPECT_GE(widget->height(), widget->minimumSizeHint().height()) << name;
        }
    }
    // What does not fit the view is reached by scrolling.
    EXPECT_EQ(page->verticalScrollBar()->maximum(), std::max(0, content->height() - page->viewport()->height()));
    EXPECT_EQ(page->horizontalScrollBar()->maximum(), std::max(0, content->width() - page->viewport()->width()));
    return checked;
}

TEST(WindowLayout, OpensAtTheDesignSizeOrTheFreeScreenWhicheverIsSmaller)
{
    EXPECT_EQ(AutoConfigurationGui::initialWindowSize({1920, 1200}, {8, 30}), QSize(1458, 1066));
    EXPECT_EQ(AutoConfigurationGui::initialWindowSize({1366, 728}, {8, 30}), QSize(1358, 698));
    EXPECT_EQ(AutoConfigurationGui::initialWindowSize({1280, 1024}, {0, 0}), QSize(1280, 1024));
}

class SmallScreen : public ::testing::TestWithParam<uint16_t> {};

TEST_P(SmallScreen, EveryPageKeepsEveryControlInsideItsScrollArea)
{
    Gui gui(GetParam());
    ASSERT_TRUE(gui.waitDetected());
    AutoConfigurationGui& window = gui.window();
    auto* tabs = gui.find<QTabWidget>("mainTabControl");
    // The pages shown only for some parts or after the reveal keys, too.
    for (QWidget* extra : {window.safetyTab16pwp, window.testModeTab}) {
        if (tabs->indexOf(extra) < 0)
            tabs->addTab(extra, extra->objectName());
    }
    window.resize(1280, 720);
    harness::spin(100);
    EXPECT_EQ(window.size(), QSize(1280, 720));  // nothing holds the window larger

    int checked = 0;
    for (int i = 0; i < tabs->count(); ++i) {
        window.dontRunEvents = true;  // no re-read: only the layout matters here
        tabs->setCurrentIndex(i);
        window.dontRunEvents = false;
        harness::spin(50);
        auto* page = qobject_cast<PageFrame*>(tabs->widget(i));
        ASSERT_NE(page, nullptr) << tabs->tabText(i).toStdString() << " is not in a scroll area";
        checked += expectNothingClipped(page, tabs->tabText(i) + " (" + page->objectName() + ")");
    }
    EXPECT_GT(checked, 150);
}

INSTANTIATE_TEST_SUITE_P(Families, SmallScreen, ::testing::Values(kSixteenPin, kEighteenPin),
                         [](const auto& testInfo) { return testInfo.param == kSixteenPin ? "SixteenPin" : "EighteenPin"; });

// What a control says it is: a tick box its own text, any other control the
// label that names it as its buddy; without the colon and the channel tag.
QString captionOf(QWidget* window, QWidget* control)
{
    QString text;
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        text = box->text();
        for (QLabel* label : window->findChildren<QLabel*>()) {
            EXPECT_NE(label->buddy(), control) << "tick box with a label: " << control->objectName().toStdString();
        }
    } else {
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy() == control)
                text = label->text();
        }
        if (text.endsWith(QLatin1Char(':')))
            text.chop(1);
    }
    for (const char* tag : {" (CH1)", " (CH2)"}) {
        if (text.endsWith(QLatin1String(tag)))
            text.chop(int(qstrlen(tag)));
    }
    return text;
}

struct FieldKey {
    hss_device_family_t family;
    HSSRegister reg;
    uint8_t offset;
    uint8_t width;
    auto operator<=>(const FieldKey&) const = default;
};

TEST(WindowLayout, EveryControlOfAFieldCarriesTheSameCaptionOnEveryPageOfBothFamilies)
{
    std::map<FieldKey, std::set<std::pair<QString, QString>>> captions;  // field -> (caption, control)
    for (uint16_t devid : {kSixteenPin, kEighteenPin}) {
        Gui gui(devid);
        ASSERT_TRUE(gui.waitDetected());
        harness::spin(300);  // the read-back's refresh gives shared controls the family's captions
        AutoConfigurationGui& window = gui.window();
        const hss_device_family_t family = devid == kSixteenPin ? HSS_FAMILY_16PWP : HSS_FAMILY_18PWP;
        auto note = [&](const RegisterField& field, const QString& name) {
            QWidget* control = window.configEditor->control(name);
            ASSERT_NE(control, nullptr) << name.toStdString();
            const QString caption = captionOf(&window, control);
            EXPECT_FALSE(caption.isEmpty()) << name.toStdString();
            captions[{family, field.reg, field.offset, field.width}].insert({caption, name});
        };
        for (const editor::FieldBinding& row : editor::fieldBindings()) {
            const QString name = QString::fromStdString(editor::controlName(row, family));
            if (name.isEmpty())
                continue;
            const bool fixedChannel = row.channel == editor::ChannelSource::Channel1 ||
                                      row.channel == editor::ChannelSource::Channel2 ||
                                      row.channel == editor::ChannelSource::None;
            for (uint8_t channel : {0, 1}) {
                if (fixedChannel && channel == 1)
                    break;
                note(*editor::fieldFor(row, family, channel), name);
            }
        }
        // Controls with handlers of their own.
        note(hss::field::crcEnableField(family), family == HSS_FAMILY_18PWP ? "enableCRCBox18" : "enableCRCBox");
        note(hss::field::LPM_ENABLE, family == HSS_FAMILY_18PWP ? "activeRadioButton18" : "activeRadioButton");

        // Lists are as wide as their longest item; the tuner's share the
        // slider's width. A page is measured while it is shown.
        const QString suffix = family == HSS_FAMILY_18PWP ? QStringLiteral("18") : QString();
        auto* tabs = gui.find<QTabWidget>("mainTabControl");
        int measured = 0;
        for (int i = 0; i < tabs->count(); ++i) {
            window.dontRunEvents = true;  // no re-read: it would refill the lists meanwhile
            tabs->setCurrentIndex(i);
            window.dontRunEvents = false;
            harness::spin(50);
            const int sliderWidth = window.findChild<QWidget*>("i2tTripPanel" + suffix)->width();
            for (const editor::FieldBinding& row : editor::fieldBindings()) {
                auto* list = qobject_cast<QComboBox*>(
                    window.configEditor->control(QString::fromStdString(editor::controlName(row, family))));
                if (list == nullptr || !list->isVisible())
                    continue;
                SCOPED_TRACE(list->objectName().toStdString());
                ++measured;
                if (row.channel == editor::ChannelSource::TunerSelector)
                    EXPECT_EQ(list->width(), sliderWidth);
                else
                    EXPECT_EQ(list->width(), list->sizeHint().width());
            }
        }
        EXPECT_GT(measured, 30);
    }
    for (const auto& [field, shown] : captions) {
        std::set<QString> texts;
        QStringList where;
        for (const auto& [caption, name] : shown) {
            texts.insert(caption);
            where << name + "=\"" + caption + "\"";
        }
        EXPECT_EQ(texts.size(), 1u) << where.join(", ").toStdString();
    }
    // The register description's own texts.
    EXPECT_TRUE(captions.at({HSS_FAMILY_16PWP, HSSRegister::LPM, 1, 1}).count({"Auto LPM Entry", "lpmAutoEntryBox1"}));
    EXPECT_TRUE(captions.at({HSS_FAMILY_18PWP, HSSRegister::LPM, 2, 1})
                    .count({"Auto LPM Force Exit", "chanSettingsLPMAutoBox18"}));
}

TEST(WindowLayout, PersistFieldFollowsManualPersistEditsAndPersistBackOn)
{
    Gui gui(kSixteenPin);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    AutoConfigurationGui& window = gui.window();
    auto* persist = gui.find<QLabel>("persistStateLabel");
    auto* refresh = gui.find<QLabel>("refreshStateLabel");
    const auto slew = [&] { return gui.board().peekRegister(0x10) & 0x3; };  // CH1_CONFIG bits 0-1
    EXPECT_EQ(persist->text(), "Persist: automatic");
    EXPECT_EQ(refresh->text(), "Refresh: automatic");
    // Fixed fields before the status text, which takes the rest of the bar.
    EXPECT_LT(persist->x(), gui.find<QLabel>("commandStatusLabel")->x());
    EXPECT_LT(refresh->x(), gui.find<QLabel>("commandStatusLabel")->x());

    window.manualPersistEnableCheckBox->setChecked(false);
    EXPECT_EQ(persist->text(), "Persist: manual");
    EXPECT_FALSE(persist->font().bold());

    auto* slewBox = gui.find<QComboBox>("slewRateBox");
    const int edited = (slewBox->currentIndex() + 1) % 4;
    slewBox->setCurrentIndex(edited);
    EXPECT_EQ(persist->text(), "Persist: manual, edits pending");
    EXPECT_TRUE(persist->font().bold());
    EXPECT_EQ(ui::textColor(persist), ui::kOrange);
    harness::spin(200);
    EXPECT_NE(slew(), edited);  // held back

    window.manualPersistToolStripMenuItem->trigger();
    EXPECT_EQ(persist->text(), "Persist: manual");
    EXPECT_NE(ui::textColor(persist), ui::kOrange);
    EXPECT_TRUE(waitUntil([&] { return slew() == edited; }));

    const int again = (edited + 1) % 4;
    slewBox->setCurrentIndex(again);
    EXPECT_EQ(persist->text(), "Persist: manual, edits pending");
    window.manualPersistEnableCheckBox->setChecked(true);
    EXPECT_EQ(persist->text(), "Persist: automatic");
    EXPECT_FALSE(persist->font().bold());
    EXPECT_TRUE(waitUntil([&] { return slew() == again; }));

    window.manualRefreshToolCheck->setChecked(false);
    EXPECT_EQ(refresh->text(), "Refresh: manual");
    window.manualRefreshToolCheck->setChecked(true);
    EXPECT_EQ(refresh->text(), "Refresh: automatic");
}

TEST(WindowLayout, NothingShowsAValueBeforeItIsReadAndTheEmptyChartSaysWhy)
{
    auto emptyText = [](Gui& gui) {
        auto* label = gui.find<QLabel>("emptyStateLabel");
        return label->isVisibleTo(gui.find<QWidget>("senseChartRegion")) ? label->text() : QString();
    };
    {
        Gui gui(std::nullopt, false);  // no board
        harness::spin(300);
        EXPECT_EQ(emptyText(gui), CommandCenterPage::kNoBoardText);
        EXPECT_TRUE(emptyText(gui).contains(QLatin1String("--emulate")));
        for (const char* name : {"faultPinLabel", "channelOneLabel", "channelTwoLabel", "globalLabel",
                                 "channelOneFaultLabel", "inputVoltageValueLabel"}) {
            EXPECT_TRUE(ui::showsUnknown(gui.find<QLabel>(name))) << name;
            EXPECT_EQ(ui::textColor(gui.find<QLabel>(name)), ui::kUnknownGrey) << name;
        }
        for (const char* name : {"faultBox1", "faultBox2", "faultBoxGlobal"}) {
            auto* lamp = gui.find<FaultIndicator>(name);
            ASSERT_NE(lamp, nullptr) << name;
            EXPECT_FALSE(lamp->property("known").toBool()) << name;
            EXPECT_FALSE(lamp->property("faulted").toBool()) << name;
        }
    }
    {
        Gui gui(std::nullopt);  // a board without a chip
        ASSERT_TRUE(gui.waitConnected());
        EXPECT_TRUE(waitUntil([&] { return emptyText(gui) == CommandCenterPage::kNoChipText; }));
    }
    Gui gui(kSixteenPin);
    ASSERT_TRUE(gui.waitDetected());
    EXPECT_EQ(emptyText(gui), QString());
    auto* pin = gui.find<QLabel>("faultPinLabel");
    ASSERT_TRUE(waitUntil([&] { return !ui::showsUnknown(pin); }));  // the fault poll read the pin
    EXPECT_EQ(pin->text(), "Not Triggered");

    // The lamp's property follows its picture.
    auto* lamp = gui.find<FaultIndicator>("faultBox1");
    lamp->setFaulted(true);
    EXPECT_TRUE(lamp->property("faulted").toBool());
    lamp->setFaulted(false);
    EXPECT_FALSE(lamp->property("faulted").toBool());
    EXPECT_TRUE(lamp->property("known").toBool());

    // The board goes: what was read is unknown again.
    gui.board().unplug();
    ASSERT_TRUE(waitUntil([&] { return emptyText(gui) == CommandCenterPage::kNoBoardText; }));
    EXPECT_TRUE(ui::showsUnknown(pin));
    EXPECT_FALSE(lamp->property("known").toBool());
}

TEST(WindowLayout, TypingIntoTheDutyListJumpsToThatItemAndRefusesTheRest)
{
    Gui gui(kSixteenPin);
    ASSERT_TRUE(gui.waitDetected());
    harness::spin(300);
    auto* duty = gui.find<QComboBox>("cmdPWMDutyBox1");
    ASSERT_TRUE(duty->isEditable());
    QLineEdit* edit = duty->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("50x"));  // the x starts no item: refused
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(duty->currentText(), "50.00%");
    EXPECT_EQ(duty->currentIndex(), 127);  // the index is the field value
    EXPECT_TRUE(waitUntil([&] { return ((gui.board().peekRegister(0x0E) >> 1) & 0xFF) == 127; }));
    EXPECT_TRUE(gui.logText().contains("PWM duty on channel 1 changed to 50.00%."));

    // Text that starts no item does not get in at all.
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("abc"));
    EXPECT_EQ(edit->text(), "50.00%");
    // The end of the list is as near as its start.
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("100"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(duty->currentIndex(), 255);
}

QString screenshotFolder()
{
    const QByteArray bin = qgetenv("KC_BIN_DIR");
    QDir dir(bin.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(bin) + "/..");
    dir.mkpath(QStringLiteral("screenshots/window-layout"));
    return dir.filePath(QStringLiteral("screenshots/window-layout"));
}

// Kinds of colour in a part of a picture: a blank area has one or two.
int colours(const QImage& image, const QRect& area)
{
    std::set<QRgb> seen;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            seen.insert(image.pixel(x, y));
    }
    return int(seen.size());
}

// The picture is the window at that size, with its status bar drawn at the
// bottom (not cut off), and, where the page says something, the text drawn.
void saveAndCheck(Gui& gui, const QString& file, QWidget* mustShow = nullptr)
{
    AutoConfigurationGui& window = gui.window();
    harness::spin(150);
    const QImage image = window.grab().toImage();
    EXPECT_EQ(image.size(), window.size()) << file.toStdString();
    const QRect bar(window.statusBar()->mapTo(&window, QPoint(0, 0)), window.statusBar()->size());
    EXPECT_EQ(bar.bottom(), image.height() - 1) << file.toStdString();
    EXPECT_GT(colours(image, bar), 8) << file.toStdString();
    if (mustShow != nullptr) {
        const QRect shown(mustShow->mapTo(&window, QPoint(0, 0)), mustShow->size());
        EXPECT_TRUE(image.rect().contains(shown)) << file.toStdString();
        EXPECT_GT(colours(image, shown), 8) << file.toStdString();
    }
    EXPECT_TRUE(image.save(screenshotFolder() + "/" + file)) << file.toStdString();
}

TEST(WindowLayout, PicturesOfEveryPageAndBothEmptyStatesAtBothSizes)
{
    const QSize sizes[] = {{1458, 1066}, {1280, 720}};
    for (const auto& [devid, family] : {std::pair{kSixteenPin, "16pwp"}, std::pair{kEighteenPin, "18pwp"}}) {
        Gui gui(devid);
        ASSERT_TRUE(gui.waitDetected());
        harness::spin(500);
        auto* tabs = gui.find<QTabWidget>("mainTabControl");
        for (const QSize& size : sizes) {
            gui.window().resize(size);
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                saveAndCheck(gui, QStringLiteral("%1-%2-%3x%4.png")
                                      .arg(QLatin1String(family), tabs->widget(i)->objectName())
                                      .arg(size.width())
                                      .arg(size.height()));
            }
        }
    }
    for (const auto& [board, name] : {std::pair{true, "no-chip"}, std::pair{false, "no-board"}}) {
        Gui gui(std::nullopt, board);
        if (board) {
            ASSERT_TRUE(gui.waitConnected());
        }
        harness::spin(300);
        for (const QSize& size : sizes) {
            gui.window().resize(size);
            saveAndCheck(gui, QStringLiteral("%1-%2x%3.png").arg(QLatin1String(name)).arg(size.width()).arg(size.height()),
                         gui.find<QLabel>("emptyStateLabel"));
        }
    }
}

}  // namespace
