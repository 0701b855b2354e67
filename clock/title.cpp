// The window title: the mode name, then " (Paused)" for a paused clock or the
// countdown suffix for a running countdown. Also the alarm box's caption.
#include "clock/title.h"

#include <cwchar>

wchar_t g_titleText[kTitleTextCapacity] = {};

namespace {

constexpr const wchar_t* kModeNames[] = {L"Stopwatch", L"Timer"};

// The longer mode name and the longer of " (Paused)" and the countdown suffix
// always fit, so the title is composed without cutting.
static_assert(sizeof(L"Stopwatch") / sizeof(wchar_t) - 1 + kCountdownSuffixCapacity <=
              kTitleTextCapacity);

}  // namespace

void ComposeTitle(ClockMode mode, int32_t running) {
    // The tick clears started at the end of a countdown, and the suffix
    // belongs to the clock record: both are read under the lock.
    ClockLockGuard guard;
    std::wcscpy(g_titleText, kModeNames[mode == kModeTimer ? 1 : 0]);
    if (g_clock.started) {
        if (!running) {
            std::wcscat(g_titleText, L" (Paused)");
        } else if (mode == kModeTimer) {
            std::wcscat(g_titleText, g_clock.countdownSuffix);
        }
    }
}
