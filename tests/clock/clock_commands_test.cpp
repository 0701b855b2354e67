// The clock's commands by clock state, and the titles they leave.
#include <cwchar>

#include "tests/clock/clock_fixture.h"

namespace {

using ClockCommandTest = ClockTest;

TEST_F(ClockCommandTest, ResetMakesTheClockIdleAndShowsTheResetText) {
    SetClockMode(kModeTimer, 90000);
    StartPause(Window());
    TickAt(5000);
    ResetCommand(Window());
    EXPECT_EQ(State(), "idle");
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(fake::g.armedTimer, kNoTickTimer);
    EXPECT_EQ(Display(), L"00:01:30.00");
    EXPECT_EQ(fake::g.title, L"Timer");

    // From paused, in stopwatch mode.
    SetClockMode(kModeStopwatch, 0);
    StartPause(Window());
    TickAt(8000);
    StartPause(Window());
    EXPECT_EQ(fake::g.title, L"Stopwatch (Paused)");
    ResetCommand(Window());
    EXPECT_EQ(State(), "idle");
    EXPECT_EQ(Display(), L"00:00:00.00");
    EXPECT_EQ(fake::g.title, L"Stopwatch");
    EXPECT_EQ(fake::g.erasingRepaints, 0);
}

TEST_F(ClockCommandTest, StopwatchCommandTurnsACountdownIntoCountingUp) {
    SetClockMode(kModeTimer, 60000);
    StartPause(Window());
    TickAt(10000);
    EXPECT_EQ(Display(), L"00:00:50.00");
    StopwatchCommand(Window());
    EXPECT_EQ(State(), "running");
    EXPECT_EQ(fake::g.title, L"Stopwatch");
    EXPECT_EQ(Display(), L"00:00:10.00");
    TickAt(70000);  // past the old countdown: nothing ends
    EXPECT_EQ(Display(), L"00:01:10.00");
    EXPECT_EQ(fake::g.timeUpPosts, 0);
    EXPECT_EQ(g_clock.countdown, 60000u) << "the countdown stays stored";

    // Paused: shows the elapsed time.
    PresetCommand(Window(), 300);
    StartPause(Window());
    StopwatchCommand(Window());
    EXPECT_EQ(State(), "paused");
    EXPECT_EQ(Display(), L"00:01:10.00");
    EXPECT_EQ(fake::g.title, L"Stopwatch (Paused)");
}

TEST_F(ClockCommandTest, PresetKeepsTheBaseAndEndsAtOnceBelowTheCountedTime) {
    PresetCommand(Window(), 300);
    EXPECT_EQ(g_clock.mode, kModeTimer);
    EXPECT_EQ(fake::g.title, L"Timer");
    EXPECT_EQ(Display(), L"00:05:00.00");
    StartPause(Window());
    TickAt(90000);
    EXPECT_EQ(Display(), L"00:03:30.00");
    PresetCommand(Window(), 3600);
    EXPECT_EQ(fake::g.title, L"Timer (3600 sec)");
    EXPECT_EQ(g_clock.baseTick, 0u);

    PresetCommand(Window(), 60);
    EXPECT_EQ(State(), "running");
    TickAt(91000);
    EXPECT_EQ(State(), "idle");
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_EQ(fake::g.title, L"Timer (60 sec)");
    StartPause(Window());
    StartPause(Window());
    EXPECT_EQ(fake::g.title, L"Timer (Paused)");
    // The longest title there is still fits.
    SetClockMode(kModeTimer, 0xFFFFFFFFu);
    StartPause(Window());
    EXPECT_STREQ(g_titleText, L"Timer (4294967 sec)");
}

TEST_F(ClockCommandTest, PrecisionCommandByClockState) {
    // Idle: becomes paused at zero with the new period, and nothing armed.
    fake::g.counter = 4242;
    PrecisionCommand(Window(), kPrecisionDecisecond);
    EXPECT_EQ(State(), "paused");
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(g_clock.armedPeriod, 100u);
    EXPECT_EQ(g_clock.glyphCount, 10);
    EXPECT_EQ(fake::g.armedTimer, kNoTickTimer);
    EXPECT_EQ(fake::g.titleSets, 0) << "a precision command leaves the title alone";
    EXPECT_GE(fake::g.erasingRepaints, 1) << "the new layout repaints with erase";
    StartPause(Window());
    TickAt(5476);
    EXPECT_EQ(Display(), L"00:00:01.20");

    // Running: re-armed with the new period; the 0.7 s since the last tick is dropped.
    TickAt(6476);
    fake::g.counter = 7176;
    PrecisionCommand(Window(), kPrecisionCentisecond);
    EXPECT_EQ(State(), "running");
    EXPECT_EQ(fake::g.armedPeriod, 10u);
    EXPECT_EQ(g_clock.glyphCount, 11);
    TickAt(7221);
    EXPECT_EQ(Display(), L"00:00:02.27");

    // Paused: stays paused, keeps its text, resumes with the new period.
    StartPause(Window());
    fake::g.counter = 8000;
    PrecisionCommand(Window(), kPrecisionSecond);
    EXPECT_EQ(State(), "paused");
    EXPECT_EQ(g_clock.armedPeriod, 1000u);
    EXPECT_EQ(g_clock.glyphCount, 8);
    EXPECT_EQ(Display(), L"00:00:02.27");
    StartPause(Window());
    EXPECT_EQ(fake::g.armedPeriod, 1000u);
    TickAt(9000);
    EXPECT_EQ(Display(), L"00:00:03.00");

    // A value outside the four precisions gets the second precision's layout.
    SetPrecision(static_cast<Precision>(7));
    EXPECT_EQ(g_clock.glyphCount, 8);
    EXPECT_EQ(g_clock.tickPeriod, 1000u);
}

TEST_F(ClockCommandTest, MinutePrecisionSeparatorBlinksTickByTick) {
    StartPause(Window());
    PrecisionCommand(Window(), kPrecisionMinute);
    TickAt(61000);
    EXPECT_EQ(Display(), L"00:01 __.00");
    TickAt(62000);
    EXPECT_EQ(Display(), L"00:01:__.00");
    TickAt(63000);
    EXPECT_EQ(Display(), L"00:01 __.00");
}

}  // namespace
