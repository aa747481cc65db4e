#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "editor/I2TCurve.h"

namespace {

using namespace hss::i2t;

// The 16-pin tuner on nominal 4.0 A, software limit 13.3 A, trip 26.3 A²s.
I2TCurveSelection tuner(const char* hardware = "10", float tolerance = 0.0f, bool gaugeDisabled = true)
{
    I2TCurveSelection s;
    s.tripEnergy = 26.3;
    s.nominalCurrent = "4.0";
    s.softwareLimit = "13.3";
    s.hardwareLimit = hardware;
    s.softwareDelay = "0.4";
    s.tolerancePercent = tolerance;
    s.gaugeDisabled = gaugeDisabled;
    return s;
}

TEST(I2TCurve, TripCurvesWithToleranceBand)
{
    const I2TCurvePlot plot = computeI2TCurves(tuner("10", 1.0f));
    ASSERT_TRUE(plot.drawn);
    EXPECT_EQ(plot.note, "");
    const auto& curve = plot.i2t.series[0].points;
    const auto& minimum = plot.i2t.series[1].points;
    const auto& maximum = plot.i2t.series[2].points;
    const double step = 0.0093;
    const double i1 = 4.0 + step;
    const double t1 = 26.3 / (i1 * i1 - 16.0);

    // Series 0 starts at (In, E), then the 999 steps.
    ASSERT_EQ(curve.size(), 1000u);
    EXPECT_EQ(curve[0], (ChartPoint{4.0, 26.3}));
    EXPECT_DOUBLE_EQ(curve[1].x, 4.0093);
    EXPECT_DOUBLE_EQ(curve[1].y, t1);
    EXPECT_NEAR(t1, 353.084, 0.001);
    // By hand: I = 4 + 500 x 0.0093 = 8.65, t = 26.3 / (74.8225 - 16) = 0.44711.
    EXPECT_DOUBLE_EQ(curve[500].x, 8.65);
    EXPECT_NEAR(curve[500].y, 0.44711, 0.00001);

    // The bands: 0.93 / 1.07 of the current with 1 % tolerance, 0.92 / 1.08 of the time.
    ASSERT_EQ(maximum.size(), 999u);
    EXPECT_NEAR(maximum[0].x, 1.07 * 4.0093, 1e-8);
    EXPECT_DOUBLE_EQ(maximum[0].y, 1.08 * t1);
    EXPECT_NEAR(minimum[0].x, 0.93 * 4.0093, 1e-8);
    EXPECT_DOUBLE_EQ(minimum[0].y, 0.92 * t1);
    // The minimum curve goes on past its 999 points with 0.94 and no tolerance
    // until 0.94 I reaches Isw: 93 more points here.
    ASSERT_EQ(minimum.size(), 999u + 93u);
    const double iExt = 13.2907 + step;
    EXPECT_NEAR(minimum[999].x, 0.94 * iExt, 1e-9);
    EXPECT_NEAR(minimum[999].y, 0.92 * 26.3 / (iExt * iExt - 16.0), 1e-9);
    EXPECT_GE(minimum.back().x, 13.3);
    EXPECT_LT(minimum[minimum.size() - 2].x, 13.3);

    EXPECT_EQ(plot.i2t.series[2].labels, (std::vector<PointLabel>{{500, "26.3 A2s"}}));
    EXPECT_EQ(plot.i2t.currentMinimum, 4.0);
    // Isw and 3 % of In..Isw more, so the software-limit line at Isw shows.
    EXPECT_DOUBLE_EQ(plot.i2t.currentMaximum, 13.3 + 0.03 * 9.3);
    EXPECT_DOUBLE_EQ(plot.i2t.timeMaximum, t1);  // gauge "Disabled": the largest curve time
    EXPECT_EQ(plot.i2t.softwareLimit.points, (std::vector<ChartPoint>{{13.3, 0.001}, {13.3, t1}}));
    EXPECT_EQ(plot.i2t.softwareLimit.labels, (std::vector<PointLabel>{{1, "SW: 13.3A"}}));
}

TEST(I2TCurve, CompletePowerCurveAndHardwareLimit)
{
    // Ihw 10 is below Isw 13.3: the software limit never acts (no delayed
    // shutdown); the hardware limit does, on both charts.
    I2TCurvePlot plot = computeI2TCurves(tuner("10"));
    const CompleteChartPlot& c = plot.complete;
    EXPECT_EQ(c.series[0].points, (std::vector<ChartPoint>{{0.0, 10000.0}, {4.0, 10000.0}}));
    ASSERT_EQ(c.series[1].points.size(), 999u);
    EXPECT_EQ(c.series[1].points[0], plot.i2t.series[0].points[1]);
    EXPECT_EQ(c.series[1].labels, (std::vector<PointLabel>{{0, "4A"}, {500, "26.3 A2s"}}));
    EXPECT_TRUE(c.series[2].points.empty());
    EXPECT_EQ(c.series[3].points, (std::vector<ChartPoint>{{10.0, c.timeMaximum}, {12.5, c.timeMaximum}}));
    EXPECT_EQ(c.series[3].labels, (std::vector<PointLabel>{{0, "HW: 10A"}}));
    EXPECT_EQ(plot.i2t.hardwareLimit.points, (std::vector<ChartPoint>{{10.0, 0.001}, {10.0, plot.i2t.timeMaximum}}));
    EXPECT_DOUBLE_EQ(c.currentMaximum, 11.0);
    EXPECT_DOUBLE_EQ(c.timeMaximum, plot.i2t.timeMaximum);
    // Tsw 0.4 ms: the time axis starts a decade below it.
    EXPECT_DOUBLE_EQ(c.timeMinimum, 0.00004);

    // Ihw 17.5 above Isw: the software limit at Tsw (0.4 ms), the hardware
    // limit at the axis floor.
    plot = computeI2TCurves(tuner("17.5"));
    const auto& sw = plot.complete.series[2];
    ASSERT_EQ(sw.points.size(), 3u);
    EXPECT_NEAR(sw.points[0].x, 13.2907, 1e-9);
    EXPECT_DOUBLE_EQ(sw.points[0].y, 0.0004);
    EXPECT_EQ(sw.points[1], (ChartPoint{13.3, 0.0004}));
    EXPECT_EQ(sw.points[2], (ChartPoint{17.5, 0.0004}));
    EXPECT_EQ(sw.labels, (std::vector<PointLabel>{{0, "SW: 13.3A"}}));
    const auto& hw = plot.complete.series[3];
    const double top = plot.complete.timeMaximum;
    EXPECT_EQ(hw.points, (std::vector<ChartPoint>{{17.5, top}, {1.25 * 17.5, top}}));
    EXPECT_EQ(hw.labels, (std::vector<PointLabel>{{0, "HW: 17.5A"}}));
    EXPECT_DOUBLE_EQ(plot.complete.currentMaximum, 19.25);
    // Beyond the trip chart's current axis: no hardware line there.
    EXPECT_TRUE(plot.i2t.hardwareLimit.points.empty());
}

TEST(I2TCurve, LimitsDrawnAtEveryHardwareLimitAndTheShortestDelayReadable)
{
    // Software limit 39.09 A (a 350-ohm resistor), nominal 8 A, each
    // hardware limit of the 16-pin lists and each delay.
    for (const char* hardware : {"10", "12.5", "17.5", "25", "32.5", "40", "47.5", "55"}) {
        for (const char* delay : {"0.2", "0.4", "1.0", "2.0"}) {
            I2TCurveSelection s = tuner(hardware);
            s.nominalCurrent = "8";
            s.softwareLimit = "39.09";
            s.softwareDelay = delay;
            const I2TCurvePlot plot = computeI2TCurves(s);
            const double ihw = std::stod(hardware);
            const double tsw = std::stod(delay) / 1000.0;
            SCOPED_TRACE(std::string(hardware) + " A, " + delay + " ms");
            ASSERT_TRUE(plot.drawn);
            EXPECT_EQ(plot.complete.series[3].points.size(), 2u);                  // hardware: always
            EXPECT_EQ(plot.complete.series[2].points.empty(), !(39.09 < ihw));     // software: below Ihw
            EXPECT_EQ(plot.i2t.hardwareLimit.points.empty(), ihw > 39.09);         // on the trip chart's axis
            EXPECT_EQ(plot.i2t.softwareLimit.points.front().x, 39.09);
            EXPECT_LE(plot.i2t.softwareLimit.points.front().x, plot.i2t.currentMaximum);
            // The delayed-shutdown band spans a decade of the time axis or more.
            EXPECT_LE(plot.complete.timeMinimum, tsw / 10.0 * (1 + 1e-12));
            EXPECT_GE(plot.complete.currentMaximum, ihw);
        }
    }
}

TEST(I2TCurve, TimeAxisEndsByGauge)
{
    // Any wire model shown: 4000.
    EXPECT_EQ(computeI2TCurves(tuner("10", 0.0f, false)).i2t.timeMaximum, 4000.0);
    // "Disabled" with every curve time below 5: not below 5.
    I2TCurveSelection low = tuner();
    low.tripEnergy = 0.01;
    const I2TCurvePlot plot = computeI2TCurves(low);
    EXPECT_LT(plot.i2t.series[0].points[1].y, 5.0);
    EXPECT_EQ(plot.i2t.timeMaximum, 5.0);
}

TEST(I2TCurve, NoCurveForMissingOrWrongSelections)
{
    struct Case {
        const char* what;
        I2TCurveSelection selection;
        std::string note;
    };
    auto with = [](auto change) {
        I2TCurveSelection s = tuner();
        change(s);
        return s;
    };
    const Case cases[] = {
        {"Isw below In", with([](auto& s) { s.nominalCurrent = "15.0"; }),
         "No curve: the software current limit is not above the nominal current."},
        {"Isw equal to In", with([](auto& s) { s.nominalCurrent = "13.3"; }),
         "No curve: the software current limit is not above the nominal current."},
        {"no nominal", with([](auto& s) { s.nominalCurrent.reset(); }), "No curve: no nominal current is selected."},
        {"text limit", with([](auto& s) { s.hardwareLimit = "Latch"; }),
         "No curve: the hardware current limit \"Latch\" is not a number."},
        {"comma decimal", with([](auto& s) { s.softwareLimit = "13,3"; }),
         "No curve: the software current limit \"13,3\" is not a number."},
        {"slider off the table", with([](auto& s) { s.tripEnergy.reset(); }),
         "No curve: the trip value slider is outside the trip table."},
    };
    for (const Case& c : cases) {
        const I2TCurvePlot plot = computeI2TCurves(c.selection);
        EXPECT_FALSE(plot.drawn) << c.what;
        EXPECT_EQ(plot.note, c.note) << c.what;
        for (const PlotSeries& s : plot.i2t.series)
            EXPECT_TRUE(s.points.empty()) << c.what;
        for (const PlotSeries& s : plot.complete.series)
            EXPECT_TRUE(s.points.empty()) << c.what;
    }
}

TEST(I2TCurve, NothingAtOrBelowZeroReachesATimeAxis)
{
    I2TCurveSelection s = tuner("17.5");
    s.softwareDelay = "0";
    s.tripEnergy = 0.0;
    s.i2tTimeAxisMinimum = 0.5;  // lowered or raised by a wire model
    const I2TCurvePlot plot = computeI2TCurves(s);
    ASSERT_TRUE(plot.drawn);
    for (const PlotSeries& series : plot.i2t.series)
        for (const ChartPoint& p : series.points)
            ASSERT_EQ(p.y, 0.5);
    for (const PlotSeries& series : plot.complete.series)
        for (const ChartPoint& p : series.points)
            ASSERT_GT(p.y, 0.0);
    EXPECT_EQ(plot.complete.series[2].points[0].y, kCompleteTimeAxisMinimum);

    // Limits a hair apart: the minimum curve's extension stays bounded.
    s = tuner();
    s.nominalCurrent = "10";
    s.softwareLimit = "10.000000001";
    const I2TCurvePlot close = computeI2TCurves(s);
    ASSERT_TRUE(close.drawn);
    EXPECT_LE(close.i2t.series[1].points.size(), 999u + 100000u);
}

}  // namespace
