#include "emulator/BenchCommand.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "emulator/ChipParts.h"
#include "emulator/EmulatedBoard.h"

namespace {

using Action = BenchCommand::Action;
using Parsed = std::variant<BenchCommand, BenchError>;

constexpr double kMaxSupplyVolts = 60.0;
constexpr double kMinAmbientC = -60.0;
constexpr double kMaxAmbientC = 200.0;
constexpr long long kMaxDurationMs = 24LL * 3600 * 1000;
constexpr uint16_t kSelfTestBits = 0x003F;

const char* const kUsage =
    "board supply VOLTS | ambient CELSIUS | load CH OHMS|open | overload CH MS | short-vbb CH [MS] | "
    "fault REGISTER BITS [MS] | clear-fault REGISTER BITS | selftest-fail BITS | card CODE|none | unplug [AFTER] | plug | "
    "get current CH|temperature CH|i2t CH|register ADDR";

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string quoted(std::string_view word) { return "'" + std::string(word) + "'"; }

// Hexadecimal with or without 0x, at most `maxValue`.
std::optional<uint16_t> parseHex(std::string_view text, uint16_t maxValue) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
    if (text.empty() || text.size() > 4) return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size() || value > maxValue) return std::nullopt;
    return static_cast<uint16_t>(value);
}

std::optional<double> parseDecimal(std::string_view text) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// Builds one command from the words after "board"; each take* reports the
// first thing wrong and leaves the rest unread.
class Parser {
public:
    explicit Parser(const std::vector<std::string>& w) : words(w) {}

    Parsed parse() {
        if (words.empty() || words[0] != "board") return BenchError{std::string("usage: ") + kUsage};
        if (words.size() < 2) return BenchError{std::string("usage: ") + kUsage};
        name = "board " + words[1];
        const std::string& verb = words[1];
        if (verb == "supply") return one(Action::Supply, "VOLTS", [&] { return takeSupply(); });
        if (verb == "ambient") return one(Action::Ambient, "CELSIUS", [&] { return takeAmbient(); });
        if (verb == "load") return load();
        if (verb == "overload") return overload();
        if (verb == "short-vbb") return shortToVbb();
        if (verb == "fault") return fault(Action::Fault);
        if (verb == "clear-fault") return fault(Action::ClearFault);
        if (verb == "selftest-fail") return one(Action::SelfTestFail, "BITS", [&] { return takeSelfTestBits(); });
        if (verb == "card") return one(Action::Card, "CODE|none", [&] { return takeCard(); });
        if (verb == "unplug" && words.size() == 3) return unplugAfter();
        if (verb == "unplug" || verb == "plug") return bare(verb == "plug" ? Action::Plug : Action::Unplug);
        if (verb == "get") return get();
        return BenchError{"unknown board command " + quoted(verb) + "; usage: " + kUsage};
    }

private:
    BenchError error(const std::string& what) const { return BenchError{name + ": " + what}; }
    BenchError usage(const char* arguments) const { return BenchError{"usage: " + name + " " + arguments}; }

    bool arity(std::size_t min, std::size_t max) const { return words.size() >= min && words.size() <= max; }

    template <typename Take>
    Parsed one(Action action, const char* arguments, Take take) {
        if (!arity(3, 3)) return usage(arguments);
        command.action = action;
        if (auto failed = take()) return *failed;
        return command;
    }

