#include "cli/CliOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace hss::cli {

namespace {

constexpr std::array<std::string_view, 11> kCommands{"list",   "identify", "read",  "write",    "verify", "diff",
                                                     "export", "faults",   "sense", "selftest", "help"};

bool isCommand(const std::string& word)
{
    return std::find(kCommands.begin(), kCommands.end(), word) != kCommands.end();
}

std::optional<double> seconds(const std::string& text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value <= 0 ||
        value > 7 * 24 * 3600)
        return std::nullopt;
    return value;
}

std::optional<std::vector<int>> channelList(const std::string& text)
{
    std::vector<int> channels;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string part = text.substr(start, comma - start);
        if (part != "1" && part != "2") return std::nullopt;
        const int channel = part[0] - '0';
        if (std::find(channels.begin(), channels.end(), channel) == channels.end()) channels.push_back(channel);
        start = comma + 1;
    }
    std::sort(channels.begin(), channels.end());
    return channels;
}

// Which options each command takes, beyond the board and output options.
bool allowed(const std::string& command, const std::string& option)
{
    static const std::vector<std::pair<std::string_view, std::vector<std::string_view>>> table{
        {"list", {"--identify"}},
        {"read", {"-o", "--format"}},
        {"write", {"--flash", "--no-verify"}},
        {"export", {"--from"}},
        {"faults", {"--watch", "--duration"}},
        {"sense", {"--quantity", "--channels", "--duration", "-o"}},
    };
    for (const auto& [name, options] : table) {
        if (name == command) return std::find(options.begin(), options.end(), option) != options.end();
    }
    return false;
}

}  // namespace

std::variant<CliOptions, CliUsageError> parseCliOptions(const std::vector<std::string>& args)
{
    CliOptions options;
    std::vector<std::pair<std::string, std::size_t>> commandOptions;  // checked once the command is known
    bool boardChosen = false;
    const auto chooseBoard = [&](CliOptions::Board board) -> std::optional<CliUsageError> {
        if (boardChosen && options.board != board)
            return CliUsageError{"choose one board: a real board (--serial), --emulate or --board-socket"};
        boardChosen = true;
        options.board = board;
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--all") {
            options.all = true;
        } else if (arg == "--serial") {
            const auto serial = value();
            if (!serial || serial->empty()) return CliUsageError{"--serial needs a serial number"};
            if (auto error = chooseBoard(CliOptions::Board::Hardware)) return *error;
            options.serial = *serial;
        } else if (arg == "--emulate") {
            if (auto error = chooseBoard(CliOptions::Board::Emulated)) return *error;
            // The part is optional: the next word is one unless it is a command or an option.
            if (i + 1 < args.size() && !isCommand(args[i + 1]) && args[i + 1].rfind("-", 0) != 0)
                options.emulatedPart = args[++i];
        } else if (arg == "--board-socket") {
            const auto path = value();
            if (!path || path->empty()) return CliUsageError{"--board-socket needs the path of a socket"};
            if (auto error = chooseBoard(CliOptions::Board::Socket)) return *error;
            options.sockets.push_back(*path);
        } else if (arg == "-o" || arg == "--format" || arg == "--from" || arg == "--duration" ||
                   arg == "--quantity" || arg == "--channels") {
            const auto text = value();
            if (!text || text->empty()) return CliUsageError{arg + " needs a value"};
            commandOptions.emplace_back(arg, i);
            if (arg == "-o") options.output = *text;
            if (arg == "--format") {
                if (*text != "settings" && *text != "json" && *text != "table")
                    return CliUsageError{"--format takes settings, json or table, not '" + *text + "'"};
                options.format = *text;
            }
            if (arg == "--from") options.from = *text;
            if (arg == "--duration") {
                options.duration = seconds(*text);
                if (!options.duration)
                    return CliUsageError{"--duration takes a number of seconds above 0, not '" + *text + "'"};
            }
            if (arg == "--quantity") {
                if (*text != "current" && *text != "output" && *text != "vds" && *text != "temperature")
                    return CliUsageError{"--quantity takes current, output, vds or temperature, not '" + *text + "'"};
                options.quantity = *text;
            }
            if (arg == "--channels") {
                const auto channels = channelList(*text);
                if (!channels) return CliUsageError{"--channels takes 1, 2 or 1,2, not '" + *text + "'"};
                options.channels = *channels;
            }
        } else if (arg == "--identify" || arg == "--flash" || arg == "--no-verify" || arg == "--watch") {
            commandOptions.emplace_back(arg, i);
            options.identify |= arg == "--identify";
            options.flash |= arg == "--flash";
            options.noVerify |= arg == "--no-verify";
            options.watch |= arg == "--watch";
        } else if (!arg.empty() && arg[0] == '-') {
            return CliUsageError{"unknown option " + arg};
        } else if (options.command.empty()) {
            if (!isCommand(arg)) return CliUsageError{"unknown command '" + arg + "'"};
            options.command = arg;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.help || options.version) return options;
    if (options.command.empty()) return CliUsageError{"no command given"};
    if (options.command == "help") {
        options.help = true;
        return options;
    }
    for (const auto& [option, index] : commandOptions) {
        if (!allowed(options.command, option)) return CliUsageError{option + " does not go with " + options.command};
    }
    std::size_t wanted = 0;
    if (options.command == "write" || options.command == "verify" || options.command == "export") wanted = 1;
    if (options.command == "diff") wanted = 2;
    if (options.files.size() != wanted) {
        if (wanted == 0) return CliUsageError{options.command + " takes no file, but got '" + options.files[0] + "'"};
        return CliUsageError{options.command + (wanted == 1 ? " needs one file" : " needs two files")};
    }
    if (options.all && options.command != "write" && options.command != "verify" && options.command != "identify")
        return CliUsageError{"--all goes with write, verify and identify"};
    if (options.command == "sense" && (!options.duration || options.output.empty()))
        return CliUsageError{"sense needs --duration S and -o FILE.csv"};
    if (options.board == CliOptions::Board::Emulated && options.all)
        return CliUsageError{"--all works on real boards or several --board-socket boards, not on --emulate"};
    return options;
}

