#pragma once
// The whole-record write-out (and the other fixed write sequences) as the
// address/value lists of mixed writes, and as ready commands.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "device/HSSDeviceFamily.h"
#include "protocol/HSSRegisterCommands.h"

class ZVRxQxx16PINConfiguration;
class ZVRxQxx18PINConfiguration;

namespace hss {

// The pairs of one mixed write, address i written with value i.
struct MixWriteValues {
    std::vector<uint8_t> addresses;
    std::vector<uint16_t> values;
};

// 16-pin: the 17 registers of sixteenPWPConfig from one snapshot of the
// record; ABIST_RESULT and SAFETY_TEST are always written as 0.
MixWriteValues sixteenPWPWriteOut(const ZVRxQxx16PINConfiguration& record);

// 18-pin: eighteenPWPConfig (15 pairs), then eighteenPWPUserConfig (8 pairs),
// from one snapshot. SLEEP and ABIST_RESULT are always written as 0: the
// read-back never fills them, and a stray SLEEP value would put the chip
// to sleep.
std::vector<MixWriteValues> eighteenPWPWriteOut(const ZVRxQxx18PINConfiguration& record);

// The mixed writes of the current family in queue order: one for 16-pin,
// two for 18-pin, none for HSS_FAMILY_NONE.
std::vector<MixWriteValues> writeOutFromConfig(hss_device_family_t family, const ZVRxQxx16PINConfiguration& sixteen,
                                               const ZVRxQxx18PINConfiguration& eighteen);
std::vector<std::unique_ptr<HSSMixWriteCmd>> makeWriteOutCommands(hss_device_family_t family,
                                                                  const ZVRxQxx16PINConfiguration& sixteen,
                                                                  const ZVRxQxx18PINConfiguration& eighteen);

// The four single writes of the EEPROM program key to EEPROM_PROG, in order.
std::vector<std::unique_ptr<HSSSingleWriteCmd>> makeEepromProgramCommands();

// The eight hex boxes of the "User Registers" page, box 0 .. 7:
// TSNS_CAL_RESULT_CH1_REG, TSNS_CAL_RESULT_CH2_REG, CUST_REG_52_REG .. CUST_REG_57_REG.
inline constexpr std::size_t kUserRegisterBoxCount = 8;
std::optional<uint8_t> userRegisterAddress(std::size_t box);
uint16_t userRegisterValue(const ZVRxQxx18PINConfiguration& record, std::size_t box);  // 0 for box > 7
// Stores the value of a box into the record; returns the register to write,
// empty (nothing stored) for box > 7.
std::optional<uint8_t> storeUserRegister(ZVRxQxx18PINConfiguration& record, std::size_t box, uint16_t value);

}  // namespace hss
