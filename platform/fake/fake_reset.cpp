// Puts the fake platform and the core back to their process-start state
// between tests. The programs never need it, so it lives with the test
// platform rather than in the core.
#include <cwchar>

#include "app/app_record.h"
#include "clock/clock.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "display/layout.h"
#include "display/painter.h"
#include "display/requested_look.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

namespace {

// The texts and the colon blink as the core starts them, taken at the first
// reset, before any test has changed them: a reset brings back what the
// program starts with, not what the tests expect.
struct StartValues {
    wchar_t displayText[kDisplayTextCapacity];
    int32_t colonBlink;
    wchar_t titleText[kTitleTextCapacity];
    wchar_t editText[kEditTextCapacity];
};

const StartValues& Start() {
    static const StartValues start = [] {
        StartValues values{};
        wcscpy(values.displayText, g_displayText);
        values.colonBlink = g_colonBlink;
        wcscpy(values.titleText, g_titleText);
        wcscpy(values.editText, g_editText);
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

namespace fake {

void Reset() {
    g = Platform{};
    ResetClockForTests();
    g_entryActive.store(0);
    wcscpy(g_editText, Start().editText);
    g_appearance = Appearance{};
    g_digitArea = DigitArea{};
    g_segmentMetrics = SegmentMetrics{};
    g_app.options = DefaultWindowOptions();
    g_app.settingsPath[0] = g_app.settingsReadPath[0] = L'\0';
    g_app.mainWindow.store(TestWindow());
}

}  // namespace fake
