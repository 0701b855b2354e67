// Setting a countdown length while the program runs, for the entry and the
// presets alike.
#include "app/app_record.h"
#include "clock/clock.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "entry/countdown_entry.h"

int32_t SetCountdown(uint32_t ms) {
    if (ms > kCountdownLimitMs) {
        // Shown before the clock lock is taken: the tick must never wait on a
        // modal box.
        ShowMessageBox(MainWindow(), L"Time is invalid as it is more than 99:59:59!", L"");
        return -1;
    }
    ClockMode mode;
    int32_t running;
    {
        ClockLockGuard lock;
        SetTimerMode(ms);
        // The new countdown counts from the clock's base: only what is left of
        // it is shown, and nothing below zero.
        FormatTime(g_displayText, RemainingMs());
        mode = g_clock.mode;
        running = g_clock.running;
    }
    // The title takes the lock itself, and the lock is not recursive.
    UpdateTitle(MainWindow(), mode, running);
    return 0;
}
