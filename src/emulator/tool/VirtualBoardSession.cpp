#include "emulator/tool/VirtualBoardSession.h"

#include <algorithm>

#include "emulator/EmulatedBoard.h"

namespace vboard {

std::vector<uint8_t> encode(const Message& message) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kHeaderLength + message.body.size());
    bytes.push_back(message.type);
    bytes.push_back(static_cast<uint8_t>(message.body.size() & 0xFF));
    bytes.push_back(static_cast<uint8_t>(message.body.size() >> 8));
    bytes.insert(bytes.end(), message.body.begin(), message.body.end());
    return bytes;
}

Parse takeMessage(std::vector<uint8_t>& buffer, Message& out) {
    if (buffer.size() < kHeaderLength) return Parse::NeedMore;
    const std::size_t length = static_cast<std::size_t>(buffer[1] | (buffer[2] << 8));
    if (length > kMaxBody) return Parse::Error;
    if (buffer.size() < kHeaderLength + length) return Parse::NeedMore;
    out.type = buffer[0];
    const auto bodyBegin = buffer.begin() + static_cast<std::ptrdiff_t>(kHeaderLength);
    const auto bodyEnd = bodyBegin + static_cast<std::ptrdiff_t>(length);
    out.body.assign(bodyBegin, bodyEnd);
    buffer.erase(buffer.begin(), bodyEnd);
    return Parse::Complete;
}

}  // namespace vboard

namespace {

constexpr uint8_t kStatusOk = 0;
constexpr uint8_t kStatusFailed = 1;

void putWord(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void putString(std::vector<uint8_t>& out, const std::string& text) {
    const std::size_t length = std::min<std::size_t>(text.size(), 255);
    out.push_back(static_cast<uint8_t>(length));
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

}  // namespace

std::string hexLine(const uint8_t* data, std::size_t length) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(length * 3);
    for (std::size_t i = 0; i < length; ++i) {
        if (i != 0) line += ' ';
        line += kDigits[data[i] >> 4];
        line += kDigits[data[i] & 0x0F];
    }
    return line;
}

VirtualBoardSession::VirtualBoardSession(EmulatedBoard& emulatedBoard,
                                         std::function<void(const std::string&)> traceLine)
    : board(emulatedBoard), trace(std::move(traceLine)) {}

std::optional<vboard::Message> VirtualBoardSession::answer(const vboard::Message& request) {
    if (request.type == vboard::kHello) {
        if (!request.body.empty()) return std::nullopt;
        greeted = true;
        return hello();
    }
    // HELLO comes first on every connection; unknown types end it.
    if (!greeted) return std::nullopt;
    if (request.type == vboard::kSetFeature) return setFeature(request.body);
    if (request.type == vboard::kGetFeature) {
        if (request.body.size() != 3) return std::nullopt;
        return getFeature(request.body);
    }
    return std::nullopt;
}

vboard::Message VirtualBoardSession::hello() const {
    vboard::Message reply{vboard::kHello | vboard::kReplyFlag, {}};
    putWord(reply.body, board.vendorId());
    putWord(reply.body, board.productId());
    putWord(reply.body, board.featureReportLength());
    putString(reply.body, board.manufacturer());
    putString(reply.body, board.product());
    putString(reply.body, board.serialNumber());
    return reply;
}

vboard::Message VirtualBoardSession::setFeature(const std::vector<uint8_t>& report) {
    if (trace && !report.empty()) trace("> " + hexLine(report.data(), report.size()));
    const bool ok = !report.empty() && board.setFeature(report.data(), report.size());
    return {vboard::kSetFeature | vboard::kReplyFlag, {ok ? kStatusOk : kStatusFailed}};
}

vboard::Message VirtualBoardSession::getFeature(const std::vector<uint8_t>& body) {
    vboard::Message reply{vboard::kGetFeature | vboard::kReplyFlag, {kStatusFailed}};
    const uint8_t reportId = body[0];
    const std::size_t count = static_cast<std::size_t>(body[1] | (body[2] << 8));
    // The reply carries a status byte and the report, within the body limit.
    if (count == 0 || count + 1 > vboard::kMaxBody) return reply;
    std::vector<uint8_t> report(count, 0);
    report[0] = reportId;
    if (!board.getFeature(report.data(), report.size())) {
        if (trace) trace("< read of report " + hexLine(&reportId, 1) + " failed");
        return reply;
    }
    if (trace) trace("< " + hexLine(report.data(), report.size()));
    reply.body[0] = kStatusOk;
    reply.body.insert(reply.body.end(), report.begin(), report.end());
    return reply;
}
