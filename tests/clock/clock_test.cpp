// The clock's tick, its commands and the time text, with time under the test's control.
#include "clock/clock.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_record.h"
#include "clock/time_text.h"
#include "platform/fake/fake_platform.h"

namespace {

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        ResetClockForTests();
        g_app.mainWindow.store(fake::TestWindow());
    }
    static void TickAt(uint32_t counter) {
        fake::g.counter = counter;
        ASSERT_TRUE(fake::FireTick()) << "no timer armed at " << counter;
    }
};

TEST_F(ClockTest, CountdownEndsOnceOnTheTickWhereElapsedReachesIt) {
    SetClockMode(kModeTimer, 3000);
    fake::g.counter = 1000;
    StartPause(fake::TestWindow());
    const uintptr_t context = fake::g.tickContext;
    TickAt(3999);
    EXPECT_EQ(g_clock.running, 1);
    EXPECT_EQ(fake::g.timeUpPosts, 0);
    TickAt(4000);
    EXPECT_EQ(g_clock.started, 0);
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_EQ(fake::g.armedTimer, kNoTickTimer);
    EXPECT_STREQ(g_displayText, L"00:00:00.00");
    ClockTick(context);  // a tick of that arming already on its way
    EXPECT_EQ(fake::g.timeUpPosts, 1);
}

TEST_F(ClockTest, PauseDropsTheTimeSinceTheLastTickAndStaleTicksWriteNothing) {
    void (*const events[])() = {
        [] { ToggleClock(); }, [] { ResetCommand(fake::TestWindow()); },
        [] { PrecisionCommand(fake::TestWindow(), kPrecisionCentisecond); },  // re-arms
    };
    for (auto event : events) {
        SetUp();
        ToggleClock();
        TickAt(1000);
        const uintptr_t oldContext = fake::g.tickContext;
        fake::g.counter = 1900;
        event();
        const std::wstring text = g_displayText;
        const int repaints = fake::g.repaints;
        fake::g.counter = 9000;
        ClockTick(oldContext);
        EXPECT_EQ(g_clock.elapsed, event == events[1] ? 0u : 1000u);
        EXPECT_EQ(g_displayText, text);
        EXPECT_EQ(fake::g.repaints, repaints);
    }
}

// Started by 0, 1 or 2 toggles, ticked at 1000, then decisecond precision at 1700.
TEST_F(ClockTest, PrecisionCommandByClockState) {
    const struct {
        int toggles;
        int32_t running;
        uint32_t elapsed;
        const wchar_t* textAfterNextTick;
    } cases[] = {
        {0, 0, 0, L"00:00:00.20"},     // idle: paused at zero
        {1, 1, 1000, L"00:00:01.20"},  // running: re-armed, the 0.7 s dropped
        {2, 0, 1000, L"00:00:01.20"},  // paused: stays paused
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.toggles);
        SetUp();
        for (int i = 0; i < c.toggles; i++) {
            ToggleClock();
            if (i == 0) TickAt(1000);
        }
        fake::g.counter = 1700;
        PrecisionCommand(fake::TestWindow(), kPrecisionDecisecond);
        EXPECT_EQ(g_clock.running, c.running);
        EXPECT_EQ(fake::g.armedTimer != kNoTickTimer, c.running == 1);
        EXPECT_EQ(g_clock.elapsed, c.elapsed);
        EXPECT_EQ(g_clock.glyphCount, 10);
        EXPECT_EQ(fake::g.titleSets, 0);
        if (!c.running) StartPause(fake::TestWindow());
        EXPECT_EQ(fake::g.armedPeriod, 100u);
        TickAt(1950);
        EXPECT_STREQ(g_displayText, c.textAfterNextTick);
    }
}

// Rows run in order: the minute rows show the separator blinking.
TEST_F(ClockTest, FormatTime) {
    const struct {
        Precision precision;
        uint32_t armedPeriod, ms;
        const wchar_t* text;
    } cases[] = {
        {kPrecisionSecond, 1000, 3723456, L"01:02:03.00"},
        {kPrecisionDecisecond, 100, 3723456, L"01:02:03.40"},
        {kPrecisionCentisecond, 10, 3723456, L"01:02:03.45"},
        {kPrecisionSecond, 1000, 299999, L"00:04:59.00"},
        {kPrecisionSecond, 100, 61234, L"00:01:01.20"},
        {kPrecisionSecond, 10, 61234, L"00:01:01.23"},
        {kPrecisionCentisecond, 10, 0xFFFFFFFFu, L"1193:02:47.29"},
        {kPrecisionMinute, 1000, 3723456, L"01:02 __.00"},
        {kPrecisionMinute, 1000, 3723456, L"01:02:__.00"},
        {kPrecisionMinute, 1000, 0xFFFFFFFFu, L"1193:02 __.00"},
    };
    for (const auto& c : cases) {
        SetPrecision(c.precision);
        g_clock.armedPeriod = c.armedPeriod;
        FormatTime(g_displayText, c.ms);
        EXPECT_STREQ(g_displayText, c.text) << c.ms;
    }
}

}  // namespace
