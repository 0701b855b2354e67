// What each main-window message does, through the fake platform and shell.
#include "app/window_logic.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/about_text.h"
#include "tests/app/app_fixture.h"

namespace {

using WindowLogicTest = AppTest;

TEST_F(WindowLogicTest, CreateRecordsTheWindowStartsWhenAskedAndSetsTheTitle) {
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
}

TEST_F(WindowLogicTest, SizeLaysOutForTheGlyphCountOrElevenDuringEntry) {
    fake::g.clientSize = {150, 30};
    SetPrecision(kPrecisionDecisecond);
    OnSize(Window());
    EXPECT_EQ(g_digitArea.left, 0);
    EXPECT_EQ(g_digitArea.right, 150);

    g_entryActive.store(1);
    OnSize(Window());
    EXPECT_EQ(g_digitArea.left, 3);
    EXPECT_EQ(g_digitArea.top, 2);
    EXPECT_EQ(g_digitArea.right, 147);
    EXPECT_EQ(g_digitArea.bottom, 28);
    EXPECT_EQ(g_segmentMetrics.thickness, 1);
}

TEST_F(WindowLogicTest, PaintDrawsTheDisplayTextWithTheGlyphCount) {
    fake::g.clientSize = {1000, 100};  // height-limited: origin (300, 0)
    OnSize(Window());
    ForgetCalls();
    OnPaint(Window(), fake::TestCanvas());
    // Rounded style, 00:00:00: six digits of seven segments and two colons.
    EXPECT_EQ(fake::g.fills.size(), 6u * 7 + 2 * 2);
    ASSERT_FALSE(fake::g.fills.empty());
    // The first fill is the first digit's upper-left segment, at the origin
    // plus the margin.
    EXPECT_EQ(fake::g.fills[0].rect.left, 300 + 7);
    EXPECT_EQ(fake::g.fills[0].brush, BrushRole::Idle);
    EXPECT_TRUE(fake::g.caretCalls.empty());
}

TEST_F(WindowLogicTest, PaintDuringEntryHidesTheCaretAroundEightGlyphsOfTheEditText) {
    SetPrecision(kPrecisionCentisecond);
    fake::g.clientSize = {165, 30};
    EnterCountdownEntry(Window());
    EntryKey(Window(), L'7');
    ForgetCalls();
    OnPaint(Window(), fake::TestCanvas());
    ASSERT_EQ(fake::g.caretCalls.size(), 2u);
    EXPECT_EQ(fake::g.caretCalls[0].kind, fake::CaretCall::Hide);
    EXPECT_EQ(fake::g.caretCalls[1].kind, fake::CaretCall::Show);
    // __:__:_7 : five underscores and one 7 as digits, two colons.
    EXPECT_EQ(fake::g.fills.size(), 6u * 7 + 2 * 2);
    int lit = 0;
    for (const fake::Fill& f : fake::g.fills) {
        if (f.brush != BrushRole::Background) lit++;
    }
    EXPECT_EQ(lit, 5 + 3 + 4);  // five dashes, the 7's three segments, two colons
}

TEST_F(WindowLogicTest, CharactersReachTheEditorOnlyDuringEntry) {
    OnChar(Window(), L'5');
    EXPECT_EQ(std::wstring(g_editText), L"__:__:__.__");
    EXPECT_EQ(fake::g.repaints, 0);

    EnterCountdownEntry(Window());
    OnChar(Window(), L'5');
    OnChar(Window(), L' ');
    EXPECT_EQ(std::wstring(g_editText), L"__:__:_5.__");
    EXPECT_EQ(g_clock.started, 0);  // Space types nothing and starts nothing
    OnChar(Window(), 27);
    EXPECT_FALSE(EntryActive());
    EXPECT_EQ(g_app.options.fullScreen, 0);
    EXPECT_TRUE(fake_shell::g.calls.empty());  // Esc here leaves no full screen
}

TEST_F(WindowLogicTest, MiddleButtonStartsAndPausesAlsoDuringEntry) {
    EnterCountdownEntry(Window());
    OnMiddleButton(Window());
    EXPECT_EQ(g_clock.running, 1);
    OnMiddleButton(Window());
    EXPECT_EQ(g_clock.running, 0);
    EXPECT_EQ(fake::g.title, L"Stopwatch (Paused)");
}

TEST_F(WindowLogicTest, TimeUpPlaysAndShowsTheAlarmWithTheTitleAsCaption) {
    OnCreate(Window());
    PresetCommand(Window(), 60);
    StartAt(0);
    ASSERT_EQ(fake::g.title, L"Timer (60 sec)");
    fake::g.counter = 60000;
    fake::FireTick();
    OnTimeUp(Window());
    EXPECT_EQ(fake_shell::g.calls, "S");
    EXPECT_EQ(fake_shell::g.alarmFile, L"alarm.wav");
    ASSERT_EQ(fake::g.messageBoxes.size(), 1u);
    EXPECT_EQ(fake::g.messageBoxes[0].owner, Window());
    EXPECT_EQ(fake::g.messageBoxes[0].text, L"Time is up!");
    EXPECT_EQ(fake::g.messageBoxes[0].caption, L"Timer (60 sec)");
    EXPECT_FALSE(fake::g.messageBoxes[0].defaultCaption);
}

TEST_F(WindowLogicTest, TimeUpQuitsAfterTheAlarmOrSilently) {
    g_app.options.quitAfterTimeUp = 1;
    std::wcscpy(g_app.options.alarmFile, L"D:\\ring.wav");
    std::wcscpy(g_app.options.alarmMessage, L"Tea");
    OnTimeUp(Window());
    EXPECT_EQ(fake_shell::g.calls, "SQ");
    EXPECT_EQ(fake_shell::g.alarmFile, L"D:\\ring.wav");
    ASSERT_EQ(fake::g.messageBoxes.size(), 1u);
    EXPECT_EQ(fake::g.messageBoxes[0].text, L"Tea");

    ForgetCalls();
    g_app.options.noAlarm = 1;
    OnTimeUp(Window());
    EXPECT_EQ(fake_shell::g.calls, "Q");
    EXPECT_TRUE(fake::g.messageBoxes.empty());

    ForgetCalls();
    g_app.options.quitAfterTimeUp = 0;
    OnTimeUp(Window());
    EXPECT_TRUE(fake_shell::g.calls.empty());
    EXPECT_TRUE(fake::g.messageBoxes.empty());
}

TEST_F(WindowLogicTest, FrameRequestsSetTheFlags) {
    OnEnterFullScreenRequest(Window());
    EXPECT_EQ(g_app.options.fullScreen, 1);
    OnEnterFullScreenRequest(Window());  // again: maximizes again, flag stays
    EXPECT_EQ(g_app.options.fullScreen, 1);
    OnLeaveFullScreenRequest(Window());
    EXPECT_EQ(g_app.options.fullScreen, 0);

    OnLeftDoubleClick(Window(), true);  // maximized: nothing
    EXPECT_EQ(g_app.options.noTitleBar, 0);
    OnLeftDoubleClick(Window(), false);
    EXPECT_EQ(g_app.options.noTitleBar, 1);
    OnLeftDoubleClick(Window(), false);
    EXPECT_EQ(g_app.options.noTitleBar, 0);
    EXPECT_EQ(fake_shell::g.calls, "EELTT");
}

TEST_F(WindowLogicTest, AcceleratorsAreOffDuringEntry) {
    EXPECT_TRUE(AcceleratorsEnabled());
    EnterCountdownEntry(Window());
    EXPECT_FALSE(AcceleratorsEnabled());
    EntryKey(Window(), 27);
    EXPECT_TRUE(AcceleratorsEnabled());
}

TEST_F(WindowLogicTest, CloseWritesTheSettingsFile) {
    // A file of its own in the working folder, so the test runs natively and
    // under Wine alike.
    const std::string path = "app_logic_close_test.ini";
    std::remove(path.c_str());
    for (size_t i = 0; i <= path.size(); ++i) g_app.settingsPath[i] = path[i];
    fake::g.placement = {40, 50, 120, 30, 0};
    PresetCommand(Window(), 3600);
    OnClose(Window());
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(path.c_str());
    EXPECT_NE(text.str().find("[MOX_Timer]"), std::string::npos);
    EXPECT_NE(text.str().find("-mode=timer:3600"), std::string::npos);
    EXPECT_NE(text.str().find("-position=40,50,120,30"), std::string::npos);
}

TEST(AboutTextTest, LinesEndInCrLfAndFrameTheText) {
    const std::wstring text = kAboutText;
    size_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], L'\r') << "bare LF at " << i;
            lines++;
        } else if (text[i] == L'\r') {
            ASSERT_LT(i + 1, text.size());
            EXPECT_EQ(text[i + 1], L'\n') << "bare CR at " << i;
        }
    }
    EXPECT_EQ(lines, 33u);
    EXPECT_EQ(text.rfind(L"Version:\t\t1.9.0.0\r\nAuthor:\t\t\t", 0), 0u);
    EXPECT_NE(text.find(L"\r\n\r\n\r\nMOUSE and KEYBOARD:\r\n\r\nLeft Double Click:\t"),
              std::wstring::npos);
    EXPECT_NE(text.find(L"\r\n-noAlarm\t\tDoes not show alarm message or play sound \r\n"),
              std::wstring::npos);
    const std::wstring end = L"\r\n-quitAfterTimeUp\t\t\r\n";
    EXPECT_EQ(text.compare(text.size() - end.size(), end.size(), end), 0);
}

}  // namespace
