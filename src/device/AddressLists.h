#pragma once
// The fixed register lists read or written with one mixed command. The order
// of each list is the order of the values in its command.

#include <array>
#include <cstdint>
#include <vector>

namespace hss {

// 16-pin configuration read-back and write-out (all 17 mixed-write slots).
inline constexpr std::array<uint8_t, 17> sixteenPWPConfig{
    0x01, 0x03, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x02, 0x0E, 0x0F, 0x10, 0x15, 0x17, 0x18, 0x19, 0x1E, 0x08};

// 18-pin configuration read-back and write-out.
inline constexpr std::array<uint8_t, 15> eighteenPWPConfig{
    0x01, 0x02, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0D, 0x0E, 0x0F, 0x14, 0x16, 0x17, 0x18, 0x1D};

// 18-pin temperature-sense calibration and user registers.
inline constexpr std::array<uint8_t, 8> eighteenPWPUserConfig{0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57};

// Fault poll: DEV_FAULT, CH1_FAULT, CH2_FAULT.
inline constexpr std::array<uint8_t, 3> sixteenFaultUpdate{0x04, 0x0D, 0x16};
inline constexpr std::array<uint8_t, 3> eighteenFaultUpdate{0x03, 0x0C, 0x15};

// Registers handed to the carrier board's flash-persist command.
inline constexpr std::array<uint8_t, 14> sixteenFlashRegs{
    0x01, 0x05, 0x07, 0x09, 0x03, 0x0A, 0x0E, 0x0F, 0x10, 0x15, 0x17, 0x18, 0x19, 0x1E};

// The command constructors take vectors.
template <std::size_t N>
std::vector<uint8_t> toVector(const std::array<uint8_t, N>& list)
{
    return std::vector<uint8_t>(list.begin(), list.end());
}

}  // namespace hss
