// The Linux tick source on its own. Timing bounds are loose (the machine may
// be busy); the checks that matter are counts and orderings that a wrong
// source breaks by a lot.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/clock/tick_recorder.h"

void SleepMs(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {

TEST(TickSource, FirstCallAtOnceThenOnePerPeriodNeverEarly) {
    TickRecorder r;
    const uint32_t armed = ReadMillisecondCounter();
    const TickTimer t = r.Arm(50);
    ASSERT_NE(t, kNoTickTimer);
    SleepMs(525);
    DisarmTickTimer(t);
    const uint32_t counted = ReadMillisecondCounter() - armed;
    EXPECT_GE(counted, 525u);
    EXPECT_LT(counted, 1500u);
    SleepMs(60);
    const int n = r.Count();
    EXPECT_LE(n, 11);  // due at 0, 50, ..., 500; a few fewer if the machine stalls
    EXPECT_GE(n, 8);
    EXPECT_LT(r.times[0] - armed, 40u) << "the first call comes at once";
    for (int k = 1; k < n; k++) EXPECT_GE(r.times[k] - armed, 50u * k) << "early call " << k;
    EXPECT_EQ(r.overlaps.load(), 0);
    SleepMs(120);
    EXPECT_EQ(r.Count(), n) << "no call after a disarm";
}

TEST(TickSource, DisarmFromInsideTheCallback) {
    TickRecorder r;
    r.disarmOnCall = 3;
    r.Arm(5);
    SleepMs(150);
    EXPECT_EQ(r.Count(), 3);
}

TEST(TickSource, DisarmDuringACallReturnsAtOnceAndTheNextArmingFollowsIt) {
    TickRecorder first, second;
    first.stallOnCall = 1;
    first.stallMs = 200;
    const TickTimer a = first.Arm(1000);
    while (first.Count() == 0) SleepMs(1);
    // Disarmed and re-armed during the call, as a precision change does.
    const uint32_t before = ReadMillisecondCounter();
    DisarmTickTimer(a);
    EXPECT_LT(ReadMillisecondCounter() - before, 100u) << "the disarm waited for the call";
    second.Arm(1000);
    for (int i = 0; i < 2000 && second.Count() == 0; i++) SleepMs(1);
    ASSERT_EQ(second.Count(), 1);
    const uint32_t gap = second.times[0] - first.times[0];
    EXPECT_GE(gap, 200u) << "calls never overlap";
    EXPECT_LT(gap, 300u) << "the new arming's first call came a period late";
    EXPECT_EQ(first.Count(), 1);
    DisarmTickTimer(second.timer.load());
}

TEST(TickSource, MissedTicksAfterAStallAreSkippedNotBurst) {
    TickRecorder r;
    r.stallOnCall = 3;
    r.stallMs = 105;  // ten and a half periods
    const uint32_t armed = ReadMillisecondCounter();
    const TickTimer t = r.Arm(10);
    SleepMs(300);
    DisarmTickTimer(t);
    SleepMs(20);
    const int n = r.Count();
    ASSERT_GE(n, 5);
    int soonAfterStall = 0;
    for (int k = 3; k < n; k++) soonAfterStall += r.times[k] - r.times[2] < 105 + 15;
    EXPECT_LE(soonAfterStall, 2) << "a catch-up burst follows the stall";
    EXPECT_LE(n, 22);  // 30 due times, about ten of them inside the stall
    for (int k = 1; k < n; k++) EXPECT_GE(r.times[k] - armed, 10u * k) << "early call " << k;
    EXPECT_EQ(r.overlaps.load(), 0);
}

// Stopping is for good, so this suite runs last in the executable.
TEST(TickSourceShutdown, StopWaitsForTheCallInProgressAndEndsAllCalls) {
    TickRecorder r;
    r.stallOnCall = 2;
    r.stallMs = 80;
    r.Arm(5);
    while (r.Count() < 2) SleepMs(1);
    StopTickSource();
    EXPECT_EQ(r.inside.load(), 0) << "StopTickSource returned during a call";
    const int n = r.Count();
    TickRecorder late;
    EXPECT_EQ(late.Arm(5), kNoTickTimer);
    SleepMs(50);
    EXPECT_EQ(r.Count(), n);
    EXPECT_EQ(late.Count(), 0);
}

}  // namespace
