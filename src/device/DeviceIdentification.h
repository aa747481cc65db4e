#pragma once
// What the window does with a DEVID value: the decision is made here, the
// window only carries it out (labels, tabs, menus, board commands, log).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/HSSDeviceFamily.h"
#include "device/PartTable.h"

class ZVRxQxx16PINConfiguration;
class ZVRxQxx18PINConfiguration;

namespace hss {

inline constexpr std::string_view kDeviceNotDetectedName = "DEVICE NOT DETECTED";
inline constexpr std::string_view kPartLostLogLine = "High-side switch daughter card not detected.";
inline constexpr std::string_view kIncompatibleSiliconCaption = "Incompatible Silicon";
inline constexpr std::string_view kIncompatibleSiliconText =
    "The current daughter card contains prototype silicon that is no longer supported. Please obtain new "
    "daughter cards with production silicon from your distributor, or use an earlier release of this tool "
    "that still supports the prototype silicon.";

// "High-side switch <name> detected."
std::string partDetectedLogLine(std::string_view partName);

enum class IdentificationOutcome {
    // Nothing visible changes (a present part polled again, or still no part).
    // The state fields of the decision still apply.
    Unchanged,
    // Demo mode met an unlisted code: change nothing at all.
    DemoIgnored,
    // Demo mode: show name and description (name in green), nothing else.
    DemoShown,
    // A supported part appeared: CRC command (on for safety parts) and the
    // "Safety" page, tabs from the family, tab control enabled, read-back,
    // labels (green), menus enabled, demo menu disabled, detected flag set,
    // log line, option lists for the code, GPIO 0 high.
    Found,
    // The part went away: labels (red, empty description), tab control and
    // menus disabled, demo menu enabled, detected flag cleared, log line,
    // sense graphing off, page 0, GPIO 0 low, "Safety" page removed.
    Lost,
    // Prototype silicon appeared: family none, CRC off and no "Safety"
    // page, detected flag set (so the box shows once per insertion), the
    // error box, then the labels. Tabs and menus stay as they are.
    Prototype,
};

struct IdentificationDecision {
    IdentificationOutcome outcome = IdentificationOutcome::Unchanged;
    // Apply family and isSafetyDevice below (and applyToRecords()). False
    // only for DemoIgnored.
    bool updateState = false;
    hss_device_family_t family = HSS_FAMILY_NONE;  // the new curDeviceFamily
    bool isSafetyDevice = false;
    std::string_view name;         // for devLabel
    std::string_view description;  // for devDesc
    const HSSPartInfo* part = nullptr;  // the table row, nullptr for an unlisted code
    // A different part replaced the one shown without an unlisted code in
    // between: carry out the Lost steps first, then the outcome's steps, so
    // tabs, option lists and menus never belong to the previous part.
    bool loseShownPartFirst = false;

    // Board CRC state and "Safety" page for Found and Prototype.
    bool crcOn() const { return isSafetyDevice; }
    bool showSafetyPage() const { return isSafetyDevice; }

    // For a listed non-prototype code (when updateState is set): stores the
    // code as devID, and the sense ratio where the row gives one, into the
    // record of the row's family. Anything else leaves both records alone.
    void applyToRecords(uint16_t code, ZVRxQxx16PINConfiguration& sixteen,
                        ZVRxQxx18PINConfiguration& eighteen) const;
};

// code: the DEVID value read. demoMode: the demo menu entry is ticked.
// detected: the link's detected flag. currentFamily: curDeviceFamily now.
// shownDevId: the code whose Found or Prototype outcome set the detected
// flag (empty when nothing is shown).
IdentificationDecision decideDeviceIdentification(uint16_t code, bool demoMode, bool detected,
                                                  hss_device_family_t currentFamily,
                                                  std::optional<uint16_t> shownDevId);

}  // namespace hss
