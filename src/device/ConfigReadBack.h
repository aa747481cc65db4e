#pragma once
// Storing the replies of a configuration read-back into the family's record.
// Addresses the family's read-back does not store (16-pin ABIST_RESULT 0x06,
// 18-pin SLEEP 0x01 and ABIST_RESULT 0x05, and anything unexpected) are
// skipped. Never reads past either array, whatever count the reply claims.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/HSSDeviceFamily.h"

class HSSMixReadCmd;
class ZVRxQxx16PINConfiguration;
class ZVRxQxx18PINConfiguration;

namespace hss {

class RegisterWriteLedger;

// The address lists a family's configuration read-back reads, in queue
// order: 16-pin sixteenPWPConfig; 18-pin eighteenPWPConfig then
// eighteenPWPUserConfig; none for HSS_FAMILY_NONE.
std::vector<std::vector<uint8_t>> readBackLists(hss_device_family_t family);

// True when the family's read-back stores the register at the address.
bool readBackStores(hss_device_family_t family, uint8_t address);

// One value; false when the address is not one the read-back stores.
bool storeSixteenPWPReadBack(ZVRxQxx16PINConfiguration& record, uint8_t address, uint16_t value);
bool storeEighteenPWPReadBack(ZVRxQxx18PINConfiguration& record, uint8_t address, uint16_t value);

// Entries 0 .. count-1 (limited to the shorter array); returns how many
// values were stored.
std::size_t applySixteenPWPReadBack(ZVRxQxx16PINConfiguration& record, std::span<const uint8_t> addresses,
                                    std::span<const uint16_t> values, std::size_t count);
std::size_t applyEighteenPWPReadBack(ZVRxQxx18PINConfiguration& record, std::span<const uint8_t> addresses,
                                     std::span<const uint16_t> values, std::size_t count);

// The same, straight from an answered mixed read (its readSize, addresses
// and results). With a ledger, a reply to a ReadBackCmd skips the registers
// written after the read was queued (their values are older than the record's).
std::size_t applySixteenPWPReadBack(ZVRxQxx16PINConfiguration& record, const HSSMixReadCmd& reply,
                                    const RegisterWriteLedger* ledger = nullptr);
std::size_t applyEighteenPWPReadBack(ZVRxQxx18PINConfiguration& record, const HSSMixReadCmd& reply,
                                     const RegisterWriteLedger* ledger = nullptr);

}  // namespace hss
