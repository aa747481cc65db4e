#include "emulator/tool/FlashFile.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "protocol/HSSConstants.h"

namespace {

std::optional<unsigned> parseHex(std::string word, unsigned maxValue) {
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) word = word.substr(2);
    if (word.empty() || word.size() > 4) return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    if (ec != std::errc() || end != word.data() + word.size() || value > maxValue) return std::nullopt;
    return value;
}

}  // namespace

std::string formatFlashStore(const FlashStore& store) {
    std::string text = "# velmara-emu flash store: register and value, in flash order\n";
    for (const auto& [address, value] : store) {
        char line[32];
        std::snprintf(line, sizeof line, "0x%02X 0x%04X\n", address, value);
        text += line;
    }
    return text;
}

std::optional<FlashStore> parseFlashStore(const std::string& text, std::string& error) {
    FlashStore store;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string address;
        std::string value;
        std::string extra;
        if (!(words >> address) || address[0] == '#') continue;
        const auto a = parseHex(address, 0xFF);
        const auto v = (words >> value) ? parseHex(value, 0xFFFF) : std::nullopt;
        if (!a || !v || (words >> extra)) {
            error = "line " + std::to_string(number) + " is not 'REGISTER VALUE' in hexadecimal: " + line;
            return std::nullopt;
        }
        if (store.size() == hss::kFlashWriteCapacity) {
            error = "more than " + std::to_string(hss::kFlashWriteCapacity) + " entries";
            return std::nullopt;
        }
        store.emplace_back(static_cast<uint8_t>(*a), static_cast<uint16_t>(*v));
    }
    return store;
}

std::optional<FlashStore> readFlashFile(const std::string& path, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) return FlashStore{};
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, ec)) {
        error = "cannot read flash file " + path;
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string why;
    auto store = parseFlashStore(text.str(), why);
    if (!store) error = "flash file " + path + ": " + why;
    return store;
}

bool writeFlashFile(const std::string& path, const FlashStore& store, std::string& error) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << formatFlashStore(store);
        out.flush();
        if (!out) {
            error = "cannot write " + temporary + ": " + std::strerror(errno);
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
