// The tick and the painter run up to 100 times a second: count every operator new.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "app/operations.h"
#include "clock/time_text.h"
#include "display/painter.h"
#include "platform/fake/fake_platform.h"

// The replacements below pair malloc with free. Where GCC inlines a sized
// delete into GoogleTest's own code, it sees a pointer from operator new
// reach free and warns; here the pair is ours on both sides.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

std::atomic<long> g_allocations{0};
void* operator new(std::size_t size) {
    g_allocations++;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

TEST(NoAllocation, TicksFormattingAndPainting) {
    fake::Reset();
    fake::g.recordFills = false;  // the fake's own recording would allocate
    for (Precision p : {kPrecisionMinute, kPrecisionCentisecond}) {
        ResetClockForTests();
        SetPrecision(p);
        SetTimerMode(5000);
        ToggleClock(ClockTick);
        const long before = g_allocations;
        for (uint32_t t = 0; t <= 6000; t += 10) {
            fake::g.counter = t;
            fake::FireTick();
        }
        FormatTime(g_displayText, 0xFFFFFFFFu);
        for (SegmentStyle style : {kStyleStraight, kStyleRounded}) {
            SetSegmentStyle(style);
            PaintText(fake::TestCanvas(), L"12:34:56.78", 11, 2, 114, {5, 5, 16, 23}, 0);
        }
        EXPECT_EQ(g_allocations - before, 0) << p;
    }
    EXPECT_EQ(fake::g.fillCount, 2u * (109 + 61));
    const long before = g_allocations;
    const std::wstring onTheHeap(100, L'x');
    EXPECT_GT(g_allocations, before) << "the count is not live";
}
