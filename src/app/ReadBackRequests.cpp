#include "app/ReadBackRequests.h"

#include "app/PollCycles.h"
#include "app/ReplyDispatcher.h"
#include "device/AddressLists.h"
#include "device/ConfigReadBack.h"
#include "device/HSSRegisterMap.h"
#include "device/RegisterWriteLedger.h"
#include "protocol/HSSProtocol.h"

std::vector<std::unique_ptr<HSSMixReadCmd>> configReadBackCommands(hss_device_family_t family, uint64_t readStamp)
{
    const uint8_t replyContext = family == HSS_FAMILY_18PWP ? context::kConfig18 : context::kConfig16;
    std::vector<std::unique_ptr<HSSMixReadCmd>> commands;
    for (const std::vector<uint8_t>& list : hss::readBackLists(family))
        commands.push_back(std::make_unique<hss::ReadBackCmd>(list, replyContext, readStamp));
    return commands;
}

std::unique_ptr<HSSMixReadCmd> faultReadCommand(hss_device_family_t family)
{
    switch (family) {
    case HSS_FAMILY_16PWP:
        return std::make_unique<HSSMixReadCmd>(hss::toVector(hss::sixteenFaultUpdate), context::kFault16);
    case HSS_FAMILY_18PWP:
        return std::make_unique<HSSMixReadCmd>(hss::toVector(hss::eighteenFaultUpdate), context::kFault18);
    case HSS_FAMILY_NONE:
        break;
    }
    return nullptr;
}

std::vector<std::unique_ptr<HSSCommand>> identificationCommands(bool wakeFirst)
{
    std::vector<std::unique_ptr<HSSCommand>> commands;
    if (wakeFirst) commands.push_back(std::make_unique<HSSSingleWriteCmd>(hss::reg16::WAKE, hss::kWakeValue));
    commands.push_back(std::make_unique<HSSSingleReadCmd>(hss::reg16::DEVID, context::kRawRead));
    return commands;
}

std::vector<std::unique_ptr<HSSCommand>> partFoundCommands(bool crcOn)
{
    std::vector<std::unique_ptr<HSSCommand>> commands;
    commands.push_back(std::make_unique<HSSSetCRCIOCTLCmd>(crcOn));
    commands.push_back(std::make_unique<HSSWriteGPIOCTLCmd>(kGpioDaughterCardPower, true));
    return commands;
}
