#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <span>

#include "TempFolder.h"
#include "device/RegisterFields.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "files/CExport.h"

using namespace hss::files;

namespace {

// The records behind the hand-written files in tests/files/data.
void fillSixteen(ZVRxQxx16PINConfiguration& r)
{
    r.setCRCConfig(0x0001);
    r.setLowPowerMode(0x0078);
    r.setDeviceFaultMask(0x0000);
    r.setSwitchState(0x0003);
    r.setDevConfig(0x0484);
    r.setADCConfig(0x0040);
    r.setPWMConfig(0x08FE, 0);
    r.setILIMConfig(0x0A86, 0);
    r.setChanDiagConfig(0x00B5, 0);
    r.setI2TConfig(0x82C4, 0);
    r.setPWMConfig(0x0C7F, 1);
    r.setILIMConfig(0x0964, 1);
    r.setChanDiagConfig(0xE002, 1);
    r.setI2TConfig(0x452A, 1);
    r.setDevID(0xFFF0);  // not exported
}

void fillEighteen(ZVRxQxx18PINConfiguration& r)
{
    r.setCRCConfig(0x1111);  // no such register on the 18-pin chip: not exported
    r.setLowPowerMode(0x00F1);
    r.setDeviceFaultMask(0x003F);
    r.setSwitchState(0x0002);
    r.setDevConfig(0x8484);
    r.setADCConfig(0x00C0);
    r.setPWMConfig(0x0E01, 0);
    r.setILIMConfig(0x2B98, 0);
    r.setChanDiagConfig(0x10A1, 0);
    r.setI2TConfig(0xB2C4, 0);
    r.setPWMConfig(0x0C7F, 1);
    r.setILIMConfig(0x0A76, 1);
    r.setChanDiagConfig(0x0006, 1);
    r.setI2TConfig(0x6D32, 1);
    r.setADCCal(0x0213, 0);
    r.setADCCal(0x020E, 1);
    r.setUserReg52(0xBEEF);
    r.setUserReg53(0x0000);
    r.setUserReg54(0xFFFF);
    r.setUserReg55(0x1234);
    r.setUserReg56(0xABCD);
    r.setUserReg57(0x00A0);
}

TEST(CExport, SixteenAndEighteenPinTextsMatchTheHandWrittenFiles)
{
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    fillSixteen(sixteen);
    fillEighteen(eighteen);

    const auto sixteenText = cExportText(HSS_FAMILY_16PWP, sixteen, eighteen, "config16.h");
    ASSERT_TRUE(sixteenText.has_value());
    EXPECT_EQ(sixteenText->header, readBytes("tests/files/data/config16.h"));
    EXPECT_EQ(sixteenText->source, readBytes("tests/files/data/config16.c"));

    const auto eighteenText = cExportText(HSS_FAMILY_18PWP, sixteen, eighteen, "my.cfg.h");
    ASSERT_TRUE(eighteenText.has_value());
    EXPECT_EQ(eighteenText->header, readBytes("tests/files/data/my.cfg.h"));
    EXPECT_EQ(eighteenText->source, readBytes("tests/files/data/my.cfg.c"));

    EXPECT_FALSE(cExportText(HSS_FAMILY_NONE, sixteen, eighteen, "x.h").has_value());

    // A fresh record exports every value as 0x0000.
    const CExportText fresh = sixteenPinExport(ZVRxQxx16PINConfiguration{}, "fresh.h");
    std::size_t zeros = 0;
    for (std::size_t at = fresh.source.find(".value.word = 0x0000\r\n"); at != std::string::npos;
         at = fresh.source.find(".value.word = 0x0000\r\n", at + 1)) {
        ++zeros;
    }
    EXPECT_EQ(zeros, 14u);
}

TEST(CExport, GuardNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"config.h", "__CONFIG_H__"}, {"my.cfg.h", "__MY_CFG_H__"}, {"Board_Cfg2.h", "__BOARD_CFG2_H__"},
        {"my-cfg v2.h", "__MY_CFG_V2_H__"}, {"cfg.hpp.h", "__CFG_HPP_H__"},
    };
    for (const auto& [header, guard] : cases) EXPECT_EQ(exportGuardName(header), guard) << header;
}

