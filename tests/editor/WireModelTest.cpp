#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/WireModels.h"

namespace {

using namespace hss::i2t;

TEST(WireModels, ExampleGauges)
{
    const std::optional<WireModel> twelve = exampleWireModel(GAUGE_12);
    ASSERT_TRUE(twelve);
    ASSERT_EQ(twelve->points.size(), 15u);
    // The labelled point is (23 A, 1.2 s).
    EXPECT_EQ(twelve->label, (PointLabel{7, "12 Gauge"}));
    // Points carry the decimals of the table, not their single-precision widening.
    EXPECT_EQ(twelve->points[7], (ChartPoint{23.0, 1.2}));
    EXPECT_EQ(twelve->points[14], (ChartPoint{38.0, 0.5}));

    const std::optional<WireModel> twenty = exampleWireModel(GAUGE_20);
    ASSERT_TRUE(twenty);
    EXPECT_EQ(twenty->label, (PointLabel{7, "20 Gauge"}));
    EXPECT_EQ(twenty->points[1], (ChartPoint{7.15, 10.0}));
    EXPECT_EQ(twenty->points[14], (ChartPoint{24.7, 0.5}));
    for (std::size_t i = 0; i < 15; ++i)  // both share the times
        EXPECT_EQ(twenty->points[i].y, twelve->points[i].y);

    EXPECT_FALSE(exampleWireModel(GAUGE_CUSTOM));
}

TEST(WireModels, CustomFileLinesAndTimeAxisMinimum)
{
    struct Case {
        const char* what;
        std::string file;
        double minimumBefore;
        std::vector<ChartPoint> points;
        double minimumAfter;
        std::size_t skipped;
        std::size_t undrawable;
        const char* loadedLine;  // or, with no point, the reason
    };
    const std::string example = "current,time\n5,20\nno comma here\n10,2\n";
    const Case cases[] = {
        {"the example, minimum above 2", example, 5.0, {{5, 20}, {10, 2}}, 2.0, 1, 0,
         "Wire model loaded from w.csv: 2 points, 1 line skipped (not two numbers)."},
        {"the example, minimum below 2", example, 0.001, {{5, 20}, {10, 2}}, 0.001, 1, 0, nullptr},
        {"CR LF, blanks, blank line", "I,t\r\n 7.5 , 0.25\r\n\r\n8,1\r\n", 0.001, {{7.5, 0.25}, {8, 1}}, 0.001, 0, 0,
         "Wire model loaded from w.csv: 2 points."},
        {"not numbers, three fields", "I,t\nfive,20\n5,x\n1,2,3\n6,3\n", 0.001, {{6, 3}}, 0.001, 3, 0, nullptr},
        {"current or time at or below zero: skipped, the minimum stays", "I,t\n4,0\n5,-1\n0,3\n-2,1\n6,0.5\n", 1.0,
         {{6, 0.5}}, 0.5, 0, 4,
         "Wire model loaded from w.csv: 1 point, 4 points skipped (current or time not above zero: no place on the "
         "logarithmic axes)."},
        {"empty", "", 0.001, {}, 0.001, 0, 0, "The wire model file w.csv is empty."},
        {"header only", "current,time\n\n", 0.001, {}, 0.001, 0, 0,
         "The wire model file w.csv has only its header line: no current,time points follow it."},
        {"nothing usable", "I,t\nx\n1;2\n0,1\n", 0.001, {}, 0.001, 2, 1,
         "The wire model file w.csv has no point that can be drawn: 2 lines are not two numbers, 1 point has a "
         "current or time not above zero."},
    };
    std::string tooMany = "I,t\n";
    for (std::size_t i = 0; i <= kMaxWireModelPoints; ++i) tooMany += "5,1\n";
    std::istringstream many(tooMany);
    const CustomWireModel capped = parseWireModel(many, 0.001);
    EXPECT_EQ(capped.points.size(), kMaxWireModelPoints);
    EXPECT_EQ(capped.skippedLines, 1u);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::istringstream in(c.file);
        const CustomWireModel model = parseWireModel(in, c.minimumBefore);
        EXPECT_EQ(model.points, c.points);
        EXPECT_EQ(model.timeAxisMinimum, c.minimumAfter);
        EXPECT_EQ(model.skippedLines, c.skipped);
        EXPECT_EQ(model.undrawablePoints, c.undrawable);
        const std::optional<std::string> reason = emptyWireModelReason(model, "w.csv");
        EXPECT_EQ(reason.has_value(), c.points.empty());
        if (c.loadedLine != nullptr) {
            EXPECT_EQ(reason.value_or(wireModelLoadedLine(model, "w.csv")), c.loadedLine);
        }
    }
}

TEST(WireModels, LoadingAFile)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("kc-wire-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "wire.csv") << "current,time\n5,20\n10,2\n";

    const WireModelFile loaded = loadWireModelFile(dir / "wire.csv", 5.0);
    ASSERT_TRUE(loaded.model);
    EXPECT_EQ(loaded.model->points.size(), 2u);
    EXPECT_EQ(loaded.model->timeAxisMinimum, 2.0);

    const WireModelFile missing = loadWireModelFile(dir / "missing.csv", 5.0);
    EXPECT_FALSE(missing.model);
    EXPECT_TRUE(missing.notFound);
    EXPECT_EQ(missing.error, "File not found!\n" + (dir / "missing.csv").string());


    // A folder exists but is no wire model.
    const WireModelFile folder = loadWireModelFile(dir, 5.0);
    EXPECT_FALSE(folder.model);
    EXPECT_FALSE(folder.notFound);
    EXPECT_NE(folder.error.find("Cannot read the wire model file"), std::string::npos);

    // A file far larger than any wire model is refused before it is read.
    std::ofstream(dir / "huge.csv") << std::string(kMaxWireModelFileBytes + 1, '\n');
    const WireModelFile huge = loadWireModelFile(dir / "huge.csv", 5.0);
    EXPECT_FALSE(huge.model);
    EXPECT_NE(huge.error.find("larger than 1 MB"), std::string::npos);
    fs::remove_all(dir);
}

}  // namespace
