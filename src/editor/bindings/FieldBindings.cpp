// The rows of the binding table. Log texts are the tool's established
// wording, kept letter for letter (log parsers and stored logs rely on them).

#include <algorithm>
#include <array>

#include "editor/bindings/FieldBinding.h"

namespace editor {
namespace {

namespace F = hss::field;
namespace F16 = hss::field16;
namespace F18 = hss::field18;

using K = ControlKind;
using S = FamilyScope;
using C = ChannelSource;
using A = MessageArgs;
using U = FollowUp;

constexpr ChannelFields both(RegisterField field) { return {field, field}; }
constexpr ChannelFields split(RegisterField ch1, RegisterField ch2) { return {ch1, ch2}; }
constexpr ChannelFields none() { return {}; }

// Device-level settings of the "Device Settings" pages and the shared
// controls of the "Command Center" page.
const FieldBinding kDeviceRows[] = {
    {.name = "latchFaultBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::FAULT_LATCH), .eighteen = both(F::FAULT_LATCH),
     .whenOn = "Fault latch enabled.", .whenOff = "Fault latch disabled."},
    {.name = "wdEnableBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::WDT_ENABLE), .eighteen = both(F::WDT_ENABLE),
     .whenOn = "Watchdog timer enabled.", .whenOff = "Watchdog timer disabled."},
    {.name = "wdtDurationBox", .kind = K::List, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::WDT_TIMEOUT), .eighteen = both(F::WDT_TIMEOUT),
     .whenOn = "Watchdog duration changed to {0}", .args = A::Index},
    {.name = "parallelBox", .kind = K::CheckBox, .scope = S::Only16, .channel = C::None,
     .sixteen = both(F16::PARALLEL_CHANNELS), .eighteen = none(),
     .whenOn = "Parallel channel option enabled.", .whenOff = "Parallel channel option disabled."},
    {.name = "pwmDelayBox", .kind = K::CheckBox, .scope = S::Only16, .channel = C::None,
     .sixteen = both(F16::PWM_DELAY), .eighteen = none(),
     .whenOn = "PWM delay enabled.", .whenOff = "PWM delay disabled."},
    {.name = "fastDIDisableBox", .kind = K::CheckBox, .scope = S::Only18, .channel = C::None,
     .sixteen = none(), .eighteen = both(F18::FAST_DI_OUTPUT),
     .whenOn = "Fast output with DI pin enabled.", .whenOff = "Fast output with DI pin disabled."},
    {.name = "autoLPMCheckBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::AUTO_LPM_ENABLE), .eighteen = both(F::AUTO_LPM_ENABLE),
     .whenOn = "Auto-LPM Enabled.", .whenOff = "Auto-LPM Disabled."},

    {.name = "adcEnableBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::ADC_ENABLE), .eighteen = both(F::ADC_ENABLE),
     .whenOn = "Device-level ADC enabled.", .whenOff = "Device-level ADC disabled."},
    {.name = "adcSouceInVBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::ADC_VBB_SAMPLING), .eighteen = both(F::ADC_VBB_SAMPLING),
     .whenOn = "Device-level VBB ADC sampling enabled.", .whenOff = "Device-level VBB ADC sampling disabled."},
    {.name = "adcSourceCurrentBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::ADC_CURRENT_SAMPLING), .eighteen = both(F::ADC_CURRENT_SAMPLING),
     .whenOn = "Device-level current ADC sampling enabled.",
     .whenOff = "Device-level current ADC sampling disabled."},
    {.name = "adcSourceJunctionBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::ADC_TEMPERATURE_SAMPLING), .eighteen = both(F::ADC_TEMPERATURE_SAMPLING),
     .whenOn = "Device-level temperature ADC sampling enabled.",
     .whenOff = "Device-level temperature ADC sampling disabled."},
    {.name = "adcSourceOutVBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::ADC_VOUT_SAMPLING), .eighteen = both(F::ADC_VOUT_SAMPLING),
     .whenOn = "Device-level VOUT ADC sampling enabled.", .whenOff = "Device-level VOUT ADC sampling disabled."},
    {.name = "adcSourceVDSBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::ADC_VDS_SAMPLING), .eighteen = both(F::ADC_VDS_SAMPLING),
     .whenOn = "VDS Source Enabled", .whenOff = "VDS Source Disabled."},
    {.name = "adcSampleRateBox", .kind = K::List, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::ADC_SAMPLE_RATE), .eighteen = both(F::ADC_SAMPLE_RATE),
     .whenOn = "ADC Sample Rate Config changed to {0}", .args = A::Text},

