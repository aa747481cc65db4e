#include <gtest/gtest.h>

#include <algorithm>
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
    EXPECT_EQ(sample->channel[1], 0.0f);  // the classic log's 0; the chart shows nothing
    EXPECT_TRUE(sample->switchedOn[0]);
    EXPECT_FALSE(sample->switchedOn[1]);
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
    // A channel without a value (off) is left out of its mean; NaN when it has none.
    const float off = std::nanf("");
    means = averager.add({off, off}, 2);
    EXPECT_FLOAT_EQ(means[0], 7.0f);
    means = averager.add({off, 1.0f}, 2);
    EXPECT_TRUE(std::isnan(means[0]));
    EXPECT_FLOAT_EQ(means[1], 1.0f);
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
        {"100", "5", 100, 5},  {"abc", "5", 10, 5},  {"5", "5", 10, 5},   {"20000", "5", 10000, 5},
        {"2000", "1500", 2000, 1000},
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

using Trace = SenseSampleWindow::Trace;

std::vector<float> channelValues(const SenseSampleWindow& w, std::size_t channel, Trace trace = Trace::Averaged)
{
    std::vector<float> out;
    w.forEachPoint(channel, trace, [&](double, double y) { out.push_back(static_cast<float>(y)); });
    return out;
}

// Sample i at i/10 s: averaged i, unaveraged 10 i (channel 1), -i (channel 2).
void appendSamples(SenseSampleWindow& window, int from, int to)
{
    for (int i = from; i <= to; ++i)
        window.append(i / 10.0, {float(i), float(-i)}, {float(10 * i), float(-i)});
}