// Whatever name is picked, one base name gives both files, never one file twice.
TEST(CExport, TheChosenNameGivesAHeaderAndASourceOfOneBase)
{
    const struct {
        const char* chosen;
        const char* header;
        const char* source;
    } cases[] = {
        {"config.h", "config.h", "config.c"}, {"config.c", "config.h", "config.c"},
        {"config", "config.h", "config.c"},   {"CONFIG.C", "CONFIG.h", "CONFIG.c"},
        {"my.cfg.h", "my.cfg.h", "my.cfg.c"}, {"my.cfg", "my.cfg.h", "my.cfg.c"},
        {"cfg.hpp", "cfg.hpp.h", "cfg.hpp.c"}, {"a.c.h", "a.c.h", "a.c.c"},
        {"x.", "x..h", "x..c"},
    };
    for (const auto& c : cases) {
        const auto names = exportFileNames(c.chosen);
        ASSERT_TRUE(names.has_value()) << c.chosen;
        EXPECT_EQ(names->header, c.header) << c.chosen;
        EXPECT_EQ(names->source, c.source) << c.chosen;
    }
    for (const char* nothingLeft : {"", ".h", ".c", ".H"}) EXPECT_FALSE(exportFileNames(nothingLeft)) << nothingLeft;
}

// ---- The exports compile against the shipped support headers ---------------

struct MacroRegister {
    const char* macro;
    HSSRegister reg;
    uint8_t channel;
};

struct MacroField {
    const char* stem;
    RegisterField field;
};

namespace F = hss::field;
using R = HSSRegister;

const MacroRegister kSixteenPinRegisters[] = {
    {"DEVID", R::DEVID, 0},           {"CRC_CONFIG", R::CRC_CONFIG, 0},   {"SLEEP", R::SLEEP, 0},
    {"LPM", R::LPM, 0},               {"DEV_FAULT", R::DEV_FAULT, 0},     {"FAULT_MASK", R::FAULT_MASK, 0},
    {"ABIST_RESULT", R::ABIST_RESULT, 0}, {"SW_STATE", R::SW_STATE, 0},   {"SAFETY_TEST", R::SAFETY_TEST, 0},
    {"DEV_CONFIG", R::DEV_CONFIG, 0}, {"ADC_CONFIG", R::ADC_CONFIG, 0},   {"CH1_FAULT", R::CH_FAULT, 0},
    {"PWM_CH1", R::PWM_CH, 0},        {"ILIM_CONFIG_CH1", R::ILIM_CONFIG_CH, 0}, {"CH1_CONFIG", R::CH_CONFIG, 0},
    {"I2T_CONFIG_CH1", R::I2T_CONFIG_CH, 0}, {"CH2_FAULT", R::CH_FAULT, 1}, {"PWM_CH2", R::PWM_CH, 1},
    {"ILIM_CONFIG_CH2", R::ILIM_CONFIG_CH, 1}, {"CH2_CONFIG", R::CH_CONFIG, 1}, {"I2T_CONFIG_CH2", R::I2T_CONFIG_CH, 1},
    {"TEST_MODE_KEY", R::TEST_MODE_KEY, 0}, {"TEST_CTRL", R::TEST_CTRL, 0}, {"WAKE", R::WAKE, 0},
};

