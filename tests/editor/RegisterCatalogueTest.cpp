// The register catalogue against the chip's register map, field texts
// against the option tables, and the field comparison of two images.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "device/ZVRxQxx18PINConfiguration.h"
#include "editor/registers/RegisterComparison.h"
#include "editor/registers/RegisterReadout.h"

namespace {

using namespace hss::regmap;

std::vector<std::string> listing(hss_device_family_t family)
{
    std::vector<std::string> rows;
    for (const RegisterInfo& info : registerCatalogue(family)) rows.push_back(hexByte(info.address) + " " + info.name);
    return rows;
}

TEST(RegisterCatalogue, ListsEveryReadableRegisterOfEachFamilyAtItsAddress)
{
    EXPECT_EQ(listing(HSS_FAMILY_16PWP),
              (std::vector<std::string>{
                  "0x00 DEVID", "0x01 CRC_CONFIG", "0x02 SLEEP", "0x03 LPM", "0x04 DEV_FAULT", "0x05 FAULT_MASK",
                  "0x06 ABIST_RESULT", "0x07 SW_STATE", "0x08 SAFETY_TEST", "0x09 DEV_CONFIG", "0x0A ADC_CONFIG",
                  "0x0D CH1_FAULT", "0x0E PWM_CH1", "0x0F ILIM_CONFIG_CH1", "0x10 CH1_CONFIG", "0x15 I2T_CONFIG_CH1",
                  "0x16 CH2_FAULT", "0x17 PWM_CH2", "0x18 ILIM_CONFIG_CH2", "0x19 CH2_CONFIG",
                  "0x1E I2T_CONFIG_CH2"}));
    EXPECT_EQ(listing(HSS_FAMILY_18PWP),
              (std::vector<std::string>{
                  "0x00 DEVID", "0x01 SLEEP", "0x02 LPM", "0x03 DEV_FAULT", "0x04 FAULT_MASK", "0x05 ABIST_RESULT",
                  "0x06 SW_STATE", "0x08 DEV_CONFIG", "0x09 ADC_CONFIG", "0x0C CH1_FAULT", "0x0D PWM_CH1",
                  "0x0E ILIM_CONFIG_CH1", "0x0F CH1_CONFIG", "0x14 I2T_CONFIG_CH1", "0x15 CH2_FAULT", "0x16 PWM_CH2",
                  "0x17 ILIM_CONFIG_CH2", "0x18 CH2_CONFIG", "0x1D I2T_CONFIG_CH2", "0x50 TSNS_CAL_RESULT_CH1_REG",
                  "0x51 TSNS_CAL_RESULT_CH2_REG", "0x52 CUST_REG_52_REG", "0x53 CUST_REG_53_REG",
                  "0x54 CUST_REG_54_REG", "0x55 CUST_REG_55_REG", "0x56 CUST_REG_56_REG", "0x57 CUST_REG_57_REG"}));
    EXPECT_TRUE(registerCatalogue(HSS_FAMILY_NONE).empty());

    // Fields never overlap, and the ones the register map names are there.
    for (hss_device_family_t family : {HSS_FAMILY_16PWP, HSS_FAMILY_18PWP}) {
        for (const RegisterInfo& info : registerCatalogue(family)) {
            uint16_t seen = 0;
            for (const FieldInfo& field : info.fields) {
                EXPECT_EQ(seen & field.field.mask(), 0) << info.name << " " << field.caption;
                seen |= field.field.mask();
                EXPECT_FALSE(field.caption.empty()) << info.name;
                if (field.kind == FieldKind::Choice) {
                    EXPECT_FALSE(field.listControl.empty()) << info.name << " " << field.caption;
                }
            }
            EXPECT_FALSE(info.fields.empty()) << info.name;
        }
    }
    const RegisterInfo* i2t = findRegister(HSS_FAMILY_18PWP, 0x1D);
    ASSERT_NE(i2t, nullptr);
    EXPECT_EQ(i2t->channel, 1);
    ASSERT_NE(i2t->fieldAt(13), nullptr);
    EXPECT_EQ(i2t->fieldAt(13)->caption, "Decrementer");
    EXPECT_EQ(findRegister(HSS_FAMILY_16PWP, 0x04)->access, RegisterAccess::ReadOnly);
    EXPECT_EQ(findRegister(HSS_FAMILY_16PWP, 0x05)->fieldAt(6)->caption, "Current Limit");
    EXPECT_EQ(findRegister(HSS_FAMILY_16PWP, 0x0D)->fieldAt(7)->caption, "I2T Fault (CH1)");
    EXPECT_EQ(findRegister(HSS_FAMILY_16PWP, 0x16)->fieldAt(7)->caption, "I2T Fault (CH2)");
    EXPECT_EQ(findRegister(HSS_FAMILY_16PWP, 0x07)->fieldAt(1)->channel, 1);
}

struct TextCase {
    hss_device_family_t family;
    uint16_t devId;
    std::optional<double> ohms;
    uint8_t address;
    uint16_t word;
    uint8_t bit;  // a bit of the field
    RegisterImage others;  // the rest of the image
    std::string expected;
};

TEST(FieldText, NamesValuesAsTheOptionListsDo)
{
    const hss_device_family_t P16 = HSS_FAMILY_16PWP;
    const hss_device_family_t P18 = HSS_FAMILY_18PWP;
    const std::vector<TextCase> cases{
        // PWM duty index 7: (7+1)*100/256 = 3.125 -> "3.13%"; frequency index 3.
        {P16, 0xFFF0, {}, 0x0E, 7 << 1, 1, {}, "3.13%"},
        {P16, 0xFFF0, {}, 0x0E, 3 << 9, 9, {}, "111Hz"},
        {P16, 0xFFF0, {}, 0x0E, 1, 0, {}, "On"},
        // Hardware limit and inrush level of the ZVR2M08 tables; the charge
        // level list once capacitive charging (bit 13) is on.
        {P16, 0xFFF0, {}, 0x0F, 2, 0, {}, "15"},
        {P16, 0xFFF0, {}, 0x0F, 1 << 4, 4, {}, "12.5"},
        {P16, 0xFFF0, {}, 0x0F, (1 << 13) | (1 << 4), 4, {}, "2.0"},
        {P16, 0xFFF0, {}, 0x0F, 15, 0, {}, "unlisted (15)"},
        // Before a part is known: the lists' first items.
        {P16, 0x0000, {}, 0x0F, (1 << 13) | (1 << 4), 4, {}, "2.5A"},
        // Nominal current 4.0 A at 700 ohm scales to 4.0 * 700 / 350 = 8 A.
        {P16, 0xFFF0, 350.0, 0x15, 0, 0, {}, "8"},
        {P16, 0xFFF0, {}, 0x15, 0, 0, {}, "4.0"},
        // Trip 26.3 A2s at 700 ohm is 26.3 * 700 / 1400 = 13.15 A2s at 1400 ohm.
        {P16, 0xFFF0, 1400.0, 0x1E, 2 << 3, 3, {}, "13.15"},
        // 18-pin trip table: the decrementer table unless bit 13 is set.
        {P18, 0xFF04, {}, 0x14, 2 << 3, 3, {}, "26.3"},
        {P18, 0xFF04, {}, 0x14, (2 << 3) | (1 << 13), 3, {}, "60.1"},
        {P18, 0xFF04, {}, 0x1D, (2 << 3) | (1 << 13), 3, {}, "60.1"},
        // LPM threshold of channel 1 (bits 4-5) follows the FET (bit 1).
        {P18, 0xFF04, {}, 0x02, 1 << 4, 4, {}, "700mA"},
        {P18, 0xFF04, {}, 0x02, (1 << 4) | (1 << 1), 4, {}, "3.25A"},
        {P18, 0xFF04, {}, 0x02, 1 << 1, 1, {}, "Large FET"},
        // Shutdown behaviour: the bit means the opposite on the two families.
        {P16, 0xFFF0, {}, 0x10, 0, 2, {}, "Auto-Retry"},
        {P18, 0xFF04, {}, 0x0F, 0, 2, {}, "Latch"},
        // Inverted enables: a cleared bit is on.
        {P16, 0xFFF0, {}, 0x0A, 0, 0, {}, "On"},
        {P16, 0xFFF0, {}, 0x0A, 1, 0, {}, "Off"},
        {P18, 0xFF04, {}, 0x52, 0x1A2B, 0, {}, "0x1A2B"},
        {P16, 0xFFF0, {}, 0x16, 1 << 7, 7, {}, "Set"},
    };
    for (const TextCase& c : cases) {
        const RegisterInfo* info = findRegister(c.family, c.address);
        ASSERT_NE(info, nullptr) << int(c.address);
        const FieldInfo* field = info->fieldAt(c.bit);
        ASSERT_NE(field, nullptr) << info->name << " bit " << int(c.bit);
        RegisterImage image = c.others;
        image[c.address] = c.word;
        EXPECT_EQ(fieldValueText(c.family, *field, c.word, image, {c.devId, c.ohms}), c.expected)
            << info->name << " " << field->caption;
    }
}

TEST(RegisterComparison, MarksExactlyTheFieldsThatDiffer)
{
    ZVRxQxx18PINConfiguration chip;
    chip.setPWMConfig((3 << 9) | (7 << 1) | 1, 0);
    chip.setI2TConfig(2 << 3, 1);
    chip.setUserReg52(0x1234);
    chip.setDevFault(0x0100);
    const RegisterImage chipImage = imageFromRecord(HSS_FAMILY_18PWP, chip);
    EXPECT_EQ(chipImage.at(0x0D), (3 << 9) | (7 << 1) | 1);
    EXPECT_EQ(chipImage.at(0x52), 0x1234);

    RegisterImage file = chipImage;
    file[0x0D] = (5 << 9) | (7 << 1) | 1;  // frequency 3 -> 5
    file[0x1D] = (2 << 3) | (1 << 13);     // decrementer on: text from the plain table
    file[0x03] = 0;                        // a fault register: not a setting
    file[0x52] = 0x1234 | 0x8000;
    file.erase(0x53);

    const TextContext context{0xFF04, {}};
    const ImageComparison result = compareImages(HSS_FAMILY_18PWP, chipImage, file, context);
    ASSERT_EQ(result.registers.size(), 3u);
    EXPECT_EQ(result.fieldCount(), 3u);
    EXPECT_EQ(result.registers[0].reg->name, "PWM_CH1");
    ASSERT_EQ(result.registers[0].fields.size(), 1u);
    EXPECT_EQ(result.registers[0].fields[0].caption, "PWM Frequency");
    EXPECT_EQ(result.registers[0].fields[0].leftText, "111Hz");
    EXPECT_EQ(result.registers[0].fields[0].rightText, "443Hz");
    EXPECT_EQ(result.registers[1].fields[0].caption, "Decrementer");
    EXPECT_EQ(result.registers[2].fields[0].leftText, "0x1234");
    EXPECT_EQ(result.registers[2].fields[0].rightText, "0x9234");

    // A register the left image lacks is a difference of its own; read-only
    // registers count when asked for.
    RegisterImage partial = chipImage;
    partial.erase(0x0D);
    const ImageComparison missing = compareImages(HSS_FAMILY_18PWP, partial, chipImage, context);
    ASSERT_EQ(missing.registers.size(), 1u);
    EXPECT_FALSE(missing.registers[0].left.has_value());
    EXPECT_EQ(describeDifferences(missing, "chip", "file"),
              std::vector<std::string>{"0x0D PWM_CH1  missing in chip"});
    const ImageComparison faults = compareImages(HSS_FAMILY_18PWP, chipImage, file, context,
                                                 {CompareScope::RightImage, true, false});
    EXPECT_EQ(faults.registers.size(), 4u);

    // Bits no field decodes are compared too.
    RegisterImage undecoded = chipImage;
    undecoded[0x0D] = chipImage.at(0x0D) | 0x8000;
    const ImageComparison hidden = compareImages(HSS_FAMILY_18PWP, chipImage, undecoded, context);
    ASSERT_EQ(hidden.registers.size(), 1u);
    EXPECT_EQ(describeDifferences(hidden, "chip", "file"),
              std::vector<std::string>{"0x0D PWM_CH1  Undecoded bits: chip 0x0000 (0), file 0x8000 (32768)"});
    EXPECT_TRUE(compareImages(HSS_FAMILY_18PWP, chipImage, chipImage, context).identical());
}

}  // namespace

