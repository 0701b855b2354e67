// Which part of the display a change needs repainted. At hundredths a tick
// changes one or two glyphs of eleven, so only their cells are invalidated;
// the painter still fills every segment and the platform clips the fills to
// what was invalidated. What the painter fills in a cell depends only on the
// cell's character, the running state, the color, the style and the layout,
// so a cell whose character is unchanged would only be filled again with the
// pixels it already shows.
#include "display/requested_look.h"

#include <algorithm>

DisplayLook g_requestedLook;

namespace {

void CopyPlaces(wchar_t* to, const wchar_t* from, int32_t glyphs) {
    std::copy_n(from, std::clamp(glyphs, 0, kMaxGlyphs), to);
}

}  // namespace

Rect GlyphCellRect(const DigitArea& area, const SegmentMetrics& metrics, int32_t place) {
    const int32_t left = area.left + place * CellWidth(metrics);
    return {left, area.top, left + CellWidth(metrics), area.bottom};
}

RepaintArea ChangedArea(const DisplayLook& before, const DisplayLook& now) {
    // During countdown entry the tick changes the running state at the end
    // of a countdown without a repaint: the screen may lag behind the record,
    // so every repaint is whole, whatever changed.
    if (!before.known || now.entryShown || before.color != now.color || before.style != now.style ||
        before.glyphs != now.glyphs || before.entryShown != now.entryShown ||
        before.area != now.area || before.metrics != now.metrics) {
        return {RepaintKind::Whole, {}};
    }
    // The running state picks the brush of every lit segment.
    const bool allCells = before.running != now.running;
    const int32_t glyphs = std::min(now.glyphs, kMaxGlyphs);
    const auto changed = [&](int32_t place) {
        return allCells || before.text[place] != now.text[place];
    };
    int32_t first = 0;
    while (first < glyphs && !changed(first)) ++first;
    if (first == glyphs) return {RepaintKind::None, {}};
    int32_t last = glyphs - 1;
    while (!changed(last)) --last;
    // The cells lie in one row: the changed ones and any between them.
    const Rect from = GlyphCellRect(now.area, now.metrics, first);
    const Rect to = GlyphCellRect(now.area, now.metrics, last);
    const Rect cells{from.left, from.top, to.right, to.bottom};
    // Cells of no width show nothing. An area of no height has cells of no
    // width too: the cell is at most half the height.
    if (cells.right <= cells.left) return {RepaintKind::None, {}};
    return {RepaintKind::Part, cells};
}

RepaintArea NoteLookLocked(const DisplayLook& now) {
    const RepaintArea area = ChangedArea(g_requestedLook, now);
    g_requestedLook = now;
    return area;
}

RepaintArea NoteTickLocked(const wchar_t* text, int32_t running) {
    DisplayLook now = g_requestedLook;
    now.running = running;
    CopyPlaces(now.text, text, now.glyphs);
    return NoteLookLocked(now);
}
