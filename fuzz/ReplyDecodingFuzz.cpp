// Arbitrary reply bytes decoded by every command class. Whatever the board
// answered, decoding stays inside the report buffer, and the command report
// the link rebuilds before a retry is the same as a fresh command's.

#include "FuzzTarget.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "protocol/HSSRegisterCommands.h"
#include "protocol/HSSServiceCommands.h"

namespace {

// The emulated board's feature report plus one, as the link writes it.
constexpr std::size_t kTransferLength = 65;

// Takes bytes off the front of the input for the commands' arguments.
class Arguments {
public:
    Arguments(const uint8_t*& data, std::size_t& size) : data_(data), size_(size) {}
    uint8_t byte()
    {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }
    uint16_t word() { return static_cast<uint16_t>(byte() | (byte() << 8)); }
    std::vector<uint8_t> bytes(std::size_t count)
    {
        std::vector<uint8_t> out;
        for (std::size_t i = 0; i < count; ++i) out.push_back(byte());
        return out;
    }

private:
    const uint8_t*& data_;
    std::size_t& size_;
};

using Factory = std::function<std::unique_ptr<HSSCommand>()>;

// Every command class, built from the arguments; called twice for a pair.
std::vector<Factory> factories(Arguments& in)
{
    const uint8_t address = in.byte();
    const uint8_t context = in.byte();
    const uint16_t value = in.word();
    // Up to 40 entries: over every list command's capacity.
    const std::vector<uint8_t> list = in.bytes(in.byte() % 41);
    std::vector<uint16_t> values;
    for (uint8_t entry : list) values.push_back(static_cast<uint16_t>(entry * 257));
    const bool flag = (in.byte() & 1) != 0;
    return {
        [=] { return std::make_unique<HSSSingleReadCmd>(address, context); },
        [=] { return std::make_unique<HSSSingleWriteCmd>(address, value); },
        [=] { return std::make_unique<HSSMixReadCmd>(list, context); },
        [=] { return std::make_unique<HSSMixWriteCmd>(list, values); },
        [=] { return std::make_unique<HSSPollReadCmd>(context); },
        [=] { return std::make_unique<HSSIOCTLCmd>(address); },
        [=] { return std::make_unique<HSSWriteGPIOCTLCmd>(address, flag); },
        [=] { return std::make_unique<HSSFirmwareVersionIOCTLCmd>(context); },
        [=] { return std::make_unique<HSSSetCRCIOCTLCmd>(flag); },
        [=] { return std::make_unique<HSSReadGPIOCTLCmd>(address, context); },
        [=] { return std::make_unique<HSSEnterDFUCmd>(); },
        [=] { return std::make_unique<HSSSenseConfigCmd>(list, address); },
        [=] { return std::make_unique<HSSFlashWriteCmd>(list); },
        [=] { return std::make_unique<HSSSignalCmd>(address); },
    };
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Arguments in(data, size);
    const std::vector<Factory> commands = factories(in);
    const std::size_t replyLength = std::min(size, HSSCommand::reportBufferSize());
    for (const Factory& make : commands) {
        std::unique_ptr<HSSCommand> used = make();
        const std::unique_ptr<HSSCommand> fresh = make();
        FUZZ_CHECK(used->getResponseSize() <= HSSCommand::reportBufferSize());
        FUZZ_CHECK(used->getCommandSize() <= kTransferLength);

        // A failed transfer may leave anything in the buffer; the report
        // rebuilt for the next attempt is still the command's own. (The poll
        // read is never written, so never rebuilt.)
        if (!used->isSkipWrite()) {
            used->getCommandData();
            std::memcpy(used->getResponseData(), data, replyLength);
            const uint8_t* rebuilt = used->getCommandData();
            FUZZ_CHECK(std::memcmp(rebuilt, fresh->getCommandData(), kTransferLength) == 0);
        }

        // The rest of the input as the reply report, as much as the buffer holds.
        uint8_t* reply = used->getResponseData();
        FUZZ_CHECK(reply[0] == used->getResponseReportID());
        std::memcpy(reply, data, replyLength);
        used->serializeResponsePayload();
        used->makeDataClean();
        FUZZ_CHECK(used->isDataDirty() == (used->getResponseReportID() != 0));
    }
    return 0;
}
