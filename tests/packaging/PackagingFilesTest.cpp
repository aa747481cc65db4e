// The desktop files name what the code names: the board's USB identity in the
// udev rule and the AppStream modalias, the tool's id and version, the icon
// sizes. Read from the source tree (the tests run in it).

#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "KcVersion.h"
#include "protocol/HSSConstants.h"

namespace {

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string hex4(uint16_t value, bool upper)
{
    char text[5];
    std::snprintf(text, sizeof text, upper ? "%04X" : "%04x", value);
    return text;
}

// The text between the first `open` and the next `close` after it.
// (Not std::regex: GCC 12 warns inside it under the sanitizer builds.)
std::string between(const std::string& text, const std::string& open, const std::string& close)
{
    const auto start = text.find(open);
    if (start == std::string::npos) return "(none)";
    const auto from = start + open.size();
    const auto end = text.find(close, from);
    return end == std::string::npos ? "(none)" : text.substr(from, end - from);
}

const std::string kAppId = kc::kAppId;

}  // namespace

TEST(PackagingFiles, UdevRuleGrantsTheBoardsHidrawNodeBeforeSeatLate)
{
    const std::string name = "70-velmara-board.rules";
    EXPECT_LT(name, std::string("73-seat-late.rules"));  // where the uaccess tag takes effect
    std::istringstream lines(readText("packaging/" + name));
    std::string rule;
    int rules = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        rule = line;
        ++rules;
    }
    ASSERT_EQ(rules, 1);
    EXPECT_EQ(between(rule, "SUBSYSTEM==\"", "\""), "hidraw");
    // sysfs writes the IDs in lower case; udev compares them as text.
    EXPECT_EQ(between(rule, "ATTRS{idVendor}==\"", "\""), hex4(hss::kBoardVendorId, false));
    EXPECT_EQ(between(rule, "ATTRS{idProduct}==\"", "\""), hex4(hss::kBoardProductId, false));
    EXPECT_EQ(between(rule, "TAG+=\"", "\""), "uaccess");
}

TEST(PackagingFiles, DesktopEntryAndMetainfoNameTheTool)
{
    const std::string desktop = readText("packaging/" + kAppId + ".desktop");
    EXPECT_EQ(between(desktop, "\nIcon=", "\n"), kAppId);
    EXPECT_EQ(between(desktop, "\nExec=", "\n"), "keldor-configurator");

    const std::string metainfo = readText("packaging/" + kAppId + ".metainfo.xml");
    EXPECT_EQ(between(metainfo, "<id>", "</id>"), kAppId);
    EXPECT_EQ(between(metainfo, "<launchable type=\"desktop-id\">", "<"), kAppId + ".desktop");
    // Newest release first: it is the version being built.
    EXPECT_EQ(between(metainfo, "<release version=\"", "\""), kc::kVersion);
    EXPECT_EQ(between(metainfo, "<modalias>", "</modalias>"),
              "usb:v" + hex4(hss::kBoardVendorId, true) + "p" + hex4(hss::kBoardProductId, true) + "d*");
}

// The tool links QCustomPlot, which is licensed under the GPL 3.
TEST(PackagingFiles, TheLicenceIsTheGpl3OrLaterEverywhere)
{
    const std::string licence = readText("LICENSE");
    EXPECT_EQ(licence.substr(0, licence.find("\n\n")),
              "                    GNU GENERAL PUBLIC LICENSE\n                       Version 3, 29 June 2007");
    EXPECT_NE(licence.find("END OF TERMS AND CONDITIONS"), std::string::npos);  // the whole text
    const std::string metainfo = readText("packaging/" + kAppId + ".metainfo.xml");
    EXPECT_EQ(between(metainfo, "<project_license>", "</project_license>"), "GPL-3.0-or-later");
    EXPECT_EQ(between(readText("packaging/debian/copyright"), "\nFiles: *\n", "\n\n"),
              "Copyright: 2026 Keldor\nLicense: GPL-3.0-or-later");
    // Newest entry first, as in the AppStream file.
    EXPECT_EQ(between(readText("packaging/debian/changelog"), "keldor-configurator (", ")"), kc::kVersion);
}

TEST(PackagingFiles, IconPngsHaveTheirNominalSizes)
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage image(QString::fromStdString("packaging/icon/keldor-configurator-" + std::to_string(size) + ".png"));
        EXPECT_EQ(image.size(), QSize(size, size)) << size;
    }
}
