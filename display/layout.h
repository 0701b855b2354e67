// Fitting N character cells of 2:1 into the client area, and the bar sizes
// inside one cell: geometry only, calling nothing.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct DigitArea {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    bool operator==(const DigitArea&) const = default;
};

struct SegmentMetrics {
    int32_t margin;
    int32_t thickness;
    int32_t horizontalLength;
    int32_t verticalLength;
    bool operator==(const SegmentMetrics&) const = default;
};

extern DigitArea g_digitArea;
extern SegmentMetrics g_segmentMetrics;

inline int32_t CellWidth(const SegmentMetrics& m) {
    return 2 * m.margin + 2 * m.thickness + m.horizontalLength;
}
inline int32_t GlyphBoxHeight(const SegmentMetrics& m) {
    return 3 * m.thickness + 2 * m.verticalLength;
}

DigitArea FitDigitArea(int32_t clientWidth, int32_t clientHeight, int32_t glyphs);
SegmentMetrics ComputeSegmentMetrics(int32_t cellWidth, int32_t cellHeight);

// UI thread: stores the layout of glyphs cells for a client area in
// g_digitArea and g_segmentMetrics, which the painter reads.
void LayOutDisplay(ClientSize client, int32_t glyphs);
