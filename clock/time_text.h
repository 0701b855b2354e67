// The time text the display draws outside countdown entry.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kDisplayTextCapacity = 24;

extern wchar_t g_displayText[kDisplayTextCapacity];
extern int32_t g_colonBlink;

// Writes the time for ms into text (capacity kDisplayTextCapacity). Reads the
// precision and armedPeriod of the clock; flips the colon blink in minute
// precision. Caller holds the clock lock.
void FormatTime(wchar_t* text, uint32_t ms);

// elapsed := 0, then the countdown as text (timer) or "00:00:00.00"
// (stopwatch). Caller holds the clock lock.
void ResetDisplayText(wchar_t* text);
