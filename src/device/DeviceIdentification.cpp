#include "device/DeviceIdentification.h"

#include "device/ZVRxQxx18PINConfiguration.h"

namespace hss {

std::string partDetectedLogLine(std::string_view partName)
{
    std::string line = "High-side switch ";
    line += partName;
    line += " detected.";
    return line;
}

void IdentificationDecision::applyToRecords(uint16_t code, ZVRxQxx16PINConfiguration& sixteen,
                                            ZVRxQxx18PINConfiguration& eighteen) const
{
    if (!updateState || part == nullptr || part->isPrototype)
        return;
    ZVRxQxx16PINConfiguration* record = nullptr;
    if (part->family == HSS_FAMILY_16PWP)
        record = &sixteen;
    else if (part->family == HSS_FAMILY_18PWP)
        record = &eighteen;
    if (record == nullptr)
        return;
    record->setDevID(code);
    if (part->senseRatio)
        record->setKSNSRatio(part->senseRatio->ratio, part->senseRatio->scale);
}

IdentificationDecision decideDeviceIdentification(uint16_t code, bool demoMode, bool detected,
                                                  hss_device_family_t currentFamily,
                                                  std::optional<uint16_t> shownDevId)
{
    IdentificationDecision decision;
    const HSSPartInfo* part = findPartByDevID(code);
    decision.part = part;

    if (part == nullptr) {
        if (demoMode) {
            decision.outcome = IdentificationOutcome::DemoIgnored;
            decision.family = currentFamily;
            return decision;
        }
        decision.updateState = true;
        decision.family = HSS_FAMILY_NONE;
        decision.isSafetyDevice = false;
        decision.name = kDeviceNotDetectedName;
        decision.description = {};
        decision.outcome = detected ? IdentificationOutcome::Lost : IdentificationOutcome::Unchanged;
        return decision;
    }

    decision.updateState = true;
    // Prototype silicon has no family the tool supports: the fault poll must
    // not read the previous part's registers from it, however it was reached.
    if (part->isPrototype)
        decision.family = demoMode ? currentFamily : HSS_FAMILY_NONE;
    else
        decision.family = part->family;
    decision.isSafetyDevice = part->isSafetyDevice;
    decision.name = part->name;
    decision.description = part->description;

    if (demoMode) {
        decision.outcome = IdentificationOutcome::DemoShown;
        return decision;
    }

    // Every listed row has a description, so a present part can only be
    // found or kept, never lost.
    const IdentificationOutcome appeared =
        part->isPrototype ? IdentificationOutcome::Prototype : IdentificationOutcome::Found;
    if (!detected) {
        decision.outcome = appeared;
    } else if (shownDevId && *shownDevId != code) {
        decision.outcome = appeared;
        decision.loseShownPartFirst = true;
    } else {
        decision.outcome = IdentificationOutcome::Unchanged;
    }
    return decision;
}

}  // namespace hss
