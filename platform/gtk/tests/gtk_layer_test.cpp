// The GTK layer without a display: input mapping, the image, the counters.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "app/about_text.h"
#include "app/window_logic.h"
#include "clock/clock.h"
#include "clock/time_text.h"
#include "display/painter.h"
#include "platform/gtk/alarm_file.h"
#include "platform/gtk/input_mapping.h"
#include "platform/gtk/native_window.h"
#include "platform/resource_counts.h"
#include "tests/settings/scratch_files.h"

namespace {

TEST(GtkLayerTest, DoubleClicksArriveAsOnWindows) {
    // After a press at 1000 ms, x 10: GTK events (4 press, 5 double, 6 triple), button,
    // time, x. Windows sees D a down, W a double-click (400 ms, 5 px), also for a triple.
    const char* cases[][2] = {
        {"4 1 1100 10, 5 1 1100 10, 4 1 1500 10, 6 1 1500 10, 4 1 1600 10", "DWDW"},
        {"4 1 1401 10", "DD"},
        {"4 1 1400 10", "DW"},
        {"4 1 1100 16", "DD"},
        {"4 2 1100 10", "DD"}};
    for (const auto& c : cases) {
        ClickTracker tracker;
        std::string roles = "D";
        int kind, used, button, time, x;
        TrackPress(&tracker, GDK_BUTTON_PRESS, 1, 1000, 10, 10, 400, 5);
        for (const char* p = c[0];
             std::sscanf(p, "%d %d %d %d,%n", &kind, &button, &time, &x, &used) == 4; p += used) {
            const auto role = TrackPress(&tracker, GdkEventType(kind), button, time, x, 10, 400, 5);
            if (role != PressRole::Skip) roles += role == PressRole::Down ? 'D' : 'W';
        }
        EXPECT_EQ(roles, c[1]) << c[0];
    }
}

TEST(GtkLayerTest, KeysTypeWhatWmCharCarries) {
    const guint none = 0, ctrl = GDK_CONTROL_MASK;  // modifiers
    const guint cases[][3] = {{GDK_KEY_BackSpace, none, 8},  {GDK_KEY_KP_Enter, none, 13},
                              {GDK_KEY_Escape, none, 27},    {GDK_KEY_KP_3, none, '3'},
                              {GDK_KEY_h, ctrl, 8},          {GDK_KEY_1, ctrl, 0},
                              {GDK_KEY_x, GDK_MOD1_MASK, 0}, {GDK_KEY_F1, none, 0}};
    for (const auto& c : cases) {
        uint32_t ch = 0;
        EXPECT_EQ(CharacterForKey(c[0], static_cast<GdkModifierType>(c[1]), &ch), c[2] != 0);
        EXPECT_EQ(ch, c[2]) << c[0];
    }
}

TEST(GtkLayerTest, OnlyAnErasingRepaintClearsTheImageAndResourcesBalance) {
    RecordUiThread();
    CreateStartupBrushes();
    NativeWindow window;
    ResizeDisplaySurface(&window, 120, 30);
    OnSize(&window);
    g_clock.running = 1;
    std::wcscpy(g_displayText, L"88:88:88");
    // The corner at (2, 2): the straight style fills it, the rounded never.
    auto corner = [&](SegmentStyle style, bool erase) {
        SetSegmentStyle(style);
        RequestRepaint(&window, erase);
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        cairo_t* cr = cairo_create(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 120, 30));
        DrawDisplay(nullptr, cr, &window);
        cairo_surface_destroy(cairo_get_target(cr));
        cairo_destroy(cr);
        const unsigned char* data = cairo_image_surface_get_data(window.surface);
        return reinterpret_cast<const uint32_t*>(
                   data + 2 * cairo_image_surface_get_stride(window.surface))[2] &
               0xFFFFFF;
    };
    EXPECT_EQ(corner(kStyleStraight, true), 0x32E632u);  // green
    EXPECT_EQ(corner(kStyleRounded, false), 0x32E632u);
    EXPECT_EQ(corner(kStyleRounded, true), 0u);
    cairo_surface_destroy(window.surface);

    // The counters balance: a replaced brush or caret is freed, and so is
    // the caret of a window closed during entry.
    for (int color = 0; color < kColorCount; ++color) SelectColor(ColorIndex(color));
    EXPECT_EQ(g_resourceCounts.brushesCreated - g_resourceCounts.brushesFreed,
              DisplayBrushesMade());
    CreateEntryCaret(&window, 2, 20);
    CreateEntryCaret(&window, 2, 24);
    StopEntryCaret(&window);
    EXPECT_GT(g_resourceCounts.caretsCreated, 1);
    EXPECT_EQ(g_resourceCounts.caretsCreated, g_resourceCounts.caretsDestroyed);
}

// The rest of the text is compared whole with the shared logic's tests.
TEST(GtkLayerTest, TheAboutTextSaysGtkBuiltIt) {
    EXPECT_NE(std::wstring(AboutText()).find(L"\r\nLanguage:\t\tC++20, GCC, GTK 3\r\n\r\n"),
              std::wstring::npos);
}

TEST(GtkLayerTest, AlarmFileIsLookedUpInTheCurrentFolderThenBesideTheProgram) {
    namespace fs = std::filesystem;
    const ScratchFolder scratch;
    const fs::path& root = scratch.root;
    const std::string program = (root / "program/").string();
    for (const char* file : {"here/both.wav", "here/here.wav", "program/both.wav",
                             "program/beside.wav", "program/folder.wav", "program/\xC3\xA9.wav"}) {
        fs::create_directories((root / file).parent_path());
        std::ofstream(root / file) << "RIFF";
    }
    fs::create_directories(root / "here/folder.wav");
    const fs::path before = fs::current_path();
    fs::current_path(root / "here");
    const std::wstring moxtimer = (root / "program/moxtimer").wstring();
    const std::wstring beside = (root / "program/beside.wav").wstring();
    const std::wstring notHere = (root / "here/beside.wav").wstring();
    // Name, program path, the path found ("" for none).
    const std::tuple<const wchar_t*, const wchar_t*, std::string> cases[] = {
        {L"here.wav", moxtimer.c_str(), "here.wav"},
        {L"both.wav", moxtimer.c_str(), "both.wav"},
        {L"beside.wav", moxtimer.c_str(), program + "beside.wav"},
        {L"folder.wav", moxtimer.c_str(), program + "folder.wav"},  // a folder is no file
        {L"\u00E9.wav", moxtimer.c_str(), program + "\xC3\xA9.wav"},
        {beside.c_str(), moxtimer.c_str(), program + "beside.wav"},
        {notHere.c_str(), moxtimer.c_str(), ""},  // absolute: never beside the program
        {L"missing.wav", moxtimer.c_str(), ""},
        {L"", moxtimer.c_str(), ""},
        {L"beside.wav", L"", ""},
        {L"both.wav", moxtimer.c_str(), "cut"},  // a path that may be cut is not looked up
    };
    for (const auto& [name, programPath, found] : cases) {
        char path[256] = "junk";
        const size_t capacity = found == "cut" ? 8 : sizeof path;
        EXPECT_EQ(ResolveAlarmFile(name, programPath, path, capacity),
                  !found.empty() && found != "cut");
        EXPECT_EQ(path, found == "cut" ? "" : found) << name;
    }
    fs::current_path(before);
}

}  // namespace
