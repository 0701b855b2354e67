// The shared application logic, with the fake window layer that logs letters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/about_text.h"
#include "app/app_record.h"
#include "app/commands.h"
#include "app/menu_state.h"
#include "app/operations.h"
#include "app/window_logic.h"
#include "display/layout.h"
#include "display/painter.h"
#include "entry/countdown_entry.h"
#include "platform/fake/fake_platform.h"

namespace {

const WindowHandle kWindow = fake::TestWindow();
const std::string& calls = fake::g.shellCalls;

void Fresh() {
    fake::Reset();
    fake::g.clientSize = {120, 30};
    OnSize(kWindow);
}

// Mode (S, T), clock (Idle, Running, Paused), precision, color, style, title
// bar hidden, full screen, entry, countdown, repaints (with erase), the title
// (its blanks as "_"), shell calls.
std::vector<std::string> State() {
    char text[160];
    std::wstring title = fake::g.title;
    std::replace(title.begin(), title.end(), L' ', L'_');
    std::snprintf(text, sizeof text, "%c %c p%d c%d s%d bar%d full%d entry%d %us r%d x%d '%ls' %s",
                  "ST"[g_clock.mode], "IPR"[g_clock.started + g_clock.running], g_clock.precision,
                  g_appearance.color, g_appearance.style, g_app.options.noTitleBar,
                  g_app.options.fullScreen, EntryActive() ? 1 : 0, g_clock.countdown / 1000,
                  fake::g.repaints, fake::g.erasingRepaints, title.c_str(), calls.c_str());
    std::vector<std::string> tokens;
    for (std::istringstream in(text); in >> text;) tokens.push_back(text);
    return tokens;
}

// The tokens of State() that differ from before.
std::string Changes(const std::vector<std::string>& before) {
    std::string out;
    const std::vector<std::string> now = State();
    for (size_t i = 0; i < now.size(); ++i) {
        if (i >= before.size() || now[i] != before[i]) out += (out.empty() ? "" : " ") + now[i];
    }
    return out;
}

// From a running 90 s countdown (in entry, in full screen or without title bar
// where the row says so) each command changes what its row shows, no more.
TEST(AppTest, EachCommandIdDoesItsOwnOperation) {
    // clang-format off
    const struct {
        uint16_t id;
        char setup;
        const char* changes;
    } rows[] = {
        {IDM_START_PAUSE, 0, "P r1 'Timer_(Paused)'"}, {IDM_RESET, 0, "I r1 'Timer'"},
        {IDM_STOPWATCH, 0, "S r1 'Stopwatch'"}, {IDM_CUSTOMIZE, 0, "entry1 r1 x1"},
        {IDM_ENTRY_OK, 'e', "entry0 0s r1 x1 'Timer_(0_sec)'"}, {60, 0, "60s r1 'Timer_(60_sec)'"},
        {IDM_ENTRY_CANCEL, 'e', "entry0 r1 x1"}, {7200, 0, "7200s r1 'Timer_(7200_sec)'"},
        {IDM_PRECISION_MINUTE, 0, "p0 r1 x1"}, {IDM_PRECISION_SECOND, 0, "r1 x1"},
        {IDM_PRECISION_CENTISECOND, 0, "p3 r1 x1"}, {IDM_COLOR_RED, 0, "c0 r1"},
        {IDM_COLOR_GREEN, 0, ""}, {IDM_COLOR_ORANGE, 0, "c7 r1"},
        {IDM_STYLE_ROUNDED, 0, "r1 x1"}, {IDM_STYLE_STRAIGHT, 0, "s1 r1 x1"},
        {IDM_TITLE_BAR, 0, "bar1 T"}, {IDM_TITLE_BAR, 't', "bar0 T"},
        {IDM_FULL_SCREEN, 0, "full1 E"}, {IDM_FULL_SCREEN, 'f', "full0 L"},
        {IDM_LEAVE_FULL_SCREEN, 'f', "full0 L"}, {IDM_LEAVE_FULL_SCREEN, 0, "L"},
        {IDM_ABOUT, 0, "A"}, {IDM_EXIT, 0, "C"}};
    // clang-format on
    for (const auto& r : rows) {
        Fresh();
        PresetCommand(kWindow, 90);
        StartPause(kWindow);
        if (r.setup == 'e') EnterCountdownEntry(kWindow);
        g_app.options.fullScreen = r.setup == 'f';
        g_app.options.noTitleBar = r.setup == 't';
        fake::g.repaints = fake::g.erasingRepaints = 0;
        const std::vector<std::string> before = State();
        DispatchCommand(kWindow, r.id);
        EXPECT_EQ(Changes(before), r.changes) << r.id << " " << r.setup;
    }
    // Ids just past the ranges, and outside every range, do nothing.
    for (uint16_t id : {0, 59, 32511, 32548, 32568, 32578, 32594, 32723, 32738, 65535}) {
        Fresh();
        const std::vector<std::string> before = State();
        DispatchCommand(kWindow, id);
        EXPECT_EQ(Changes(before), "") << id;
    }
}

// Mode, toggles (the third a reset), precision, color, style, noTitleBar and
// fullScreen; then what the menu shows.
TEST(AppTest, ContextMenuChecksAndRadiosByState) {
    const struct {
        bool timer;
        int toggles, precision, color, style, noTitleBar, fullScreen;
        const char* shows;
    } rows[] = {{false, 0, 1, 1, 0, 0, 0, "&Start reset0 3 p1 c1 s0 bar checked enabled, full0"},
                {true, 1, 3, 7, 1, 1, 0, "Pau&se reset1 4 p3 c7 s1 bar unchecked enabled, full0"},
                {true, 2, 0, 0, 0, 0, 1, "Re&sume reset1 4 p0 c0 s0 bar checked grayed, full1"},
                {false, 3, 2, 4, 1, 2, 2, "&Start reset0 3 p2 c4 s1 bar unchecked grayed, full1"}};
    for (const auto& r : rows) {
        Fresh();
        if (r.timer) PresetCommand(kWindow, 60);
        for (int i = 0; i < r.toggles; ++i) (i < 2 ? StartPause : ResetCommand)(kWindow);
        SetPrecision(static_cast<Precision>(r.precision));
        SelectColor(static_cast<ColorIndex>(r.color));
        SetSegmentStyle(static_cast<SegmentStyle>(r.style));
        g_app.options.noTitleBar = r.noTitleBar;
        g_app.options.fullScreen = r.fullScreen;
        const ContextMenuState s = ComputeContextMenuState();
        char shows[96];
        std::snprintf(shows, sizeof shows, "%ls reset%d %d p%d c%d s%d bar %s %s, full%d",
                      s.startPauseText, s.resetEnabled, s.modePosition, s.precisionPosition,
                      s.colorPosition, s.stylePosition, s.titleBarChecked ? "checked" : "unchecked",
                      s.titleBarEnabled ? "enabled" : "grayed", s.fullScreenChecked);
        EXPECT_EQ(std::string(shows), r.shows);
    }
}

// Left and top edges lie inside the 120 x 30 client area, right and bottom
// outside; from the keyboard the menu opens at the bottom-left corner.
TEST(AppTest, MenuAnchor) {
    // clang-format off
    for (auto [keyboard, entry, x, y, show] : {
             std::tuple{true, false, 500, 500, true}, {false, false, 0, 0, true},
             {false, false, -1, 5, false}, {false, false, 5, -1, false},
             {false, false, 120, 5, false}, {false, false, 5, 30, false},
             {false, true, 7, 9, true}}) {
        // clang-format on
        Fresh();
        if (entry) EnterCountdownEntry(kWindow);
        const MenuPlacement at = PlaceContextMenu(keyboard, x, y, ClientSize{120, 30});
        EXPECT_EQ(at.show, show) << x << "," << y;
        EXPECT_TRUE(!show || std::tuple(at.clientX, at.clientY, at.menu) ==
                                 std::tuple(keyboard ? 0 : x, keyboard ? 30 : y,
                                            entry ? MenuKind::Entry : MenuKind::Context))
            << x << "," << y;
    }
}

// Each item as "text id", a submenu as "text -items", a separator as "- 0".
// The Linux program builds its menus from these tables; nothing else there
// holds their texts.
TEST(AppTest, MenuTables) {
    std::wstring context, entry;
    const auto list = [](const MenuEntry* items, size_t count, std::wstring* out) {
        for (const MenuEntry* e = items; e < items + count; ++e) {
            *out += (e->text ? e->text : L"-") + (L" " + std::to_wstring(e->id - e->submenuItems)) +
                    L"|";
        }
    };
    list(kContextMenuItems, kContextMenuItemCount, &context);
    list(kEntryMenuItems, kEntryMenuItemCount, &entry);
    EXPECT_EQ(context,
              L"  32512|&Reset 32513|- 0|Stop&watch 32528|&Timer -14|&Customize...  32767|- 0|"
              L"1 minute 60|2 minutes 120|3 minutes 180|5 minutes 300|10 minutes 600|"
              L"15 minutes 900|20 minutes 1200|30 minutes 1800|40 minutes 2400|50 minutes 3000|"
              L"1 hour 3600|2 hours 7200|- 0|&Precision -4|&Minute 32544|&Second 32545|"
              L"&Decisecond 32546|&Centisecond 32547|&Color -8|&Red 32560|&Green 32561|"
              L"&Blue 32562|&White 32563|&Yellow 32564|&Cyan 32565|&Magenta 32566|"
              L"&Orange 32567|St&yle -2|&Rounded 32576|&Straight 32577|- 0|Show Title &Bar 32720|"
              L"&Full Screen 32721|- 0|&About... 32736|E&xit 32737|");
    EXPECT_EQ(entry, L"&OK\tEnter 32592|&Cancel\tEsc 32593|");
}

// The window layer names what built the program; a name longer than the 63
// characters the text keeps is cut.
TEST(AppTest, AboutText) {
    const std::wstring tools = std::wstring(kBuildTools).substr(0, 63);
    EXPECT_EQ(
        std::wstring(AboutText()),
        L"Version:\t\t1.9.0.0\r\nAuthor:\t\t\tThe Mox team\r\nWebsite:\t\tnone\r\n"
        L"Language:\t\t" +
            tools +
            L"\r\n\r\n\r\nMOUSE and KEYBOARD:\r\n\r\n"
            L"Left Double Click:\tHide/Show titlebar\r\nMiddle Click:\t\tStart/Stop\r\n"
            L"Space:\t\t\tStart/Stop\r\nF1:\t\t\tAbout\r\nF11:\t\t\tFull screen\r\n\r\n\r\n"
            L"COMMAND LINES:\r\n\r\n-mode=timer:90\t\tCount down 90 seconds\r\n"
            L"-start\t\t\tStart timer immediately\r\n\r\n-precision=second\tSelect precision\r\n"
            L"-color=orange\t\tSelect color\r\n-style=straight\t\tSelect style\r\n\r\n"
            L"-position=100,0,100,20\tCustomize window x,y position, width and height\r\n"
            L"-noTitleBar\t\t\r\n-noTaskBarIcon\t\t\r\n-fullScreen\t\t\r\n\r\n"
            L"-noAlarm\t\tDoes not show alarm message or play sound \r\n"
            L"-alarmFile=\"D:\\a.wav\"\tCustomize alarm WAV file\r\n"
            L"-alarmMessage=\"YourMsg\"\tCustomize alarm message\r\n-quitAfterTimeUp\t\t\r\n");
}

TEST(AppTest, TimeUpAlarmsAndQuitsAsAskedAndCloseWritesTheSettings) {
    for (auto [noAlarm, quit, expected] :  // M: the message box
         {std::tuple{0, 0, "SM"}, {0, 1, "SQM"}, {2, 1, "Q"}, {1, 0, ""}}) {
        Fresh();
        g_app.options.noAlarm = noAlarm;
        g_app.options.quitAfterTimeUp = quit;
        UpdateTitle(kWindow, kModeTimer, 0);
        OnTimeUp(kWindow);
        EXPECT_EQ(calls + std::string(fake::g.messageBoxes.size(), 'M'), expected);
        for (const auto& box : fake::g.messageBoxes) {
            EXPECT_EQ(std::tuple(box.owner, box.text, box.caption),
                      std::tuple(kWindow, L"Time is up!", L"Timer"));
        }
    }
    const std::string path = "app_logic_close_test.ini";  // natively and under Wine alike
    for (size_t i = 0; i <= path.size(); ++i) g_app.settingsPath[i] = path[i];
    PresetCommand(kWindow, 3600);
    OnClose(kWindow);  // what the file holds is the settings tests' concern
    const std::string text(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {});
    std::remove(path.c_str());
    EXPECT_NE(text.find("-mode=timer:3600\n"), std::string::npos) << text;
}

TEST(AppTest, StartUpAndWindowMessagesDuringAndOutsideCountdownEntry) {
    Fresh();
    fake::g.executablePath = L"moxtimer.exe";
    fake::g.commandLine = L"moxtimer -color=red -start";
    PrepareSettingsPath();
    PrepareBrushes();
    PrepareOptions();
    EXPECT_NE(g_app.settingsPath[0], L'\0');
    EXPECT_EQ(std::tuple(fake::g.brushesCreated, g_appearance.color), std::tuple(4, kColorRed));
    g_app.mainWindow.store(nullptr);
    OnCreate(kWindow);  // the start option arms the tick, which must find the window
    EXPECT_EQ(std::tuple(MainWindow(), g_clock.running, fake::g.title),
              std::tuple(kWindow, 1, L"Stopwatch"));

    fake::g.clientSize = {165, 30};
    OnSize(kWindow);                       // 8 glyphs of 15 x 30 centred in 165
    OnChar(kWindow, L'5');                 // ignored outside entry
    OnPaint(kWindow, fake::TestCanvas());  // rounded digits and two colons
    EXPECT_EQ(std::tuple(g_digitArea.left, std::wstring(g_editText), AcceleratorsEnabled(),
                         fake::g.fills.size(), fake::g.fills[0].rect.left),
              std::tuple(22, L"__:__:__.__", true, 6u * 7 + 4u, 22 + 2));

    EnterCountdownEntry(kWindow);
    OnSize(kWindow);  // laid out for 11 glyphs while 8 are painted
    OnChar(kWindow, L'5');
    fake::g.fills.clear();
    fake::g.caretCalls.clear();
    OnPaint(kWindow, fake::TestCanvas());  // the caret hidden around the painter
    EXPECT_EQ(std::tuple(g_digitArea.left, std::wstring(g_editText), AcceleratorsEnabled(),
                         fake::g.fills.size(), fake::g.caretCalls.size()),
              std::tuple(0, L"__:__:_5.__", false, 6u * 7 + 4u, 2u));
    EXPECT_EQ(std::tuple(fake::g.caretCalls[0].kind, fake::g.caretCalls[1].kind),
              std::tuple(fake::CaretCall::Hide, fake::CaretCall::Show));
    OnMiddleButton(kWindow);  // still pauses during entry
    EXPECT_FALSE(g_clock.running);

    OnLeftDoubleClick(kWindow, true);  // maximized: nothing
    OnLeftDoubleClick(kWindow, false);
    EXPECT_EQ(g_app.options.noTitleBar, 1);
    OnLeftDoubleClick(kWindow, false);
    OnEnterFullScreenRequest(kWindow);
    EXPECT_EQ(std::tuple(g_app.options.noTitleBar, g_app.options.fullScreen), std::tuple(0, 1));
    OnLeaveFullScreenRequest(kWindow);
    EXPECT_EQ(std::tuple(calls, g_app.options.fullScreen), std::tuple("TTEL", 0));
}

}  // namespace
