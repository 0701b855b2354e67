// Puts the clock, the time text, the title and the display's requested look
// back to their process-start values between tests. The programs never need
// it, so it lives with the test platform rather than in the core.
#include <cwchar>

#include "clock/clock.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "display/requested_look.h"

void ResetClockForTests() {
    ClockLockGuard guard;
    if (g_clock.running) DisarmTickTimer(g_clock.tickTimer);
    // The generation goes on counting, so that no tick of an earlier arming can
    // pass for one of a later test.
    const uintptr_t generation = g_clock.armGeneration;
    g_clock = ClockState{};
    g_clock.armGeneration = generation;
    wcscpy(g_displayText, L"00:00:00.00");
    g_colonBlink = 0;
    g_titleText[0] = L'\0';
    g_requestedLook = DisplayLook{};
}
