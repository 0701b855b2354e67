// What the window is asked to show after an operation: the title, and the
// part of the display the change needs repainted, which the display state
// works out from the look now and the look last requested.
#include <algorithm>

#include "app/operations.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "display/layout.h"
#include "display/painter.h"
#include "entry/countdown_entry.h"

namespace {

// Clock lock held: what the next paint will show (OnPaint).
DisplayLook LookNowLocked() {
    DisplayLook look;
    look.known = 1;
    look.entryShown = EntryActive() ? 1 : 0;
    look.glyphs = look.entryShown ? kEntryGlyphs : g_clock.glyphCount;
    std::copy_n(look.entryShown ? g_editText : g_displayText,
                std::clamp(look.glyphs, 0, kMaxGlyphs), look.text);
    look.running = g_clock.running;
    look.color = g_appearance.color;
    look.style = g_appearance.style;
    look.area = g_digitArea;
    look.metrics = g_segmentMetrics;
    return look;
}

void PlaceEntryCaret(WindowHandle window, const DigitArea& area, const SegmentMetrics& metrics) {
    // The caret stands in the right margin of the eighth cell, as tall as the
    // digit's bars and level with them.
    CreateEntryCaret(window, metrics.thickness, GlyphBoxHeight(metrics));
    SetEntryCaretPosition(window, area.left + 8 * CellWidth(metrics) - metrics.thickness,
                          area.top + metrics.margin);
    ShowEntryCaret(window);
}

}  // namespace

void UpdateTitle(WindowHandle window, ClockMode mode, int32_t running) {
    ComposeTitle(mode, running);
    SetWindowTitle(window, g_titleText);
}

void RequestRepaintArea(WindowHandle window, const RepaintArea& area) {
    if (area.kind == RepaintKind::Whole) RequestRepaint(window, false);
    if (area.kind == RepaintKind::Part) RequestPartialRepaint(window, area.rect);
}

void RepaintDisplay(WindowHandle window, bool erase) {
    RepaintArea area;
    {
        ClockLockGuard lock;
        area = NoteLookLocked(LookNowLocked());
    }
    // An erase clears what the painter never fills: it must reach the
    // whole area even when no glyph changed.
    if (erase) {
        RequestRepaint(window, true);
        return;
    }
    RequestRepaintArea(window, area);
}

void RelayoutDisplay(WindowHandle window, int32_t glyphs) {
    LayOutDisplay(QueryClientSize(window), glyphs);
    // Erase: nothing of the previous layout may survive the repaint.
    RepaintDisplay(window, true);
    if (EntryActive()) PlaceEntryCaret(window, g_digitArea, g_segmentMetrics);
}