std::string cliUsage()
{
    return R"(Usage: keldor-cli [BOARD] COMMAND [OPTIONS]

Programs, verifies and watches the switch chip on a VELMARA-BOARD without the window.

BOARD (default: the one attached real board)
  --serial SN           the attached board with this USB serial number
  --emulate [PART]      the built-in emulated board (PART: a part name, a DEVID such as 0xFFF2, or none)
  --board-socket PATH   a virtual board on a Unix socket (repeat for several with --all)
  --all                 every attached board (or every --board-socket) at once: write, verify, identify

COMMANDS
  list [--identify]                  attached boards: path, serial number, firmware, the part with --identify
  identify                           part number, family, DEVID, firmware version, safety part or not
  read [-o FILE] [--format settings|json|table]
                                     the whole configuration; settings is what the window's Save Settings writes
  write FILE [--flash] [--no-verify] program a settings file, read back and compare every register it holds
  verify FILE                        compare the chip with a settings file, field by field
  diff FILE1 FILE2                   compare two settings files (no board)
  export FILE.h [--from SETTINGS]    the C export (FILE.h, FILE.c and the support headers), from the chip or a file
  faults [--watch] [--duration S]    the decoded fault state; --watch prints each raise and clear until the end or Ctrl+C
  sense --quantity current|output|vds|temperature --channels 1,2 --duration S -o FILE.csv
                                     the sense stream logged to a CSV file, progress on standard error
  selftest                           the safety self-tests of a safety part, one result each

OPTIONS
  --json                one JSON document on standard output (one object per line for streams)
  --help, --version

EXIT STATUS
  0  done
  1  usage error
  2  no board, or no supported part on it
  3  verify or diff: the chip (or the second file) differs
  4  a file unreadable or malformed, or of the other family
  5  board link failed (retries exhausted, or the board removed mid-way), or the board
     cannot do it (--flash on firmware before v20B0, refused before anything is written)
)";
}

}  // namespace hss::cli
