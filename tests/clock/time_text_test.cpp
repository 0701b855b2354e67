// The time text in the four precisions, the separator blink, and the texts
// too long for the display.
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

TEST_F(TimeTextTest, ZeroAndTheLargestTwoDigitHour) {
    for (Precision p : {kPrecisionSecond, kPrecisionDecisecond, kPrecisionCentisecond}) {
        EXPECT_EQ(Format(p, 0), L"00:00:00.00") << p;
        EXPECT_EQ(Format(p, 359999000u), L"99:59:59.00") << p;
    }
}

TEST_F(TimeTextTest, OneHourTwoMinutesThreePointFourFiveSixInEachPrecision) {
    const uint32_t ms = 3723456;
    EXPECT_EQ(Format(kPrecisionSecond, ms), L"01:02:03.00");
    EXPECT_EQ(Format(kPrecisionDecisecond, ms), L"01:02:03.40");
    EXPECT_EQ(Format(kPrecisionCentisecond, ms), L"01:02:03.45");
    // The first formatting in minute precision hides the separator.
    EXPECT_EQ(Format(kPrecisionMinute, ms), L"01:02 __.00");
    EXPECT_EQ(Format(kPrecisionMinute, ms), L"01:02:__.00");
    EXPECT_EQ(Format(kPrecisionMinute, ms), L"01:02 __.00");
}

TEST_F(TimeTextTest, FractionDigitsFollowTheArmedPeriodNotThePrecision) {
    SetPrecision(kPrecisionSecond);
    g_clock.armedPeriod = 100;
    FormatTime(g_displayText, 61234);
    EXPECT_EQ(Display(), L"00:01:01.20");
    g_clock.armedPeriod = 10;
    FormatTime(g_displayText, 61234);
    EXPECT_EQ(Display(), L"00:01:01.23");
    g_clock.armedPeriod = 1000;
    FormatTime(g_displayText, 61234);
    EXPECT_EQ(Display(), L"00:01:01.00");
}

TEST_F(TimeTextTest, EveryMinuteFormattingFlipsTheBlinkWhoeverCalls) {
    SetPrecision(kPrecisionMinute);
    g_clock.armedPeriod = 1000;
    wchar_t separators[4];
    for (wchar_t& s : separators) {
        FormatTime(g_displayText, 60000);
        s = g_displayText[5];
    }
    EXPECT_EQ(separators[0], L' ');
    EXPECT_EQ(separators[1], L':');
    EXPECT_EQ(separators[2], L' ');
    EXPECT_EQ(separators[3], L':');
    EXPECT_EQ(g_colonBlink, 0);

    g_colonBlink = 5;  // any non-zero value counts as set
    FormatTime(g_displayText, 60000);
    EXPECT_EQ(g_displayText[5], L':');
    EXPECT_EQ(g_colonBlink, 0);

    // The other precisions leave the blink alone.
    SetPrecision(kPrecisionSecond);
    FormatTime(g_displayText, 60000);
    EXPECT_EQ(g_colonBlink, 0);
}

TEST_F(TimeTextTest, TimesAreTruncated) {
    EXPECT_EQ(Format(kPrecisionSecond, 299000), L"00:04:59.00");
    EXPECT_EQ(Format(kPrecisionSecond, 299999), L"00:04:59.00");
    EXPECT_EQ(Format(kPrecisionCentisecond, 299999), L"00:04:59.99");
    EXPECT_EQ(Format(kPrecisionMinute, 299999).substr(0, 5), L"00:04");
}

TEST_F(TimeTextTest, LongTextsFitTheBuffer) {
    EXPECT_EQ(Format(kPrecisionSecond, 360000000u), L"100:00:00.00");
    const std::wstring thousand = Format(kPrecisionSecond, 3600000000u);
    EXPECT_EQ(thousand, L"1000:00:00.00");
    EXPECT_EQ(thousand.size(), 13u);

    // The largest count, formatted into a buffer with guard cells behind the
    // 24 it may use.
    wchar_t guarded[kDisplayTextCapacity + 8];
    for (wchar_t& c : guarded) c = L'#';
    SetPrecision(kPrecisionCentisecond);
    g_clock.armedPeriod = 10;
    FormatTime(guarded, 0xFFFFFFFFu);
    EXPECT_STREQ(guarded, L"1193:02:47.29");
    for (size_t i = wcslen(guarded) + 1; i < sizeof(guarded) / sizeof(guarded[0]); i++) {
        EXPECT_EQ(guarded[i], L'#') << "written at " << i;
    }
    EXPECT_EQ(Format(kPrecisionMinute, 0xFFFFFFFFu), L"1193:02 __.00");
}

TEST_F(TimeTextTest, ResetTextByMode) {
    SetPrecision(kPrecisionMinute);
    g_clock.elapsed = 777;
    ResetDisplayText(g_displayText);
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(Display(), L"00:00:00.00") << "the stopwatch text is fixed in every precision";

    SetPrecision(kPrecisionSecond);
    g_clock.armedPeriod = 1000;
    SetClockMode(kModeTimer, 90000);
    g_clock.elapsed = 777;
    ResetDisplayText(g_displayText);
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(Display(), L"00:01:30.00");
}

}  // namespace
