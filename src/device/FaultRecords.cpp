#include "device/FaultRecords.h"

#include <utility>

namespace hss {
namespace {

constexpr std::array<FaultText, kFaultCount> kTexts{{
    {"limpFault", "Limp Home",
     "Indicated that the limp home pin has been triggered resulting in a limp home fault"},
    {"porFault", "Power on Reset (POR)", "Indicative of whether a power on reset has occurred."},
    {"wdtFault", "Watchdog Error",
     "the watchdog timer is enabled and there has not been an acceptable SPI command in the watchdog timeout "
     "window."},
    {"vbbUVLOFault", "VBB Undervoltage Lockout (UVLO)", "Set if the supply voltage is under the undervoltage lockout."},
    {"lpmFault", "Low-Power Mode (LPM)", "Set if device is in low-power mode (automatic or manual)"},
    {"vbbWarningFault", "VBB Undervoltage Warning",
     "Set if the supply voltage is under the undervoltage warning threshold."},
    {"spiFault", "SPI Communication Error",
     "Set by SPI communication error either from format, clock, or CRC errors."},
    {"vddUvloFault", "VDD Undervoltage Lockout (UVLO)", "Set if the VDD supply drops below the undervoltage lockout."},
    {"thWarnCh1", "Thermal Warning (CH1)",
     "Set if the junction temperature of CH1 rises above the thermal warning threshold."},
    {"thWarnCh2", "Thermal Warning (CH2)",
     "Set if the junction temperature of CH2 rises above the thermal warning threshold."},
    {"openLoadOffFaultCh1", "Open-Load (OFF) (CH1)",
     "Set if an open load condition in the OFF state is detected on channel 1"},
    {"openLoadOffFaultCh2", "Open-Load (OFF) (CH2)",
     "Set if an open load condition in the OFF state is detected on channel 2"},
    {"shortVbbFaultCh1", "Short-to-VBB Fault (CH1)", "A short is detected from VBB to output on channel 1."},
    {"shortVbbFaultCh2", "Short-to-VBB Fault (CH2)", "A short is detected from VBB to output on channel 2."},
    {"ilimFaultCh1", "Current Limit (CH1)", "The current limit has been engaged on channel 1"},
    {"ilimFaultCh2", "Current Limit (CH2)", "The current limit has been engaged on channel 2"},
    {"thermShutCh1", "Thermal Shutdown (CH1)", "A thermal shutdown event has occured on channel 1"},
    {"thermShutCh2", "Thermal Shutdown (CH2)", "A thermal shutdown event has occured on channel 2"},
    {"lpmWakeFaultCh1", "LPM Wakeup (CH1)", "Channel 1 has awaken from low-power mode (LPM)"},
    {"lpmWakeFaultCh2", "LPM Wakeup (CH2)", "Channel 2 has awaken from low-power mode (LPM)"},
    {"voutFaultCh1", "Output Voltage Fault (CH1)", "Channel 1 output voltage is not high despite EN signal."},
    {"voutFaultCh2", "Output Voltage Fault (CH2)", "Channel 2 output voltage is not high despite EN signal."},
    {"i2tFaultCh1", "I2T Fault (CH1)", "Fault has occured from I2T setting on channel 1"},
    {"i2tFaultCh2", "I2T Fault (CH2)", "Fault has occured from I2T setting on channel 2"},
    {"i2tAccCh1", "I2T Accumulating (CH1)",
     "The I2T threshold has tripped and Channel 1 is actively accumulating."},
    {"i2tAccCh2", "I2T Accumulating (CH2)",
     "The I2T threshold has tripped and Channel 2 is actively accumulating."},
}};

template <std::size_t... I>
std::array<HSSFault, kFaultCount> makeRecords(const HSSFault::Clock& clock, std::index_sequence<I...>)
{
    return {HSSFault(std::string(kTexts[I].name), std::string(kTexts[I].description), clock)...};
}

}  // namespace

const FaultText& faultText(FaultId fault)
{
    return kTexts.at(std::size_t(fault));
}

FaultRecords::FaultRecords(HSSFault::Clock clock)
    : records(makeRecords(clock, std::make_index_sequence<kFaultCount>{}))
{
}

void FaultRecords::clearAllStatistics()
{
    // The limp-home record keeps its count and date through a reset.
    for (std::size_t i = 0; i < kFaultCount; ++i) {
        if (FaultId(i) != FaultId::limpFault)
            records[i].resetFaultState();
    }
}

}  // namespace hss
