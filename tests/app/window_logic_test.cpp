// What each main-window message does, through the fake platform and shell.
#include "app/window_logic.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/app/app_fixture.h"

namespace {

using WindowLogicTest = AppTest;

TEST_F(WindowLogicTest, CreateRecordsTheWindowBeforeTheStartOptionArmsTheClock) {
    OnCreate(Window());
    EXPECT_EQ(MainWindow(), Window());
    EXPECT_EQ(g_clock.started, 0);
    EXPECT_EQ(fake::g.title, L"Stopwatch");

    ResetClockForTests();
    g_app.mainWindow.store(nullptr);
    g_app.options.start = 1;
    SetClockMode(kModeTimer, 90000);
    OnCreate(Window());
    EXPECT_EQ(MainWindow(), Window());
    EXPECT_EQ(g_clock.running, 1);
    EXPECT_EQ(fake::g.armCount, 1);
    EXPECT_EQ(fake::g.title, L"Timer (90 sec)");
    // The first tick, due at once, reaches the recorded window.
    const int repaints = fake::g.repaints;
    fake::FireTick();
    EXPECT_EQ(fake::g.repaints, repaints + 1);
}

TEST_F(WindowLogicTest, SizeAndPaintUseTheGlyphCountOrTheEntryText) {
    fake::g.clientSize = {1000, 100};  // height-limited: origin (300, 0)
    OnSize(Window());
    fake::g.fills.clear();
    OnPaint(Window(), fake::TestCanvas());
    // Rounded style, 00:00:00: six digits of seven segments and two colons,
    // the first at the origin plus the margin.
    ASSERT_EQ(fake::g.fills.size(), 6u * 7 + 2 * 2);
    EXPECT_EQ(fake::g.fills[0].rect.left, 300 + 7);
    EXPECT_EQ(fake::g.fills[0].brush, BrushRole::Idle);
    EXPECT_TRUE(fake::g.caretCalls.empty());

    // During entry a resize lays out eleven glyphs, whatever the precision.
    fake::g.clientSize = {150, 30};
    SetPrecision(kPrecisionCentisecond);
    EnterCountdownEntry(Window());
    OnSize(Window());
    EXPECT_EQ(g_digitArea.left, 3);
    EXPECT_EQ(g_digitArea.right, 147);
    EXPECT_EQ(g_segmentMetrics.thickness, 1);
    // ... and a paint shows eight glyphs of the edit text, with the caret
    // hidden around it.
    EntryKey(Window(), L'7');
    fake::g.fills.clear();
    fake::g.caretCalls.clear();
    OnPaint(Window(), fake::TestCanvas());
    ASSERT_EQ(fake::g.caretCalls.size(), 2u);
    EXPECT_EQ(fake::g.caretCalls[0].kind, fake::CaretCall::Hide);
    EXPECT_EQ(fake::g.caretCalls[1].kind, fake::CaretCall::Show);
    EXPECT_EQ(fake::g.fills.size(), 6u * 7 + 2 * 2);
    int lit = 0;
    for (const fake::Fill& f : fake::g.fills) lit += f.brush != BrushRole::Background;
    EXPECT_EQ(lit, 5 + 3 + 4);  // __:__:_7 : five dashes, the 7, two colons
}

TEST_F(WindowLogicTest, CharactersOnlyDuringEntryAndTheMiddleButtonAlways) {
    OnChar(Window(), L'5');
    EXPECT_EQ(std::wstring(g_editText), L"__:__:__.__");
    EXPECT_EQ(fake::g.repaints, 0);

    EnterCountdownEntry(Window());
    OnChar(Window(), L'5');
    OnChar(Window(), L' ');
    EXPECT_EQ(std::wstring(g_editText), L"__:__:_5.__");
    EXPECT_EQ(g_clock.started, 0);  // Space types nothing and starts nothing
    OnMiddleButton(Window());
    EXPECT_EQ(g_clock.running, 1);
    OnMiddleButton(Window());
    EXPECT_EQ(fake::g.title, L"Stopwatch (Paused)");
    OnChar(Window(), 27);
    EXPECT_FALSE(EntryActive());
    EXPECT_EQ(fake_shell::g.calls, "");  // Esc here leaves no full screen
}

TEST_F(WindowLogicTest, TimeUpAlarmsAndQuitsAsAsked) {
    OnCreate(Window());
    PresetCommand(Window(), 60);
    StartAt(0);
    fake::g.counter = 60000;
    fake::FireTick();
    ASSERT_EQ(fake::g.timeUpPosts, 1);
    OnTimeUp(Window());
    EXPECT_EQ(fake_shell::g.calls, "S");
    EXPECT_EQ(fake_shell::g.alarmFile, L"alarm.wav");
    ASSERT_EQ(fake::g.messageBoxes.size(), 1u);
    EXPECT_EQ(fake::g.messageBoxes[0].owner, Window());
    EXPECT_EQ(fake::g.messageBoxes[0].text, L"Time is up!");
    EXPECT_EQ(fake::g.messageBoxes[0].caption, L"Timer (60 sec)");

    std::wcscpy(g_app.options.alarmFile, L"D:\\ring.wav");
    std::wcscpy(g_app.options.alarmMessage, L"Tea");
    const struct {
        int32_t noAlarm, quit;
        const char* calls;
    } cases[] = {{0, 1, "SQ"}, {1, 1, "Q"}, {1, 0, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.calls);
        fake_shell::Reset();
        fake::g.messageBoxes.clear();
        g_app.options.noAlarm = c.noAlarm;
        g_app.options.quitAfterTimeUp = c.quit;
        OnTimeUp(Window());
        EXPECT_EQ(fake_shell::g.calls, c.calls);
        ASSERT_EQ(fake::g.messageBoxes.size(), c.noAlarm ? 0u : 1u);
        if (!c.noAlarm) {
            EXPECT_EQ(fake::g.messageBoxes[0].text, L"Tea");
            EXPECT_EQ(fake_shell::g.alarmFile, L"D:\\ring.wav");
        }
    }
}

TEST_F(WindowLogicTest, FrameRequestsAndAccelerators) {
    OnEnterFullScreenRequest(Window());
    OnEnterFullScreenRequest(Window());  // again: maximizes again, flag stays
    EXPECT_EQ(g_app.options.fullScreen, 1);
    OnLeaveFullScreenRequest(Window());
    EXPECT_EQ(g_app.options.fullScreen, 0);
    OnLeftDoubleClick(Window(), true);  // maximized: nothing
    EXPECT_EQ(g_app.options.noTitleBar, 0);
    OnLeftDoubleClick(Window(), false);
    EXPECT_EQ(g_app.options.noTitleBar, 1);
    EXPECT_EQ(fake_shell::g.calls, "EELT");

    EXPECT_TRUE(AcceleratorsEnabled());
    EnterCountdownEntry(Window());
    EXPECT_FALSE(AcceleratorsEnabled());
    EntryKey(Window(), 27);
    EXPECT_TRUE(AcceleratorsEnabled());
}

TEST_F(WindowLogicTest, CloseAndEndSessionWriteTheSettingsFile) {
    // Both messages end in OnClose. A file of its own in the working folder,
    // so the test runs natively and under Wine alike.
    const std::string path = "app_logic_close_test.ini";
    std::remove(path.c_str());
    for (size_t i = 0; i <= path.size(); ++i) g_app.settingsPath[i] = path[i];
    fake::g.placement = {40, 50, 120, 30, 0};
    PresetCommand(Window(), 3600);
    OnClose(Window());
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    std::remove(path.c_str());
    EXPECT_NE(text.str().find("[MOX_Timer]"), std::string::npos);
    EXPECT_NE(text.str().find("-mode=timer:3600"), std::string::npos);
    EXPECT_NE(text.str().find("-position=40,50,120,30"), std::string::npos);
}

}  // namespace
