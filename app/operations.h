// The operations the window runs on the core. Each changes the state of the
// clock, the entry or the display, then asks the display state what that
// change needs repainted and requests it, and sets the title. The clock and
// the entry only record; these decide what the window is asked to do.
#pragma once

#include <cstdint>

#include "clock/clock.h"
#include "display/requested_look.h"

// The clock commands (clock_operations.cpp). They run on the UI thread, change
// the clock under the clock lock, and set the title and request repaints only
// after releasing it (a paint runs on this thread too, so none comes between).
// StartPause toggles the clock, then the title and a repaint without erase.
void StartPause(WindowHandle window);
void ResetCommand(WindowHandle window);
void StopwatchCommand(WindowHandle window);
void PresetCommand(WindowHandle window, uint32_t seconds);
void PrecisionCommand(WindowHandle window, Precision precision);
// Sets a countdown length, for the entry and the presets alike: 0 when set,
// -1 when refused (above 99:59:59) with a message box.
int32_t SetCountdown(uint32_t ms);

// The tick handler the clock is armed with, on the timer thread
// (clock_tick.cpp). context is the arming generation. Takes the lock; posts
// the time-up message and requests the repaint after releasing it.
void ClockTick(uintptr_t context);

// Countdown entry (entry_operations.cpp).
void EnterCountdownEntry(WindowHandle window);
void EntryKey(WindowHandle window, uint32_t ch);
void LeaveCountdownEntry(WindowHandle window);

// What the window is asked to show (display_requests.cpp), on the UI thread,
// not under the clock lock.
// Composes the title and sets it as the window text.
void UpdateTitle(WindowHandle window, ClockMode mode, int32_t running);
// Records the look now and requests a repaint of what changed since the last
// request (an erase repaint is always whole, and starts the record anew).
void RepaintDisplay(WindowHandle window, bool erase);
// Stores a new layout for the window's client size, repaints with erase, and
// places the entry caret while countdown entry is active.
void RelayoutDisplay(WindowHandle window, int32_t glyphs);
// Hands an area to the platform: nothing, a partial or a whole repaint
// without erase. Any thread; never under the clock lock.
void RequestRepaintArea(WindowHandle window, const RepaintArea& area);
