// The clock's tick, its commands, the time text and the title, with time under
// the test's control.
#include "clock/clock.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/operations.h"
#include "app/window_logic.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

namespace {

const WindowHandle kWindow = fake::TestWindow();

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        // A laid-out display, so that every change of the time is seen.
        fake::g.clientSize = {165, 30};
        RelayoutDisplay(kWindow, 11);
        fake::g.repaints = fake::g.erasingRepaints = 0;
    }
    static void TickAt(uint32_t counter) {
        fake::g.counter = counter;
        ASSERT_TRUE(fake::FireTick()) << "no timer armed at " << counter;
    }
};

// A countdown of 1:23:45.678 started at 1000 and ticked 21:42.222 later shows
// what remains; a reset shows the whole countdown, and in stopwatch mode zero.
TEST_F(ClockTest, PrecisionTable) {
    const struct {
        int32_t precision, glyphs;
        uint32_t period;
        const wchar_t *remaining, *countdown;
    } rows[] = {{kPrecisionMinute, 8, 1000, L"01:02 __.00", L"01:23:__.00"},
                {kPrecisionSecond, 8, 1000, L"01:02:03.00", L"01:23:45.00"},
                {kPrecisionDecisecond, 10, 100, L"01:02:03.40", L"01:23:45.60"},
                {kPrecisionCentisecond, 11, 10, L"01:02:03.45", L"01:23:45.67"},
                {4, 8, 1000, L"01:02:03.00", L"01:23:45.00"},
                {-1, 8, 1000, L"01:02:03.00", L"01:23:45.00"}};
    for (const auto& r : rows) {
        SetUp();
        SetPrecision(static_cast<Precision>(r.precision));
        SetTimerMode(5025678);
        fake::g.counter = 1000;
        StartPause(kWindow);
        EXPECT_EQ(std::tuple(g_clock.precision, g_clock.glyphCount, fake::g.armedPeriod),
                  std::tuple(r.precision, r.glyphs, r.period));
        TickAt(1000 + 1302222);
        EXPECT_STREQ(g_displayText, r.remaining);
        ResetCommand(kWindow);
        EXPECT_STREQ(g_displayText, r.countdown);
        StopwatchCommand(kWindow);
        ResetCommand(kWindow);
        EXPECT_STREQ(g_displayText, L"00:00:00.00");
    }
}

// The counter wraps 1000 ms after the start; the countdown ends on the tick
// where the elapsed time reaches it, once, idle at zero, and keeps its title.
TEST_F(ClockTest, CountdownAcrossTheCounterWrap) {
    SetPrecision(kPrecisionCentisecond);
    SetTimerMode(5000);
    fake::g.counter = 0xFFFFFC18u;
    StartPause(kWindow);
    TickAt(500);
    EXPECT_STREQ(g_displayText, L"00:00:03.50");
    g_entryActive.store(1);  // the display shows the entry text: no repaint
    TickAt(3989);
    g_entryActive.store(0);
    EXPECT_STREQ(g_displayText, L"00:00:00.01");
    EXPECT_EQ(fake::g.repaints, 2);
    TickAt(3999);
    EXPECT_EQ(fake::g.timeUpPosts, 0);
    TickAt(4000);
    EXPECT_EQ(g_clock.started + g_clock.running + g_clock.elapsed, 0u);
    EXPECT_EQ(
        std::tuple(g_clock.mode, fake::g.timeUpPosts, fake::g.repaints, fake::g.erasingRepaints,
                   fake::g.armedTimer, std::wstring(g_displayText), fake::g.title),
        std::tuple(kModeTimer, 1, 4, 0, kNoTickTimer, L"00:00:00.00", L"Timer (5 sec)"));
}

// Idle, running (started at 0 and ticked at 1000) or paused, then an event at
// 1700. A tick of the old arming writes nothing; a start at 9000 (a resume
// where paused) and a tick at 9500 count on from the last tick's value.
TEST_F(ClockTest, EventsByStateAndStaleTicks) {
    void (*const pause)() = [] { ToggleClock(ClockTick); };
    void (*const reset)() = [] { ResetCommand(kWindow); };
    void (*const tenths)() = [] { PrecisionCommand(kWindow, kPrecisionDecisecond); };
    const struct {
        int toggles;
        void (*event)();
        int32_t started, running;
        uint32_t elapsed;
        const wchar_t* text;
    } rows[] = {{1, pause, 1, 0, 1000, L"00:00:01.00"},
                {1, reset, 0, 0, 0, L"00:00:00.00"},
                {1, tenths, 1, 1, 1000, L"00:00:08.80"},
                {2, tenths, 1, 0, 1000, L"00:00:01.50"},
                {0, tenths, 1, 0, 0, L"00:00:00.50"}};
    EXPECT_EQ(std::tuple(std::wstring(g_displayText), g_titleText[0]),
              std::tuple(L"00:00:00.00", 0));
    for (const auto& r : rows) {
        SetUp();
        if (r.toggles > 0) ToggleClock(ClockTick), TickAt(1000);
        if (r.toggles > 1) ToggleClock(ClockTick);
        const uintptr_t old = fake::g.tickContext;
        fake::g.counter = 1700;
        r.event();
        EXPECT_EQ(std::tuple(g_clock.started, g_clock.running, fake::g.armedTimer != kNoTickTimer,
                             g_clock.elapsed),
                  std::tuple(r.started, r.running, r.running == 1, r.elapsed));
        const std::wstring text = g_displayText;
        const int repaints = fake::g.repaints;
        fake::g.counter = 9000;
        ClockTick(old);
        EXPECT_EQ(std::tuple(g_displayText, fake::g.repaints), std::tuple(text, repaints));
        if (!g_clock.running) StartPause(kWindow);
        TickAt(9500);
        EXPECT_STREQ(g_displayText, r.text) << r.toggles;
    }
}

