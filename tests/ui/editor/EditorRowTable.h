#pragma once
// The expected behaviour of every setting control, written out from the
// register map and the handler tables independently of the editor's own
// binding table, and the one step both the stand-in window and the real
// window tests drive: change a control once and say what the chip must get.

#include <QString>
#include <QWidget>

#include <cstdint>
#include <span>

namespace editortest {

enum class Kind { Check, List, Slider, LatchRadio };
enum class Reg { LPM, FAULT_MASK, SW_STATE, DEV_CONFIG, ADC_CONFIG, PWM, ILIM, CH_CONFIG, I2T };
enum class Chan { None, One, Two, Settings, Tuner };
enum class Arg { ChannelText, Text, Index };

struct Row {
    const char* name16;  // "" when the 16-pin pages have no such control
    const char* name18;  // "" when the 18-pin pages have none
    Kind kind;
    Reg reg;
    Chan chan;
    int bit16[2];  // lowest bit of the field, channel 1 / channel 2
    int bit18[2];
    int width;
    bool ticked16Clears;  // switches whose set bit means "off" (16-pin)
    bool ticked18Clears;
    const char* on;   // message (lists: format)
    const char* off;  // "" = no line
    Arg arg = Arg::ChannelText;
};

inline constexpr bool kInv = true;
inline constexpr bool kPlain = false;

// The device-level, channel-settings and tuner tables, row by row.
inline const Row kRows[] = {
    {"latchFaultBox", "latchFaultBox18", Kind::Check, Reg::DEV_CONFIG, Chan::None, {0, 0}, {0, 0}, 1, kInv, kInv,
     "Fault latch enabled.", "Fault latch disabled."},
    {"wdEnableBox", "wdEnableBox18", Kind::Check, Reg::DEV_CONFIG, Chan::None, {3, 3}, {3, 3}, 1, kPlain, kPlain,
     "Watchdog timer enabled.", "Watchdog timer disabled."},
    {"wdtDurationBox", "wdtDurationBox18", Kind::List, Reg::DEV_CONFIG, Chan::None, {1, 1}, {1, 1}, 2, kPlain, kPlain,
     "Watchdog duration changed to {0}", "", Arg::Index},
    {"parallelBox", "", Kind::Check, Reg::DEV_CONFIG, Chan::None, {4, 4}, {0, 0}, 1, kPlain, kPlain,
     "Parallel channel option enabled.", "Parallel channel option disabled."},
    {"pwmDelayBox", "", Kind::Check, Reg::DEV_CONFIG, Chan::None, {6, 6}, {0, 0}, 1, kInv, kPlain,
     "PWM delay enabled.", "PWM delay disabled."},
    {"", "fastDIDisableBox", Kind::Check, Reg::DEV_CONFIG, Chan::None, {0, 0}, {6, 6}, 1, kPlain, kPlain,
     "Fast output with DI pin enabled.", "Fast output with DI pin disabled."},
    {"autoLPMCheckBox", "autoLPMCheckBox18", Kind::Check, Reg::DEV_CONFIG, Chan::None, {5, 5}, {5, 5}, 1, kPlain,
     kPlain, "Auto-LPM Enabled.", "Auto-LPM Disabled."},
    {"adcEnableBox", "adcEnableBox18", Kind::Check, Reg::ADC_CONFIG, Chan::None, {0, 0}, {0, 0}, 1, kInv, kInv,
     "Device-level ADC enabled.", "Device-level ADC disabled."},
    {"adcSouceInVBox", "adcSouceInVBox18", Kind::Check, Reg::ADC_CONFIG, Chan::None, {1, 1}, {1, 1}, 1, kInv, kInv,
     "Device-level VBB ADC sampling enabled.", "Device-level VBB ADC sampling disabled."},
    {"adcSourceCurrentBox", "adcSourceCurrentBox18", Kind::Check, Reg::ADC_CONFIG, Chan::None, {2, 2}, {2, 2}, 1,
     kInv, kInv, "Device-level current ADC sampling enabled.", "Device-level current ADC sampling disabled."},
    {"adcSourceJunctionBox", "adcSourceJunctionBox18", Kind::Check, Reg::ADC_CONFIG, Chan::None, {3, 3}, {3, 3}, 1,
     kInv, kInv, "Device-level temperature ADC sampling enabled.", "Device-level temperature ADC sampling disabled."},
    {"adcSourceOutVBox", "adcSourceOutVBox18", Kind::Check, Reg::ADC_CONFIG, Chan::None, {4, 4}, {4, 4}, 1, kInv,
     kInv, "Device-level VOUT ADC sampling enabled.", "Device-level VOUT ADC sampling disabled."},
    {"adcSourceVDSBox", "adcSourceVDSBox18", Kind::Check, Reg::ADC_CONFIG, Chan::None, {5, 5}, {5, 5}, 1, kInv, kInv,
     "VDS Source Enabled", "VDS Source Disabled."},
    {"adcSampleRateBox", "adcSampleRateBox18", Kind::List, Reg::ADC_CONFIG, Chan::None, {6, 6}, {6, 6}, 2, kPlain,
     kPlain, "ADC Sample Rate Config changed to {0}", "", Arg::Text},
    {"faultMaskVBBUVLO", "faultMaskVBBUVLO18", Kind::Check, Reg::FAULT_MASK, Chan::None, {0, 0}, {0, 0}, 1, kPlain,
     kPlain, "VBB UVLO fault mask enabled.", "VBB UVLO fault mask disabled."},
    {"faultMaskWDTBox", "faultMaskWDTBox18", Kind::Check, Reg::FAULT_MASK, Chan::None, {1, 1}, {1, 1}, 1, kPlain,
     kPlain, "WDT fault mask enabled.", "WDT fault mask disabled."},
    {"faultMaskSPIBox", "faultMaskSPIBox18", Kind::Check, Reg::FAULT_MASK, Chan::None, {2, 2}, {2, 2}, 1, kPlain,
     kPlain, "SPI fault mask enabled.", "SPI fault mask disabled."},
    {"faultMaskOpenLoadBox", "faultMaskOpenLoadBox18", Kind::Check, Reg::FAULT_MASK, Chan::None, {4, 4}, {4, 4}, 1,
     kPlain, kPlain, "Open load OFF fault mask enabled.", "Open load OFF fault mask disabled."},
    {"faultMaskShortVBBBox", "faultMaskShortVBBBox18", Kind::Check, Reg::FAULT_MASK, Chan::None, {5, 5}, {5, 5}, 1,
     kPlain, kPlain, "Short-to-VBB fault mask enabled.", "Short-to-VBB fault mask disabled."},
    {"faultMaskCLBox", "", Kind::Check, Reg::FAULT_MASK, Chan::None, {6, 6}, {0, 0}, 1, kPlain, kPlain,
     "Current limit fault mask enabled.", "Current limit fault mask disabled."},
    {"lpmEnableBox", "lpmEnableBox", Kind::Check, Reg::LPM, Chan::None, {0, 0}, {0, 0}, 1, kPlain, kPlain,
     "Low-power mode enabled.", "Low-power mode disabled."},
    {"lpmAutoEntryBox1", "lpmAutoEntryBox1", Kind::Check, Reg::LPM, Chan::None, {1, 1}, {2, 2}, 1, kPlain, kPlain,
     "Auto-entry for LPM enabled on channel 1.", ""},
    {"lpmAutoEntryBox2", "lpmAutoEntryBox2", Kind::Check, Reg::LPM, Chan::None, {2, 2}, {3, 3}, 1, kPlain, kPlain,
     "Auto-entry for LPM enabled on channel 2.", ""},
    {"lpmCh1ThreshBox", "lpmCh1ThreshBox", Kind::List, Reg::LPM, Chan::None, {3, 3}, {4, 4}, 2, kPlain, kPlain,
     "LPM threshold for channel 1 changed to {0}", "", Arg::Text},
    {"lpmCh2ThreshBox", "lpmCh2ThreshBox", Kind::List, Reg::LPM, Chan::None, {5, 5}, {6, 6}, 2, kPlain, kPlain,
     "LPM threshold for channel 2 changed to {0}", "", Arg::Text},
    {"", "manLPMModeBox18", Kind::List, Reg::LPM, Chan::None, {0, 0}, {1, 1}, 1, kPlain, kPlain,
     "LPM FET set to {0}", "", Arg::Text},
    {"cmdPWMEn1", "cmdPWMEn1", Kind::Check, Reg::PWM, Chan::One, {0, 0}, {0, 0}, 1, kPlain, kPlain,
     "PWN on channel 1 enabled.", "PWN on channel 1 disabled."},
    {"cmdPWMEn2", "cmdPWMEn2", Kind::Check, Reg::PWM, Chan::Two, {0, 0}, {0, 0}, 1, kPlain, kPlain,
     "PWN on channel 2 enabled.", ""},
    {"cmdPWMFreqBox1", "cmdPWMFreqBox1", Kind::List, Reg::PWM, Chan::One, {9, 9}, {9, 9}, 3, kPlain, kPlain,
     "PWM frequency on channel 1 changed to {0}.", "", Arg::Text},
    {"cmdPWMFreqBox2", "cmdPWMFreqBox2", Kind::List, Reg::PWM, Chan::Two, {9, 9}, {9, 9}, 3, kPlain, kPlain,
     "PWM frequency on channel 2 changed to {0}.", "", Arg::Text},
    {"cmdPWMDutyBox1", "cmdPWMDutyBox1", Kind::List, Reg::PWM, Chan::One, {1, 1}, {1, 1}, 8, kPlain, kPlain,
     "PWM duty on channel 1 changed to {0}.", "", Arg::Text},
    {"cmdPWMDutyBox2", "cmdPWMDutyBox2", Kind::List, Reg::PWM, Chan::Two, {1, 1}, {1, 1}, 8, kPlain, kPlain,
     "PWM duty on channel 2 changed to {0}.", "", Arg::Text},

    {"chanSettingENBox", "chanSettingENBox18", Kind::Check, Reg::SW_STATE, Chan::Settings, {0, 1}, {0, 1}, 1, kPlain,
     kPlain, "Channel {0} switch state enabled.", "Channel {0} switch state disabled."},
    {"lhiBehaviorBox", "lhiBehaviorBox18", Kind::List, Reg::DEV_CONFIG, Chan::Settings, {7, 9}, {7, 9}, 2, kPlain,
     kPlain, "LHI behavior on channel {0} set to {1}", ""},
    {"chanSettingLPMCurrentBox", "chanSettingLPMCurrentBox18", Kind::List, Reg::LPM, Chan::Settings, {3, 5}, {4, 6},
     2, kPlain, kPlain, "LPM exit current on channel {0} set to {1}", ""},
    {"chanSettingsLPMAutoBox", "chanSettingsLPMAutoBox18", Kind::Check, Reg::LPM, Chan::Settings, {1, 2}, {2, 3}, 1,
     kPlain, kPlain, "Auto-LPM Force Exit enabled on channel {0}.", "Auto-LPM Force Exit disabled on channel {0}."},
    {"chanSettingPwmEnBox", "chanSettingPwmEnBox18", Kind::Check, Reg::PWM, Chan::Settings, {0, 0}, {0, 0}, 1, kPlain,
     kPlain, "PWM on channel enabled.", "PWM on channel disabled."},
    {"chanSettingPWMFreqBox", "chanSettingPWMFreqBox18", Kind::List, Reg::PWM, Chan::Settings, {9, 9}, {9, 9}, 3,
     kPlain, kPlain, "PWM frequency on channel {0} set to {1}", ""},
    {"chanSettingPWMDutyBox", "chanSettingPWMDutyBox18", Kind::List, Reg::PWM, Chan::Settings, {1, 1}, {1, 1}, 8,
     kPlain, kPlain, "PWM duty cycle on channel {0} set to {1}", ""},
    {"chanSettingCurrentLimitBox", "chanSettingCurrentLimitBox18", Kind::List, Reg::ILIM, Chan::Settings, {0, 0},
     {0, 0}, 4, kPlain, kPlain, "Hardware current limit on channel {0} changed to {1}.", ""},
    {"chargeLevelBox", "chargeLevelBox18", Kind::List, Reg::ILIM, Chan::Settings, {4, 4}, {4, 4}, 4, kPlain, kPlain,
     "Charge level on channel {0} changed to {1}.", ""},
    {"inRushValueBox", "inRushValueBox18", Kind::List, Reg::ILIM, Chan::Settings, {4, 4}, {4, 4}, 4, kPlain, kPlain,
     "Charge level on channel {0} changed to {1}.", ""},
    {"capChargeDurationBox", "capChargeDurationBox18", Kind::List, Reg::ILIM, Chan::Settings, {8, 8}, {8, 8}, 3,
     kPlain, kPlain, "Charge duration on channel {0} changed to {1}.", ""},
    {"chanSettingInrushDurationBox", "chanSettingInrushDurationBox18", Kind::List, Reg::ILIM, Chan::Settings, {8, 8},
     {8, 8}, 3, kPlain, kPlain, "Charge duration on channel {0} changed to {1}.", ""},
    {"chanSettingI2TEnBox", "chanSettingI2TEnBox18", Kind::Check, Reg::ILIM, Chan::Settings, {11, 11}, {11, 11}, 1,
     kPlain, kPlain, "I2T on channel {0} enabled.", "I2T on channel {0} disabled."},
    {"capChargeEnableBox", "capChargeEnableBox18", Kind::Check, Reg::ILIM, Chan::Settings, {13, 13}, {13, 13}, 1,
     kPlain, kPlain, "Capacitive charging mode enabled on channel {0}", "Capacitive charging mode disabled on channel {0}"},
    {"chanSettingNomBox", "chanSettingNomBox18", Kind::List, Reg::I2T, Chan::Settings, {0, 0}, {0, 0}, 3, kPlain,
     kPlain, "Nominal current on channel {0} changed to {1}.", ""},
    {"chanSettingI2TBox", "chanSettingI2TBox18", Kind::List, Reg::I2T, Chan::Settings, {3, 3}, {3, 3}, 4, kPlain,
     kPlain, "I2T trip value on channel {0} changed to {1}.", ""},
    {"chanSettingSWCLBox", "chanSettingSWCLBox18", Kind::List, Reg::I2T, Chan::Settings, {7, 7}, {7, 7}, 2, kPlain,
     kPlain, "Software current limit on channel {0} changed to {1}.", ""},
    {"chanSettingSWDelayBox", "chanSettingSWDelayBox18", Kind::List, Reg::I2T, Chan::Settings, {9, 9}, {9, 9}, 2,
     kPlain, kPlain, "Software delay on channel {0} changed to {1}.", ""},
    {"chanSettingCLTimer", "chanSettingCLTimer18", Kind::List, Reg::I2T, Chan::Settings, {14, 14}, {14, 14}, 2,
     kPlain, kPlain, "Cooldown timer on channel {0} changed to {1}.", ""},
    {"", "chanSettingDecFactBox18", Kind::List, Reg::I2T, Chan::Settings, {0, 0}, {11, 11}, 2, kPlain, kPlain,
     "Decrememnt factor on channel {0} changed to {1}.", ""},
    {"", "chanSettingsDecModeBox18", Kind::List, Reg::I2T, Chan::Settings, {0, 0}, {13, 13}, 1, kPlain, kPlain,
     "Decrememnt mode on channel {0} changed to {1}.", ""},
    {"slewRateBox", "slewRateBox18", Kind::List, Reg::CH_CONFIG, Chan::Settings, {0, 0}, {0, 0}, 2, kPlain, kPlain,
     "Slew rate on channel {0} changed to {1}.", ""},
    // Latch selected: 16-pin sets bit 2, 18-pin clears it.
    {"shutdownLatchBox", "shutdownLatchBox18", Kind::LatchRadio, Reg::CH_CONFIG, Chan::Settings, {2, 2}, {2, 2}, 1,
     kPlain, kInv, "Shutdown retry on channel {0} set to latch.", "Shutdown retry on channel {0} set to auto-retry."},
    {"vbbPulldownBox", "", Kind::Check, Reg::CH_CONFIG, Chan::Settings, {3, 3}, {0, 0}, 1, kPlain, kPlain,
     "VBB short pull-down on channel {0} enabled.", "VBB short pull-down on channel {0} disabled."},
    {"olOffPullBox", "", Kind::Check, Reg::CH_CONFIG, Chan::Settings, {4, 4}, {0, 0}, 1, kPlain, kPlain,
     "Open-load OFF pull-up on channel {0} enabled.", "Open-load OFF pull-up on channel {0} disabled."},
    {"", "olOffMode18", Kind::List, Reg::CH_CONFIG, Chan::Settings, {0, 0}, {3, 3}, 2, kPlain, kPlain,
     "SVBB Enable Setting of channel {0} set to {1}", ""},
    {"wbOffCurrrentBox", "wbOffCurrrentBox18", Kind::List, Reg::CH_CONFIG, Chan::Settings, {5, 5}, {5, 5}, 2, kPlain,
     kPlain, "Open-load OFF pull-up on channel {0} changed to {1}.", ""},
    {"wbBlankBox", "wbBlankBox18", Kind::List, Reg::CH_CONFIG, Chan::Settings, {7, 7}, {7, 7}, 2, kPlain, kPlain,
     "Open-load blanking on channel {0} changed to {1}.", ""},
    {"olScalingBox", "olScalingBox18", Kind::Check, Reg::CH_CONFIG, Chan::Settings, {9, 9}, {9, 9}, 1, kPlain,
     kPlain, "Open-load scaling on channel {0} enabled.", "Open-load scaling on channel {0} disabled."},
    {"adcScaleBox", "adcScaleBox18", Kind::List, Reg::CH_CONFIG, Chan::Settings, {10, 10}, {10, 10}, 1, kPlain,
     kPlain, "ADC scaling on channel {0} changed to {1}.", ""},
    {"", "outputDisBox18", Kind::Check, Reg::CH_CONFIG, Chan::Settings, {0, 0}, {12, 12}, 1, kPlain, kPlain,
     "Pin disable mask {0} enabled.", ""},
    {"chanCurrentADCBox", "chanCurrentADCBox18", Kind::Check, Reg::CH_CONFIG, Chan::Settings, {13, 13}, {13, 13}, 1,
     kInv, kInv, "Load current ADC sampling on channel {0} enabled.",
     "Load current ADC sampling on channel {0} disabled."},
    {"chanVDSADCBox", "chanVDSADCBox18", Kind::Check, Reg::CH_CONFIG, Chan::Settings, {14, 14}, {14, 14}, 1, kInv,
     kInv, "VDS ADC sampling on channel {0} enabled.", "VDS ADC sampling on channel {0} disabled."},
    {"chanVBBADCBox", "chanVBBADCBox18", Kind::Check, Reg::CH_CONFIG, Chan::Settings, {15, 15}, {15, 15}, 1, kInv,
     kInv, "VOUT ADC sampling on channel {0} enabled.", "VOUT ADC sampling on channel {0} disabled."},

    {"nomCurrentBox", "nomCurrentBox18", Kind::List, Reg::I2T, Chan::Tuner, {0, 0}, {0, 0}, 3, kPlain, kPlain,
     "Nominal current on channel {0} changed to {1}.", ""},
    {"i2tTrack", "i2tTrack18", Kind::Slider, Reg::I2T, Chan::Tuner, {3, 3}, {3, 3}, 4, kPlain, kPlain,
     "I2T trip value of channel {0} set to {1}", ""},
    {"swLimitBox", "swLimitBox18", Kind::List, Reg::I2T, Chan::Tuner, {7, 7}, {7, 7}, 2, kPlain, kPlain,
     "Software current limit on channel {0} changed to {1}.", ""},
    {"swDelayBox", "swDelayBox18", Kind::List, Reg::I2T, Chan::Tuner, {9, 9}, {9, 9}, 2, kPlain, kPlain,
     "Software delay on channel {0} changed to {1}.", ""},
    {"cooldownDelayBox", "cooldownDelayBox18", Kind::List, Reg::I2T, Chan::Tuner, {14, 14}, {14, 14}, 2, kPlain,
     kPlain, "Cooldown timer on channel {0} changed to {1}.", ""},
    {"hwLimitBox", "hwLimitBox18", Kind::List, Reg::ILIM, Chan::Tuner, {0, 0}, {0, 0}, 4, kPlain, kPlain,
     "Hardware current limit on channel {0} changed to {1}.", ""},
    {"enableI2TBox", "enableI2TBox18", Kind::Check, Reg::ILIM, Chan::Tuner, {11, 11}, {11, 11}, 1, kPlain, kPlain,
     "I2T on channel {0} enabled.", "I2T on channel {0} disabled."},
    {"", "dcrFactorBox18", Kind::List, Reg::I2T, Chan::Tuner, {0, 0}, {11, 11}, 2, kPlain, kPlain,
     "Decrememnt factor on channel {0} changed to {1}.", ""},
    {"", "dcrModeBox18", Kind::List, Reg::I2T, Chan::Tuner, {0, 0}, {13, 13}, 1, kPlain, kPlain,
     "Decrememnt mode on channel {0} changed to {1}.", ""},
};

// Register addresses of the edit handlers (16-pin / 18-pin, channel 1).
inline uint8_t addressOf(Reg reg, bool eighteen, int channel)
{
    const int stride = 9 * channel;
    switch (reg) {
    case Reg::LPM: return eighteen ? 2 : 3;
    case Reg::FAULT_MASK: return eighteen ? 4 : 5;
    case Reg::SW_STATE: return eighteen ? 6 : 7;
    case Reg::DEV_CONFIG: return eighteen ? 8 : 9;
    case Reg::ADC_CONFIG: return eighteen ? 9 : 10;
    case Reg::PWM: return static_cast<uint8_t>((eighteen ? 13 : 14) + stride);
    case Reg::ILIM: return static_cast<uint8_t>((eighteen ? 14 : 15) + stride);
    case Reg::CH_CONFIG: return static_cast<uint8_t>((eighteen ? 15 : 16) + stride);
    case Reg::I2T: return static_cast<uint8_t>((eighteen ? 20 : 21) + stride);
    }
    return 0;
}


// What one change of a control must produce.
struct ExpectedEdit {
    uint8_t address = 0;
    uint16_t word = 0;
    QString line;  // empty: no log line
};

// The control's name on a family's pages ("" when that family has none).
const char* rowName(const Row& row, bool eighteen);
// Channel the row acts on (fixed rows ignore the selector's channel).
int rowChannel(const Row& row, int selectedChannel);
// Changes the row's control under root once (a switch flips, a list and the
// slider move to the next entry) and returns what must reach the chip, given
// the register word the control showed before. tripValues: the trip table
// in force (for the slider's label).
ExpectedEdit changeControl(QWidget* root, const Row& row, bool eighteen, int selectedChannel, uint16_t base,
                           std::span<const double> tripValues);

}  // namespace editortest
