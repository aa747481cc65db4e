#pragma once
// One unit of board traffic: a command that writes itself into a HID feature
// report and decodes the board's reply report from the same buffer.

#include <array>
#include <cstddef>
#include <cstdint>

#include "protocol/HSSConstants.h"

class HSSCommand {
public:
    HSSCommand() = default;
    virtual ~HSSCommand() = default;

    HSSCommand(const HSSCommand&) = delete;
    HSSCommand& operator=(const HSSCommand&) = delete;

    // Rebuilds the whole command report and returns the buffer. Overrides
    // write their payload and its length first, then call the base, which
    // writes the report ID, the magic and the command code.
    virtual uint8_t* getCommandData();
    // Puts responseReportID into byte 0 and returns the buffer for the read.
    virtual uint8_t* getResponseData();
    // 8 plus the payload length (the link transfers a fixed length instead).
    virtual uint32_t getCommandSize();
    // Reply length, report-ID byte included; 0 for commands without a reply.
    virtual uint32_t getResponseSize();
    // Decodes the reply in the buffer into the class's result fields.
    virtual void serializeResponsePayload();

    uint32_t getDelay() const { return delay; }
    void setDelay(uint32_t ms) { delay = ms; }
    uint8_t getContextID() const { return contextID; }
    bool isWriteCommand() const { return writeCommand; }
    bool isSkipWrite() const { return skipWrite; }
    uint8_t getResponseReportID() const { return responseReportID; }
    void setCommandCode(uint8_t code);
    uint8_t getCommandCode() const { return commandCode; }

    // A reply was received: byte 0 holds a report ID.
    bool isDataDirty() const { return reportBuffer[0] != 0; }
    // Readies the buffer for another read attempt.
    void makeDataClean() { reportBuffer[0] = responseReportID; }

    // Length of reportBuffer; the link never transfers more than this.
    static constexpr std::size_t reportBufferSize() { return hss::kReportBufferSize; }
    // Direct view of the report buffer (tests, trace output).
    const uint8_t* buffer() const { return reportBuffer.data(); }

protected:
    // Payload byte n is report byte 8 + n.
    uint8_t* payloadBytes() { return reportBuffer.data() + hss::kPayloadOffset; }
    // Reply byte n is report byte n.
    uint8_t replyByte(std::size_t n) const { return reportBuffer[n]; }
    // Big-endian register word at reply bytes n, n+1.
    uint16_t replyWord(std::size_t n) const;
    void writePayloadLength(uint16_t length);
    // Clears everything past the header so unused payload bytes are zero.
    void clearPayload();

    std::array<uint8_t, hss::kReportBufferSize> reportBuffer{};
    uint8_t commandCode = 0;
    uint32_t delay = 1;
    bool writeCommand = false;
    uint8_t contextID = 0;
    uint8_t responseReportID = hss::kCommandReportId;
    bool skipWrite = false;
};
