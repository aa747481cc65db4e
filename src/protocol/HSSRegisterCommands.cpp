#include "protocol/HSSRegisterCommands.h"

#include <algorithm>

namespace {

uint8_t lowByte(uint16_t v) { return static_cast<uint8_t>(v & 0xFFu); }
uint8_t highByte(uint16_t v) { return static_cast<uint8_t>(v >> 8); }

}  // namespace

// ---- single read -----------------------------------------------------------

HSSSingleReadCmd::HSSSingleReadCmd(uint8_t addr, uint8_t context) : address(addr)
{
    commandCode = hss::kCmdSingleRead;
    responseReportID = hss::kSingleReadReplyReportId;
    contextID = context;
}

uint8_t* HSSSingleReadCmd::getCommandData()
{
    clearPayload();
    payloadBytes()[0] = address;
    writePayloadLength(hss::kSingleReadPayload);
    return HSSCommand::getCommandData();
}

uint32_t HSSSingleReadCmd::getCommandSize() { return hss::kHeaderLength + hss::kSingleReadPayload; }
uint32_t HSSSingleReadCmd::getResponseSize() { return hss::kSingleReadReplyLength; }

void HSSSingleReadCmd::serializeResponsePayload()
{
    address = replyByte(1);
    payload = replyWord(2);
    FLT = replyByte(4);
    CRC = replyByte(5);
}

// ---- single write ----------------------------------------------------------

HSSSingleWriteCmd::HSSSingleWriteCmd(uint8_t addr, uint16_t value) : address(addr), payload(value)
{
    commandCode = hss::kCmdSingleWrite;
    writeCommand = true;
}

uint8_t* HSSSingleWriteCmd::getCommandData()
{
    clearPayload();
    payloadBytes()[0] = address;
    payloadBytes()[1] = lowByte(payload);
    payloadBytes()[2] = highByte(payload);
    writePayloadLength(hss::kSingleWritePayload);
    return HSSCommand::getCommandData();
}

uint32_t HSSSingleWriteCmd::getCommandSize() { return hss::kHeaderLength + hss::kSingleWritePayload; }

// ---- mixed read ------------------------------------------------------------

HSSMixReadCmd::HSSMixReadCmd(const std::vector<uint8_t>& addresses, uint8_t context)
{
    commandCode = hss::kCmdMixRead;
    responseReportID = hss::kMixReadReplyReportId;
    contextID = context;
    truncated = addresses.size() > hss::kMixReadCapacity;
    const std::size_t n = std::min(addresses.size(), hss::kMixReadCapacity);
    std::copy_n(addresses.begin(), n, readAddresses.begin());
    readSize = static_cast<uint8_t>(n);
}

uint8_t* HSSMixReadCmd::getCommandData()
{
    clearPayload();
    std::copy(readAddresses.begin(), readAddresses.end(), payloadBytes());
    payloadBytes()[hss::kMixReadCapacity] = readSize;
    writePayloadLength(hss::kMixReadPayload);
    return HSSCommand::getCommandData();
}

uint32_t HSSMixReadCmd::getCommandSize() { return hss::kHeaderLength + hss::kMixReadPayload; }
uint32_t HSSMixReadCmd::getResponseSize() { return hss::kMixReadReplyLength; }

void HSSMixReadCmd::serializeResponsePayload()
{
    statusByte = replyByte(61);
    for (std::size_t i = 0; i < readSize; ++i)
        mixReadResults[i] = replyWord(1 + 2 * i);
}

// ---- mixed write -----------------------------------------------------------

HSSMixWriteCmd::HSSMixWriteCmd(const std::vector<uint8_t>& addrs, const std::vector<uint16_t>& vals)
{
    commandCode = hss::kCmdMixWrite;
    writeCommand = true;
    refused = addrs.size() != vals.size();
    truncated = addrs.size() > hss::kMixWriteCapacity;
    if (refused)
        return;
    const std::size_t n = std::min(addrs.size(), hss::kMixWriteCapacity);
    std::copy_n(addrs.begin(), n, addresses.begin());
    std::copy_n(vals.begin(), n, values.begin());
    count = static_cast<uint8_t>(n);
}

uint8_t* HSSMixWriteCmd::getCommandData()
{
    clearPayload();
    uint8_t* p = payloadBytes();
    p[0] = count;
    for (std::size_t i = 0; i < hss::kMixWriteCapacity; ++i) {
        p[1 + i] = addresses[i];
        p[18 + 2 * i] = lowByte(values[i]);
        p[19 + 2 * i] = highByte(values[i]);
    }
    writePayloadLength(hss::kMixWritePayload);
    return HSSCommand::getCommandData();
}

uint32_t HSSMixWriteCmd::getCommandSize() { return hss::kHeaderLength + hss::kMixWritePayload; }

// ---- poll read -------------------------------------------------------------

HSSPollReadCmd::HSSPollReadCmd(uint8_t context)
{
    skipWrite = true;
    delay = 0;
    responseReportID = hss::kPollReadReplyReportId;
    contextID = context;
}

uint32_t HSSPollReadCmd::getResponseSize() { return hss::kPollReadReplyLength; }

void HSSPollReadCmd::serializeResponsePayload()
{
    for (std::size_t i = 0; i < hss::kPollReadResultCount; ++i)
        pollReadResults[i] = replyWord(1 + 2 * i);
}
