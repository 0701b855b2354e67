// The tick: the clock advances, and in the same hold of the clock lock the
// display state notes the new text, so a paint between here and the request
// below paints the new text, and the request still covers every cell it
// changed. The zero at the end of a countdown is repainted like any other tick.
#include "app/app_record.h"
#include "app/operations.h"
#include "clock/time_text.h"
#include "entry/countdown_entry.h"

void ClockTick(uintptr_t context) {
    TickOutcome outcome;
    RepaintArea repaint{RepaintKind::None, {}};
    {
        ClockLockGuard guard;
        outcome = AdvanceClockLocked(context);
        if (outcome == TickOutcome::Stale) return;
        // During countdown entry the display shows the entry text, and the
        // tick asks for no repaint.
        if (!EntryActive()) repaint = NoteTickLocked(g_displayText, g_clock.running);
    }
    // Neither call blocks, and neither is made under the lock.
    const WindowHandle window = MainWindow();
    if (outcome == TickOutcome::TimeUp) PostTimeUp(window);
    RequestRepaintArea(window, repaint);
}
