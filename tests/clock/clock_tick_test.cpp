// The tick: time keeping, the end of a countdown, stale ticks.
#include "tests/clock/clock_fixture.h"

namespace {

using ClockTickTest = ClockTest;

TEST_F(ClockTickTest, CountdownEndsExactlyOnceOnTheTickWhereElapsedReachesIt) {
    SetClockMode(kModeTimer, 3000);
    fake::g.counter = 1000;
    StartPause(Window());
    EXPECT_EQ(fake::g.title, L"Timer (3 sec)");
    const uintptr_t context = fake::g.tickContext;
    TickAt(1000);
    EXPECT_EQ(Display(), L"00:00:03.00");
    TickAt(3999);  // 1 ms left: still running, shown truncated
    EXPECT_EQ(State(), "running");
    EXPECT_EQ(fake::g.timeUpPosts, 0);

    const int repaints = fake::g.repaints;
    TickAt(4000);
    EXPECT_EQ(State(), "idle");
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_EQ(fake::g.armedTimer, kNoTickTimer) << "the tick must disarm itself";
    EXPECT_EQ(fake::g.repaints, repaints + 1) << "the zero must be repainted";
    EXPECT_EQ(fake::g.erasingRepaints, 0);
    EXPECT_EQ(Display(), L"00:00:00.00");
    EXPECT_EQ(g_clock.countdown, 3000u);
    EXPECT_EQ(fake::g.title, L"Timer (3 sec)") << "the title stays as it was while running";

    // A tick of that arming already on its way does nothing.
    fake::g.counter = 9000;
    ClockTick(context);
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_EQ(fake::g.repaints, repaints + 1);

    // The next start counts the full countdown again.
    fake::g.counter = 20000;
    ToggleClock();
    TickAt(21000);
    EXPECT_EQ(Display(), L"00:00:02.00");
}

TEST_F(ClockTickTest, ZeroAndOverdueCountdownsEndOnceShowingZero) {
    for (uint32_t countdown : {0u, 2000u}) {
        SCOPED_TRACE(countdown);
        SetUp();
        SetClockMode(kModeTimer, countdown);
        fake::g.counter = 700;
        ToggleClock();
        TickAt(countdown == 0 ? 700 : 7500);  // a timer thread held up for seconds
        EXPECT_EQ(State(), "idle");
        EXPECT_EQ(Display(), L"00:00:00.00");
        EXPECT_FALSE(fake::FireTick());
        EXPECT_EQ(fake::g.timeUpPosts, 1);
    }
}

TEST_F(ClockTickTest, PauseDropsTheTimeSinceTheLastTick) {
    ToggleClock();
    TickAt(1000);
    fake::g.counter = 1900;  // 0.9 s after that tick
    ToggleClock();
    EXPECT_EQ(State(), "paused");
    EXPECT_EQ(g_clock.elapsed, 1000u);
    EXPECT_EQ(fake::g.armedTimer, kNoTickTimer);

    fake::g.counter = 50000;
    ToggleClock();
    TickAt(51000);
    EXPECT_EQ(Display(), L"00:00:02.00");
}

TEST_F(ClockTickTest, CounterWrapIsHarmless) {
    const uint32_t nearWrap = 0xFFFFFFFFu - 499u;
    fake::g.counter = nearWrap;
    ToggleClock();
    TickAt(nearWrap + 2500u);  // wraps to 2000
    EXPECT_EQ(g_clock.elapsed, 2500u);
    EXPECT_EQ(Display(), L"00:00:02.00");

    // Resumed just before the wrap, ticked just after it.
    ToggleClock();
    fake::g.counter = 0xFFFFFF00u;
    ToggleClock();
    TickAt(0xFFFFFF00u + 1000u);
    EXPECT_EQ(Display(), L"00:00:03.00");

    // A countdown straddling the wrap ends on time, not 49 days later.
    SetUp();
    SetClockMode(kModeTimer, 1000);
    fake::g.counter = 0xFFFFFF9Cu;  // 100 ms before the wrap
    ToggleClock();
    TickAt(899);
    EXPECT_EQ(State(), "running");
    TickAt(900);
    EXPECT_EQ(State(), "idle");
    EXPECT_EQ(fake::g.timeUpPosts, 1);
}

TEST_F(ClockTickTest, StaleTicksWriteNothing) {
    // Each event makes the running arming stale; a tick of it then comes late.
    // The end of a countdown is covered above.
    const struct {
        const char* event;
        void (*act)();
    } cases[] = {
        {"pause", [] { ToggleClock(); }},
        {"reset", [] { ResetCommand(fake::TestWindow()); }},
        {"re-arm by pause and resume", [] { ToggleClock(), ToggleClock(); }},
        {"re-arm by precision",
         [] { PrecisionCommand(fake::TestWindow(), kPrecisionCentisecond); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.event);
        SetUp();
        ToggleClock();
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
    }
}

}  // namespace
