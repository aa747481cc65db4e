// Controls with behaviour of their own, and the edit cases named for the
// editor, on the pages of a stand-in window.

#include "FakeEditorHost.h"  // first: the emulator header must precede Qt's keyword macros

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>


#include "ui/seam/DialogSeam.h"

using editortest::FakeEditorHost;

namespace {

// Answers every message box with OK and remembers it.
struct RecordingResponder : DialogSeam::Responder {
    QStringList captions, texts;
    QMessageBox::StandardButton onMessage(QMessageBox::Icon, const QString& caption, const QString& text,
                                          QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        captions << caption;
        texts << text;
        return QMessageBox::Ok;
    }
    QString onFileDialog(bool, const QString&, const QString&) override { return {}; }
};

std::vector<std::pair<uint8_t, uint16_t>> writes(const FakeEditorHost& host, std::size_t from = 0)
{
    std::vector<std::pair<uint8_t, uint16_t>> result;
    for (std::size_t i = from; i < host.sent.size(); ++i) {
        if (host.sent[i].address)
            result.emplace_back(*host.sent[i].address, host.sent[i].value);
    }
    return result;
}

TEST(EditorHandlers, UntickingChannelTwoWritesOnlyTheEnableBits)
{
    FakeEditorHost host(0xFFF0);
    host.board->pokeRegister(0x07, 0x00F3);
    host.identify();
    auto* list = host.find<QListWidget>("enChanBoxCC");
    ASSERT_EQ(list->item(0)->checkState(), Qt::Checked);
    ASSERT_EQ(list->item(1)->checkState(), Qt::Checked);
    list->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(host.board->peekRegister(0x07), 0x0001);
    EXPECT_EQ(host.log.back(), "Switch enable configuration changed to: 0b00000001 ");

    FakeEditorHost eighteen(0xFF04);
    eighteen.identify();
    eighteen.find<QListWidget>("enChanBoxCC")->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(eighteen.board->peekRegister(0x06), 0x0002);
    EXPECT_EQ(eighteen.log.back(), "Switch enable configuration changed to: 0b00000010 ");
}

TEST(EditorHandlers, NamedEditCasesWriteTheirAddresses)
{
    FakeEditorHost eighteen(0xFF04);
    eighteen.identify();
    eighteen.find<QComboBox>("chanSettingBox18")->setCurrentIndex(1);
    eighteen.find<QComboBox>("lhiBehaviorBox18")->setCurrentIndex(3);
    ASSERT_FALSE(eighteen.sent.empty());
    EXPECT_EQ(eighteen.sent.back().address, 8);
    EXPECT_EQ(eighteen.board->peekRegister(0x08), 0x0600);
    EXPECT_EQ(eighteen.log.back(), "LHI behavior on channel 2 set to Output On");

    FakeEditorHost sixteen(0xFFF0);
    sixteen.identify();
    sixteen.find<QComboBox>("chanSettingBox")->setCurrentIndex(1);
    sixteen.find<QComboBox>("adcScaleBox")->setCurrentIndex(1);
    EXPECT_EQ(sixteen.sent.back().address, 25);
    EXPECT_EQ(sixteen.board->peekRegister(25), 0x0400);
    EXPECT_EQ(sixteen.log.back(), "ADC scaling on channel 2 changed to 8x.");

    sixteen.find<QComboBox>("wdtDurationBox")->setCurrentIndex(2);
    EXPECT_EQ(sixteen.log.back(), "Watchdog duration changed to 2");
    sixteen.find<QCheckBox>("latchFaultBox")->setChecked(false);
    sixteen.find<QCheckBox>("latchFaultBox")->setChecked(true);
    EXPECT_EQ(sixteen.board->peekRegister(0x09) & 0x0001, 0);
    sixteen.find<QCheckBox>("adcEnableBox")->setChecked(false);
    sixteen.find<QCheckBox>("adcEnableBox")->setChecked(true);
    EXPECT_EQ(sixteen.board->peekRegister(0x0A) & 0x0001, 0);
}

TEST(EditorHandlers, ManualPersistHoldsEverythingButTheSvbbSetting)
{
    FakeEditorHost host(0xFF04);
    host.identify();
    host.manualPersist = true;
    const uint16_t before = host.board->peekRegister(0x0F);
    for (int i = 0; i < 10; ++i)
        host.find<QComboBox>("slewRateBox18")->setCurrentIndex((i + 1) % 4);
    EXPECT_EQ(host.board->peekRegister(0x0F), before);
    EXPECT_TRUE(host.sent.back().held);
    EXPECT_EQ(host.log.back(), "Slew rate on channel 1 changed to " +
                                   host.find<QComboBox>("slewRateBox18")->currentText() + ".");
    EXPECT_EQ(host.record18.getChanDiagConfig(0) & 0x3, 10 % 4);

    host.find<QComboBox>("olOffMode18")->setCurrentIndex(2);
    EXPECT_FALSE(host.sent.back().held);
    EXPECT_TRUE(host.sent.back().direct);
    EXPECT_EQ(host.board->peekRegister(0x0F), host.record18.getChanDiagConfig(0));
    EXPECT_EQ(host.board->peekRegister(0x0F) & 0x0018, 0x0010);
}

TEST(EditorHandlers, TripSliderLogsTheLabelTextAndCooldownLatchEnablesTheReset)
{
    FakeEditorHost host(0xFFF0);
    host.identify();
    host.find<QSlider>("i2tTrack")->setValue(15);
    EXPECT_EQ(host.find<QLabel>("i2tTripValueLabel")->text(), "350 A2s");
    EXPECT_EQ(host.log.back(), "I2T trip value of channel 1 set to 350 A2s");
    EXPECT_EQ((host.board->peekRegister(0x15) >> 3) & 0xF, 15);

    auto* cooldown = host.find<QComboBox>("cooldownDelayBox");
    auto* reset = host.find<QPushButton>("resetLatchButton");
    cooldown->setCurrentIndex(2);
    EXPECT_FALSE(reset->isEnabled());
    cooldown->setCurrentIndex(0);
    EXPECT_TRUE(reset->isEnabled());
    EXPECT_EQ(host.log.back(), "Cooldown timer on channel 1 changed to Latch.");
}

TEST(EditorHandlers, CapacitiveChargingSwitchesTheCurrentLimitControls)
{
    FakeEditorHost host(0xFFF0);
    host.identify();
    auto* inrush = host.find<QComboBox>("inRushValueBox");
    auto* inrushDuration = host.find<QComboBox>("chanSettingInrushDurationBox");
    auto* charge = host.find<QComboBox>("chargeLevelBox");
    EXPECT_TRUE(inrush->isEnabled());
    EXPECT_FALSE(charge->isEnabled());
    host.find<QCheckBox>("capChargeEnableBox")->setChecked(true);
    EXPECT_EQ(host.log.back(), "Capacitive charging mode enabled on channel 1");
    EXPECT_FALSE(inrush->isEnabled());
    EXPECT_FALSE(inrushDuration->isEnabled());
    EXPECT_TRUE(charge->isEnabled());
    EXPECT_TRUE(host.find<QComboBox>("chanSettingCurrentLimitBox")->isEnabled());
    EXPECT_FALSE(host.guard);

    host.board->pokeRegister(0x0F, 0x1000);  // bit 12 alone: leave the controls as they are
    host.readBack();
    EXPECT_TRUE(charge->isEnabled());
    EXPECT_FALSE(inrush->isEnabled());
}

TEST(EditorHandlers, CrcBoxSwitchesTheChipThenTheBoardEvenUnderManualPersist)
{
    FakeEditorHost host(0xFF04);
    host.identify();
    host.manualPersist = true;
    const std::size_t from = host.sent.size();
    host.find<QCheckBox>("enableCRCBox18")->setChecked(true);
    ASSERT_EQ(host.sent.size(), from + 2);
    EXPECT_EQ(host.sent[from].address, 8);
    EXPECT_EQ(host.sent[from].value & 0x8000, 0x8000);
    EXPECT_EQ(host.sent[from + 1].crcSwitch, true);
    EXPECT_TRUE(host.board->isCrcEnabled());
    EXPECT_EQ(host.board->peekRegister(0x08) & 0x8000, 0x8000);
    EXPECT_EQ(host.log.back(), "CRC Enabled");
    host.find<QCheckBox>("enableCRCBox18")->setChecked(false);
    EXPECT_EQ(host.log.back(), "CRC Disabled.");
    EXPECT_FALSE(host.board->isCrcEnabled());

    // A record whose CRC bit differs from the box makes the refresh resync the board once.
    host.record18.setDevConfig(0x8000);
    host.editor->updateEighteenGuiFromConfig(true);
    EXPECT_TRUE(host.find<QCheckBox>("enableCRCBox18")->isChecked());
    EXPECT_TRUE(host.board->isCrcEnabled());
    const std::size_t after = host.sent.size();
    host.editor->updateEighteenGuiFromConfig(true);
    EXPECT_EQ(host.sent.size(), after);
}

TEST(EditorHandlers, ForcedPinsDriveTheBoardGpios)
{
    // Their replies reach the boxes through the window's dispatcher
    // (tests/ui/FaultMonitorTest).
    FakeEditorHost host(0xFFF0);
    host.identify();
    host.find<QCheckBox>("forceLimpCheckBox")->setChecked(true);
    EXPECT_EQ(host.log.back(), "Limp home input (LHI) forced high.");
    EXPECT_TRUE(host.board->gpioLevel(1));
    EXPECT_TRUE(host.record16.isLHIForced());
    EXPECT_TRUE(host.sent.back().direct);
    host.find<QCheckBox>("forceDICheckBox")->setChecked(true);
    EXPECT_EQ(host.log.back(), "DI input forced high.");
    EXPECT_TRUE(host.board->gpioLevel(2));
    host.find<QCheckBox>("forceDICheckBox")->setChecked(false);
    EXPECT_EQ(host.log.back(), "DI input forced low.");
    EXPECT_FALSE(host.board->gpioLevel(2));
}

TEST(EditorHandlers, LatchResetPulsesTheCooldownBitOfTheTunerChannel)
{
    RecordingResponder responder;
    DialogSeam::setResponder(&responder);
    FakeEditorHost host(0xFFF0);
    host.board->pokeRegister(0x07, 0x0003);
    host.board->pokeRegister(0x1E, 0x0123);  // cooldown "Latch": the button is enabled
    host.identify();
    host.find<QComboBox>("i2tChanNumBox")->setCurrentIndex(1);
    const std::size_t from = host.sent.size();
    host.find<QPushButton>("resetLatchButton")->click();
    const std::vector<std::pair<uint8_t, uint16_t>> expected{{0x07, 0x0001}, {0x1E, 0x4123}, {0x1E, 0x0123}};
    EXPECT_EQ(writes(host, from), expected);
    EXPECT_EQ(host.board->peekRegister(0x1E), 0x0123);
    ASSERT_EQ(responder.captions.size(), 1);
    EXPECT_EQ(responder.captions.back(), "Latch Reset");
    EXPECT_EQ(responder.texts.back(), "Latch state reset. The channel is now ready to be re-enabled");
    EXPECT_EQ(host.find<QComboBox>("cooldownDelayBox")->currentIndex(), 0);

    FakeEditorHost eighteen(0xFF04);
    eighteen.identify();
    eighteen.find<QPushButton>("resetLatchButton18")->click();
    EXPECT_EQ(writes(eighteen).front().first, 0x06);
    EXPECT_EQ(writes(eighteen).back().first, 0x14);
    EXPECT_EQ(responder.texts.back(), "Latch state reset. The channel is now ready to be re-enabled.");
    DialogSeam::setResponder(nullptr);
}

TEST(EditorHandlers, LowPowerRadioPairWritesBitZeroOncePerChoice)
{
    for (uint16_t devid : {uint16_t{0xFFF0}, uint16_t{0xFF00}}) {
        const bool eighteen = devid == 0xFF00;
        FakeEditorHost host(devid);
        host.identify();
        const QString suffix = eighteen ? "18" : "";
        const uint8_t lpm = eighteen ? 0x02 : 0x03;
        const std::size_t from = host.sent.size();
        host.find<QRadioButton>("lpmRadioButton" + suffix)->setChecked(true);
        EXPECT_FALSE(host.find<QRadioButton>("activeRadioButton" + suffix)->isChecked());
        EXPECT_EQ(host.log.back(), "LPM enabled by user");
        EXPECT_EQ(host.board->peekRegister(lpm) & 1, 1);
        host.find<QRadioButton>("activeRadioButton" + suffix)->setChecked(true);
        EXPECT_EQ(host.log.back(), "LPM disabled by user");
        EXPECT_EQ(host.board->peekRegister(lpm) & 1, 0);
        EXPECT_EQ(writes(host, from).size(), 2u);
        EXPECT_FALSE(host.guard);
    }
}

TEST(EditorHandlers, HelpPanelExplainsTheTunerControlUnderTheMouse)
{
    FakeEditorHost host(0xFFF0);
    for (const QString& suffix : {QString(), QStringLiteral("18")}) {
        SCOPED_TRACE(suffix.toStdString());
        auto* box = host.find<QComboBox>("swDelayBox" + suffix);
        auto* placeholder = host.find<QLabel>("helpPlaceholderLabel" + suffix);
        EXPECT_FALSE(placeholder->isHidden());  // nothing pointed at yet
        EXPECT_TRUE(host.find<QLabel>("registerLabel" + suffix)->isHidden());
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(host.find<QLabel>("swDelayLabel" + suffix), &enter);
        EXPECT_EQ(host.find<QLabel>("registerLabel" + suffix)->text(), "I2T_CONFIG_CHx:SWCL_DLY_TMR_CHx");
        EXPECT_TRUE(placeholder->isHidden());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(host.find<QLabel>("swDelayLabel" + suffix), &leave);
        EXPECT_EQ(host.find<QLabel>("helpLabel" + suffix)->text(), "");
        EXPECT_FALSE(placeholder->isHidden());
        QCoreApplication::sendEvent(box, &enter);
        EXPECT_EQ(host.find<QLabel>("helpLabel" + suffix)->text(),
                  "Sets the software current limit delay timer. Sets the time after which the channel shuts down "
                  "when the current exceeds ISWCL.");
    }
}

TEST(EditorHandlers, FamilyRulesWithoutAPartAndWithThePartOfTheOtherFamily)
{
    FakeEditorHost host(0xFFF0);  // nothing identified yet
    host.find<QCheckBox>("faultMaskSPIBox")->setChecked(true);  // both families: nothing
    host.find<QCheckBox>("cmdPWMEn1")->setChecked(true);
    EXPECT_TRUE(host.sent.empty());
    host.find<QCheckBox>("parallelBox")->setChecked(true);  // 16-pin only: acts
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.board->peekRegister(0x09), 0x0010);