const MacroRegister kEighteenPinRegisters[] = {
    {"DEVID", R::DEVID, 0},           {"SLEEP", R::SLEEP, 0},             {"LPM", R::LPM, 0},
    {"DEV_FAULT", R::DEV_FAULT, 0},   {"FAULT_MASK", R::FAULT_MASK, 0},   {"ABIST_RESULT", R::ABIST_RESULT, 0},
    {"SW_STATE", R::SW_STATE, 0},     {"DEV_CONFIG", R::DEV_CONFIG, 0},   {"ADC_CONFIG", R::ADC_CONFIG, 0},
    {"CH1_FAULT", R::CH_FAULT, 0},    {"PWM_CH1", R::PWM_CH, 0},          {"ILIM_CONFIG_CH1", R::ILIM_CONFIG_CH, 0},
    {"CH1_CONFIG", R::CH_CONFIG, 0},  {"I2T_CONFIG_CH1", R::I2T_CONFIG_CH, 0}, {"CH2_FAULT", R::CH_FAULT, 1},
    {"PWM_CH2", R::PWM_CH, 1},        {"ILIM_CONFIG_CH2", R::ILIM_CONFIG_CH, 1}, {"CH2_CONFIG", R::CH_CONFIG, 1},
    {"I2T_CONFIG_CH2", R::I2T_CONFIG_CH, 1}, {"EEPROM_PROG", R::EEPROM_PROG, 0},
    {"TSNS_CAL_RESULT_CH1", R::TSNS_CAL_RESULT_CH1_REG, 0}, {"TSNS_CAL_RESULT_CH2", R::TSNS_CAL_RESULT_CH2_REG, 0},
    {"CUST_REG_52", R::CUST_REG_52_REG, 0}, {"CUST_REG_53", R::CUST_REG_53_REG, 0},
    {"CUST_REG_54", R::CUST_REG_54_REG, 0}, {"CUST_REG_55", R::CUST_REG_55_REG, 0},
    {"CUST_REG_56", R::CUST_REG_56_REG, 0}, {"CUST_REG_57", R::CUST_REG_57_REG, 0},
    {"TEST_MODE_KEY", R::TEST_MODE_KEY, 0}, {"TEST_CTRL", R::TEST_CTRL, 0}, {"WAKE", R::WAKE, 0},
};

