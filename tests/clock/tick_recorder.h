// Records the calls of a native tick timer, for the tick source tests.
#pragma once

#include <atomic>

#include "platform/platform.h"

void SleepMs(uint32_t ms);  // each test defines it with its platform's primitive

struct TickRecorder {
    // A call of a disarmed timer may still be finishing: the record must outlive it.
    ~TickRecorder() {
        while (inside.load() != 0) SleepMs(1);
    }

    uint32_t times[256];  // the counter at each call
    std::atomic<int> calls{0}, inside{0}, overlaps{0};
    std::atomic<TickTimer> timer{kNoTickTimer};
    int disarmOnCall = 0;  // 1-based: disarm from inside this call
    int stallOnCall = 0;   // 1-based: block inside this call for stallMs
    uint32_t stallMs = 0;

    int Count() const { return calls.load(); }

    TickTimer Arm(uint32_t periodMs) {
        timer = ArmTickTimer(periodMs, Record, reinterpret_cast<uintptr_t>(this));
        return timer;
    }

    static void Record(uintptr_t context) {
        TickRecorder& r = *reinterpret_cast<TickRecorder*>(context);
        if (r.inside.fetch_add(1) != 0) r.overlaps++;
        const int n = r.calls.load();
        if (n < 256) r.times[n] = ReadMillisecondCounter();
        r.calls.store(n + 1);
        if (r.stallOnCall == n + 1) SleepMs(r.stallMs);
        if (r.disarmOnCall == n + 1) DisarmTickTimer(r.timer.load());
        r.inside--;
    }
};