    // "board unplug N": the cable comes out after N more command reports.
    Parsed unplugAfter() {
        unsigned count = 0;
        const std::string& word = words[2];
        const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), count);
        if (ec != std::errc() || end != word.data() + word.size() || count < 1 || count > 0xFFFF)
            return error("the number of command reports before the pull must be 1 to 65535, not " + quoted(word));
        command.action = Action::UnplugAfter;
        command.bits = static_cast<uint16_t>(count);
        return command;
    }

    Parsed bare(Action action) {
        if (!arity(2, 2)) return usage("");
        command.action = action;
        return command;
    }

    Parsed load() {
        if (!arity(4, 4)) return usage("CH OHMS|open");
        command.action = Action::Load;
        if (auto failed = takeChannel(words[2])) return *failed;
        if (upper(words[3]) == "OPEN") {
            command.value = std::numeric_limits<double>::infinity();
            return command;
        }
        const auto ohms = parseDecimal(words[3]);
        if (!ohms) return error(quoted(words[3]) + " is not a resistance in ohms (or open)");
        if (*ohms <= 0.0) return error("a load needs more than 0 ohms (board overload CH MS shorts the output)");
        command.value = *ohms;
        return command;
    }

    Parsed overload() {
        if (!arity(4, 4)) return usage("CH MS");
        command.action = Action::Overload;
        if (auto failed = takeChannel(words[2])) return *failed;
        if (auto failed = takeDuration(words[3])) return *failed;
        return command;
    }

    Parsed shortToVbb() {
        if (!arity(3, 4)) return usage("CH [MS]");
        command.action = Action::ShortToVbb;
        if (auto failed = takeChannel(words[2])) return *failed;
        if (words.size() == 4) {
            if (auto failed = takeDuration(words[3])) return *failed;
        }
        return command;
    }

    Parsed fault(Action action) {
        const bool timed = action == Action::Fault;
        if (!arity(4, timed ? 5 : 4)) return usage(timed ? "REGISTER BITS [MS]" : "REGISTER BITS");
        command.action = action;
        const std::string reg = upper(words[2]);
        if (reg == "DEV_FAULT") {
            command.faultRegister = FaultRegister::Device;
        } else if (reg == "CH1_FAULT") {
            command.faultRegister = FaultRegister::Channel1;
        } else if (reg == "CH2_FAULT") {
            command.faultRegister = FaultRegister::Channel2;
        } else {
            return error("unknown register " + quoted(words[2]) + " (DEV_FAULT, CH1_FAULT or CH2_FAULT)");
        }
        const auto bits = parseHex(words[3], 0xFFFF);
        if (!bits || *bits == 0) return error(quoted(words[3]) + " is not a hexadecimal bit mask from 0x0001 to 0xFFFF");
        command.bits = *bits;
        if (words.size() == 5) {
            if (auto failed = takeDuration(words[4])) return *failed;
        }
        return command;
    }

    Parsed get() {
        if (!arity(4, 4)) return usage("current CH|temperature CH|i2t CH|register ADDR");
        const std::string& what = words[2];
        name += " " + what;
        if (what == "register") {
            command.action = Action::GetRegister;
            const auto address = parseHex(words[3], 0xFF);
            if (!address) return error(quoted(words[3]) + " is not a register address from 0x00 to 0xFF");
            command.bits = *address;
            return command;
        }
        if (what == "current") {
            command.action = Action::GetCurrent;
        } else if (what == "temperature") {
            command.action = Action::GetTemperature;
        } else if (what == "i2t") {
            command.action = Action::GetI2t;
        } else {
            return BenchError{"board get: unknown reading " + quoted(what) + " (current, temperature, i2t or register)"};
        }
        if (auto failed = takeChannel(words[3])) return *failed;
        return command;
    }

    std::optional<BenchError> takeChannel(const std::string& word) {
        if (word != "1" && word != "2") return error("channel must be 1 or 2, not " + quoted(word));
        command.channel = word == "1" ? 0 : 1;
        return std::nullopt;
    }

    std::optional<BenchError> takeDuration(const std::string& word) {
        long long ms = 0;
        const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), ms);
        if (ec != std::errc() || end != word.data() + word.size() || ms < 1 || ms > kMaxDurationMs)
            return error("time must be a whole number of milliseconds from 1 to " + std::to_string(kMaxDurationMs) +
                         ", not " + quoted(word));
        command.duration = std::chrono::milliseconds(ms);
        return std::nullopt;
    }

    std::optional<BenchError> takeSupply() {
        const auto volts = parseDecimal(words[2]);
        if (!volts) return error(quoted(words[2]) + " is not a voltage");
        if (*volts < 0.0 || *volts > kMaxSupplyVolts) return error("supply must be 0 to 60 V, not " + words[2]);
        command.value = *volts;
        return std::nullopt;
    }

    std::optional<BenchError> takeAmbient() {
        const auto celsius = parseDecimal(words[2]);
        if (!celsius) return error(quoted(words[2]) + " is not a temperature");
        if (*celsius < kMinAmbientC || *celsius > kMaxAmbientC)
            return error("ambient must be -60 to 200 degrees C, not " + words[2]);
        command.value = *celsius;
        return std::nullopt;
    }

    std::optional<BenchError> takeSelfTestBits() {
        const auto bits = parseHex(words[2], kSelfTestBits);
        if (!bits) return error(quoted(words[2]) + " is not a hexadecimal ABIST_RESULT mask from 0x00 to 0x3F");
        command.bits = *bits;
        return std::nullopt;
    }

    std::optional<BenchError> takeCard() {
        const std::string& word = words[2];
        if (upper(word) == "NONE") {
            command.card.reset();
            return std::nullopt;
        }
        if (const auto part = findChipPartByName(upper(word))) {
            command.card = part->devid;
            return std::nullopt;
        }
        const auto code = parseHex(word, 0xFFFF);
        if (!code) return error(quoted(word) + " is not a part code in hexadecimal (e.g. 0xFF04), a part name or none");
        command.card = *code;
        return std::nullopt;
    }

    const std::vector<std::string>& words;
    std::string name;
    BenchCommand command;
};

