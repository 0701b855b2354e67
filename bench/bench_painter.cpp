// The cost of one paint of the longest text (11 glyphs, straight style: 109
// fills) into the fake canvas, which only counts fills. Measures the painter's
// own work: the text copy under the clock lock and the rectangle arithmetic.
#include <benchmark/benchmark.h>

#include "clock/clock.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"

namespace {

void BM_PaintTextStraight11(benchmark::State& state) {
    fake::Reset();
    fake::g.recordFills = false;
    g_clock.running = 1;
    SetSegmentStyle(kStyleStraight);
    const SegmentMetrics metrics = ComputeSegmentMetrics(36, 72);
    const wchar_t text[] = L"12:34:56.78";

    for (auto _ : state) {
        PaintText(fake::TestCanvas(), text, 11, 2, 114, metrics);
        benchmark::ClobberMemory();
    }
    state.counters["fills/paint"] =
        static_cast<double>(fake::g.fillCount) / static_cast<double>(state.iterations());
    g_clock.running = 0;
}
BENCHMARK(BM_PaintTextStraight11);

}  // namespace