TEST(SenseSampleWindow, KeepsTheNewestSamplesOnATimeAxis)
{
    SenseSampleWindow window(12);
    appendSamples(window, 1, 15);
    EXPECT_EQ(window.size(), 12u);
    EXPECT_EQ(channelValues(window, 0), (std::vector<float>{4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(channelValues(window, 0, Trace::Unaveraged).back(), 150.0f);
    EXPECT_EQ(channelValues(window, 1).front(), -4.0f);
    EXPECT_DOUBLE_EQ(window.time(0), 0.4);
    // The newest sample at the right edge, the oldest at the left.
    EXPECT_DOUBLE_EQ(window.timeRange().max, 1.5);
    EXPECT_DOUBLE_EQ(window.timeRange().min, 0.4);

    window.setPointsKept(3);  // raised to 10; shrinking keeps the newest
    EXPECT_EQ(channelValues(window, 0), (std::vector<float>{6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    // Round and round the ring at the largest window.
    window.setPointsKept(50000);
    EXPECT_EQ(window.pointsKept(), kMaxPointsKept);
    appendSamples(window, 16, 25015);
    ASSERT_EQ(window.size(), 10000u);
    EXPECT_EQ(channelValues(window, 0).front(), 15016.0f);
    EXPECT_DOUBLE_EQ(window.timeRange().min, 1501.6);
    EXPECT_DOUBLE_EQ(window.timeRange().max, 2501.5);
    // A clock that steps back never unsorts the ring.
    window.append(0.0, {1.0f, 1.0f}, {1.0f, 1.0f});
    EXPECT_DOUBLE_EQ(window.time(window.size() - 1), 2501.5);

    window.clear();
    EXPECT_EQ(window.size(), 0u);
    EXPECT_EQ(window.valueRange(true, true).max, 1.0);  // 0.01 x 1.1 rounded up
    // A span under a second is widened to one.
    appendSamples(window, 1, 3);
    EXPECT_DOUBLE_EQ(window.timeRange().min, 0.3 - 1.0);
}

TEST(SenseSampleWindow, ValueAxisAndStatisticsCoverTheUnaveragedPeaks)
{
    // A 9 A pulse every fifth sample averaged over five: the trace stays
    // near 4 A, the unaveraged line and the maximum show the 9 A.
    SenseSampleWindow window(100);
    const float off = std::nanf("");
    for (int i = 0; i < 20; ++i) {
        const float raw = i % 5 == 0 ? 9.0f : 2.75f;
        window.append(i * 0.05, {4.0f, off}, {raw, off});
    }
    const auto all = window.timeRange();
    EXPECT_EQ(window.valueRange(true, false, all).max, 10.0);  // 9 x 1.1 = 9.9
    const auto stats = window.statistics(0, all);
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->max, 9.0);
    EXPECT_EQ(stats->min, 2.75);
    EXPECT_EQ(stats->last, 2.75);
    EXPECT_DOUBLE_EQ(stats->mean, (4 * 9.0 + 16 * 2.75) / 20);
    EXPECT_EQ(stats->count, 20u);
    // Channel 2 is off: no statistics, no range of its own.
    EXPECT_FALSE(window.statistics(1, all));
    EXPECT_EQ(window.valueRange(false, true, all).max, 1.0);
    // Over the last 0.2 s only (samples 16 to 19, no pulse).
    const auto late = window.statistics(0, {0.79, 0.96});
    ASSERT_TRUE(late);
    EXPECT_EQ(late->count, 4u);
    EXPECT_EQ(late->max, 2.75);
    // Negative values take the axis below 0; a channel off now has no last value.
    window.append(1.0, {-0.08f, off}, {off, off});
    EXPECT_EQ(window.valueRange(true, false).min, -1.0);
    EXPECT_TRUE(std::isnan(window.statistics(0, window.timeRange())->last));
    EXPECT_EQ(window.value(0, 20), -0.08);  // the decimal, not -0.07999999821186066
}

TEST(SenseSampleWindow, DrawnPointsKeepPeaksAndGapsWithinThePixels)
{
    SenseSampleWindow window(10000);
    for (int i = 0; i < 10000; ++i) {
        const float v = i == 5003 ? 9.0f : (i == 7001 ? -1.0f : 1.0f);
        window.append(i * 0.01, {v, i >= 2000 && i < 3000 ? std::nanf("") : v}, {v, v});
    }
    const auto span = window.timeRange();
    std::vector<std::pair<double, double>> drawn;
    window.forEachDrawnPoint(0, Trace::Averaged, span, 500, [&](double t, double v) { drawn.emplace_back(t, v); });
    EXPECT_LE(drawn.size(), 4u * 500u + 4u);
    EXPECT_GE(drawn.size(), 500u);
    const auto has = [&](double t, double v) {
        return std::find(drawn.begin(), drawn.end(), std::pair{t, v}) != drawn.end();
    };
    EXPECT_TRUE(has(window.time(5003), 9.0));   // the peak survives thinning
    EXPECT_TRUE(has(window.time(7001), -1.0));  // so does the dip
    EXPECT_TRUE(has(window.time(0), 1.0));
    EXPECT_TRUE(has(window.time(9999), 1.0));
    for (std::size_t i = 1; i < drawn.size(); ++i)
        ASSERT_LE(drawn[i - 1].first, drawn[i].first);

    // A gap stays a gap: NaN points, and no point drawn inside it.
    std::vector<std::pair<double, double>> gappy;
    window.forEachDrawnPoint(1, Trace::Averaged, span, 500, [&](double t, double v) { gappy.emplace_back(t, v); });
    std::size_t breaks = 0;
    for (const auto& [t, v] : gappy) {
        if (std::isnan(v))
            ++breaks;
        else
            EXPECT_FALSE(t >= window.time(2000) && t < window.time(3000)) << t;
    }
    EXPECT_GE(breaks, 1u);

    // Few points: every one, with one point either side of the span.
    SenseSampleWindow few(100);
    appendSamples(few, 1, 50);
    std::vector<double> times;
    few.forEachDrawnPoint(0, Trace::Averaged, {1.0, 2.0}, 500, [&](double t, double) { times.push_back(t); });
    ASSERT_EQ(times.size(), 13u);
    EXPECT_DOUBLE_EQ(times.front(), 0.9);
    EXPECT_DOUBLE_EQ(times.back(), 2.1);
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
