#include "emulator/ReplyFrames.h"

#include "protocol/HSSConstants.h"

namespace {

uint8_t highByte(uint16_t v) { return static_cast<uint8_t>(v >> 8); }
uint8_t lowByte(uint16_t v) { return static_cast<uint8_t>(v & 0xFF); }

}  // namespace

uint8_t crc8J1850(const uint8_t* data, std::size_t length) {
    uint8_t crc = 0xFF;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80) ? static_cast<uint8_t>((crc << 1) ^ 0x1D) : static_cast<uint8_t>(crc << 1);
        }
    }
    return static_cast<uint8_t>(crc ^ 0xFF);
}

std::vector<uint8_t> buildSingleReadReply(uint8_t address, uint16_t value, uint8_t status, bool withCrc) {
    std::vector<uint8_t> r(hss::kSingleReadReplyLength, 0);
    r[0] = hss::kSingleReadReplyReportId;
    r[1] = address;
    r[2] = highByte(value);
    r[3] = lowByte(value);
    r[4] = status;
    r[5] = withCrc ? crc8J1850(r.data() + 1, 4) : 0;
    return r;
}

std::vector<uint8_t> buildMixReadReply(const std::vector<uint16_t>& values, uint8_t status, bool withCrc) {
    std::vector<uint8_t> r(hss::kMixReadReplyLength, 0);
    r[0] = hss::kMixReadReplyReportId;
    for (std::size_t i = 0; i < values.size() && i < hss::kMixReadCapacity; ++i) {
        r[1 + 2 * i] = highByte(values[i]);
        r[2 + 2 * i] = lowByte(values[i]);
    }
    r[61] = status;
    r[62] = withCrc ? crc8J1850(r.data() + 1, 61) : 0;
    return r;
}

std::vector<uint8_t> buildPollReadReply(const std::array<uint16_t, 6>& words) {
    std::vector<uint8_t> r(hss::kPollReadReplyLength, 0);
    r[0] = hss::kPollReadReplyReportId;
    for (std::size_t i = 0; i < words.size(); ++i) {
        r[1 + 2 * i] = highByte(words[i]);
        r[2 + 2 * i] = lowByte(words[i]);
    }
    return r;
}

std::vector<uint8_t> buildServiceReply(uint8_t answer0, uint8_t answer1) {
    std::vector<uint8_t> r(hss::kServiceReplyLength, 0);
    r[0] = hss::kServiceReplyReportId;
    r[2] = answer0;
    r[3] = answer1;
    return r;
}

std::optional<std::size_t> PendingReplies::slotOf(uint8_t reportId) {
    if (reportId < hss::kServiceReplyReportId || reportId > hss::kPollReadReplyReportId) return std::nullopt;
    return static_cast<std::size_t>(reportId - hss::kServiceReplyReportId);
}

void PendingReplies::put(std::vector<uint8_t> report) {
    if (report.empty()) return;
    if (auto slot = slotOf(report[0])) byReportId[*slot] = std::move(report);
}

const std::vector<uint8_t>* PendingReplies::find(uint8_t reportId) const {
    auto slot = slotOf(reportId);
    if (!slot || byReportId[*slot].empty()) return nullptr;
    return &byReportId[*slot];
}

void PendingReplies::take(uint8_t reportId) {
    if (auto slot = slotOf(reportId)) byReportId[*slot].clear();
}

void PendingReplies::clear() {
    for (auto& s : byReportId) s.clear();
}
