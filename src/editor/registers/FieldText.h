#pragma once
// What a register field's value means, in the words of the page control that
// edits it: the choice of its option list (for the fitted part, scaled by the
// sense resistor where the window scales it), "On"/"Off" for a switch, hex
// for a whole word.

#include <optional>
#include <string>
#include <vector>

#include "editor/registers/RegisterCatalogue.h"

namespace hss::regmap {

struct TextContext {
    // The fitted part's DEVID; a code without option tables gives the
    // lists' items from before identification.
    uint16_t devId = 0;
    // Set once the user has entered a sense resistor: the current lists are
    // then shown scaled, as on the pages.
    std::optional<double> senseResistorOhms;
};

// The items of a Choice field's list, index = raw value. Some lists depend
// on other bits of the image (capacitive charging mode picks the charge-level
// list, the 18-pin decrementer bit the trip table, the LPM FET the
// thresholds), so the image the value belongs to is passed along.
std::vector<std::string> fieldChoices(hss_device_family_t family, const FieldInfo& field, const RegisterImage& image,
                                      const TextContext& context);

// The text of a field's value within a register word ("19.55", "On",
// "0x1A2B"); a raw value past the end of its list reads "unlisted (N)".
std::string fieldValueText(hss_device_family_t family, const FieldInfo& field, uint16_t word,
                           const RegisterImage& image, const TextContext& context);

// "0x0E", "0x00A5": the register map's hex forms.
std::string hexByte(uint8_t value);
std::string hexWord(uint16_t value);

}  // namespace hss::regmap
