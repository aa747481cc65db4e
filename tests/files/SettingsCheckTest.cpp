// The checks a settings file passes before anything of it reaches a chip,
// and the C export's files on disk.

#include <gtest/gtest.h>

#include "device/ZVRxQxx16PINConfiguration.h"
#include "device/ZVRxQxx18PINConfiguration.h"
#include "files/CExport.h"
#include "files/CExportFiles.h"
#include "files/SettingsCheck.h"
#include "files/TempFolder.h"

using namespace hss::files;

TEST(SettingsCheck, OutcomesForTheFamilyInUse)
{
    struct Case {
        const char* what;
        std::string bytes;
        hss_device_family_t family;
        SettingsCheckOutcome outcome;
        std::size_t settings;  // records left once DEVID is dropped
        const char* message;   // part of describeCheckFailure ("" : none)
    };
    const std::string header16 = "ZVRQCONFIGURATOR_16PWP\r\n";
    const Case cases[] = {
        {"usable", header16 + "/* X */\r\n14,7\r\n7,1\r\n", HSS_FAMILY_16PWP, SettingsCheckOutcome::Usable, 2, ""},
        {"DEVID is no setting", header16 + "0,65520\r\n14,7\r\n", HSS_FAMILY_16PWP, SettingsCheckOutcome::Usable, 1, ""},
        {"only DEVID", header16 + "0,65520\r\n", HSS_FAMILY_16PWP, SettingsCheckOutcome::NothingUsable, 0,
         "holds no address,value record for a register of the 16-pin family (16PWP)."},
        {"header only", header16, HSS_FAMILY_16PWP, SettingsCheckOutcome::Usable, 0, ""},
        {"another format", "hello\r\n14,7\r\n", HSS_FAMILY_16PWP, SettingsCheckOutcome::WrongFormat, 0,
         "is not a settings file"},
        {"empty", "", HSS_FAMILY_NONE, SettingsCheckOutcome::WrongFormat, 0, "is not a settings file"},
        {"the other family", "ZVRQCONFIGURATOR_18PWP\r\n13,7\r\n", HSS_FAMILY_16PWP, SettingsCheckOutcome::OtherFamily, 0,
         "holds settings of the 18-pin family (18PWP), but the part in use is of the 16-pin family (16PWP)."},
        {"any family without a part", "ZVRQCONFIGURATOR_18PWP\r\n13,7\r\n", HSS_FAMILY_NONE,
         SettingsCheckOutcome::Usable, 1, ""},
        {"nothing in range", header16 + "14,70000\r\n300,1\r\n", HSS_FAMILY_16PWP, SettingsCheckOutcome::NothingUsable, 0,
         "holds no address,value record"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const CheckedSettings checked = checkSettingsBytes(test.bytes, test.family);
        EXPECT_EQ(checked.outcome, test.outcome);
        EXPECT_EQ(checked.settings.size(), test.settings);
        const std::string message = describeCheckFailure(checked, "f.txt", test.family);
        if (*test.message == '\0') {
            EXPECT_EQ(message, "");
        } else {
            EXPECT_NE(message.find(test.message), std::string::npos) << message;
            EXPECT_EQ(message.rfind("f.txt ", 0), 0u) << message;
        }
    }
    EXPECT_TRUE(checkSettingsBytes(header16, HSS_FAMILY_16PWP).headerOnly());

    TempFolder folder;
    const CheckedSettings missing = readCheckedSettings(folder / "none.txt", HSS_FAMILY_16PWP);
    EXPECT_EQ(missing.outcome, SettingsCheckOutcome::Unreadable);
    EXPECT_NE(describeCheckFailure(missing, "none.txt", HSS_FAMILY_16PWP).find("could not be read: "), std::string::npos);
    EXPECT_EQ(readCheckedSettings(folder.path(), HSS_FAMILY_16PWP).outcome, SettingsCheckOutcome::Unreadable);
}

TEST(CExportFiles, WritesBothFilesAndTheSupportHeadersOrSaysWhyNot)
{
    TempFolder folder;
    std::filesystem::create_directories(folder / "shipped/headers");
    for (std::string_view name : kSupportHeaders) {
        std::ofstream(folder / "shipped/headers" / std::string(name)) << "/* " << name << " */\n";
    }
    ZVRxQxx16PINConfiguration sixteen;
    ZVRxQxx18PINConfiguration eighteen;
    const auto shipped = shippedFileFolders(folder / "nowhere", folder / "shipped");
    const ShippedFileFinder find = [&](const std::string& relative) { return findShippedFile(shipped, relative); };

    const CExportWritten done = writeCExportFiles(folder / "out" / "cfg.c", HSS_FAMILY_16PWP, sixteen, eighteen, find);
    EXPECT_EQ(done.problem, CExportWritten::Problem::WriteFailed);  // no folder "out"
    EXPECT_EQ(done.failedPath, folder / "out" / "cfg.h");

    const CExportWritten written = writeCExportFiles(folder / "cfg.c", HSS_FAMILY_16PWP, sixteen, eighteen, find);
    ASSERT_TRUE(written.ok()) << written.reason;
    EXPECT_EQ(written.header, folder / "cfg.h");
    EXPECT_NE(readBytes(folder / "cfg.c").find("#include \"cfg.h\""), std::string::npos);
    EXPECT_EQ(readBytes(folder / "zvr_qdev.h"), "/* zvr_qdev.h */\n");
    EXPECT_TRUE(written.notCopied.empty());

    const CExportWritten bare = writeCExportFiles(folder / "b.h", HSS_FAMILY_18PWP, sixteen, eighteen,
                                                  [](const std::string&) { return std::nullopt; });
    ASSERT_TRUE(bare.ok());
    EXPECT_EQ(bare.notCopied.size(), kSupportHeaders.size());
    EXPECT_EQ(writeCExportFiles(folder / ".h", HSS_FAMILY_16PWP, sixteen, eighteen, find).problem,
              CExportWritten::Problem::NoName);
    EXPECT_EQ(writeCExportFiles(folder / "zvr2mxx.h", HSS_FAMILY_16PWP, sixteen, eighteen, find).problem,
              CExportWritten::Problem::SupportHeaderName);
}
