// The shared application logic, with a fake window layer that logs letters.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/app_record.h"
#include "app/commands.h"
#include "app/menu_state.h"
#include "app/shell_services.h"
#include "app/window_logic.h"
#include "clock/clock.h"
#include "display/painter.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

static std::string calls;
// clang-format off
int32_t ToggleTitleBar(WindowHandle) { return calls += 'T', 0; }  // hides it
int32_t EnterFullScreen(WindowHandle) { return calls += 'E', 1; }
int32_t LeaveFullScreen(WindowHandle) { return calls += 'L', 0; }
void ShowAboutBox(WindowHandle) { calls += 'A'; }
void PlayAlarmSound(const wchar_t*) { calls += 'S'; }
void RequestClose(WindowHandle) { calls += 'C'; }
void QuitMessageLoop() { calls += 'Q'; }
// clang-format on

const WindowHandle kWindow = fake::TestWindow();

static void Fresh() {
    fake::Reset();
    calls.clear();
    ResetClockForTests();
    g_app.options = DefaultWindowOptions();
    g_appearance = Appearance{};
    g_entryActive.store(0);
}

// Everything a command could change that a user would see.
static auto Observable() {
    return std::tuple(g_clock.mode, g_clock.precision, g_clock.countdown, g_clock.running,
                      g_clock.started, g_appearance.color, g_appearance.style,
                      g_app.options.noTitleBar, g_app.options.fullScreen, EntryActive(),
                      fake::g.repaints, fake::g.erasingRepaints, fake::g.titleSets,
                      fake::g.brushesCreated, calls);
}

TEST(AppTest, DispatcherReachesEveryCommandAndIgnoresOthers) {
    std::vector<uint16_t> ids = {
        IDM_START_PAUSE, IDM_RESET,        IDM_STOPWATCH,         IDM_CUSTOMIZE,
        IDM_ENTRY_OK,    IDM_ENTRY_CANCEL, IDM_STYLE_ROUNDED,     IDM_STYLE_STRAIGHT,
        IDM_TITLE_BAR,   IDM_FULL_SCREEN,  IDM_LEAVE_FULL_SCREEN, IDM_ABOUT,
        IDM_EXIT};
    ids.insert(ids.end(), std::begin(kPresetIds), std::end(kPresetIds));
    for (int i = 0; i < 4; ++i) ids.push_back(uint16_t(IDM_PRECISION_MINUTE + i));
    for (int i = 0; i < kColorCount; ++i) ids.push_back(uint16_t(IDM_COLOR_RED + i));
    const size_t known = ids.size();
    ids.insert(ids.end(), {0, 32511, 32514, 32548, 32568, 32578, 32594, 32723, 32738, 65535});
    std::set<std::pair<decltype(Observable()), decltype(Observable())>>
        outcomes;  // each command does something no other does
    for (size_t i = 0; i < ids.size(); ++i) {
        Fresh();
        PresetCommand(kWindow, 90);
        StartPause(kWindow);
        if (ids[i] == IDM_PRECISION_SECOND) SetPrecision(kPrecisionMinute);
        if (ids[i] == IDM_ENTRY_OK || ids[i] == IDM_ENTRY_CANCEL) EnterCountdownEntry(kWindow);
        const auto before = Observable();
        DispatchCommand(kWindow, ids[i]);
        EXPECT_EQ(Observable() != before, i < known) << ids[i];
        EXPECT_TRUE(i >= known || outcomes.insert({before, Observable()}).second) << ids[i];
    }
}

