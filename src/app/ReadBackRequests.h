#pragma once
// The reads that bring a family's registers into the tool, as commands ready
// to queue: the device layer's address lists with the family's reply
// context. Page refreshes, "Manual Refresh" and the fault poll all build
// their reads here, so no list is written twice.

#include <memory>
#include <vector>

#include "device/HSSDeviceFamily.h"

class HSSCommand;
class HSSMixReadCmd;

// The configuration read-back (hss::readBackLists) in queue order: 16-pin
// one read with context 2; 18-pin the configuration and the user registers,
// both with context 7; nothing for HSS_FAMILY_NONE. Each is an
// hss::ReadBackCmd carrying readStamp, the write ledger's stamp of now.
std::vector<std::unique_ptr<HSSMixReadCmd>> configReadBackCommands(hss_device_family_t family, uint64_t readStamp);

// The fault registers: 16-pin with context 3, 18-pin with context 8; null
// for HSS_FAMILY_NONE.
std::unique_ptr<HSSMixReadCmd> faultReadCommand(hss_device_family_t family);

// Identification: the WAKE write (while no part is detected: a sleeping chip
// answers nothing) and the DEVID read with context 1. WAKE and DEVID sit at
// the same address in both families.
std::vector<std::unique_ptr<HSSCommand>> identificationCommands(bool wakeFirst);

// What the board is sent once a supported part is found: SPI CRC framing on
// for safety parts (off otherwise), then GPIO 0, the daughter card's power
// line, high.
std::vector<std::unique_ptr<HSSCommand>> partFoundCommands(bool crcOn);
