// The tick: time keeping, the end of a countdown, stale ticks.
#include "tests/clock/clock_fixture.h"

namespace {

using ClockTickTest = ClockTest;

TEST_F(ClockTickTest, StartArmsAtOnceWithThePrecisionsPeriodAndTheFirstTickShowsZero) {
    SetPrecision(kPrecisionCentisecond);
    fake::g.counter = 5000;
    ToggleClock();
    EXPECT_TRUE(IsRunning());
    EXPECT_EQ(g_clock.baseTick, 5000u);
    EXPECT_EQ(fake::g.armedPeriod, 10u);
    EXPECT_EQ(g_clock.armedPeriod, 10u);
    EXPECT_EQ(fake::g.tickContext, g_clock.armGeneration);
    EXPECT_EQ(fake::g.tickCallback, &ClockTick);

    TickAt(5000);
    EXPECT_EQ(Display(), L"00:00:00.00");
    TickAt(6234);
    EXPECT_EQ(g_clock.elapsed, 1234u);
    EXPECT_EQ(Display(), L"00:00:01.23");
    EXPECT_EQ(fake::g.repaints, 2);
    EXPECT_EQ(fake::g.erasingRepaints, 0);
}

TEST_F(ClockTickTest, CountdownEndsExactlyOnceOnTheTickWhereElapsedReachesIt) {
    SetClockMode(kModeTimer, 3000);
    fake::g.counter = 1000;
    StartPause(fake::TestWindow());
    const std::wstring runningTitle = fake::g.title;
    EXPECT_EQ(runningTitle, L"Timer (3 sec)");
    const uintptr_t context = fake::g.tickContext;

    TickAt(1000);
    EXPECT_EQ(Display(), L"00:00:03.00");
    TickAt(3999);  // 1 ms left: still running, shown truncated
    EXPECT_TRUE(IsRunning());
    EXPECT_EQ(Display(), L"00:00:00.00");
    EXPECT_EQ(fake::g.timeUpPosts, 0);

    const int repaintsBefore = fake::g.repaints;
    TickAt(4000);
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_EQ(fake::g.armedTimer, kNoTickTimer) << "the tick must disarm itself";
    EXPECT_EQ(fake::g.repaints, repaintsBefore + 1) << "the zero must be repainted";
    EXPECT_EQ(Display(), L"00:00:00.00");
    // Mode, countdown and the title as it stood while running all stay.
    EXPECT_EQ(g_clock.mode, kModeTimer);
    EXPECT_EQ(g_clock.countdown, 3000u);
    EXPECT_EQ(fake::g.title, runningTitle);
    EXPECT_EQ(std::wstring(g_titleText), runningTitle);

    // A tick of that arming that was already on its way does nothing.
    fake::g.counter = 9000;
    ClockTick(context);
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(fake::g.repaints, repaintsBefore + 1);

    // The next start counts the full countdown again.
    fake::g.counter = 20000;
    ToggleClock();
    TickAt(20000);
    EXPECT_EQ(Display(), L"00:00:03.00");
    TickAt(21000);
    EXPECT_EQ(Display(), L"00:00:02.00");
}

TEST_F(ClockTickTest, ZeroCountdownEndsAtTheFirstTickAndPostsOnce) {
    SetClockMode(kModeTimer, 0);
    fake::g.counter = 700;
    ToggleClock();
    TickAt(700);
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_FALSE(fake::FireTick());
    EXPECT_EQ(fake::g.timeUpPosts, 1);
}

TEST_F(ClockTickTest, LateTickEndsTheCountdownShowingZero) {
    SetClockMode(kModeTimer, 2000);
    fake::g.counter = 0;
    ToggleClock();
    TickAt(0);
    TickAt(7500);  // the timer thread was held up for seconds
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_EQ(Display(), L"00:00:00.00");
}

TEST_F(ClockTickTest, PauseDropsTheTimeSinceTheLastTick) {
    fake::g.counter = 0;
    ToggleClock();
    TickAt(0);
    TickAt(1000);
    fake::g.counter = 1900;  // 0.9 s after that tick
    ToggleClock();
    EXPECT_TRUE(IsPaused());
    EXPECT_EQ(g_clock.elapsed, 1000u);
    EXPECT_EQ(fake::g.armedTimer, kNoTickTimer);

    fake::g.counter = 50000;
    ToggleClock();
    EXPECT_TRUE(IsRunning());
    EXPECT_EQ(g_clock.baseTick, 49000u);
    TickAt(50000);
    EXPECT_EQ(Display(), L"00:00:01.00");
    TickAt(51000);
    EXPECT_EQ(Display(), L"00:00:02.00");
}

TEST_F(ClockTickTest, CounterWrapIsHarmless) {
    const uint32_t nearWrap = 0xFFFFFFFFu - 499u;  // 500 ms before the wrap
    fake::g.counter = nearWrap;
    ToggleClock();
    TickAt(nearWrap);
    TickAt(nearWrap + 2500u);  // wraps to 2000
    EXPECT_EQ(fake::g.counter, 2000u);
    EXPECT_EQ(g_clock.elapsed, 2500u);
    EXPECT_EQ(Display(), L"00:00:02.00");

    // Resumed just before the wrap, ticked just after it.
    ToggleClock();
    fake::g.counter = 0xFFFFFF00u;
    ToggleClock();
    TickAt(0xFFFFFF00u + 1000u);
    EXPECT_EQ(g_clock.elapsed, 3500u);
    EXPECT_EQ(Display(), L"00:00:03.00");

    // A countdown straddling the wrap ends on time, not 49 days later.
    ResetClockForTests();
    SetClockMode(kModeTimer, 1000);
    fake::g.counter = 0xFFFFFF9Cu;  // 100 ms before the wrap
    ToggleClock();
    TickAt(0xFFFFFF9Cu);
    TickAt(899);  // 999 ms counted
    EXPECT_TRUE(IsRunning());
    TickAt(900);
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(fake::g.timeUpPosts, 1);
}

TEST_F(ClockTickTest, StaleTicksWriteNothing) {
    // Each case leaves the clock after an event that makes the earlier arming
    // stale, then delivers a tick of that arming by hand, later in time.
    const struct {
        const char* event;
        void (*act)();
    } cases[] = {
        {"pause", [] { ToggleClock(); }},
        {"reset", [] { ResetCommand(fake::TestWindow()); }},
        {"pause and resume",
         [] {
             ToggleClock();
             ToggleClock();
         }},
        {"precision change", [] { PrecisionCommand(fake::TestWindow(), kPrecisionCentisecond); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.event);
        fake::Reset();
        ResetClockForTests();
        SetPrecision(kPrecisionSecond);
        fake::g.counter = 0;
        ToggleClock();
        TickAt(0);
        TickAt(1000);
        const uintptr_t oldContext = fake::g.tickContext;
        fake::g.counter = 1500;
        c.act();

        const uint32_t elapsed = g_clock.elapsed;
        const std::wstring text = Display();
        const int repaints = fake::g.repaints;
        fake::g.counter = 9000;
        ClockTick(oldContext);
        EXPECT_EQ(g_clock.elapsed, elapsed);
        EXPECT_EQ(Display(), text);
        EXPECT_EQ(fake::g.repaints, repaints);
        EXPECT_EQ(fake::g.timeUpPosts, 0);
    }
}

TEST_F(ClockTickTest, NoRepaintDuringCountdownEntryButTheTextStillAdvances) {
    SetClockMode(kModeTimer, 2000);
    fake::g.counter = 0;
    ToggleClock();
    g_entryActive.store(1);
    TickAt(0);
    TickAt(1000);
    EXPECT_EQ(Display(), L"00:00:01.00");
    TickAt(2000);
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_EQ(fake::g.repaints, 0);
}

}  // namespace
