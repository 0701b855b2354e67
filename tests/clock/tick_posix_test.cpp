// The Linux tick source on its own: timing, no overlaps, disarming from
// anywhere, re-arming during a call, skipping after a stall, stopping.
// Timing bounds are loose on purpose (the machine may be busy); the checks
// that matter are counts and orderings that a wrong source breaks by a lot.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/platform.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Recorder {
    // A call of a disarmed timer may still be finishing: the record must
    // outlive it.
    ~Recorder() {
        while (inside.load() != 0) std::this_thread::sleep_for(milliseconds(1));
    }

    static constexpr int kCapacity = 4096;
    Clock::time_point times[kCapacity];
    std::atomic<int> calls{0};
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    std::atomic<TickTimer> timer{kNoTickTimer};
    // Per-test behaviour, set before arming.
    int disarmOnCall = 0;  // disarm from inside on this call (1-based)
    int stallOnCall = 0;   // block this long inside this call
    milliseconds stallFor{0};
    std::atomic<bool> holdFirstCall{false};  // first call waits until released
    std::atomic<bool> release{false};

    int Count() const { return calls.load(); }
};

void Record(uintptr_t context) {
    Recorder& r = *reinterpret_cast<Recorder*>(context);
    if (r.inside.fetch_add(1) != 0) r.overlaps.fetch_add(1);
    const int n = r.calls.load();
    if (n < Recorder::kCapacity) r.times[n] = Clock::now();
    r.calls.store(n + 1);
    if (n == 0 && r.holdFirstCall.load()) {
        const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(5);
        while (!r.release.load() && Clock::now() < giveUp)
            std::this_thread::sleep_for(milliseconds(1));
    }
    if (r.stallOnCall == n + 1) std::this_thread::sleep_for(r.stallFor);
    if (r.disarmOnCall == n + 1) DisarmTickTimer(r.timer.load());
    r.inside.fetch_sub(1);
}

TickTimer Arm(Recorder& r, uint32_t periodMs) {
    const TickTimer t = ArmTickTimer(periodMs, Record, reinterpret_cast<uintptr_t>(&r));
    r.timer.store(t);
    return t;
}

double MsBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

TEST(TickSource, CounterIsMonotonicMilliseconds) {
    const uint32_t a = ReadMillisecondCounter();
    const Clock::time_point start = Clock::now();
    std::this_thread::sleep_for(milliseconds(100));
    const uint32_t b = ReadMillisecondCounter();
    const double measured = MsBetween(start, Clock::now());
    EXPECT_GE(b - a, 99u);
    EXPECT_LE(b - a, static_cast<uint32_t>(measured) + 2);
}

TEST(TickSource, FirstCallAtOnceThenOnePerPeriodNeverEarly) {
    Recorder r;
    const Clock::time_point armed = Clock::now();
    const TickTimer t = Arm(r, 50);
    ASSERT_NE(t, kNoTickTimer);
    std::this_thread::sleep_for(milliseconds(525));
    DisarmTickTimer(t);
    std::this_thread::sleep_for(milliseconds(60));
    const int n = r.Count();
    // Due at 0, 50, ..., 500: 11 calls, a few fewer if the machine stalls.
    EXPECT_LE(n, 11);
    EXPECT_GE(n, 8);
    EXPECT_LT(MsBetween(armed, r.times[0]), 40.0) << "the first call comes at once";
    for (int k = 1; k < n; k++) {
        // Absolute due times: call k is never before k periods after arming.
        EXPECT_GE(MsBetween(armed, r.times[k]), 50.0 * k) << "call " << k;
    }
    EXPECT_EQ(r.overlaps.load(), 0);
    const int afterDisarm = r.Count();
    std::this_thread::sleep_for(milliseconds(120));
    EXPECT_EQ(r.Count(), afterDisarm) << "no call after a disarm";
}

TEST(TickSource, DisarmFromInsideTheCallback) {
    Recorder r;
    r.disarmOnCall = 3;
    Arm(r, 5);
    std::this_thread::sleep_for(milliseconds(150));
    EXPECT_EQ(r.Count(), 3);
}

