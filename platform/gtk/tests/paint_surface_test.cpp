// The display image of the GTK layer, without a display: the painter's fills
// land in it with the exact brush colors, only a repaint with erase clears
// it, repaint requests from another thread coalesce into one callback, and
// the caret is drawn over the image, never into it.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <thread>

#include "clock/clock.h"
#include "clock/time_text.h"
#include "display/layout.h"
#include "display/painter.h"
#include "platform/gtk/native_window.h"

namespace {

constexpr uint32_t kGreenRgb = 0x32E632;   // 50, 230, 50
constexpr uint32_t kOrangeRgb = 0xFF9600;  // 255, 150, 0
constexpr uint32_t kIdleRgb = 0xBEBEBE;

// Every pixel of the rectangle (right and bottom outside) has the color.
bool Filled(cairo_surface_t* surface, int left, int top, int right, int bottom, uint32_t rgb) {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            uint32_t value;
            std::memcpy(&value, data + y * stride + x * 4, sizeof value);
            if ((value & 0xFFFFFF) != rgb) return false;
        }
    }
    return true;
}

class DisplaySurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetClockForTests();
        RecordUiThread();
        CreateStartupBrushes();
        SelectColor(kColorGreen);
        SetSegmentStyle(kStyleRounded);
    }
    void TearDown() override {
        // The record is a plain object here: free what it holds.
        if (window.surface != nullptr) cairo_surface_destroy(window.surface);
        StopEntryCaret(&window);
        SetSegmentStyle(kStyleRounded);
        ResetClockForTests();
    }

    // Lays out the display for the window's image, as WM_SIZE does.
    void Layout(int32_t width, int32_t height, int32_t glyphs) {
        ResizeDisplaySurface(&window, width, height);
        g_digitArea = FitDigitArea(width, height, glyphs);
        const int32_t cell = (g_digitArea.right - g_digitArea.left) / glyphs;
        g_segmentMetrics = ComputeSegmentMetrics(cell, g_digitArea.bottom - g_digitArea.top);
    }

    // Serves pending repaints, draws the window onto a screen image and
    // tells whether the rectangle (right and bottom outside) shows the color.
    bool Shows(int left, int top, int right, int bottom, uint32_t rgb) {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        cairo_surface_t* screen =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, window.clientWidth, window.clientHeight);
        cairo_t* cr = cairo_create(screen);
        DrawDisplay(nullptr, cr, &window);
        cairo_destroy(cr);
        const bool filled = Filled(screen, left, top, right, bottom, rgb);
        cairo_surface_destroy(screen);
        return filled;
    }

    void Paint(const wchar_t* text, int32_t running, bool erase) {
        {
            ClockLockGuard guard;
            std::wcscpy(g_displayText, text);
            g_clock.running = running;
        }
        RequestRepaint(&window, erase);
    }

    NativeWindow window;
};

TEST_F(DisplaySurfaceTest, FillsLandOnExactPixelsWithExactColors) {
    // 150 x 30, 10 glyphs: margin 2, thickness 2, horizontal 7, vertical 10.
    SetPrecision(kPrecisionDecisecond);
    Layout(150, 30, 10);
    SetSegmentStyle(kStyleStraight);
    Paint(L"12:34:56.78", 1, true);
    const struct {
        int left, top, right, bottom;
        uint32_t rgb;
    } cases[] = {
        {11, 2, 13, 14, kGreenRgb},     // "1": right segments and corners
        {11, 16, 13, 28, kGreenRgb},    //
        {2, 2, 11, 4, 0},               // ... top unlit, corner included
        {19, 2, 26, 4, kGreenRgb},      // "2": top
        {19, 14, 26, 16, kGreenRgb},    // middle
        {17, 16, 19, 26, kGreenRgb},    // lower left
        {17, 4, 19, 14, 0},             // upper left unlit
        {36, 9, 38, 11, kGreenRgb},     // the colon's dots
        {36, 16, 38, 18, kGreenRgb},    //
        {30, 0, 36, 9, 0},              // between glyphs
        {124, 24, 126, 26, kGreenRgb},  // the decimal point
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Shows(c.left, c.top, c.right, c.bottom, c.rgb)) << c.left << "," << c.top;
    }
}

