#pragma once
// The sense resistor RSNS: checking what the user typed, and the current
// option lists scaled from their 700-ohm reference values.

#include <array>
#include <string_view>

namespace hss::measure {

inline constexpr double kDefaultSenseResistorOhms = 698.0;
inline constexpr std::string_view kDefaultSenseResistorText = "698";
inline constexpr double kMinSenseResistorOhms = 100.0;
inline constexpr double kMaxSenseResistorOhms = 10000.0;
// The reference lists hold the values for this resistor.
inline constexpr double kReferenceSenseResistorOhms = 700.0;

inline constexpr std::string_view kSenseResistorRangeMessage =
    "Please choose an RSNS value between 100ohms and 10000ohms.";
inline constexpr std::string_view kSenseResistorRangeCaption = " Invalid RSNS Value ";

// default700CLValues, default700I2TValues, default700NomValues.
inline constexpr std::array<float, 4> default700CLValues{19.55f, 17.6f, 16.05f, 13.3f};
inline constexpr std::array<float, 16> default700I2TValues{8.8f,   13.1f,  26.3f,  39.4f,  52.5f,  65.6f,
                                                           78.8f,  91.9f,  109.4f, 126.9f, 144.4f, 166.3f,
                                                           192.5f, 218.8f, 262.5f, 350.0f};
inline constexpr std::array<float, 8> default700NomValues{4.0f, 5.0f, 5.7f, 6.5f, 7.5f, 9.0f, 12.0f, 15.0f};

enum class SenseResistorVerdict { Accepted, NotANumber, OutOfRange };

struct SenseResistorCheck {
    SenseResistorVerdict verdict;
    double ohms;  // the typed value when accepted
};

// Text that is not a number, or a number outside 100-10000 ohms, is refused.
SenseResistorCheck checkSenseResistorText(std::string_view text);

// The current lists for an RSNS: each 700-ohm value times 700 / RSNS, cut
// down to the hundredth (not rounded).
struct SenseScaledLists {
    std::array<float, 4> softwareLimits;   // swLimitBox, chanSettingSWCLBox
    std::array<float, 16> tripEnergies;    // i2tArrayValues, chanSettingI2TBox
    std::array<float, 8> nominalCurrents;  // nomCurrentBox, chanSettingNomBox
};
SenseScaledLists rescaleForSenseResistor(double senseResistorOhms);

}  // namespace hss::measure
