// Counter and periodic tick on Linux: CLOCK_BOOTTIME, and one timer thread
// that sleeps to the absolute next due time.
//
// CLOCK_BOOTTIME counts the time the machine was suspended and is never set
// back like the wall clock, so a countdown left running over a closed lid
// ends when it should and a stopwatch counts the sleep. The thread sleeps on
// a timerfd of the same clock: a due time that fell inside a suspend is past
// at the resume, and the first tick after it comes at once.
//
// Due times advance by whole periods from the arming, so the tick does not
// drift. A call that overruns, or a thread that wakes late (a suspend among
// them), skips the due times already past: the next call goes to the first
// due time still in the future, never a burst to catch up. The callback runs
// without the source's mutex held, so it may disarm (or re-arm) from inside,
// and disarming only clears the arming, never waiting for a call in progress.
// One arming is current at a time; arming again replaces it.
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/platform.h"

namespace {

constexpr int64_t kNsPerMs = 1000000;

int64_t BootTimeNs() {
    timespec now;
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

class TickSource {
public:
    // Joins the thread at process exit, before the data a tick uses goes away
    // (this object is made on first use, after those data).
    ~TickSource() {
        Stop();
        if (timer_ >= 0) close(timer_);
        if (wake_ >= 0) close(wake_);
    }

    TickTimer Arm(uint32_t periodMs, TickCallback callback, uintptr_t context) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopped_) return kNoTickTimer;
        if (wake_ < 0) {
            wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
            if (wake_ < 0) return kNoTickTimer;
            // Without a timerfd (a kernel before 3.15) the thread sleeps with
            // poll's timeout, which does not count a suspend.
            timer_ = timerfd_create(CLOCK_BOOTTIME, TFD_CLOEXEC | TFD_NONBLOCK);
        }
        armed_ = ++lastTimer_;
        period_ = static_cast<int64_t>(periodMs == 0 ? 1 : periodMs) * kNsPerMs;
        callback_ = callback;
        context_ = context;
        due_ = BootTimeNs();  // first call at once, or right after one in progress
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
        Wake();
        return armed_;
    }

    void Disarm(TickTimer timer) {
        if (timer == kNoTickTimer) return;
        std::lock_guard<std::mutex> lock(mutex_);
        if (armed_ == timer) {
            armed_ = kNoTickTimer;
            Wake();
        }
    }

    void Stop() {
        std::thread thread;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopped_ = true;
            armed_ = kNoTickTimer;
            thread = std::move(thread_);
            Wake();
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
    void SkipPastDueTimes(int64_t now) {
        if (due_ > now) return;
        const auto behind = now - due_;
        due_ += period_ * (behind / period_ + 1);
    }

    // Caller holds the mutex. The eventfd stays readable until the thread
    // drains it, so a wake made before the thread sleeps is not lost.
    void Wake() {
        const uint64_t one = 1;
        if (wake_ >= 0 && write(wake_, &one, sizeof one) < 0) {
            // Full only after 2^64 - 2 wakes nobody drained; nothing to do.
        }
    }

    // Called without the mutex. Sleeps until the due time (none when
    // deadline is negative) or a wake, whichever comes first.
    void SleepUntil(int64_t deadline) {
        pollfd fds[2] = {{wake_, POLLIN, 0}, {timer_, POLLIN, 0}};
        int timeoutMs = -1;
        if (deadline >= 0 && timer_ >= 0) {
            itimerspec when{};
            when.it_value.tv_sec = deadline / 1000000000;
            when.it_value.tv_nsec = deadline % 1000000000;
            timerfd_settime(timer_, TFD_TIMER_ABSTIME, &when, nullptr);
        } else if (deadline >= 0) {
            const int64_t left = (deadline - BootTimeNs() + kNsPerMs - 1) / kNsPerMs;
            timeoutMs = static_cast<int>(left < 0 ? 0 : left);
        }
        poll(fds, timer_ >= 0 ? 2 : 1, timeoutMs);
        uint64_t drained;
        if (read(wake_, &drained, sizeof drained) < 0) {
            // EAGAIN: woken by the timer, not by a wake.
        }
        if (timer_ >= 0 && read(timer_, &drained, sizeof drained) < 0) {
            // EAGAIN: woken by a wake before the due time.
        }
    }

    void Run() {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!stopped_) {
            if (armed_ == kNoTickTimer) {
                lock.unlock();
                SleepUntil(-1);
                lock.lock();
                continue;
            }
            const int64_t now = BootTimeNs();
            if (now < due_) {
                // Woken early by a new arming, a disarm or spuriously: look again.
                const int64_t due = due_;
                lock.unlock();
                SleepUntil(due);
                lock.lock();
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
            if (armed_ == timer) SkipPastDueTimes(BootTimeNs());
        }
    }

    std::mutex mutex_;
    int wake_ = -1;   // eventfd: arming, disarm and stop wake the thread
    int timer_ = -1;  // timerfd on CLOCK_BOOTTIME, or -1 where there is none
    std::thread thread_;
    bool stopped_ = false;
    TickTimer armed_ = kNoTickTimer;
    TickTimer lastTimer_ = kNoTickTimer;
    int64_t period_ = 0;  // nanoseconds
    TickCallback callback_ = nullptr;
    uintptr_t context_ = 0;
    int64_t due_ = 0;  // CLOCK_BOOTTIME nanoseconds
};

TickSource& Source() {
    static TickSource source;
    return source;
}

}  // namespace

uint32_t ReadMillisecondCounter() {
    // Wraps modulo 2^32 like the Windows counter; only differences are used.
    return static_cast<uint32_t>(static_cast<uint64_t>(BootTimeNs() / kNsPerMs));
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