TEST(AppTest, ContextMenuStateAndAnchor) {
    Fresh();
    for (auto [text, reset] :
         {std::pair{L"&Start", false}, {L"Pau&se", true}, {L"Re&sume", true}, {L"&Start", false}}) {
        const ContextMenuState state = ComputeContextMenuState();
        EXPECT_EQ(std::wstring(state.startPauseText), text);
        EXPECT_EQ(state.resetEnabled, reset) << text;
        (state.resetEnabled && !g_clock.running ? ResetCommand : StartPause)(kWindow);
    }
    EXPECT_TRUE(ComputeContextMenuState().titleBarEnabled);
    g_app.options.fullScreen = 1;  // full screen has no title bar
    EXPECT_FALSE(ComputeContextMenuState().titleBarEnabled);

    // From the keyboard or a click at x, y, during entry or not: shown, and where.
    for (auto [keyboard, entry, x, y, show, atX, atY] :
         {std::tuple{true, false, 500, 500, true, 0, 30},
          {false, false, 120, 10, false, 0, 0},
          {false, false, 10, -12, false, 0, 0},
          {false, true, 5, 5, true, 5, 5}}) {
        if (entry) EnterCountdownEntry(kWindow);
        const MenuPlacement at = PlaceContextMenu(keyboard, x, y, ClientSize{120, 30});
        EXPECT_EQ(at.show, show) << x << "," << y;
        EXPECT_TRUE(!show || (at.clientX == atX && at.clientY == atY &&
                              (at.menu == MenuKind::Entry) == entry))
            << x << "," << y;
    }
}

TEST(AppTest, TimeUpAlarmsAndQuitsAsAskedAndCloseWritesTheSettings) {
    for (auto [noAlarm, quit, expected] :  // M: the message box
         {std::tuple{0, 0, "SM"}, {0, 1, "SQM"}, {1, 1, "Q"}, {1, 0, ""}}) {
        Fresh();
        g_app.options.noAlarm = noAlarm;
        g_app.options.quitAfterTimeUp = quit;
        OnTimeUp(kWindow);
        EXPECT_EQ(calls + std::string(fake::g.messageBoxes.size(), 'M'), expected);
        for (const auto& box : fake::g.messageBoxes) EXPECT_EQ(box.text, L"Time is up!");
    }
    const std::string path = "app_logic_close_test.ini";  // natively and under Wine alike
    for (size_t i = 0; i <= path.size(); ++i) g_app.settingsPath[i] = path[i];
    fake::g.placement = {40, 50, 120, 30, 0};
    PresetCommand(kWindow, 3600);
    OnClose(kWindow);
    const std::string text(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {});
    std::remove(path.c_str());
    for (const char* line : {"[MOX_Timer]", "-mode=timer:3600", "-position=40,50,120,30"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST(AppTest, WindowMessagesDuringAndOutsideCountdownEntry) {
    Fresh();
    g_app.mainWindow.store(nullptr);
    g_app.options.start = 1;
    OnCreate(kWindow);  // the start option arms the tick, which must find the window
    EXPECT_EQ(MainWindow(), kWindow);
    EXPECT_TRUE(g_clock.running);
    EXPECT_EQ(fake::g.title, L"Stopwatch");

    fake::g.clientSize = {165, 30};
    OnSize(kWindow);  // 8 glyphs of 15 x 30 centred in 165
    EXPECT_EQ(g_digitArea.left, 22);
    OnChar(kWindow, L'5');  // ignored outside entry
    EXPECT_STREQ(g_editText, L"__:__:__.__");
    EXPECT_TRUE(AcceleratorsEnabled());

    EnterCountdownEntry(kWindow);
    EXPECT_FALSE(AcceleratorsEnabled());
    OnSize(kWindow);  // laid out for 11 glyphs while 8 are painted
    EXPECT_EQ(g_digitArea.left, 0);
    OnChar(kWindow, L'5');
    EXPECT_STREQ(g_editText, L"__:__:_5.__");
    fake::g.fills.clear();
    OnPaint(kWindow, fake::TestCanvas());
    EXPECT_EQ(fake::g.fills.size(), 6u * 7 + 4u);  // rounded digits and two colons
    OnMiddleButton(kWindow);                       // still pauses during entry
    EXPECT_FALSE(g_clock.running);

    OnLeftDoubleClick(kWindow, true);  // maximized: nothing
    OnLeftDoubleClick(kWindow, false);
    OnEnterFullScreenRequest(kWindow);
    EXPECT_EQ(g_app.options.fullScreen, 1);
    OnLeaveFullScreenRequest(kWindow);
    EXPECT_EQ(calls, "TEL");
    EXPECT_EQ(g_app.options.noTitleBar, 1);
    EXPECT_EQ(g_app.options.fullScreen, 0);
}
