// Verdicts against numbers worked out by hand for In = 4 A, E = 26.3 A2s,
// Isw = 13.3 A, Tsw = 0.4 ms: the minimum curve trips at
// 0.92 E / ((I / 0.94)^2 - In^2), the maximum at 1.08 E / ((I / 1.06)^2 - In^2).

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "editor/I2TVerdicts.h"

namespace {

using namespace hss::i2t;

TripSettings settings(double hardwareLimit = 10.0, float tolerance = 0.0f)
{
    I2TCurveSelection s;
    s.tripEnergy = 26.3;
    s.nominalCurrent = "4.0";
    s.softwareLimit = "13.3";
    s.hardwareLimit = std::to_string(hardwareLimit);
    s.softwareDelay = "0.4";
    s.tolerancePercent = tolerance;
    return *readTripSettings(s).settings;
}

TEST(I2TVerdicts, PulsesAndTripTimesAgainstTheCurves)
{
    // At 10 A: (10 / 0.94)^2 - 16 = 97.1734, so the minimum curve trips after
    // 24.196 / 97.1734 = 0.248998 s; a 0.24 s pulse counts 23.3216 A2s of 24.196.
    const struct {
        const char* what;
        double hardwareLimit;
        ChartPoint pulse;
        bool trips;
        double energy;
        double margin;
        std::optional<double> tripTime;
        bool bySoftwareLimit;
    } pulses[] = {
        {"just below the curve", 10, {10.0, 0.24}, false, 23.3216, 3.6138, 0.248998, false},
        {"just above the curve", 10, {10.0, 0.26}, true, 25.2651, -4.4184, 0.248998, false},
        {"below the minimum curve's start (3.76 A)", 10, {3.7, 100.0}, false, 0.0, 100.0, std::nullopt, false},
        // 15 A passes Isw and Ihw = 20 A lets it: off after 0.4 ms, long
        // before the curve's 0.101391 s.
        {"over the software limit", 20, {15.0, 0.001}, true, 0.23864, 99.0137, 0.0004, true},
        // Ihw = 10 A holds the current below Isw: only the curve counts.
        {"software limit out of reach", 10, {15.0, 0.001}, false, 0.23864, 99.0137, 0.101391, false},
    };
    for (const auto& c : pulses) {
        SCOPED_TRACE(c.what);
        const PulseVerdict v = pulseVerdict(settings(c.hardwareLimit), c.pulse);
        EXPECT_EQ(v.trips, c.trips);
        EXPECT_NEAR(v.pulseEnergy, c.energy, 1e-3);
        EXPECT_NEAR(v.tripEnergy, 24.196, 1e-9);
        EXPECT_NEAR(v.marginPercent, c.margin, 1e-3);
        ASSERT_EQ(v.tripTime.has_value(), c.tripTime.has_value());
        if (c.tripTime) {
            EXPECT_NEAR(*v.tripTime, *c.tripTime, 1e-6);
        }
        EXPECT_EQ(v.bySoftwareLimit, c.bySoftwareLimit);
    }

    // The calculator: no nominal trip at or below In; each tolerance curve
    // starts at its own current (0.94 In = 3.76 A, 1.06 In = 4.24 A).
    const struct {
        double current;
        float tolerance;
        std::optional<double> nominal, minimum, maximum;
    } times[] = {
        {10.0, 0.0f, 26.3 / 84.0, 0.248998, 0.389098},
        // 1 %: factors 0.93 and 1.07.
        {10.0, 1.0f, 26.3 / 84.0, 0.242882, 0.398128},
        {4.0, 0.0f, std::nullopt, 24.196 / (4.0 / 0.94 * 4.0 / 0.94 - 16.0), std::nullopt},
        {3.9, 0.0f, std::nullopt, 19.936204, std::nullopt},
        {3.7, 0.0f, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : times) {
        SCOPED_TRACE(testing::Message() << c.current << " A at " << c.tolerance << " %");
        const TripTimes t = tripTimes(settings(10.0, c.tolerance), c.current);
        for (auto [got, want] : {std::pair{t.nominal, c.nominal}, {t.minimum, c.minimum}, {t.maximum, c.maximum}}) {
            ASSERT_EQ(got.has_value(), want.has_value());
            if (want) {
                EXPECT_NEAR(*got, *want, 1e-5);
            }
        }
    }
    EXPECT_EQ(tripTimeText(std::nullopt), "no trip");
    EXPECT_EQ(tripTimeText(0.248998), "249 ms");
    EXPECT_EQ(tripTimeText(0.0004), "0.40 ms");
    EXPECT_EQ(tripTimeText(19.936), "19.9 s");
}

TEST(I2TVerdicts, WireModelTouchingTheLatestTripCurve)
{
    // The maximum curve: 1.770837 s at 6 A, 0.693461 s at 8 A, 0.389098 s at
    // 10 A, 0.253247 s at 12 A. The wire is twice as long everywhere but at
    // 8 A, where it touches the curve within 1 %; between points it bows
    // away, as the curve is convex on the log axis.
    for (const double touch : {1.01, 0.99}) {
        SCOPED_TRACE(touch);
        const std::vector<ChartPoint> wire{
            {12.0, 2 * 0.253247}, {6.0, 2 * 1.770837}, {8.0, touch * 0.693461}, {10.0, 2 * 0.389098}};
        const WireVerdict v = wireVerdict(settings(), wire);
        ASSERT_TRUE(v.judged);
        EXPECT_EQ(v.fromCurrent, 6.0);
        EXPECT_EQ(v.toCurrent, 12.0);
        EXPECT_EQ(v.worstCurrent, 8.0);
        ASSERT_TRUE(v.timeMargin);
        EXPECT_NEAR(*v.timeMargin, (touch - 1.0) * 0.693461, 1e-6);
        EXPECT_EQ(v.protectedWire, touch > 1.0);
    }
    EXPECT_EQ(wireVerdictText(wireVerdict(settings(), std::vector<ChartPoint>{{6.0, 3.6}, {8.0, 0.7}})),
              "Protected from 6 A to 8 A; closest at 8 A: trips 6.54 ms before the wire.");

    // A wire rated from 4.1 A: up to 4.24 A the channel may never trip.
    const WireVerdict early = wireVerdict(settings(), std::vector<ChartPoint>{{4.1, 100.0}, {12.0, 1.0}});
    EXPECT_FALSE(early.protectedWire);
    EXPECT_EQ(early.worstCurrent, 4.1);
    EXPECT_FALSE(early.timeMargin);
    EXPECT_EQ(wireVerdictText(early), "Not protected: at 4.1 A the channel may never trip.");
    // Wholly above the software limit: nothing to judge.
    EXPECT_FALSE(wireVerdict(settings(), std::vector<ChartPoint>{{14.0, 1.0}, {20.0, 0.5}}).judged);
    EXPECT_FALSE(wireVerdict(settings(), std::vector<ChartPoint>{}).judged);
}

}  // namespace
