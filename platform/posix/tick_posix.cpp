// Counter and periodic tick on Linux: CLOCK_MONOTONIC, and one timer thread
// that sleeps to the absolute next due time.
//
// Due times advance by whole periods from the arming, so the tick does not
// drift. A call that overruns, or a thread that wakes late, skips the due
// times already past: the next call goes to the first due time still in the
// future, never a burst to catch up. The callback runs without the source's
// mutex held, so it may disarm (or re-arm) from inside, and disarming only
// clears the arming, never waiting for a call in progress. One arming is
// current at a time; arming again replaces it.
#include <time.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/platform.h"

namespace {

using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC on Linux

class TickSource {
public:
    // Joins the thread at process exit, before the data a tick uses goes away
    // (this object is made on first use, after those data).
    ~TickSource() { Stop(); }

    TickTimer Arm(uint32_t periodMs, TickCallback callback, uintptr_t context) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopped_) return kNoTickTimer;
        armed_ = ++lastTimer_;
        period_ = std::chrono::milliseconds(periodMs == 0 ? 1 : periodMs);
        callback_ = callback;
        context_ = context;
        due_ = Clock::now();  // first call at once, or right after one in progress
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
        wake_.notify_one();
        return armed_;
    }

    void Disarm(TickTimer timer) {
        if (timer == kNoTickTimer) return;
        std::lock_guard<std::mutex> lock(mutex_);
        if (armed_ == timer) {
            armed_ = kNoTickTimer;
            wake_.notify_one();
        }
    }

    void Stop() {
        std::thread thread;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopped_ = true;
            armed_ = kNoTickTimer;
            thread = std::move(thread_);
            wake_.notify_one();
        }
        if (!thread.joinable()) return;
        // Never joins itself: called from a tick (which it should not be), the
        // thread ends once that tick returns.
        if (thread.get_id() == std::this_thread::get_id()) {
            thread.detach();
        } else {
            thread.join();
        }
    }

private:
    // The first due time strictly after now, keeping the period's phase.
    void SkipPastDueTimes(Clock::time_point now) {
        if (due_ > now) return;
        const auto behind = now - due_;
        due_ += period_ * (behind / period_ + 1);
    }

    void Run() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!stopped_) {
            if (armed_ == kNoTickTimer) {
                wake_.wait(lock);
                continue;
            }
            Clock::time_point now = Clock::now();
            if (now < due_) {
                // Woken early by a new arming, a disarm or spuriously: look again.
                wake_.wait_until(lock, due_);
                continue;
            }
            const TickTimer timer = armed_;
            const TickCallback callback = callback_;
            const uintptr_t context = context_;
            SkipPastDueTimes(now);
            lock.unlock();
            callback(context);
            lock.lock();
            // Due times that passed during the call are skipped. A new arming
            // made meanwhile keeps its own due time: its first call comes now.
            if (armed_ == timer) SkipPastDueTimes(Clock::now());
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread thread_;
    bool stopped_ = false;
    TickTimer armed_ = kNoTickTimer;
    TickTimer lastTimer_ = kNoTickTimer;
    Clock::duration period_{};
    TickCallback callback_ = nullptr;
    uintptr_t context_ = 0;
    Clock::time_point due_{};
};

TickSource& Source() {
    static TickSource source;
    return source;
}

}  // namespace

uint32_t ReadMillisecondCounter() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Wraps modulo 2^32 like the Windows counter; only differences are used.
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

TickTimer ArmTickTimer(uint32_t periodMs, TickCallback callback, uintptr_t context) {
    return Source().Arm(periodMs, callback, context);
}

void DisarmTickTimer(TickTimer timer) {
    if (timer == kNoTickTimer) return;
    Source().Disarm(timer);
}

void StopTickSource() {
    Source().Stop();
}
