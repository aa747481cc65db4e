// A saver killed with SIGKILL at random moments never leaves a broken
// settings file: whenever it dies, the file is the whole old or the whole
// new one.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "SaveLoopTexts.h"
#include "TempFolder.h"
#include "files/FileReplace.h"

extern char** environ;

namespace {

// Starts the saver on target; returns its pid once it has saved once, or -1.
pid_t startSaver(const std::filesystem::path& target)
{
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ready[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    const std::string program = KC_SAVE_LOOP_PROGRAM;
    const std::string path = target.string();
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ready[1]);
    char byte = 0;
    const bool running = spawned == 0 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    if (spawned == 0 && !running) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        ADD_FAILURE() << "the saver ended before its first save, status " << status;
        return -1;
    }
    return running ? pid : -1;
}

TEST(CrashSafety, SettingsFileIsWholeOldOrWholeNewWhereverTheSaverIsKilled)
{
    TempFolder folder;
    const std::filesystem::path target = folder / "settings.txt";
    const std::string oldText = saveLoopText(0);
    const std::string newText = saveLoopText(1);
    ASSERT_NE(oldText, newText);
    ASSERT_EQ(hss::files::writeFileReplacing(target, oldText), std::nullopt);

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    // A save takes a few hundred microseconds to a few milliseconds (the
    // file is synced); the kills land anywhere in it.
    std::uniform_int_distribution<int> delayUs(0, 4000);
    int sawOld = 0;
    int sawNew = 0;
    for (int round = 0; round < 120; ++round) {
        const pid_t saver = startSaver(target);
        ASSERT_GT(saver, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ASSERT_EQ(::kill(saver, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(saver, &status, 0), saver);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "round " << round << ": status " << status;

        const std::string text = readBytes(target);
        ASSERT_TRUE(text == oldText || text == newText)
            << "round " << round << ": " << text.size() << " bytes, neither file whole:\n"
            << text;
        (text == oldText ? sawOld : sawNew) += 1;
    }
    // Kills fell on both sides of a replacement.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

}  // namespace
