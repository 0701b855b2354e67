// The painter's three solid brushes and FillRect.
#include "platform/win32/resource_counts_win32.h"
#include "platform/win32/win32_program.h"

namespace {

// Indexed by BrushRole. Only the UI thread touches them.
HBRUSH brushes[3] = {nullptr, nullptr, nullptr};

HBRUSH CountedSolidBrush(uint32_t color) {
    const HBRUSH brush = CreateSolidBrush(color);
    if (brush != nullptr) ++g_resourceCounts.brushesCreated;
    return brush;
}

}  // namespace

HBRUSH BackgroundBrush() {
    return brushes[static_cast<int>(BrushRole::Background)];
}

HBRUSH DisplayBrush(BrushRole role) {
    return brushes[static_cast<int>(role)];
}

void CreateDisplayBrushes(uint32_t background, uint32_t color, uint32_t idle) {
    brushes[static_cast<int>(BrushRole::Background)] = CountedSolidBrush(background);
    brushes[static_cast<int>(BrushRole::Color)] = CountedSolidBrush(color);
    brushes[static_cast<int>(BrushRole::Idle)] = CountedSolidBrush(idle);
}

// The replaced brush is freed, so choosing colors again and again does not
// use up GDI objects.
void ReplaceColorBrush(uint32_t color) {
    HBRUSH& slot = brushes[static_cast<int>(BrushRole::Color)];
    const HBRUSH old = slot;
    slot = CountedSolidBrush(color);
    if (old != nullptr && DeleteObject(old)) ++g_resourceCounts.brushesFreed;
}

int32_t LiveDisplayBrushCount() {
    int32_t live = 0;
    for (const HBRUSH brush : brushes) {
        if (brush != nullptr) ++live;
    }
    return live;
}

void FillRectangle(PaintCanvas* canvas, const Rect& rect, BrushRole brush) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    FillRect(reinterpret_cast<HDC>(canvas), &r, brushes[static_cast<int>(brush)]);
}