namespace {

TEST(RegisterReadout, ReadsAnImageOutAsTextAndCsvWithAFieldPerRow)
{
    using namespace hss::regmap;
    const RegisterImage image{{0x0E, (3 << 9) | (7 << 1) | 1}, {0x07, 0x0002}};
    const std::vector<RegisterReadout> readout = readRegisters(HSS_FAMILY_16PWP, image, {0xFFF0, {}});
    ASSERT_EQ(readout.size(), registerCatalogue(HSS_FAMILY_16PWP).size());
    const RegisterReadout& pwm = readout[12];
    ASSERT_EQ(pwm.reg->name, "PWM_CH1");
    ASSERT_EQ(pwm.fields.size(), 3u);
    EXPECT_EQ(pwm.fields[1].bits, "8:1");
    EXPECT_EQ(pwm.fields[1].text, "3.13%");
    EXPECT_FALSE(readout[0].value.has_value());  // DEVID: not in the image
    EXPECT_TRUE(readout[0].fields.empty());

    // The channels' fields of a shared register say which channel they are.
    const RegisterReadout& switches = readout[7];
    ASSERT_EQ(switches.fields.size(), 2u);
    EXPECT_EQ(switches.fields[0].field->caption, "Channel Enable (CH1)");
    EXPECT_EQ(switches.fields[1].field->caption, "Channel Enable (CH2)");
    EXPECT_EQ(switches.fields[1].text, "On");

    const ReadTimes times{{0x0E, "12:04:31"}};
    const std::string csv = readoutCsv(readout, times);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "Address,Register,Value,Last Read,Bits,Field,Raw,Meaning");
    for (const std::string& line : {std::string("\r\n0x00,DEVID,,,,,,\r\n"),
                                    std::string("\r\n0x0E,PWM_CH1,0x060F,12:04:31,,,,\r\n"
                                                "0x0E,PWM_CH1,,,0,PWM Enable,1,On\r\n"
                                                "0x0E,PWM_CH1,,,8:1,PWM Duty Cycle,7,3.13%\r\n"
                                                "0x0E,PWM_CH1,,,11:9,PWM Frequency,3,111Hz\r\n")}) {
        EXPECT_NE(csv.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(csv.find('\n', 0) - 1, csv.find('\r'));  // CR LF line ends

    const std::string text = readoutText(readout, times);
    EXPECT_NE(text.find("0x0E  PWM_CH1"), std::string::npos);
    EXPECT_NE(text.find("0x060F  read 12:04:31\n"), std::string::npos);
    EXPECT_NE(text.find("not read"), std::string::npos);
    EXPECT_NE(text.find("3.13%\n"), std::string::npos);
}

}  // namespace
