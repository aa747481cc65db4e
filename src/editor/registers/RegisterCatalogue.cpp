#include "editor/registers/RegisterCatalogue.h"

#include <algorithm>
#include <array>
#include <deque>

#include "device/FaultRecords.h"
#include "device/RegisterFields.h"
#include "device/SafetyDiagnostics.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "editor/bindings/FieldBinding.h"
#include "editor/bindings/FieldCaptions.h"

namespace hss::regmap {
namespace {

using R = HSSRegister;
namespace F = hss::field;
namespace F16 = hss::field16;
namespace F18 = hss::field18;

struct RegisterRow {
    R reg;
    uint8_t channel;
    std::string_view name;
    RegisterAccess access;
    bool faultPolled = false;
};

constexpr RegisterAccess RW = RegisterAccess::ReadWrite;
constexpr RegisterAccess RO = RegisterAccess::ReadOnly;
constexpr RegisterAccess CMD = RegisterAccess::Command;

// Registers both families share, by name; the family's map gives the address.
constexpr std::array kRows{
    RegisterRow{R::DEVID, 0, "DEVID", RO},
    RegisterRow{R::CRC_CONFIG, 0, "CRC_CONFIG", RW},
    RegisterRow{R::SLEEP, 0, "SLEEP", CMD},
    RegisterRow{R::LPM, 0, "LPM", RW},
    RegisterRow{R::DEV_FAULT, 0, "DEV_FAULT", RO, true},
    RegisterRow{R::FAULT_MASK, 0, "FAULT_MASK", RW},
    RegisterRow{R::ABIST_RESULT, 0, "ABIST_RESULT", RO},
    RegisterRow{R::SW_STATE, 0, "SW_STATE", RW},
    RegisterRow{R::SAFETY_TEST, 0, "SAFETY_TEST", CMD},
    RegisterRow{R::DEV_CONFIG, 0, "DEV_CONFIG", RW},
    RegisterRow{R::ADC_CONFIG, 0, "ADC_CONFIG", RW},
    RegisterRow{R::CH_FAULT, 0, "CH1_FAULT", RO, true},
    RegisterRow{R::PWM_CH, 0, "PWM_CH1", RW},
    RegisterRow{R::ILIM_CONFIG_CH, 0, "ILIM_CONFIG_CH1", RW},
    RegisterRow{R::CH_CONFIG, 0, "CH1_CONFIG", RW},
    RegisterRow{R::I2T_CONFIG_CH, 0, "I2T_CONFIG_CH1", RW},
    RegisterRow{R::CH_FAULT, 1, "CH2_FAULT", RO, true},
    RegisterRow{R::PWM_CH, 1, "PWM_CH2", RW},
    RegisterRow{R::ILIM_CONFIG_CH, 1, "ILIM_CONFIG_CH2", RW},
    RegisterRow{R::CH_CONFIG, 1, "CH2_CONFIG", RW},
    RegisterRow{R::I2T_CONFIG_CH, 1, "I2T_CONFIG_CH2", RW},
    RegisterRow{R::TSNS_CAL_RESULT_CH1_REG, 0, "TSNS_CAL_RESULT_CH1_REG", RW},
    RegisterRow{R::TSNS_CAL_RESULT_CH2_REG, 0, "TSNS_CAL_RESULT_CH2_REG", RW},
    RegisterRow{R::CUST_REG_52_REG, 0, "CUST_REG_52_REG", RW},
    RegisterRow{R::CUST_REG_53_REG, 0, "CUST_REG_53_REG", RW},
    RegisterRow{R::CUST_REG_54_REG, 0, "CUST_REG_54_REG", RW},
    RegisterRow{R::CUST_REG_55_REG, 0, "CUST_REG_55_REG", RW},
    RegisterRow{R::CUST_REG_56_REG, 0, "CUST_REG_56_REG", RW},
    RegisterRow{R::CUST_REG_57_REG, 0, "CUST_REG_57_REG", RW},
};

// Fields of the status, fault and command registers, which have no page
// control and so no caption in the editor's table.
struct StatusField {
    RegisterField field;
    std::string_view caption;
    hss_device_family_t onlyFamily = HSS_FAMILY_NONE;  // NONE: both
};

std::string_view faultName(FaultId id) { return faultText(id).name; }

std::vector<StatusField> statusFields(uint8_t channel)
{
    using Id = FaultId;
    const bool one = channel == 0;
    std::vector<StatusField> fields{
        {F::DEV_FAULT_VBB_UVLO, faultName(Id::vbbUVLOFault)},
        {F::DEV_FAULT_VBB_UV_WARNING, faultName(Id::vbbWarningFault)},
        {F::DEV_FAULT_VDD_UVLO, faultName(Id::vddUvloFault)},
        {F::DEV_FAULT_WATCHDOG, faultName(Id::wdtFault)},
        {F::DEV_FAULT_SPI, faultName(Id::spiFault)},
        {F::DEV_FAULT_POWER_ON_RESET, faultName(Id::porFault)},
        {F::DEV_FAULT_LIMP_HOME, faultName(Id::limpFault)},
        {F::DEV_FAULT_GLOBAL, "Global Fault"},
        {F::DEV_FAULT_IN_LPM, faultName(Id::lpmFault)},
        {F::CH_FAULT_THERMAL_WARNING, faultName(one ? Id::thWarnCh1 : Id::thWarnCh2)},
        {F::CH_FAULT_OPEN_LOAD_OFF, faultName(one ? Id::openLoadOffFaultCh1 : Id::openLoadOffFaultCh2)},
        {F::CH_FAULT_SHORT_VBB, faultName(one ? Id::shortVbbFaultCh1 : Id::shortVbbFaultCh2)},
        {F::CH_FAULT_CURRENT_LIMIT, faultName(one ? Id::ilimFaultCh1 : Id::ilimFaultCh2)},
        {F::CH_FAULT_THERMAL_SHUTDOWN, faultName(one ? Id::thermShutCh1 : Id::thermShutCh2)},
        {F::CH_FAULT_LPM_WAKE, faultName(one ? Id::lpmWakeFaultCh1 : Id::lpmWakeFaultCh2)},
        {F::CH_FAULT_I2T, faultName(one ? Id::i2tFaultCh1 : Id::i2tFaultCh2)},
        {F18::CH_FAULT_I2T_ACCUMULATING, faultName(one ? Id::i2tAccCh1 : Id::i2tAccCh2), HSS_FAMILY_18PWP},
        {RegisterField{R::SLEEP, 0, 1}, "Sleep Entry"},
    };
    for (const SelfTestRow& row : kSelfTestRows) {
        fields.push_back({row.result, row.tabTitle});
    }
    constexpr std::array<std::string_view, 5> kTestNames{"Bandgap Test", "ADC Test", "FET Short Test (CH1)",
                                                         "FET Short Test (CH2)", "Current Sense Test"};
    std::size_t test = 0;
    for (const SelfTestRow& row : kSelfTestRows) {
        if (row.initiate && test < kTestNames.size())
            fields.push_back({*row.initiate, kTestNames[test++], HSS_FAMILY_16PWP});
    }
    return fields;
}

std::string_view wordCaption(R reg)
{
    switch (reg) {
    case R::DEVID: return "Device ID";
    case R::TSNS_CAL_RESULT_CH1_REG: return "TSNS Calibration (CH1)";
    case R::TSNS_CAL_RESULT_CH2_REG: return "TSNS Calibration (CH2)";
    case R::CUST_REG_52_REG: return "User Register 0x52";
    case R::CUST_REG_53_REG: return "User Register 0x53";
    case R::CUST_REG_54_REG: return "User Register 0x54";
    case R::CUST_REG_55_REG: return "User Register 0x55";
    case R::CUST_REG_56_REG: return "User Register 0x56";
    case R::CUST_REG_57_REG: return "User Register 0x57";
    default: return {};
    }
}

// Fields of a shared register that belong to channel 2.
uint8_t sharedFieldChannel(hss_device_family_t family, const RegisterField& field)
{
    for (const RegisterField& second :
         {F::SW_STATE_CH2, F::LHI_BEHAVIOR_CH2, F::lpmAutoField(family, 1), F::lpmThresholdField(family, 1)}) {
        if (second.sameBits(field))
            return 1;
    }
    return 0;
}

// The list control that names a field's values: the "Channel Settings" page's
// where it has one (its items carry units), else the first list of the field.
std::string listControlFor(hss_device_family_t family, const RegisterField& field, uint8_t channel)
{
    const editor::FieldBinding* chosen = nullptr;
    for (const editor::FieldBinding& row : editor::fieldBindings()) {
        if (row.kind != editor::ControlKind::List || !editor::appliesTo(row, family))
            continue;
        const auto rowField = editor::fieldFor(row, family, channel);
        if (!rowField || !rowField->sameBits(field))
            continue;
        if (chosen == nullptr || (row.channel == editor::ChannelSource::ChannelSettings &&
                                  chosen->channel != editor::ChannelSource::ChannelSettings))
            chosen = &row;
    }
    return chosen != nullptr ? editor::controlName(*chosen, family) : std::string();
}

// Built once per family and never moved: the fields' listControl and some
// caption views point into listNames.
struct Catalogue {
    explicit Catalogue(hss_device_family_t family);
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    std::vector<RegisterInfo> registers;
    std::deque<std::string> listNames;
};

Catalogue::Catalogue(hss_device_family_t family)
{
    Catalogue& catalogue = *this;
    const std::vector<RegisterField> captioned = editor::captionedFields(family);
    for (const RegisterRow& row : kRows) {
        const auto address = registerAddress(family, row.reg, row.channel);
        if (!address)
            continue;
        RegisterInfo info{*address, std::string(row.name), row.reg, row.channel, row.access, row.faultPolled, {}};
        const auto add = [&](const RegisterField& field, std::string_view caption, FieldKind kind,
                             uint8_t channel) {
            for (const FieldInfo& known : info.fields) {
                if (known.field.sameBits(field))
                    return;
            }
            std::string_view list;
            if (kind == FieldKind::Choice || kind == FieldKind::Switch) {
                // A one-bit field with a list ("1x"/"8x", "Large FET") is a choice.
                std::string name = listControlFor(family, field, channel);
                if (!name.empty()) {
                    catalogue.listNames.push_back(std::move(name));
                    list = catalogue.listNames.back();
                    kind = FieldKind::Choice;
                }
            }
            info.fields.push_back({field, caption, kind, channel, list});
        };
        if (const std::string_view word = wordCaption(row.reg); !word.empty()) {
            add(RegisterField{row.reg, 0, 16}, word, FieldKind::Word, 0);
        }
        for (const RegisterField& field : captioned) {
            if (field.reg != row.reg)
                continue;
            const uint8_t channel = isPerChannel(row.reg) ? row.channel : sharedFieldChannel(family, field);
            add(field, editor::fieldCaption(family, field), field.width == 1 ? FieldKind::Switch : FieldKind::Choice,
                channel);
        }
        for (const StatusField& status : statusFields(row.channel)) {
            if (status.field.reg != row.reg || (status.onlyFamily != HSS_FAMILY_NONE && status.onlyFamily != family))
                continue;
            add(status.field, status.caption, FieldKind::Status, row.channel);
        }
        std::sort(info.fields.begin(), info.fields.end(),
                  [](const FieldInfo& a, const FieldInfo& b) { return a.field.offset < b.field.offset; });
        // The two channels' fields of a shared register ("Channel Enable"
        // twice in SW_STATE) say which channel they are.
        std::vector<bool> twin(info.fields.size(), false);
        for (std::size_t i = 0; i < info.fields.size(); ++i) {
            for (std::size_t j = 0; j < info.fields.size(); ++j)
                twin[i] = twin[i] || (i != j && info.fields[i].caption == info.fields[j].caption);
        }
        for (std::size_t i = 0; i < info.fields.size(); ++i) {
            FieldInfo& field = info.fields[i];
            if (twin[i] && !isPerChannel(row.reg)) {
                catalogue.listNames.push_back(std::string(field.caption) + " (CH" + std::to_string(field.channel + 1) +
                                              ")");
                field.caption = catalogue.listNames.back();
            }
        }
        catalogue.registers.push_back(std::move(info));
    }
    std::sort(catalogue.registers.begin(), catalogue.registers.end(),
              [](const RegisterInfo& a, const RegisterInfo& b) { return a.address < b.address; });
}

const Catalogue& catalogueOf(hss_device_family_t family)
{
    static const Catalogue none{HSS_FAMILY_NONE};
    static const Catalogue sixteen{HSS_FAMILY_16PWP};
    static const Catalogue eighteen{HSS_FAMILY_18PWP};
    switch (family) {
    case HSS_FAMILY_16PWP: return sixteen;
    case HSS_FAMILY_18PWP: return eighteen;
    case HSS_FAMILY_NONE: break;
    }
    return none;
}

}  // namespace

uint16_t RegisterInfo::undecodedMask() const
{
    uint16_t decoded = 0;
    for (const FieldInfo& field : fields) decoded |= field.field.mask();
    return static_cast<uint16_t>(~decoded);
}

const FieldInfo* RegisterInfo::fieldAt(uint8_t bit) const
{
    for (const FieldInfo& field : fields) {
        if (bit >= field.field.offset && bit < field.field.offset + field.field.width)
            return &field;
    }
    return nullptr;
}

std::span<const RegisterInfo> registerCatalogue(hss_device_family_t family)
{
    return catalogueOf(family).registers;
}

const RegisterInfo* findRegister(hss_device_family_t family, uint8_t address)
{
    for (const RegisterInfo& info : registerCatalogue(family)) {
        if (info.address == address)
            return &info;
    }
    return nullptr;
}

std::string_view registerName(hss_device_family_t family, uint8_t address)
{
    const RegisterInfo* info = findRegister(family, address);
    return info != nullptr ? std::string_view(info->name) : std::string_view{};
}

RegisterImage imageFromRecord(hss_device_family_t family, const ZVRxQxx16PINConfiguration& record)
{
    RegisterImage image;
    for (const RegisterInfo& info : registerCatalogue(family)) {
        if (const auto value = record.getRegister(info.reg, info.channel))
            image[info.address] = *value;
    }
    return image;
}

}  // namespace hss::regmap
