#pragma once
// The `board` command lines that drive an emulated board from outside, as a
// bench would: supply, ambient, loads, overloads, shorts, fault injection,
// self-test failures, card swap, plug and unplug, and readings. Scripts of
// the tool and velmara-emu's standard input share this one parser.
//
//   board supply VOLTS              board ambient CELSIUS
//   board load CH OHMS|open         board overload CH MS
//   board short-vbb CH [MS]         board selftest-fail BITS
//   board fault REGISTER BITS [MS]  board clear-fault REGISTER BITS
//   board card CODE|NAME|none       board unplug [AFTER] | board plug
//   board get current CH|temperature CH|i2t CH|register ADDR
//
// Channels are 1 and 2. REGISTER is DEV_FAULT, CH1_FAULT or CH2_FAULT.
// BITS, ADDR and CODE are hexadecimal with or without 0x. MS is a whole
// number of milliseconds; without it a fault or short lasts until cleared
// (a short also ends when the channel gets a load again). A card swap
// pulls a plugged board, swaps the card and plugs it in again; "unplug N"
// pulls the cable after N more command reports (mid-way through a host's work). A `get` answers
// one line, "BOARD current 1=8.002" (amps), "BOARD temperature 1=25.4"
// (degrees C), "BOARD i2t 1=0.5" (fraction of the trip energy),
// "BOARD register 0x0D=0x0080"; every other command answers nothing.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "emulator/SwitchChip.h"

class EmulatedBoard;

struct BenchCommand {
    enum class Action {
        Supply, Ambient, Load, Overload, ShortToVbb, Fault, ClearFault, SelfTestFail,
        Card, Unplug, UnplugAfter, Plug, GetCurrent, GetTemperature, GetI2t, GetRegister,
    };
    Action action = Action::Plug;
    int channel = 0;  // 0 or 1
    double value = 0.0;  // volts, degrees C, or ohms (infinity: open load)
    std::chrono::milliseconds duration{0};  // zero: until cleared
    FaultRegister faultRegister = FaultRegister::Device;
    uint16_t bits = 0;  // fault or self-test bits, or the register address
    std::optional<uint16_t> card;  // Card: the DEVID to fit, nullopt: none
};

struct BenchError {
    std::string message;  // starts with the command, e.g. "board load: ..."
};

// words[0] must be "board".
std::variant<BenchCommand, BenchError> parseBenchCommand(const std::vector<std::string>& words);
std::variant<BenchCommand, BenchError> parseBenchCommand(std::string_view line);

struct BenchReply {
    std::string answer;  // the BOARD line of a get, else empty
    std::string error;   // empty when the command was carried out
};

BenchReply runBenchCommand(EmulatedBoard& board, const BenchCommand& command);
// Parses and runs one line.
BenchReply runBenchLine(EmulatedBoard& board, std::string_view line);

// Number formatting of the answers: fixed point, trailing zeros dropped.
std::string plainDecimal(double value, int decimals);
