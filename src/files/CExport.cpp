#include "files/CExport.h"

#include <cstdio>
#include <span>

#include "device/HSSRegisterMap.h"
#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"

namespace hss::files {
namespace {

using R = HSSRegister;

struct ExportMember {
    std::string_view member;
    std::string_view registerPart;
    HSSRegister reg;
    uint8_t channel;
    std::size_t memberColumn;  // 1-based position of the member name on its line
};

constexpr std::array<ExportMember, 14> kSixteenPinMembers{{
    {"crcConfig", "CRC_CONFIG", R::CRC_CONFIG, 0, 35},
    {"lpmConfig", "LPM", R::LPM, 0, 35},
    {"faultMaskConfig", "FAULT_MASK", R::FAULT_MASK, 0, 35},
    {"swState", "SW_STATE", R::SW_STATE, 0, 35},
    {"devConfig", "DEV_CONFIG", R::DEV_CONFIG, 0, 35},
    {"adcConfig", "ADC_CONFIG", R::ADC_CONFIG, 0, 35},
    {"pwmCh1Config", "PWM_CH1", R::PWM_CH, 0, 35},
    {"ilimCh1Config", "ILIM_CONFIG_CH1", R::ILIM_CONFIG_CH, 0, 35},
    {"diagConfigCh1", "CH1_CONFIG", R::CH_CONFIG, 0, 35},
    {"i2tConfigCh1", "I2T_CONFIG_CH1", R::I2T_CONFIG_CH, 0, 35},
    {"pwmCh2Config", "PWM_CH2", R::PWM_CH, 1, 35},
    {"ilimCh2Config", "ILIM_CONFIG_CH2", R::ILIM_CONFIG_CH, 1, 35},
    {"diagConfigCh2", "CH2_CONFIG", R::CH_CONFIG, 1, 35},
    {"i2tConfigCh2", "I2T_CONFIG_CH2", R::I2T_CONFIG_CH, 1, 35},
}};

constexpr std::array<ExportMember, 21> kEighteenPinMembers{{
    {"lpmConfig", "LPM", R::LPM, 0, 44},
    {"faultMaskConfig", "FAULT_MASK", R::FAULT_MASK, 0, 44},
    {"swState", "SW_STATE", R::SW_STATE, 0, 44},
    {"devConfig", "DEV_CONFIG", R::DEV_CONFIG, 0, 44},
    {"adcConfig", "ADC_CONFIG", R::ADC_CONFIG, 0, 44},
    {"pwmCh1Config", "PWM_CH1", R::PWM_CH, 0, 44},
    {"ilimCh1Config", "ILIM_CONFIG_CH1", R::ILIM_CONFIG_CH, 0, 44},
    {"configCh1", "CH1_CONFIG", R::CH_CONFIG, 0, 44},
    {"i2tConfigCh1", "I2T_CONFIG_CH1", R::I2T_CONFIG_CH, 0, 44},
    {"pwmCh2Config", "PWM_CH2", R::PWM_CH, 1, 44},
    {"ilimCh2Config", "ILIM_CONFIG_CH2", R::ILIM_CONFIG_CH, 1, 44},
    {"configCh2", "CH2_CONFIG", R::CH_CONFIG, 1, 44},
    {"i2tConfigCh2", "I2T_CONFIG_CH2", R::I2T_CONFIG_CH, 1, 44},
    {"tsnsCalCh1", "TSNS_CAL_RESULT_CH1", R::TSNS_CAL_RESULT_CH1_REG, 0, 49},
    {"tsnsCalCh2", "TSNS_CAL_RESULT_CH2", R::TSNS_CAL_RESULT_CH2_REG, 0, 49},
    {"custReg52", "CUST_REG_52", R::CUST_REG_52_REG, 0, 49},
    {"custReg53", "CUST_REG_53", R::CUST_REG_53_REG, 0, 49},
    {"custReg54", "CUST_REG_54", R::CUST_REG_54_REG, 0, 49},
    {"custReg55", "CUST_REG_55", R::CUST_REG_55_REG, 0, 49},
    {"custReg56", "CUST_REG_56", R::CUST_REG_56_REG, 0, 49},
    {"custReg57", "CUST_REG_57", R::CUST_REG_57_REG, 0, 49},
}};

constexpr std::string_view kSixteenPinPrefix = "ZVR2MXX_";
constexpr std::string_view kEighteenPinPrefix = "ZVRXQXX_24PWP_K1_";

// A line ends with CR LF; some carry a line feed before it, which leaves an
// empty line after them.
void line(std::string& text, std::string_view content)
{
    text.append(content).append("\r\n");
}

void lineWithExtraFeed(std::string& text, std::string_view content)
{
    text.append(content).append("\n\r\n");
}

std::string hexWord(uint16_t value)
{
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(value));
    return digits;
}

CExportText exportText(std::string_view prefix, std::span<const ExportMember> members,
                       const ZVRxQxx16PINConfiguration& snapshot, std::string_view headerFileName)
{
    const std::string guard = exportGuardName(headerFileName);
    CExportText files;

    std::string& h = files.header;
    line(h, "#ifndef " + guard);
    lineWithExtraFeed(h, "#define " + guard);
    line(h, "#include <stdint.h>");
    lineWithExtraFeed(h, "#include <zvr_qdev.h>");
    line(h, "typedef struct ZVR2MXXK1_CONFIG");
    line(h, "{");
    for (const ExportMember& m : members) {
        std::string declaration = "    ";
        declaration.append(prefix).append(m.registerPart).append("_OBJ");
        // The name in its column, after at least one blank.
        const std::size_t nameStart = m.memberColumn - 1;
        declaration.append(declaration.size() < nameStart ? nameStart - declaration.size() : 1, ' ');
        declaration.append(m.member).append(";");
        line(h, declaration);
    }
    lineWithExtraFeed(h, " } ZVR2MXXK1_CONFIG;");
    lineWithExtraFeed(h, "extern ZVR2MXXK1_CONFIG exportConfig;");
    line(h, "#endif");

    std::string& c = files.source;
    lineWithExtraFeed(c, "#include \"" + std::string(headerFileName) + "\"");
    line(c, "ZVR2MXXK1_CONFIG exportConfig =");
    line(c, "{");
    for (std::size_t i = 0; i < members.size(); ++i) {
        const ExportMember& m = members[i];
        const uint16_t value = snapshot.getRegister(m.reg, m.channel).value_or(0);
        line(c, "    ." + std::string(m.member) + " =");
        line(c, "    {");
        line(c, "        .reg = " + std::string(prefix) + std::string(m.registerPart) + "_REG,");
        line(c, "        .value.word = 0x" + hexWord(value));
        line(c, i + 1 < members.size() ? "    }," : "    }");
    }
    lineWithExtraFeed(c, "};");
    return files;
}

}  // namespace

