#pragma once
// The settings file: a family header line, then per configuration register a
// "/* TAG */" comment line and an "address,value" record line (decimal), all
// ended by CR LF. The reader is lenient about line ends, blanks and signs, and
// works on the file's bytes so that anything (a fuzzer included) can feed it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/HSSDeviceFamily.h"
#include "device/HSSRegisterMap.h"

class ZVRxQxx16PINConfiguration;
class ZVRxQxx18PINConfiguration;

namespace hss::files {

inline constexpr std::string_view magicFileWord16 = "ZVRQCONFIGURATOR_16PWP";
inline constexpr std::string_view magicFileWord18 = "ZVRQCONFIGURATOR_18PWP";

// One register of a family's file: the tag of its comment line and the
// register it holds (channel 0 for registers that are not per channel).
struct SettingsRegister {
    std::string_view tag;
    HSSRegister reg;
    uint8_t channel;
};

// The registers of a family's file in file order; empty for HSS_FAMILY_NONE.
std::span<const SettingsRegister> settingsRegisters(hss_device_family_t family);

// The whole file, from one consistent snapshot of the record.
std::string sixteenPinSettingsText(const ZVRxQxx16PINConfiguration& record);
std::string eighteenPinSettingsText(const ZVRxQxx18PINConfiguration& record);
// The file of the family's record; empty for HSS_FAMILY_NONE.
std::optional<std::string> settingsFileText(hss_device_family_t family, const ZVRxQxx16PINConfiguration& sixteen,
                                            const ZVRxQxx18PINConfiguration& eighteen);

struct SettingsRecord {
    uint16_t address;
    uint16_t value;
    bool operator==(const SettingsRecord&) const = default;
};

struct SettingsFileContents {
    // The family of the header line; HSS_FAMILY_NONE when the first line is
    // neither tag exactly (the file is in the wrong format).
    hss_device_family_t headerFamily = HSS_FAMILY_NONE;
    std::vector<SettingsRecord> records;  // in file order
    // Lines after the header that are neither comments nor blank.
    std::size_t recordLines = 0;
    // Record lines with two parts of which one is not a decimal integer.
    std::size_t notDecimalLines = 0;
};

// Reads a settings file from its bytes (a UTF-8 byte-order mark is allowed).
SettingsFileContents readSettingsFile(std::string_view bytes);

// A decimal integer with surrounding blanks and an optional sign, reduced to
// its low 16 bits (-1 gives 0xFFFF, 65537 gives 1); empty if it is not one.
std::optional<uint16_t> parseDecimalWord(std::string_view text);

struct SettingsApplied {
    std::size_t applied = 0;      // records stored into the record
    std::size_t notInFamily = 0;  // addresses the family's file does not hold
};

// Stores the records into the family's record by its file's address column,
// in order (later records for an address win). Nothing for HSS_FAMILY_NONE.
SettingsApplied applySettingsRecords(hss_device_family_t family, std::span<const SettingsRecord> records,
                                     ZVRxQxx16PINConfiguration& sixteen, ZVRxQxx18PINConfiguration& eighteen);

}  // namespace hss::files
