// The clock's commands and settings: what each does to the clock by state,
// and the titles they leave.
#include <cwchar>

#include "tests/clock/clock_fixture.h"

namespace {

using ClockCommandTest = ClockTest;
WindowHandle Window() {
    return fake::TestWindow();
}

TEST_F(ClockCommandTest, SetPrecisionFollowsTheTable) {
    const struct {
        int32_t precision;
        int32_t glyphs;
        uint32_t period;
    } rows[] = {{0, 8, 1000}, {1, 8, 1000}, {2, 10, 100}, {3, 11, 10}, {4, 8, 1000}, {-1, 8, 1000}};
    for (const auto& row : rows) {
        SetPrecision(kPrecisionCentisecond);
        SetPrecision(static_cast<Precision>(row.precision));
        EXPECT_EQ(g_clock.precision, row.precision);  // stored unchanged, even out of range
        EXPECT_EQ(g_clock.glyphCount, row.glyphs) << row.precision;
        EXPECT_EQ(g_clock.tickPeriod, row.period) << row.precision;
    }
    EXPECT_EQ(fake::g.armCount, 0);
    EXPECT_EQ(g_clock.armedPeriod, 100u);
}

TEST_F(ClockCommandTest, SetClockModeFillsTheSuffixOnlyForTheTimer) {
    SetClockMode(kModeTimer, 300000);
    EXPECT_STREQ(g_clock.countdownSuffix, L" (300 sec)");
    SetClockMode(kModeTimer, 1500);
    EXPECT_STREQ(g_clock.countdownSuffix, L" (1 sec)");
    SetClockMode(kModeTimer, 0xFFFFFFFFu);
    EXPECT_STREQ(g_clock.countdownSuffix, L" (4294967 sec)");

    SetClockMode(kModeTimer, 90000);
    SetClockMode(kModeStopwatch, 5000);
    EXPECT_EQ(g_clock.mode, kModeStopwatch);
    EXPECT_EQ(g_clock.countdown, 90000u);
    EXPECT_STREQ(g_clock.countdownSuffix, L" (90 sec)");
}

TEST_F(ClockCommandTest, StartPauseTitlesAndRepaints) {
    StartPause(Window());
    EXPECT_TRUE(IsRunning());
    EXPECT_EQ(fake::g.title, L"Stopwatch");
    StartPause(Window());
    EXPECT_TRUE(IsPaused());
    EXPECT_EQ(fake::g.title, L"Stopwatch (Paused)");
    StartPause(Window());
    EXPECT_EQ(fake::g.title, L"Stopwatch");
    ResetCommand(Window());
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(fake::g.title, L"Stopwatch");
    EXPECT_EQ(fake::g.titleSets, 4);
    EXPECT_EQ(fake::g.repaints, 4);
    EXPECT_EQ(fake::g.erasingRepaints, 0);
}

TEST_F(ClockCommandTest, ResetMakesTheClockIdleAndShowsTheResetText) {
    SetClockMode(kModeTimer, 90000);
    fake::g.counter = 0;
    StartPause(Window());
    TickAt(0);
    TickAt(5000);
    ResetCommand(Window());
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(fake::g.armedTimer, kNoTickTimer);
    EXPECT_EQ(Display(), L"00:01:30.00");
    EXPECT_EQ(fake::g.title, L"Timer");
    EXPECT_EQ(g_clock.countdown, 90000u);

    // From paused, in stopwatch mode.
    SetClockMode(kModeStopwatch, 0);
    StartPause(Window());
    TickAt(3000);
    StartPause(Window());
    ResetCommand(Window());
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(Display(), L"00:00:00.00");
    EXPECT_EQ(fake::g.title, L"Stopwatch");
}

TEST_F(ClockCommandTest, StopwatchCommandOnARunningCountdownKeepsItRunningCountingUp) {
    SetClockMode(kModeTimer, 60000);
    fake::g.counter = 0;
    StartPause(Window());
    TickAt(0);
    TickAt(10000);
    EXPECT_EQ(Display(), L"00:00:50.00");
    EXPECT_EQ(fake::g.title, L"Timer (60 sec)");

    StopwatchCommand(Window());
    EXPECT_TRUE(IsRunning());
    EXPECT_EQ(fake::g.title, L"Stopwatch");
    EXPECT_EQ(Display(), L"00:00:10.00");
    TickAt(70000);  // past the old countdown: nothing ends
    EXPECT_EQ(Display(), L"00:01:10.00");
    EXPECT_EQ(fake::g.timeUpPosts, 0);
    EXPECT_EQ(g_clock.countdown, 60000u);
}

TEST_F(ClockCommandTest, StopwatchCommandOnAPausedCountdownShowsItsElapsedTime) {
    SetClockMode(kModeTimer, 60000);
    fake::g.counter = 0;
    StartPause(Window());
    TickAt(15000);
    StartPause(Window());
    StopwatchCommand(Window());
    EXPECT_TRUE(IsPaused());
    EXPECT_EQ(Display(), L"00:00:15.00");
    EXPECT_EQ(fake::g.title, L"Stopwatch (Paused)");
}

TEST_F(ClockCommandTest, PresetTitlesFollowTheClockState) {
    PresetCommand(Window(), 300);
    EXPECT_EQ(g_clock.mode, kModeTimer);
    EXPECT_EQ(g_clock.countdown, 300000u);
    EXPECT_EQ(fake::g.title, L"Timer");
    EXPECT_EQ(Display(), L"00:05:00.00");
    EXPECT_GE(fake::g.repaints, 1);
    EXPECT_EQ(fake::g.erasingRepaints, 0);

    fake::g.counter = 0;
    StartPause(Window());
    EXPECT_EQ(fake::g.title, L"Timer (300 sec)");
    TickAt(1000);
    EXPECT_EQ(Display(), L"00:04:59.00");

    PresetCommand(Window(), 3600);
    EXPECT_EQ(fake::g.title, L"Timer (3600 sec)");
    EXPECT_TRUE(IsRunning());
    EXPECT_EQ(g_clock.baseTick, 0u);

    StartPause(Window());
    EXPECT_EQ(fake::g.title, L"Timer (Paused)");
}

TEST_F(ClockCommandTest, PresetBelowTheCountedTimeEndsAtTheNextTick) {
    fake::g.counter = 0;
    StartPause(Window());
    TickAt(90000);
    EXPECT_EQ(Display(), L"00:01:30.00");
    PresetCommand(Window(), 60);
    EXPECT_TRUE(IsRunning());
    EXPECT_EQ(fake::g.timeUpPosts, 0);
    TickAt(91000);
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_EQ(Display(), L"00:00:00.00");
    EXPECT_EQ(fake::g.title, L"Timer (60 sec)");
}

TEST_F(ClockCommandTest, PrecisionOnAnIdleClockLeavesItPausedAtZero) {
    fake::g.counter = 4242;
    PrecisionCommand(Window(), kPrecisionDecisecond);
    EXPECT_TRUE(IsPaused());
    EXPECT_EQ(g_clock.baseTick, 4242u);
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(g_clock.armedPeriod, 100u);
    EXPECT_EQ(g_clock.glyphCount, 10);
    EXPECT_EQ(fake::g.armedTimer, kNoTickTimer);
    EXPECT_EQ(Display(), L"00:00:00.00");
    EXPECT_EQ(fake::g.titleSets, 0) << "a precision command leaves the title alone";
    EXPECT_GE(fake::g.erasingRepaints, 1) << "the new layout repaints with erase";

    // The arming made and dropped inside the command is stale.
    fake::g.counter = 9000;
    ClockTick(fake::g.tickContext);
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(Display(), L"00:00:00.00");

    // Resume counts from zero with the new period.
    StartPause(Window());
    EXPECT_EQ(fake::g.armedPeriod, 100u);
    TickAt(10234);
    EXPECT_EQ(Display(), L"00:00:01.20");
}

TEST_F(ClockCommandTest, PrecisionOnAPausedClockStaysPausedWithTheOldText) {
    SetPrecision(kPrecisionCentisecond);
    fake::g.counter = 0;
    StartPause(Window());
    TickAt(1234);
    StartPause(Window());
    EXPECT_EQ(Display(), L"00:00:01.23");

    fake::g.counter = 8000;
    PrecisionCommand(Window(), kPrecisionSecond);
    EXPECT_TRUE(IsPaused());
    EXPECT_EQ(g_clock.elapsed, 1234u);
    EXPECT_EQ(g_clock.armedPeriod, 1000u);
    EXPECT_EQ(g_clock.glyphCount, 8);
    EXPECT_EQ(Display(), L"00:00:01.23");
    EXPECT_EQ(fake::g.armedTimer, kNoTickTimer);

    StartPause(Window());
    TickAt(9000);
    EXPECT_EQ(Display(), L"00:00:02.00");
}

TEST_F(ClockCommandTest, PrecisionOnARunningClockReArmsWithTheNewPeriod) {
    fake::g.counter = 0;
    StartPause(Window());
    TickAt(0);
    TickAt(2000);
    const uintptr_t oldContext = fake::g.tickContext;
    const int arms = fake::g.armCount;

    fake::g.counter = 2700;  // 0.7 s after the last tick: dropped
    PrecisionCommand(Window(), kPrecisionCentisecond);
    EXPECT_TRUE(IsRunning());
    EXPECT_EQ(fake::g.armCount, arms + 1);
    EXPECT_EQ(fake::g.armedPeriod, 10u);
    EXPECT_EQ(g_clock.armedPeriod, 10u);
    EXPECT_EQ(g_clock.baseTick, 700u);
    EXPECT_EQ(g_clock.glyphCount, 11);
    EXPECT_NE(fake::g.tickContext, oldContext);

    TickAt(2700);
    EXPECT_EQ(Display(), L"00:00:02.00");
    TickAt(2745);
    EXPECT_EQ(Display(), L"00:00:02.04");
}

TEST_F(ClockCommandTest, MinutePrecisionCommandMakesTheSeparatorBlinkTickByTick) {
    fake::g.counter = 0;
    StartPause(Window());
    PrecisionCommand(Window(), kPrecisionMinute);
    TickAt(61000);
    EXPECT_EQ(Display(), L"00:01 __.00");
    TickAt(62000);
    EXPECT_EQ(Display(), L"00:01:__.00");
    TickAt(63000);
    EXPECT_EQ(Display(), L"00:01 __.00");
}

TEST_F(ClockCommandTest, UpdateTitleByState) {
    const struct {
        ClockMode mode;
        int32_t started;
        int32_t running;
        const wchar_t* title;
    } cases[] = {
        {kModeStopwatch, 0, 0, L"Stopwatch"},          {kModeStopwatch, 1, 1, L"Stopwatch"},
        {kModeStopwatch, 1, 0, L"Stopwatch (Paused)"}, {kModeTimer, 0, 0, L"Timer"},
        {kModeTimer, 1, 1, L"Timer (300 sec)"},        {kModeTimer, 1, 0, L"Timer (Paused)"},
        {kModeTimer, 7, 3, L"Timer (300 sec)"},  // any non-zero flag counts as set
    };
    SetClockMode(kModeTimer, 300000);
    for (const auto& c : cases) {
        g_clock.started = c.started;
        UpdateTitle(Window(), c.mode, c.running);
        EXPECT_EQ(fake::g.title, c.title);
        EXPECT_STREQ(g_titleText, c.title);
    }
    // The longest title there is still fits.
    SetClockMode(kModeTimer, 0xFFFFFFFFu);
    g_clock.started = 1;
    UpdateTitle(Window(), kModeTimer, 1);
    EXPECT_EQ(fake::g.title, L"Timer (4294967 sec)");
    EXPECT_EQ(wcslen(g_titleText), 19u);
}

}  // namespace