// Fields both headers declare under the same stem.
const MacroField kCommonFields[] = {
    {"LPM_EN", F::LPM_ENABLE},
    {"DEV_FAULT_VBB_UVLO", F::DEV_FAULT_VBB_UVLO}, {"DEV_FAULT_VBB_UVW", F::DEV_FAULT_VBB_UV_WARNING},
    {"DEV_FAULT_VDD_UVLO", F::DEV_FAULT_VDD_UVLO}, {"DEV_FAULT_WDT", F::DEV_FAULT_WATCHDOG},
    {"DEV_FAULT_SPI", F::DEV_FAULT_SPI},           {"DEV_FAULT_POR", F::DEV_FAULT_POWER_ON_RESET},
    {"DEV_FAULT_LIMP_HOME", F::DEV_FAULT_LIMP_HOME}, {"DEV_FAULT_GLOBAL", F::DEV_FAULT_GLOBAL},
    {"DEV_FAULT_IN_LPM", F::DEV_FAULT_IN_LPM},
    {"MASK_VBB_UVLO", F::FAULT_MASK_VBB_UVLO},     {"MASK_WDT", F::FAULT_MASK_WATCHDOG},
    {"MASK_SPI", F::FAULT_MASK_SPI},               {"MASK_OL_OFF", F::FAULT_MASK_OPEN_LOAD_OFF},
    {"MASK_SHORT_VBB", F::FAULT_MASK_SHORT_VBB},
    {"SW_CH1", F::SW_STATE_CH1},                   {"SW_CH2", F::SW_STATE_CH2},
    {"FAULT_LATCH_N", F::FAULT_LATCH},             {"WDT_TIMEOUT", F::WDT_TIMEOUT},
    {"WDT_EN", F::WDT_ENABLE},                     {"AUTO_LPM_EN", F::AUTO_LPM_ENABLE},
    {"LHI_CH1", F::LHI_BEHAVIOR_CH1},              {"LHI_CH2", F::LHI_BEHAVIOR_CH2},
    {"ADC_DIS", F::ADC_ENABLE},                    {"ADC_VBB_DIS", F::ADC_VBB_SAMPLING},
    {"ADC_ILOAD_DIS", F::ADC_CURRENT_SAMPLING},    {"ADC_TEMP_DIS", F::ADC_TEMPERATURE_SAMPLING},
    {"ADC_VOUT_DIS", F::ADC_VOUT_SAMPLING},        {"ADC_VDS_DIS", F::ADC_VDS_SAMPLING},
    {"ADC_RATE", F::ADC_SAMPLE_RATE},
    {"CH_FAULT_TWARN", F::CH_FAULT_THERMAL_WARNING}, {"CH_FAULT_OL_OFF", F::CH_FAULT_OPEN_LOAD_OFF},
    {"CH_FAULT_SHORT_VBB", F::CH_FAULT_SHORT_VBB}, {"CH_FAULT_ILIM", F::CH_FAULT_CURRENT_LIMIT},
    {"CH_FAULT_TSD", F::CH_FAULT_THERMAL_SHUTDOWN}, {"CH_FAULT_LPM_WAKE", F::CH_FAULT_LPM_WAKE},
    {"CH_FAULT_I2T", F::CH_FAULT_I2T},
    {"PWM_EN", F::PWM_ENABLE},                     {"PWM_DUTY", F::PWM_DUTY},
    {"PWM_FREQ", F::PWM_FREQUENCY},
    {"ILIMIT_SET", F::ILIMIT_SET},                 {"INRUSH_LEVEL", F::INRUSH_LEVEL},
    {"INRUSH_DURATION", F::INRUSH_DURATION},       {"I2T_EN", F::I2T_ENABLE},
    {"CAP_CHARGE", F::CAP_CHARGE_MODE},
    {"SLEW", F::SLEW_RATE},                        {"OL_PU_CURRENT", F::OL_OFF_PULLUP_CURRENT},
    {"OL_BLANK", F::OL_BLANKING},                  {"OL_SCALE", F::OL_SCALING},
    {"ADC_SCALE", F::ADC_SCALE},                   {"CH_ILOAD_ADC_DIS", F::CH_CURRENT_ADC},
    {"CH_VDS_ADC_DIS", F::CH_VDS_ADC},             {"CH_VOUT_ADC_DIS", F::CH_VOUT_ADC},
    {"NOM_CUR", F::NOM_CUR},                       {"I2T_TRIP", F::I2T_TRIP},
    {"ISWCL", F::ISWCL},                           {"SWCL_DLY", F::SWCL_DLY_TMR},
    {"TCLDN", F::TCLDN},
    {"TEST_DIGITAL", F::TEST_DIGITAL_SELECT},      {"TEST_ANALOG", F::TEST_ANALOG_SELECT},
};

const MacroField kSixteenPinFields[] = {
    {"CRC_EN", hss::field16::CRC_ENABLE},          {"LPM_AUTO_CH1", hss::field16::LPM_AUTO_ENTRY_CH1},
    {"LPM_AUTO_CH2", hss::field16::LPM_AUTO_ENTRY_CH2}, {"LPM_ITH_CH1", hss::field16::LPM_THRESHOLD_CH1},
    {"LPM_ITH_CH2", hss::field16::LPM_THRESHOLD_CH2}, {"MASK_ILIM", hss::field16::FAULT_MASK_CURRENT_LIMIT},
    {"PARALLEL", hss::field16::PARALLEL_CHANNELS}, {"PWM_DELAY_N", hss::field16::PWM_DELAY},
    {"SHUTDOWN_LATCH", hss::field16::SHUTDOWN_LATCH}, {"VBB_SHORT_PD", hss::field16::VBB_SHORT_PULLDOWN},
    {"OL_OFF_PU", hss::field16::OL_OFF_PULLUP},
};

