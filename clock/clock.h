// The one clock: mode, start/pause/resume state, elapsed time, countdown and
// precision, driven by the platform's periodic tick.
#pragma once

#include <cstdint>

#include "platform/platform.h"

enum ClockMode : int32_t { kModeStopwatch = 0, kModeTimer = 1 };

enum Precision : int32_t {
    kPrecisionMinute = 0,
    kPrecisionSecond = 1,
    kPrecisionDecisecond = 2,
    kPrecisionCentisecond = 3,
};

constexpr size_t kCountdownSuffixCapacity = 18;

struct ClockState {
    ClockMode mode = kModeStopwatch;
    int32_t started = 0;
    int32_t running = 0;
    uint32_t baseTick = 0;
    uint32_t elapsed = 0;
    uint32_t countdown = 0;
    wchar_t countdownSuffix[kCountdownSuffixCapacity] = {};
    Precision precision = kPrecisionSecond;
    int32_t glyphCount = 8;
    uint32_t tickPeriod = 1000;
    uint32_t armedPeriod = 100;
    TickTimer tickTimer = kNoTickTimer;
    // Incremented by every arming and handed to the timer as its context, so
    // that a tick of an older arming can recognise itself as stale.
    uintptr_t armGeneration = 0;
};

// Guarded by the clock lock (AcquireClockLock) wherever both threads meet.
extern ClockState g_clock;

// What is left of the countdown after the elapsed time, never below zero.
// Caller holds the clock lock.
uint32_t RemainingMs();

// Puts the clock, the time text and the title back to their process-start
// values. Start-up never needs it; tests do (platform/fake/clock_reset.cpp,
// library mox_clock_reset).
void ResetClockForTests();

// UI thread. SetPrecision and SetTimerMode take no lock: start-up calls them
// before the tick can run, and later callers hold the clock lock around them
// (the tick reads precision, mode and countdown).
void SetPrecision(Precision precision);
void SetTimerMode(uint32_t countdownMs);
void ToggleClock();  // takes the lock
// ToggleClock, then the title and a repaint without erase (after the lock).
void StartPause(WindowHandle window);

// The tick handler, on the timer thread. context is the arming generation;
// a tick of any other arming, or of a clock no longer running, does nothing.
// Takes the lock; posts the time-up message and requests the repaint after
// releasing it.
void ClockTick(uintptr_t context);

// The commands dispatched from the window. Each takes the lock itself and
// sets the title and requests repaints only after releasing it.
void ResetCommand(WindowHandle window);
void StopwatchCommand(WindowHandle window);
void PresetCommand(WindowHandle window, uint32_t seconds);
void PrecisionCommand(WindowHandle window, Precision precision);

// Lock-free inner forms, for callers already holding the clock lock.
void ToggleClockLocked();
void StopClockLocked();
// A running clock is armed anew, its first tick due at once; its base stays,
// so the time since the last tick (a sleep included) is counted.
void RearmClockTickLocked();
