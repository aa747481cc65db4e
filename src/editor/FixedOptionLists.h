#pragma once
// Option lists that are the same for every part and never reloaded, and
// the items the part-dependent lists hold until a part with tables is
// identified. A list's selected index is the raw value of its field.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hss::options {

using S = std::string_view;

// PWM_CHx bits 9-11.
inline constexpr std::array<S, 8> pwmFrequencyItems{"0.8Hz", "3.4Hz", "13.8Hz", "111Hz",
                                                    "221Hz", "443Hz", "885Hz",  "1770Hz"};
// PWM_CHx bits 1-8: 256 entries, see pwmDutyText().
inline constexpr std::size_t kPwmDutyCount = 256;
// DEV_CONFIG bits 1-2.
inline constexpr std::array<S, 4> wdtDurationItems{"400us", "400ms", "800ms", "1200ms"};
// ADC_CONFIG bits 6-7.
inline constexpr std::array<S, 3> adcSampleRateItems{"Maximum", "50% Max", "25% Max"};
// ILIM_CONFIG_CHx bits 8-10.
inline constexpr std::array<S, 8> inrushDurationItems{"0ms", "2ms", "4ms", "6ms", "10ms", "20ms", "50ms", "100ms"};
// CHx_CONFIG bits 7-8.
inline constexpr std::array<S, 4> olBlankingItems{"0.4ms", "1.0ms", "2.0ms", "4.0ms"};
// CHx_CONFIG bit 10.
inline constexpr std::array<S, 2> adcScaleItems{"1x", "8x"};
// DEV_CONFIG bits 7-8 (channel 1), 9-10 (channel 2).
inline constexpr std::array<S, 4> lhiBehaviorItems{"DI Pin Controlled", "Keep Output", "Output Off", "Output On"};
// 18-pin CHx_CONFIG bits 3-4.
inline constexpr std::array<S, 4> svbbSettingItems{"Off", "Output Pull-Down", "Pull to VS", "External Switch"};
// 18-pin LPM bit 1.
inline constexpr std::array<S, 2> lpmFetItems{"Small FET", "Large FET"};
// 18-pin I2T_CONFIG_CHx bit 13.
inline constexpr std::array<S, 2> decrementerModeItems{"Decrementer Disabled", "Decrementer Enabled"};
// 18-pin I2T_CONFIG_CHx bits 11-12.
inline constexpr std::array<S, 4> decrementerFactorItems{"0.25", "0.5", "1", "2"};
// Channel selectors: index 0 is channel 1.
inline constexpr std::array<S, 2> channelSelectorItems{"1", "2"};
// SW_STATE bits 0 and 1 (ticked list).
inline constexpr std::array<S, 2> channelEnableItems{"Channel 1", "Channel 2"};
// Wire model of the I2T tuner (no register field).
inline constexpr std::array<S, 4> gaugeSelectionItems{"Disabled", "20 gauge (Example)", "12 gauge (Example)",
                                                      "Custom"};

// Duty entry n: (n+1)*100/256 with two decimals, halves rounded up, and "%"
// ("3.13%" for 7, "100.00%" for 255). Empty for n >= 256.
std::string pwmDutyText(std::size_t index);
// All 256 duty entries (built once).
const std::vector<std::string>& pwmDutyItems();

// Items of a fixed list by control name (18-pin twins included), empty
// for a name that is not a fixed list.
std::optional<std::vector<std::string>> fixedListItems(std::string_view objectName);
// Every control name that fixedListItems() knows.
std::vector<std::string> fixedListControls();

}  // namespace hss::options
