#include "tests/windows_e2e/display_reader.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

// Segment bits, in the order they are sampled below: upper-left, lower-left,
// top, middle, bottom, upper-right, lower-right; then the character of each
// pattern.
constexpr int kMasks[] = {0x77, 0x60, 0x3E, 0x7C, 0x69, 0x5D, 0x5F, 0x64, 0x7F, 0x7D, 0x08, 0};
constexpr wchar_t kCharacters[] = L"0123456789_ ";

}  // namespace

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

Reading ReadDisplay(const ClientImage& image, int glyphs) {
    Reading reading;
    if (image.width <= 0) return reading;
    int cell = image.width / glyphs;
    const int used = std::min(2 * cell, image.height);
    if (2 * cell > image.height) cell = image.height / 2;
    const int top = (image.height - used) / 2;
    const int left = (image.width - glyphs * cell) / 2;
    const int cellWidth = (image.width - 2 * left) / glyphs;
    const int cellHeight = image.height - 2 * top;
    const int t = std::min(cellWidth / 7, cellHeight / 14);  // margin and bar thickness
    const int h = cellWidth - 4 * t, v = (cellHeight - 5 * t) / 2;
    bool haveColor = false;
    auto sample = [&](int x, int y) {
        const COLORREF c = image.At(x, y);
        if (c == kBlack) return false;
        if (haveColor && c != reading.lit) reading.oneColor = false;
        if (!haveColor) reading.lit = c;
        haveColor = true;
        return true;
    };
    for (int i = 0; i < glyphs; ++i) {
        const int x = left + i * cellWidth;
        const int x0 = x + t, x1 = x0 + t, x2 = x1 + h;
        const int y0 = top + t, y1 = y0 + t, y2 = y1 + v, y3 = y2 + t, y4 = y3 + v;
        if (i == 2 || i == 5 || i == 8) {
            const int separator = 2 * (2 * t + v);
            const int l = x + (cellWidth - t) / 2 + t / 2;
            const bool upper = sample(l, top + separator / 3 + t / 2);
            const bool lower = sample(l, top + (2 * separator) / 3 - t + t / 2);
            const bool dot = sample(x1 + t / 2, y4 - t + t / 2);
            reading.text += upper && lower ? L':' : dot ? L'.' : (upper || lower) ? L'?' : L' ';
            continue;
        }
        const bool lit[] = {sample(x0 + t / 2, y1 + v / 2), sample(x0 + t / 2, y3 + v / 2),
                            sample(x1 + h / 2, y0 + t / 2), sample(x1 + h / 2, y2 + t / 2),
                            sample(x1 + h / 2, y4 + t / 2), sample(x2 + t / 2, y1 + v / 2),
                            sample(x2 + t / 2, y3 + v / 2)};
        int mask = 0;
        for (int s = 0; s < 7; ++s) mask |= lit[s] ? 1 << s : 0;
        if (image.At(x0 + t / 2, y0 + t / 2) != kBlack) reading.cornersLit = true;
        const int* found = std::find(std::begin(kMasks), std::end(kMasks), mask);
        reading.text += found == std::end(kMasks) ? L'?' : kCharacters[found - kMasks];
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
