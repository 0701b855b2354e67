#include "tests/windows_e2e/display_reader.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

// Segment bits: upper-left, lower-left, top, middle, bottom, upper-right,
// lower-right.
constexpr int kUpperLeft = 0x01, kLowerLeft = 0x02, kTop = 0x04, kMiddle = 0x08, kBottom = 0x10,
              kUpperRight = 0x20, kLowerRight = 0x40;

struct Pattern {
    int mask;
    wchar_t character;
};
constexpr Pattern kPatterns[] = {
    {kTop | kUpperLeft | kUpperRight | kLowerLeft | kLowerRight | kBottom, L'0'},
    {kUpperRight | kLowerRight, L'1'},
    {kTop | kUpperRight | kMiddle | kLowerLeft | kBottom, L'2'},
    {kTop | kUpperRight | kMiddle | kLowerRight | kBottom, L'3'},
    {kUpperLeft | kUpperRight | kMiddle | kLowerRight, L'4'},
    {kTop | kUpperLeft | kMiddle | kLowerRight | kBottom, L'5'},
    {kTop | kUpperLeft | kMiddle | kLowerLeft | kLowerRight | kBottom, L'6'},
    {kTop | kUpperRight | kLowerRight, L'7'},
    {0x7F, L'8'},
    {kTop | kUpperLeft | kUpperRight | kMiddle | kLowerRight | kBottom, L'9'},
    {kMiddle, L'_'},
    {0, L' '},
};

}  // namespace

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

Geometry DisplayGeometry(int width, int height, int glyphs) {
    int cell = width / glyphs;
    int used = 2 * cell;
    if (used > height) {
        cell = height / 2;
        used = height;
    }
    const int top = (height - used) / 2;
    const int left = (width - glyphs * cell) / 2;
    const int cellWidth = (width - 2 * left) / glyphs;
    const int cellHeight = height - 2 * top;
    const int t = std::min(cellWidth / 7, cellHeight / 14);
    return {left, top, cellWidth, t, t, cellWidth - 4 * t, (cellHeight - 5 * t) / 2};
}

Reading ReadDisplay(const ClientImage& image, int glyphs) {
    const Geometry g = DisplayGeometry(image.width, image.height, glyphs);
    const int m = g.margin, t = g.thickness, h = g.horizontal, v = g.vertical;
    Reading reading;
    bool haveColor = false;
    auto sample = [&](int x, int y) {
        const COLORREF c = image.At(x, y);
        if (c == kBlack) return false;
        if (!haveColor) {
            reading.lit = c;
            haveColor = true;
        } else if (c != reading.lit) {
            reading.oneColor = false;
        }
        return true;
    };
    for (int i = 0; i < glyphs; ++i) {
        const int x = g.left + i * g.cellWidth;
        const int y = g.top;
        const int x0 = x + m, x1 = x0 + t, x2 = x1 + h;
        const int y0 = y + m, y1 = y0 + t, y2 = y1 + v, y3 = y2 + t, y4 = y3 + v;
        if (i == 2 || i == 5 || i == 8) {
            const int separator = 2 * (m + t + v);
            const int l = x + (g.cellWidth - t) / 2;
            const bool upper = sample(l + t / 2, y + separator / 3 + t / 2);
            const bool lower = sample(l + t / 2, y + (2 * separator) / 3 - t + t / 2);
            const bool dot = sample(x1 + t / 2, y4 - t + t / 2);
            reading.text += upper && lower ? L':' : dot ? L'.' : (upper || lower) ? L'?' : L' ';
            continue;
        }
        int mask = 0;
        if (sample(x0 + t / 2, y1 + v / 2)) mask |= kUpperLeft;
        if (sample(x0 + t / 2, y3 + v / 2)) mask |= kLowerLeft;
        if (sample(x1 + h / 2, y0 + t / 2)) mask |= kTop;
        if (sample(x1 + h / 2, y2 + t / 2)) mask |= kMiddle;
        if (sample(x1 + h / 2, y4 + t / 2)) mask |= kBottom;
        if (sample(x2 + t / 2, y1 + v / 2)) mask |= kUpperRight;
        if (sample(x2 + t / 2, y3 + v / 2)) mask |= kLowerRight;
        if (image.At(x0 + t / 2, y0 + t / 2) != kBlack) reading.cornersLit = true;
        wchar_t character = L'?';
        for (const Pattern& p : kPatterns) {
            if (p.mask == mask) character = p.character;
        }
        reading.text += character;
    }
    return reading;
}

Reading ReadProgram(const Program& program, int glyphs) {
    return ReadDisplay(program.Capture(), glyphs);
}

::testing::AssertionResult DisplayShows(const Program& program, const std::wstring& text,
                                        COLORREF lit, int glyphs, int timeoutMs) {
    Reading last;
    const bool shown = WaitFor(
        [&] {
            last = ReadProgram(program, glyphs);
            return last.text == text && last.oneColor && (lit == 0 || last.lit == lit);
        },
        timeoutMs);
    if (shown) return ::testing::AssertionSuccess();
    char color[32];
    std::snprintf(color, sizeof(color), "%06lX", static_cast<unsigned long>(last.lit));
    return ::testing::AssertionFailure()
           << "the display reads \"" << Narrow(last.text) << "\" in " << color
           << (last.oneColor ? "" : " (mixed colors)") << ", expected \"" << Narrow(text) << "\"";
}

}  // namespace e2e
