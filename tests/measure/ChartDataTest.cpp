// Chart data as files and axes: the sense window and a chart's series as
// CSV, tick steps that keep labels whole, fault captures, the ISO log.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "measure/ChartCsv.h"
#include "measure/ChartTicks.h"
#include "measure/FaultCapture.h"
#include "measure/SenseLogWriter.h"

namespace {

using namespace hss::measure;

TEST(ChartCsv, SenseWindowAndSeries)
{
    SenseSampleWindow window(100);
    const float off = std::nanf("");
    window.append(0.05, {2.01f, off}, {2.5f, off});
    window.append(0.1, {2.02f, 1.0f}, {9.0f, 1.0f});
    window.append(0.15, {2.03f, 1.0f}, {2.0f, 1.0f});
    EXPECT_EQ(senseWindowCsv(window, {0.0, 0.1}, {true, true}, "load current", "A"),
              "time (s),ch1 load current (A),ch1 load current unaveraged (A),ch2 load current (A),"
              "ch2 load current unaveraged (A)\r\n"
              "0.05,2.01,2.5,,\r\n"
              "0.1,2.02,9,1,1\r\n");
    EXPECT_EQ(senseWindowCsv(window, {0.1, 1.0}, {false, true}, "junction temperature", "\u00B0C"),
              "time (s),ch2 junction temperature (\u00B0C),ch2 junction temperature unaveraged (\u00B0C)\r\n"
              "0.1,1,1\r\n0.15,1,1\r\n");

    const std::string csv = seriesCsv({{"I2T Curve", {{4.0, 26.3}, {4.0093, 353.08}}}, {"Wire, 12 \"Gauge\"", {{23, 1.2}}}},
                                      "current (A)", "time (s)");
    EXPECT_EQ(csv, "series,current (A),time (s)\r\nI2T Curve,4,26.3\r\nI2T Curve,4.0093,353.08\r\n"
                   "\"Wire, 12 \"\"Gauge\"\"\",23,1.2\r\n");
}

TEST(ChartTicks, LabelsAlwaysFitAndStepsStayRound)
{
    struct Case {
        double span, pixels, label, minimum, step;
    };
    const Case cases[] = {
        {11.0, 600, 14, 1.0, 1.0},    // a 10 A limit: every ampere
        {44.0, 600, 14, 1.0, 2.0},    // 40 A: 23 labels of 21 px in 600
        {44.0, 300, 14, 1.0, 5.0},    // a narrow chart: fewer
        {60.5, 600, 14, 1.0, 2.5},    // 55 A
        {9.3, 2000, 20, 1.0, 1.0},    // never below the minimum
        {0.3, 600, 20, 0.0, 0.02},    // seconds on a short time axis
        {1000.0, 600, 30, 0.0, 100.0},
        {5.0, 0, 14, 1.0, 1.0},       // no room known yet: about five steps
    };
    for (const Case& c : cases) {
        const double step = tickStep(c.span, c.pixels, c.label, c.minimum);
        EXPECT_DOUBLE_EQ(step, c.step) << c.span << " over " << c.pixels;
        if (c.pixels > 0) {
            EXPECT_GE(c.pixels / (c.span / step), c.label) << c.span;  // room for each label
        }
    }
    EXPECT_DOUBLE_EQ(roundTickStep(10.0, 5.0), 2.0);
    EXPECT_DOUBLE_EQ(roundTickStep(0.0, 5.0), 1.0);
}

TEST(FaultCapture, SamplesBeforeAndAfterAFaultBecomeOneNamedFile)
{
    FaultCapture capture;
    capture.setSpan(1.05, 1.0);
    capture.setQuantity("load current", "A");
    LocalTimestamp wall{2026, 12, 9, 15, 15, 42, 0, 60};
    const auto sample = [&](int i) {
        CaptureSample s;
        s.time = i * 0.1;
        s.wall = wall;
        s.wall.millisecond = (i * 100) % 1000;
        s.supplyVoltage = 13.5f;
        s.channel = {float(i), std::nullopt};
        return s;
    };
    for (int i = 0; i <= 30; ++i)
        EXPECT_TRUE(capture.addSample(sample(i)).empty());
    // Raised at 3.05 s: the samples kept from 1.05 s before the newest
    // (2.0 to 3.0 s) and those up to 4.05 s.
    ASSERT_TRUE(capture.faultRaised("ilimFaultCh1", 3.05, wall));
    for (int i = 31; i <= 40; ++i)
        EXPECT_TRUE(capture.addSample(sample(i)).empty());
    const std::vector<FinishedCapture> done = capture.addSample(sample(41));
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].fileName, "fault-20261209-151542-ilimFaultCh1.csv");
    EXPECT_EQ(done[0].before, 11u);
    EXPECT_EQ(done[0].after, 10u);
    const std::string& text = done[0].text;
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "timestamp (ISO 8601),seconds from fault,input voltage (V),ch1 load current (A),ch2 load current (A)");
    EXPECT_NE(text.find("2026-12-09T15:15:42.000+01:00,-1.050,13.5,20,\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(",0.450,13.5,35,\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find(",41,"), std::string::npos);  // past the M seconds

    // Sensing stops mid-capture: what there is, is written; nothing is left open.
    ASSERT_TRUE(capture.faultRaised("thermShut Ch2/x", 4.15, wall));
    capture.addSample(sample(42));
    const auto stopped = capture.finishAll();
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_EQ(stopped[0].fileName, "fault-20261209-151542-thermShutCh2x.csv");
    EXPECT_EQ(stopped[0].after, 1u);
    EXPECT_EQ(capture.openCaptures(), 0u);

    // A fault long after the last sample: nothing from before the N seconds.
    ASSERT_TRUE(capture.faultRaised("late", 60.0, wall));
    const auto late = capture.finishAll();
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0].before + late[0].after, 0u);

    // A flapping fault opens no more than the limit of captures.
    for (std::size_t i = 0; i < kMaxOpenCaptures; ++i)
        EXPECT_TRUE(capture.faultRaised("f", 4.0, wall));
    EXPECT_FALSE(capture.faultRaised("f", 4.0, wall));
    // Spans outside the bounds are brought within them.
    capture.setSpan(0.0, 1e9);
    EXPECT_EQ(capture.secondsBefore(), kMinCaptureSeconds);
    EXPECT_EQ(capture.secondsAfter(), kMaxCaptureSeconds);
    capture.setSpan(std::nan(""), 5.0);
    EXPECT_EQ(capture.secondsBefore(), kMinCaptureSeconds);
}