// A running stopwatch at 90 s: a 120 s preset shows what is left of it, a 60 s
// one ends at the next tick; a preset on an idle clock shows its whole length;
// the stopwatch command lets a running countdown count up from its elapsed time.
TEST_F(ClockTest, PresetAndStopwatchCommandsCountFromTheSameBase) {
    StartPause(kWindow);
    TickAt(90000);
    PresetCommand(kWindow, 120);
    EXPECT_STREQ(g_displayText, L"00:00:30.00");
    PresetCommand(kWindow, 60);
    EXPECT_EQ(std::tuple(g_clock.countdown, std::wstring(g_displayText), fake::g.title),
              std::tuple(60000u, L"00:00:00.00", L"Timer (60 sec)"));
    TickAt(90010);
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    PresetCommand(kWindow, 120);
    EXPECT_EQ(std::tuple(std::wstring(g_displayText), fake::g.title),
              std::tuple(L"00:02:00.00", L"Timer"));
    fake::g.counter = 100000;
    StartPause(kWindow);
    TickAt(130000);
    EXPECT_STREQ(g_displayText, L"00:01:30.00");
    StopwatchCommand(kWindow);
    EXPECT_EQ(std::tuple(std::wstring(g_displayText), fake::g.title, g_clock.running),
              std::tuple(L"00:00:30.00", L"Stopwatch", 1));
    TickAt(131000);  // 2 starts, 4 commands and 4 ticks have repainted
    EXPECT_EQ(std::tuple(std::wstring(g_displayText), g_clock.countdown, fake::g.repaints),
              std::tuple(L"00:00:31.00", 120000u, 10));
}

// Started at 0, ticked at 1000, then the machine sleeps and the counter jumps
// to the wake. A resume ticks a running clock at once: the display shows the
// sleep counted, and a countdown that ended inside it ends there, once. A
// paused clock is left alone, and the sleep is not counted when it goes on.
TEST_F(ClockTest, SleepBetweenTwoTicks) {
    const struct {
        uint32_t countdown;  // 0: stopwatch
        Precision precision;
        int toggles;
        uint32_t wake;
        const wchar_t* text;
        int timeUps;
    } rows[] = {{0, kPrecisionSecond, 1, 301000, L"00:05:01.00", 0},
                {600000, kPrecisionCentisecond, 1, 301234, L"00:04:58.76", 0},
                {600000, kPrecisionSecond, 1, 3600000, L"00:00:00.00", 1},
                {600000, kPrecisionSecond, 2, 3600000, L"00:09:58.00", 0}};
    for (const auto& r : rows) {
        SetUp();
        SetPrecision(r.precision);
        if (r.countdown) SetTimerMode(r.countdown);
        StartPause(kWindow);
        TickAt(1000);
        if (r.toggles > 1) StartPause(kWindow);
        const uintptr_t beforeSleep = fake::g.tickContext;
        const int arms = fake::g.armCount;
        fake::g.counter = r.wake;
        OnResume(kWindow);
        EXPECT_EQ(fake::g.armCount - arms, r.toggles == 1 ? 1 : 0) << r.wake;
        if (r.toggles > 1) StartPause(kWindow), fake::g.counter += 1000;
        if (fake::FireTick()) ClockTick(beforeSleep);
        EXPECT_EQ(std::tuple(std::wstring(g_displayText), fake::g.timeUpPosts),
                  std::tuple(r.text, r.timeUps))
            << r.wake;
    }
}

// Paused in both modes, and the longest suffix. (An idle and a running clock's
// titles are checked with the commands above.)
TEST_F(ClockTest, TitleByModeAndState) {
    const struct {
        uint32_t countdown;  // 0: stopwatch
        int toggles;
        const wchar_t* title;
    } rows[] = {{0, 2, L"Stopwatch (Paused)"},
                {4294967295u, 1, L"Timer (4294967 sec)"},
                {300000, 2, L"Timer (Paused)"}};
    for (const auto& r : rows) {
        SetUp();
        if (r.countdown) SetTimerMode(r.countdown);
        ResetCommand(kWindow);
        for (int i = 0; i < r.toggles; ++i) StartPause(kWindow);
        EXPECT_EQ(fake::g.title, r.title);
    }
}

// The fraction follows the armed period, the hours widen, the minute
// separator blinks with each formatting. (The fractions of each precision are
// in PrecisionTable.)
TEST_F(ClockTest, FormatTime) {
    const struct {
        Precision precision;
        uint32_t armedPeriod, ms;
        const wchar_t* text;
    } rows[] = {{kPrecisionSecond, 101, 61234, L"00:01:01.00"},
                {kPrecisionSecond, 11, 61234, L"00:01:01.20"},
                {kPrecisionDecisecond, 100, 3600000000u, L"1000:00:00.00"},
                {kPrecisionCentisecond, 10, 0xFFFFFFFFu, L"1193:02:47.29"},
                {kPrecisionMinute, 1000, 0xFFFFFFFFu, L"1193:02 __.00"},
                {kPrecisionMinute, 1000, 60000, L"00:01:__.00"},
                {kPrecisionMinute, 1000, 0, L"00:00 __.00"},
                {kPrecisionSecond, 1000, 359999000, L"99:59:59.00"}};  // shorter than the last
    for (const auto& r : rows) {
        SetPrecision(r.precision);
        g_clock.armedPeriod = r.armedPeriod;
        FormatTime(g_displayText, r.ms);
        EXPECT_STREQ(g_displayText, r.text) << r.ms;
    }
}

}  // namespace
