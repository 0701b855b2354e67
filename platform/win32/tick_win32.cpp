// Counter and periodic tick on Windows: timeGetTime and the default timer
// queue. The callback runs in the timer thread itself (WT_EXECUTEINTIMERTHREAD),
// so calls never overlap.
#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include <atomic>

#include "platform/platform.h"

namespace {

// The timer's parameter carries the caller's context itself, so nothing per
// arming has to be stored or freed; the callback is the same for every arming.
std::atomic<TickCallback> tickCallback{nullptr};
std::atomic<bool> stopped{false};
// The timer armed last and not yet disarmed: the one StopTickSource waits for.
std::atomic<HANDLE> currentTimer{nullptr};
// Calls that have got past the stopped test and not yet returned. A timer
// disarmed without waiting may still be in such a call; StopTickSource waits
// for it too, since after it returns no call may be running.
std::atomic<int> callsInProgress{0};

VOID CALLBACK TimerProc(PVOID parameter, BOOLEAN) {
    // Counted before the stopped test (both sequentially consistent): either
    // StopTickSource sees this call and waits for it, or this call sees stopped.
    callsInProgress.fetch_add(1);
    if (!stopped.load()) {
        TickCallback callback = tickCallback.load(std::memory_order_acquire);
        if (callback != nullptr) callback(reinterpret_cast<uintptr_t>(parameter));
    }
    callsInProgress.fetch_sub(1);
}

}  // namespace

uint32_t ReadMillisecondCounter() {
    return timeGetTime();
}

TickTimer ArmTickTimer(uint32_t periodMs, TickCallback callback, uintptr_t context) {
    tickCallback.store(callback, std::memory_order_release);
    HANDLE timer = nullptr;
    CreateTimerQueueTimer(&timer, nullptr, TimerProc, reinterpret_cast<PVOID>(context), 0, periodMs,
                          WT_EXECUTEINTIMERTHREAD);
    currentTimer.store(timer, std::memory_order_release);
    return reinterpret_cast<TickTimer>(timer);
}

void DisarmTickTimer(TickTimer timer) {
    if (timer == kNoTickTimer) return;
    HANDLE handle = reinterpret_cast<HANDLE>(timer);
    HANDLE expected = handle;
    currentTimer.compare_exchange_strong(expected, nullptr, std::memory_order_acq_rel);
    // No completion event: returns at once, also from inside the callback.
    DeleteTimerQueueTimer(nullptr, handle, nullptr);
}

void StopTickSource() {
    stopped.store(true);
    HANDLE timer = currentTimer.exchange(nullptr, std::memory_order_acq_rel);
    // INVALID_HANDLE_VALUE: wait until a call in progress has returned.
    if (timer != nullptr) DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE);
    // A call of a timer disarmed earlier may still be running.
    while (callsInProgress.load() != 0) Sleep(1);
}
