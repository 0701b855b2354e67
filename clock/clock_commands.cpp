// The clock commands the window dispatches: start/pause, reset, stopwatch,
// the countdown presets and the precisions. They run on the UI thread, change
// the clock under the clock lock, and set the title and request repaints only
// after releasing it (a paint runs on this thread too, so none comes between).
#include "clock/clock.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "display/layout.h"
#include "display/requested_look.h"
#include "entry/countdown_entry.h"

void StartPause(WindowHandle window) {
    ClockMode mode;
    int32_t running;
    {
        ClockLockGuard guard;
        ToggleClockLocked();
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
        ToggleClockLocked();
        ToggleClockLocked();
    }
}
