#pragma once
// What the sense chart benchmarks share: the application, the samples fed,
// the chart's size, and the process's CPU time.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "BenchApplication.h"
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>
#include <ctime>
#include <functional>

namespace sensebench {

// About the chart's size in the window at its default size.
inline constexpr int kChartWidth = 800;
inline constexpr int kChartHeight = 500;

inline QApplication& application() { return benchApplication(); }

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

// Samples at 20 Hz for KC_SENSE_STREAM_SECONDS of real time; the share of
// one core the whole process spent meanwhile, as the counter "core %".
inline void streamFor(benchmark::State& state, const std::function<void()>& sampleOnce)
{
    const int seconds = std::atoi(std::getenv("KC_SENSE_STREAM_SECONDS"));
    for (auto _ : state) {
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &timer, sampleOnce);
        timer.start(50);
        const double before = processCpuSeconds();
        QEventLoop loop;
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        timer.stop();
        state.counters["core %"] = 100.0 * (processCpuSeconds() - before) / seconds;
    }
}

// Registers a stream benchmark when KC_SENSE_STREAM_SECONDS is set (scripts/sense-cpu).
inline bool registerStream(const char* name, void (*fn)(benchmark::State&))
{
    if (std::getenv("KC_SENSE_STREAM_SECONDS") == nullptr || std::atoi(std::getenv("KC_SENSE_STREAM_SECONDS")) < 1)
        return false;
    benchmark::RegisterBenchmark(name, fn)->Iterations(1)->Unit(benchmark::kSecond)->MeasureProcessCPUTime();
    return true;
}

}  // namespace sensebench
