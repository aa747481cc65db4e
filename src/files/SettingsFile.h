#pragma once
// The settings file: a family header line, then per configuration register a
// "/* TAG */" comment line and an "address,value" record line (decimal), all
// ended by CR LF. The reader is lenient about line ends, blanks and signs but
// takes no number out of range; it works on the file's bytes so that anything
// (a fuzzer, the window, a command-line tool) can feed it.

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
    uint8_t address;
    uint16_t value;
    std::size_t line = 0;  // in the file, from 1 (the header is line 1)
    bool operator==(const SettingsRecord&) const = default;
};

// Why a line after the header was not taken as a record.
enum class SettingsLineProblem {
    NotARecord,         // not two parts around one comma
    AddressNotDecimal,  // the address part is not a decimal number
    ValueNotDecimal,
    AddressOutOfRange,  // a decimal number outside 0-255
    ValueOutOfRange,    // a decimal number outside 0-65535
    NotInFile,          // no register of the header's family has that address
};

struct SkippedSettingsLine {
    std::size_t line;
    SettingsLineProblem problem;
    // The part at fault (the whole line for NotARecord), trimmed, with
    // unprintable bytes as '?' and cut short, ready for a message.
    std::string text;
    bool operator==(const SkippedSettingsLine&) const = default;
};

struct SettingsFileContents {
    // The family of the header line; HSS_FAMILY_NONE when the first line is
    // neither tag exactly (the file is in the wrong format).
    hss_device_family_t headerFamily = HSS_FAMILY_NONE;
    std::vector<SettingsRecord> records;  // in file order
    // Lines after the header that are neither comments nor blank and were
    // not taken, in file order.
    std::vector<SkippedSettingsLine> skipped;

    // Lines after the header that are neither comments nor blank.
    std::size_t recordLines() const { return records.size() + skipped.size(); }
};

// Reads a settings file from its bytes (a UTF-8 byte-order mark is allowed).
// A record line is "address,value", each a decimal number (surrounding blanks
// and a sign allowed, as hand-edited files have them) in range, and an
// address of a register of the header's family; any other line that is not
// blank and holds no "/*" is skipped and listed.
SettingsFileContents readSettingsFile(std::string_view bytes);

// "line 7: the value 70000 is not in 0-65535", for logs and messages.
std::string describeSkippedLine(const SkippedSettingsLine& skipped);

struct SettingsApplied {
    std::size_t applied = 0;      // records stored into the record
    std::size_t notInFamily = 0;  // addresses the family's file does not hold
};

// Stores the records into the family's record by its file's address column,
// in order (later records for an address win). Nothing for HSS_FAMILY_NONE.
SettingsApplied applySettingsRecords(hss_device_family_t family, std::span<const SettingsRecord> records,
                                     ZVRxQxx16PINConfiguration& sixteen, ZVRxQxx18PINConfiguration& eighteen);

}  // namespace hss::files
