#pragma once
// From the three fault status words (DEV_FAULT, CH1_FAULT, CH2_FAULT) to
// what a fault view shows: the state of every fault row in the view's order,
// the raise and clear lines to log, the summaries, the limp-home and the
// LPM wake-up state. Updating the records on the way keeps each record's
// count to one per rising edge.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "device/FaultRecords.h"
#include "device/HSSDeviceFamily.h"

class ZVRxQxx16PINConfiguration;

namespace hss {

enum class FaultWord : uint8_t { Device, Channel1, Channel2 };

// One decoded bit. clear is empty for the row that logs nothing when it clears.
struct FaultRow {
    FaultWord word;
    uint8_t bit;
    FaultId fault;
    std::string_view raise;
    std::string_view clear;
};

// The rows of a family's fault view in the order they are drawn: the
// DEV_FAULT rows, then channel 1, then channel 2 (18-pin with bit 12).
// Empty for HSS_FAMILY_NONE.
std::span<const FaultRow> faultRows(hss_device_family_t family);

// Stores one entry of a fault reply in the family's record by its address;
// the word it stored, or nothing for an address outside the fault list.
std::optional<FaultWord> storeFaultWord(ZVRxQxx16PINConfiguration& record, hss_device_family_t family,
                                        uint8_t address, uint16_t value);

// The words a redraw works from; a word not read yet is empty and its rows
// are left alone.
struct FaultWords {
    std::array<std::optional<uint16_t>, 3> words;  // by FaultWord
    std::optional<uint16_t> operator[](FaultWord word) const { return words[std::size_t(word)]; }
};

struct FaultRedraw {
    struct Lamp {
        FaultId fault;
        bool faulted;
    };
    std::vector<Lamp> lamps;                  // rows of known words, in row order
    std::vector<std::string_view> logLines;   // raise and clear lines, in row order
    std::vector<FaultId> raised;              // faults newly raised, in row order
    std::vector<FaultId> cleared;             // faults newly cleared (logged or not), in row order
    std::optional<bool> global;               // DEV_FAULT bit 8
    std::array<std::optional<bool>, 2> channels;  // any of bits 0-7 of the channel's word
    std::optional<bool> limpHome;             // DEV_FAULT bit 7: "Clear Limp Home Fault" usable
    std::array<std::optional<bool>, 2> lpmWake;   // the channel's bit 6
};

// Applies the words to the records row by row: a row whose bit is set logs
// its raise line if its record was not faulted, a clear row logs its clear
// line if it was, and the record follows the bit.
FaultRedraw redrawFaults(FaultRecords& records, hss_device_family_t family, const FaultWords& words);

}  // namespace hss
