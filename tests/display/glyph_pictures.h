// What the display must show, worked out from the layout rules and from a
// picture of every glyph, without the project's layout or painter. The
// display tests compare the painter's fills with it pixel by pixel; the Linux
// end-to-end helper compares screenshots with it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace expected {

// The cells of a digit between its columns x0..x3 and rows y0..y5: row 0 is
// the top-left corner, the top bar and the top-right corner; row 1 the upper
// bars with the hole between them; row 2 the middle corners and bar; row 3
// the lower bars; row 4 the bottom corners and bar. '#' is lit, '.' filled
// unlit, ' ' never filled. In the rounded style the six corners are never
// filled either. The last glyph is any character that is no digit and no "_".
//                                           0   1   2   3   4   5   6   7   8   9   _   ?
constexpr const char* kDigitPictures[5] = {"### ..# ### ### #.# ### ### ### ### ### ... ...",
                                           "# # . # . # . # # # # . # . . # # # # # . . . .",
                                           "#.# ..# ### ### ### ### ### ..# ### ### .#. ...",
                                           "# # . # # . . # . # . # # # . # # # . # . . . .",
                                           "### ..# ### ### ..# ### ### ..# ### ### ... ..."};

// The eight colors by name, as COLORREF (0x00BBGGRR), and the idle grey.
constexpr const char* kColorNames[8] = {"red",    "green", "blue",    "white",
                                        "yellow", "cyan",  "magenta", "orange"};
constexpr uint32_t kColors[8] = {0x003232FF, 0x0032E632, 0x00FF6400, 0x00E6E6E6,
                                 0x0014E6E6, 0x00DCDC32, 0x00FF32FF, 0x000096FF};
constexpr uint32_t kIdle = 0x00BEBEBE;

struct Layout {
    int left, top;   // the first cell's top-left corner
    int m, t, h, v;  // margin, thickness, horizontal and vertical bar length
    int CellWidth() const { return 2 * m + 2 * t + h; }
    int SeparatorHeight() const { return 2 * (m + t + v); }
};

// N cells of 2:1, as wide as fits N times across or as tall as the client
// area, centred (an odd spare pixel to the right or bottom); sizes modulo
// 2^16. The bars: t = min(w / 7, h / 14) of the cell, margin t.
inline Layout LayOut(int width, int height, int glyphs) {
    width &= 0xFFFF;
    height &= 0xFFFF;
    int cell = width / glyphs, usedHeight = 2 * cell;
    if (usedHeight > height) cell = height / 2, usedHeight = height;
    const int left = (width - glyphs * cell) / 2, top = (height - usedHeight) / 2;
    const int cellWidth = ((width - 2 * left) & 0xFFFF) / glyphs, cellHeight = height - 2 * top;
    const int t = std::min(cellWidth / 7, cellHeight / 14);
    return {left, top, t, t, cellWidth - 4 * t, (cellHeight - 5 * t) / 2};
}

// A picture of the client area: one character per pixel, ' ' where nothing
// was filled, else the brush ('B' background, 'C' color, 'I' idle).
struct Raster {
    int width, height, fills = 0;
    std::string pixels;
    Raster(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, ' ') {}
    void Fill(int left, int top, int right, int bottom, char brush) {
        ++fills;
        for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
            for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
                pixels[static_cast<size_t>(y) * width + x] = brush;
            }
        }
    }
};

// Where two rasters of one size first differ, or "" where they are the same.
inline std::string FirstDifference(const Raster& got, const Raster& want) {
    for (size_t i = 0; i < got.pixels.size(); ++i) {
        if (got.pixels[i] == want.pixels[i]) continue;
        return "pixel (" + std::to_string(i % got.width) + "," + std::to_string(i / got.width) +
               "): '" + got.pixels[i] + "', not '" + want.pixels[i] + "'";
    }
    return "";
}

// Paints text as the display must show it: places 2, 5 and 8 are separators
// (" " clears the cell, "." and ":" light their squares, anything else paints
// nothing), all others digits.
inline void Paint(Raster& out, const std::wstring& text, int glyphs, const Layout& l, bool straight,
                  bool running) {
    const char lit = running ? 'C' : 'I';
    const int t = l.t, w = l.CellWidth(), sh = l.SeparatorHeight();
    for (int i = 0; i < glyphs && i < static_cast<int>(text.size()); ++i) {
        const int x = l.left + i * w, y = l.top, cx = x + (w - t) / 2;
        const wchar_t ch = text[i];
        if (i == 2 || i == 5 || i == 8) {
            if (ch == L' ') out.Fill(x, y, x + w, y + sh, 'B');
            if (ch == L'.')
                out.Fill(x + l.m + t, y + sh - l.m - t, x + l.m + 2 * t, y + sh - l.m, lit);
            if (ch == L':') out.Fill(cx, y + sh / 3, cx + t, y + sh / 3 + t, lit);
            if (ch == L':') out.Fill(cx, y + 2 * sh / 3 - t, cx + t, y + 2 * sh / 3, lit);
            continue;
        }
        // The grid: margin, then bar, length, bar across and bar, length, bar,
        // length, bar down.
        int xs[4] = {x + l.m}, ys[6] = {y + l.m};
        const int across[3] = {t, l.h, t}, down[5] = {t, l.v, t, l.v, t};
        for (int k = 0; k < 3; ++k) xs[k + 1] = xs[k] + across[k];
        for (int k = 0; k < 5; ++k) ys[k + 1] = ys[k] + down[k];
        const int glyph = ch >= L'0' && ch <= L'9' ? ch - L'0' : ch == L'_' ? 10 : 11;
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                const char cell = kDigitPictures[row][glyph * 4 + col];
                const bool corner = row % 2 == 0 && col != 1;
                if (cell == ' ' || (corner && !straight)) continue;
                out.Fill(xs[col], ys[row], xs[col + 1], ys[row + 1], cell == '#' ? lit : 'B');
            }
        }
    }
}

}  // namespace expected
