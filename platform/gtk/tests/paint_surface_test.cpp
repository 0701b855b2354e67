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

uint32_t PixelAt(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    uint32_t value;
    std::memcpy(&value, data + y * stride + x * 4, sizeof value);
    return value & 0xFFFFFF;
}

// Every pixel of the rectangle (right and bottom outside) has the color.
bool Filled(cairo_surface_t* surface, int left, int top, int right, int bottom, uint32_t rgb) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (PixelAt(surface, x, y) != rgb) return false;
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

    // Serves pending repaints and draws the window onto a screen image.
    cairo_surface_t* Draw() {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        cairo_surface_t* screen =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, window.clientWidth, window.clientHeight);
        cairo_t* cr = cairo_create(screen);
        DrawDisplay(nullptr, cr, &window);
        cairo_destroy(cr);
        return screen;
    }

    void SetText(const wchar_t* text, int32_t running) {
        ClockLockGuard guard;
        std::wcscpy(g_displayText, text);
        g_clock.running = running;
    }

    NativeWindow window;
};

TEST_F(DisplaySurfaceTest, PaintsTheWorkedExampleWithExactColors) {
    // 150 x 30, 10 glyphs: margin 2, thickness 2, horizontal 7, vertical 10.
    SetPrecision(kPrecisionDecisecond);
    Layout(150, 30, 10);
    SetSegmentStyle(kStyleStraight);
    SetText(L"12:34:56.78", 1);
    RequestRepaint(&window, true);
    cairo_surface_t* screen = Draw();
    // Glyph 0, "1": right segments and corners lit, the rest black.
    EXPECT_TRUE(Filled(screen, 11, 4, 13, 14, kGreenRgb));
    EXPECT_TRUE(Filled(screen, 11, 16, 13, 26, kGreenRgb));
    EXPECT_TRUE(Filled(screen, 11, 2, 13, 4, kGreenRgb));
    EXPECT_TRUE(Filled(screen, 11, 26, 13, 28, kGreenRgb));
    EXPECT_TRUE(Filled(screen, 4, 2, 11, 4, 0));
    EXPECT_TRUE(Filled(screen, 2, 2, 4, 4, 0));
    // Glyph 1, "2": top, middle, bottom, upper-right, lower-left lit.
    EXPECT_TRUE(Filled(screen, 19, 2, 26, 4, kGreenRgb));
    EXPECT_TRUE(Filled(screen, 19, 14, 26, 16, kGreenRgb));
    EXPECT_TRUE(Filled(screen, 17, 16, 19, 26, kGreenRgb));
    EXPECT_TRUE(Filled(screen, 17, 4, 19, 14, 0));
    // The colon and the decimal point.
    EXPECT_TRUE(Filled(screen, 36, 9, 38, 11, kGreenRgb));
    EXPECT_TRUE(Filled(screen, 36, 16, 38, 18, kGreenRgb));
    EXPECT_TRUE(Filled(screen, 124, 24, 126, 26, kGreenRgb));
    EXPECT_TRUE(Filled(screen, 30, 0, 36, 9, 0));
    cairo_surface_destroy(screen);
}

TEST_F(DisplaySurfaceTest, ColorAndRunningStateChooseTheBrush) {
    Layout(120, 30, 8);
    SetText(L"00:00:00.00", 0);
    RequestRepaint(&window, true);
    cairo_surface_t* idle = Draw();
    EXPECT_TRUE(Filled(idle, 4, 2, 11, 4, kIdleRgb));  // glyph 0, top segment
    cairo_surface_destroy(idle);

    SelectColor(kColorOrange);
    SetText(L"00:00:00.00", 1);
    RequestRepaint(&window, false);
    cairo_surface_t* running = Draw();
    EXPECT_TRUE(Filled(running, 4, 2, 11, 4, kOrangeRgb));
    EXPECT_TRUE(Filled(running, 4, 14, 11, 16, 0));  // the unlit middle segment
    cairo_surface_destroy(running);
    // Choosing a color replaces the color brush: no brush piles up.
    const int32_t live = LiveBrushCount();
    for (int i = 0; i < kColorCount; ++i) SelectColor(static_cast<ColorIndex>(i));
    EXPECT_EQ(LiveBrushCount(), live);
}