    {.name = "faultMaskVBBUVLO", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::FAULT_MASK_VBB_UVLO), .eighteen = both(F::FAULT_MASK_VBB_UVLO),
     .whenOn = "VBB UVLO fault mask enabled.", .whenOff = "VBB UVLO fault mask disabled."},
    {.name = "faultMaskWDTBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::FAULT_MASK_WATCHDOG), .eighteen = both(F::FAULT_MASK_WATCHDOG),
     .whenOn = "WDT fault mask enabled.", .whenOff = "WDT fault mask disabled."},
    {.name = "faultMaskSPIBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::FAULT_MASK_SPI), .eighteen = both(F::FAULT_MASK_SPI),
     .whenOn = "SPI fault mask enabled.", .whenOff = "SPI fault mask disabled."},
    {.name = "faultMaskOpenLoadBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::FAULT_MASK_OPEN_LOAD_OFF), .eighteen = both(F::FAULT_MASK_OPEN_LOAD_OFF),
     .whenOn = "Open load OFF fault mask enabled.", .whenOff = "Open load OFF fault mask disabled."},
    {.name = "faultMaskShortVBBBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::None,
     .sixteen = both(F::FAULT_MASK_SHORT_VBB), .eighteen = both(F::FAULT_MASK_SHORT_VBB),
     .whenOn = "Short-to-VBB fault mask enabled.", .whenOff = "Short-to-VBB fault mask disabled."},
    {.name = "faultMaskCLBox", .kind = K::CheckBox, .scope = S::Only16, .channel = C::None,
     .sixteen = both(F16::FAULT_MASK_CURRENT_LIMIT), .eighteen = none(),
     .whenOn = "Current limit fault mask enabled.", .whenOff = "Current limit fault mask disabled."},

    {.name = "lpmEnableBox", .kind = K::CheckBox, .scope = S::Shared, .channel = C::None,
     .sixteen = both(F::LPM_ENABLE), .eighteen = both(F::LPM_ENABLE),
     .whenOn = "Low-power mode enabled.", .whenOff = "Low-power mode disabled."},
    {.name = "lpmAutoEntryBox1", .kind = K::CheckBox, .scope = S::Shared, .channel = C::None,
     .sixteen = both(F16::LPM_AUTO_ENTRY_CH1), .eighteen = both(F18::LPM_AUTO_CH1),
     .whenOn = "Auto-entry for LPM enabled on channel 1."},
    {.name = "lpmAutoEntryBox2", .kind = K::CheckBox, .scope = S::Shared, .channel = C::None,
     .sixteen = both(F16::LPM_AUTO_ENTRY_CH2), .eighteen = both(F18::LPM_AUTO_CH2),
     .whenOn = "Auto-entry for LPM enabled on channel 2."},
    {.name = "lpmCh1ThreshBox", .kind = K::List, .scope = S::Shared, .channel = C::None,
     .sixteen = both(F16::LPM_THRESHOLD_CH1), .eighteen = both(F18::LPM_THRESHOLD_CH1),
     .whenOn = "LPM threshold for channel 1 changed to {0}", .args = A::Text},
    {.name = "lpmCh2ThreshBox", .kind = K::List, .scope = S::Shared, .channel = C::None,
     .sixteen = both(F16::LPM_THRESHOLD_CH2), .eighteen = both(F18::LPM_THRESHOLD_CH2),
     .whenOn = "LPM threshold for channel 2 changed to {0}", .args = A::Text},
    {.name = "manLPMModeBox18", .kind = K::List, .scope = S::Only18, .channel = C::None,
     .sixteen = none(), .eighteen = both(F18::LPM_FET_SELECT),
     .whenOn = "LPM FET set to {0}", .args = A::Text, .followUp = U::ReloadLists},

    {.name = "cmdPWMEn1", .kind = K::CheckBox, .scope = S::Shared, .channel = C::Channel1,
     .sixteen = both(F::PWM_ENABLE), .eighteen = both(F::PWM_ENABLE),
     .whenOn = "PWN on channel 1 enabled.", .whenOff = "PWN on channel 1 disabled."},
    {.name = "cmdPWMEn2", .kind = K::CheckBox, .scope = S::Shared, .channel = C::Channel2,
     .sixteen = both(F::PWM_ENABLE), .eighteen = both(F::PWM_ENABLE),
     .whenOn = "PWN on channel 2 enabled."},
    {.name = "cmdPWMFreqBox1", .kind = K::List, .scope = S::Shared, .channel = C::Channel1,
     .sixteen = both(F::PWM_FREQUENCY), .eighteen = both(F::PWM_FREQUENCY),
     .whenOn = "PWM frequency on channel 1 changed to {0}.", .args = A::Text},
    {.name = "cmdPWMFreqBox2", .kind = K::List, .scope = S::Shared, .channel = C::Channel2,
     .sixteen = both(F::PWM_FREQUENCY), .eighteen = both(F::PWM_FREQUENCY),
     .whenOn = "PWM frequency on channel 2 changed to {0}.", .args = A::Text},
    {.name = "cmdPWMDutyBox1", .kind = K::List, .scope = S::Shared, .channel = C::Channel1,
     .sixteen = both(F::PWM_DUTY), .eighteen = both(F::PWM_DUTY),
     .whenOn = "PWM duty on channel 1 changed to {0}.", .args = A::Text},
    {.name = "cmdPWMDutyBox2", .kind = K::List, .scope = S::Shared, .channel = C::Channel2,
     .sixteen = both(F::PWM_DUTY), .eighteen = both(F::PWM_DUTY),
     .whenOn = "PWM duty on channel 2 changed to {0}.", .args = A::Text},
};

