#pragma once
// ADC codes of the switch chip in engineering units, and the rounding the
// tool applies to every value it shows.

#include <cstdint>
#include <span>

namespace hss::measure {

// Conversion codes (the window's curDataFormat; 4 is used for VBB only).
enum ADCFormat : uint8_t {
    ADC_LOAD_CURRENT = 0,        // A
    ADC_OUTPUT_VOLTAGE = 1,      // V
    ADC_VDS_VOLTAGE = 2,         // V
    ADC_JUNCTION_TEMPERATURE = 3,  // degrees C
    ADC_SUPPLY_VOLTAGE = 4,      // V
};

// Bits 0-9 of a sample word are the code; bit 10 says the sample is valid.
inline constexpr uint16_t kADCCodeMask = 0x03FF;
inline constexpr uint16_t kADCValidBit = 0x0400;

// The value rounded up to the next hundredth: times 100, narrowed to single
// precision, rounded towards plus infinity, divided by 100.
float roundUpToHundredth(double value);

// The value cut down to the hundredth below: times 100, narrowed to single
// precision, rounded towards minus infinity, divided by 100.
float truncateToHundredth(double value);

// A code (bits 0-9) in the unit of its format, rounded up to the next
// hundredth; 0 for an unknown format. ksnsRatio matters for load current
// only; senseResistorOhms is RSNS.
float convertRawADCValue(uint16_t code, uint8_t format, float ksnsRatio, double senseResistorOhms);

// Arithmetic mean, summed and divided in double precision; 0 for no values.
float generateAverage(std::span<const float> values);

}  // namespace hss::measure
