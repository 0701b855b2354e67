// Reads the seven-segment display off a screen capture, as a user reads it:
// which segments are lit in each cell, and in which color.
#pragma once

#include "tests/windows_e2e/e2e_support.h"

namespace e2e {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kIdleGrey = RGB(190, 190, 190);
constexpr COLORREF kGreen = RGB(50, 230, 50);
constexpr COLORREF kOrange = RGB(255, 150, 0);

struct Reading {
    // One character per glyph: digits, '_' for a lone middle bar, ':' and
    // '.', ' ' for a dark cell, '?' for a pattern that is no character.
    std::wstring text;
    COLORREF lit = kBlack;    // the color of the lit segments
    bool oneColor = true;     // all lit segments have that color
    bool cornersLit = false;  // the straight style's corner squares
};

// Reads glyphs cells of 2:1, as large as fit the capture, centred.
Reading ReadDisplay(const ClientImage& image, int glyphs);
Reading ReadProgram(const Program& program, int glyphs = 8);

// Succeeds once the display reads text (and, unless 0, in the lit color).
::testing::AssertionResult DisplayShows(const Program& program, const std::wstring& text,
                                        COLORREF lit = 0, int glyphs = 8, int timeoutMs = 5000);

std::string Narrow(const std::wstring& text);

}  // namespace e2e
