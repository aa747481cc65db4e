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
    };
    const Case cases[] = {
        {{}, AppOptions::Board::Hardware, "ZVR2M08A-K1", "", "", false},
        {{"--emulate"}, AppOptions::Board::Emulated, "ZVR2M08A-K1", "", "", false},
        {{"--emulate", "ZVR2M05A-K1"}, AppOptions::Board::Emulated, "ZVR2M05A-K1", "", "", false},
        {{"--emulate", "--help"}, AppOptions::Board::Emulated, "ZVR2M08A-K1", "", "", true},
        {{"--board-socket", "/tmp/b.sock"}, AppOptions::Board::Socket, "ZVR2M08A-K1", "/tmp/b.sock", "", false},
        {{"--emulate", "0xFFF2", "--script", "-"}, AppOptions::Board::Emulated, "0xFFF2", "", "-", false},
        {{"--help"}, AppOptions::Board::Hardware, "ZVR2M08A-K1", "", "", true},
    };
    for (const Case& c : cases) {
        const AppOptionsResult result = parse(c.args);
        ASSERT_TRUE(result.options.has_value()) << result.error;
        EXPECT_EQ(result.options->board, c.board);
        EXPECT_EQ(result.options->emulatedPart, c.part);
        EXPECT_EQ(result.options->socketPath, c.socket);
        EXPECT_EQ(result.options->scriptPath, c.script);
        EXPECT_EQ(result.options->showHelp, c.help);
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
    for (const char* option : {"--emulate", "--board-socket", "--help", "--script"}) {
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
