#include "emulator/ChipLoadModel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kThermalResistanceKPerW = 40.0;
constexpr double kThermalTimeConstantS = 0.25;
constexpr double kShortCircuitOhms = 0.01;  // what an overload looks like

bool isOpen(double ohms) { return !(ohms > 0.0) || std::isinf(ohms); }

}  // namespace

ChipLoadModel::ChipLoadModel(double onResistanceOhm)
    : onResistance(onResistanceOhm),
      channels{Channel{4.5, false, false, 25.0, false}, Channel{6.75, false, false, 25.0, false}} {}

void ChipLoadModel::setLoadResistance(int channel, double ohms) { channels[channelSlot(channel)].loadOhms = ohms; }

void ChipLoadModel::setOverloaded(int channel, bool overloaded) { channels[channelSlot(channel)].overloaded = overloaded; }

bool ChipLoadModel::isOverloaded(int channel) const { return channels[channelSlot(channel)].overloaded; }

double ChipLoadModel::loadResistance(int channel) const { return channels[channelSlot(channel)].loadOhms; }

void ChipLoadModel::setShortedToSupply(int channel, bool shorted) { channels[channelSlot(channel)].shortedToSupply = shorted; }

bool ChipLoadModel::isShortedToSupply(int channel) const { return channels[channelSlot(channel)].shortedToSupply; }

double ChipLoadModel::junctionTemperature(int channel) const { return channels[channelSlot(channel)].junctionC; }

bool ChipLoadModel::isThermallyShutDown(int channel) const { return channels[channelSlot(channel)].shutDown; }

void ChipLoadModel::releaseLatch(int channel) {
    Channel& ch = channels[channelSlot(channel)];
    if (ch.junctionC < kThermalRestartC) ch.shutDown = false;
}

ChannelReading ChipLoadModel::reading(int channel, const ChannelDrive& drive) const {
    const Channel& ch = channels[channelSlot(channel)];
    ChannelReading r;
    const double load = ch.overloaded ? kShortCircuitOhms : ch.loadOhms;
    r.conducting = drive.switchedOn && !ch.shutDown;
    if (ch.shortedToSupply) {
        // The short feeds the load; both ends of the switch sit at VBB.
        r.shortedToSupply = true;
        r.outputVoltage = supply;
        return r;
    }
    r.openLoad = isOpen(load);
    if (!r.conducting) {
        r.vds = supply;
        return r;
    }
    if (r.openLoad) {
        r.outputVoltage = supply;
        return r;
    }
    double peak = supply / (load + onResistance);
    if (peak > drive.currentLimitAmps) {
        peak = drive.currentLimitAmps;
        r.limiting = true;
    }
    const double peakOut = std::min(supply, peak * load);
    r.peakCurrent = peak;
    r.current = peak * drive.duty;
    r.outputVoltage = peakOut * drive.duty;
    r.vds = supply - r.outputVoltage;
    return r;
}

double ChipLoadModel::power(int channel, const ChannelDrive& drive) const {
    const ChannelReading r = reading(channel, drive);
    if (!r.conducting || r.openLoad || drive.duty <= 0.0) return 0.0;
    // Dissipation while conducting: peak current times peak drop, scaled by duty.
    const double peakCurrent = r.current / drive.duty;
    const double peakDrop = supply - r.outputVoltage / drive.duty;
    return std::max(0.0, peakCurrent * peakDrop) * drive.duty;
}

void ChipLoadModel::step(double seconds, const std::array<ChannelDrive, 2>& drive) {
    if (seconds <= 0.0) return;
    const double decay = std::exp(-seconds / kThermalTimeConstantS);
    for (int n = 0; n < 2; ++n) {
        Channel& ch = channels[channelSlot(n)];
        const double target = ambient + kThermalResistanceKPerW * power(n, drive[channelSlot(n)]);
        ch.junctionC = target + (ch.junctionC - target) * decay;
        if (ch.junctionC >= kThermalShutdownC) {
            ch.shutDown = true;
        } else if (ch.shutDown && ch.junctionC < kThermalRestartC &&
                   (!drive[channelSlot(n)].latchOnShutdown || !drive[channelSlot(n)].switchedOn)) {
            // Auto-retry restarts once cool; a latch holds until the channel is switched off.
            ch.shutDown = false;
        }
    }
}

double ChipLoadModel::maxStepSeconds() const {
    for (const Channel& ch : channels) {
        if (ch.overloaded || ch.junctionC > ambient + 20.0) return 0.001;
    }
    return 0.05;
}

void ChipLoadModel::reset() {
    for (Channel& ch : channels) {
        ch.junctionC = ambient;
        ch.shutDown = false;
    }
}
