#pragma once
// The electrical and thermal side of the switch chip: supply, one resistive
// load per channel, the current limit, and a junction temperature that heats
// with the power the switch dissipates. Thermal shutdown and its restart
// (or latch) live here too, since they follow from the temperature.

#include <array>
#include <cstddef>

// Index of a channel in the per-channel arrays: channel 0, or else the second.
inline std::size_t channelSlot(int channel) { return channel == 0 ? 0u : 1u; }

struct ChannelDrive {  // what the chip's registers ask of one channel
    bool switchedOn = false;      // commanded on, chip awake, supply above UVLO
    double currentLimitAmps = 10.0;
    double duty = 1.0;            // PWM duty; 1 without PWM
    bool latchOnShutdown = false; // stay off after a thermal shutdown
};

struct ChannelReading {
    bool conducting = false;
    double current = 0.0;        // amps, averaged over the PWM period
    double peakCurrent = 0.0;    // amps while the PWM output is on
    double outputVoltage = 0.0;  // volts
    double vds = 0.0;            // volts, supply minus output
    bool limiting = false;       // current limit engaged
    bool openLoad = false;
    bool shortedToSupply = false;  // output tied to VBB
};

class ChipLoadModel {
public:
    static constexpr double kThermalWarningC = 150.0;
    static constexpr double kThermalShutdownC = 175.0;
    static constexpr double kThermalRestartC = 155.0;

    explicit ChipLoadModel(double onResistanceOhm);

    void setSupplyVoltage(double volts) { supply = volts; }
    double supplyVoltage() const { return supply; }
    void setAmbientTemperature(double celsius) { ambient = celsius; }
    double ambientTemperature() const { return ambient; }
    void setLoadResistance(int channel, double ohms);
    void setOverloaded(int channel, bool overloaded);
    bool isOverloaded(int channel) const;
    double loadResistance(int channel) const;
    // The output tied to VBB: it reads the supply and the switch carries no
    // current, on or off.
    void setShortedToSupply(int channel, bool shorted);
    bool isShortedToSupply(int channel) const;

    ChannelReading reading(int channel, const ChannelDrive& drive) const;
    double junctionTemperature(int channel) const;
    bool isThermallyShutDown(int channel) const;
    // Clears a latched thermal shutdown (the host switched the channel off).
    void releaseLatch(int channel);

    // Moves the temperatures on by `seconds` with the drive held constant,
    // then applies thermal shutdown and restart.
    void step(double seconds, const std::array<ChannelDrive, 2>& drive);
    // Largest step that keeps the thermal picture accurate right now.
    double maxStepSeconds() const;
    // Power-up: cold junctions, no shutdown.
    void reset();

private:
    struct Channel {
        double loadOhms;
        bool overloaded = false;
        bool shortedToSupply = false;
        double junctionC;
        bool shutDown = false;  // thermal shutdown in force
    };
    double power(int channel, const ChannelDrive& drive) const;

    double onResistance;
    double supply = 13.5;
    double ambient = 25.0;
    std::array<Channel, 2> channels;
};
