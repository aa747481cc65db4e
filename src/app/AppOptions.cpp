#include "app/AppOptions.h"

namespace {

bool isOption(const std::string& arg)
{
    return arg.size() >= 2 && arg[0] == '-' && arg[1] == '-';
}

AppOptionsResult refuse(std::string why)
{
    return AppOptionsResult{std::nullopt, std::move(why)};
}

}  // namespace

AppOptionsResult parseAppOptions(const std::vector<std::string>& args)
{
    AppOptions options;
    bool boardChosen = false;
    auto chooseBoard = [&](AppOptions::Board board, const std::string& name) -> std::optional<std::string> {
        if (boardChosen) return "only one of --emulate and --board-socket may be given (" + name + ")";
        boardChosen = true;
        options.board = board;
        return std::nullopt;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.showHelp = true;
        } else if (arg == "--emulate") {
            if (auto error = chooseBoard(AppOptions::Board::Emulated, arg)) return refuse(*error);
            if (i + 1 < args.size() && !isOption(args[i + 1])) {
                options.emulatedPart = args[++i];
                if (options.emulatedPart.empty()) return refuse("--emulate needs a part name, not an empty text");
            }
        } else if (arg == "--board-socket") {
            if (auto error = chooseBoard(AppOptions::Board::Socket, arg)) return refuse(*error);
            if (i + 1 >= args.size() || args[i + 1].empty()) return refuse("--board-socket needs a socket path");
            options.socketPath = args[++i];
        } else if (arg == "--script") {
            if (i + 1 >= args.size() || args[i + 1].empty()) return refuse("--script needs a file name (or - for standard input)");
            options.scriptPath = args[++i];
        } else {
            return refuse("unknown argument: " + arg);
        }
    }
    return AppOptionsResult{options, {}};
}

std::string appUsageText(const std::string& programName)
{
    return "Usage: " + programName +
           " [--emulate [PART] | --board-socket PATH] [--script FILE] [--help]\n"
           "\n"
           "Configures the high-side switch on a VELMARA-BOARD carrier board.\n"
           "\n"
           "  (no board option)     use real boards on USB (hidraw), plugged in at any time\n"
           "  --emulate [PART]      use the built-in emulated board with PART fitted\n"
           "                        (default ZVR2M08A-K1; a DEVID such as 0xFFF2; or none)\n"
           "  --board-socket PATH   use the virtual board listening on the Unix socket PATH\n"
           "  --script FILE         run an automation script once the window is shown\n"
           "                        (- reads standard input)\n"
           "  --help                show this text\n";
}
