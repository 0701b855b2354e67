// The Linux tick source on its own. Bounds are loose for a busy machine.
// The binary also runs itself again in a time namespace whose boot time is
// far ahead of its monotonic time, where a counter or a due time on the wrong
// clock shows at once.
#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
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

// The counter counts the time the machine slept: CLOCK_BOOTTIME, never
// CLOCK_MONOTONIC, which stops during a suspend.
TEST(TickSource, CounterFollowsBootTimeInATimeNamespace) {
    if (getenv("MOX_IN_TIME_NAMESPACE") == nullptr) {
        // Root makes the namespace itself; anyone else through a user namespace.
        const std::string unshare = std::string("unshare ") +
                                    (geteuid() == 0 ? "" : "--user --map-root-user ") +
                                    "--time --fork --boottime 100000 --monotonic 0 ";
        if (system((unshare + "true 2>/dev/null").c_str()) != 0)
            GTEST_SKIP() << "this machine does not let a process make a time namespace";
        char self[4096];
        const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
        ASSERT_GT(length, 0);
        self[length] = 0;
        // Every test of this binary, the tick's timing among them, runs there.
        EXPECT_EQ(system(("MOX_IN_TIME_NAMESPACE=1 " + unshare + self).c_str()), 0);
        return;
    }
    timespec boot, monotonic;
    clock_gettime(CLOCK_BOOTTIME, &boot);
    clock_gettime(CLOCK_MONOTONIC, &monotonic);
    ASSERT_GE(boot.tv_sec - monotonic.tv_sec, 100000) << "not in the namespace";
    const auto bootMs =
        static_cast<uint32_t>(static_cast<uint64_t>(boot.tv_sec) * 1000u + boot.tv_nsec / 1000000);
    EXPECT_LT(ReadMillisecondCounter() - bootMs, 1000u);
}

}  // namespace
