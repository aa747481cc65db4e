#include "emulator/tool/EmuOptions.h"

#include <charconv>

#include "emulator/ChipParts.h"
#include "emulator/EmulatedBoard.h"

namespace {

std::optional<uint16_t> parseHexWord(std::string text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = text.substr(2);
    if (text.empty() || text.size() > 4) return std::nullopt;
    uint16_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string partNames() {
    std::string names;
    for (const ChipPart& part : knownChipParts()) {
        if (part.devid == 0xFFFF) continue;  // the prototype is fitted with --devid 0xFFFF
        if (!names.empty()) names += ", ";
        names += part.name;
    }
    return names;
}

}  // namespace

std::string emuUsage(const std::string& programName) {
    return "usage: " + programName +
           " --socket PATH [--part NAME | --devid CODE | --no-chip] [--firmware 0xNNNN]\n"
           "       [--flash-file PATH] [--trace] [--help] [--version]\n"
           "\n"
           "Serves one emulated VELMARA-BOARD on a Unix socket. Lines on standard input\n"
           "drive the bench: board supply VOLTS, board load CH OHMS|open, board overload CH MS,\n"
           "board short-vbb CH [MS], board fault REGISTER BITS [MS], board clear-fault REGISTER BITS,\n"
           "board ambient CELSIUS, board selftest-fail BITS, board card CODE|none, board unplug,\n"
           "board plug, board get current CH|temperature CH|i2t CH|register ADDR.\n"
           "Answers go to standard output, refused lines to standard error.\n"
           "  --socket PATH      socket path to listen on (required)\n"
           "  --part NAME        fitted part (default ZVR2M08A-K1): " + partNames() + "\n"
           "  --devid CODE       fitted chip's DEVID in hexadecimal, listed or not (e.g. 0x1234)\n"
           "  --no-chip          no daughter card\n"
           "  --firmware 0xNNNN  board firmware version (default 0x20B0)\n"
           "  --flash-file PATH  keep the board's flash store in this file across runs\n"
           "  --trace            print every report received and sent, one hex line each\n"
           "  --help             show this text\n"
           "  --version          show the version\n";
}

std::variant<EmuOptions, EmuOptionsError> parseEmuOptions(const std::vector<std::string>& args) {
    EmuOptions options;
    options.devid = EmulatedBoard::kDefaultDeviceId;
    bool chipChosen = false;
    bool socketGiven = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const auto value = [&]() -> std::optional<std::string> {
            if (inlineValue) return inlineValue;
            if (i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };
        const bool takesValue = name == "--socket" || name == "--part" || name == "--devid" || name == "--firmware" ||
                                name == "--flash-file";
        if (!takesValue && inlineValue) return EmuOptionsError{name + " takes no value"};

        if (name == "--help" || name == "-h") {
            options.helpRequested = true;
        } else if (name == "--version") {
            options.versionRequested = true;
        } else if (name == "--trace") {
            options.trace = true;
        } else if (name == "--no-chip" || name == "--part" || name == "--devid") {
            if (chipChosen) return EmuOptionsError{"choose only one of --part, --devid and --no-chip"};
            chipChosen = true;
            if (name == "--no-chip") {
                options.devid = std::nullopt;
                continue;
            }
            const auto text = value();
            if (!text) return EmuOptionsError{name + " needs a value"};
            if (name == "--part") {
                const auto part = findChipPartByName(*text);
                if (!part) return EmuOptionsError{"unknown part '" + *text + "'"};
                options.devid = part->devid;
            } else {
                const auto code = parseHexWord(*text);
                if (!code) return EmuOptionsError{"--devid needs a hexadecimal 16-bit code, not '" + *text + "'"};
                options.devid = *code;
            }
        } else if (name == "--firmware") {
            const auto text = value();
            const auto version = text ? parseHexWord(*text) : std::nullopt;
            if (!version) return EmuOptionsError{"--firmware needs a hexadecimal 16-bit version"};
            options.firmwareVersion = *version;
        } else if (name == "--flash-file") {
            const auto text = value();
            if (!text || text->empty()) return EmuOptionsError{"--flash-file needs a path"};
            options.flashFile = *text;
        } else if (name == "--socket") {
            const auto text = value();
            if (!text || text->empty()) return EmuOptionsError{"--socket needs a path"};
            options.socketPath = *text;
            socketGiven = true;
        } else {
            return EmuOptionsError{"unknown argument '" + args[i] + "'"};
        }
    }
    if (!socketGiven && !options.helpRequested && !options.versionRequested) return EmuOptionsError{"--socket PATH is required"};
    return options;
}
