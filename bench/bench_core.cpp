// Hot paths of the portable core, on the fake platform.
#include <benchmark/benchmark.h>

#include "app/operations.h"
#include "clock/time_text.h"
#include "platform/fake/fake_platform.h"

// ---- Clock: the tick and the time text (run up to 100 times a second) ------

namespace {

void SetUpClock(Precision precision) {
    fake::Reset();
    SetPrecision(precision);
    g_clock.armedPeriod = g_clock.tickPeriod;
}

void BM_FormatTime(benchmark::State& state) {
    SetUpClock(static_cast<Precision>(state.range(0)));
    uint32_t ms = 3723456;
    for (auto _ : state) {
        FormatTime(g_displayText, ms);
        benchmark::DoNotOptimize(g_displayText);
        ms += 10;
    }
}
BENCHMARK(BM_FormatTime)
    ->ArgName("precision")
    ->Arg(kPrecisionMinute)
    ->Arg(kPrecisionSecond)
    ->Arg(kPrecisionCentisecond);

void BM_FormatTimeLargest(benchmark::State& state) {
    SetUpClock(kPrecisionCentisecond);
    for (auto _ : state) {
        FormatTime(g_displayText, 0xFFFFFFFFu);
        benchmark::DoNotOptimize(g_displayText);
    }
}
BENCHMARK(BM_FormatTimeLargest);

// One whole tick of a running stopwatch: lock, counter, format, repaint request.
void BM_ClockTick(benchmark::State& state) {
    SetUpClock(kPrecisionCentisecond);
    ToggleClock(ClockTick);
    const uintptr_t context = g_clock.armGeneration;
    for (auto _ : state) {
        fake::g.counter += 10;
        ClockTick(context);
        benchmark::DoNotOptimize(g_displayText);
    }
    fake::Reset();
}
BENCHMARK(BM_ClockTick);

}  // namespace
