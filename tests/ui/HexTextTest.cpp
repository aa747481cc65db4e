#include <gtest/gtest.h>

#include "ui/HexText.h"

TEST(HexText, char2intMapsHexDigitsAndZeroesTheRest)
{
    const std::pair<char, int> cases[] = {{'0', 0}, {'9', 9}, {'A', 10}, {'F', 15}, {'a', 10}, {'f', 15},
                                          {'G', 0}, {'g', 0},  {'x', 0},  {' ', 0},  {'/', 0}, {':', 0}, {'\0', 0}};
    for (const auto& [c, expected] : cases) EXPECT_EQ(char2int(c), expected) << "char " << int(c);
}

TEST(HexText, hex2binPairsCharactersAndIgnoresAnOddLastOne)
{
    EXPECT_EQ(hex2bin("1A"), (std::vector<uint8_t>{0x1A}));
    EXPECT_EQ(hex2bin("BCDE"), (std::vector<uint8_t>{0xBC, 0xDE}));
    EXPECT_EQ(hex2bin("abc"), (std::vector<uint8_t>{0xAB}));
    EXPECT_EQ(hex2bin(""), (std::vector<uint8_t>{}));
    EXPECT_EQ(hex2bin("Z"), (std::vector<uint8_t>{}));
    EXPECT_EQ(hex2bin("zz1g"), (std::vector<uint8_t>{0x00, 0x10}));
}

TEST(HexText, treatHexStringKeepsOnlyHexDigits)
{
    EXPECT_EQ(treatHexString("0x1A"), "01A");
    EXPECT_EQ(treatHexString(" 12_ab-XYZ "), "12ab");
    EXPECT_EQ(treatHexString(""), "");
}

TEST(HexText, CleanDigitsTrimsAndDropsBlanksAndUnderscores)
{
    EXPECT_EQ(CleanDigits(""), "");
    EXPECT_EQ(CleanDigits("  \t12 34_56\n"), "123456");
    EXPECT_EQ(CleanDigits("___"), "");
    EXPECT_EQ(CleanDigits("a\tb"), "a\tb");  // inner tabs stay: the parse then refuses them
}

TEST(HexText, TryParseHexAcceptsPrefixedAndGroupedNumbers)
{
    struct Case {
        const char* text;
        bool ok;
        uint32_t value;
    };
    const Case cases[] = {
        {"FF", true, 0xFF},         {"0x1f", true, 0x1F},         {"0X1F", true, 0x1F},
        {" 1_2 3 ", true, 0x123},   {"FFFFFFFF", true, 0xFFFFFFFF}, {"000000001", true, 1},
        {"1FFFF", true, 0x1FFFF},   {"100000000", false, 0},      {"", false, 0},
        {"0x", false, 0},           {"   ", false, 0},            {"12G", false, 0},
        {"-1", false, 0},           {"0x0x1", false, 0},          {"a\tb", false, 0},
    };
    for (const Case& c : cases) {
        uint32_t value = 0xDEADBEEF;
        EXPECT_EQ(TryParseHex(c.text, value), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : 0xDEADBEEF) << c.text;  // failure leaves the output alone
    }
}

TEST(HexText, ToHexIsUpperCaseWithoutLeadingZeros)
{
    EXPECT_EQ(ToHex(0), "0");
    EXPECT_EQ(ToHex(255), "FF");
    EXPECT_EQ(ToHex(0x0ABC), "ABC");
    EXPECT_EQ(ToHex(0xFFFFFFFF), "FFFFFFFF");
}

TEST(HexText, parseHexDigitsTakesOneToNDigitsAndNothingElse)
{
    struct Case {
        const char* text;
        std::size_t maxDigits;
        std::optional<uint32_t> value;
    };
    const Case cases[] = {
        {"0", 4, 0},          {"FFFF", 4, 0xFFFF},   {"0x12ab", 4, 0x12AB},  {" 0X7 ", 4, 7},
        {"0000", 4, 0},       {"1F", 2, 0x1F},       {"12345", 4, {}},       {"123456", 4, {}},
        {"1FF", 2, {}},       {"-1", 4, {}},         {"+1", 4, {}},          {"zz!", 4, {}},
        {"", 4, {}},          {"0x", 4, {}},         {"   ", 4, {}},         {"12 34", 4, {}},
        {"1_2", 4, {}},       {"0x0x1", 4, {}},      {"12G", 4, {}},         {"FFFFFFFF", 8, 0xFFFFFFFF},
    };
    for (const Case& c : cases) EXPECT_EQ(parseHexDigits(c.text, c.maxDigits), c.value) << c.text;
}
