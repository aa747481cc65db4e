#pragma once
// The board's reply reports: building them and holding the one pending reply
// per report ID until the host reads it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// CRC-8 SAE J1850: polynomial 0x1D, initial 0xFF, final XOR 0xFF.
uint8_t crc8J1850(const uint8_t* data, std::size_t length);

std::vector<uint8_t> buildSingleReadReply(uint8_t address, uint16_t value, uint8_t status,
                                          bool withCrc);
std::vector<uint8_t> buildMixReadReply(const std::vector<uint16_t>& values, uint8_t status,
                                       bool withCrc);
std::vector<uint8_t> buildPollReadReply(const std::array<uint16_t, 6>& words);
std::vector<uint8_t> buildServiceReply(uint8_t answer0, uint8_t answer1);

class PendingReplies {
public:
    // Replaces whatever reply of the same ID was waiting. report[0] is the ID.
    void put(std::vector<uint8_t> report);
    const std::vector<uint8_t>* find(uint8_t reportId) const;
    void take(uint8_t reportId);
    void clear();

private:
    static std::optional<std::size_t> slotOf(uint8_t reportId);
    std::array<std::vector<uint8_t>, 4> byReportId;  // 0x3B .. 0x3E
};
