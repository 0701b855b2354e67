// Parts of the Win32 layer that need no window: the executable's path with
// its truncation rule, the painter's brushes and the resource log.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "platform/win32/resource_counts_win32.h"
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
    const ResourceCounts start = g_resourceCounts;
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

    // The counters saw four brushes made and the replaced one deleted.
    EXPECT_EQ(g_resourceCounts.brushesCreated - start.brushesCreated, 4);
    EXPECT_EQ(g_resourceCounts.brushesFreed - start.brushesFreed, 1);
    EXPECT_EQ(LiveDisplayBrushCount(), 3);
}

// The log is one line, written once to the file the variable names.
TEST(Win32LayerTest, ResourceLogIsOneLineWrittenOnce) {
    wchar_t directory[MAX_PATH];
    wchar_t path[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, directory), 0u);
    ASSERT_NE(GetTempFileNameW(directory, L"mox", 0, path), 0u);
    ASSERT_TRUE(SetEnvironmentVariableW(L"MOX_RESOURCE_LOG", path));
    g_resourceCounts = {7, 4, 2, 1, 12};
    WriteResourceLog(3, 1);
    g_resourceCounts.menusShown = 99;
    WriteResourceLog(3, 1);
    SetEnvironmentVariableW(L"MOX_RESOURCE_LOG", nullptr);

    char text[512] = {};
    const HANDLE file =
        CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    DeleteFileW(path);
    EXPECT_STREQ(text,
                 "brushes_created=7 brushes_freed=4 brushes_live=3 carets_created=2 "
                 "carets_destroyed=1 carets_live=1 menus_shown=12\n");

    // A buffer too small truncates and still terminates.
    char small[16];
    EXPECT_EQ(FormatResourceLine(small, sizeof small, g_resourceCounts, 3, 0), sizeof small - 1);
    EXPECT_EQ(std::strlen(small), sizeof small - 1);
}

}  // namespace
