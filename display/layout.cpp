// Fitting the row of 2:1 character cells into the client area, and the bar
// sizes inside one cell. Done once per resize or glyph-count change; the
// painter only reads the stored results.
#include "display/layout.h"

#include <algorithm>

DigitArea g_digitArea{};
SegmentMetrics g_segmentMetrics{};

namespace {

// Sizes are taken as 16-bit unsigned values: larger ones wrap.
int32_t Low16(int32_t value) {
    return static_cast<int32_t>(static_cast<uint16_t>(value));
}

}  // namespace

DigitArea FitDigitArea(int32_t clientWidth, int32_t clientHeight, int32_t glyphs) {
    const int32_t width = Low16(clientWidth);
    const int32_t height = Low16(clientHeight);

    // The widest cell that fits glyphs times across, unless twice its width is
    // more than the height: then the height limits, and is used whole (an odd
    // spare row included).
    const int32_t widest = width / glyphs;
    const int32_t cell = std::min(widest, height / 2);
    const int32_t usedHeight = std::min(2 * widest, height);

    DigitArea area;
    area.top = (height - usedHeight) / 2;
    area.left = (width - glyphs * cell) / 2;
    // An odd spare pixel goes to the right or bottom side.
    area.right = width - area.left;
    area.bottom = height - area.top;
    return area;
}

SegmentMetrics ComputeSegmentMetrics(int32_t cellWidth, int32_t cellHeight) {
    const int32_t width = Low16(cellWidth);
    const int32_t height = Low16(cellHeight);
    const int32_t t = std::min(width / 7, height / 14);

    SegmentMetrics metrics;
    metrics.margin = t;
    metrics.thickness = t;
    metrics.horizontalLength = width - 4 * t;
    // When height - 5t is odd the spare row lies below the bottom margin.
    metrics.verticalLength = (height - 5 * t) / 2;
    return metrics;
}

void LayOutDisplay(ClientSize client, int32_t glyphs) {
    g_digitArea = FitDigitArea(client.width, client.height, glyphs);

    // The area is at most one pixel wider than the cells, so this division
    // gives back the cell width; the height keeps any spare row.
    const int32_t cellWidth = Low16(g_digitArea.right - g_digitArea.left) / glyphs;
    const int32_t cellHeight = g_digitArea.bottom - g_digitArea.top;
    g_segmentMetrics = ComputeSegmentMetrics(cellWidth, cellHeight);
}
