#include <gtest/gtest.h>

#include <optional>

#include "editor/TunerInputs.h"

namespace {

using namespace hss::i2t;

TEST(TunerInputs, ResistorTolerance)
{
    const struct {
        const char* text;
        std::optional<float> percent;
    } cases[] = {
        {"0.1", 0.1f},   {" 1 ", 1.0f}, {"0", 0.0f},          {"50", 50.0f},       {"2.5e0", 2.5f},
        {"", {}},        {"abc", {}},   {"1,5", {}},          {"-1", {}},          {"50.01", {}},
        {"1e40", {}},    {"nan", {}},   {"0.1%", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseResistorTolerance(c.text), c.percent) << c.text;
}

TEST(TunerInputs, PulseMarker)
{
    const struct {
        const char* current;
        const char* duration;
        std::optional<ChartPoint> marker;
    } cases[] = {
        {"12", "0.5", ChartPoint{12.0, 0.5}},
        {" 7.25", "3 ", ChartPoint{7.25, 3.0}},
        {"0", "0", {}},   // the boxes as they start
        {"12", "0", {}},  // no time at or below zero on a log axis
        {"0", "1", {}},
        {"12", "-1", {}},
        {"-3", "1", {}},
        {"12", "", {}},
        {"x", "1", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pulseMarker(c.current, c.duration), c.marker) << c.current << " / " << c.duration;
}

}  // namespace