TEST_F(DisplaySurfaceTest, ColorAndRunningStateChooseTheBrush) {
    Layout(120, 30, 8);
    Paint(L"00:00:00.00", 0, true);
    EXPECT_TRUE(Shows(4, 2, 11, 4, kIdleRgb));  // glyph 0, top segment
    SelectColor(kColorOrange);
    Paint(L"00:00:00.00", 1, false);
    EXPECT_TRUE(Shows(4, 2, 11, 4, kOrangeRgb));
    EXPECT_TRUE(Shows(4, 14, 11, 16, 0));  // the unlit middle segment
    // Choosing a color replaces the color brush: no brush piles up.
    const int32_t live = LiveBrushCount();
    for (int i = 0; i < kColorCount; ++i) SelectColor(static_cast<ColorIndex>(i));
    EXPECT_EQ(LiveBrushCount(), live);
}

TEST_F(DisplaySurfaceTest, OnlyAnErasingRepaintClearsToBlack) {
    Layout(120, 30, 8);
    SetSegmentStyle(kStyleStraight);
    Paint(L"88:88:88.00", 1, true);
    EXPECT_TRUE(Shows(2, 2, 4, 4, kGreenRgb));
    // The rounded style never fills corner squares: without an erase the
    // straight style's corners stay, with one they go.
    SetSegmentStyle(kStyleRounded);
    Paint(L"88:88:88.00", 1, false);
    EXPECT_TRUE(Shows(2, 2, 4, 4, kGreenRgb));
    // A draw nobody asked a repaint for shows the image as it was.
    {
        ClockLockGuard guard;
        std::wcscpy(g_displayText, L"11:11:11.00");
    }
    EXPECT_TRUE(Shows(4, 2, 11, 4, kGreenRgb));
    Paint(L"11:11:11.00", 1, true);
    EXPECT_TRUE(Shows(2, 2, 4, 4, 0));
    EXPECT_TRUE(Shows(4, 2, 11, 4, 0));  // the "1" has no top segment
}

TEST_F(DisplaySurfaceTest, GrowingKeepsThePixelsAndBlackensTheRest) {
    Layout(120, 30, 8);
    Paint(L"00:00:00.00", 1, true);
    EXPECT_TRUE(Shows(4, 2, 11, 4, kGreenRgb));
    ResizeDisplaySurface(&window, 200, 40);
    EXPECT_EQ(window.clientWidth, 200);
    EXPECT_TRUE(Filled(window.surface, 4, 2, 11, 4, kGreenRgb));
    EXPECT_TRUE(Filled(window.surface, 120, 0, 200, 40, 0));
    EXPECT_TRUE(Filled(window.surface, 0, 30, 120, 40, 0));
    // A zero or negative size keeps a one-pixel image.
    ResizeDisplaySurface(&window, 0, -5);
    EXPECT_EQ(cairo_image_surface_get_width(window.surface), 1);
    EXPECT_EQ(cairo_image_surface_get_height(window.surface), 1);
}

TEST_F(DisplaySurfaceTest, RequestsFromTheTickThreadCoalesceIntoOneCallback) {
    Layout(120, 30, 8);
    std::thread tick([this] {
        for (int i = 0; i < 1000; ++i) RequestRepaint(&window, i == 500);
    });
    tick.join();
    EXPECT_FALSE(window.invalid);  // nothing happens off the main thread
    int callbacks = 0;
    while (g_main_context_iteration(nullptr, FALSE)) ++callbacks;
    EXPECT_EQ(callbacks, 1);
    EXPECT_TRUE(window.invalid);
    EXPECT_TRUE(window.eraseOnPaint);  // the erase of any request is kept
}

TEST_F(DisplaySurfaceTest, TheCaretIsDrawnOverTheImageOnlyWhileShown) {
    Layout(150, 30, 8);
    Paint(L"00:00:00.00", 0, true);
    CreateEntryCaret(&window, 2, 26);
    SetEntryCaretPosition(&window, 133, 2);
    // Stop the blink: the bar stays in its visible phase.
    g_source_remove(window.caret.blinkSource);
    window.caret.blinkSource = 0;
    const uint32_t grey = 0x808080;
    EXPECT_TRUE(Shows(133, 2, 135, 28, 0));  // created hidden
    ShowEntryCaret(&window);
    EXPECT_TRUE(Shows(133, 2, 135, 28, grey));
    EXPECT_TRUE(Filled(window.surface, 133, 2, 135, 28, 0));  // never in the image
    // Hides nest: two hides need two shows.
    HideEntryCaret(&window);
    HideEntryCaret(&window);
    ShowEntryCaret(&window);
    EXPECT_TRUE(Shows(133, 2, 135, 28, 0));
    ShowEntryCaret(&window);
    DestroyEntryCaret(&window);
    EXPECT_TRUE(Shows(133, 2, 135, 28, 0));
}

}  // namespace
