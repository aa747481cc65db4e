#include "device/SafetyDiagnostics.h"

namespace hss {

std::vector<SelfTestChange> selfTestChanges(uint16_t abistResult, const std::array<bool, kSelfTestCount>& shownFaulted)
{
    std::vector<SelfTestChange> changes;
    for (std::size_t row = 0; row < kSelfTestCount; ++row) {
        const bool faulted = kSelfTestRows[row].result.isOn(abistResult);
        if (faulted != shownFaulted[row])
            changes.push_back({row, faulted});
    }
    return changes;
}

SleepRegisters sleepRegisters(hss_device_family_t family)
{
    if (family == HSS_FAMILY_18PWP)
        return {reg18::SW_STATE, reg18::SLEEP};
    return {reg16::SW_STATE, reg16::SLEEP};
}

}  // namespace hss
