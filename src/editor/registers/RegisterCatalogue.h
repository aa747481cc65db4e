#pragma once
// Every register of a family as an engineer reads it off a register map:
// address, name, whether the tool may write it, and its bit fields with the
// captions the pages use. One list serves the register page, the command-line
// program's read-out and the comparison of two register images.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/HSSDeviceFamily.h"
#include "device/HSSRegisterMap.h"
#include "device/RegisterField.h"

class ZVRxQxx16PINConfiguration;

namespace hss::regmap {

// Register values by address.
using RegisterImage = std::map<uint8_t, uint16_t>;

enum class FieldKind : uint8_t {
    Choice,  // the raw value is an index into an option list
    Switch,  // one bit (inversion applied: isOn() is the "on" state)
    Word,    // the whole register is one plain value (shown in hex)
    Status,  // a read-only status or fault bit
};

struct FieldInfo {
    RegisterField field;
    std::string_view caption;
    FieldKind kind;
    uint8_t channel;  // the channel the field belongs to (0 when it is device-wide)
    // The page control whose option list names the values ("" when none).
    std::string_view listControl;
};

enum class RegisterAccess : uint8_t {
    ReadWrite,  // configuration: read back, written out, edited
    ReadOnly,   // identification, status and faults
    Command,    // writing starts something (sleep, self-tests): not edited as a value
};

struct RegisterInfo {
    uint8_t address;
    std::string name;  // "PWM_CH1", "CUST_REG_52_REG"
    HSSRegister reg;
    uint8_t channel;  // 0 for registers that are not per channel
    RegisterAccess access;
    bool faultPolled;  // read by the fault poll
    std::vector<FieldInfo> fields;  // lowest bit first

    // Bits no field decodes.
    uint16_t undecodedMask() const;
    const FieldInfo* fieldAt(uint8_t bit) const;
};

// The registers of a family in address order; empty for HSS_FAMILY_NONE.
// Write-only registers (WAKE, TEST_MODE_KEY, EEPROM_PROG) and the test-mode
// register TEST_CTRL are not listed.
std::span<const RegisterInfo> registerCatalogue(hss_device_family_t family);
const RegisterInfo* findRegister(hss_device_family_t family, uint8_t address);
// Name of a register of a family ("" when the family has none at the address).
std::string_view registerName(hss_device_family_t family, uint8_t address);

// The registers of the catalogue that the record mirrors, with its values.
RegisterImage imageFromRecord(hss_device_family_t family, const ZVRxQxx16PINConfiguration& record);

}  // namespace hss::regmap
