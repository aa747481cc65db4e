#pragma once
// Command-line options of keldor-configurator, parsed into one struct so that
// new options only add a field and a branch here.

#include <optional>
#include <string>
#include <vector>

struct AppOptions {
    enum class Board { Hardware, Emulated, Socket };

    Board board = Board::Hardware;
    // Part fitted on the emulated board: a part name, a DEVID in hex
    // ("0xFFF2"), or "none" for a board without daughter card.
    std::string emulatedPart = "ZVR2M08A-K1";
    std::string socketPath;
    // Automation script ("-" = standard input); empty when not asked for.
    std::string scriptPath;
    bool showHelp = false;
    bool showVersion = false;
    // Qt's own options (-platform, -style, -geometry ...) with their values,
    // in the order given, for QApplication.
    std::vector<std::string> qtArguments;
};

struct AppOptionsResult {
    std::optional<AppOptions> options;  // empty: the command line was refused
    std::string error;                  // why it was refused
};

// args excludes the program name.
AppOptionsResult parseAppOptions(const std::vector<std::string>& args);

std::string appUsageText(const std::string& programName);
