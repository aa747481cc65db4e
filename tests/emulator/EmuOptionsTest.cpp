#include <gtest/gtest.h>

#include "emulator/tool/EmuOptions.h"

namespace {

struct GoodLine {
    std::vector<std::string> args;
    std::optional<uint16_t> devid;
    uint16_t firmware;
    bool trace;
    std::string flashFile = {};
};

TEST(EmuOptions, AcceptedCommandLines) {
    const GoodLine lines[] = {
        {{"--socket", "/tmp/a"}, 0xFFF0, 0x20B0, false},
        {{"--socket=/tmp/a", "--trace"}, 0xFFF0, 0x20B0, true},
        {{"--socket", "/tmp/a", "--part", "ZVR2M05A-K1"}, 0xFF00, 0x20B0, false},
        {{"--part=ZVR2M20BF-K1", "--socket", "/tmp/a"}, 0xFFFB, 0x20B0, false},
        {{"--socket", "/tmp/a", "--devid", "0x1234"}, 0x1234, 0x20B0, false},
        {{"--socket", "/tmp/a", "--devid", "ffff"}, 0xFFFF, 0x20B0, false},
        {{"--socket", "/tmp/a", "--no-chip", "--firmware", "0x2101"}, std::nullopt, 0x2101, false},
        {{"--socket", "/tmp/a", "--flash-file", "/tmp/f"}, 0xFFF0, 0x20B0, false, "/tmp/f"},
        {{"--flash-file=/tmp/g", "--socket", "/tmp/a"}, 0xFFF0, 0x20B0, false, "/tmp/g"},
    };
    for (const GoodLine& line : lines) {
        const auto parsed = parseEmuOptions(line.args);
        ASSERT_TRUE(std::holds_alternative<EmuOptions>(parsed)) << line.args[0];
        const auto& options = std::get<EmuOptions>(parsed);
        EXPECT_EQ(options.socketPath, "/tmp/a");
        EXPECT_EQ(options.devid, line.devid);
        EXPECT_EQ(options.firmwareVersion, line.firmware);
        EXPECT_EQ(options.trace, line.trace);
        EXPECT_EQ(options.flashFile, line.flashFile);
    }
    // Asking for the version needs no socket.
    const auto version = parseEmuOptions({"--version"});
    ASSERT_TRUE(std::holds_alternative<EmuOptions>(version));
    EXPECT_TRUE(std::get<EmuOptions>(version).versionRequested);
}

TEST(EmuOptions, RefusedCommandLines) {
    const std::vector<std::vector<std::string>> lines{
        {},
        {"--trace"},
        {"--socket"},
        {"--socket", ""},
        {"--socket", "/tmp/a", "--part", "ZVR9"},
        {"--socket", "/tmp/a", "--part"},
        {"--socket", "/tmp/a", "--devid", "0x12345"},
        {"--socket", "/tmp/a", "--devid", "zz"},
        {"--socket", "/tmp/a", "--devid", "0x12", "--no-chip"},
        {"--socket", "/tmp/a", "--part", "ZVR2M05A-K1", "--devid", "0x12"},
        {"--socket", "/tmp/a", "--firmware", "20B0x"},
        {"--socket", "/tmp/a", "--trace=yes"},
        {"--socket", "/tmp/a", "extra"},
        {"--socket", "/tmp/a", "--verbose"},
        {"--socket", "/tmp/a", "--flash-file"},
        {"--socket", "/tmp/a", "--flash-file="},
    };
    for (const auto& line : lines) {
        const auto parsed = parseEmuOptions(line);
        EXPECT_TRUE(std::holds_alternative<EmuOptionsError>(parsed)) << ::testing::PrintToString(line);
    }
}

TEST(EmuOptions, UsageNamesEveryOption) {
    const std::string usage = emuUsage("velmara-emu");
    for (const char* option : {"--socket", "--part", "--devid", "--no-chip", "--firmware", "--trace", "--flash-file", "--version", "ZVR2M08A-K1",
                               "board get"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

}  // namespace
