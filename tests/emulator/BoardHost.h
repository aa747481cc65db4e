#pragma once
// Drives an EmulatedBoard the way the HID link does: write the command report
// at the board's transfer length, then read the reply report the command
// names and decode it.

#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "emulator/EmulatedBoard.h"
#include "protocol/HSSProtocol.h"

namespace emutest {

using namespace std::chrono_literals;

struct ClockedBoard {
    explicit ClockedBoard(std::optional<uint16_t> devid = EmulatedBoard::kDefaultDeviceId)
        : clock(std::make_shared<ManualBoardClock>()), board(devid, clock) {}
    std::shared_ptr<ManualBoardClock> clock;
    EmulatedBoard board;
};

// Feature-report length plus one, as the link transfers command reports.
inline constexpr std::size_t kTransferLength = EmulatedBoard::kFeatureReportLength + 1;

inline bool send(EmulatedBoard& board, HSSCommand& cmd) {
    return board.setFeature(cmd.getCommandData(), kTransferLength);
}

// True when the command went out and, for a read, its reply was accepted.
inline bool exchange(EmulatedBoard& board, HSSCommand& cmd) {
    if (!cmd.isSkipWrite() && !send(board, cmd)) return false;
    if (cmd.isWriteCommand()) return true;
    uint8_t* buffer = cmd.getResponseData();
    if (!board.getFeature(buffer, cmd.getResponseSize()) || !cmd.isDataDirty()) return false;
    cmd.serializeResponsePayload();
    return true;
}

inline void writeRegister(EmulatedBoard& board, uint8_t address, uint16_t value) {
    HSSSingleWriteCmd cmd(address, value);
    exchange(board, cmd);
}

// The value a single read returns, or -1 when no reply came.
inline int readRegister(EmulatedBoard& board, uint8_t address) {
    HSSSingleReadCmd cmd(address, 1);
    if (!exchange(board, cmd)) return -1;
    return cmd.getPayload();
}

inline std::vector<uint8_t> raw(std::initializer_list<int> list) {
    std::vector<uint8_t> out;
    for (int b : list) out.push_back(static_cast<uint8_t>(b));
    return out;
}

// Command report bytes padded to the link's transfer length.
inline bool sendRaw(EmulatedBoard& board, std::vector<uint8_t> report) {
    report.resize(std::max(report.size(), kTransferLength), 0);
    return board.setFeature(report.data(), report.size());
}

inline std::vector<uint8_t> readReport(EmulatedBoard& board, uint8_t reportId, std::size_t length) {
    std::vector<uint8_t> out(length, 0);
    out[0] = reportId;
    if (!board.getFeature(out.data(), out.size())) return {};
    return out;
}

// Conversions the tool applies to the sense words (RSNS 698 ohms).
inline double amps(uint16_t word, double ksns) { return ksns * 2.8 * (word & 0x3FF) / (698.0 * 1023.0); }
inline double outputVolts(uint16_t word) { return (word & 0x3FF) * 50.092 / 1705.341; }
inline double vdsVolts(uint16_t word) { return ((word & 0x3FF) - 24.0) / 288.267; }
inline double celsius(uint16_t word) { return 381.367 - (word & 0x3FF) * 0.75157; }
inline double supplyVolts(uint16_t word) { return (word & 0x3FF) * 50.904 / 1705.341; }
inline bool valid(uint16_t word) { return (word & 0x400) != 0; }

}  // namespace emutest
