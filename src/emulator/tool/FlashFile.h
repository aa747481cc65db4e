#pragma once
// The board's flash store kept in a file across velmara-emu runs. Text, one
// entry a line in flash order, register then value in hexadecimal:
//
//   # velmara-emu flash store
//   0x01 0x0001
//   0x05 0x0040
//
// Blank lines and lines starting with # are skipped.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using FlashStore = std::vector<std::pair<uint8_t, uint16_t>>;

std::string formatFlashStore(const FlashStore& store);
// nullopt with `error` naming the line when the text is not a flash store.
std::optional<FlashStore> parseFlashStore(const std::string& text, std::string& error);

// A missing file is an empty store (the first write creates it); an
// unreadable or malformed one is an error, so that it is never overwritten.
std::optional<FlashStore> readFlashFile(const std::string& path, std::string& error);
// Written to a temporary file beside it and renamed into place.
bool writeFlashFile(const std::string& path, const FlashStore& store, std::string& error);
