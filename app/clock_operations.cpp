// The clock commands the window dispatches: start/pause, reset, stopwatch,
// the countdown presets and the precisions, and setting a countdown length.
#include "app/app_record.h"
#include "app/operations.h"
#include "clock/time_text.h"
#include "entry/countdown_entry.h"

void StartPause(WindowHandle window) {
    ClockMode mode;
    int32_t running;
    {
        ClockLockGuard guard;
        ToggleClockLocked(ClockTick);
        mode = g_clock.mode;
        running = g_clock.running;
    }
    UpdateTitle(window, mode, running);
    RepaintDisplay(window, false);
}

void ResetCommand(WindowHandle window) {
    ClockMode mode;
    int32_t running;
    {
        ClockLockGuard guard;
        StopClockLocked();
        ResetDisplayText(g_displayText);
        mode = g_clock.mode;
        running = g_clock.running;
    }
    UpdateTitle(window, mode, running);
    RepaintDisplay(window, false);
}

// Leaves started and running alone: a running countdown goes on counting up
// from its elapsed time; the countdown stays stored.
void StopwatchCommand(WindowHandle window) {
    ClockMode mode;
    int32_t running;
    {
        ClockLockGuard guard;
        g_clock.mode = kModeStopwatch;  // the stored countdown stays
        FormatTime(g_displayText, g_clock.elapsed);
        mode = g_clock.mode;
        running = g_clock.running;
    }
    UpdateTitle(window, mode, running);
    RepaintDisplay(window, false);
}

// The new countdown counts from the same base: no preset exceeds the entry's
// limit, so the result of SetCountdown needs no look.
void PresetCommand(WindowHandle window, uint32_t seconds) {
    SetCountdown(seconds * 1000);
    RepaintDisplay(window, false);
}

// Two toggles under one hold of the lock: no tick can come between them, so a
// running clock is re-armed with the new period, a paused one stays paused
// with the new armedPeriod, and an idle one becomes paused at zero.
void PrecisionCommand(WindowHandle window, Precision precision) {
    int32_t glyphs;
    {
        ClockLockGuard guard;
        SetPrecision(precision);
        glyphs = g_clock.glyphCount;
    }
    RelayoutDisplay(window, glyphs);  // repaints with erase; not under the lock
    {
        ClockLockGuard guard;
        ToggleClockLocked(ClockTick);
        ToggleClockLocked(ClockTick);
    }
}

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
