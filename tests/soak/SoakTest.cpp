// The soak: the real window offscreen on the in-process emulated board for a
// couple of minutes, with a flaky link, while a driver edits, switches pages,
// reads registers, persists, saves and loads settings and pulls the board.
// Afterwards the board is plugged, everything persisted, the chip's
// registers equal the record, and no thread is left running.
//
// KC_SOAK_SECONDS sets the length (CTest sets it per build); KC_SOAK_SEED
// repeats a run's choices (the threads' timing still varies).

#include "GuiHarness.h"  // first: see there

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "../files/TempFolder.h"
#include "link/HSSCommunicationManager.h"
#include "SoakDriver.h"

namespace {

int environmentNumber(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoi(text) : fallback;
}

// Threads of the process, but for Qt's global thread pool (Qt's own helpers,
// which idle there for half a minute after use).
std::vector<std::string> threadNames()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(entry.path() / "comm");
        std::string name;
        std::getline(comm, name);
        if (name != "Thread (pooled)") names.push_back(name);
    }
    return names;
}

TEST(Soak, WindowSurvivesAFlakyLinkAndKeepsChipAndRecordInStep)
{
    harness::application();
    harness::spin(100);
    // ThreadSanitizer starts a helper thread of its own with the process's
    // first new thread; start and end one here so that it is counted before.
    std::thread([] {}).join();
    const std::vector<std::string> threadsBefore = threadNames();

    const int seconds = environmentNumber("KC_SOAK_SECONDS", 110);
    const auto seed = static_cast<uint32_t>(environmentNumber("KC_SOAK_SEED", int(std::random_device{}() & 0x7FFFFFFF)));
    SCOPED_TRACE("KC_SOAK_SEED=" + std::to_string(seed));
    TempFolder folder;
    {
        harness::Gui gui;
        ASSERT_TRUE(gui.waitDetected());
        // Thousands of retries would each print a line.
        HSSCommunicationManager::setVerboseMode(false);
        SoakDriver driver(gui, seed, folder.path());
        driver.runUntil(std::chrono::steady_clock::now() + std::chrono::seconds(seconds));

        ASSERT_TRUE(driver.finish()) << "the part was not shown again after the soak";
        EXPECT_TRUE(gui.board().isPlugged());
        EXPECT_TRUE(gui.window().manualPersistEnableCheckBox->isChecked());
        EXPECT_FALSE(gui.window().dirtyPersist.load());
        EXPECT_EQ(driver.waitForChipToMatchRecord(20000), "");
        for (const std::string& mismatch : driver.mismatches()) ADD_FAILURE() << "checkpoint: " << mismatch;

        std::string ran;
        for (const auto& [name, count] : driver.counts()) ran += name + " " + std::to_string(count) + ", ";
        std::printf("soak of %d s ran: %s\n", seconds, ran.c_str());
        for (const SoakDriver::Action& action : SoakDriver::actions()) {
            if (action.required) {
                EXPECT_GT(driver.counts().count(action.name), 0u) << action.name << " never ran";
            }
        }
    }
    // The window and every thread it started are gone.
    harness::waitUntil([&] { return threadNames().size() <= threadsBefore.size(); }, 5000);
    EXPECT_EQ(threadNames(), threadsBefore);
}

}  // namespace
