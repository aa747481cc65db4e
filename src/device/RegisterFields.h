#pragma once
// Every bit field the tool reads or writes, by register. Fields alike in both
// families live in hss::field; those that differ live in hss::field16 and
// hss::field18. Per-channel fields of per-channel registers are the same for
// both channels (the address differs); fields that sit at a channel-dependent
// bit of a shared register are reached through the functions at the end.

#include "device/RegisterField.h"

namespace hss::field {

using R = HSSRegister;

// LPM
inline constexpr RegisterField LPM_ENABLE{R::LPM, 0, 1};

// DEV_FAULT (read only, polled)
inline constexpr RegisterField DEV_FAULT_VBB_UVLO{R::DEV_FAULT, 0, 1};
inline constexpr RegisterField DEV_FAULT_VBB_UV_WARNING{R::DEV_FAULT, 1, 1};
inline constexpr RegisterField DEV_FAULT_VDD_UVLO{R::DEV_FAULT, 2, 1};
inline constexpr RegisterField DEV_FAULT_WATCHDOG{R::DEV_FAULT, 3, 1};
inline constexpr RegisterField DEV_FAULT_SPI{R::DEV_FAULT, 4, 1};
inline constexpr RegisterField DEV_FAULT_POWER_ON_RESET{R::DEV_FAULT, 6, 1};
inline constexpr RegisterField DEV_FAULT_LIMP_HOME{R::DEV_FAULT, 7, 1};
inline constexpr RegisterField DEV_FAULT_GLOBAL{R::DEV_FAULT, 8, 1};
inline constexpr RegisterField DEV_FAULT_IN_LPM{R::DEV_FAULT, 11, 1};

// FAULT_MASK (1 = masked)
inline constexpr RegisterField FAULT_MASK_VBB_UVLO{R::FAULT_MASK, 0, 1};
inline constexpr RegisterField FAULT_MASK_WATCHDOG{R::FAULT_MASK, 1, 1};
inline constexpr RegisterField FAULT_MASK_SPI{R::FAULT_MASK, 2, 1};
inline constexpr RegisterField FAULT_MASK_OPEN_LOAD_OFF{R::FAULT_MASK, 4, 1};
inline constexpr RegisterField FAULT_MASK_SHORT_VBB{R::FAULT_MASK, 5, 1};

// ABIST_RESULT (16-pin; 1 = that self-test reports a fault)
inline constexpr RegisterField ABIST_BANDGAP{R::ABIST_RESULT, 0, 1};
inline constexpr RegisterField ABIST_ADC{R::ABIST_RESULT, 1, 1};
inline constexpr RegisterField ABIST_CH1_SHORT{R::ABIST_RESULT, 2, 1};
inline constexpr RegisterField ABIST_CH2_SHORT{R::ABIST_RESULT, 3, 1};
inline constexpr RegisterField ABIST_OTP{R::ABIST_RESULT, 4, 1};
inline constexpr RegisterField ABIST_CURRENT{R::ABIST_RESULT, 5, 1};

// SW_STATE
inline constexpr RegisterField SW_STATE_CH1{R::SW_STATE, 0, 1};
inline constexpr RegisterField SW_STATE_CH2{R::SW_STATE, 1, 1};
// The two enable bits together (the ticked channel list writes exactly these).
inline constexpr RegisterField SW_STATE_ENABLES{R::SW_STATE, 0, 2};

// DEV_CONFIG
inline constexpr RegisterField FAULT_LATCH{R::DEV_CONFIG, 0, 1, true};
inline constexpr RegisterField WDT_TIMEOUT{R::DEV_CONFIG, 1, 2};
inline constexpr RegisterField WDT_ENABLE{R::DEV_CONFIG, 3, 1};
inline constexpr RegisterField AUTO_LPM_ENABLE{R::DEV_CONFIG, 5, 1};
inline constexpr RegisterField LHI_BEHAVIOR_CH1{R::DEV_CONFIG, 7, 2};
inline constexpr RegisterField LHI_BEHAVIOR_CH2{R::DEV_CONFIG, 9, 2};

// ADC_CONFIG (the enables are on when clear)
inline constexpr RegisterField ADC_ENABLE{R::ADC_CONFIG, 0, 1, true};
inline constexpr RegisterField ADC_VBB_SAMPLING{R::ADC_CONFIG, 1, 1, true};
inline constexpr RegisterField ADC_CURRENT_SAMPLING{R::ADC_CONFIG, 2, 1, true};
inline constexpr RegisterField ADC_TEMPERATURE_SAMPLING{R::ADC_CONFIG, 3, 1, true};
inline constexpr RegisterField ADC_VOUT_SAMPLING{R::ADC_CONFIG, 4, 1, true};
inline constexpr RegisterField ADC_VDS_SAMPLING{R::ADC_CONFIG, 5, 1, true};
inline constexpr RegisterField ADC_SAMPLE_RATE{R::ADC_CONFIG, 6, 2};

// CH1_FAULT / CH2_FAULT (read only, polled)
inline constexpr RegisterField CH_FAULT_THERMAL_WARNING{R::CH_FAULT, 0, 1};
inline constexpr RegisterField CH_FAULT_OPEN_LOAD_OFF{R::CH_FAULT, 2, 1};
inline constexpr RegisterField CH_FAULT_SHORT_VBB{R::CH_FAULT, 3, 1};
inline constexpr RegisterField CH_FAULT_CURRENT_LIMIT{R::CH_FAULT, 4, 1};
inline constexpr RegisterField CH_FAULT_THERMAL_SHUTDOWN{R::CH_FAULT, 5, 1};
inline constexpr RegisterField CH_FAULT_LPM_WAKE{R::CH_FAULT, 6, 1};
inline constexpr RegisterField CH_FAULT_I2T{R::CH_FAULT, 7, 1};
// Any of bits 0-7 set: the channel is faulted.
inline constexpr RegisterField CH_FAULT_ANY{R::CH_FAULT, 0, 8};

// PWM_CH1 / PWM_CH2
inline constexpr RegisterField PWM_ENABLE{R::PWM_CH, 0, 1};
inline constexpr RegisterField PWM_DUTY{R::PWM_CH, 1, 8};
inline constexpr RegisterField PWM_FREQUENCY{R::PWM_CH, 9, 3};

// ILIM_CONFIG_CH1 / ILIM_CONFIG_CH2
inline constexpr RegisterField ILIMIT_SET{R::ILIM_CONFIG_CH, 0, 4};
inline constexpr RegisterField INRUSH_LEVEL{R::ILIM_CONFIG_CH, 4, 4};
inline constexpr RegisterField INRUSH_DURATION{R::ILIM_CONFIG_CH, 8, 3};
inline constexpr RegisterField I2T_ENABLE{R::ILIM_CONFIG_CH, 11, 1};
inline constexpr RegisterField CAP_CHARGE_MODE{R::ILIM_CONFIG_CH, 13, 1};

// CH1_CONFIG / CH2_CONFIG
inline constexpr RegisterField SLEW_RATE{R::CH_CONFIG, 0, 2};
inline constexpr RegisterField OL_OFF_PULLUP_CURRENT{R::CH_CONFIG, 5, 2};
inline constexpr RegisterField OL_BLANKING{R::CH_CONFIG, 7, 2};
inline constexpr RegisterField OL_SCALING{R::CH_CONFIG, 9, 1};
inline constexpr RegisterField ADC_SCALE{R::CH_CONFIG, 10, 1};
inline constexpr RegisterField CH_CURRENT_ADC{R::CH_CONFIG, 13, 1, true};
inline constexpr RegisterField CH_VDS_ADC{R::CH_CONFIG, 14, 1, true};
inline constexpr RegisterField CH_VOUT_ADC{R::CH_CONFIG, 15, 1, true};

// I2T_CONFIG_CH1 / I2T_CONFIG_CH2
inline constexpr RegisterField NOM_CUR{R::I2T_CONFIG_CH, 0, 3};
inline constexpr RegisterField I2T_TRIP{R::I2T_CONFIG_CH, 3, 4};
inline constexpr RegisterField ISWCL{R::I2T_CONFIG_CH, 7, 2};
inline constexpr RegisterField SWCL_DLY_TMR{R::I2T_CONFIG_CH, 9, 2};
inline constexpr RegisterField TCLDN{R::I2T_CONFIG_CH, 14, 2};
// The low cooldown bit, pulsed by the latch reset.
inline constexpr RegisterField LATCH_RESET_PULSE{R::I2T_CONFIG_CH, 14, 1};

// TEST_CTRL
inline constexpr RegisterField TEST_DIGITAL_SELECT{R::TEST_CTRL, 0, 5};
inline constexpr RegisterField TEST_ANALOG_SELECT{R::TEST_CTRL, 8, 5};

}  // namespace hss::field

