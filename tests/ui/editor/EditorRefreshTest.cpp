// The refresh (record -> controls) and the option-list reload, on the
// editor pages of a stand-in window.

#include "FakeEditorHost.h"  // first: the emulator header must precede Qt's keyword macros

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QThread>

#include <atomic>
#include <random>
#include <thread>

using editortest::FakeEditorHost;

namespace {

QStringList items(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

TEST(EditorRefresh, PwmWordShowsInChannelSettingsAndCommandCenter)
{
    FakeEditorHost host(0xFFF0);
    host.board->pokeRegister(0x0E, 0x0E03);
    host.identify();
    EXPECT_EQ(host.find<QComboBox>("chanSettingPWMFreqBox")->currentText(), "1770Hz");
    EXPECT_EQ(host.find<QComboBox>("chanSettingPWMDutyBox")->currentText(), "0.78%");
    EXPECT_TRUE(host.find<QCheckBox>("chanSettingPwmEnBox")->isChecked());
    EXPECT_EQ(host.find<QComboBox>("cmdPWMFreqBox1")->currentText(), "1770Hz");
    EXPECT_EQ(host.find<QComboBox>("cmdPWMDutyBox1")->currentText(), "0.78%");
    EXPECT_TRUE(host.find<QCheckBox>("cmdPWMEn1")->isChecked());
    EXPECT_FALSE(host.find<QCheckBox>("cmdPWMEn2")->isChecked());
}

TEST(EditorRefresh, LatchResetFollowsTheTunerSelectorNotTheChannelSettingsSelector)
{
    FakeEditorHost host(0xFFF0);
    host.board->pokeRegister(0x15, 0x8000);  // channel 1 cooldown index 2
    host.board->pokeRegister(0x1E, 0x0000);  // channel 2 cooldown "Latch"
    host.identify();
    auto* tuner = host.find<QComboBox>("i2tChanNumBox");
    auto* settings = host.find<QComboBox>("chanSettingBox");
    auto* button = host.find<QPushButton>("resetLatchButton");

    host.guard = true;
    tuner->setCurrentIndex(1);
    settings->setCurrentIndex(0);
    host.guard = false;
    host.editor->updateSixteenGuiFromConfig(true);
    EXPECT_TRUE(button->isEnabled());

    host.guard = true;
    tuner->setCurrentIndex(0);
    settings->setCurrentIndex(1);
    host.guard = false;
    host.editor->updateSixteenGuiFromConfig(true);
    EXPECT_FALSE(button->isEnabled());
}

TEST(EditorRefresh, ShutdownBehaviourHasOppositePolaritiesInTheTwoFamilies)
{
    FakeEditorHost sixteen(0xFFF0);
    sixteen.identify();  // CH1_CONFIG bit 2 clear
    EXPECT_TRUE(sixteen.find<QRadioButton>("shutdownRetryBox")->isChecked());
    EXPECT_FALSE(sixteen.find<QRadioButton>("shutdownLatchBox")->isChecked());

    FakeEditorHost eighteen(0xFF04);
    eighteen.identify();
    EXPECT_TRUE(eighteen.find<QRadioButton>("shutdownLatchBox18")->isChecked());
    eighteen.board->pokeRegister(0x0F, 0x0004);
    eighteen.readBack();
    EXPECT_TRUE(eighteen.find<QRadioButton>("shutdownRetryBox18")->isChecked());
}

TEST(EditorRefresh, ChannelTwoSelectionShowsChannelTwoBitsOfSharedRegisters)
{
    FakeEditorHost host(0xFFF0);
    host.board->pokeRegister(0x07, 0x0002);  // SW_STATE: channel 2 on
    host.board->pokeRegister(0x09, 0x0400);  // DEV_CONFIG bits 9-10 = 2
    host.identify();
    EXPECT_FALSE(host.find<QCheckBox>("chanSettingENBox")->isChecked());
    EXPECT_EQ(host.find<QComboBox>("lhiBehaviorBox")->currentIndex(), 0);
    host.find<QComboBox>("chanSettingBox")->setCurrentIndex(1);  // re-read, then refresh
    EXPECT_EQ(host.rereads, 1);
    EXPECT_TRUE(host.find<QCheckBox>("chanSettingENBox")->isChecked());
    EXPECT_EQ(host.find<QComboBox>("lhiBehaviorBox")->currentText(), "Output Off");
}

TEST(EditorRefresh, ValueBeyondTheListKeepsTheSelectionAndTheRestStillRefreshes)
{
    FakeEditorHost host(0xFFF0);
    int redraws = 0;
    host.editor->setI2TRedraw([&](hss_device_family_t family) {
        EXPECT_EQ(family, HSS_FAMILY_16PWP);
        EXPECT_FALSE(host.guard);  // drawn after the guard is released
        ++redraws;
    });
    host.board->pokeRegister(0x0F, 0x0003);
    host.identify();
    auto* hwLimit = host.find<QComboBox>("hwLimitBox");
    ASSERT_EQ(hwLimit->count(), 11);
    EXPECT_EQ(hwLimit->currentIndex(), 3);

    redraws = 0;
    host.record16.setILIMConfig(0x080E, 0);  // limit field 14, I2T enabled
    host.record16.setI2TConfig(0x0005, 0);   // nominal current index 5
    host.editor->updateSixteenGuiFromConfig(true);
    EXPECT_EQ(hwLimit->currentIndex(), 3);
    EXPECT_TRUE(host.find<QCheckBox>("enableI2TBox")->isChecked());
    EXPECT_EQ(host.find<QComboBox>("nomCurrentBox")->currentIndex(), 5);
    EXPECT_EQ(host.find<QComboBox>("chanSettingNomBox")->currentIndex(), 5);
    EXPECT_EQ(redraws, 1);

    // After a list reload (every re-read) such a value shows as no selection.
    host.board->pokeRegister(0x0F, 0x080E);
    host.readBack();
    EXPECT_EQ(hwLimit->currentIndex(), -1);
    EXPECT_EQ(host.find<QComboBox>("chanSettingCurrentLimitBox")->currentIndex(), -1);
    EXPECT_EQ(host.find<QComboBox>("inRushValueBox")->currentIndex(), 0);
    EXPECT_EQ(redraws, 2);
}

TEST(EditorRefresh, RefreshWritesAndLogsNothingButTheCrcSwitch)
{
    for (uint16_t devid : {uint16_t{0xFFF0}, uint16_t{0xFF04}}) {
        FakeEditorHost host(devid);
        host.identify();
        std::mt19937 random(devid);
        for (int round = 0; round < 20; ++round) {
            for (uint8_t address = 0x01; address <= 0x1E; ++address)
                host.board->pokeRegister(address, static_cast<uint16_t>(random()));
            const auto sentBefore = host.sent.size();
            const auto logBefore = host.log.size();
            const bool crcBefore = devid == 0xFF04 ? host.find<QCheckBox>("enableCRCBox18")->isChecked()
                                                   : host.find<QCheckBox>("enableCRCBox")->isChecked();
            host.readBack();
            const bool crcAfter = devid == 0xFF04 ? host.find<QCheckBox>("enableCRCBox18")->isChecked()
                                                  : host.find<QCheckBox>("enableCRCBox")->isChecked();
            EXPECT_EQ(host.log.size(), logBefore);
            ASSERT_EQ(host.sent.size(), sentBefore + (crcBefore != crcAfter ? 1 : 0));
            if (crcBefore != crcAfter) {
                EXPECT_TRUE(host.sent.back().direct);
                EXPECT_EQ(host.sent.back().crcSwitch, crcAfter);
                EXPECT_EQ(host.board->isCrcEnabled(), crcAfter);
            }
        }
    }
}

TEST(EditorRefresh, FromAWorkerThreadRunsOnTheWindowThreadAndNotAtAllWhenClosing)
{
    FakeEditorHost host(0xFFF0);
    host.identify();
    host.board->pokeRegister(0x05, 0x0001);
    host.readBack();
    ASSERT_TRUE(host.find<QCheckBox>("faultMaskVBBUVLO")->isChecked());

    host.record16.setDeviceFaultMask(0x0000);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        host.editor->updateSixteenGuiFromConfig(true);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_FALSE(host.find<QCheckBox>("faultMaskVBBUVLO")->isChecked());

    host.record16.setDeviceFaultMask(0x0001);
    host.shuttingDown = true;
    std::thread closing([&] { host.editor->updateSixteenGuiFromConfig(true); });
    closing.join();  // returns without waiting for the window thread
    EXPECT_FALSE(host.find<QCheckBox>("faultMaskVBBUVLO")->isChecked());
}

TEST(EditorOptionLists, ReloadAskedFromAWorkerThreadHappensOnTheWindowThread)
{
    FakeEditorHost host(0xFFF0);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        host.editor->updateDefaultEnumerations(0xFF00);
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(items(host.find<QComboBox>("nomCurrentBox18")),
              (QStringList{"5.6", "7.0", "8.0", "9.0", "10.5", "12.6", "16.8", "21.0"}));
    EXPECT_FALSE(host.guard);
}

TEST(EditorOptionLists, SixteenPinPartsShareOneSetAndShowTripNumbersShortest)
{
    FakeEditorHost host(0xFFF3);
    host.identify();
    const QStringList nominal{"4.0", "5.0", "5.7", "6.5", "7.5", "9.0", "12.0", "15.0"};
    EXPECT_EQ(items(host.find<QComboBox>("nomCurrentBox")), nominal);
    EXPECT_EQ(items(host.find<QComboBox>("chanSettingNomBox")), nominal);
    const QStringList trip = items(host.find<QComboBox>("chanSettingI2TBox"));
    EXPECT_EQ(trip.front(), "8.8");
    EXPECT_EQ(trip.back(), "350");
    EXPECT_EQ(host.find<QComboBox>("chanSettingI2TBox")->itemData(15).toDouble(), 350.0);
    EXPECT_EQ(host.editor->i2tArrayValues().back(), 350.0);

    FakeEditorHost other(0xFFF6);
    other.identify();
    EXPECT_EQ(items(other.find<QComboBox>("chanSettingNomBox")), nominal);
}

TEST(EditorOptionLists, EighteenPinTripScaleFollowsTheDecrementerBitOfTheSelectedChannel)
{
    FakeEditorHost host(0xFF04);
    host.board->pokeRegister(0x14, 0x2000);  // channel 1: decrementer enabled
    host.board->pokeRegister(0x1D, 0x0000);
    host.identify();
    host.guard = true;
    host.find<QComboBox>("i2tChanNumBox18")->setCurrentIndex(0);
    host.find<QComboBox>("chanSettingBox18")->setCurrentIndex(1);
    host.guard = false;
    host.readBack();
    EXPECT_DOUBLE_EQ(host.editor->i2tArrayValues().front(), 20.1);
    EXPECT_DOUBLE_EQ(host.editor->i2tArrayValues().back(), 801.2);
    const QStringList trip = items(host.find<QComboBox>("chanSettingI2TBox18"));
    EXPECT_EQ(trip.front(), "8.8");
    EXPECT_EQ(trip.back(), "350");
    EXPECT_EQ(host.find<QLabel>("i2tTripValueLabel18")->text(), "20.1 A2s");
}

TEST(EditorOptionLists, LargeFetSwapsTheLowPowerListsAndTheDatasheetPageFollowsTheFamily)
{
    FakeEditorHost host(0xFF00);
    host.identify();
    EXPECT_EQ(host.tabs->indexOf(host.datasheet), -1);
    host.find<QComboBox>("manLPMModeBox18")->setCurrentIndex(1);
    const QStringList large{"4.1A", "5.5A", "1.4A", "2.5A"};
    EXPECT_EQ(items(host.find<QComboBox>("chanSettingLPMCurrentBox18")), large);
    EXPECT_EQ(items(host.find<QComboBox>("lpmCh1ThreshBox")), large);
    EXPECT_EQ(items(host.find<QComboBox>("lpmCh2ThreshBox")), large);
    EXPECT_EQ(host.log.back(), "LPM FET set to Large FET");
    EXPECT_EQ(host.board->peekRegister(0x02) & 0x0002, 0x0002);
    // The reload is followed by a refresh: the lists show the record again.
    EXPECT_EQ(host.find<QComboBox>("lpmCh1ThreshBox")->currentIndex(), 0);

    host.editor->updateDefaultEnumerations(0xFFF9);  // no tables: nothing changes
    EXPECT_EQ(items(host.find<QComboBox>("lpmCh1ThreshBox")), large);
    EXPECT_EQ(host.tabs->indexOf(host.datasheet), -1);
    host.editor->updateDefaultEnumerations(0xFFF0);
    EXPECT_GE(host.tabs->indexOf(host.datasheet), 0);
}

TEST(EditorRefresh, ChannelSelectorInDemoModeRefreshesFromTheRecord)
{
    FakeEditorHost host(0xFFF0);
    host.identify();
    host.demo = true;
    host.record16.setChanDiagConfig(0x0400, 1);  // channel 2 "8x", never written to the chip
    host.find<QComboBox>("chanSettingBox")->setCurrentIndex(1);
    EXPECT_EQ(host.rereads, 0);
    EXPECT_EQ(host.find<QComboBox>("adcScaleBox")->currentText(), "8x");
}

}  // namespace
