// The window title: the mode name, then " (Paused)" for a paused clock or the
// countdown suffix for a running countdown. Also the alarm box's caption.
#include "clock/title.h"

wchar_t g_titleText[kTitleTextCapacity] = {};

namespace {

constexpr size_t kModeNameCapacity = 10;
constexpr wchar_t kModeNames[2][kModeNameCapacity] = {L"Stopwatch", L"Timer"};

// Appends source to g_titleText, cutting at the buffer's capacity.
size_t AppendTitle(size_t length, const wchar_t* source) {
    while (*source != L'\0' && length + 1 < kTitleTextCapacity) g_titleText[length++] = *source++;
    g_titleText[length] = L'\0';
    return length;
}

}  // namespace

void UpdateTitle(WindowHandle window, ClockMode mode, int32_t running) {
    {
        // The tick clears started at the end of a countdown, and the suffix
        // belongs to the clock record: both are read under the lock.
        ClockLockGuard guard;
        size_t length = AppendTitle(0, kModeNames[mode == kModeTimer ? 1 : 0]);
        if (g_clock.started) {
            if (!running) {
                length = AppendTitle(length, L" (Paused)");
            } else if (mode == kModeTimer) {
                length = AppendTitle(length, g_clock.countdownSuffix);
            }
        }
    }
    // Only the UI thread writes the title, so it may be handed over unlocked.
    SetWindowTitle(window, g_titleText);
}
