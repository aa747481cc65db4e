#pragma once
// What the sense chart benchmarks share: the application, the samples fed,
// the chart's size, and the process's CPU time.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <ctime>

namespace sensebench {

// About the chart's size in the window at its default size.
inline constexpr int kChartWidth = 800;
inline constexpr int kChartHeight = 500;

inline QApplication& application()
{
    // Made once and never destroyed: Qt must not be torn down after main.
    static int argc = 1;
    static char name[] = "keldor-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Channel 1: about 3 A with a 9 A pulse every tenth sample; channel 2 about 2 A.
inline float sampleValue(int sample, int channel)
{
    if (channel == 0)
        return sample % 10 == 0 ? 9.0f : 3.0f + float(sample % 7) * 0.01f;
    return 2.0f + float(sample % 5) * 0.01f;
}

inline double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

}  // namespace sensebench
