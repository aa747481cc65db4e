#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "measure/ADCConversion.h"
#include "measure/NumberText.h"

namespace {

using namespace hss::measure;

TEST(ADCConversion, EveryFormatRoundsUpToTheNextHundredth)
{
    struct Case {
        uint16_t code;
        uint8_t format;
        float ksns;
        double rsns;
        float expected;
    };
    const Case cases[] = {
        {512, ADC_LOAD_CURRENT, 1000.0f, 698.0, 2.01f},  // 2.0077 before rounding
        {0, ADC_LOAD_CURRENT, 1000.0f, 698.0, 0.0f},
        {512, ADC_LOAD_CURRENT, 1500.0f, 698.0, 3.02f},
        {1023, ADC_OUTPUT_VOLTAGE, 0.0f, 698.0, 30.05f},
        {0, ADC_VDS_VOLTAGE, 0.0f, 698.0, -0.08f},
        {24, ADC_VDS_VOLTAGE, 0.0f, 698.0, 0.0f},
        {0, ADC_JUNCTION_TEMPERATURE, 0.0f, 698.0, 381.37f},
        {1023, ADC_JUNCTION_TEMPERATURE, 0.0f, 698.0, -387.48f},  // towards plus infinity
        {452, ADC_SUPPLY_VOLTAGE, 0.0f, 698.0, 13.5f},
        {512, 5, 1000.0f, 698.0, 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(convertRawADCValue(c.code, c.format, c.ksns, c.rsns), c.expected)
            << "code " << c.code << " format " << int{c.format};
    // Just below 24 the VDS rounds up to zero, further below it is negative.
    EXPECT_EQ(convertRawADCValue(23, ADC_VDS_VOLTAGE, 0.0f, 698.0), 0.0f);
    EXPECT_LT(convertRawADCValue(20, ADC_VDS_VOLTAGE, 0.0f, 698.0), 0.0f);
}

TEST(ADCConversion, HundredthsGoThroughSinglePrecision)
{
    // 200.0000001 narrows to 200.0f before rounding: no extra hundredth.
    EXPECT_FLOAT_EQ(roundUpToHundredth(2.000000001), 2.0f);
    EXPECT_FLOAT_EQ(roundUpToHundredth(1.005), 1.01f);
    EXPECT_FLOAT_EQ(roundUpToHundredth(-0.0834), -0.08f);
    EXPECT_FLOAT_EQ(truncateToHundredth(39.0999984741), 39.09f);
    EXPECT_FLOAT_EQ(truncateToHundredth(-0.001), -0.01f);
}

TEST(ADCConversion, AverageIsSummedInDouble)
{
    EXPECT_FLOAT_EQ(generateAverage(std::array<float, 4>{1.0f, 2.0f, 3.0f, 4.0f}), 2.5f);
    EXPECT_EQ(generateAverage({}), 0.0f);
    // A float running sum would lose the small values next to the large one.
    const std::array<float, 3> mixed{16777216.0f, 1.0f, 1.0f};
    EXPECT_FLOAT_EQ(generateAverage(mixed), static_cast<float>((16777216.0 + 2.0) / 3.0));
}

TEST(NumberText, ParsesAndPrintsTheSameOnEveryLocale)
{
    using hss::text::parseDecimal;
    using hss::text::parseInteger;
    const std::pair<const char*, std::optional<double>> decimals[] = {
        {"4.0", 4.0},       {" 13.3 ", 13.3},   {"+0.5", 0.5},         {".25", 0.25},
        {"", std::nullopt}, {"4,0", std::nullopt}, {"12A", std::nullopt}, {"inf", std::nullopt},
        {"nan", std::nullopt}, {"+-1", std::nullopt},
    };
    for (const auto& [text, expected] : decimals)
        EXPECT_EQ(parseDecimal(text), expected) << '"' << text << '"';
    const std::pair<const char*, std::optional<int>> integers[] = {
        {" 7 ", 7}, {"+5", 5}, {"-3", -3}, {"1.5", std::nullopt}, {"", std::nullopt}, {"99999999999", std::nullopt},
    };
    for (const auto& [text, expected] : integers)
        EXPECT_EQ(parseInteger(text), expected) << '"' << text << '"';

    EXPECT_EQ(hss::text::shortestDecimal(350.0), "350");
    EXPECT_EQ(hss::text::shortestDecimal(4.0093), "4.0093");
    EXPECT_EQ(hss::text::shortestDecimal(39.09f), "39.09");
    EXPECT_EQ(hss::text::shortestDecimal(0.0001), "0.0001");
    EXPECT_EQ(hss::text::shortestDecimal(1e-9), "1e-09");
    EXPECT_EQ(hss::text::generalSevenDigits(0.35f * 1000.0f), "350");
    EXPECT_EQ(hss::text::generalSevenDigits(2.01f), "2.01");
    EXPECT_EQ(hss::text::generalSevenDigits(-0.0f), "0");
}

}  // namespace
