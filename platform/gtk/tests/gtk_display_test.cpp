// The GTK layer on a display (run_on_xvfb.sh gives it one): the window's
// accessible display, read in the process as a screen reader reads it.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/app_record.h"
#include "app/window_logic.h"
#include "clock/clock.h"
#include "clock/time_text.h"
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

TEST(GtkDisplayTest, TheDisplayReadsAsATimerWhoseNameFollowsItOnceASecond) {
    ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display";
    RecordUiThread();
    PrepareBrushes();
    NativeWindow* window = CreateMainWindow();
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
}

}  // namespace
