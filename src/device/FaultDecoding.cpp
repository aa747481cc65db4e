#include "device/FaultDecoding.h"

#include <algorithm>

#include "device/HSSRegisterMap.h"
#include "device/RegisterFields.h"
#include "device/ZVRxQxx16PINConfiguration.h"

namespace hss {
namespace {

using W = FaultWord;
using F = FaultId;

constexpr std::array<FaultRow, 8> kDeviceRows{{
    {W::Device, 0, F::vbbUVLOFault, "VBB UVLO fault detected.", "VBB UVLO Fault recovered."},
    {W::Device, 11, F::lpmFault, "LPM fault detected.", "LPM Fault recovered."},
    {W::Device, 1, F::vbbWarningFault, "VBB UVLO warning detected.", ""},
    {W::Device, 2, F::vddUvloFault, "VDD UVLO fault detected.", "VDD UVLO fault recovered."},
    {W::Device, 3, F::wdtFault, "Watchdog fault detected.", "Watchdog fault recovered."},
    {W::Device, 4, F::spiFault, "SPI fault detected.", "SPI fault recovered."},
    {W::Device, 6, F::porFault, "Power on Reset (POR) detected.", "Power on Reset (POR) recovered."},
    {W::Device, 7, F::limpFault, "Limp home fault detected.", "Limp home fault recovered."},
}};

constexpr std::array<FaultRow, 7> kChannel1Rows{{
    {W::Channel1, 0, F::thWarnCh1, "Thermal warning (CH1) detected.", "Thermal warning (CH1) recovered."},
    {W::Channel1, 2, F::openLoadOffFaultCh1, "Open load (OFF) (CH1) detected.", "Open load (OFF) (CH1) recovered."},
    {W::Channel1, 3, F::shortVbbFaultCh1, "Short-to-VBB (CH1) detected.", "Short-to-VBB (CH1) recovered."},
    {W::Channel1, 4, F::ilimFaultCh1, "Current limit (CH1) detected.", "Current limit (CH1) recovered."},
    {W::Channel1, 5, F::thermShutCh1, "Thermal shutdown (CH1) detected.", "Thermal shutdown (CH1) recovered."},
    {W::Channel1, 6, F::lpmWakeFaultCh1, "LPM Wakeup (CH1) detected.", "LPM Wakeup (CH1) recovered."},
    {W::Channel1, 7, F::i2tFaultCh1, "I2T Fault (CH1) detected.", "I2T Fault (CH1) recovered."},
}};

// Channel 2 says some things in other words than channel 1.
constexpr std::array<FaultRow, 6> kChannel2RowsToBit6{{
    {W::Channel2, 0, F::thWarnCh2, "Thermal warning (CH2) detected.", "Thermal warning (CH2) recovered."},
    {W::Channel2, 2, F::openLoadOffFaultCh2, "Open load OFF (CH2) detected.", "Open load OFF (CH2) recovered."},
    {W::Channel2, 3, F::shortVbbFaultCh2, "Short-to-VBB fault (CH2) detected.", "Short-to-VBB fault (CH2) recovered."},
    {W::Channel2, 4, F::ilimFaultCh2, "Current Limit Fault (CH2) detected.", "Current Limit Fault (CH2) recovered."},
    {W::Channel2, 5, F::thermShutCh2, "Thermal Shutdown (CH2) detected.", "Thermal Shutdown (CH2) recovered."},
    {W::Channel2, 6, F::lpmWakeFaultCh2, "LPM Wake (CH2) detected.", "LPM Wake (CH2) recovered."},
}};

constexpr std::array<FaultRow, 1> kChannel2Bit7{{
    {W::Channel2, 7, F::i2tFaultCh2, "I2T Fault (CH2) detected.", "I2T Fault (CH2) recovered."},
}};

// 18-pin only (bit 12).
constexpr std::array<FaultRow, 1> kAccumulatingCh1{{
    {W::Channel1, 12, F::i2tAccCh1, "I2T (CH1) started accumulating.", "I2T (CH1) stopped accumulating."},
}};
constexpr std::array<FaultRow, 1> kAccumulatingCh2{{
    {W::Channel2, 12, F::i2tAccCh2, "I2T (CH2) started accumulating.", "I2T (CH2) stopped accumulating."},
}};

template <std::size_t... N>
constexpr auto join(const std::array<FaultRow, N>&... parts)
{
    std::array<FaultRow, (N + ...)> all{};
    auto at = all.begin();
    ((at = std::copy(parts.begin(), parts.end(), at)), ...);
    return all;
}

constexpr auto kSixteenRows = join(kDeviceRows, kChannel1Rows, kChannel2RowsToBit6, kChannel2Bit7);
// The 18-pin view draws channel 2's accumulating row before its I2T fault row.
constexpr auto kEighteenRows =
    join(kDeviceRows, kChannel1Rows, kAccumulatingCh1, kChannel2RowsToBit6, kAccumulatingCh2, kChannel2Bit7);

bool bitSet(uint16_t word, uint8_t bit)
{
    return ((unsigned{word} >> bit) & 1u) != 0;
}

}  // namespace

std::span<const FaultRow> faultRows(hss_device_family_t family)
{
    switch (family) {
    case HSS_FAMILY_16PWP:
        return kSixteenRows;
    case HSS_FAMILY_18PWP:
        return kEighteenRows;
    case HSS_FAMILY_NONE:
        break;
    }
    return {};
}

std::optional<FaultWord> storeFaultWord(ZVRxQxx16PINConfiguration& record, hss_device_family_t family,
                                        uint8_t address, uint16_t value)
{
    if (address == registerAddress(family, HSSRegister::DEV_FAULT)) {
        record.setDevFault(value);
        return FaultWord::Device;
    }
    for (uint8_t channel : {uint8_t{0}, uint8_t{1}}) {
        if (address == registerAddress(family, HSSRegister::CH_FAULT, channel)) {
            record.setChanFault(value, channel);
            return channel == 0 ? FaultWord::Channel1 : FaultWord::Channel2;
        }
    }
    return std::nullopt;
}

FaultRedraw redrawFaults(FaultRecords& records, hss_device_family_t family, const FaultWords& words)
{
    FaultRedraw redraw;
    for (const FaultRow& row : faultRows(family)) {
        const std::optional<uint16_t> word = words[row.word];
        if (!word)
            continue;
        const bool set = bitSet(*word, row.bit);
        HSSFault& record = records[row.fault];
        if (set && !record.isFaulted()) {
            redraw.logLines.push_back(row.raise);
            redraw.raised.push_back(row.fault);
        } else if (!set && record.isFaulted()) {
            if (!row.clear.empty())
                redraw.logLines.push_back(row.clear);
            redraw.cleared.push_back(row.fault);
        }
        record.setFaultState(set);
        redraw.lamps.push_back({row.fault, set});
    }
    if (family == HSS_FAMILY_NONE)
        return redraw;

    if (const auto device = words[FaultWord::Device]) {
        redraw.global = field::DEV_FAULT_GLOBAL.isOn(*device);
        redraw.limpHome = field::DEV_FAULT_LIMP_HOME.isOn(*device);
    }
    for (std::size_t channel = 0; channel < 2; ++channel) {
        if (const auto word = words[channel == 0 ? FaultWord::Channel1 : FaultWord::Channel2]) {
            redraw.channels[channel] = field::CH_FAULT_ANY.get(*word) != 0;
            redraw.lpmWake[channel] = field::CH_FAULT_LPM_WAKE.isOn(*word);
        }
    }
    return redraw;
}

}  // namespace hss
