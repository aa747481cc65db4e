#include "app/AppOptions.h"

#include <array>
#include <string_view>

namespace {

bool isOption(const std::string& arg)
{
    return arg.size() >= 2 && arg[0] == '-';
}

// Options QApplication (with its platform plugins) takes for itself.
constexpr std::array<std::string_view, 16> kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowicon", "icon", "qwindowtitle", "title", "session", "style", "stylesheet", "display", "name", "visual"};
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "testability", "widgetcount", "nograb", "dograb"};
// Given only in the -name=value form.
constexpr std::array<std::string_view, 3> kQtJoinedOptions = {"style", "stylesheet", "qmljsdebugger"};

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& names, std::string_view name)
{
    for (std::string_view n : names)
        if (n == name) return true;
    return false;
}

// Takes the Qt option at args[i] into out, with its value (i then moves on to
// it). Qt takes "-name" and "--name" alike; out gets the one-dash form.
enum class QtOption { None, Taken, MissingValue };
QtOption takeQtOption(const std::vector<std::string>& args, std::size_t& i, std::vector<std::string>& out)
{
    std::string_view arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') return QtOption::None;
    std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
    const std::size_t equals = name.find('=');
    if (equals != std::string_view::npos) {
        if (!listed(kQtJoinedOptions, name.substr(0, equals))) return QtOption::None;
        out.push_back("-" + std::string(name));
        return QtOption::Taken;
    }
    if (listed(kQtFlags, name)) {
        out.push_back("-" + std::string(name));
        return QtOption::Taken;
    }
    if (!listed(kQtOptionsWithValue, name)) return QtOption::None;
    if (i + 1 >= args.size() || args[i + 1].empty()) return QtOption::MissingValue;
    out.push_back("-" + std::string(name));
    out.push_back(args[++i]);
    return QtOption::Taken;
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
        } else if (arg == "--version") {
            options.showVersion = true;
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
        } else if (const QtOption qt = takeQtOption(args, i, options.qtArguments); qt != QtOption::None) {
            if (qt == QtOption::MissingValue) return refuse(arg + " needs a value");
        } else {
            return refuse("unknown argument: " + arg);
        }
    }
    return AppOptionsResult{options, {}};
}

std::string appUsageText(const std::string& programName)
{
    return "Usage: " + programName +
           " [--emulate [PART] | --board-socket PATH] [--script FILE] [--help] [--version]\n"
           "       [QT OPTIONS]\n"
           "\n"
           "Configures the high-side switch on a VELMARA-BOARD carrier board.\n"
           "\n"
           "  (no board option)     use real boards on USB (hidraw), plugged in at any time\n"
           "  --emulate [PART]      use the built-in emulated board with PART fitted\n"
           "                        (default ZVR2M08A-K1; a DEVID such as 0xFFF2; or none)\n"
           "  --board-socket PATH   use the virtual board listening on the Unix socket PATH\n"
           "  --script FILE         run an automation script once the window is shown\n"
           "                        (- reads standard input)\n"
           "  --help                show this text\n"
           "  --version             show the version\n"
           "\n"
           "Qt's own options are passed on to Qt with their values, for example\n"
           "  -platform offscreen, -style Fusion, -geometry 1200x800+0+0, -display :1, -reverse\n";
}
