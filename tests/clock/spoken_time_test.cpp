// The display's time in words, read from the time text as the clock writes it.
#include "clock/spoken_time.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "app/spoken_display.h"
#include "clock/time_text.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

namespace {

TEST(SpokenTimeTest, EveryPrecisionAndTheEntry) {
    const struct {
        Precision precision;
        const wchar_t* shown;
        size_t capacity;
        int32_t entry;
        const wchar_t* words;
    } rows[] = {
        {kPrecisionSecond, L"00:00:00.00", 48, 0, L"0 seconds"},
        {kPrecisionMinute, L"00:00:00.00", 48, 0, L"0 minutes"},
        {kPrecisionSecond, L"01:01:01.00", 48, 0, L"1 hour 1 minute 1 second"},
        {kPrecisionMinute, L"01:01 __.00", 48, 0, L"1 hour 1 minute"},
        {kPrecisionSecond, L"02:00:05.00", 48, 0, L"2 hours 5 seconds"},
        {kPrecisionDecisecond, L"00:01:00.50", 48, 0, L"1 minute 0.5 seconds"},
        {kPrecisionCentisecond, L"00:02:00.00", 48, 0, L"2 minutes"},
        {kPrecisionCentisecond, L"00:00:01.00", 48, 0, L"1.00 seconds"},
        {kPrecisionCentisecond, L"00:01:00.05", 48, 0, L"1 minute 0.05 seconds"},
        {kPrecisionCentisecond, L"00:00:00.00", 48, 0, L"0.00 seconds"},
        {kPrecisionSecond, L"1193:02:47.00", 48, 0, L"1193 hours 2 minutes 47 seconds"},
        {kPrecisionCentisecond, L"01:02:03.45", 48, 0, L"1 hour 2 minutes 3.45 seconds"},
        {kPrecisionSecond, L"01:01:01.00", 12, 0, L"1 hour 1 mi"},
        {kPrecisionSecond, L"01:01:01.00", 1, 0, L""},
        {kPrecisionSecond, L"01:02:03.00", 48, 1, L"Countdown entry"},
        {kPrecisionSecond, L"01:02:03.00", 10, 1, L"Countdown"},
    };
    for (const auto& r : rows) {
        fake::Reset();
        SetPrecision(r.precision);
        std::wcscpy(g_displayText, r.shown);
        g_entryActive.store(r.entry);
        wchar_t words[kSpokenTimeCapacity + 1];  // one beyond, that nothing may write
        std::wmemset(words, L'#', kSpokenTimeCapacity + 1);
        ComposeSpokenDisplay(words, r.capacity);
        EXPECT_STREQ(words, r.words) << r.precision << " " << testing::PrintToString(r.shown);
        EXPECT_EQ(words[r.capacity], L'#') << r.capacity;
    }
}

}  // namespace
