#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "TempFolder.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "files/SettingsFile.h"

using namespace hss::files;

namespace {

struct Family {
    const char* name;
    hss_device_family_t family;
    const char* demoFile;
};

class SettingsFileFamilies : public ::testing::TestWithParam<Family> {};

// Every register of the file, filled with a random word, comes back exactly
// through the text; the other family's record is not touched.
TEST_P(SettingsFileFamilies, SaveThenLoadRestoresEveryListedRegister)
{
    const Family& f = GetParam();
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    ZVRxQxx16PINConfiguration& record = f.family == HSS_FAMILY_18PWP ? eighteen : sixteen;
    std::mt19937 random(f.family);
    for (const SettingsRegister& entry : settingsRegisters(f.family)) {
        record.setRegister(entry.reg, static_cast<uint16_t>(random()), entry.channel);
    }
    const std::optional<std::string> text = settingsFileText(f.family, sixteen, eighteen);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(std::count(text->begin(), text->end(), '\n'), f.family == HSS_FAMILY_18PWP ? 45 : 29);

    const SettingsFileContents contents = readSettingsFile(*text);
    EXPECT_EQ(contents.headerFamily, f.family);
    EXPECT_TRUE(contents.skipped.empty());
    ZVRxQxx16PINConfiguration loadedSixteen;
    ZVRxQxx18PINConfiguration loadedEighteen;
    const SettingsApplied applied = applySettingsRecords(f.family, contents.records, loadedSixteen, loadedEighteen);
    EXPECT_EQ(applied.applied, settingsRegisters(f.family).size());
    EXPECT_EQ(applied.notInFamily, 0u);
    const ZVRxQxx16PINConfiguration& loaded =
        f.family == HSS_FAMILY_18PWP ? static_cast<const ZVRxQxx16PINConfiguration&>(loadedEighteen) : loadedSixteen;
    for (const SettingsRegister& entry : settingsRegisters(f.family)) {
        EXPECT_EQ(loaded.getRegister(entry.reg, entry.channel), record.getRegister(entry.reg, entry.channel))
            << entry.tag;
    }
    const ZVRxQxx16PINConfiguration& other =
        f.family == HSS_FAMILY_18PWP ? loadedSixteen : static_cast<const ZVRxQxx16PINConfiguration&>(loadedEighteen);
    EXPECT_EQ(other.getDevConfig(), 0);
}

// The shipped demo files were written by hand in the file format: loading
// one and saving it again gives the same bytes.
TEST_P(SettingsFileFamilies, HandWrittenDemoFileSavesBackByteForByte)
{
    const Family& f = GetParam();
    const std::string bytes = readBytes(std::string("demo/") + f.demoFile);
    ASSERT_FALSE(bytes.empty()) << f.demoFile;
    const SettingsFileContents contents = readSettingsFile(bytes);
    ASSERT_EQ(contents.headerFamily, f.family);
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    applySettingsRecords(f.family, contents.records, sixteen, eighteen);
    EXPECT_EQ(settingsFileText(f.family, sixteen, eighteen), bytes);
}

INSTANTIATE_TEST_SUITE_P(Families, SettingsFileFamilies,
                         ::testing::Values(Family{"SixteenPin", HSS_FAMILY_16PWP, "demoModeValues16.txt"},
                                           Family{"EighteenPin", HSS_FAMILY_18PWP, "demoModeValues18.txt"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(SettingsFile, NoFamilyWritesNothing)
{
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    EXPECT_FALSE(settingsFileText(HSS_FAMILY_NONE, sixteen, eighteen).has_value());
    const SettingsRecord record{5, 1};
    EXPECT_EQ(applySettingsRecords(HSS_FAMILY_NONE, {&record, 1}, sixteen, eighteen).applied, 0u);
    EXPECT_EQ(sixteen.getDeviceFaultMask(), 0);
}

using P = SettingsLineProblem;

struct ReadCase {
    const char* name;
    std::string bytes;
    hss_device_family_t header;
    std::vector<SettingsRecord> records;
    std::vector<SkippedSettingsLine> skipped;
};

// Every line that is not a comment or blank is either a record or listed as
// skipped with its line number; nothing out of range is cut to fit.
TEST(SettingsFile, ReaderCases)
{
    const std::string h16 = "ZVRQCONFIGURATOR_16PWP";
    const std::string h18 = "ZVRQCONFIGURATOR_18PWP";
    const ReadCase cases[] = {
        {"CR LF", h16 + "\r\n/* ZVR2M08_LPM */\r\n3,120\r\n5,7\r\n", HSS_FAMILY_16PWP, {{3, 120, 3}, {5, 7, 4}}, {}},
        {"LF", h18 + "\n/* x */\n2,240\n4,1\n", HSS_FAMILY_18PWP, {{2, 240, 3}, {4, 1, 4}}, {}},
        {"CR", h16 + "\r3,120\r5,7", HSS_FAMILY_16PWP, {{3, 120, 2}, {5, 7, 3}}, {}},
        {"mixed ends, no final end", h16 + "\r\n3,1\n5,2\r9,3", HSS_FAMILY_16PWP, {{3, 1, 2}, {5, 2, 3}, {9, 3, 4}}, {}},
        {"blanks, signs, leading zeros", h16 + "\r\n 5 , +65535 \r\n+9,\t007\t\r\n-0,0\r\n", HSS_FAMILY_16PWP,
         {{5, 65535, 2}, {9, 7, 3}, {0, 0, 4}}, {}},
        {"out of range is skipped, not cut", h16 + "\r\n5,65536\r\n5,99999999999999999999\r\n5,-1\r\n265,1\r\n-5,1\r\n9,70000\r\n",
         HSS_FAMILY_16PWP, {},
         {{2, P::ValueOutOfRange, "65536"}, {3, P::ValueOutOfRange, "99999999999999999999"},
          {4, P::ValueOutOfRange, "-1"}, {5, P::AddressOutOfRange, "265"}, {6, P::AddressOutOfRange, "-5"},
          {7, P::ValueOutOfRange, "70000"}}},
        {"not decimal", h16 + "\r\n5,0x10\r\nfive,1\r\n5,\r\n5,1.5\r\n5,- 5\r\n7,1\r\n", HSS_FAMILY_16PWP, {{7, 1, 7}},
         {{2, P::ValueNotDecimal, "0x10"}, {3, P::AddressNotDecimal, "five"}, {4, P::ValueNotDecimal, ""},
          {5, P::ValueNotDecimal, "1.5"}, {6, P::ValueNotDecimal, "- 5"}}},
        {"not exactly one comma", h16 + "\r\n5\r\n5,1,2\r\n5;1\r\n7,1\r\n", HSS_FAMILY_16PWP, {{7, 1, 5}},
         {{2, P::NotARecord, "5"}, {3, P::NotARecord, "5,1,2"}, {4, P::NotARecord, "5;1"}}},
        {"not a register of the header's family", h16 + "\r\n1,1\r\n4,1\r\n80,1\r\n0,65520\r\n", HSS_FAMILY_16PWP,
         {{0, 65520, 5}}, {{2, P::NotInFile, "1"}, {3, P::NotInFile, "4"}, {4, P::NotInFile, "80"}}},
        {"18-pin user registers", h18 + "\r\n80,9\r\n87,48879\r\n5,1\r\n", HSS_FAMILY_18PWP, {{80, 9, 2}, {87, 48879, 3}},
         {{4, P::NotInFile, "5"}}},
        {"ends after the header", h16 + "\r\n", HSS_FAMILY_16PWP, {}, {}},
        {"header without line end", h18, HSS_FAMILY_18PWP, {}, {}},
        {"comments anywhere, blank lines", h16 + "\r\n\r\n  \r\n5,1 /* note */\r\n/*\r\n7,2\r\n", HSS_FAMILY_16PWP,
         {{7, 2, 6}}, {}},
        {"byte-order mark", "\xEF\xBB\xBF" + h16 + "\r\n5,1\r\n", HSS_FAMILY_16PWP, {{5, 1, 2}}, {}},
        {"binary and long parts are quoted short and printable", h16 + "\r\n" + std::string("5,\0" "1\r\n", 6) +
         "5," + std::string(40, '9') + "x\r\n", HSS_FAMILY_16PWP, {},
         {{2, P::ValueNotDecimal, "?1"}, {3, P::ValueNotDecimal, std::string(24, '9') + "..."}}},
        {"trailing blank in the header", h16 + " \r\n5,1\r\n", HSS_FAMILY_NONE, {}, {}},
        {"leading blank in the header", " " + h16 + "\r\n5,1\r\n", HSS_FAMILY_NONE, {}, {}},
        {"lower-case header", "zvrqconfigurator_16pwp\r\n5,1\r\n", HSS_FAMILY_NONE, {}, {}},
        {"records before the header", "5,1\r\n" + h16 + "\r\n", HSS_FAMILY_NONE, {}, {}},
        {"empty file", "", HSS_FAMILY_NONE, {}, {}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsFileContents contents = readSettingsFile(c.bytes);
        EXPECT_EQ(contents.headerFamily, c.header);
        EXPECT_EQ(contents.records, c.records);
        EXPECT_EQ(contents.skipped, c.skipped);
    }
}

TEST(SettingsFile, SkippedLinesAreDescribedForTheLog)
{
    const std::pair<SkippedSettingsLine, const char*> cases[] = {
        {{4, P::NotARecord, "5;1"}, "line 4: \"5;1\" is not an address,value record"},
        {{5, P::AddressNotDecimal, "five"}, "line 5: the address \"five\" is not a decimal number"},
        {{6, P::ValueNotDecimal, ""}, "line 6: the value \"\" is not a decimal number"},
        {{7, P::AddressOutOfRange, "300"}, "line 7: the address 300 is not in 0-255"},
        {{8, P::ValueOutOfRange, "70000"}, "line 8: the value 70000 is not in 0-65535"},
        {{9, P::NotInFile, "1"}, "line 9: no register of this family's settings is at address 1"},
    };
    for (const auto& [skipped, text] : cases) EXPECT_EQ(describeSkippedLine(skipped), text);
}

// Records apply by the active family's address column, in order.
TEST(SettingsFile, ApplyByTheActiveFamilysColumnLaterRecordsWin)
{
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    const std::vector<SettingsRecord> records{{30, 7}, {5, 1}, {0, 65520}, {30, 8}, {1, 1}, {4, 3}, {80, 9}, {14, 2}};
    const SettingsApplied applied = applySettingsRecords(HSS_FAMILY_16PWP, records, sixteen, eighteen);
    EXPECT_EQ(applied.applied, 5u);
    EXPECT_EQ(applied.notInFamily, 3u);  // CRC_CONFIG (1) and DEV_FAULT (4) are not in the file; 80 is 18-pin
    EXPECT_EQ(sixteen.getI2TConfig(1), 8);
    EXPECT_EQ(sixteen.getDeviceFaultMask(), 1);
    EXPECT_EQ(sixteen.getDevID(), 0xFFF0);
    EXPECT_EQ(sixteen.getPWMConfig(0), 2);
    EXPECT_EQ(sixteen.getCRCConfig(), 0);
    EXPECT_EQ(sixteen.getDevFault(), 0);
    EXPECT_EQ(eighteen.getADCCal(0), 0);

    const std::vector<SettingsRecord> eighteenRecords{{4, 3}, {80, 9}, {87, 0xBEEF}, {13, 5}, {5, 1}, {1, 1}};
    const SettingsApplied eighteenApplied =
        applySettingsRecords(HSS_FAMILY_18PWP, eighteenRecords, sixteen, eighteen);
    EXPECT_EQ(eighteenApplied.applied, 4u);
    EXPECT_EQ(eighteen.getDeviceFaultMask(), 3);
    EXPECT_EQ(eighteen.getADCCal(0), 9);
    EXPECT_EQ(eighteen.getUserReg57(), 0xBEEF);
    EXPECT_EQ(eighteen.getPWMConfig(0), 5);
    EXPECT_EQ(eighteen.getABISTResult(), 0);  // 5 is ABIST_RESULT: not in the file
    EXPECT_EQ(eighteen.getSleepReg(), 0);     // 1 is SLEEP: not in the file
    EXPECT_EQ(sixteen.getDeviceFaultMask(), 1);
}

}  // namespace
