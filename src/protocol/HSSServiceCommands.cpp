#include "protocol/HSSServiceCommands.h"

#include <algorithm>

// ---- board-service requests ------------------------------------------------

HSSIOCTLCmd::HSSIOCTLCmd(uint8_t code) : ioctlCode(code)
{
    commandCode = hss::kCmdIoctl;
}

uint8_t* HSSIOCTLCmd::getCommandData()
{
    clearPayload();
    payloadBytes()[0] = ioctlCode;
    std::copy(arguments.begin(), arguments.end(), payloadBytes() + 1);
    writePayloadLength(hss::kIoctlPayload);
    return HSSCommand::getCommandData();
}

uint32_t HSSIOCTLCmd::getCommandSize() { return hss::kHeaderLength + hss::kIoctlPayload; }
uint32_t HSSIOCTLCmd::getResponseSize() { return hss::kServiceReplyLength; }

HSSWriteGPIOCTLCmd::HSSWriteGPIOCTLCmd(uint8_t gpio, bool high)
    : HSSIOCTLCmd(hss::kIoctlWriteGpio), gpioIndex(gpio), state(high)
{
    writeCommand = true;
}

uint8_t* HSSWriteGPIOCTLCmd::getCommandData()
{
    arguments[0] = gpioIndex;
    arguments[1] = state ? 1 : 0;
    return HSSIOCTLCmd::getCommandData();
}

HSSFirmwareVersionIOCTLCmd::HSSFirmwareVersionIOCTLCmd(uint8_t context)
    : HSSIOCTLCmd(hss::kIoctlFirmwareVersion)
{
    responseReportID = hss::kServiceReplyReportId;
    contextID = context;
}

void HSSFirmwareVersionIOCTLCmd::serializeResponsePayload()
{
    firmwareVersion = static_cast<uint16_t>(replyByte(2) | (replyByte(3) << 8));
}

HSSSetCRCIOCTLCmd::HSSSetCRCIOCTLCmd(bool on) : HSSIOCTLCmd(hss::kIoctlSetCrc), enable(on)
{
    writeCommand = true;
}

uint8_t* HSSSetCRCIOCTLCmd::getCommandData()
{
    arguments[0] = enable ? 1 : 0;
    return HSSIOCTLCmd::getCommandData();
}

HSSReadGPIOCTLCmd::HSSReadGPIOCTLCmd(uint8_t gpio, uint8_t context)
    : HSSIOCTLCmd(hss::kIoctlReadGpio), gpioIndex(gpio)
{
    responseReportID = hss::kServiceReplyReportId;
    contextID = context;
}

uint8_t* HSSReadGPIOCTLCmd::getCommandData()
{
    arguments[0] = gpioIndex;
    return HSSIOCTLCmd::getCommandData();
}

void HSSReadGPIOCTLCmd::serializeResponsePayload()
{
    gpioState = replyByte(2) != 0;
}

HSSEnterDFUCmd::HSSEnterDFUCmd() : HSSIOCTLCmd(hss::kIoctlEnterDfu)
{
    responseReportID = hss::kServiceReplyReportId;
}

// ---- sense sampling engine -------------------------------------------------

HSSSenseConfigCmd::HSSSenseConfigCmd(const std::vector<uint8_t>& addrs, uint8_t intervalMs)
    : interval(intervalMs)
{
    commandCode = hss::kCmdSenseConfig;
    writeCommand = true;
    truncated = addrs.size() > hss::kSenseConfigCapacity;
    const std::size_t n = std::min(addrs.size(), hss::kSenseConfigCapacity);
    std::copy_n(addrs.begin(), n, addresses.begin());
    count = static_cast<uint8_t>(n);
}

HSSSenseConfigCmd::HSSSenseConfigCmd(uint8_t intervalMs) : HSSSenseConfigCmd({}, intervalMs) {}

uint8_t* HSSSenseConfigCmd::getCommandData()
{
    clearPayload();
    uint8_t* p = payloadBytes();
    p[0] = interval;
    p[1] = count;
    std::copy(addresses.begin(), addresses.end(), p + 2);
    writePayloadLength(hss::kSenseConfigPayload);
    return HSSCommand::getCommandData();
}

uint32_t HSSSenseConfigCmd::getCommandSize() { return hss::kHeaderLength + hss::kSenseConfigPayload; }

// ---- board flash -----------------------------------------------------------

HSSFlashWriteCmd::HSSFlashWriteCmd(const std::vector<uint8_t>& addrs)
{
    commandCode = hss::kCmdFlashWrite;
    writeCommand = true;
    truncated = addrs.size() > hss::kFlashWriteCapacity;
    const std::size_t n = std::min(addrs.size(), hss::kFlashWriteCapacity);
    std::copy_n(addrs.begin(), n, addresses.begin());
    count = static_cast<uint8_t>(n);
}

uint8_t* HSSFlashWriteCmd::getCommandData()
{
    clearPayload();
    uint8_t* p = payloadBytes();
    p[0] = count;
    std::copy(addresses.begin(), addresses.end(), p + 1);
    writePayloadLength(hss::kFlashWritePayload);
    return HSSCommand::getCommandData();
}

uint32_t HSSFlashWriteCmd::getCommandSize() { return hss::kHeaderLength + hss::kFlashWritePayload; }

HSSSignalCmd::HSSSignalCmd(uint8_t code)
{
    commandCode = code;
    writeCommand = true;
}

uint8_t* HSSSignalCmd::getCommandData()
{
    clearPayload();
    writePayloadLength(0);
    return HSSCommand::getCommandData();
}
