#pragma once
// Helpers to compare a command's report with the bytes written down in a
// protocol example.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "protocol/HSSCommand.h"

namespace testing_reports {

inline std::vector<uint8_t> bytes(std::initializer_list<int> list)
{
    std::vector<uint8_t> out;
    for (int b : list)
        out.push_back(static_cast<uint8_t>(b));
    return out;
}

// The first n bytes of the report the command builds.
inline std::vector<uint8_t> commandReport(HSSCommand& cmd, std::size_t n)
{
    const uint8_t* data = cmd.getCommandData();
    return std::vector<uint8_t>(data, data + n);
}

// Puts a reply into the command's buffer as the link's read would, then decodes.
inline void deliverReply(HSSCommand& cmd, const std::vector<uint8_t>& reply)
{
    uint8_t* buffer = cmd.getResponseData();
    for (std::size_t i = 0; i < reply.size(); ++i)
        buffer[i] = reply[i];
    cmd.serializeResponsePayload();
}

inline bool allZero(const uint8_t* from, const uint8_t* to)
{
    for (const uint8_t* p = from; p != to; ++p)
        if (*p != 0)
            return false;
    return true;
}

}  // namespace testing_reports
