// The Linux tick source on its own. Bounds are loose for a busy machine.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/platform.h"

namespace {

// Period 10 ms; call 3 stalls for ten and a half periods; call 8 disarms.
std::atomic<TickTimer> timer{kNoTickTimer};
std::atomic<int> calls{0};
uint32_t times[8];
void Call(uintptr_t) {
    const int n = calls.load();
    if (n < 8) times[n] = ReadMillisecondCounter();
    calls.store(n + 1);
    if (n + 1 == 3) std::this_thread::sleep_for(std::chrono::milliseconds(105));
    if (n + 1 == 8) DisarmTickTimer(timer.load());
}

TEST(TickSource, FirstCallAtOnceDisarmFromInsideNoBurstAfterAStall) {
    const uint32_t armed = ReadMillisecondCounter();
    timer = ArmTickTimer(10, Call, 0);
    ASSERT_NE(timer.load(), kNoTickTimer);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    ASSERT_EQ(calls.load(), 8) << "the disarm from inside the call did not hold";
    EXPECT_LT(times[0] - armed, 40u) << "the first call comes at once";
    int soonAfterStall = 0;
    for (int k = 1; k < 8; k++) {
        EXPECT_GE(times[k] - armed, 10u * k) << "early call " << k;
        if (k > 2) soonAfterStall += times[k] - times[2] < 105 + 15;
    }
    EXPECT_LE(soonAfterStall, 2) << "a catch-up burst follows the stall";
}

}  // namespace
