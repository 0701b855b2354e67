// The tick and the time text run up to 100 times a second on the timer
// thread and must not allocate. This executable counts every operator new
// (counting_new.cpp).
#include <string>

#include "tests/clock/clock_fixture.h"
#include "tests/display/counting_new.h"

namespace {

using NoAllocationTest = ClockTest;

TEST_F(NoAllocationTest, TicksAndFormattingAllocateNothing) {
    for (Precision p :
         {kPrecisionMinute, kPrecisionSecond, kPrecisionDecisecond, kPrecisionCentisecond}) {
        SCOPED_TRACE(p);
        SetUp();
        SetPrecision(p);
        SetClockMode(kModeTimer, 5000);
        ToggleClock();
        const long before = AllocationsSoFar();
        for (uint32_t t = 0; t <= 6000; t += 10) {
            fake::g.counter = t;
            fake::FireTick();  // the last ones find the countdown ended
        }
        for (uint32_t ms : {0u, 3723456u, 0xFFFFFFFFu}) FormatTime(g_displayText, ms);
        EXPECT_EQ(AllocationsSoFar() - before, 0);
        EXPECT_EQ(fake::g.timeUpPosts, 1);
    }
    // The counter is live, so the zeros above mean something.
    const long before = AllocationsSoFar();
    const std::wstring onTheHeap(100, L'x');
    EXPECT_GT(AllocationsSoFar(), before);
}

}  // namespace