std::string exportGuardName(std::string_view headerFileName)
{
    std::string guard = "__";
    for (char c : headerFileName) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        guard.push_back(keep ? c : '_');
    }
    guard.append("__");
    return guard;
}

std::optional<CExportFileNames> exportFileNames(std::string_view chosenFileName)
{
    std::string_view base = chosenFileName;
    if (base.size() >= 2 && base[base.size() - 2] == '.') {
        const char ending = base.back();
        if (ending == 'h' || ending == 'H' || ending == 'c' || ending == 'C') base.remove_suffix(2);
    }
    if (base.empty()) return std::nullopt;
    return CExportFileNames{std::string(base) + ".h", std::string(base) + ".c"};
}

CExportText sixteenPinExport(const ZVRxQxx16PINConfiguration& record, std::string_view headerFileName)
{
    const ZVRxQxx16PINConfiguration snapshot = record;
    return exportText(kSixteenPinPrefix, kSixteenPinMembers, snapshot, headerFileName);
}

CExportText eighteenPinExport(const ZVRxQxx18PINConfiguration& record, std::string_view headerFileName)
{
    const ZVRxQxx18PINConfiguration snapshot = record;
    return exportText(kEighteenPinPrefix, kEighteenPinMembers, snapshot, headerFileName);
}

std::optional<CExportText> cExportText(hss_device_family_t family, const ZVRxQxx16PINConfiguration& sixteen,
                                       const ZVRxQxx18PINConfiguration& eighteen, std::string_view headerFileName)
{
    if (family == HSS_FAMILY_16PWP) return sixteenPinExport(sixteen, headerFileName);
    if (family == HSS_FAMILY_18PWP) return eighteenPinExport(eighteen, headerFileName);
    return std::nullopt;
}

}  // namespace hss::files