    FakeEditorHost eighteen(0xFF04);
    eighteen.identify();
    const std::size_t from = eighteen.sent.size();
    eighteen.find<QCheckBox>("parallelBox")->setChecked(true);      // page of the other family
    eighteen.find<QCheckBox>("faultMaskSPIBox")->setChecked(true);  // 16-pin twin
    eighteen.find<QCheckBox>("enableCRCBox")->setChecked(true);
    EXPECT_EQ(eighteen.sent.size(), from);
}

}  // namespace

// A field edited from the register map takes the path of its page control:
// the row whose channel and list fit, its log line, its send path, and the
// page control then shows it.
TEST(EditorHandlers, RegisterFieldEditsTakeThePathOfTheFieldsPageControl)
{
    namespace F = hss::field;
    struct Case {
        uint16_t devid;
        RegisterField field;
        uint8_t channel;
        uint16_t before;  // the register's word on the chip
        uint16_t value;   // raw field value
        uint8_t address;
        uint16_t word;    // written
        const char* log;
        const char* control;  // shows the value afterwards ("" for none)
        int shown;
    };
    const Case cases[] = {
        // Channel 2's field of a shared register, at the shared address.
        {0xFF04, F::LHI_BEHAVIOR_CH2, 1, 0x0000, 3, 0x08, 0x0600, "LHI behavior on channel 2 set to Output On", "", 0},
        // A per-channel register of channel 2, whatever the page's selector shows.
        {0xFFF0, F::ADC_SCALE, 1, 0x0000, 1, 0x19, 0x0400, "ADC scaling on channel 2 changed to 8x.", "", 0},
        // The charge level list while capacitive charging is on, the inrush list otherwise.
        {0xFFF0, F::INRUSH_LEVEL, 0, 0x2000, 2, 0x0F, 0x2020, "Charge level on channel 1 changed to 2.4.",
         "chargeLevelBox", 2},
        {0xFFF0, F::INRUSH_LEVEL, 0, 0x0000, 2, 0x0F, 0x0020, "Charge level on channel 1 changed to 15.",
         "inRushValueBox", 2},
        // A one-bit field whose set bit is "off" on the page: raw 1 unticks it.
        {0xFFF0, F::ADC_ENABLE, 0, 0x0000, 1, 0x0A, 0x0001, "Device-level ADC disabled.", "", 0},
        // 18-pin shutdown: bit cleared is "latch".
        {0xFF04, hss::field18::SHUTDOWN_LATCH, 0, 0x0004, 0, 0x0F, 0x0000, "Shutdown retry on channel 1 set to latch.",
         "", 0},
        {0xFFF0, F::PWM_DUTY, 1, 0x0000, 7, 0x17, 0x000E, "PWM duty cycle on channel 2 set to 3.13%", "cmdPWMDutyBox2", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log);
        FakeEditorHost host(c.devid);
        host.board->pokeRegister(c.address, c.before);
        host.identify();
        host.sent.clear();
        ASSERT_TRUE(host.editor->editRegisterField(host.family, c.field, c.channel, c.value));
        EXPECT_EQ(writes(host), (std::vector<std::pair<uint8_t, uint16_t>>{{c.address, c.word}}));
        EXPECT_EQ(host.log.back(), c.log);
        if (*c.control != '\0') {
            EXPECT_EQ(host.find<QComboBox>(QString::fromLatin1(c.control))->currentIndex(), c.shown);
        }
    }

    // Under manual persist the edit is held like the page's; a field with no
    // page control is refused.
    FakeEditorHost held(0xFFF0);
    held.identify();
    held.manualPersist = true;
    held.sent.clear();
    ASSERT_TRUE(held.editor->editRegisterField(held.family, F::SLEW_RATE, 0, 2));
    ASSERT_EQ(held.sent.size(), 1u);
    EXPECT_TRUE(held.sent[0].held);
    EXPECT_EQ(held.find<QComboBox>(QStringLiteral("slewRateBox"))->currentIndex(), 2);
    EXPECT_FALSE(held.editor->editRegisterField(held.family, F::DEV_FAULT_SPI, 0, 1));
}
