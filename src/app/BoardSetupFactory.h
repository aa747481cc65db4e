#pragma once
// Builds the BoardSetup for the board the command line chose.

#include <cstdint>
#include <optional>
#include <string>

#include "app/AppOptions.h"
#include "app/BoardSetup.h"

// The DEVID an --emulate part text stands for: a part name of the part table,
// a code such as "0xFFF2", or "none" (no daughter card: nullopt inside).
struct EmulatedPart {
    bool known = false;               // false: the text names nothing
    std::optional<uint16_t> devid;    // nullopt: no daughter card
};
EmulatedPart resolveEmulatedPart(const std::string& part);

// nullopt with error set when the options cannot be served.
std::optional<BoardSetup> makeBoardSetup(const AppOptions& options, std::string& error);

// An emulated board with the given part (tests and demos).
BoardSetup makeEmulatedBoardSetup(std::optional<uint16_t> devid);
