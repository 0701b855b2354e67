// The display's time in words, as the real tick leaves the time text.
#include "clock/spoken_time.h"

#include <gtest/gtest.h>

#include "app/app_record.h"
#include "app/operations.h"
#include "app/spoken_display.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

namespace {

// Each row starts a clock at 0 and ticks it once at tick (none at 0). The
// countdown of 1:23:45.678 ticked at 21:42.222 has 1:02:03.456 left.
TEST(SpokenTimeTest, BothModesEveryPrecisionAndTheEntry) {
    const struct {
        uint32_t countdown;  // 0: stopwatch
        Precision precision;
        uint32_t tick;
        size_t capacity;
        int32_t entry;
        const wchar_t* words;
    } rows[] = {
        {0, kPrecisionSecond, 0, 48, 0, L"0 seconds"},
        {0, kPrecisionMinute, 0, 48, 0, L"0 minutes"},
        {0, kPrecisionSecond, 3661000, 48, 0, L"1 hour 1 minute 1 second"},
        {0, kPrecisionMinute, 3661000, 48, 0, L"1 hour 1 minute"},
        {0, kPrecisionSecond, 7205000, 48, 0, L"2 hours 5 seconds"},
        {0, kPrecisionDecisecond, 60500, 48, 0, L"1 minute 0.5 seconds"},
        {0, kPrecisionCentisecond, 120000, 48, 0, L"2 minutes"},
        {0, kPrecisionCentisecond, 1000, 48, 0, L"1.00 seconds"},
        {0, kPrecisionSecond, 4294967295u, 48, 0, L"1193 hours 2 minutes 47 seconds"},
        {5025678, kPrecisionCentisecond, 1302222, 48, 0, L"1 hour 2 minutes 3.45 seconds"},
        // The end of a countdown: the clock holds the countdown again, the
        // display shows zero.
        {5000, kPrecisionCentisecond, 5000, 48, 0, L"0.00 seconds"},
        {0, kPrecisionSecond, 3661000, 12, 0, L"1 hour 1 mi"},
        {5025678, kPrecisionSecond, 1302222, 48, 1, L"Countdown entry"},
        {5025678, kPrecisionSecond, 1302222, 10, 1, L"Countdown"},
    };
    for (const auto& r : rows) {
        fake::Reset();
        g_app.mainWindow.store(fake::TestWindow());
        SetPrecision(r.precision);
        if (r.countdown) SetTimerMode(r.countdown);
        ResetCommand(fake::TestWindow());
        if (r.tick) {
            StartPause(fake::TestWindow());
            fake::g.counter = r.tick;
            fake::FireTick();
        }
        g_entryActive.store(r.entry);
        wchar_t words[kSpokenTimeCapacity];
        ComposeSpokenDisplay(words, r.capacity);
        g_entryActive.store(0);
        EXPECT_STREQ(words, r.words) << r.precision << " " << r.tick;
    }
}

}  // namespace
