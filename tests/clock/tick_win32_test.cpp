// The Windows tick source on its own (run under Wine). Win32 primitives only:
// no C++ threads.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/clock/tick_recorder.h"

void SleepMs(uint32_t ms) {
    Sleep(ms);
}

namespace {

TEST(Win32TickSource, FirstCallAtOnceThenOnePerPeriod) {
    TickRecorder r;
    const uint32_t armed = ReadMillisecondCounter();
    const TickTimer t = r.Arm(100);
    ASSERT_NE(t, kNoTickTimer);
    Sleep(1050);
    DisarmTickTimer(t);
    const uint32_t counted = ReadMillisecondCounter() - armed;
    EXPECT_GE(counted, 1000u);
    EXPECT_LT(counted, 2500u);
    Sleep(50);
    const int n = r.Count();
    EXPECT_GE(n, 8);  // due at 0, 100, ..., 1000; a few fewer on a busy machine
    EXPECT_LE(n, 12);
    EXPECT_LT(r.times[0] - armed, 60u) << "the first call comes at once";
    EXPECT_EQ(r.overlaps.load(), 0);
    Sleep(250);
    EXPECT_EQ(r.Count(), n) << "no call after a disarm";
}

TEST(Win32TickSource, DisarmFromInsideTheCallback) {
    TickRecorder r;
    r.disarmOnCall = 3;
    r.Arm(20);
    Sleep(400);
    EXPECT_EQ(r.Count(), 3);
}

// Stopping is for good, so this suite runs last in the executable.
TEST(Win32TickSourceShutdown, StopWaitsEvenForACallOfADisarmedTimer) {
    TickRecorder r;
    r.stallOnCall = 1;
    r.stallMs = 300;
    const TickTimer t = r.Arm(1000);
    while (r.Count() == 0) Sleep(1);
    // Disarmed without waiting, as a pause does; then stopped, as at process end.
    DisarmTickTimer(t);
    StopTickSource();
    EXPECT_EQ(r.inside.load(), 0) << "StopTickSource returned during a call";
    TickRecorder late;
    late.Arm(10);
    Sleep(100);
    EXPECT_EQ(late.Count(), 0) << "a stopped source still calls";
}

}  // namespace
