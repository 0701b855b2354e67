// Countdown entry on the window: entering, the keys, leaving.
#include "app/operations.h"
#include "entry/countdown_entry.h"

void EnterCountdownEntry(WindowHandle window) {
    // The flag goes first: the relayout creates the caret only while it is set.
    g_entryActive.store(1, std::memory_order_relaxed);
    RelayoutDisplay(window, kEntryGlyphs);
}

void EntryKey(WindowHandle window, uint32_t ch) {
    switch (EditEntryText(ch)) {
        case EntryEdit::Submit:
            // A refused value keeps the text so the user can correct it.
            if (SetCountdown(ParseEditText(g_editText)) != 0) break;
            LeaveCountdownEntry(window);
            return;
        case EntryEdit::Cancel:
            LeaveCountdownEntry(window);
            return;
        case EntryEdit::Edited:
            break;
    }
    // Every other key during entry repaints with erase and changes nothing.
    RepaintDisplay(window, true);
}

void LeaveCountdownEntry(WindowHandle window) {
    // Cleared before the relayout so that no caret is created again.
    g_entryActive.store(0, std::memory_order_relaxed);
    DestroyEntryCaret(window);
    // glyphCount is written only on the UI thread, so no lock is needed here.
    RelayoutDisplay(window, g_clock.glyphCount);
}
