#pragma once
// Register traffic relayed by the carrier board to the switch chip: one
// register read or write, a batch read or write, and the poll of the board's
// sense samples. Values written travel low byte first; register values read
// back arrive high byte first.

#include <array>
#include <cstdint>
#include <vector>

#include "protocol/HSSCommand.h"

class HSSSingleReadCmd : public HSSCommand {
public:
    HSSSingleReadCmd(uint8_t address, uint8_t contextID);

    uint8_t* getCommandData() override;
    uint32_t getCommandSize() override;
    uint32_t getResponseSize() override;
    void serializeResponsePayload() override;

    uint8_t getAddress() const { return address; }
    uint16_t getPayload() const { return payload; }
    uint8_t getFLT() const { return FLT; }
    uint8_t getCRC() const { return CRC; }

private:
    uint8_t address;
    uint16_t payload = 0;
    uint8_t FLT = 0;
    uint8_t CRC = 0;
};

class HSSSingleWriteCmd : public HSSCommand {
public:
    HSSSingleWriteCmd(uint8_t address, uint16_t value);

    uint8_t* getCommandData() override;
    uint32_t getCommandSize() override;

    uint8_t getAddress() const { return address; }
    void setAddress(uint8_t a) { address = a; }
    uint16_t getPayload() const { return payload; }
    void setPayload(uint16_t value) { payload = value; }

private:
    uint8_t address;
    uint16_t payload;
};

class HSSMixReadCmd : public HSSCommand {
public:
    using AddressArray = std::array<uint8_t, hss::kMixReadCapacity>;
    using ResultArray = std::array<uint16_t, hss::kMixReadCapacity>;

    // A list longer than 30 addresses is a caller error: only the first 30
    // are read and wasTruncated() reports it.
    HSSMixReadCmd(const std::vector<uint8_t>& addresses, uint8_t contextID);

    uint8_t* getCommandData() override;
    uint32_t getCommandSize() override;
    uint32_t getResponseSize() override;
    void serializeResponsePayload() override;

    const ResultArray& getMixReadResults() const { return mixReadResults; }
    const AddressArray& getReadAddresses() const { return readAddresses; }
    uint8_t getReadSize() const { return readSize; }
    uint8_t getStatusByte() const { return statusByte; }
    bool wasTruncated() const { return truncated; }

private:
    AddressArray readAddresses{};
    uint8_t readSize = 0;
    ResultArray mixReadResults{};
    uint8_t statusByte = 0;
    bool truncated = false;
};

class HSSMixWriteCmd : public HSSCommand {
public:
    // Address i is written with value i. Lists longer than 17 are a caller
    // error: only the first 17 pairs are sent and wasTruncated() reports it.
    // Lists of unequal length are refused: the command then writes nothing
    // (count 0) rather than sending registers with made-up values.
    HSSMixWriteCmd(const std::vector<uint8_t>& addresses, const std::vector<uint16_t>& values);

    uint8_t* getCommandData() override;
    uint32_t getCommandSize() override;

    uint8_t getCount() const { return count; }
    const std::array<uint8_t, hss::kMixWriteCapacity>& getAddresses() const { return addresses; }
    const std::array<uint16_t, hss::kMixWriteCapacity>& getValues() const { return values; }
    bool wasTruncated() const { return truncated; }
    bool wasRefused() const { return refused; }

private:
    uint8_t count = 0;
    std::array<uint8_t, hss::kMixWriteCapacity> addresses{};
    std::array<uint16_t, hss::kMixWriteCapacity> values{};
    bool truncated = false;
    bool refused = false;
};

class HSSPollReadCmd : public HSSCommand {
public:
    using ResultArray = std::array<uint16_t, hss::kPollReadResultCount>;

    explicit HSSPollReadCmd(uint8_t contextID);

    uint32_t getResponseSize() override;
    void serializeResponsePayload() override;

    const ResultArray& getPollReadResults() const { return pollReadResults; }

private:
    ResultArray pollReadResults{};
};
