// The Windows tick source on its own (run under Wine): first call at once,
// one per period, disarm from outside and inside, and a stop that waits for
// a call still running. Win32 primitives only: no C++ threads.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "platform/platform.h"

namespace {

struct Recorder {
    // A call of a disarmed timer may still be finishing: the record must
    // outlive it.
    ~Recorder() {
        while (inside.load() != 0) Sleep(1);
    }

    static constexpr int kCapacity = 256;
    uint32_t times[kCapacity];
    std::atomic<int> calls{0};
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    std::atomic<TickTimer> timer{kNoTickTimer};
    int disarmOnCall = 0;  // 1-based
    int sleepOnCall = 0;   // 1-based
    DWORD sleepFor = 0;
};

void Record(uintptr_t context) {
    Recorder& r = *reinterpret_cast<Recorder*>(context);
    if (r.inside.fetch_add(1) != 0) r.overlaps.fetch_add(1);
    const int n = r.calls.load();
    if (n < Recorder::kCapacity) r.times[n] = ReadMillisecondCounter();
    r.calls.store(n + 1);
    if (r.sleepOnCall == n + 1) Sleep(r.sleepFor);
    if (r.disarmOnCall == n + 1) DisarmTickTimer(r.timer.load());
    r.inside.fetch_sub(1);
}

TickTimer Arm(Recorder& r, uint32_t periodMs) {
    const TickTimer t = ArmTickTimer(periodMs, Record, reinterpret_cast<uintptr_t>(&r));
    r.timer.store(t);
    return t;
}

TEST(Win32TickSource, FirstCallAtOnceThenOnePerPeriod) {
    Recorder r;
    const uint32_t armed = ReadMillisecondCounter();
    const TickTimer t = Arm(r, 100);
    ASSERT_NE(t, kNoTickTimer);
    Sleep(1050);
    DisarmTickTimer(t);
    Sleep(50);
    const int n = r.calls.load();
    // Due at 0, 100, ..., 1000: 11 calls, a few fewer on a busy machine.
    EXPECT_GE(n, 8);
    EXPECT_LE(n, 12);
    EXPECT_LT(r.times[0] - armed, 60u) << "the first call comes at once";
    EXPECT_EQ(r.overlaps.load(), 0);
    const int afterDisarm = r.calls.load();
    Sleep(250);
    EXPECT_EQ(r.calls.load(), afterDisarm) << "no call after a disarm";
}

TEST(Win32TickSource, DisarmFromInsideTheCallback) {
    Recorder r;
    r.disarmOnCall = 3;
    Arm(r, 20);
    Sleep(400);
    EXPECT_EQ(r.calls.load(), 3);
}

TEST(Win32TickSource, CounterCountsMilliseconds) {
    const uint32_t a = ReadMillisecondCounter();
    Sleep(200);
    const uint32_t b = ReadMillisecondCounter();
    EXPECT_GE(b - a, 190u);
    EXPECT_LE(b - a, 400u);
}

// Stopping is for good, so this suite runs last in the executable.
TEST(Win32TickSourceShutdown, StopWaitsEvenForACallOfADisarmedTimer) {
    Recorder r;
    r.sleepOnCall = 1;
    r.sleepFor = 300;
    const TickTimer t = Arm(r, 1000);
    while (r.calls.load() == 0) Sleep(1);
    // The call is in its sleep; the timer is disarmed without waiting, as a
    // pause does, and then the source is stopped, as at process end.
    DisarmTickTimer(t);
    StopTickSource();
    EXPECT_EQ(r.inside.load(), 0) << "StopTickSource returned during a call";

    Recorder late;
    Arm(late, 10);
    Sleep(100);
    EXPECT_EQ(late.calls.load(), 0) << "a stopped source still calls";
}

}  // namespace