const MacroField kEighteenPinFields[] = {
    {"CRC_EN", hss::field18::CRC_ENABLE},          {"LPM_FET", hss::field18::LPM_FET_SELECT},
    {"LPM_AUTO_CH1", hss::field18::LPM_AUTO_CH1},  {"LPM_AUTO_CH2", hss::field18::LPM_AUTO_CH2},
    {"LPM_ITH_CH1", hss::field18::LPM_THRESHOLD_CH1}, {"LPM_ITH_CH2", hss::field18::LPM_THRESHOLD_CH2},
    {"FAST_DI", hss::field18::FAST_DI_OUTPUT},     {"CH_FAULT_I2T_ACC", hss::field18::CH_FAULT_I2T_ACCUMULATING},
    {"SHUTDOWN_RETRY", hss::field18::SHUTDOWN_LATCH}, {"SVBB", hss::field18::SVBB_SETTING},
    {"PIN_DIS_MASK", hss::field18::PIN_DISABLE_MASK}, {"DEC_FACTOR", hss::field18::DECREMENT_FACTOR},
    {"DEC_MODE", hss::field18::DECREMENT_MODE},
};

// A C file that fails to compile when a register number or field of the
// support headers disagrees with the tool's register map, and that uses the
// exported variable the way firmware does.
std::string checkSource(const char* headerName, const char* prefix, hss_device_family_t family,
                        std::span<const MacroRegister> registers, std::span<const MacroField> fields)
{
    std::string text = "#include \"" + std::string(headerName) + "\"\n";
    int n = 0;
    char line[256];
    for (const MacroRegister& r : registers) {
        const auto address = hss::registerAddress(family, r.reg, r.channel);
        EXPECT_TRUE(address.has_value()) << r.macro;
        std::snprintf(line, sizeof line, "typedef char check%d[(%s%s_REG == 0x%02XU) ? 1 : -1];\n", n++, prefix,
                      r.macro, address.value_or(0));
        text += line;
    }
    auto addFields = [&](std::span<const MacroField> list) {
        for (const MacroField& f : list) {
            std::snprintf(line, sizeof line,
                          "typedef char check%d[(%s%s_MASK == 0x%04XU && %s%s_SHIFT == %uU) ? 1 : -1];\n", n++,
                          prefix, f.stem, f.field.mask(), prefix, f.stem, unsigned(f.field.offset));
            text += line;
        }
    };
    addFields(kCommonFields);
    addFields(fields);
    text += "unsigned usedByFirmware(void);\n"
            "unsigned usedByFirmware(void)\n"
            "{\n"
            "    return exportConfig.lpmConfig.reg + exportConfig.i2tConfigCh2.value.word +\n"
            "           ZVR_QDEV_FIELD_GET(exportConfig.pwmCh1Config.value.word, " +
            std::string(prefix) + "PWM_DUTY);\n}\n";
    return text;
}

TEST(CExport, BothFamiliesCompileWithTheSupportHeaders)
{
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    fillSixteen(sixteen);
    fillEighteen(eighteen);
    TempFolder folder;
    for (std::string_view name : kSupportHeaders) {
        const std::string shipped = readBytes("headers/" + std::string(name));
        ASSERT_FALSE(shipped.empty()) << name;
        writeBytes(folder / std::string(name), shipped);
    }
    const CExportText a = sixteenPinExport(sixteen, "cfg16.h");
    const CExportText b = eighteenPinExport(eighteen, "board.cfg18.h");
    writeBytes(folder / "cfg16.h", a.header);
    writeBytes(folder / "cfg16.c", a.source);
    writeBytes(folder / "board.cfg18.h", b.header);
    writeBytes(folder / "board.cfg18.c", b.source);
    writeBytes(folder / "check16.c",
               checkSource("cfg16.h", "ZVR2MXX_", HSS_FAMILY_16PWP, kSixteenPinRegisters, kSixteenPinFields));
    writeBytes(folder / "check18.c", checkSource("board.cfg18.h", "ZVRXQXX_24PWP_K1_", HSS_FAMILY_18PWP,
                                                 kEighteenPinRegisters, kEighteenPinFields));

    EXPECT_EQ(compileC(folder, "cfg16.c"), "");
    EXPECT_EQ(compileC(folder, "board.cfg18.c"), "");
    EXPECT_EQ(compileC(folder, "check16.c", "-pedantic"), "");
    EXPECT_EQ(compileC(folder, "check18.c", "-pedantic"), "");
}

}  // namespace
