#pragma once
// A register image read out as the register map shows it: every register of
// the family with its value and each field's bits, raw value and text. The
// register page's table, its copy and CSV, and the command-line read-out
// are all this one list.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/registers/FieldText.h"

namespace hss::regmap {

struct FieldReadout {
    const FieldInfo* field;
    std::string bits;  // "8:1", "0"
    uint16_t raw = 0;
    std::string text;  // "3.13%", "On"
};

struct RegisterReadout {
    const RegisterInfo* reg;
    std::optional<uint16_t> value;  // empty: not known (never read)
    std::vector<FieldReadout> fields;  // empty while the value is unknown
};

// "15:14" for a field of two bits at 14, "3" for bit 3.
std::string fieldBits(const RegisterField& field);

// Every register of the family in address order, with the image's values.
std::vector<RegisterReadout> readRegisters(hss_device_family_t family, const RegisterImage& image,
                                           const TextContext& context);

// When each register was last read ("12:04:31"), by address; a register
// missing has not been read.
using ReadTimes = std::map<uint8_t, std::string>;

// Aligned plain text, a register line then an indented line per field.
std::string readoutText(const std::vector<RegisterReadout>& readout, const ReadTimes& times);

// CSV with the header "Address,Register,Value,Last Read,Bits,Field,Raw,Meaning":
// a row per register, then one per field (address and register repeated),
// CR LF line ends, fields quoted where they hold a comma or a quote.
std::string readoutCsv(const std::vector<RegisterReadout>& readout, const ReadTimes& times);

}  // namespace hss::regmap
