// The painter's cost. One paint of the longest text (11 glyphs, straight
// style: 109 fills) into the fake canvas, which only counts fills: the
// painter's own work and the rectangle arithmetic. And one tick's repaint at
// hundredths in a full screen of 1280x800: the tick with its request, then
// the paint of what it invalidated, whole (as every tick did before partial
// invalidation) or only the cells that changed; fills/paint and px/paint
// count the fills that reach the invalidated part and the pixels they cover.
#include <benchmark/benchmark.h>

#include "app/operations.h"
#include "clock/time_text.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"

namespace {

void BM_PaintTextStraight11(benchmark::State& state) {
    fake::Reset();
    fake::g.recordFills = false;
    SetSegmentStyle(kStyleStraight);
    const SegmentMetrics metrics = ComputeSegmentMetrics(36, 72);
    const wchar_t text[] = L"12:34:56.78";

    for (auto _ : state) {
        PaintText(fake::TestCanvas(), text, 11, 2, 114, metrics, 1);
        benchmark::ClobberMemory();
    }
    state.counters["fills/paint"] =
        static_cast<double>(fake::g.fillCount) / static_cast<double>(state.iterations());
    fake::Reset();
}
BENCHMARK(BM_PaintTextStraight11);

void BM_TickRepaintCentisecondFullScreen(benchmark::State& state) {
    const bool partial = state.range(0) != 0;
    fake::Reset();
    fake::g.recordFills = false;
    SetSegmentStyle(kStyleStraight);
    SetPrecision(kPrecisionCentisecond);
    fake::g.clientSize = {1280, 800};
    RelayoutDisplay(fake::TestWindow(), g_clock.glyphCount);
    ToggleClock(ClockTick);
    const uintptr_t context = g_clock.armGeneration;
    fake::g.counter = 3723450;  // 01:02:03.45
    ClockTick(context);
    const Rect whole{0, 0, 1280, 800};
    for (auto _ : state) {
        fake::g.partialRects.clear();
        fake::g.counter += 10;
        ClockTick(context);
        fake::g.clip =
            partial && !fake::g.partialRects.empty() ? fake::g.partialRects.back() : whole;
        PaintText(fake::TestCanvas(), g_displayText, 11, g_digitArea.left, g_digitArea.top,
                  g_segmentMetrics, g_clock.running);
        benchmark::ClobberMemory();
    }
    const double paints = static_cast<double>(state.iterations());
    state.counters["fills/paint"] = static_cast<double>(fake::g.fillsInClip) / paints;
    state.counters["px/paint"] = static_cast<double>(fake::g.pixelsInClip) / paints;
    fake::Reset();
}
BENCHMARK(BM_TickRepaintCentisecondFullScreen)->ArgName("partial")->Arg(0)->Arg(1);

}  // namespace
