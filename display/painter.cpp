// The seven-segment painter: every segment of every digit is filled on every
// paint, lit or unlit, so the display can be repainted on each tick without
// erasing first. The painter allocates nothing and creates no brushes.
#include "display/painter.h"

#include <algorithm>

const uint32_t kColorTable[kColorCount] = {
    0x003232FF,  // red
    0x0032E632,  // green
    0x00FF6400,  // blue
    0x00E6E6E6,  // white
    0x0014E6E6,  // yellow
    0x00DCDC32,  // cyan
    0x00FF32FF,  // magenta
    0x000096FF,  // orange
};

Appearance g_appearance;

namespace {

// Mask bits of the seven segments and the six corner squares.
constexpr SegmentMask kUpperLeft = 0x0001;
constexpr SegmentMask kLowerLeft = 0x0002;
constexpr SegmentMask kTop = 0x0004;
constexpr SegmentMask kMiddle = 0x0008;
constexpr SegmentMask kBottom = 0x0010;
constexpr SegmentMask kUpperRight = 0x0020;
constexpr SegmentMask kLowerRight = 0x0040;
constexpr SegmentMask kCornerTopLeft = 0x0100;
constexpr SegmentMask kCornerMiddleLeft = 0x0200;
constexpr SegmentMask kCornerBottomLeft = 0x0400;
constexpr SegmentMask kCornerTopRight = 0x0800;
constexpr SegmentMask kCornerMiddleRight = 0x1000;
constexpr SegmentMask kCornerBottomRight = 0x2000;

constexpr SegmentMask kDigitMasks[] = {
    0x3F77, 0x3860, 0x3F3E, 0x3F7C, 0x3B69, 0x3F5D, 0x3F5F, 0x3964, 0x3F7F, 0x3F7D,
};

// One element of a cell: its bit and its rectangle as indexes into the
// glyph's columns x0..x3 and rows y0..y5.
struct Element {
    SegmentMask bit;
    uint8_t left, top, right, bottom;
};

// The fill order: segments first (always filled), then the corner squares
// (straight style only). The rectangles do not overlap.
constexpr int kSegmentCount = 7;
constexpr int kElementCount = 13;
constexpr Element kElements[kElementCount] = {
    {kUpperLeft, 0, 1, 1, 2},
    {kLowerLeft, 0, 3, 1, 4},
    {kLowerRight, 2, 3, 3, 4},
    {kUpperRight, 2, 1, 3, 2},
    {kTop, 1, 0, 2, 1},
    {kMiddle, 1, 2, 2, 3},
    {kBottom, 1, 4, 2, 5},
    {kCornerTopLeft, 0, 0, 1, 1},
    {kCornerMiddleLeft, 0, 2, 1, 3},
    {kCornerBottomLeft, 0, 4, 1, 5},
    {kCornerBottomRight, 2, 4, 3, 5},
    {kCornerMiddleRight, 2, 2, 3, 3},
    {kCornerTopRight, 2, 0, 3, 1},
};

// Which of the eleven places hold separators (HH:MM:SS.dc).
constexpr bool kSeparatorPlace[kMaxGlyphs] = {false, false, true, false, false, true,
                                              false, false, true, false, false};

int32_t SeparatorHeight(const SegmentMetrics& m) {
    return 2 * (m.margin + m.thickness + m.verticalLength);
}

}  // namespace

SegmentMask SegmentMaskFor(wchar_t character) {
    const uint16_t code = static_cast<uint16_t>(character);
    if (code >= L'0' && code <= L'9') return kDigitMasks[code - L'0'];
    if (code == L'_') return kMiddle;
    return 0;
}

void CreateStartupBrushes() {
    CreateDisplayBrushes(kBackgroundColor, kColorTable[kColorGreen], kIdleColor);
}

