#pragma once
// The switch parts a daughter card can carry, keyed by their DEVID code, and
// the physical numbers the chip model needs for each.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

enum class ChipFamily { Pin16, Pin18 };

// What the I2T_CONFIG_CHx fields select, by field value. The 16-pin parts
// have no decrementer and use `tripEnergy` only.
struct WireProtectionTables {
    std::array<double, 8> nominalAmps;               // NOM_CUR_CHx
    std::array<double, 16> tripEnergy;               // I2T_TRIP_CHx, A^2 s (18-pin: decrementer off)
    std::array<double, 16> tripEnergyDecrementerOn;  // 18-pin with the decrementer on
    std::array<double, 4> softwareLimitAmps;         // ISWCL_CHx
    std::array<double, 4> softwareDelayMs;           // SWCL_DLY_TMR_CHx
};

struct ChipPart {
    uint16_t devid;
    std::string_view name;
    ChipFamily family;
    bool safetyVariant;       // self-test (ABIST) capable
    double senseRatio;        // load current / sense current, normal range
    double senseRatioScaled;  // the same with open-load scaling selected
    double onResistanceOhm;   // per channel
    // Low-power-mode wake-up thresholds in amps by threshold index, for the
    // small and the large LPM FET (16-pin parts only have the small one).
    std::array<double, 4> lpmSmallFetAmps;
    std::array<double, 4> lpmLargeFetAmps;
    WireProtectionTables protection;
};

// Listed parts in DEVID order (the prototype last).
std::span<const ChipPart> knownChipParts();
std::optional<ChipPart> findChipPart(uint16_t devid);
std::optional<ChipPart> findChipPartByName(std::string_view name);

// The part a card with this code behaves as. Unlisted codes (and the
// prototype) get 16-pin silicon with the numbers of the 10 mOhm part, so
// any code can be fitted and still answer with a sensible register map.
ChipPart chipPartForCode(uint16_t devid);
