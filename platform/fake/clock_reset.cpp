// Puts the clock, the time text, the title and the display's requested look
// back to their process-start values between tests. The programs never need
// it, so it lives with the test platform rather than in the core.
#include <cwchar>

#include "clock/clock.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "display/requested_look.h"

namespace {

// The time text, colon blink and title as the core starts them, taken at the
// first reset, before any test has changed them: a reset brings back what the
// program starts with, not what the tests expect.
struct StartValues {
    wchar_t displayText[kDisplayTextCapacity];
    int32_t colonBlink;
    wchar_t titleText[kTitleTextCapacity];
};

const StartValues& Start() {
    static const StartValues start = [] {
        StartValues values{};
        wcscpy(values.displayText, g_displayText);
        values.colonBlink = g_colonBlink;
        wcscpy(values.titleText, g_titleText);
        return values;
    }();
    return start;
}

}  // namespace

void ResetClockForTests() {
    const StartValues& start = Start();
    ClockLockGuard guard;
    if (g_clock.running) DisarmTickTimer(g_clock.tickTimer);
    // The generation goes on counting, so that no tick of an earlier arming can
    // pass for one of a later test.
    const uintptr_t generation = g_clock.armGeneration;
    g_clock = ClockState{};
    g_clock.armGeneration = generation;
    wcscpy(g_displayText, start.displayText);
    g_colonBlink = start.colonBlink;
    wcscpy(g_titleText, start.titleText);
    g_requestedLook = DisplayLook{};
}