TEST_F(DisplaySurfaceTest, OnlyARepaintWithEraseClearsWhatThePainterNeverFills) {
    Layout(120, 30, 8);
    SetSegmentStyle(kStyleStraight);
    SetText(L"88:88:88.00", 1);
    RequestRepaint(&window, true);
    cairo_surface_destroy(Draw());
    // The rounded style never fills corner squares: without an erase the
    // straight style's corners stay, with one they go.
    SetSegmentStyle(kStyleRounded);
    RequestRepaint(&window, false);
    cairo_surface_t* kept = Draw();
    EXPECT_TRUE(Filled(kept, 2, 2, 4, 4, kGreenRgb));
    cairo_surface_destroy(kept);
    RequestRepaint(&window, true);
    cairo_surface_t* erased = Draw();
    EXPECT_TRUE(Filled(erased, 2, 2, 4, 4, 0));
    EXPECT_TRUE(Filled(erased, 4, 2, 11, 4, kGreenRgb));
    cairo_surface_destroy(erased);
}

TEST_F(DisplaySurfaceTest, ADrawWithoutRequestShowsTheImageWithoutPainting) {
    Layout(120, 30, 8);
    SetText(L"00:00:00.00", 1);
    RequestRepaint(&window, true);
    cairo_surface_destroy(Draw());
    // The text changes but nobody asked for a repaint: an expose shows the
    // image as it was.
    SetText(L"11:11:11.00", 1);
    cairo_surface_t* screen = Draw();
    EXPECT_TRUE(Filled(screen, 4, 2, 11, 4, kGreenRgb));  // the "0"'s top segment
    cairo_surface_destroy(screen);
}

TEST_F(DisplaySurfaceTest, GrowingKeepsThePixelsAndBlackensTheRest) {
    Layout(120, 30, 8);
    SetText(L"00:00:00.00", 1);
    RequestRepaint(&window, true);
    cairo_surface_destroy(Draw());
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
    EXPECT_FALSE(window.repaintQueued.load());
}

TEST_F(DisplaySurfaceTest, TheCaretIsDrawnOverTheImageOnlyWhileShown) {
    Layout(150, 30, 8);
    SetText(L"00:00:00.00", 0);
    RequestRepaint(&window, true);
    cairo_surface_destroy(Draw());
    CreateEntryCaret(&window, 2, 26);
    SetEntryCaretPosition(&window, 133, 2);
    // The blink would turn the bar off after a while: stop it, the bar stays
    // in its visible phase.
    g_source_remove(window.caret.blinkSource);
    window.caret.blinkSource = 0;
    const uint32_t grey = 0x808080;
    cairo_surface_t* hidden = Draw();  // created hidden
    EXPECT_TRUE(Filled(hidden, 133, 2, 135, 28, 0));
    cairo_surface_destroy(hidden);
    ShowEntryCaret(&window);
    cairo_surface_t* shown = Draw();
    EXPECT_TRUE(Filled(shown, 133, 2, 135, 28, grey));
    cairo_surface_destroy(shown);
    EXPECT_TRUE(Filled(window.surface, 133, 2, 135, 28, 0));  // never in the image
    // Hides nest: two hides need two shows.
    HideEntryCaret(&window);
    HideEntryCaret(&window);
    ShowEntryCaret(&window);
    cairo_surface_t* stillHidden = Draw();
    EXPECT_TRUE(Filled(stillHidden, 133, 2, 135, 28, 0));
    cairo_surface_destroy(stillHidden);
    ShowEntryCaret(&window);
    DestroyEntryCaret(&window);
    cairo_surface_t* gone = Draw();
    EXPECT_TRUE(Filled(gone, 133, 2, 135, 28, 0));
    cairo_surface_destroy(gone);
}

}  // namespace
