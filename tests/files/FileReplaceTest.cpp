#include <gtest/gtest.h>

#include <algorithm>

#include "TempFolder.h"
#include "files/FileReplace.h"

using namespace hss::files;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileReplace, WritesNewAndReplacesOldLeavingNoTemporaryFile)
{
    TempFolder folder;
    const fs::path target = folder / "settings.txt";
    EXPECT_EQ(writeFileReplacing(target, "first\r\n"), std::nullopt);
    EXPECT_EQ(readBytes(target), "first\r\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(writeFileReplacing(target, "second"), std::nullopt);
    EXPECT_EQ(readBytes(target), "second");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(writeFileReplacing(target, ""), std::nullopt);
    EXPECT_EQ(readBytes(target), "");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"settings.txt"});
}

TEST(FileReplace, FollowsASymbolicLinkToItsFile)
{
    TempFolder folder;
    writeBytes(folder / "real.txt", "old");
    fs::create_symlink(folder / "real.txt", folder / "link.txt");
    EXPECT_EQ(writeFileReplacing(folder / "link.txt", "new"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(readBytes(folder / "real.txt"), "new");
}

// Each failure names its reason, keeps what was there and leaves no temporary file.
TEST(FileReplace, FailuresKeepTheOldFile)
{
    TempFolder folder;
    fs::create_directory(folder / "a folder.txt");
    writeBytes(folder / "locked.txt", "keep me");
    fs::permissions(folder / "locked.txt", fs::perms::owner_read | fs::perms::group_read);

    const struct {
        fs::path target;
        const char* reason;
    } cases[] = {
        {folder / "a folder.txt", "Is a directory"},
        {folder / "missing" / "x.txt", "No such file or directory"},
        {folder / "locked.txt", "Permission denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.string());
        const std::optional<std::string> error = writeFileReplacing(c.target, "new");
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(*error, c.reason);
    }
    EXPECT_TRUE(fs::is_directory(folder / "a folder.txt"));
    EXPECT_EQ(readBytes(folder / "locked.txt"), "keep me");
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"a folder.txt", "locked.txt"}));
}

TEST(FileReplace, ReadWholeFileAndCopy)
{
    TempFolder folder;
    writeBytes(folder / "small.txt", std::string("a\0b", 3));
    writeBytes(folder / "big.txt", std::string(10000, 'x'));

    const FileBytes small = readWholeFile(folder / "small.txt", 100);
    EXPECT_TRUE(small.ok());
    EXPECT_EQ(small.bytes, std::string("a\0b", 3));
    EXPECT_EQ(readWholeFile(folder / "big.txt", 10000).bytes.size(), 10000u);
    EXPECT_EQ(readWholeFile(folder / "big.txt", 9999).error, "the file is larger than 9999 bytes");
    EXPECT_EQ(readWholeFile(folder / "none.txt", 100).error, "No such file or directory");
    EXPECT_EQ(readWholeFile(folder.path(), 100).error, "Is a directory");

    EXPECT_EQ(copyFileReplacing(folder / "small.txt", folder / "copy.txt", 100), std::nullopt);
    EXPECT_EQ(readBytes(folder / "copy.txt"), std::string("a\0b", 3));
    EXPECT_EQ(copyFileReplacing(folder / "none.txt", folder / "copy.txt", 100),
              std::optional<std::string>("No such file or directory"));
    EXPECT_EQ(readBytes(folder / "copy.txt"), std::string("a\0b", 3));
}

}  // namespace
