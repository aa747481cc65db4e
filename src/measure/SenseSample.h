#pragma once
// One reply of the sense poll turned into values, the running averages the
// labels show, and how a value reads on a label.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hss::measure {

// What the sample needs from the configuration record of the family.
struct SenseChannelSetup {
    uint8_t switchState = 0;                  // SW_STATE: bit 0 channel 1 on, bit 1 channel 2 on
    std::array<uint16_t, 2> chanDiagConfig{};  // CH1_CONFIG, CH2_CONFIG
    float ksnsRatio = 0.0f;
    float ksnsRatioScale = 0.0f;
};

struct SenseSample {
    std::array<float, 2> channel{};  // 0 for a channel that is switched off
    std::array<bool, 2> switchedOn{};  // SW_STATE: an off channel has no value to show
    float supplyVoltage = 0.0f;      // VBB, V
    // Load current of a switched-on channel whose sense ratio is 0 (a part
    // whose ratio was never set): the value is meaningless, show it as such.
    std::array<bool, 2> ratioMissing{};
};

// Words 0-2 of a poll read (channel 1, channel 2, VBB) in engineering units.
// Empty when a switched-on channel's word lacks the valid bit: the whole
// sample is dropped then.
std::optional<SenseSample> decodeSenseSample(const std::array<uint16_t, 3>& words, uint8_t format,
                                             const SenseChannelSetup& setup, double senseResistorOhms);

// avgValsCh1 / avgValsCh2: the last averageCount values of each channel.
class SenseAverager {
public:
    // Drops the oldest entries so that averageCount remain with the new
    // values, and returns each channel's mean rounded up to the next hundredth.
    // A value that cannot be shown (NaN) takes its place in the list but not
    // in the mean; NaN when the list holds no other.
    std::array<float, 2> add(const std::array<float, 2>& values, int averageCount);
    std::size_t size() const { return channel_[0].size(); }
    void clear();

private:
    std::array<std::vector<float>, 2> channel_;  // oldest first, at most 1000
};

// A value as the channel labels show it: below 1 A a load current reads in
// mA ("350mA"); everything else as it is with its unit ("2.01A", "40.91°C").
std::string formatSenseReading(float value, uint8_t format);

}  // namespace hss::measure
