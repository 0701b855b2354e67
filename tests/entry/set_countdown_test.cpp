// Reading the edit text, and setting a countdown against a clock that has
// already counted.
#include "clock/time_text.h"
#include "entry_fixture.h"

namespace {

TEST(ParseEditText, ReadsEachFieldFromItsPlacesOnly) {
    const struct {
        const wchar_t* text;
        uint32_t ms;
    } cases[] = {
        {L"__:_1:23.__", 83000},
        {L"99:99:99.__", 362439000},
        {L"7", 25200000},
        {L"01:02:3", 3723000},    // read up to the terminator
        {L"12345678", 45978000},  // without separators a field still ends after two places
        {nullptr, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseEditText(c.text), c.ms) << testing::PrintToString(c.text);
    }
}

TEST_F(EntryTest, SetCountdownChangesModeTextAndTitleButNeverRepaints) {
    ASSERT_EQ(SetCountdown(90000), 0);
    EXPECT_EQ(g_clock.mode, kModeTimer);
    EXPECT_EQ(std::wstring(g_displayText, 8), L"00:01:30");
    EXPECT_EQ(fake::g.title, L"Timer");

    const int titleSets = fake::g.titleSets;
    EXPECT_EQ(SetCountdown(kCountdownLimitMs + 1), -1);
    EXPECT_EQ(g_clock.countdown, 90000u);
    EXPECT_STREQ(g_clock.countdownSuffix, L" (90 sec)");
    EXPECT_EQ(std::wstring(g_displayText, 8), L"00:01:30");
    EXPECT_EQ(fake::g.titleSets, titleSets);
    EXPECT_EQ(fake::g.messageBoxes.size(), 1u);
    EXPECT_EQ(fake::g.repaints, 0);
}

TEST_F(EntryTest, EnteredCountdownOnARunningStopwatchKeepsCountingFromItsBase) {
    ToggleClock();
    fake::g.counter = 30000;
    ASSERT_TRUE(fake::FireTick());
    EnterCountdownEntry(Window());
    Type(L"9000\r");
    EXPECT_EQ(g_clock.running, 1);
    EXPECT_EQ(g_clock.elapsed, 30000u);
    EXPECT_EQ(std::wstring(g_displayText, 8), L"01:29:30");
    EXPECT_EQ(fake::g.title, L"Timer (5400 sec)");
}

}  // namespace