namespace hss::field16 {

using R = HSSRegister;

inline constexpr RegisterField CRC_ENABLE{R::CRC_CONFIG, 0, 1};

inline constexpr RegisterField LPM_AUTO_ENTRY_CH1{R::LPM, 1, 1};
inline constexpr RegisterField LPM_AUTO_ENTRY_CH2{R::LPM, 2, 1};
inline constexpr RegisterField LPM_THRESHOLD_CH1{R::LPM, 3, 2};
inline constexpr RegisterField LPM_THRESHOLD_CH2{R::LPM, 5, 2};

inline constexpr RegisterField FAULT_MASK_CURRENT_LIMIT{R::FAULT_MASK, 6, 1};

inline constexpr RegisterField PARALLEL_CHANNELS{R::DEV_CONFIG, 4, 1};
inline constexpr RegisterField PWM_DELAY{R::DEV_CONFIG, 6, 1, true};

// SAFETY_TEST (1 = test initiated)
inline constexpr RegisterField SAFETY_TEST_BANDGAP{R::SAFETY_TEST, 0, 1};
inline constexpr RegisterField SAFETY_TEST_ADC{R::SAFETY_TEST, 1, 1};
inline constexpr RegisterField SAFETY_TEST_CH1_SHORT{R::SAFETY_TEST, 2, 1};
inline constexpr RegisterField SAFETY_TEST_CH2_SHORT{R::SAFETY_TEST, 3, 1};
inline constexpr RegisterField SAFETY_TEST_CURRENT{R::SAFETY_TEST, 4, 1};

// Shutdown behaviour: set = latch, clear = auto-retry.
inline constexpr RegisterField SHUTDOWN_LATCH{R::CH_CONFIG, 2, 1};
inline constexpr RegisterField VBB_SHORT_PULLDOWN{R::CH_CONFIG, 3, 1};
inline constexpr RegisterField OL_OFF_PULLUP{R::CH_CONFIG, 4, 1};

}  // namespace hss::field16

