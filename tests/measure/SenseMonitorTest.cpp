#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "measure/ADCConversion.h"
#include "measure/SenseResistor.h"
#include "measure/SenseSample.h"
#include "measure/SenseSampleWindow.h"
#include "measure/SenseSources.h"

namespace {

using namespace hss::measure;

TEST(SenseSources, ResultRegistersPerFamilyAndQuantity)
{
    struct Case {
        int index;
        SenseRegisters pin16;
        SenseRegisters pin18;
    };
    const Case cases[] = {
        {0, {0x11, 0x1A, 0x0B}, {0x10, 0x19, 0x0A}},
        {1, {0x13, 0x1C, 0x0B}, {0x12, 0x1B, 0x0A}},
        {2, {0x14, 0x1D, 0x0B}, {0x13, 0x1C, 0x0A}},
        {3, {0x12, 0x1B, 0x0B}, {0x11, 0x1A, 0x0A}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(senseRegisters(HSS_FAMILY_16PWP, c.index), c.pin16) << c.index;
        EXPECT_EQ(senseRegisters(HSS_FAMILY_18PWP, c.index), c.pin18) << c.index;
        EXPECT_EQ(senseQuantities[static_cast<std::size_t>(c.index)].format, c.index);
    }
    EXPECT_EQ(senseRegisters(HSS_FAMILY_NONE, 0), std::nullopt);
    EXPECT_EQ(senseRegisters(HSS_FAMILY_16PWP, 4), std::nullopt);
    EXPECT_EQ(senseQuantities[3].axisTitle, "Junction Temperature(\u00B0C)");

    // Sampling switches on: ADC_CONFIG bits 0-5 and CHx_CONFIG bits 13-15 cleared, nothing else.
    EXPECT_EQ(adcConfigForSensing(0xFFFF), 0xFFC0);
    EXPECT_EQ(chanDiagConfigForSensing(0xFFFF), 0x1FFF);
    EXPECT_EQ(channelMaskText(3), "00000011");
    EXPECT_EQ(channelMaskText(2), "00000010");
}

TEST(SenseSample, ValidBitSenseRatioAndSwitchedOffChannels)
{
    SenseChannelSetup setup;
    setup.ksnsRatio = 1000.0f;
    setup.ksnsRatioScale = 1500.0f;
    const uint16_t valid = kADCValidBit;

    // Channel 2 off: counts 0 whatever its word says; VBB needs no valid bit.
    setup.switchState = 0b01;
    auto sample = decodeSenseSample({uint16_t(valid | 512), 0x03FF, 452}, ADC_LOAD_CURRENT, setup, 698.0);
    ASSERT_TRUE(sample);
    EXPECT_FLOAT_EQ(sample->channel[0], 2.01f);
    EXPECT_EQ(sample->channel[1], 0.0f);
    EXPECT_FLOAT_EQ(sample->supplyVoltage, 13.5f);

    // A switched-on channel without the valid bit drops the whole sample.
    setup.switchState = 0b11;
    EXPECT_FALSE(decodeSenseSample({uint16_t(valid | 512), 512, 452}, ADC_LOAD_CURRENT, setup, 698.0));

    // Bit 9 of the channel's CHx_CONFIG picks the scaled ratio.
    setup.switchState = 0b11;
    setup.chanDiagConfig = {0x0000, 0x0200};
    sample = decodeSenseSample({uint16_t(valid | 512), uint16_t(valid | 512), 0}, ADC_LOAD_CURRENT, setup, 698.0);
    ASSERT_TRUE(sample);
    EXPECT_FLOAT_EQ(sample->channel[0], 2.01f);
    EXPECT_FLOAT_EQ(sample->channel[1], 3.02f);

    // Temperature ignores the ratio; a ratio never set marks load current only.
    setup.ksnsRatio = 0.0f;
    sample = decodeSenseSample({valid, uint16_t(valid | 0x03FF), 0}, ADC_JUNCTION_TEMPERATURE, setup, 698.0);
    ASSERT_TRUE(sample);
    EXPECT_FLOAT_EQ(sample->channel[0], 381.37f);
    EXPECT_FLOAT_EQ(sample->channel[1], -387.48f);
    EXPECT_FALSE(sample->ratioMissing[0]);
    sample = decodeSenseSample({valid, valid, 0}, ADC_LOAD_CURRENT, setup, 698.0);
    ASSERT_TRUE(sample);
    EXPECT_TRUE(sample->ratioMissing[0]);
    EXPECT_FALSE(sample->ratioMissing[1]);
}

TEST(SenseSample, AveragesAndLabels)
{
    SenseAverager averager;
    const std::vector<float> expected{1.0f, 1.5f, 2.0f, 3.0f};
    for (int i = 0; i < 4; ++i) {
        const auto means = averager.add({float(i + 1), 0.0f}, 3);
        EXPECT_FLOAT_EQ(means[0], expected[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(averager.size(), 3u);
    // A smaller count drops the surplus at once; means round up.
    auto means = averager.add({4.01f, 1.0f}, 2);
    EXPECT_EQ(averager.size(), 2u);
    EXPECT_FLOAT_EQ(means[0], 4.01f);  // (4 + 4.01) / 2 = 4.005
    EXPECT_FLOAT_EQ(means[1], 0.5f);
    means = averager.add({7.0f, 7.0f}, 0);  // counts below 1 average the newest only
    EXPECT_FLOAT_EQ(means[0], 7.0f);
    averager.clear();
    EXPECT_EQ(averager.size(), 0u);

    const std::pair<std::pair<float, uint8_t>, std::string> labels[] = {
        {{0.35f, ADC_LOAD_CURRENT}, "350mA"}, {{0.0f, ADC_LOAD_CURRENT}, "0mA"},
        {{2.01f, ADC_LOAD_CURRENT}, "2.01A"}, {{40.91f, ADC_JUNCTION_TEMPERATURE}, "40.91\u00B0C"},
        {{-0.08f, ADC_VDS_VOLTAGE}, "-0.08V"}, {{13.5f, ADC_SUPPLY_VOLTAGE}, "13.5V"},
    };
    for (const auto& [in, text] : labels)
        EXPECT_EQ(formatSenseReading(in.first, in.second), text);
}

TEST(SenseSampleWindow, WindowSizeCorrections)
{
    struct Case {
        const char* points;
        const char* average;
        int pointsKept;
        int averageCount;
    };
    const Case cases[] = {
        {"100", "5", 100, 5},  {"abc", "5", 10, 5},  {"5", "5", 10, 5},   {"2000", "5", 1000, 5},
        {"100", "x", 100, 10}, {"50", "80", 50, 50}, {"100", "0", 100, 1}, {" 200 ", "+7", 200, 7},
    };
    for (const Case& c : cases) {
        const SenseWindowSizes s = correctSenseWindowSizes(c.points, c.average);
        EXPECT_EQ(s.pointsKept, c.pointsKept) << c.points << " / " << c.average;
        EXPECT_EQ(s.averageCount, c.averageCount) << c.points << " / " << c.average;
        EXPECT_EQ(s.pointsText, std::to_string(c.pointsKept));
        EXPECT_EQ(s.averageText, std::to_string(c.averageCount));
    }
}

std::vector<float> channelValues(const SenseSampleWindow& w, std::size_t channel)
{
    std::vector<float> out;
    double expectedX = 1.0;
    w.forEachPoint(channel, [&](double x, double y) {
        EXPECT_EQ(x, expectedX++);
        out.push_back(static_cast<float>(y));
    });
    return out;
}

TEST(SenseSampleWindow, KeepsTheNewestPointsInARing)
{
    SenseSampleWindow window(12);
    for (int i = 1; i <= 15; ++i)
        window.append(float(i), float(-i));
    EXPECT_EQ(window.size(), 12u);
    EXPECT_EQ(channelValues(window, 0), (std::vector<float>{4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(channelValues(window, 1).front(), -4.0f);

    window.setPointsKept(3);  // raised to 10; shrinking keeps the newest
    EXPECT_EQ(channelValues(window, 0), (std::vector<float>{6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    window.setPointsKept(20);
    window.append(16.0f, 0.0f);
    EXPECT_EQ(channelValues(window, 0), (std::vector<float>{6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(window.xRange().max, 20.0);

    // Round and round the ring at the largest window.
    window.setPointsKept(5000);
    EXPECT_EQ(window.pointsKept(), kMaxPointsKept);
    for (int i = 0; i < 2500; ++i)
        window.append(float(i), 0.0f);
    const std::vector<float> values = channelValues(window, 0);
    ASSERT_EQ(values.size(), 1000u);
    EXPECT_EQ(values.front(), 1500.0f);
    EXPECT_EQ(values.back(), 2499.0f);

    window.clear();
    EXPECT_EQ(window.size(), 0u);
    EXPECT_EQ(window.yRange(true, true).max, 1.0);  // 0.01 x 1.1 rounded up

    // The value axis covers the shown points.
    window.append(2.01f, 40.0f);
    window.append(1.0f, 41.0f);
    EXPECT_EQ(window.value(0, 0), 2.01);  // the decimal, not 2.009999990463257
    // 2.01 x 1.1 = 2.211, up to 3; channel 2 is not shown.
    EXPECT_EQ(window.yRange(true, false).min, 0.0);
    EXPECT_EQ(window.yRange(true, false).max, 3.0);
    EXPECT_EQ(window.yRange(true, true).max, 46.0);  // 41 x 1.1 = 45.1
    window.append(-0.08f, 0.0f);
    EXPECT_EQ(window.yRange(true, false).min, -1.0);
    EXPECT_EQ(window.yRange(false, true).min, 0.0);

    // A value that cannot be shown keeps its place and leaves the axis alone.
    window.append(std::nanf(""), 50.0f);
    EXPECT_EQ(window.size(), 4u);
    EXPECT_TRUE(std::isnan(window.value(0, 3)));
    EXPECT_EQ(window.yRange(true, false).max, 3.0);
    EXPECT_EQ(window.yRange(true, false).min, -1.0);
}

TEST(SenseResistor, CheckAndRescaledLists)
{
    EXPECT_EQ(checkSenseResistorText("698").verdict, SenseResistorVerdict::Accepted);
    EXPECT_EQ(checkSenseResistorText(" 350.5 ").ohms, 350.5);
    EXPECT_EQ(checkSenseResistorText("10000").verdict, SenseResistorVerdict::Accepted);
    EXPECT_EQ(checkSenseResistorText("99.9").verdict, SenseResistorVerdict::OutOfRange);
    EXPECT_EQ(checkSenseResistorText("10001").verdict, SenseResistorVerdict::OutOfRange);
    EXPECT_EQ(checkSenseResistorText("abc").verdict, SenseResistorVerdict::NotANumber);

    // Cut down through single precision, never rounded: 19.55 x 2 reads 39.09.
    const SenseScaledLists at350 = rescaleForSenseResistor(350.0);
    EXPECT_FLOAT_EQ(at350.softwareLimits[0], 39.09f);
    EXPECT_FLOAT_EQ(at350.tripEnergies[0], 17.6f);
    EXPECT_FLOAT_EQ(at350.tripEnergies[15], 700.0f);
    EXPECT_FLOAT_EQ(at350.nominalCurrents[2], 11.4f);
    // Even 700 itself loses a hundredth on the way through single precision.
    EXPECT_FLOAT_EQ(rescaleForSenseResistor(700.0).softwareLimits[0], 19.54f);
    // 700 / 698, the default resistor.
    const SenseScaledLists at698 = rescaleForSenseResistor(698.0);
    EXPECT_FLOAT_EQ(at698.softwareLimits[0], 19.6f);
    EXPECT_FLOAT_EQ(at698.tripEnergies[0], 8.82f);
}

}  // namespace
