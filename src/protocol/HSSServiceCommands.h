#pragma once
// The carrier board's own services: GPIO lines, firmware version, SPI CRC
// framing, firmware-update entry, the sense sampling engine and the
// configuration store in the board's flash.

#include <array>
#include <cstdint>
#include <vector>

#include "protocol/HSSCommand.h"

// Board-service request (command code 6); the sub-code is payload byte 0.
class HSSIOCTLCmd : public HSSCommand {
public:
    explicit HSSIOCTLCmd(uint8_t ioctlCode);

    uint8_t* getCommandData() override;
    uint32_t getCommandSize() override;
    uint32_t getResponseSize() override;

    uint8_t getIoctlCode() const { return ioctlCode; }

protected:
    uint8_t ioctlCode;
    // Payload bytes 1-8: the request's arguments, written by subclasses
    // before they call this class's getCommandData.
    std::array<uint8_t, hss::kIoctlPayload - 1> arguments{};
};

class HSSWriteGPIOCTLCmd : public HSSIOCTLCmd {
public:
    HSSWriteGPIOCTLCmd(uint8_t gpioIndex, bool high);
    uint8_t* getCommandData() override;

    uint8_t getGPIOIndex() const { return gpioIndex; }
    bool getState() const { return state; }

private:
    uint8_t gpioIndex;
    bool state;
};

class HSSFirmwareVersionIOCTLCmd : public HSSIOCTLCmd {
public:
    explicit HSSFirmwareVersionIOCTLCmd(uint8_t contextID);
    void serializeResponsePayload() override;
    uint16_t getFirmwareVersion() const { return firmwareVersion; }

private:
    uint16_t firmwareVersion = 0;
};

class HSSSetCRCIOCTLCmd : public HSSIOCTLCmd {
public:
    explicit HSSSetCRCIOCTLCmd(bool enable);
    uint8_t* getCommandData() override;
    bool isEnable() const { return enable; }

private:
    bool enable;
};

class HSSReadGPIOCTLCmd : public HSSIOCTLCmd {
public:
    HSSReadGPIOCTLCmd(uint8_t gpioIndex, uint8_t contextID);
    uint8_t* getCommandData() override;
    void serializeResponsePayload() override;

    uint8_t getGPIOIndex() const { return gpioIndex; }
    bool getGPIOState() const { return gpioState; }

private:
    uint8_t gpioIndex;
    bool gpioState = false;
};

// After this the board leaves for its firmware-update mode; the reply is never
// decoded and, carrying no context ID, is dropped by the dispatcher.
class HSSEnterDFUCmd : public HSSIOCTLCmd {
public:
    HSSEnterDFUCmd();
};

// Tells the board's sampling engine which registers to read and how often.
class HSSSenseConfigCmd : public HSSCommand {
public:
    // Interval 0 stops sampling. More than 6 addresses is a caller error: only
    // the first 6 are sent and wasTruncated() reports it.
    HSSSenseConfigCmd(const std::vector<uint8_t>& addresses, uint8_t interval);
    explicit HSSSenseConfigCmd(uint8_t interval);

    uint8_t* getCommandData() override;
    uint32_t getCommandSize() override;

    uint8_t getInterval() const { return interval; }
    uint8_t getCount() const { return count; }
    const std::array<uint8_t, hss::kSenseConfigCapacity>& getAddresses() const { return addresses; }
    bool wasTruncated() const { return truncated; }

private:
    std::array<uint8_t, hss::kSenseConfigCapacity> addresses{};
    uint8_t interval;
    uint8_t count = 0;
    bool truncated = false;
};

// Stores the chip's current values of the listed registers in board flash.
class HSSFlashWriteCmd : public HSSCommand {
public:
    // More than 48 addresses is a caller error: only the first 48 are sent
    // and wasTruncated() reports it.
    explicit HSSFlashWriteCmd(const std::vector<uint8_t>& addresses);

    uint8_t* getCommandData() override;
    uint32_t getCommandSize() override;

    uint8_t getCount() const { return count; }
    const std::array<uint8_t, hss::kFlashWriteCapacity>& getAddresses() const { return addresses; }
    bool wasTruncated() const { return truncated; }

private:
    uint8_t count = 0;
    std::array<uint8_t, hss::kFlashWriteCapacity> addresses{};
    bool truncated = false;
};

// A bare header whose command code is the request (8 load flash, 9 erase flash).
class HSSSignalCmd : public HSSCommand {
public:
    explicit HSSSignalCmd(uint8_t code);
    uint8_t* getCommandData() override;
};