BrushRole SelectSegmentBrush(int32_t lit, int32_t running) {
    if (lit == 0) return BrushRole::Background;
    return running != 0 ? BrushRole::Color : BrushRole::Idle;
}

void PaintSegments(PaintCanvas* canvas, SegmentMask mask, int32_t x, int32_t y,
                   const SegmentMetrics& metrics, int32_t running) {
    const int32_t m = metrics.margin;
    const int32_t t = metrics.thickness;
    const int32_t h = metrics.horizontalLength;
    const int32_t v = metrics.verticalLength;
    const int32_t xs[] = {x + m, x + m + t, x + m + t + h, x + m + 2 * t + h};
    const int32_t ys[] = {y + m,
                          y + m + t,
                          y + m + t + v,
                          y + m + 2 * t + v,
                          y + m + 2 * t + 2 * v,
                          y + m + 3 * t + 2 * v};

    // Any style value other than straight leaves the corner squares alone.
    const int count = g_appearance.style == kStyleStraight ? kElementCount : kSegmentCount;
    for (int i = 0; i < count; ++i) {
        const Element& e = kElements[i];
        const Rect rect{xs[e.left], ys[e.top], xs[e.right], ys[e.bottom]};
        FillRectangle(canvas, rect, SelectSegmentBrush(mask & e.bit, running));
    }
}

void PaintDigit(PaintCanvas* canvas, wchar_t character, int32_t x, int32_t y,
                const SegmentMetrics& metrics, int32_t running) {
    PaintSegments(canvas, SegmentMaskFor(character), x, y, metrics, running);
}

void PaintSeparator(PaintCanvas* canvas, wchar_t character, int32_t x, int32_t y,
                    const SegmentMetrics& metrics, int32_t running) {
    const int32_t m = metrics.margin;
    const int32_t t = metrics.thickness;
    const int32_t height = SeparatorHeight(metrics);
    const BrushRole lit = SelectSegmentBrush(1, running);

    switch (static_cast<uint16_t>(character)) {
        case L' ':
            // Clears a colon shown here before, without an erase.
            FillRectangle(canvas, Rect{x, y, x + CellWidth(metrics), y + height},
                          BrushRole::Background);
            break;
        case L'.':
            // Just above the left end of a digit's bottom segment.
            FillRectangle(canvas,
                          Rect{x + m + t, y + height - m - t, x + m + 2 * t, y + height - m}, lit);
            break;
        case L':': {
            const int32_t l = x + (CellWidth(metrics) - t) / 2;
            const int32_t upper = y + height / 3;
            // Twice the height divided, not twice the first quotient.
            const int32_t lower = y + (2 * height) / 3 - t;
            FillRectangle(canvas, Rect{l, upper, l + t, upper + t}, lit);
            FillRectangle(canvas, Rect{l, lower, l + t, lower + t}, lit);
            break;
        }
        default:
            break;
    }
}

void PaintText(PaintCanvas* canvas, const wchar_t* text, int32_t glyphs, int32_t x, int32_t y,
               const SegmentMetrics& metrics, int32_t running) {
    const int32_t count = std::clamp(glyphs, 0, kMaxGlyphs);
    const int32_t advance = CellWidth(metrics);
    int32_t cellX = x;
    for (int32_t i = 0; i < count; ++i) {
        if (kSeparatorPlace[i]) {
            PaintSeparator(canvas, text[i], cellX, y, metrics, running);
        } else {
            PaintDigit(canvas, text[i], cellX, y, metrics, running);
        }
        cellX += advance;
    }
}

void SelectColor(ColorIndex index) {
    // Every caller passes a table index; anything else would read past the
    // table, so it is ignored.
    if (index < 0 || index >= kColorCount) return;
    // The platform frees the brush it replaces, so selecting colors does not
    // leak brushes.
    ReplaceColorBrush(kColorTable[index]);
    g_appearance.color = index;
}

void SetSegmentStyle(SegmentStyle style) {
    g_appearance.style = style;
}
