#pragma once
// The chip's wire protection on one channel: the I2T integrator, the
// software current limit with its delay, and the cooldown after a trip
// (retry, or latch until the host resets it). The hardware current limit is
// not here: it clamps the current itself (ChipLoadModel).
//
// Rules, with I = the channel's current and In the nominal current:
// - While the protection is enabled and the channel conducts above In, the
//   integrator grows by (I^2 - In^2) dt ("accumulating"). At the trip energy
//   the channel trips.
// - At or below In it falls by factor * (In^2 - I^2) dt (I = 0 while off),
//   not below zero; with no decrement factor it holds.
// - A current above the software limit for longer than its delay trips too.
// - A trip switches the channel off and keeps it off: for the cooldown time,
//   then it retries with the integrator cleared; or, latched, until
//   resetLatch(). While held off the integrator reads the trip energy (an
//   I2T trip) or what it held (a software-limit trip).
// - Disabling the protection clears the integrator; a channel already held
//   off stays off.

#include <optional>

struct ProtectionSettings {  // decoded from the channel's registers
    bool enabled = false;
    double nominalAmps = 4.0;
    double tripEnergy = 8.8;  // A^2 s
    double softwareLimitAmps = 19.55;
    double softwareDelaySeconds = 0.0002;
    std::optional<double> cooldownSeconds;  // nullopt: latch
    std::optional<double> decrementFactor;  // nullopt: the integrator holds at or below In
};

struct ProtectionInput {  // the channel during one step
    bool conducting = false;
    double peakAmps = 0.0;     // while the output is on
    double meanSquare = 0.0;   // I^2 averaged over the PWM period, A^2
};

class ChannelProtection {
public:
    static bool isAccumulating(const ProtectionSettings& s, const ProtectionInput& in);

    bool holdsOff() const { return tripped; }
    bool isLatched() const { return tripped && !cooldownLeft; }
    double integrator() const { return energy; }

    // Time, with the input held, until the channel trips or retries; nullopt
    // when nothing would happen.
    std::optional<double> secondsToNextEvent(const ProtectionSettings& s, const ProtectionInput& in) const;
    void step(double seconds, const ProtectionSettings& s, const ProtectionInput& in);
    // Ends a latch or a cooldown at once: the channel may conduct again.
    void resetLatch();
    void powerUp();

private:
    void trip(const ProtectionSettings& s, double energyHeld);

    double energy = 0.0;            // A^2 s
    double aboveSoftwareLimit = 0.0;  // seconds the current has been above ISWCL
    bool tripped = false;
    std::optional<double> cooldownLeft;  // seconds; none while latched
};
