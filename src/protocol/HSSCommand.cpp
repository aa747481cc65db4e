#include "protocol/HSSCommand.h"

#include <algorithm>

uint8_t* HSSCommand::getCommandData()
{
    reportBuffer[0] = hss::kCommandReportId;
    reportBuffer[1] = static_cast<uint8_t>(HSS_USB_CMD & 0xFFu);
    reportBuffer[2] = static_cast<uint8_t>((HSS_USB_CMD >> 8) & 0xFFu);
    reportBuffer[3] = static_cast<uint8_t>((HSS_USB_CMD >> 16) & 0xFFu);
    reportBuffer[4] = static_cast<uint8_t>((HSS_USB_CMD >> 24) & 0xFFu);
    reportBuffer[5] = commandCode;
    return reportBuffer.data();
}

uint8_t* HSSCommand::getResponseData()
{
    reportBuffer[0] = responseReportID;
    return reportBuffer.data();
}

uint32_t HSSCommand::getCommandSize()
{
    return static_cast<uint32_t>(hss::kHeaderLength);
}

uint32_t HSSCommand::getResponseSize()
{
    return 0;
}

void HSSCommand::serializeResponsePayload() {}

void HSSCommand::setCommandCode(uint8_t code)
{
    commandCode = code;
    reportBuffer[5] = code;
}

uint16_t HSSCommand::replyWord(std::size_t n) const
{
    return static_cast<uint16_t>((reportBuffer[n] << 8) | reportBuffer[n + 1]);
}

void HSSCommand::writePayloadLength(uint16_t length)
{
    reportBuffer[6] = static_cast<uint8_t>(length & 0xFFu);
    reportBuffer[7] = static_cast<uint8_t>(length >> 8);
}

void HSSCommand::clearPayload()
{
    std::fill(reportBuffer.begin() + static_cast<std::ptrdiff_t>(hss::kPayloadOffset), reportBuffer.end(), uint8_t{0});
}