namespace hss::field18 {

using R = HSSRegister;

inline constexpr RegisterField CRC_ENABLE{R::DEV_CONFIG, 15, 1};

// 0 "Small FET", 1 "Large FET".
inline constexpr RegisterField LPM_FET_SELECT{R::LPM, 1, 1};
// The channel's automatic-LPM bit, shown as "Auto LPM Force Exit:".
inline constexpr RegisterField LPM_AUTO_CH1{R::LPM, 2, 1};
inline constexpr RegisterField LPM_AUTO_CH2{R::LPM, 3, 1};
// LPM current thresholds. The option lists have four entries, so a one-bit
// field cannot hold them, and bits 2 and 3 are already the automatic-LPM bits
// of the two channels. Settled for handlers, refresh and emulator alike:
// bits 4-5 hold channel 1's threshold index and bits 6-7 channel 2's.
inline constexpr RegisterField LPM_THRESHOLD_CH1{R::LPM, 4, 2};
inline constexpr RegisterField LPM_THRESHOLD_CH2{R::LPM, 6, 2};

inline constexpr RegisterField FAST_DI_OUTPUT{R::DEV_CONFIG, 6, 1};

inline constexpr RegisterField CH_FAULT_I2T_ACCUMULATING{R::CH_FAULT, 12, 1};

// Capacitive charging counts as on when bit 12 or bit 13 is set; edits
// write bit 13 only (hss::field::CAP_CHARGE_MODE).
inline constexpr RegisterField CAP_CHARGE_SHOWN{R::ILIM_CONFIG_CH, 12, 2};

// Shutdown behaviour: clear = latch, set = auto-retry (opposite to 16-pin).
inline constexpr RegisterField SHUTDOWN_LATCH{R::CH_CONFIG, 2, 1, true};
// "SVBB Enable Setting" index.
inline constexpr RegisterField SVBB_SETTING{R::CH_CONFIG, 3, 2};
inline constexpr RegisterField PIN_DISABLE_MASK{R::CH_CONFIG, 12, 1};

inline constexpr RegisterField DECREMENT_FACTOR{R::I2T_CONFIG_CH, 11, 2};
inline constexpr RegisterField DECREMENT_MODE{R::I2T_CONFIG_CH, 13, 1};

}  // namespace hss::field18

namespace hss::field {

// Channel-dependent fields of shared registers. Channel 0 is channel 1; any
// other index means channel 2, as with the records' getters. Family NONE
// gets the 16-pin layout (its address lookup is empty anyway).

constexpr RegisterField switchStateField(uint8_t channel)
{
    return channel == 0 ? SW_STATE_CH1 : SW_STATE_CH2;
}

constexpr RegisterField lhiBehaviorField(uint8_t channel)
{
    return channel == 0 ? LHI_BEHAVIOR_CH1 : LHI_BEHAVIOR_CH2;
}

constexpr RegisterField crcEnableField(hss_device_family_t family)
{
    return family == HSS_FAMILY_18PWP ? field18::CRC_ENABLE : field16::CRC_ENABLE;
}

// The automatic-LPM bit of a channel (16-pin: auto entry; 18-pin: the
// bit shown as "Auto LPM Force Exit:").
constexpr RegisterField lpmAutoField(hss_device_family_t family, uint8_t channel)
{
    if (family == HSS_FAMILY_18PWP)
        return channel == 0 ? field18::LPM_AUTO_CH1 : field18::LPM_AUTO_CH2;
    return channel == 0 ? field16::LPM_AUTO_ENTRY_CH1 : field16::LPM_AUTO_ENTRY_CH2;
}

constexpr RegisterField lpmThresholdField(hss_device_family_t family, uint8_t channel)
{
    if (family == HSS_FAMILY_18PWP)
        return channel == 0 ? field18::LPM_THRESHOLD_CH1 : field18::LPM_THRESHOLD_CH2;
    return channel == 0 ? field16::LPM_THRESHOLD_CH1 : field16::LPM_THRESHOLD_CH2;
}

// Latch-or-retry switch: isOn() is true when the channel latches.
constexpr RegisterField shutdownLatchField(hss_device_family_t family)
{
    return family == HSS_FAMILY_18PWP ? field18::SHUTDOWN_LATCH : field16::SHUTDOWN_LATCH;
}

// Whether capacitive charging is shown as on.
constexpr RegisterField capChargeShownField(hss_device_family_t family)
{
    return family == HSS_FAMILY_18PWP ? field18::CAP_CHARGE_SHOWN : CAP_CHARGE_MODE;
}

}  // namespace hss::field
