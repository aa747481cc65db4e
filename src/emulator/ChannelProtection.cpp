#include "emulator/ChannelProtection.h"

#include <algorithm>

namespace {

// Steps end on whole milliseconds, so an event computed to land exactly on a
// step boundary may miss it by rounding; this much counts as reached.
constexpr double kSlackSeconds = 1e-9;
constexpr double kRelativeSlack = 1e-9;

bool overSoftwareLimit(const ProtectionSettings& s, const ProtectionInput& in) {
    return s.enabled && in.conducting && in.peakAmps > s.softwareLimitAmps;
}

std::optional<double> earlier(std::optional<double> a, std::optional<double> b) {
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

}  // namespace

bool ChannelProtection::isAccumulating(const ProtectionSettings& s, const ProtectionInput& in) {
    return s.enabled && in.conducting && in.meanSquare > s.nominalAmps * s.nominalAmps;
}

std::optional<double> ChannelProtection::secondsToNextEvent(const ProtectionSettings& s,
                                                            const ProtectionInput& in) const {
    if (tripped) return cooldownLeft;
    std::optional<double> next;
    if (isAccumulating(s, in)) {
        const double rate = in.meanSquare - s.nominalAmps * s.nominalAmps;
        next = std::max(0.0, (s.tripEnergy - energy) / rate);
    }
    if (overSoftwareLimit(s, in)) next = earlier(next, std::max(0.0, s.softwareDelaySeconds - aboveSoftwareLimit));
    return next;
}

void ChannelProtection::step(double seconds, const ProtectionSettings& s, const ProtectionInput& in) {
    if (seconds <= 0.0) return;
    if (tripped) {
        if (!cooldownLeft) return;  // latched
        *cooldownLeft -= seconds;
        if (*cooldownLeft <= kSlackSeconds) resetLatch();  // retry
        return;
    }
    if (!s.enabled) {
        energy = 0.0;
        aboveSoftwareLimit = 0.0;
        return;
    }
    const double nominalSquare = s.nominalAmps * s.nominalAmps;
    const double present = in.conducting ? in.meanSquare : 0.0;
    if (present > nominalSquare) {
        energy += (present - nominalSquare) * seconds;
    } else if (s.decrementFactor) {
        energy = std::max(0.0, energy - *s.decrementFactor * (nominalSquare - present) * seconds);
    }
    aboveSoftwareLimit = overSoftwareLimit(s, in) ? aboveSoftwareLimit + seconds : 0.0;

    if (energy >= s.tripEnergy * (1.0 - kRelativeSlack)) {
        trip(s, s.tripEnergy);
    } else if (aboveSoftwareLimit > 0.0 && aboveSoftwareLimit >= s.softwareDelaySeconds - kSlackSeconds) {
        trip(s, energy);
    }
}

void ChannelProtection::trip(const ProtectionSettings& s, double energyHeld) {
    tripped = true;
    energy = energyHeld;
    aboveSoftwareLimit = 0.0;
    cooldownLeft = s.cooldownSeconds;
}

void ChannelProtection::resetLatch() {
    tripped = false;
    cooldownLeft.reset();
    energy = 0.0;
    aboveSoftwareLimit = 0.0;
}

void ChannelProtection::powerUp() { resetLatch(); }
