#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "measure/SenseLogWriter.h"

namespace {

using namespace hss::measure;
namespace fs = std::filesystem;

std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SenseLogWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("kc-senselog-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    SenseLogWriter makeWriter()
    {
        return SenseLogWriter([this] { return wall_; }, [this] { return now_; });
    }

    fs::path dir_;
    LocalTimestamp wall_{2026, 12, 9, 15, 15, 42, 7, 60};
    std::chrono::steady_clock::time_point now_{std::chrono::hours(1)};
};

TEST(SenseLogFormat, TwelveHourStampsAndLines)
{
    EXPECT_EQ(twelveHourStamp({15, 15, 42}), "03:15:42");
    EXPECT_EQ(twelveHourStamp({0, 5, 0}), "12:05:00");
    EXPECT_EQ(senseLogLine({15, 15, 42}, 13.5f, 2.01f, 0.0f), "03:15:42,13.5,2.01,0");
    EXPECT_EQ(senseLogLine({23, 1, 2}, 13.68f, -0.08f, 381.37f), "11:01:02,13.68,-0.08,381.37");
    // A load current the part's unknown sense ratio cannot give is left out, not a false 0.
    EXPECT_EQ(senseLogLine({12, 0, 0}, 13.5f, std::nullopt, 0.0f), "12:00:00,13.5,,0");
}

TEST_F(SenseLogWriterTest, WritesHeaderAndLinesOutOnceASecondAndOnClose)
{
    const fs::path path = dir_ / "sense.csv";
    std::ofstream(path) << "old contents that must go";
    SenseLogWriter writer = makeWriter();
    ASSERT_EQ(writer.open(path), "");
    EXPECT_TRUE(writer.isOpen());
    const std::string header = "timestamp,input voltage,ch1,ch2\r\n";
    EXPECT_EQ(fileBytes(path), header);  // on disk at once, no byte-order mark

    // Within a second the lines wait in memory...
    EXPECT_EQ(writer.writeSample(13.5f, 2.01f, 0.0f), "");
    now_ += std::chrono::milliseconds(500);
    wall_.second = 43;
    EXPECT_EQ(writer.writeSample(13.5f, 2.02f, 0.0f), "");
    EXPECT_EQ(writer.flushIfDue(), "");
    EXPECT_EQ(fileBytes(path), header);
    // ...and a second after the last write-out they are on disk, with or without a new sample.
    now_ += std::chrono::milliseconds(500);
    EXPECT_EQ(writer.flushIfDue(), "");
    const std::string twoLines = header + "03:15:42,13.5,2.01,0\r\n03:15:43,13.5,2.02,0\r\n";
    EXPECT_EQ(fileBytes(path), twoLines);

    wall_.hour = 9;
    wall_.minute = 0;
    wall_.second = 0;
    EXPECT_EQ(writer.writeSample(12.0f, 0.35f, 1.0f), "");
    EXPECT_EQ(fileBytes(path), twoLines);
    EXPECT_EQ(writer.close(), "");
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(fileBytes(path), twoLines + "09:00:00,12,0.35,1\r\n");
    // Nothing is written once closed.
    EXPECT_EQ(writer.writeSample(1.0f, 1.0f, 1.0f), "");
    EXPECT_EQ(fileBytes(path), twoLines + "09:00:00,12,0.35,1\r\n");
}

TEST_F(SenseLogWriterTest, AnotherFileClosesTheFirstAndAFileThatCannotBeMadeIsAClearError)
{
    SenseLogWriter writer = makeWriter();
    ASSERT_EQ(writer.open(dir_ / "first.csv"), "");
    writer.writeSample(13.5f, 1.0f, 2.0f);
    ASSERT_EQ(writer.open(dir_ / "second.csv"), "");
    EXPECT_EQ(fileBytes(dir_ / "first.csv"), "timestamp,input voltage,ch1,ch2\r\n03:15:42,13.5,1,2\r\n");
    EXPECT_EQ(writer.path(), dir_ / "second.csv");

    const fs::path impossible = dir_ / "no-such-folder" / "sense.csv";
    const std::string error = writer.open(impossible);
    EXPECT_NE(error.find("Cannot create the log file"), std::string::npos) << error;
    EXPECT_NE(error.find(impossible.string()), std::string::npos) << error;
    EXPECT_FALSE(writer.isOpen());
    EXPECT_FALSE(fs::exists(impossible));
}

TEST_F(SenseLogWriterTest, AFullDiskStopsLoggingWithAMessage)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    SenseLogWriter writer = makeWriter();
    const std::string error = writer.open("/dev/full");
    EXPECT_NE(error.find("Cannot write the log file /dev/full"), std::string::npos) << error;
    EXPECT_FALSE(writer.isOpen());
}

}  // namespace
