// The look the display was last asked to show, and the part of the client
// area a change of it needs repainted: the cells whose glyph changed, or the
// whole area when more than glyphs changed.
#pragma once

#include <cstdint>

#include "display/layout.h"
#include "display/painter.h"
#include "platform/platform.h"

// Everything a paint of the display depends on. The text holds the painted
// places only; in minute precision place 5 carries the colon blink.
struct DisplayLook {
    int32_t known = 0;  // 0 until the first whole repaint: every change is whole
    wchar_t text[kMaxGlyphs] = {};
    int32_t glyphs = 0;
    int32_t running = 0;
    ColorIndex color = kColorGreen;
    SegmentStyle style = kStyleRounded;
    DigitArea area{};
    SegmentMetrics metrics{};
    int32_t entryShown = 0;
};

// The last requested look. Guarded by the clock lock: the tick brings it up
// to date in the same hold in which it formats the time text, so a paint
// that slips in between the two finds nothing lost.
extern DisplayLook g_requestedLook;

enum class RepaintKind : uint8_t { None = 0, Part, Whole };
struct RepaintArea {
    RepaintKind kind;
    Rect rect;  // for Part: the cells that changed
};

// The cell of glyph place `place`, from the area's top to its bottom.
Rect GlyphCellRect(const DigitArea& area, const SegmentMetrics& metrics, int32_t place);

// What a change from `before` to `now` needs repainted. A change of color,
// style, layout, glyph count or entry, an unknown `before`, and every repaint
// while the entry text is shown, are whole; a
// change of the running state repaints every cell; otherwise the cells whose
// character changed.
RepaintArea ChangedArea(const DisplayLook& before, const DisplayLook& now);

// With the clock lock held: records now as the requested look, and returns
// what changed since the last one.
RepaintArea NoteLookLocked(const DisplayLook& now);

// The tick, with the clock lock held, after formatting the time text: the
// requested look takes the new text and running state, and the result is
// what to request once the lock is released.
RepaintArea NoteTickLocked(const wchar_t* text, int32_t running);
