// Captions by register field. Per-channel fields that sit at a channel's own
// bits of a shared register are listed once per channel with one caption.

#include "editor/bindings/FieldCaptions.h"

#include "device/RegisterFields.h"

namespace editor {
namespace {

namespace F = hss::field;
namespace F16 = hss::field16;
namespace F18 = hss::field18;

enum class Families : uint8_t { Both, Only16, Only18 };

struct Caption {
    Families families;
    RegisterField field;
    std::string_view text;
};

constexpr Families B = Families::Both;

const Caption kCaptions[] = {
    // Device level.
    {Families::Only16, F16::CRC_ENABLE, "SPI CRC Enable"},
    {Families::Only18, F18::CRC_ENABLE, "SPI CRC Enable"},
    {B, F::AUTO_LPM_ENABLE, "Automatic LPM Enable"},
    {B, F::FAULT_LATCH, "Fault Latch"},
    {B, F::WDT_ENABLE, "Watchdog Enable"},
    {B, F::WDT_TIMEOUT, "Watchdog Timeout"},
    {Families::Only16, F16::PARALLEL_CHANNELS, "Parallel Channels"},
    {Families::Only16, F16::PWM_DELAY, "PWM Delay"},
    {Families::Only18, F18::FAST_DI_OUTPUT, "Fast Output with DI Pin"},
    {B, F::LHI_BEHAVIOR_CH1, "LHI Behavior"},
    {B, F::LHI_BEHAVIOR_CH2, "LHI Behavior"},

    {B, F::ADC_ENABLE, "ADC Enable"},
    {B, F::ADC_VBB_SAMPLING, "VBB Sampling"},
    {B, F::ADC_CURRENT_SAMPLING, "Load Current Sampling"},
    {B, F::ADC_TEMPERATURE_SAMPLING, "Temperature Sampling"},
    {B, F::ADC_VOUT_SAMPLING, "VOUT Sampling"},
    {B, F::ADC_VDS_SAMPLING, "VDS Sampling"},
    {B, F::ADC_SAMPLE_RATE, "Sample Rate"},

    {B, F::FAULT_MASK_VBB_UVLO, "VBB Undervoltage Lockout"},
    {B, F::FAULT_MASK_WATCHDOG, "Watchdog"},
    {B, F::FAULT_MASK_SPI, "SPI"},
    {B, F::FAULT_MASK_OPEN_LOAD_OFF, "Open Load (OFF)"},
    {B, F::FAULT_MASK_SHORT_VBB, "Short to VBB"},
    {Families::Only16, F16::FAULT_MASK_CURRENT_LIMIT, "Current Limit"},

    // LPM. The 16-pin auto bits are the "Auto LPM Entry" boxes; on the
    // 18-pin chip the same two bits read "Auto LPM Force Exit".
    {B, F::LPM_ENABLE, "Low-Power Mode"},
    {Families::Only16, F16::LPM_AUTO_ENTRY_CH1, "Auto LPM Entry"},
    {Families::Only16, F16::LPM_AUTO_ENTRY_CH2, "Auto LPM Entry"},
    {Families::Only16, F16::LPM_THRESHOLD_CH1, "LPM Exit Current"},
    {Families::Only16, F16::LPM_THRESHOLD_CH2, "LPM Exit Current"},
    {Families::Only18, F18::LPM_AUTO_CH1, "Auto LPM Force Exit"},
    {Families::Only18, F18::LPM_AUTO_CH2, "Auto LPM Force Exit"},
    {Families::Only18, F18::LPM_THRESHOLD_CH1, "LPM Exit Current"},
    {Families::Only18, F18::LPM_THRESHOLD_CH2, "LPM Exit Current"},
    {Families::Only18, F18::LPM_FET_SELECT, "LPM FET"},

    // Channel.
    {B, F::SW_STATE_CH1, "Channel Enable"},
    {B, F::SW_STATE_CH2, "Channel Enable"},
    {B, F::PWM_ENABLE, "PWM Enable"},
    {B, F::PWM_FREQUENCY, "PWM Frequency"},
    {B, F::PWM_DUTY, "PWM Duty Cycle"},

    {B, F::ILIMIT_SET, "Hardware Current Limit (A)"},
    // One field: the inrush limit, or the charge level in capacitive
    // charging mode.
    {B, F::INRUSH_LEVEL, "Inrush Level (A)"},
    {B, F::INRUSH_DURATION, "Inrush Duration"},
    {B, F::I2T_ENABLE, "I2T Enable"},
    {B, F::CAP_CHARGE_MODE, "Capacitive Charging Mode"},

    {B, F::NOM_CUR, "Nominal Current (A)"},
    {B, F::I2T_TRIP, "I2T Trip Value (A2s)"},
    {B, F::ISWCL, "Software Current Limit (A)"},
    {B, F::SWCL_DLY_TMR, "Software Limit Delay (ms)"},
    {B, F::TCLDN, "Cooldown Time (s)"},
    {Families::Only18, F18::DECREMENT_MODE, "Decrementer"},
    {Families::Only18, F18::DECREMENT_FACTOR, "Decrement Factor"},

    {B, F::SLEW_RATE, "Slew Rate (V/us)"},
    {Families::Only16, F16::SHUTDOWN_LATCH, "Shutdown Behavior"},
    {Families::Only18, F18::SHUTDOWN_LATCH, "Shutdown Behavior"},
    {Families::Only16, F16::VBB_SHORT_PULLDOWN, "VBB Short Pull-Down"},
    {Families::Only16, F16::OL_OFF_PULLUP, "Open-Load OFF Pull-Up"},
    {Families::Only18, F18::SVBB_SETTING, "SVBB Enable Setting"},
    {B, F::OL_OFF_PULLUP_CURRENT, "Open-Load OFF Pull-Up Current"},
    {B, F::OL_BLANKING, "Open-Load Blanking"},
    {B, F::OL_SCALING, "Open-Load Scaling"},
    {B, F::ADC_SCALE, "ADC Scaling"},
    {Families::Only18, F18::PIN_DISABLE_MASK, "Pin Disable Mask"},
    {B, F::CH_CURRENT_ADC, "Load Current ADC Sampling"},
    {B, F::CH_VDS_ADC, "VDS ADC Sampling"},
    {B, F::CH_VOUT_ADC, "VOUT ADC Sampling"},
};

bool covers(Families families, hss_device_family_t family)
{
    switch (families) {
    case Families::Both:
        return family == HSS_FAMILY_16PWP || family == HSS_FAMILY_18PWP;
    case Families::Only16:
        return family == HSS_FAMILY_16PWP;
    case Families::Only18:
        return family == HSS_FAMILY_18PWP;
    }
    return false;
}

}  // namespace

std::string_view fieldCaption(hss_device_family_t family, const RegisterField& field)
{
    for (const Caption& caption : kCaptions) {
        if (covers(caption.families, family) && caption.field.sameBits(field))
            return caption.text;
    }
    return {};
}

std::vector<RegisterField> captionedFields(hss_device_family_t family)
{
    std::vector<RegisterField> fields;
    for (const Caption& caption : kCaptions) {
        if (covers(caption.families, family))
            fields.push_back(caption.field);
    }
    return fields;
}

std::string_view rowCaption(const FieldBinding& binding, hss_device_family_t family)
{
    if (!appliesTo(binding, family))
        return {};
    const auto field = fieldFor(binding, family, 0);
    return field ? fieldCaption(family, *field) : std::string_view{};
}

}  // namespace editor
