// The real tick against hammered clock commands, for ThreadSanitizer above all. The
// fake platform records into unguarded fields, so the services the tick calls
// here use atomics; the rest of the fake is only reached from this thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <regex>
#include <string>
#include <thread>
#include <utility>

#include "app/operations.h"
#include "clock/time_text.h"
#include "platform/fake/fake_platform.h"

namespace {
std::atomic<int> tickRepaints{0}, timeUpPosts{0};
std::thread::id uiThread;
const WindowHandle kWindow = fake::TestWindow();
}  // namespace

void RequestRepaint(WindowHandle, bool) {
    if (std::this_thread::get_id() != uiThread) tickRepaints++;
}
void RequestPartialRepaint(WindowHandle window, const Rect&) {
    RequestRepaint(window, false);
}
void PostTimeUp(WindowHandle) {
    timeUpPosts++;
}

namespace {

std::pair<ClockState, std::wstring> Take() {
    ClockLockGuard guard;
    return {g_clock, g_displayText};
}

std::minstd_rand rng;
uint32_t Random(uint32_t bound) {
    return rng() % bound;
}

void (*const kCommands[])() = {
    [] { StartPause(kWindow); },
    [] { StartPause(kWindow); },
    [] { ResetCommand(kWindow); },
    [] { StopwatchCommand(kWindow); },
    [] { PresetCommand(kWindow, Random(2)); },
    [] { PrecisionCommand(kWindow, Precision(Random(4))); },
    [] { std::this_thread::sleep_for(std::chrono::milliseconds(Random(40))); },
};

TEST(ClockStress, CommandsAgainstTheRealTick) {
    static const std::wregex kShape(LR"(\d\d:\d\d(:\d\d|[: ]__)\.\d\d)");
    uiThread = std::this_thread::get_id();
    fake::Reset();
    fake::g.clientSize = {400, 100};
    const uintptr_t firstGeneration = g_clock.armGeneration;
    // At least 1.5 s, and on a busy machine on until the tick has done enough
    // to judge it by (at most 60 s).
    const auto start = std::chrono::steady_clock::now();
    const auto busy = [&] {
        const auto ran = std::chrono::steady_clock::now() - start;
        return ran < std::chrono::milliseconds(1500) ||
               (ran < std::chrono::seconds(60) && (timeUpPosts <= 3 || tickRepaints <= 10));
    };
    while (busy() && !::testing::Test::HasFailure()) {
        const size_t kind = Random(std::size(kCommands));
        kCommands[kind]();
        const auto [c, text] = Take();
        SCOPED_TRACE(kind);
        EXPECT_TRUE(!c.running || (c.started && c.tickTimer != kNoTickTimer)) << "not armed";
        EXPECT_TRUE(c.started || c.elapsed == 0) << "an idle clock has counted time";
        EXPECT_TRUE(std::regex_match(text, kShape)) << "malformed text";
        if (!c.running && Random(4) == 0) {  // a tick on its way must not write
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
            EXPECT_EQ(Take().second, text);
        }
    }
    StopTickSource();
    // An end disarms, so each arming ends at most once.
    EXPECT_GT(timeUpPosts.load(), 3);
    EXPECT_LE(uintptr_t(timeUpPosts.load()), g_clock.armGeneration - firstGeneration);
    EXPECT_GT(tickRepaints.load(), 10) << "the tick hardly ran";
}

}  // namespace
