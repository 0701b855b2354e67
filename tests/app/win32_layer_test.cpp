// Parts of the Win32 layer that need no window: the executable's path with
// its truncation rule, and the painter's brushes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/win32_program.h"

// The program's start-up defines this; the layer's objects refer to it.
Win32Handles g_win32;

namespace {

TEST(Win32LayerTest, ExecutablePathFitsOrIsRefusedEmpty) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_TRUE(GetExecutablePath(path, MAX_PATH));
    const std::wstring full = path;
    EXPECT_EQ(full.substr(full.size() - 4), L".exe");
    // One character too short for the terminator: the path would be cut, so
    // nothing is delivered.
    std::wstring buffer(full.size(), L'x');
    EXPECT_FALSE(GetExecutablePath(buffer.data(), full.size()));
    EXPECT_EQ(buffer[0], L'\0');
    buffer.assign(full.size() + 1, L'x');
    EXPECT_TRUE(GetExecutablePath(buffer.data(), full.size() + 1));
    EXPECT_EQ(std::wstring(buffer.c_str()), full);
    EXPECT_FALSE(GetExecutablePath(buffer.data(), 0));
}

// Fills a 4 x 1 bitmap with the role's brush and returns the first pixel.
COLORREF FillAndRead(BrushRole role) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    FillRectangle(reinterpret_cast<PaintCanvas*>(dc), Rect{0, 0, 4, 1}, role);
    const COLORREF color = GetPixel(dc, 0, 0);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    return color;
}

TEST(Win32LayerTest, BrushesFillTheirColorsAndTheReplacedOneIsFreed) {
    CreateDisplayBrushes(0x00000000, 0x0032E632, 0x00BEBEBE);
    EXPECT_EQ(BackgroundBrush(), DisplayBrush(BrushRole::Background));
    EXPECT_EQ(FillAndRead(BrushRole::Background), RGB(0, 0, 0));
    EXPECT_EQ(FillAndRead(BrushRole::Color), RGB(50, 230, 50));
    EXPECT_EQ(FillAndRead(BrushRole::Idle), RGB(190, 190, 190));

    const HBRUSH before = DisplayBrush(BrushRole::Color);
    ReplaceColorBrush(0x000096FF);
    EXPECT_EQ(FillAndRead(BrushRole::Color), RGB(255, 150, 0));
    EXPECT_EQ(GetObjectType(before), 0u);  // deleted, not leaked
    EXPECT_EQ(FillAndRead(BrushRole::Idle), RGB(190, 190, 190));
    EXPECT_NE(GetObjectType(DisplayBrush(BrushRole::Background)), 0u);
}

}  // namespace
