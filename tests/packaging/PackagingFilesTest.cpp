// The desktop files name what the code names: the board's USB identity in the
// udev rule and the AppStream modalias, the tool's id and version, the icon
// sizes. Read from the source tree (the tests run in it).

#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>
#include <fstream>
#include <regex>
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

std::string firstMatch(const std::string& text, const std::string& pattern)
{
    std::smatch match;
    return std::regex_search(text, match, std::regex(pattern)) ? match[1].str() : std::string("(none)");
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
    EXPECT_EQ(firstMatch(rule, R"re(SUBSYSTEM=="(\w+)")re"), "hidraw");
    // sysfs writes the IDs in lower case; udev compares them as text.
    EXPECT_EQ(firstMatch(rule, R"re(ATTRS\{idVendor\}=="(\w+)")re"), hex4(hss::kBoardVendorId, false));
    EXPECT_EQ(firstMatch(rule, R"re(ATTRS\{idProduct\}=="(\w+)")re"), hex4(hss::kBoardProductId, false));
    EXPECT_EQ(firstMatch(rule, R"re(TAG\+="(\w+)")re"), "uaccess");
}

TEST(PackagingFiles, DesktopEntryAndMetainfoNameTheTool)
{
    const std::string desktop = readText("packaging/" + kAppId + ".desktop");
    EXPECT_EQ(firstMatch(desktop, R"(\nIcon=(\S+))"), kAppId);
    EXPECT_EQ(firstMatch(desktop, R"(\nExec=(\S+))"), "keldor-configurator");

    const std::string metainfo = readText("packaging/" + kAppId + ".metainfo.xml");
    EXPECT_EQ(firstMatch(metainfo, R"(<id>([^<]+)</id>)"), kAppId);
    EXPECT_EQ(firstMatch(metainfo, R"re(<launchable type="desktop-id">([^<]+)<)re"), kAppId + ".desktop");
    // Newest release first: it is the version being built.
    EXPECT_EQ(firstMatch(metainfo, R"re(<release version="([^"]+)")re"), kc::kVersion);
    EXPECT_EQ(firstMatch(metainfo, R"(<modalias>([^<]+)</modalias>)"),
              "usb:v" + hex4(hss::kBoardVendorId, true) + "p" + hex4(hss::kBoardProductId, true) + "d*");
}

TEST(PackagingFiles, IconPngsHaveTheirNominalSizes)
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage image(QString::fromStdString("packaging/icon/keldor-configurator-" + std::to_string(size) + ".png"));
        EXPECT_EQ(image.size(), QSize(size, size)) << size;
    }
}
