#include "ui/HexText.h"

#include <cctype>

int char2int(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

std::vector<uint8_t> hex2bin(std::string_view text)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        bytes.push_back(static_cast<uint8_t>(char2int(text[i]) * 16 + char2int(text[i + 1])));
    }
    return bytes;
}

static bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::string treatHexString(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (isHexDigit(c)) out.push_back(c);
    }
    return out;
}

static bool isSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

static std::string_view trimmed(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isSpace(text[begin])) ++begin;
    while (end > begin && isSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string CleanDigits(std::string_view text)
{
    std::string out;
    for (char c : trimmed(text)) {
        if (c != '_' && c != ' ') out.push_back(c);
    }
    return out;
}

bool TryParseHex(std::string_view text, uint32_t& value)
{
    std::string digits = CleanDigits(text);
    if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.erase(0, 2);
    }
    if (digits.empty()) return false;
    uint64_t parsed = 0;
    for (char c : digits) {
        if (!isHexDigit(c)) return false;
        parsed = parsed * 16 + static_cast<uint64_t>(char2int(c));
        if (parsed > 0xFFFFFFFFull) return false;
    }
    value = static_cast<uint32_t>(parsed);
    return true;
}

std::string ToHex(uint32_t value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return out;
}

std::optional<uint32_t> parseHexDigits(std::string_view text, std::size_t maxDigits)
{
    std::string_view digits = trimmed(text);
    if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.remove_prefix(2);
    if (digits.empty() || digits.size() > maxDigits || maxDigits > 8) return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
        if (!isHexDigit(c)) return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(char2int(c));
    }
    return value;
}
