// The painter's three solid brushes and FillRect.
#include "platform/win32/win32_program.h"

namespace {

// Indexed by BrushRole. Only the UI thread touches them.
HBRUSH brushes[3] = {nullptr, nullptr, nullptr};

}  // namespace

HBRUSH BackgroundBrush() {
    return brushes[static_cast<int>(BrushRole::Background)];
}

HBRUSH DisplayBrush(BrushRole role) {
    return brushes[static_cast<int>(role)];
}

void CreateDisplayBrushes(uint32_t background, uint32_t color, uint32_t idle) {
    brushes[static_cast<int>(BrushRole::Background)] = CreateSolidBrush(background);
    brushes[static_cast<int>(BrushRole::Color)] = CreateSolidBrush(color);
    brushes[static_cast<int>(BrushRole::Idle)] = CreateSolidBrush(idle);
}

// The replaced brush is freed, so choosing colors again and again does not
// use up GDI objects.
void ReplaceColorBrush(uint32_t color) {
    HBRUSH& slot = brushes[static_cast<int>(BrushRole::Color)];
    const HBRUSH old = slot;
    slot = CreateSolidBrush(color);
    if (old != nullptr) DeleteObject(old);
}

void FillRectangle(PaintCanvas* canvas, const Rect& rect, BrushRole brush) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    FillRect(reinterpret_cast<HDC>(canvas), &r, brushes[static_cast<int>(brush)]);
}
