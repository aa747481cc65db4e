#pragma once
// Which registers had a write queued after a read of them was queued. The
// link answers in queue order, so such a read brings back the value from
// before the write: storing it in the record would undo the write there
// (and on the page) while the chip holds it. Configuration read-backs carry
// the ledger's stamp from when they were queued; their replies skip the
// registers written since.

#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "protocol/HSSRegisterCommands.h"

namespace hss {

class RegisterWriteLedger {
public:
    using Stamp = uint64_t;

    // The stamp of a read queued now.
    Stamp stampRead() const;
    // A write of these registers is being queued.
    void noteWrite(std::span<const uint8_t> addresses);
    // True when a write of the register was queued after the read stamped so.
    bool writtenSince(uint8_t address, Stamp read) const;

private:
    mutable std::mutex mutex_;
    Stamp latest_ = 0;
    std::array<Stamp, 256> lastWrite_{};
};

// The registers a command writes to the chip: the address of a single
// write, the listed addresses of a mixed write; none for anything else.
std::vector<uint8_t> registersWrittenBy(const HSSCommand& command);

// A configuration read-back with the ledger stamp of its queueing.
class ReadBackCmd : public HSSMixReadCmd {
public:
    ReadBackCmd(const std::vector<uint8_t>& addresses, uint8_t replyContext, RegisterWriteLedger::Stamp stamp)
        : HSSMixReadCmd(addresses, replyContext), stamp_(stamp) {}
    RegisterWriteLedger::Stamp stamp() const { return stamp_; }

private:
    RegisterWriteLedger::Stamp stamp_;
};

}  // namespace hss
