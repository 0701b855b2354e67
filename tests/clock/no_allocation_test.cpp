// The tick and the time formatting run up to 100 times a second on the timer
// thread and must not allocate. This executable replaces the global operator
// new with one that counts.
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "tests/clock/clock_fixture.h"

namespace {
std::atomic<long> allocations{0};
}

// The library's array and nothrow forms all come down to these. The deletes
// stay out of line: inlined next to a new-expression, GCC takes their free()
// for a mismatched deallocation.
void* operator new(std::size_t size) {
    allocations.fetch_add(1);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using NoAllocationTest = ClockTest;

TEST_F(NoAllocationTest, CountingNewSeesAllocations) {
    // Proves the counter is live, so the tests below can fail.
    const long before = allocations.load();
    const std::wstring onTheHeap(100, L'x');
    EXPECT_GT(allocations.load(), before);
}

TEST_F(NoAllocationTest, TicksAndFormattingAllocateNothing) {
    long during = 0;
    for (Precision p :
         {kPrecisionMinute, kPrecisionSecond, kPrecisionDecisecond, kPrecisionCentisecond}) {
        ResetClockForTests();
        fake::Reset();
        SetPrecision(p);
        SetClockMode(kModeTimer, 5000);
        fake::g.counter = 0;
        ToggleClock();

        const long before = allocations.load();
        for (uint32_t t = 0; t <= 6000; t += 10) {
            fake::g.counter = t;
            fake::FireTick();  // the last ones find the countdown ended
        }
        for (uint32_t ms : {0u, 61234u, 3723456u, 3600000000u, 0xFFFFFFFFu}) {
            FormatTime(g_displayText, ms);
        }
        during += allocations.load() - before;
        EXPECT_EQ(fake::g.timeUpPosts, 1) << p;
    }
    EXPECT_EQ(during, 0);
}

}  // namespace
