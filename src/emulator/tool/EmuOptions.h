#pragma once
// Command line of velmara-emu.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct EmuOptions {
    std::string socketPath;
    std::optional<uint16_t> devid;  // nullopt: no daughter card
    uint16_t firmwareVersion = 0x20B0;
    std::string flashFile;  // empty: the flash store lasts as long as the process
    bool trace = false;
    bool helpRequested = false;
    bool versionRequested = false;
};

struct EmuOptionsError {
    std::string message;
};

// args excludes the program name.
std::variant<EmuOptions, EmuOptionsError> parseEmuOptions(const std::vector<std::string>& args);
std::string emuUsage(const std::string& programName);
