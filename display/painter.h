// The seven-segment painter and the display's appearance.
#pragma once

#include <cstdint>

#include "display/layout.h"
#include "platform/platform.h"

enum ColorIndex : int32_t {
    kColorRed = 0,
    kColorGreen,
    kColorBlue,
    kColorWhite,
    kColorYellow,
    kColorCyan,
    kColorMagenta,
    kColorOrange,
    kColorCount
};

enum SegmentStyle : int32_t { kStyleRounded = 0, kStyleStraight = 1 };

// COLORREF values, 0x00BBGGRR.
extern const uint32_t kColorTable[kColorCount];
constexpr uint32_t kIdleColor = 0x00BEBEBE;
constexpr uint32_t kBackgroundColor = 0x00000000;

struct Appearance {
    ColorIndex color = kColorGreen;
    SegmentStyle style = kStyleRounded;
};
extern Appearance g_appearance;

using SegmentMask = uint16_t;
SegmentMask SegmentMaskFor(wchar_t character);

// Creates the three brushes of process start (green color brush).
void CreateStartupBrushes();

BrushRole SelectSegmentBrush(int32_t lit, int32_t running);
void PaintSegments(PaintCanvas* canvas, SegmentMask mask, int32_t x, int32_t y,
                   const SegmentMetrics& metrics, int32_t running);
void PaintDigit(PaintCanvas* canvas, wchar_t character, int32_t x, int32_t y,
                const SegmentMetrics& metrics, int32_t running);
void PaintSeparator(PaintCanvas* canvas, wchar_t character, int32_t x, int32_t y,
                    const SegmentMetrics& metrics, int32_t running);
// The most glyphs a text is painted with (HH:MM:SS.dc).
constexpr int32_t kMaxGlyphs = 11;

// Paints the first glyphs characters of text, lit in the color brush while
// running, else in the idle one. The tick writes the time text and the running
// flag on its own thread, so callers hand copies taken under the clock lock.
// Glyph counts above kMaxGlyphs paint kMaxGlyphs.
void PaintText(PaintCanvas* canvas, const wchar_t* text, int32_t glyphs, int32_t x, int32_t y,
               const SegmentMetrics& metrics, int32_t running);

// Ignores an index outside the color table.
void SelectColor(ColorIndex index);
void SetSegmentStyle(SegmentStyle style);
