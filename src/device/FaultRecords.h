#pragma once
// The tool's 26 fault records, one per kind of fault the window shows, in
// the window's order. Each carries the name and description the statistics
// panel shows.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "device/HSSFault.h"

namespace hss {

// Named after the window's fields that hold the records.
enum class FaultId : uint8_t {
    limpFault,
    porFault,
    wdtFault,
    vbbUVLOFault,
    lpmFault,
    vbbWarningFault,
    spiFault,
    vddUvloFault,
    thWarnCh1,
    thWarnCh2,
    openLoadOffFaultCh1,
    openLoadOffFaultCh2,
    shortVbbFaultCh1,
    shortVbbFaultCh2,
    ilimFaultCh1,
    ilimFaultCh2,
    thermShutCh1,
    thermShutCh2,
    lpmWakeFaultCh1,
    lpmWakeFaultCh2,
    voutFaultCh1,
    voutFaultCh2,
    i2tFaultCh1,
    i2tFaultCh2,
    i2tAccCh1,
    i2tAccCh2,
};
inline constexpr std::size_t kFaultCount = 26;

struct FaultText {
    std::string_view field;  // the window field ("porFault")
    std::string_view name;
    std::string_view description;
};
const FaultText& faultText(FaultId fault);

class FaultRecords {
public:
    // Every record takes its dates from clock (empty: the system clock).
    explicit FaultRecords(HSSFault::Clock clock = {});

    HSSFault& operator[](FaultId fault) { return records.at(std::size_t(fault)); }
    const HSSFault& operator[](FaultId fault) const { return records.at(std::size_t(fault)); }

    // "Clear All": every count but the limp-home one back to 0.
    void clearAllStatistics();

private:
    std::array<HSSFault, kFaultCount> records;
};

}  // namespace hss
