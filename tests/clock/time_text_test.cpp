// The time text in the four precisions, the separator blink, and the texts
// too long for two hour digits.
#include <cwchar>

#include "tests/clock/clock_fixture.h"

namespace {

class TimeTextTest : public ClockTest {
protected:
    // Formats as a clock armed for the given precision would.
    static std::wstring Format(Precision precision, uint32_t ms) {
        SetPrecision(precision);
        g_clock.armedPeriod = g_clock.tickPeriod;
        FormatTime(g_displayText, ms);
        return g_displayText;
    }
};

TEST_F(TimeTextTest, TextsByPrecision) {
    const struct {
        Precision precision;
        uint32_t ms;
        const wchar_t* text;
    } cases[] = {
        {kPrecisionSecond, 3723456, L"01:02:03.00"},
        {kPrecisionDecisecond, 3723456, L"01:02:03.40"},
        {kPrecisionCentisecond, 3723456, L"01:02:03.45"},
        {kPrecisionCentisecond, 0, L"00:00:00.00"},
        {kPrecisionSecond, 299999, L"00:04:59.00"},  // truncated, never rounded
        {kPrecisionCentisecond, 359999999u, L"99:59:59.99"},
        {kPrecisionSecond, 360000000u, L"100:00:00.00"},
        {kPrecisionSecond, 3600000000u, L"1000:00:00.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.precision, c.ms), c.text) << c.ms;
    }
}

TEST_F(TimeTextTest, MinutePrecisionFlipsTheSeparatorAtEveryFormatting) {
    EXPECT_EQ(Format(kPrecisionMinute, 3723456), L"01:02 __.00");  // the first one hides it
    EXPECT_EQ(Format(kPrecisionMinute, 3723456), L"01:02:__.00");
    EXPECT_EQ(Format(kPrecisionMinute, 0xFFFFFFFFu), L"1193:02 __.00");
    g_colonBlink = 5;  // any non-zero value counts as set
    EXPECT_EQ(Format(kPrecisionMinute, 60000), L"00:01:__.00");
    EXPECT_EQ(g_colonBlink, 0);
    Format(kPrecisionSecond, 60000);
    EXPECT_EQ(g_colonBlink, 0) << "the other precisions leave the blink alone";
}

TEST_F(TimeTextTest, FractionDigitsFollowTheArmedPeriodNotThePrecision) {
    SetPrecision(kPrecisionSecond);
    for (auto [period, text] : {std::pair{100u, L"00:01:01.20"}, {10u, L"00:01:01.23"}}) {
        g_clock.armedPeriod = period;
        FormatTime(g_displayText, 61234);
        EXPECT_EQ(Display(), text);
    }
}

TEST_F(TimeTextTest, TheLargestCountFitsTheBuffer) {
    wchar_t guarded[kDisplayTextCapacity + 8];
    for (wchar_t& c : guarded) c = L'#';
    SetPrecision(kPrecisionCentisecond);
    g_clock.armedPeriod = 10;
    FormatTime(guarded, 0xFFFFFFFFu);
    EXPECT_STREQ(guarded, L"1193:02:47.29");
    for (size_t i = wcslen(guarded) + 1; i < sizeof(guarded) / sizeof(guarded[0]); i++) {
        EXPECT_EQ(guarded[i], L'#') << "written at " << i;
    }
}

}  // namespace
