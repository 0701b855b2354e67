// Reading the edit text, and setting a countdown against a clock that has
// already counted.
#include <string>

#include "clock/time_text.h"
#include "clock/title.h"
#include "entry_fixture.h"

namespace {

struct ParseCase {
    const wchar_t* text;
    uint32_t ms;
};

const ParseCase kParseCases[] = {
    {L"__:__:__.__", 0},
    {L"__:12:30.__", 750000},
    {L"__:_1:23.__", 83000},
    {L"00:90:00.__", 5400000},
    {L"00:00:09.__", 9000},
    {L"99:59:59.__", 359999000},
    {L"99:99:99.__", 362439000},
    // Texts that end early are read only up to their terminator.
    {L"", 0},
    {L"7", 25200000},
    {L"01:0", 3600000},
    {L"01:02:3", 3723000},
};

TEST(ParseEditText, ReadsHoursMinutesAndSecondsFromTheirPlaces) {
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(ParseEditText(c.text), c.ms);
    }
}

TEST(ParseEditText, NoFieldReadsIntoTheNextOne) {
    // Well-formed texts always have a separator after each field; without one
    // a field still ends after its two places.
    EXPECT_EQ(ParseEditText(L"12345678"), 12u * 3600000 + 45u * 60000 + 78u * 1000);
    EXPECT_EQ(ParseEditText(nullptr), 0u);
}

TEST_F(EntryTest, SetCountdownChangesModeTextAndTitleButNeverRepaints) {
    ASSERT_EQ(SetCountdown(90000), 0);
    EXPECT_EQ(g_clock.mode, kModeTimer);
    EXPECT_EQ(g_clock.countdown, 90000u);
    EXPECT_EQ(std::wstring(g_displayText, 8), L"00:01:30");
    EXPECT_EQ(fake::g.title, L"Timer");
    EXPECT_EQ(fake::g.repaints, 0);
    EXPECT_EQ(g_clock.started, 0);
}

TEST_F(EntryTest, RefusedCountdownChangesNothing) {
    ASSERT_EQ(SetCountdown(90000), 0);
    const int titleSets = fake::g.titleSets;
    const std::wstring shown(g_displayText);

    EXPECT_EQ(SetCountdown(kCountdownLimitMs + 1), -1);
    EXPECT_EQ(g_clock.countdown, 90000u);
    EXPECT_STREQ(g_clock.countdownSuffix, L" (90 sec)");
    EXPECT_EQ(std::wstring(g_displayText), shown);
    EXPECT_EQ(fake::g.titleSets, titleSets);
    EXPECT_EQ(fake::g.repaints, 0);
    EXPECT_EQ(fake::g.messageBoxes.size(), 1u);
}

TEST_F(EntryTest, EnteredCountdownOnARunningStopwatchKeepsCountingFromItsBase) {
    ToggleClock();
    fake::g.counter = 30000;
    ASSERT_TRUE(fake::FireTick());
    EnterCountdownEntry(Window());

    Type(L"100\r");

    EXPECT_EQ(g_clock.mode, kModeTimer);
    EXPECT_EQ(g_clock.countdown, 60000u);
    EXPECT_EQ(g_clock.running, 1);
    EXPECT_EQ(g_clock.elapsed, 30000u);
    EXPECT_EQ(std::wstring(g_displayText, 8), L"00:00:30");
    EXPECT_EQ(fake::g.title, L"Timer (60 sec)");
}

TEST_F(EntryTest, TitleOfARunningClockShowsTheNewCountdownInSeconds) {
    ToggleClock();
    EnterCountdownEntry(Window());
    Type(L"9000\r");
    EXPECT_EQ(g_clock.countdown, 5400000u);
    EXPECT_STREQ(g_clock.countdownSuffix, L" (5400 sec)");
    EXPECT_EQ(fake::g.title, L"Timer (5400 sec)");
}

TEST_F(EntryTest, CountdownShorterThanTheCountedTimeShowsZeroAndEndsAtTheNextTick) {
    ToggleClock();
    fake::g.counter = 20000;
    ASSERT_TRUE(fake::FireTick());
    ToggleClock();  // paused at 20 s

    ASSERT_EQ(SetCountdown(10000), 0);
    EXPECT_EQ(std::wstring(g_displayText, 8), L"00:00:00");
    EXPECT_EQ(g_clock.elapsed, 20000u);
    EXPECT_EQ(g_clock.started, 1);
    EXPECT_EQ(g_clock.running, 0);

    ToggleClock();
    ASSERT_TRUE(fake::FireTick());
    EXPECT_EQ(fake::g.timeUpPosts, 1);
    EXPECT_EQ(g_clock.started, 0);
}

}  // namespace
