// The command dispatcher: every id of the command table reaches its
// operation, and nothing else does anything.
#include "app/commands.h"

#include <string>

#include "tests/app/app_fixture.h"

namespace {

using CommandTest = AppTest;

TEST_F(CommandTest, IdsOutsideTheTableChangeNothing) {
    const uint16_t strays[] = {0,     1,     59,    61,    32511, 32514, 32527, 32529,
                               32543, 32548, 32559, 32568, 32575, 32578, 32591, 32594,
                               32719, 32723, 32735, 32738, 32766, 32768, 65535};
    for (uint16_t id : strays) {
        DispatchCommand(Window(), id);
    }
    EXPECT_EQ(fake::g.repaints, 0);
    EXPECT_EQ(fake::g.titleSets, 0);
    EXPECT_EQ(fake::g.armCount, 0);
    EXPECT_EQ(fake::g.brushesCreated, 0);
    EXPECT_TRUE(fake_shell::g.calls.empty());
    EXPECT_EQ(g_clock.mode, kModeStopwatch);
    EXPECT_EQ(g_clock.precision, kPrecisionSecond);
    EXPECT_EQ(g_appearance.color, kColorGreen);
    EXPECT_EQ(g_appearance.style, kStyleRounded);
    EXPECT_FALSE(EntryActive());
}

TEST_F(CommandTest, StartPauseResetAndStopwatch) {
    DispatchCommand(Window(), IDM_START_PAUSE);
    EXPECT_EQ(g_clock.running, 1);
    EXPECT_EQ(fake::g.title, L"Stopwatch");
    EXPECT_EQ(fake::g.repaints, 1);
    EXPECT_EQ(fake::g.erasingRepaints, 0);

    fake::g.counter = 2500;
    fake::FireTick();
    DispatchCommand(Window(), IDM_START_PAUSE);
    EXPECT_EQ(g_clock.running, 0);
    EXPECT_EQ(fake::g.title, L"Stopwatch (Paused)");

    DispatchCommand(Window(), IDM_RESET);
    EXPECT_EQ(g_clock.started, 0);
    EXPECT_EQ(g_clock.elapsed, 0u);
    EXPECT_EQ(std::wstring(g_displayText), L"00:00:00.00");
    EXPECT_EQ(fake::g.title, L"Stopwatch");

    // The stopwatch command on a running countdown keeps it running.
    DispatchCommand(Window(), 300);
    StartAt(10000);
    fake::g.counter = 13000;
    fake::FireTick();
    DispatchCommand(Window(), IDM_STOPWATCH);
    EXPECT_EQ(g_clock.mode, kModeStopwatch);
    EXPECT_EQ(g_clock.running, 1);
    EXPECT_EQ(std::wstring(g_displayText), L"00:00:03.00");
    EXPECT_EQ(fake::g.title, L"Stopwatch");
    EXPECT_EQ(g_clock.countdown, 300000u);
}

TEST_F(CommandTest, EveryPresetSetsItsCountdown) {
    for (uint16_t id : kPresetIds) {
        ForgetCalls();
        DispatchCommand(Window(), id);
        EXPECT_EQ(g_clock.mode, kModeTimer) << id;
        EXPECT_EQ(g_clock.countdown, id * 1000u) << id;
        EXPECT_EQ(fake::g.title, L"Timer") << id;
        EXPECT_EQ(fake::g.repaints, 1) << id;
        EXPECT_EQ(fake::g.erasingRepaints, 0) << id;
    }
    EXPECT_EQ(std::wstring(g_displayText), L"02:00:00.00");
}

TEST_F(CommandTest, PresetOnAPausedStopwatchCountsFromTheSameBase) {
    StartAt(1000);
    fake::g.counter = 11000;
    fake::FireTick();
    DispatchCommand(Window(), IDM_START_PAUSE);
    DispatchCommand(Window(), 60);
    EXPECT_EQ(std::wstring(g_displayText), L"00:00:50.00");
    EXPECT_EQ(fake::g.title, L"Timer (Paused)");
}

TEST_F(CommandTest, PrecisionIdsSetPrecisionAndLayout) {
    const int32_t glyphs[] = {8, 8, 10, 11};
    for (int p = 0; p < 4; ++p) {
        fake::g.clientSize = {glyphs[p] * 15, 30};
        DispatchCommand(Window(), static_cast<uint16_t>(IDM_PRECISION_MINUTE + p));
        EXPECT_EQ(g_clock.precision, p);
        EXPECT_EQ(g_clock.glyphCount, glyphs[p]);
        EXPECT_EQ(g_digitArea.right, glyphs[p] * 15) << p;
    }
    // The first precision command left the idle clock paused; no title update.
    EXPECT_EQ(g_clock.started, 1);
    EXPECT_EQ(g_clock.running, 0);
    EXPECT_EQ(fake::g.titleSets, 0);
}

TEST_F(CommandTest, ColorIdsReplaceTheBrushAndRepaintWithoutErase) {
    for (int c = 0; c < kColorCount; ++c) {
        ForgetCalls();
        const int created = fake::g.brushesCreated;
        DispatchCommand(Window(), static_cast<uint16_t>(IDM_COLOR_RED + c));
        EXPECT_EQ(g_appearance.color, c);
        EXPECT_EQ(fake::g.brushColors[1], kColorTable[c]);
        EXPECT_EQ(fake::g.brushesCreated, created + 1);
        EXPECT_EQ(fake::g.repaints, 1);
        EXPECT_EQ(fake::g.erasingRepaints, 0);
    }
}

TEST_F(CommandTest, StyleIdsRepaintWithErase) {
    DispatchCommand(Window(), IDM_STYLE_STRAIGHT);
    EXPECT_EQ(g_appearance.style, kStyleStraight);
    EXPECT_EQ(fake::g.erasingRepaints, 1);
    DispatchCommand(Window(), IDM_STYLE_ROUNDED);
    EXPECT_EQ(g_appearance.style, kStyleRounded);
    EXPECT_EQ(fake::g.erasingRepaints, 2);
}

TEST_F(CommandTest, CustomizeEntersEntryAndTheEntryMenuActsAsEnterAndEsc) {
    DispatchCommand(Window(), IDM_CUSTOMIZE);
    ASSERT_TRUE(EntryActive());
    EntryKey(Window(), L'4');
    EntryKey(Window(), L'5');
    DispatchCommand(Window(), IDM_ENTRY_OK);
    EXPECT_FALSE(EntryActive());
    EXPECT_EQ(g_clock.mode, kModeTimer);
    EXPECT_EQ(g_clock.countdown, 45000u);

    DispatchCommand(Window(), IDM_CUSTOMIZE);
    EntryKey(Window(), L'9');
    DispatchCommand(Window(), IDM_ENTRY_CANCEL);
    EXPECT_FALSE(EntryActive());
    EXPECT_EQ(g_clock.countdown, 45000u);
}

TEST_F(CommandTest, TitleBarFollowsTheToggle) {
    DispatchCommand(Window(), IDM_TITLE_BAR);
    EXPECT_EQ(g_app.options.noTitleBar, 1);
    DispatchCommand(Window(), IDM_TITLE_BAR);
    EXPECT_EQ(g_app.options.noTitleBar, 0);
    EXPECT_EQ(fake_shell::g.calls, "TT");
}

TEST_F(CommandTest, FullScreenTogglesAndEscAlwaysLeaves) {
    DispatchCommand(Window(), IDM_FULL_SCREEN);
    EXPECT_EQ(g_app.options.fullScreen, 1);
    DispatchCommand(Window(), IDM_FULL_SCREEN);
    EXPECT_EQ(g_app.options.fullScreen, 0);
    DispatchCommand(Window(), IDM_FULL_SCREEN);
    DispatchCommand(Window(), IDM_LEAVE_FULL_SCREEN);
    EXPECT_EQ(g_app.options.fullScreen, 0);
    // Outside full screen Esc still runs the leave step.
    DispatchCommand(Window(), IDM_LEAVE_FULL_SCREEN);
    EXPECT_EQ(g_app.options.fullScreen, 0);
    EXPECT_EQ(fake_shell::g.calls, "ELELL");
}

TEST_F(CommandTest, AboutAndExitGoToTheShell) {
    DispatchCommand(Window(), IDM_ABOUT);
    EXPECT_EQ(fake_shell::g.aboutBoxes, 1);
    EXPECT_EQ(fake_shell::g.aboutOwner, Window());
    DispatchCommand(Window(), IDM_EXIT);
    EXPECT_EQ(fake_shell::g.closeRequests, 1);
    EXPECT_EQ(fake_shell::g.quits, 0);
}

}  // namespace
