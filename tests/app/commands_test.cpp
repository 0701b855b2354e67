// The command dispatcher: every id of the command table reaches its
// operation, and nothing else does anything.
#include "app/commands.h"

#include <string>

#include "tests/app/app_fixture.h"

namespace {

using CommandTest = AppTest;

TEST_F(CommandTest, IdsOutsideTheTableChangeNothing) {
    // Neighbours of every id group, and the ends of the range.
    const uint16_t strays[] = {0,     1,     59,    61,    32511, 32514, 32527, 32529,
                               32543, 32548, 32559, 32568, 32575, 32578, 32591, 32594,
                               32719, 32723, 32735, 32738, 32766, 32768, 65535};
    for (uint16_t id : strays) DispatchCommand(Window(), id);
    EXPECT_EQ(fake::g.repaints + fake::g.titleSets + fake::g.armCount, 0);
    EXPECT_EQ(fake::g.brushesCreated, 0);
    EXPECT_EQ(fake_shell::g.calls, "");
    EXPECT_EQ(g_clock.mode, kModeStopwatch);
    EXPECT_EQ(g_clock.precision, kPrecisionSecond);
    EXPECT_EQ(g_appearance.color, kColorGreen);
    EXPECT_EQ(g_appearance.style, kStyleRounded);
    EXPECT_FALSE(EntryActive());
}

TEST_F(CommandTest, ClockAndEntryIds) {
    DispatchCommand(Window(), IDM_START_PAUSE);
    EXPECT_EQ(g_clock.running, 1);
    DispatchCommand(Window(), IDM_START_PAUSE);
    EXPECT_EQ(fake::g.title, L"Stopwatch (Paused)");
    DispatchCommand(Window(), IDM_RESET);
    EXPECT_EQ(g_clock.started, 0);
    EXPECT_EQ(fake::g.title, L"Stopwatch");
    for (uint16_t id : kPresetIds) {
        DispatchCommand(Window(), id);
        EXPECT_EQ(g_clock.countdown, id * 1000u);
    }
    EXPECT_EQ(g_clock.mode, kModeTimer);
    EXPECT_EQ(fake::g.title, L"Timer");

    // The stopwatch command on a running countdown keeps it running.
    StartAt(10000);
    fake::g.counter = 13000;
    fake::FireTick();
    DispatchCommand(Window(), IDM_STOPWATCH);
    EXPECT_EQ(g_clock.mode, kModeStopwatch);
    EXPECT_EQ(g_clock.running, 1);
    EXPECT_EQ(std::wstring(g_displayText), L"00:00:03.00");

    // The entry menu acts as Enter and Esc.
    DispatchCommand(Window(), IDM_CUSTOMIZE);
    ASSERT_TRUE(EntryActive());
    EntryKey(Window(), L'4');
    DispatchCommand(Window(), IDM_ENTRY_OK);
    EXPECT_FALSE(EntryActive());
    EXPECT_EQ(g_clock.countdown, 4000u);
    DispatchCommand(Window(), IDM_CUSTOMIZE);
    EntryKey(Window(), L'9');
    DispatchCommand(Window(), IDM_ENTRY_CANCEL);
    EXPECT_FALSE(EntryActive());
    EXPECT_EQ(g_clock.countdown, 4000u);
}

TEST_F(CommandTest, PrecisionColorAndStyleIds) {
    const int32_t glyphs[] = {8, 8, 10, 11};
    for (int p = 0; p < 4; ++p) {
        fake::g.clientSize = {glyphs[p] * 15, 30};
        DispatchCommand(Window(), static_cast<uint16_t>(IDM_PRECISION_MINUTE + p));
        EXPECT_EQ(g_clock.precision, p);
        EXPECT_EQ(g_digitArea.right, glyphs[p] * 15) << p;  // laid out anew
    }
    // A color replaces the color brush and repaints without erase; a style
    // leaves other pixels behind, so it erases.
    const int erasing = fake::g.erasingRepaints;
    for (int c = 0; c < kColorCount; ++c) {
        const int created = fake::g.brushesCreated;
        DispatchCommand(Window(), static_cast<uint16_t>(IDM_COLOR_RED + c));
        EXPECT_EQ(fake::g.brushColors[1], kColorTable[c]);
        EXPECT_EQ(fake::g.brushesCreated, created + 1) << c;
    }
    EXPECT_EQ(fake::g.erasingRepaints, erasing);
    DispatchCommand(Window(), IDM_STYLE_STRAIGHT);
    EXPECT_EQ(g_appearance.style, kStyleStraight);
    DispatchCommand(Window(), IDM_STYLE_ROUNDED);
    EXPECT_EQ(g_appearance.style, kStyleRounded);
    EXPECT_EQ(fake::g.erasingRepaints, erasing + 2);
}

TEST_F(CommandTest, FrameAboutAndExitGoToTheShell) {
    DispatchCommand(Window(), IDM_TITLE_BAR);
    EXPECT_EQ(g_app.options.noTitleBar, 1);
    DispatchCommand(Window(), IDM_TITLE_BAR);
    EXPECT_EQ(g_app.options.noTitleBar, 0);
    DispatchCommand(Window(), IDM_FULL_SCREEN);
    EXPECT_EQ(g_app.options.fullScreen, 1);
    DispatchCommand(Window(), IDM_FULL_SCREEN);
    EXPECT_EQ(g_app.options.fullScreen, 0);
    DispatchCommand(Window(), IDM_FULL_SCREEN);
    DispatchCommand(Window(), IDM_LEAVE_FULL_SCREEN);
    EXPECT_EQ(g_app.options.fullScreen, 0);
    DispatchCommand(Window(), IDM_LEAVE_FULL_SCREEN);  // outside full screen too
    DispatchCommand(Window(), IDM_ABOUT);
    EXPECT_EQ(fake_shell::g.aboutOwner, Window());
    // Exit closes the window (which writes the settings); it does not quit.
    DispatchCommand(Window(), IDM_EXIT);
    EXPECT_EQ(fake_shell::g.calls, "TTELELLAC");
}

}  // namespace
