// The clock engine: state changes and what each tick does to them.
//
// Two threads meet here. The UI thread runs every operation but the tick; the
// tick source's timer thread runs the handler the clock was armed with
// (ClockTick, app/clock_tick.cpp), one call at a time, and that handler
// advances the clock here. The clock lock serialises them. Each arming bumps
// armGeneration and hands it to the timer as the context, so a tick that was
// already on its way when the clock was paused, reset, ended or re-armed finds
// a different generation (or running at 0) and leaves everything alone.
// Disarming never waits for a tick in progress: the tick itself stops the
// clock at the end of a countdown, and a waiting disarm would wait for itself.
#include "clock/clock.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "clock/time_text.h"

ClockState g_clock;

namespace {

struct PrecisionRow {
    int32_t glyphCount;
    uint32_t tickPeriod;
};

// Minute and second share a row: they differ only in the time text. Any value
// outside the four precisions (a damaged settings file) takes their row too.
constexpr PrecisionRow kPrecisionTable[] = {
    {8, 1000},  // minute
    {8, 1000},  // second
    {10, 100},  // decisecond
    {11, 10},   // centisecond
};

// Caller holds the clock lock. The handle is stored before the lock is
// released, so the first tick (due at once) waits for the toggle to finish and
// then finds everything in place.
void ArmClockTick(TickCallback onTick) {
    g_clock.armGeneration++;
    g_clock.tickTimer = ArmTickTimer(g_clock.tickPeriod, onTick, g_clock.armGeneration);
    g_clock.armedPeriod = g_clock.tickPeriod;
}

// Caller holds the clock lock.
void DisarmClockTick() {
    DisarmTickTimer(g_clock.tickTimer);
    g_clock.tickTimer = kNoTickTimer;
}

}  // namespace

uint32_t RemainingMs() {
    return g_clock.countdown - std::min(g_clock.countdown, g_clock.elapsed);
}

void SetPrecision(Precision precision) {
    // Negative values turn large: one comparison refuses both sides.
    const auto index = static_cast<uint32_t>(precision);
    const uint32_t outside = kPrecisionSecond;
    const PrecisionRow& row = kPrecisionTable[index < std::size(kPrecisionTable) ? index : outside];
    g_clock.precision = precision;
    g_clock.glyphCount = row.glyphCount;
    g_clock.tickPeriod = row.tickPeriod;
}

void SetTimerMode(uint32_t countdownMs) {
    g_clock.mode = kModeTimer;
    g_clock.countdown = countdownMs;
    // At most 14 characters for any 32-bit count; swprintf cuts at the
    // capacity in any case.
    swprintf(g_clock.countdownSuffix, kCountdownSuffixCapacity, L" (%u sec)",
             static_cast<unsigned>(countdownMs / 1000));
}

void ToggleClockLocked(TickCallback onTick) {
    if (!g_clock.started) {
        // Idle: elapsed is 0 here; the first tick, due at once, computes it.
        g_clock.started = 1;
        g_clock.baseTick = ReadMillisecondCounter();
        g_clock.running = 1;
        ArmClockTick(onTick);
    } else if (g_clock.running) {
        g_clock.running = 0;
        DisarmClockTick();
    } else {
        // Resume from the value of the last tick: the time between that tick
        // and the pause is not counted.
        g_clock.baseTick = ReadMillisecondCounter() - g_clock.elapsed;
        g_clock.running = 1;
        ArmClockTick(onTick);
    }
}

void ToggleClock(TickCallback onTick) {
    ClockLockGuard guard;
    ToggleClockLocked(onTick);
}

void StopClockLocked() {
    g_clock.started = 0;
    if (g_clock.running) {
        g_clock.running = 0;
        DisarmClockTick();
    }
}

void RearmClockTickLocked(TickCallback onTick) {
    if (!g_clock.running) return;
    DisarmClockTick();
    ArmClockTick(onTick);
}

TickOutcome AdvanceClockLocked(uintptr_t context) {
    if (!g_clock.running || context != g_clock.armGeneration) return TickOutcome::Stale;
    // The counter is read under the lock: a resume that set baseTick from a
    // later reading must not meet an earlier one here.
    g_clock.elapsed = ReadMillisecondCounter() - g_clock.baseTick;
    if (g_clock.mode != kModeTimer) {
        FormatTime(g_displayText, g_clock.elapsed);
        return TickOutcome::Counted;
    }
    // The countdown ends on the tick where the elapsed time reaches it.
    const uint32_t remaining = RemainingMs();
    FormatTime(g_displayText, remaining);
    if (remaining != 0) return TickOutcome::Counted;
    g_clock.elapsed = 0;
    StopClockLocked();
    return TickOutcome::TimeUp;
}
