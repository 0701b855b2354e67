// The one clock: mode, start/pause/resume state, elapsed time, countdown and
// precision, driven by the platform's periodic tick. The clock only records:
// what a change means for the window (title, repaint) is decided above it.
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

// UI thread. SetPrecision and SetTimerMode take no lock: start-up calls them
// before the tick can run, and later callers hold the clock lock around them
// (the tick reads precision, mode and countdown).
void SetPrecision(Precision precision);
void SetTimerMode(uint32_t countdownMs);
// Start, pause or resume. A start or resume arms the periodic tick with onTick,
// which is handed the arming generation as its context. ToggleClock takes the
// lock; the Locked forms are for callers already holding it.
void ToggleClock(TickCallback onTick);
void ToggleClockLocked(TickCallback onTick);
void StopClockLocked();
// A running clock is armed anew with onTick, its first tick due at once; its
// base stays, so the time since the last tick (a sleep included) is counted.
void RearmClockTickLocked(TickCallback onTick);

enum class TickOutcome : uint8_t { Stale, Counted, TimeUp };

// What a tick does to the clock, with the lock held. context is the arming
// generation: a tick of any other arming, or of a clock no longer running, is
// stale and changes nothing. Otherwise the elapsed time is taken from the
// counter and formatted into the time text; a countdown that reaches zero
// stops the clock (TimeUp).
TickOutcome AdvanceClockLocked(uintptr_t context);
