#include "device/ConfigWriteOut.h"

#include "device/AddressLists.h"
#include "device/HSSRegisterMap.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "protocol/HSSRegisterCommands.h"

namespace hss {
namespace {

// Value of one listed register taken from a snapshot; the registers the
// write-out clears get 0.
uint16_t writeOutValue(const ZVRxQxx16PINConfiguration& snapshot, hss_device_family_t family, uint8_t address)
{
    const auto location = registerAt(family, address);
    if (!location)
        return 0;
    switch (location->reg) {
    case HSSRegister::ABIST_RESULT:
    case HSSRegister::SAFETY_TEST:
        return 0;
    case HSSRegister::SLEEP:
        if (family == HSS_FAMILY_18PWP)
            return 0;
        break;
    default:
        break;
    }
    return snapshot.getRegister(location->reg, location->channel).value_or(0);
}

template <std::size_t N>
MixWriteValues listValues(const ZVRxQxx16PINConfiguration& snapshot, hss_device_family_t family,
                          const std::array<uint8_t, N>& list)
{
    MixWriteValues out;
    out.addresses.assign(list.begin(), list.end());
    out.values.reserve(N);
    for (uint8_t address : list)
        out.values.push_back(writeOutValue(snapshot, family, address));
    return out;
}

}  // namespace

MixWriteValues sixteenPWPWriteOut(const ZVRxQxx16PINConfiguration& record)
{
    const ZVRxQxx16PINConfiguration snapshot(record);
    return listValues(snapshot, HSS_FAMILY_16PWP, sixteenPWPConfig);
}

std::vector<MixWriteValues> eighteenPWPWriteOut(const ZVRxQxx18PINConfiguration& record)
{
    const ZVRxQxx18PINConfiguration snapshot(record);
    std::vector<MixWriteValues> out;
    out.push_back(listValues(snapshot, HSS_FAMILY_18PWP, eighteenPWPConfig));
    out.push_back(listValues(snapshot, HSS_FAMILY_18PWP, eighteenPWPUserConfig));
    return out;
}

std::vector<MixWriteValues> writeOutFromConfig(hss_device_family_t family, const ZVRxQxx16PINConfiguration& sixteen,
                                               const ZVRxQxx18PINConfiguration& eighteen)
{
    switch (family) {
    case HSS_FAMILY_16PWP:
        return {sixteenPWPWriteOut(sixteen)};
    case HSS_FAMILY_18PWP:
        return eighteenPWPWriteOut(eighteen);
    case HSS_FAMILY_NONE:
        break;
    }
    return {};
}

std::vector<std::unique_ptr<HSSMixWriteCmd>> makeWriteOutCommands(hss_device_family_t family,
                                                                  const ZVRxQxx16PINConfiguration& sixteen,
                                                                  const ZVRxQxx18PINConfiguration& eighteen)
{
    std::vector<std::unique_ptr<HSSMixWriteCmd>> commands;
    for (const MixWriteValues& pairs : writeOutFromConfig(family, sixteen, eighteen))
        commands.push_back(std::make_unique<HSSMixWriteCmd>(pairs.addresses, pairs.values));
    return commands;
}

std::vector<std::unique_ptr<HSSSingleWriteCmd>> makeEepromProgramCommands()
{
    std::vector<std::unique_ptr<HSSSingleWriteCmd>> commands;
    for (uint16_t key : kEepromProgramKeys)
        commands.push_back(std::make_unique<HSSSingleWriteCmd>(reg18::EEPROM_PROG, key));
    return commands;
}

std::optional<uint8_t> userRegisterAddress(std::size_t box)
{
    if (box >= kUserRegisterBoxCount)
        return std::nullopt;
    return eighteenPWPUserConfig[box];
}

uint16_t userRegisterValue(const ZVRxQxx18PINConfiguration& record, std::size_t box)
{
    const auto address = userRegisterAddress(box);
    if (!address)
        return 0;
    const auto location = registerAt(HSS_FAMILY_18PWP, *address);
    return location ? record.getRegister(location->reg).value_or(0) : uint16_t{0};
}

std::optional<uint8_t> storeUserRegister(ZVRxQxx18PINConfiguration& record, std::size_t box, uint16_t value)
{
    const auto address = userRegisterAddress(box);
    if (!address)
        return std::nullopt;
    const auto location = registerAt(HSS_FAMILY_18PWP, *address);
    if (!location || !record.setRegister(location->reg, value))
        return std::nullopt;
    return address;
}

}  // namespace hss