TEST(TickSource, DisarmDoesNotWaitForACallInProgress) {
    Recorder r;
    r.holdFirstCall = true;
    const TickTimer t = Arm(r, 10);
    while (r.Count() == 0) std::this_thread::sleep_for(milliseconds(1));
    const Clock::time_point before = Clock::now();
    DisarmTickTimer(t);
    const double took = MsBetween(before, Clock::now());
    EXPECT_EQ(r.inside.load(), 1) << "the call is still held";
    r.release = true;
    EXPECT_LT(took, 100.0);
    std::this_thread::sleep_for(milliseconds(60));
    EXPECT_EQ(r.Count(), 1);
}

TEST(TickSource, ReArmDuringACallStartsRightAfterItWithoutOverlap) {
    Recorder first;
    first.holdFirstCall = true;
    const TickTimer a = Arm(first, 1000);
    while (first.Count() == 0) std::this_thread::sleep_for(milliseconds(1));

    // Re-armed while the old arming's call is still running, as a precision
    // change on the UI thread does.
    DisarmTickTimer(a);
    Recorder second;
    Arm(second, 1000);
    std::this_thread::sleep_for(milliseconds(30));
    EXPECT_EQ(second.Count(), 0) << "calls never overlap";
    const Clock::time_point released = Clock::now();
    first.release = true;
    const Clock::time_point giveUp = released + std::chrono::seconds(2);
    while (second.Count() == 0 && Clock::now() < giveUp)
        std::this_thread::sleep_for(milliseconds(1));
    ASSERT_EQ(second.Count(), 1);
    EXPECT_LT(MsBetween(released, second.times[0]), 100.0)
        << "the new arming's first call follows the call in progress, not a period later";
    EXPECT_EQ(first.Count(), 1);
    DisarmTickTimer(second.timer.load());
}

TEST(TickSource, ManyReArmsFromAnotherThreadNeverOverlap) {
    Recorder r;
    const Clock::time_point end = Clock::now() + milliseconds(300);
    TickTimer t = kNoTickTimer;
    while (Clock::now() < end) {
        DisarmTickTimer(t);
        t = Arm(r, 1);
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    DisarmTickTimer(t);
    std::this_thread::sleep_for(milliseconds(20));
    EXPECT_GT(r.Count(), 50);
    EXPECT_EQ(r.overlaps.load(), 0);
}

TEST(TickSource, MissedTicksAfterAStallAreSkippedNotBurst) {
    Recorder r;
    r.stallOnCall = 3;
    r.stallFor = milliseconds(105);  // ten and a half periods
    const Clock::time_point armed = Clock::now();
    const TickTimer t = Arm(r, 10);
    std::this_thread::sleep_for(milliseconds(300));
    DisarmTickTimer(t);
    std::this_thread::sleep_for(milliseconds(20));
    const int n = r.Count();
    ASSERT_GE(n, 5);

    // The stalled call began at about 20 ms and ended at about 125 ms.
    const Clock::time_point stallEnd = r.times[2] + r.stallFor;
    int within15 = 0;
    for (int k = 3; k < n; k++) {
        if (r.times[k] < stallEnd + milliseconds(15)) within15++;
    }
    EXPECT_LE(within15, 2) << "a catch-up burst follows the stall";
    // Due times 0..290: 30 slots, of which about ten fell inside the stall.
    EXPECT_LE(n, 22);
    for (int k = 1; k < n; k++) {
        EXPECT_GE(MsBetween(armed, r.times[k]), 10.0 * k) << "call " << k << " came early";
    }
    EXPECT_EQ(r.overlaps.load(), 0);
}

// Stopping is for good, so this suite runs last in the executable.
TEST(TickSourceShutdown, StopWaitsForTheCallInProgressAndEndsAllCalls) {
    Recorder r;
    r.stallOnCall = 2;
    r.stallFor = milliseconds(80);
    Arm(r, 5);
    while (r.Count() < 2) std::this_thread::sleep_for(milliseconds(1));
    StopTickSource();
    EXPECT_EQ(r.inside.load(), 0) << "StopTickSource returned during a call";
    const int n = r.Count();
    std::this_thread::sleep_for(milliseconds(50));
    EXPECT_EQ(r.Count(), n);

    Recorder late;
    EXPECT_EQ(Arm(late, 5), kNoTickTimer);
    std::this_thread::sleep_for(milliseconds(50));
    EXPECT_EQ(late.Count(), 0);
}

}  // namespace
