// What a screen reader says for the display: the time it shows in words.
//
// Hours, minutes and seconds are each spoken as a number and a unit, in that
// order, with one blank between: "1 hour 2 minutes 5 seconds". A part that is
// zero is left out ("2 hours 5 seconds"), unless all are: then only the
// smallest part the display shows is spoken, "0 minutes" or "0 seconds".
// Minute precision speaks no seconds. In decisecond and centisecond precision
// the seconds carry the tenths or hundredths the display shows:
// "3.4 seconds", "0.50 seconds". The unit is singular for a whole 1 only:
// "1 minute", but "1.0 seconds".
//
// While a countdown is typed the display shows no time: the text is
// "Countdown entry".
//
// The words follow the time text the display draws, not the clock's fields:
// after the end of a countdown the clock holds the whole countdown again while
// the display still shows zero.
#pragma once

#include <cstddef>

#include "clock/clock.h"

// Room for the longest text, "1193 hours 59 minutes 59.99 seconds".
constexpr size_t kSpokenTimeCapacity = 48;

constexpr wchar_t kSpokenEntryText[] = L"Countdown entry";

// Writes the words for a time text of the display (HH:MM:SS.dc, or with "__"
// for the seconds) in the given precision. Cut at capacity, terminated.
void FormatSpokenTime(wchar_t* text, size_t capacity, const wchar_t* shown, Precision precision);
