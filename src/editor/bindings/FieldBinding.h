#pragma once
// The editor's binding table: one row per setting control that edits one
// register field. The same row drives both directions: a user change
// (control -> record -> register write -> log line) and the refresh
// (record -> control). Controls with behaviour of their own are not rows;
// they are named handlers of the editor window code.
//
// Plain C++: no window code here, so the table and its encoding rules are
// tested on their own.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/HSSDeviceFamily.h"
#include "device/RegisterFields.h"
#include "device/ZVRxQxx16PINConfiguration.h"

namespace editor {

enum class ControlKind : uint8_t {
    CheckBox,     // ticked = field on (inversion of the field applied)
    List,         // selected index = raw field value
    Slider,       // position = raw field value
    LatchRadio,   // radio pair <name> / <partner>: <name> selected = channel latches
};

// Which controls a row has and which family it acts on.
enum class FamilyScope : uint8_t {
    Twins,   // 16-pin control and its 18-pin twin (name + "18"); acts on the
             // current family, and only through the twin of that family
    Shared,  // one control serving both families; acts on the current family
    Only16,  // 16-pin control only; acts on the 16-pin record unless an 18-pin part is identified
    Only18,  // 18-pin control only; acts on the 18-pin record unless a 16-pin part is identified
};

// Where a per-channel row takes its channel from.
enum class ChannelSource : uint8_t {
    None,             // device-level register
    Channel1,         // always channel 1
    Channel2,         // always channel 2
    ChannelSettings,  // channel-settings selector (chanSettingBox / chanSettingBox18)
    TunerSelector,    // I2T tuner selector (i2tChanNumBox / i2tChanNumBox18)
};

// What "{0}" and "{1}" of a message stand for.
enum class MessageArgs : uint8_t {
    ChannelAndText,  // {0} channel number 1 or 2, {1} display text of the new item
    Text,            // {0} display text of the new item
    Index,           // {0} index of the new item
};

// What the editor does after the write and the log line.
enum class FollowUp : uint8_t {
    None,
    ReRead,                // read the whole configuration back (updateMainGUIFromSelection)
    CurrentLimitEnabling,  // enable the current-limit controls of the channel by its mode bits
    ReloadLists,           // reload the part's option lists (they depend on this field)
    ReloadListsAndRedraw,  // as ReloadLists, then redraw the I2T curves
    Redraw,                // redraw the I2T curves
    RedrawAndLatchButton,  // redraw, then enable the latch reset for cooldown "Latch"
};

// How the register write travels.
enum class SendPath : uint8_t {
    Persist,  // through sendRawWriteGUIResponse: held back while manual persist is on
    Direct,   // queued on the link at once, also under manual persist
};

// The field of a row in one family, by channel index (0 = channel 1).
struct ChannelFields {
    std::optional<RegisterField> channel1;
    std::optional<RegisterField> channel2;
};

struct FieldBinding {
    std::string_view name;  // 16-pin name, or the single control's name
    ControlKind kind;
    FamilyScope scope;
    ChannelSource channel;
    ChannelFields sixteen;
    ChannelFields eighteen;
    // Check boxes and radios: line when switched on / off ("" = no line).
    // Lists and sliders: whenOn is the format of the line.
    std::string_view whenOn;
    std::string_view whenOff = {};
    MessageArgs args = MessageArgs::ChannelAndText;
    FollowUp followUp = FollowUp::None;
    SendPath send = SendPath::Persist;
    // Refresh reads this field instead of the edited one on 18-pin parts
    // (capacitive charging shows as on when either mode bit is set).
    std::optional<RegisterField> shown18 = std::nullopt;
    // Second control of a radio pair (LatchRadio).
    std::string_view partner = {};
};

// Every row, in page order.
std::span<const FieldBinding> fieldBindings();
const FieldBinding* findBinding(std::string_view name);

// True when the row has a control on the pages of that family (shared
// controls count for both).
bool appliesTo(const FieldBinding& binding, hss_device_family_t family);

// Name of the row's control on the pages of a family ("" when none).
std::string controlName(const FieldBinding& binding, hss_device_family_t family);
std::string partnerName(const FieldBinding& binding, hss_device_family_t family);

// The family whose record and address an edit uses, given the current
// family and the family of the control that changed; empty when the edit
// must do nothing.
std::optional<hss_device_family_t> actingFamily(const FieldBinding& binding, hss_device_family_t current,
                                                hss_device_family_t controlFamily);

// The row's field in a family for a channel index (0 = channel 1, else 2).
std::optional<RegisterField> fieldFor(const FieldBinding& binding, hss_device_family_t family, uint8_t channel);

// Register address the row writes in a family for a channel index.
std::optional<uint8_t> addressFor(const FieldBinding& binding, hss_device_family_t family, uint8_t channel);

// What the control shows for a record: 0/1 for switches (inversion applied),
// the raw field value for lists and sliders. Empty when the row has no field
// in that family or the record does not mirror the register.
std::optional<uint16_t> shownValue(const FieldBinding& binding, hss_device_family_t family,
                                   const ZVRxQxx16PINConfiguration& record, uint8_t channel);

struct EditRequest {
    hss_device_family_t family;  // the acting family (see actingFamily)
    uint8_t channel;             // 0 = channel 1
    uint16_t value;              // switch: 0/1; list or slider: the new index
    std::string_view text;       // display text of the new item ("" for switches)
};

struct EditResult {
    uint8_t address;  // register written
    uint16_t word;    // whole new register word, as stored in the record
    std::string logLine;  // "" when the row logs nothing for this state
};

// Changes the row's field in the record and says what to write and log.
// Empty when the row has no field for that family or channel.
std::optional<EditResult> applyEdit(const FieldBinding& binding, const EditRequest& request,
                                    ZVRxQxx16PINConfiguration& record);

// The log line of a row for a new state (exposed for the named handlers
// that share the wording rules).
std::string formatMessage(std::string_view format, std::string_view arg0, std::string_view arg1 = {});

}  // namespace editor
