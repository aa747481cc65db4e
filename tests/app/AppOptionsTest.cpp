#include <gtest/gtest.h>

#include "app/AppOptions.h"
#include "app/BoardSetupFactory.h"

namespace {
AppOptionsResult parse(std::vector<std::string> args)
{
    return parseAppOptions(args);
}
}  // namespace

TEST(AppOptions, AcceptedCommandLines)
{
    struct Case {
        std::vector<std::string> args;
        AppOptions::Board board;
        std::string part;
        std::string socket;
        std::string script;
        bool help;
        bool version = false;
    };
    const Case cases[] = {
        {{}, AppOptions::Board::Hardware, "ZVR2M08A-K1", "", "", false},
        {{"--emulate"}, AppOptions::Board::Emulated, "ZVR2M08A-K1", "", "", false},
        {{"--emulate", "ZVR2M05A-K1"}, AppOptions::Board::Emulated, "ZVR2M05A-K1", "", "", false},
        {{"--emulate", "--help"}, AppOptions::Board::Emulated, "ZVR2M08A-K1", "", "", true},
        {{"--board-socket", "/tmp/b.sock"}, AppOptions::Board::Socket, "ZVR2M08A-K1", "/tmp/b.sock", "", false},
        {{"--emulate", "0xFFF2", "--script", "-"}, AppOptions::Board::Emulated, "0xFFF2", "", "-", false},
        {{"--help"}, AppOptions::Board::Hardware, "ZVR2M08A-K1", "", "", true},
        {{"--version"}, AppOptions::Board::Hardware, "ZVR2M08A-K1", "", "", false, true},
        {{"--emulate", "--version"}, AppOptions::Board::Emulated, "ZVR2M08A-K1", "", "", false, true},
    };
    for (const Case& c : cases) {
        const AppOptionsResult result = parse(c.args);
        ASSERT_TRUE(result.options.has_value()) << result.error;
        EXPECT_EQ(result.options->board, c.board);
        EXPECT_EQ(result.options->emulatedPart, c.part);
        EXPECT_EQ(result.options->socketPath, c.socket);
        EXPECT_EQ(result.options->scriptPath, c.script);
        EXPECT_EQ(result.options->showHelp, c.help);
        EXPECT_EQ(result.options->showVersion, c.version);
    }
}

TEST(AppOptions, QtOptionsPassOnWithTheirValues)
{
    using Args = std::vector<std::string>;
    struct Case {
        Args args;
        Args qt;
        std::string part;
    };
    const Case cases[] = {
        {{"-platform", "offscreen"}, {"-platform", "offscreen"}, "ZVR2M08A-K1"},
        {{"--emulate", "-style", "Fusion", "--script", "-"}, {"-style", "Fusion"}, "ZVR2M08A-K1"},
        {{"-geometry", "1200x800+0+0", "--emulate", "ZVR2M05A-K1", "-reverse"},
         {"-geometry", "1200x800+0+0", "-reverse"}, "ZVR2M05A-K1"},
        {{"--platform", "offscreen:fontengine=freetype", "-style=Fusion"},
         {"-platform", "offscreen:fontengine=freetype", "-style=Fusion"}, "ZVR2M08A-K1"},
        {{"-display", ":1", "-qwindowgeometry", "800x600", "-stylesheet=a.qss", "-platformtheme", "gtk3"},
         {"-display", ":1", "-qwindowgeometry", "800x600", "-stylesheet=a.qss", "-platformtheme", "gtk3"},
         "ZVR2M08A-K1"},
    };
    for (const Case& c : cases) {
        const AppOptionsResult result = parse(c.args);
        ASSERT_TRUE(result.options.has_value()) << c.args[0] << ": " << result.error;
        EXPECT_EQ(result.options->qtArguments, c.qt) << c.args[0];
        EXPECT_EQ(result.options->emulatedPart, c.part) << c.args[0];
    }
}

TEST(AppOptions, RefusedCommandLines)
{
    const std::vector<std::string> cases[] = {
        {"--bogus"},
        {"extra"},
        {"--board-socket"},
        {"--board-socket", ""},
        {"--emulate", "--board-socket", "/x"},
        {"--emulate", "A", "B"},
        {"--script"},
        {"-x"},
        {"-platform"},             // Qt option without its value
        {"-style", ""},
        {"-platforms", "offscreen"},
        {"-reverse=1"},
        {"-plugin=evdev"},         // takes its value as the next argument only
    };
    for (const auto& args : cases) {
        const AppOptionsResult result = parse(args);
        EXPECT_FALSE(result.options.has_value()) << args[0];
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(AppOptions, UsageNamesEveryOption)
{
    const std::string usage = appUsageText("keldor-configurator");
    for (const char* option : {"--emulate", "--board-socket", "--help", "--version", "--script"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

TEST(AppOptions, EmulatedPartNames)
{
    EXPECT_EQ(resolveEmulatedPart("ZVR2M08A-K1").devid, std::optional<uint16_t>(0xFFF0));
    EXPECT_EQ(resolveEmulatedPart("zvr2m05b-k1").devid, std::optional<uint16_t>(0xFF01));
    EXPECT_EQ(resolveEmulatedPart("0xFFF2").devid, std::optional<uint16_t>(0xFFF2));
    EXPECT_EQ(resolveEmulatedPart("0x1234").devid, std::optional<uint16_t>(0x1234));
    EXPECT_TRUE(resolveEmulatedPart("none").known);
    EXPECT_FALSE(resolveEmulatedPart("none").devid.has_value());
    for (const char* unknown : {"ZVR9", "0x", "0x12345", "FFF2", ""}) {
        EXPECT_FALSE(resolveEmulatedPart(unknown).known) << unknown;
    }
}
