#pragma once
// Hexadecimal text routines shared by the register console, the user-register
// boxes and the editor refresh. Plain standard C++ so that any layer can use
// them. Text is handled one byte per character: anything outside ASCII hex
// digits counts as digit 0, as the console has always done.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// '0'-'9' -> 0-9, 'A'-'F' and 'a'-'f' -> 10-15, anything else -> 0.
int char2int(char c);

// One byte per pair of characters (first character is the high nibble); an
// odd last character is ignored.
std::vector<uint8_t> hex2bin(std::string_view text);

// The text with every character other than a hex digit removed.
std::string treatHexString(std::string_view text);

// Trims surrounding white space and removes every '_' and blank.
std::string CleanDigits(std::string_view text);

// Parses an unsigned 32-bit hex number after CleanDigits and an optional
// leading "0x"/"0X". On failure returns false and leaves value alone.
bool TryParseHex(std::string_view text, uint32_t& value);

// Upper-case hex without leading zeros (255 -> "FF", 0 -> "0").
std::string ToHex(uint32_t value);

// A register address or value as a user types it: surrounding blanks, an
// optional "0x"/"0X", then one to maxDigits hex digits and nothing else.
// Empty for anything else: "-1", "12G", "123456" for a 16-bit value.
std::optional<uint32_t> parseHexDigits(std::string_view text, std::size_t maxDigits);
