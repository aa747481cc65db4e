#include "device/RegisterWriteLedger.h"

namespace hss {

RegisterWriteLedger::Stamp RegisterWriteLedger::stampRead() const
{
    std::lock_guard lock(mutex_);
    return latest_;
}

void RegisterWriteLedger::noteWrite(std::span<const uint8_t> addresses)
{
    if (addresses.empty()) return;
    std::lock_guard lock(mutex_);
    ++latest_;
    for (uint8_t address : addresses) lastWrite_[address] = latest_;
}

bool RegisterWriteLedger::writtenSince(uint8_t address, Stamp read) const
{
    std::lock_guard lock(mutex_);
    return lastWrite_[address] > read;
}

std::vector<uint8_t> registersWrittenBy(const HSSCommand& command)
{
    if (const auto* single = dynamic_cast<const HSSSingleWriteCmd*>(&command)) return {single->getAddress()};
    if (const auto* mixed = dynamic_cast<const HSSMixWriteCmd*>(&command)) {
        const auto& addresses = mixed->getAddresses();
        return {addresses.begin(), addresses.begin() + mixed->getCount()};
    }
    return {};
}

}  // namespace hss