// "Channel Settings" pages: the channel comes from the page's selector.
const FieldBinding kChannelRows[] = {
    {.name = "chanSettingENBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = split(F::SW_STATE_CH1, F::SW_STATE_CH2), .eighteen = split(F::SW_STATE_CH1, F::SW_STATE_CH2),
     .whenOn = "Channel {0} switch state enabled.", .whenOff = "Channel {0} switch state disabled."},
    {.name = "lhiBehaviorBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = split(F::LHI_BEHAVIOR_CH1, F::LHI_BEHAVIOR_CH2),
     .eighteen = split(F::LHI_BEHAVIOR_CH1, F::LHI_BEHAVIOR_CH2),
     .whenOn = "LHI behavior on channel {0} set to {1}"},
    {.name = "chanSettingLPMCurrentBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = split(F16::LPM_THRESHOLD_CH1, F16::LPM_THRESHOLD_CH2),
     .eighteen = split(F18::LPM_THRESHOLD_CH1, F18::LPM_THRESHOLD_CH2),
     .whenOn = "LPM exit current on channel {0} set to {1}"},
    {.name = "chanSettingsLPMAutoBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = split(F16::LPM_AUTO_ENTRY_CH1, F16::LPM_AUTO_ENTRY_CH2),
     .eighteen = split(F18::LPM_AUTO_CH1, F18::LPM_AUTO_CH2),
     .whenOn = "Auto-LPM Force Exit enabled on channel {0}.",
     .whenOff = "Auto-LPM Force Exit disabled on channel {0}."},

    {.name = "chanSettingPwmEnBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::PWM_ENABLE), .eighteen = both(F::PWM_ENABLE),
     .whenOn = "PWM on channel enabled.", .whenOff = "PWM on channel disabled."},
    {.name = "chanSettingPWMFreqBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::PWM_FREQUENCY), .eighteen = both(F::PWM_FREQUENCY),
     .whenOn = "PWM frequency on channel {0} set to {1}"},
    {.name = "chanSettingPWMDutyBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::PWM_DUTY), .eighteen = both(F::PWM_DUTY),
     .whenOn = "PWM duty cycle on channel {0} set to {1}"},

    {.name = "chanSettingCurrentLimitBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::ILIMIT_SET), .eighteen = both(F::ILIMIT_SET),
     .whenOn = "Hardware current limit on channel {0} changed to {1}."},
    {.name = "chargeLevelBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::INRUSH_LEVEL), .eighteen = both(F::INRUSH_LEVEL),
     .whenOn = "Charge level on channel {0} changed to {1}.", .followUp = U::ReRead},
    {.name = "inRushValueBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::INRUSH_LEVEL), .eighteen = both(F::INRUSH_LEVEL),
     .whenOn = "Charge level on channel {0} changed to {1}.", .followUp = U::ReRead},
    {.name = "capChargeDurationBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::INRUSH_DURATION), .eighteen = both(F::INRUSH_DURATION),
     .whenOn = "Charge duration on channel {0} changed to {1}.", .followUp = U::ReRead},
    {.name = "chanSettingInrushDurationBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::INRUSH_DURATION), .eighteen = both(F::INRUSH_DURATION),
     .whenOn = "Charge duration on channel {0} changed to {1}.", .followUp = U::ReRead},
    {.name = "chanSettingI2TEnBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::I2T_ENABLE), .eighteen = both(F::I2T_ENABLE),
     .whenOn = "I2T on channel {0} enabled.", .whenOff = "I2T on channel {0} disabled."},
    {.name = "capChargeEnableBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::CAP_CHARGE_MODE), .eighteen = both(F::CAP_CHARGE_MODE),
     .whenOn = "Capacitive charging mode enabled on channel {0}",
     .whenOff = "Capacitive charging mode disabled on channel {0}", .followUp = U::CurrentLimitEnabling,
     .shown18 = F18::CAP_CHARGE_SHOWN},

    {.name = "chanSettingNomBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::NOM_CUR), .eighteen = both(F::NOM_CUR),
     .whenOn = "Nominal current on channel {0} changed to {1}."},
    {.name = "chanSettingI2TBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::I2T_TRIP), .eighteen = both(F::I2T_TRIP),
     .whenOn = "I2T trip value on channel {0} changed to {1}."},
    {.name = "chanSettingSWCLBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::ISWCL), .eighteen = both(F::ISWCL),
     .whenOn = "Software current limit on channel {0} changed to {1}."},
    {.name = "chanSettingSWDelayBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::SWCL_DLY_TMR), .eighteen = both(F::SWCL_DLY_TMR),
     .whenOn = "Software delay on channel {0} changed to {1}."},
    {.name = "chanSettingCLTimer", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::TCLDN), .eighteen = both(F::TCLDN),
     .whenOn = "Cooldown timer on channel {0} changed to {1}."},
    {.name = "chanSettingDecFactBox18", .kind = K::List, .scope = S::Only18, .channel = C::ChannelSettings,
     .sixteen = none(), .eighteen = both(F18::DECREMENT_FACTOR),
     .whenOn = "Decrememnt factor on channel {0} changed to {1}."},
    {.name = "chanSettingsDecModeBox18", .kind = K::List, .scope = S::Only18, .channel = C::ChannelSettings,
     .sixteen = none(), .eighteen = both(F18::DECREMENT_MODE),
     .whenOn = "Decrememnt mode on channel {0} changed to {1}.", .followUp = U::ReloadLists},

    {.name = "slewRateBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::SLEW_RATE), .eighteen = both(F::SLEW_RATE),
     .whenOn = "Slew rate on channel {0} changed to {1}."},
    {.name = "shutdownLatchBox", .kind = K::LatchRadio, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F16::SHUTDOWN_LATCH), .eighteen = both(F18::SHUTDOWN_LATCH),
     .whenOn = "Shutdown retry on channel {0} set to latch.",
     .whenOff = "Shutdown retry on channel {0} set to auto-retry.", .partner = "shutdownRetryBox"},
    {.name = "vbbPulldownBox", .kind = K::CheckBox, .scope = S::Only16, .channel = C::ChannelSettings,
     .sixteen = both(F16::VBB_SHORT_PULLDOWN), .eighteen = none(),
     .whenOn = "VBB short pull-down on channel {0} enabled.",
     .whenOff = "VBB short pull-down on channel {0} disabled."},
    {.name = "olOffPullBox", .kind = K::CheckBox, .scope = S::Only16, .channel = C::ChannelSettings,
     .sixteen = both(F16::OL_OFF_PULLUP), .eighteen = none(),
     .whenOn = "Open-load OFF pull-up on channel {0} enabled.",
     .whenOff = "Open-load OFF pull-up on channel {0} disabled."},
    {.name = "olOffMode18", .kind = K::List, .scope = S::Only18, .channel = C::ChannelSettings,
     .sixteen = none(), .eighteen = both(F18::SVBB_SETTING),
     .whenOn = "SVBB Enable Setting of channel {0} set to {1}", .send = SendPath::Direct},
    {.name = "wbOffCurrrentBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::OL_OFF_PULLUP_CURRENT), .eighteen = both(F::OL_OFF_PULLUP_CURRENT),
     .whenOn = "Open-load OFF pull-up on channel {0} changed to {1}."},
    {.name = "wbBlankBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::OL_BLANKING), .eighteen = both(F::OL_BLANKING),
     .whenOn = "Open-load blanking on channel {0} changed to {1}."},
    {.name = "olScalingBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::OL_SCALING), .eighteen = both(F::OL_SCALING),
     .whenOn = "Open-load scaling on channel {0} enabled.", .whenOff = "Open-load scaling on channel {0} disabled."},
    {.name = "adcScaleBox", .kind = K::List, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::ADC_SCALE), .eighteen = both(F::ADC_SCALE),
     .whenOn = "ADC scaling on channel {0} changed to {1}."},
    {.name = "outputDisBox18", .kind = K::CheckBox, .scope = S::Only18, .channel = C::ChannelSettings,
     .sixteen = none(), .eighteen = both(F18::PIN_DISABLE_MASK), .whenOn = "Pin disable mask {0} enabled."},
    {.name = "chanCurrentADCBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::CH_CURRENT_ADC), .eighteen = both(F::CH_CURRENT_ADC),
     .whenOn = "Load current ADC sampling on channel {0} enabled.",
     .whenOff = "Load current ADC sampling on channel {0} disabled."},
    {.name = "chanVDSADCBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::CH_VDS_ADC), .eighteen = both(F::CH_VDS_ADC),
     .whenOn = "VDS ADC sampling on channel {0} enabled.", .whenOff = "VDS ADC sampling on channel {0} disabled."},
    {.name = "chanVBBADCBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::ChannelSettings,
     .sixteen = both(F::CH_VOUT_ADC), .eighteen = both(F::CH_VOUT_ADC),
     .whenOn = "VOUT ADC sampling on channel {0} enabled.", .whenOff = "VOUT ADC sampling on channel {0} disabled."},
};

