#pragma once
// Verdicts on the I2T settings: does a test pulse trip the channel, does the
// trip curve protect the wire model, and how long does the channel take to
// trip at a given current. Same model as the drawn curves: the nominal curve
// t = E / (I^2 - In^2), the minimum curve ((0.94 - tol) I, 0.92 t) and the
// maximum curve ((1.06 + tol) I, 1.08 t).

#include <optional>
#include <span>
#include <string>

#include "editor/I2TCurve.h"

namespace hss::i2t {

// The tuner's settings as numbers; empty note means they are usable.
struct TripSettings {
    double nominalCurrent = 0.0;  // In, A
    double tripEnergy = 0.0;      // E, A2s
    double softwareLimit = 0.0;   // Isw, A
    double hardwareLimit = 0.0;   // Ihw, A
    double softwareDelay = 0.0;   // Tsw, s
    float tolerancePercent = 0.0f;
};

struct TripSettingsRead {
    std::optional<TripSettings> settings;
    std::string note;  // why there are none: as the empty chart says it
};

// The numbers behind a selection; none when the charts would stay empty.
TripSettingsRead readTripSettings(const I2TCurveSelection& selection);

// Current factors of the two tolerance curves.
double minimumCurrentFactor(float tolerancePercent);
double maximumCurrentFactor(float tolerancePercent);
inline constexpr double kMinimumTimeFactor = 0.92;
inline constexpr double kMaximumTimeFactor = 1.08;

// I2T trip times at one current; empty: that curve never trips there.
struct TripTimes {
    std::optional<double> nominal;
    std::optional<double> minimum;  // the earliest the channel may trip
    std::optional<double> maximum;  // the latest
};
TripTimes tripTimes(const TripSettings& s, double current);

struct PulseVerdict {
    bool trips = false;
    // I2t of the pulse as the integrator counts it on the minimum curve,
    // against the energy that trips it there (0.92 E).
    double pulseEnergy = 0.0;
    double tripEnergy = 0.0;
    double marginPercent = 100.0;  // 100 (1 - pulse / trip); negative: trips
    // The earliest trip at the pulse current: the minimum curve, or the
    // software limit's delay when the current passes it first.
    std::optional<double> tripTime;
    bool bySoftwareLimit = false;
};
PulseVerdict pulseVerdict(const TripSettings& s, ChartPoint pulse);

// Whether the channel trips before the wire fails at every current where
// both are drawn (the wire model's currents within In..Isw). The latest trip
// counts: the maximum curve must stay below the wire model.
struct WireVerdict {
    bool judged = false;     // false: no current where both are drawn
    bool protectedWire = false;
    double worstCurrent = 0.0;  // A: where the curve comes closest to the wire
    // Wire time minus the latest trip time at worstCurrent, s; empty when
    // the channel may not trip at all there.
    std::optional<double> timeMargin;
    double fromCurrent = 0.0;  // the current range judged
    double toCurrent = 0.0;
};
// The wire model in any order of current; between its points the time is
// read on the logarithmic axis, as the chart draws the line.
WireVerdict wireVerdict(const TripSettings& s, std::span<const ChartPoint> wireModel);

// Texts the tuner shows.
std::string tripTimeText(const std::optional<double>& seconds);  // "1.23 s", "450 ms", "no trip"
std::string wireVerdictText(const WireVerdict& verdict);

}  // namespace hss::i2t
