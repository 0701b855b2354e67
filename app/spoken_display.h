// What a screen reader says for the display now: the time it shows in words,
// or the entry's words while a countdown is typed (clock/spoken_time.h).
#pragma once

#include <cstddef>

// UI thread; takes the clock lock. Cut at capacity, terminated.
void ComposeSpokenDisplay(wchar_t* text, size_t capacity);
