#pragma once
// Two register images of one family compared field by field: the chip
// against a settings file, or two files. One comparison for the register
// page and for the command-line program's verify and diff.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "editor/registers/FieldText.h"

namespace hss::regmap {

struct FieldDifference {
    const FieldInfo* field;  // nullptr: bits no field decodes
    uint16_t mask;           // the bits compared
    uint16_t left;           // raw field values
    uint16_t right;
    std::string caption;  // the field's caption, or "Undecoded bits"
    std::string leftText;
    std::string rightText;
};

struct RegisterDifference {
    const RegisterInfo* reg;
    std::optional<uint16_t> left;  // empty: that image does not hold the register
    std::optional<uint16_t> right;
    std::vector<FieldDifference> fields;  // empty when one side is missing
};

struct ImageComparison {
    std::vector<RegisterDifference> registers;  // address order
    std::size_t fieldCount() const;
    bool identical() const { return registers.empty(); }
};

enum class CompareScope {
    // Every register the right image holds (verify: what the file holds must
    // be on the chip); a register missing on the left is a difference.
    RightImage,
    // Every register either image holds (diff of two files).
    EitherImage,
};

struct CompareOptions {
    CompareScope scope = CompareScope::RightImage;
    // Identification, status and fault registers change on their own and
    // are not settings: left out unless asked for.
    bool includeReadOnly = false;
    // Command registers (SLEEP, SAFETY_TEST) are written as 0 by a write-out.
    bool includeCommands = false;
};

ImageComparison compareImages(hss_device_family_t family, const RegisterImage& left, const RegisterImage& right,
                              const TextContext& context, const CompareOptions& options = {});

// One line per differing field: "0x0E PWM_CH1  PWM Duty Cycle: 50.20% (128) -> 3.13% (7)",
// and for a register one side lacks: "0x0E PWM_CH1  missing on the chip" with the
// side names given.
std::vector<std::string> describeDifferences(const ImageComparison& comparison, std::string_view leftName,
                                             std::string_view rightName);

}  // namespace hss::regmap