TEST(SenseLogFormat, IsoStampsAndAHeaderWithUnits)
{
    EXPECT_EQ(iso8601Stamp({2026, 1, 2, 3, 4, 5, 6, -330}), "2026-01-02T03:04:05.006-05:30");
    EXPECT_EQ(iso8601Stamp({2026, 12, 31, 23, 59, 59, 999, 0}), "2026-12-31T23:59:59.999+00:00");
    EXPECT_EQ(senseLogHeader({}), "timestamp,input voltage,ch1,ch2");
    EXPECT_EQ(senseLogHeader({true, "junction temperature", "\u00B0C"}),
              "timestamp (ISO 8601),input voltage (V),ch1 junction temperature (\u00B0C),ch2 junction temperature "
              "(\u00B0C)");

    const auto path = std::filesystem::temp_directory_path() /
                      ("kc-isolog-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".csv");
    {
        SenseLogWriter writer([] { return LocalTimestamp{2026, 12, 9, 15, 15, 42, 120, 60}; },
                              [] { return std::chrono::steady_clock::time_point{}; });
        ASSERT_EQ(writer.open(path, {true, "load current", "A"}), "");
        writer.writeSample(13.5f, 2.01f, std::nullopt);
        writer.setQuantity("output voltage", "V");  // a new header names the new unit
        writer.writeSample(13.5f, 13.4f, 0.0f);
        ASSERT_EQ(writer.close(), "");
    }
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove(path);
    EXPECT_EQ(bytes, "timestamp (ISO 8601),input voltage (V),ch1 load current (A),ch2 load current (A)\r\n"
                     "2026-12-09T15:15:42.120+01:00,13.5,2.01,\r\n"
                     "timestamp (ISO 8601),input voltage (V),ch1 output voltage (V),ch2 output voltage (V)\r\n"
                     "2026-12-09T15:15:42.120+01:00,13.5,13.4,0\r\n");
}

}  // namespace
