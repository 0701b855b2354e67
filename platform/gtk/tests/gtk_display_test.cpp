// The GTK layer on a display (run_on_xvfb.sh gives it one): the window's
// accessible display, read in the process as a screen reader reads it.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <tuple>

#include "app/app_record.h"
#include "app/operations.h"
#include "app/window_logic.h"
#include "clock/clock.h"
#include "clock/time_text.h"
#include "display/layout.h"
#include "display/requested_look.h"
#include "entry/countdown_entry.h"
#include "platform/gtk/native_window.h"

namespace {

// Runs the main loop until done holds or milliseconds have passed.
bool RunUntil(const std::function<bool()>& done, int milliseconds) {
    const gint64 deadline = g_get_monotonic_time() + milliseconds * 1000;
    for (;;) {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        if (done()) return true;
        if (g_get_monotonic_time() > deadline) return false;
        g_usleep(2000);
    }
}

// The accessible display first: a screen reader reads a timer whose name
// follows the display, at most once a second. Then the painting of two
// rectangles requested from the tick's thread before one draw.
TEST(GtkDisplayTest, TheDisplayReadsAsATimerAndTwoRectanglesRequestedBeforeOneDrawArePainted) {
    ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display";
    RecordUiThread();
    PrepareBrushes();
    NativeWindow* window = CreateMainWindow();
    ASSERT_NE(window, nullptr);
    AtkObject* accessible = gtk_widget_get_accessible(window->area);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(atk_object_get_role(accessible), ATK_ROLE_TIMER);
    auto name = [&] { return std::string(atk_object_get_name(accessible)); };
    auto nameBecomes = [&](const std::string& want) {
        EXPECT_TRUE(RunUntil([&] { return name() == want; }, 2500)) << name() << ", not " << want;
    };
    EXPECT_EQ(name(), "Stopwatch 00:00:00");

    // A centisecond stopwatch ticks 100 times a second and is paused and
    // resumed 20 times a second: the name changes at most once a second.
    int names = 0;
    g_signal_connect(
        accessible, "notify::accessible-name",
        G_CALLBACK(+[](GObject*, GParamSpec*, gpointer count) { ++*static_cast<int*>(count); }),
        &names);
    PrecisionCommand(window, kPrecisionCentisecond);
    StartPause(window);
    const gint64 start = g_get_monotonic_time();
    for (int i = 0; i < 45; ++i) {
        RunUntil([] { return false; }, 50);
        StartPause(window);
        StartPause(window);
    }
    const double seconds = (g_get_monotonic_time() - start) / 1e6;
    EXPECT_GE(names, 1);
    EXPECT_LE(names, seconds + 1.0) << names << " names in " << seconds << " s";
    EXPECT_TRUE(g_clock.running);
    StartPause(window);
    char paused[64];
    {
        ClockLockGuard guard;
        std::snprintf(paused, sizeof paused, "Stopwatch (Paused) %.8ls", g_displayText);
    }
    nameBecomes(paused);

    // Minute precision's blinking separator is read as ":".
    ResetCommand(window);
    PrecisionCommand(window, kPrecisionMinute);
    StartPause(window);
    names = 0;
    RunUntil([&] { return names == 2; }, 2500);
    EXPECT_EQ(name(), "Stopwatch 00:00:__");

    PrecisionCommand(window, kPrecisionSecond);
    ResetCommand(window);
    PresetCommand(window, 300);
    nameBecomes("Timer 00:05:00");
    EnterCountdownEntry(window);
    for (const char ch : {'1', '2', '3', '0'}) EntryKey(window, static_cast<uint32_t>(ch));
    nameBecomes("Countdown entry __:12:30");
    EntryKey(window, kKeyEscape);
    nameBecomes("Timer 00:05:00");

    // Both rectangles are painted into the image and shown, and nothing
    // outside them: the text of every cell changes, the requests cover
    // cells 1 and 3 only.
    ResetCommand(window);
    PrecisionCommand(window, kPrecisionSecond);
    ShowMainWindow(window);
    ASSERT_TRUE(
        RunUntil([&] { return gtk_widget_get_mapped(window->area) && window->sized; }, 5000));
    // Idle grey in the upper-left bar of a cell shows a 0 there; a 1 leaves it black.
    auto upperLeftLit = [&](int32_t cell, bool fromWindow) {
        const int32_t x = g_digitArea.left + cell * CellWidth(g_segmentMetrics) +
                          g_segmentMetrics.margin + g_segmentMetrics.thickness / 2;
        const int32_t y = g_digitArea.top + g_segmentMetrics.margin + g_segmentMetrics.thickness +
                          g_segmentMetrics.verticalLength / 2;
        if (fromWindow) {
            GdkPixbuf* shot =
                gdk_pixbuf_get_from_window(gtk_widget_get_window(window->area), x, y, 1, 1);
            const bool lit = shot != nullptr && gdk_pixbuf_get_pixels(shot)[0] == 190;
            if (shot != nullptr) g_object_unref(shot);
            return lit;
        }
        cairo_surface_t* image = cairo_surface_map_to_image(window->surface, nullptr);
        const uint32_t pixel = reinterpret_cast<const uint32_t*>(
            cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image))[x];
        cairo_surface_unmap_image(window->surface, image);
        return (pixel & 0xFFFFFF) == 0xBEBEBE;
    };
    ASSERT_TRUE(RunUntil([&] { return upperLeftLit(6, true); }, 5000)) << "00:00:00 never shown";
    {
        ClockLockGuard guard;
        std::wcscpy(g_displayText, L"01:11:11.00");
    }
    std::thread([&] {
        RequestPartialRepaint(window, GlyphCellRect(g_digitArea, g_segmentMetrics, 1));
        RequestPartialRepaint(window, GlyphCellRect(g_digitArea, g_segmentMetrics, 3));
    }).join();
    EXPECT_TRUE(RunUntil([&] { return !upperLeftLit(1, true) && !upperLeftLit(3, true); }, 5000));
    for (const bool fromWindow : {false, true}) {
        EXPECT_EQ(std::tuple(upperLeftLit(0, fromWindow), upperLeftLit(1, fromWindow),
                             upperLeftLit(3, fromWindow), upperLeftLit(4, fromWindow),
                             upperLeftLit(6, fromWindow)),
                  std::tuple(true, false, false, true, true))
            << (fromWindow ? "window" : "image");
    }
}

}  // namespace