// "I2T Tuner" pages: the channel comes from the tuner's selector.
const FieldBinding kTunerRows[] = {
    {.name = "nomCurrentBox", .kind = K::List, .scope = S::Twins, .channel = C::TunerSelector,
     .sixteen = both(F::NOM_CUR), .eighteen = both(F::NOM_CUR),
     .whenOn = "Nominal current on channel {0} changed to {1}.", .followUp = U::Redraw},
    {.name = "i2tTrack", .kind = K::Slider, .scope = S::Twins, .channel = C::TunerSelector,
     .sixteen = both(F::I2T_TRIP), .eighteen = both(F::I2T_TRIP),
     .whenOn = "I2T trip value of channel {0} set to {1}", .followUp = U::Redraw},
    {.name = "swLimitBox", .kind = K::List, .scope = S::Twins, .channel = C::TunerSelector,
     .sixteen = both(F::ISWCL), .eighteen = both(F::ISWCL),
     .whenOn = "Software current limit on channel {0} changed to {1}.", .followUp = U::Redraw},
    {.name = "swDelayBox", .kind = K::List, .scope = S::Twins, .channel = C::TunerSelector,
     .sixteen = both(F::SWCL_DLY_TMR), .eighteen = both(F::SWCL_DLY_TMR),
     .whenOn = "Software delay on channel {0} changed to {1}.", .followUp = U::Redraw},
    {.name = "cooldownDelayBox", .kind = K::List, .scope = S::Twins, .channel = C::TunerSelector,
     .sixteen = both(F::TCLDN), .eighteen = both(F::TCLDN),
     .whenOn = "Cooldown timer on channel {0} changed to {1}.", .followUp = U::RedrawAndLatchButton},
    {.name = "hwLimitBox", .kind = K::List, .scope = S::Twins, .channel = C::TunerSelector,
     .sixteen = both(F::ILIMIT_SET), .eighteen = both(F::ILIMIT_SET),
     .whenOn = "Hardware current limit on channel {0} changed to {1}.", .followUp = U::Redraw},
    {.name = "enableI2TBox", .kind = K::CheckBox, .scope = S::Twins, .channel = C::TunerSelector,
     .sixteen = both(F::I2T_ENABLE), .eighteen = both(F::I2T_ENABLE),
     .whenOn = "I2T on channel {0} enabled.", .whenOff = "I2T on channel {0} disabled."},
    {.name = "dcrFactorBox18", .kind = K::List, .scope = S::Only18, .channel = C::TunerSelector,
     .sixteen = none(), .eighteen = both(F18::DECREMENT_FACTOR),
     .whenOn = "Decrememnt factor on channel {0} changed to {1}.", .followUp = U::Redraw},
    {.name = "dcrModeBox18", .kind = K::List, .scope = S::Only18, .channel = C::TunerSelector,
     .sixteen = none(), .eighteen = both(F18::DECREMENT_MODE),
     .whenOn = "Decrememnt mode on channel {0} changed to {1}.", .followUp = U::ReloadListsAndRedraw},
};

template <std::size_t A1, std::size_t A2, std::size_t A3>
std::array<FieldBinding, A1 + A2 + A3> joinRows(const FieldBinding (&a)[A1], const FieldBinding (&b)[A2],
                                                const FieldBinding (&c)[A3])
{
    std::array<FieldBinding, A1 + A2 + A3> all{};
    auto out = std::copy(std::begin(a), std::end(a), all.begin());
    out = std::copy(std::begin(b), std::end(b), out);
    std::copy(std::begin(c), std::end(c), out);
    return all;
}

}  // namespace

std::span<const FieldBinding> fieldBindings()
{
    static const auto rows = joinRows(kDeviceRows, kChannelRows, kTunerRows);
    return rows;
}

const FieldBinding* findBinding(std::string_view name)
{
    for (const FieldBinding& row : fieldBindings()) {
        if (row.name == name)
            return &row;
    }
    return nullptr;
}

}  // namespace editor
