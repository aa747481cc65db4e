#pragma once
// One bit field of a chip register: where it sits, how wide it is, and
// whether a cleared bit means "on". All field encoding and decoding of the
// tool goes through this one helper.

#include <cstdint>
#include <optional>

#include "device/HSSRegisterMap.h"

struct RegisterField {
    HSSRegister reg;
    uint8_t offset;         // lowest bit of the field
    uint8_t width;          // number of bits
    bool inverted = false;  // switch whose cleared bit is the enabled state

    // Largest value the field holds.
    constexpr uint16_t maxValue() const { return static_cast<uint16_t>((1u << width) - 1u); }
    constexpr uint16_t mask() const { return static_cast<uint16_t>(maxValue() << offset); }

    // Raw field value (for index fields: the option-list index).
    constexpr uint16_t get(uint16_t word) const { return static_cast<uint16_t>((word & mask()) >> offset); }

    // The word with the field replaced by value. Bits of value beyond the
    // field's width are dropped, so an index never spills into its neighbours.
    constexpr uint16_t set(uint16_t word, uint16_t value) const
    {
        return static_cast<uint16_t>((word & ~mask()) | ((value & maxValue()) << offset));
    }

    // True when value is a valid raw value of this field.
    constexpr bool fits(uint32_t value) const { return value <= maxValue(); }

    // Switch state, inversion applied: any set bit counts as set.
    constexpr bool isOn(uint16_t word) const { return (get(word) != 0) != inverted; }

    // The word with the switch turned on or off, inversion applied.
    constexpr uint16_t setOn(uint16_t word, bool on) const
    {
        return set(word, on != inverted ? maxValue() : uint16_t{0});
    }

    // The same bits of the same register (inversion aside).
    constexpr bool sameBits(const RegisterField& other) const
    {
        return reg == other.reg && offset == other.offset && width == other.width;
    }

    // Address of the field's register in a family (channel counts only for
    // per-channel registers).
    std::optional<uint8_t> address(hss_device_family_t family, uint8_t channel = 0) const
    {
        return hss::registerAddress(family, reg, channel);
    }
};
