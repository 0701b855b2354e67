// The clock against the real tick source at 10 ms while the UI thread
// hammers every clock command for about three seconds. Run under
// ThreadSanitizer as well: the lock discipline between the two threads is the
// point.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <thread>

#include "app/app_record.h"
#include "app/commands.h"
#include "clock/clock.h"
#include "clock/time_text.h"
#include "entry/countdown_entry.h"
#include "tests/clock/concurrent_platform.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Snapshot {
    int32_t started;
    int32_t running;
    uint32_t elapsed;
    ClockMode mode;
    Precision precision;
    TickTimer timer;
    uintptr_t generation;
    wchar_t text[kDisplayTextCapacity];
};

Snapshot Take() {
    ClockLockGuard guard;
    Snapshot s{g_clock.started,   g_clock.running,   g_clock.elapsed,       g_clock.mode,
               g_clock.precision, g_clock.tickTimer, g_clock.armGeneration, {}};
    wcscpy(s.text, g_displayText);
    return s;
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Times in this test stay far below 100 hours, so every text has the usual
// eleven places.
void CheckInvariants(const Snapshot& s, const char* after) {
    SCOPED_TRACE(after);
    if (s.running) {
        EXPECT_TRUE(s.started) << "running without started";
        EXPECT_NE(s.timer, kNoTickTimer) << "running without an armed timer";
    }
    if (!s.started) {
        EXPECT_EQ(s.elapsed, 0u) << "an idle clock has counted time";
    }
    const std::wstring text = s.text;
    ASSERT_EQ(text.size(), 11u) << "malformed text";
    EXPECT_TRUE(IsDigit(text[0]) && IsDigit(text[1]) && IsDigit(text[3]) && IsDigit(text[4]));
    EXPECT_EQ(text[2], L':');
    EXPECT_TRUE(text[5] == L':' || text[5] == L' ');
    EXPECT_TRUE((IsDigit(text[6]) && IsDigit(text[7])) || (text[6] == L'_' && text[7] == L'_'));
    EXPECT_EQ(text[8], L'.');
    EXPECT_TRUE(IsDigit(text[9]) && IsDigit(text[10]));
}

// Nothing may change a clock that is not running: no tick still on its way
// when it was paused or reset may write.
void ExpectQuiet(const char* after) {
    const Snapshot before = Take();
    ASSERT_FALSE(before.running);
    std::this_thread::sleep_for(milliseconds(25));
    const Snapshot later = Take();
    EXPECT_EQ(later.elapsed, before.elapsed) << after;
    EXPECT_STREQ(later.text, before.text) << after;
    EXPECT_EQ(later.started, before.started) << after;
}

struct Random {
    uint32_t state;
    uint32_t Next(uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

WindowHandle Window() {
    return concurrent::TestWindow();
}

TEST(ClockStress, CommandsAgainstTheRealTick) {
    concurrent::g.uiThread = std::this_thread::get_id();
    g_app.mainWindow.store(Window());
    ResetClockForTests();
    SetPrecision(kPrecisionCentisecond);
    const uintptr_t firstGeneration = Take().generation;

    Random random{12345};
    int commands = 0;
    int quietEnds = 0;
    const Clock::time_point end = Clock::now() + std::chrono::seconds(3);
    while (Clock::now() < end) {
        const uint32_t pick = random.Next(100);
        const char* what = "";
        if (pick < 30) {
            what = "start/pause";
            StartPause(Window());
        } else if (pick < 38) {
            what = "reset";
            ResetCommand(Window());
            if (random.Next(3) == 0) ExpectQuiet(what);
        } else if (pick < 46) {
            what = "pause";
            StartPause(Window());
            if (!Take().running && random.Next(3) == 0) ExpectQuiet(what);
        } else if (pick < 53) {
            what = "stopwatch";
            StopwatchCommand(Window());
        } else if (pick < 61) {
            what = "preset";
            PresetCommand(Window(), kPresetIds[random.Next(12)]);
        } else if (pick < 76) {
            what = "precision";
            const uint32_t p = random.Next(10);
            PrecisionCommand(Window(),
                             p < 7 ? kPrecisionCentisecond : static_cast<Precision>(p - 7));
        } else if (pick < 90) {
            what = "short countdown";
            SetCountdown(random.Next(25));
        } else if (pick < 93) {
            // A short countdown left alone ends once: one post, Idle at zero.
            what = "countdown to its end";
            PrecisionCommand(Window(), kPrecisionCentisecond);
            ResetCommand(Window());
            SetCountdown(20);
            const int posts = concurrent::g.timeUpPosts.load();
            StartPause(Window());
            const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(2);
            while (Take().started && Clock::now() < giveUp)
                std::this_thread::sleep_for(milliseconds(1));
            std::this_thread::sleep_for(milliseconds(30));
            const Snapshot s = Take();
            EXPECT_FALSE(s.started);
            EXPECT_EQ(s.elapsed, 0u);
            EXPECT_STREQ(s.text, L"00:00:00.00");
            EXPECT_EQ(concurrent::g.timeUpPosts.load(), posts + 1);
            quietEnds++;
        } else {
            what = "idle";
            std::this_thread::sleep_for(milliseconds(random.Next(40)));
        }
        commands++;
        CheckInvariants(Take(), what);
        if (random.Next(2) == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(random.Next(1000)));
        if (::testing::Test::HasFailure()) break;
    }
    StopTickSource();
    std::printf("commands=%d countdown_ends_awaited=%d tick_repaints=%d time_up_posts=%d\n",
                commands, quietEnds, concurrent::g.tickThreadRepaints.load(),
                concurrent::g.timeUpPosts.load());

    const Snapshot last = Take();
    CheckInvariants(last, "the end");
    EXPECT_GT(commands, 300);
    EXPECT_GT(quietEnds, 5);
    EXPECT_GT(concurrent::g.tickThreadRepaints.load(), 50) << "the tick hardly ran";
    // At most one end, hence one post, per arming.
    EXPECT_GE(concurrent::g.timeUpPosts.load(), quietEnds);
    EXPECT_LE(static_cast<uintptr_t>(concurrent::g.timeUpPosts.load()),
              last.generation - firstGeneration);
    EXPECT_EQ(concurrent::g.messageBoxes.load(), 0);
}

}  // namespace
