#include "device/ConfigReadBack.h"

#include <algorithm>

#include "device/AddressLists.h"
#include "device/HSSRegisterMap.h"
#include "device/RegisterWriteLedger.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "protocol/HSSRegisterCommands.h"

namespace hss {
namespace {

bool storedBySixteenPWPReadBack(HSSRegister reg)
{
    switch (reg) {
    case HSSRegister::CRC_CONFIG:
    case HSSRegister::SLEEP:
    case HSSRegister::LPM:
    case HSSRegister::FAULT_MASK:
    case HSSRegister::SW_STATE:
    case HSSRegister::SAFETY_TEST:
    case HSSRegister::DEV_CONFIG:
    case HSSRegister::ADC_CONFIG:
    case HSSRegister::PWM_CH:
    case HSSRegister::ILIM_CONFIG_CH:
    case HSSRegister::CH_CONFIG:
    case HSSRegister::I2T_CONFIG_CH:
        return true;
    default:
        return false;
    }
}

bool storedByEighteenPWPReadBack(HSSRegister reg)
{
    switch (reg) {
    case HSSRegister::LPM:
    case HSSRegister::FAULT_MASK:
    case HSSRegister::SW_STATE:
    case HSSRegister::DEV_CONFIG:
    case HSSRegister::ADC_CONFIG:
    case HSSRegister::PWM_CH:
    case HSSRegister::ILIM_CONFIG_CH:
    case HSSRegister::CH_CONFIG:
    case HSSRegister::I2T_CONFIG_CH:
    case HSSRegister::TSNS_CAL_RESULT_CH1_REG:
    case HSSRegister::TSNS_CAL_RESULT_CH2_REG:
    case HSSRegister::CUST_REG_52_REG:
    case HSSRegister::CUST_REG_53_REG:
    case HSSRegister::CUST_REG_54_REG:
    case HSSRegister::CUST_REG_55_REG:
    case HSSRegister::CUST_REG_56_REG:
    case HSSRegister::CUST_REG_57_REG:
        return true;
    default:
        return false;
    }
}

template <typename Record, typename Store>
std::size_t applyAll(Record& record, std::span<const uint8_t> addresses, std::span<const uint16_t> values,
                     std::size_t count, Store store)
{
    const std::size_t entries = std::min({count, addresses.size(), values.size()});
    std::size_t stored = 0;
    for (std::size_t i = 0; i < entries; ++i) {
        if (store(record, addresses[i], values[i]))
            ++stored;
    }
    return stored;
}

}  // namespace

std::vector<std::vector<uint8_t>> readBackLists(hss_device_family_t family)
{
    switch (family) {
    case HSS_FAMILY_16PWP:
        return {toVector(sixteenPWPConfig)};
    case HSS_FAMILY_18PWP:
        return {toVector(eighteenPWPConfig), toVector(eighteenPWPUserConfig)};
    case HSS_FAMILY_NONE:
        break;
    }
    return {};
}

bool readBackStores(hss_device_family_t family, uint8_t address)
{
    const auto location = registerAt(family, address);
    if (!location) return false;
    if (family == HSS_FAMILY_16PWP) return storedBySixteenPWPReadBack(location->reg);
    if (family == HSS_FAMILY_18PWP) return storedByEighteenPWPReadBack(location->reg);
    return false;
}

bool storeSixteenPWPReadBack(ZVRxQxx16PINConfiguration& record, uint8_t address, uint16_t value)
{
    const auto location = registerAt(HSS_FAMILY_16PWP, address);
    if (!location || !storedBySixteenPWPReadBack(location->reg))
        return false;
    return record.setRegister(location->reg, value, location->channel);
}

bool storeEighteenPWPReadBack(ZVRxQxx18PINConfiguration& record, uint8_t address, uint16_t value)
{
    const auto location = registerAt(HSS_FAMILY_18PWP, address);
    if (!location || !storedByEighteenPWPReadBack(location->reg))
        return false;
    return record.setRegister(location->reg, value, location->channel);
}

std::size_t applySixteenPWPReadBack(ZVRxQxx16PINConfiguration& record, std::span<const uint8_t> addresses,
                                    std::span<const uint16_t> values, std::size_t count)
{
    return applyAll(record, addresses, values, count,
                    [](ZVRxQxx16PINConfiguration& r, uint8_t a, uint16_t v) { return storeSixteenPWPReadBack(r, a, v); });
}

std::size_t applyEighteenPWPReadBack(ZVRxQxx18PINConfiguration& record, std::span<const uint8_t> addresses,
                                     std::span<const uint16_t> values, std::size_t count)
{
    return applyAll(record, addresses, values, count,
                    [](ZVRxQxx18PINConfiguration& r, uint8_t a, uint16_t v) { return storeEighteenPWPReadBack(r, a, v); });
}

namespace {

// The reply's entries without those a later write made stale.
struct CurrentEntries {
    std::vector<uint8_t> addresses;
    std::vector<uint16_t> values;
};

CurrentEntries currentEntries(const HSSMixReadCmd& reply, const RegisterWriteLedger* ledger)
{
    CurrentEntries entries;
    const auto* readBack = dynamic_cast<const ReadBackCmd*>(&reply);
    for (std::size_t i = 0; i < reply.getReadSize(); ++i) {
        const uint8_t address = reply.getReadAddresses()[i];
        if (ledger != nullptr && readBack != nullptr && ledger->writtenSince(address, readBack->stamp())) continue;
        entries.addresses.push_back(address);
        entries.values.push_back(reply.getMixReadResults()[i]);
    }
    return entries;
}

}  // namespace

std::size_t applySixteenPWPReadBack(ZVRxQxx16PINConfiguration& record, const HSSMixReadCmd& reply,
                                    const RegisterWriteLedger* ledger)
{
    const CurrentEntries entries = currentEntries(reply, ledger);
    return applySixteenPWPReadBack(record, entries.addresses, entries.values, entries.addresses.size());
}

std::size_t applyEighteenPWPReadBack(ZVRxQxx18PINConfiguration& record, const HSSMixReadCmd& reply,
                                     const RegisterWriteLedger* ledger)
{
    const CurrentEntries entries = currentEntries(reply, ledger);
    return applyEighteenPWPReadBack(record, entries.addresses, entries.values, entries.addresses.size());
}

}  // namespace hss