std::vector<std::string> splitWords(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        const std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i > start) words.emplace_back(line.substr(start, i - start));
    }
    return words;
}

std::string channelName(int channel) { return channel == 0 ? "1" : "2"; }

std::string hexByte(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

std::string hexWord(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFFu);
    return text;
}

}  // namespace

std::string plainDecimal(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string out(text);
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    if (out == "-0") out = "0";
    return out;
}

std::variant<BenchCommand, BenchError> parseBenchCommand(const std::vector<std::string>& words) {
    return Parser(words).parse();
}

std::variant<BenchCommand, BenchError> parseBenchCommand(std::string_view line) {
    return parseBenchCommand(splitWords(line));
}

BenchReply runBenchCommand(EmulatedBoard& board, const BenchCommand& c) {
    using std::chrono::milliseconds;
    const bool needsCard = c.action == Action::Overload || c.action == Action::ShortToVbb ||
                           c.action == Action::Fault || c.action == Action::ClearFault ||
                           c.action == Action::GetCurrent || c.action == Action::GetTemperature ||
                           c.action == Action::GetI2t || c.action == Action::GetRegister;
    if (needsCard && !board.deviceId()) return {{}, "the board has no daughter card (board card CODE fits one)"};

    switch (c.action) {
    case Action::Supply: board.setSupplyVoltage(c.value); break;
    case Action::Ambient: board.setAmbientTemperature(c.value); break;
    case Action::Load: board.setLoadResistance(c.channel, c.value); break;
    case Action::Overload: board.overloadChannel(c.channel, c.duration); break;
    case Action::ShortToVbb: board.shortToSupply(c.channel, c.duration); break;
    case Action::Fault: board.injectFault(c.faultRegister, c.bits, c.duration); break;
    case Action::ClearFault: board.clearInjectedFault(c.faultRegister, c.bits); break;
    case Action::SelfTestFail: board.setSelfTestFailures(c.bits); break;
    case Action::Card: {
        // Cards are swapped with the board unplugged, so the host sees the
        // board leave and come back with the new chip.
        const bool wasPlugged = board.isPlugged();
        if (wasPlugged) board.unplug();
        board.setDeviceId(c.card);
        if (wasPlugged) board.plug();
        break;
    }
    case Action::Unplug: board.unplug(); break;
    case Action::UnplugAfter: board.unplugAfterCommands(c.bits); break;
    case Action::Plug: board.plug(); break;
    case Action::GetCurrent:
        return {"BOARD current " + channelName(c.channel) + "=" + plainDecimal(board.loadCurrent(c.channel), 3), {}};
    case Action::GetTemperature:
        return {"BOARD temperature " + channelName(c.channel) + "=" +
                    plainDecimal(board.junctionTemperature(c.channel), 2),
                {}};
    case Action::GetI2t:
        return {"BOARD i2t " + channelName(c.channel) + "=" + plainDecimal(board.i2tLevel(c.channel), 4), {}};
    case Action::GetRegister:
        return {"BOARD register " + hexByte(c.bits) + "=" +
                    hexWord(board.peekRegister(static_cast<uint8_t>(c.bits))),
                {}};
    }
    return {};
}

BenchReply runBenchLine(EmulatedBoard& board, std::string_view line) {
    const auto parsed = parseBenchCommand(line);
    if (const auto* failed = std::get_if<BenchError>(&parsed)) return {{}, failed->message};
    return runBenchCommand(board, std::get<BenchCommand>(parsed));
}
