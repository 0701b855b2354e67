// The context menus, driven as a user drives them: opened from the keyboard
// or by a right click, items chosen by their mnemonics and the arrow keys.
// Their texts, checks and grayed items are tested through the shared menu
// state; here each choice must have its effect.
#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

TEST(Menu, KeyboardOpensItAtTheBottomLeftOfTheClientArea) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    HWND popup = p.OpenMenuFromKeyboard();
    ASSERT_NE(popup, nullptr);
    RECT r{};
    GetWindowRect(popup, &r);
    const ScreenRect client = p.Client();
    EXPECT_EQ(r.left, client.left);
    EXPECT_EQ(r.top, client.bottom);
    MenuKey(popup, VK_ESCAPE);
    EXPECT_TRUE(p.MenuClosed());
}

TEST(Menu, RightClickOpensItAtTheClick) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=300,200,120,30"));
    const ScreenRect client = p.Client();
    p.Post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(p.Window()),
           MAKELPARAM(client.left + 40, client.top + 7));
    HWND popup = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (popup = p.PopupMenu()) != nullptr; }));
    RECT r{};
    GetWindowRect(popup, &r);
    EXPECT_EQ(r.left, client.left + 40);
    EXPECT_EQ(r.top, client.top + 7);
    MenuKey(popup, VK_ESCAPE);
    EXPECT_TRUE(p.MenuClosed());
}

// A right click on the title bar is default processing: the system menu, not
// ours. (Whether its Maximize works cannot be seen under Wine, which grays the
// system menu's items again after the window's WM_INITMENU; the system
// commands themselves are tested in frame_test.cpp.)
TEST(Menu, TitleBarRightClickShowsTheSystemMenuInstead) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=300,200,120,30"));
    const ScreenRect client = p.Client();
    HWND popup = p.OpenMenuFromKeyboard();
    ASSERT_NE(popup, nullptr);
    RECT ours{};
    GetWindowRect(popup, &ours);
    MenuKey(popup, VK_ESCAPE);
    ASSERT_TRUE(p.MenuClosed());

    p.Post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(p.Window()),
           MAKELPARAM(client.left + 40, client.top - 5));
    ASSERT_TRUE(WaitFor([&] { return (popup = p.PopupMenu()) != nullptr; }));
    RECT system{};
    GetWindowRect(popup, &system);
    EXPECT_NE(system.bottom - system.top, ours.bottom - ours.top);
    MenuKey(popup, VK_ESCAPE);
    EXPECT_TRUE(p.MenuClosed());
    EXPECT_EQ(p.Client(), client);
}

TEST(Menu, StartPauseResetAndStopwatchItems) {
    Program p;
    ASSERT_TRUE(p.Start(L"-mode=timer:90"));
    ASSERT_TRUE(p.ChooseFromMenu(L"s"));  // &Start
    EXPECT_TRUE(WaitFor([&] { return p.Title() == L"Timer (90 sec)"; }));
    EXPECT_TRUE(DisplayShows(p, L"00:01:29", kGreen));
    ASSERT_TRUE(p.ChooseFromMenu(L"s"));  // Pau&se
    EXPECT_TRUE(WaitFor([&] { return p.Title() == L"Timer (Paused)"; }));
    ASSERT_TRUE(p.ChooseFromMenu(L"r"));  // &Reset
    EXPECT_TRUE(DisplayShows(p, L"00:01:30", kIdleGrey));
    EXPECT_EQ(p.Title(), L"Timer");
    ASSERT_TRUE(p.ChooseFromMenu(L"w"));  // Stop&watch
    EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
    EXPECT_EQ(p.Title(), L"Stopwatch");
}

TEST(Menu, PresetsSetTheCountdownAndTheTitles) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    // Timer submenu: Customize, a separator, 1, 2, 3 and 5 minutes.
    HWND menu = p.OpenMenuFromKeyboard();
    ASSERT_NE(menu, nullptr);
    MenuChar(menu, L't');
    HWND sub = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<HWND> menus = VisibleWindows(p.ProcessId(), L"#32768");
        if (menus.size() < 2) return false;
        sub = menus.front();
        return true;
    }));
    for (int i = 0; i < 4; ++i) MenuKey(sub, VK_DOWN);
    MenuKey(sub, VK_RETURN);
    ASSERT_TRUE(p.MenuClosed());
    EXPECT_TRUE(DisplayShows(p, L"00:05:00", kIdleGrey));
    EXPECT_EQ(p.Title(), L"Timer");
    p.Key(VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return p.Title() == L"Timer (300 sec)"; }));
    EXPECT_TRUE(DisplayShows(p, L"00:04:59", kGreen));
    p.Key(VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return p.Title() == L"Timer (Paused)"; }));
}

TEST(Menu, ColorStyleAndPrecisionItems) {
    Program p;
    ASSERT_TRUE(p.Start(L"-start"));
    ASSERT_TRUE(p.ChooseFromMenu(L"co"));  // &Color, &Orange
    EXPECT_TRUE(WaitFor([&] {
        const Reading r = ReadProgram(p);
        return r.lit == kOrange && r.oneColor && r.text.rfind(L"00:00:0", 0) == 0;
    }));
    ASSERT_TRUE(p.ChooseFromMenu(L"ys"));  // St&yle, &Straight
    EXPECT_TRUE(WaitFor([&] { return ReadProgram(p).cornersLit; }));
    ASSERT_TRUE(p.ChooseFromMenu(L"yr"));  // St&yle, &Rounded: the erase clears them
    EXPECT_TRUE(WaitFor([&] { return !ReadProgram(p).cornersLit; }));
    // &Precision, &Centisecond: eleven glyphs in the same window, still running.
    ASSERT_TRUE(p.ChooseFromMenu(L"pc"));
    Reading first;
    ASSERT_TRUE(WaitFor([&] {
        first = ReadProgram(p, 11);
        return first.text.size() == 11 && first.text[8] == L'.' && first.lit == kOrange;
    })) << Narrow(first.text);
    EXPECT_TRUE(WaitFor([&] { return ReadProgram(p, 11).text != first.text; }));
}

TEST(Menu, TitleBarAndFullScreenItems) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=300,200,120,30"));
    const ScreenRect client = p.Client();
    ASSERT_TRUE(p.ChooseFromMenu(L"b"));  // Show Title &Bar
    EXPECT_TRUE(WaitFor([&] { return (p.Style() & 0x00C00000) == 0; }));
    ASSERT_TRUE(p.Settle());
    EXPECT_EQ(p.Client(), client) << Describe(p.Client());
    EXPECT_GT(p.Client().top - p.Outer().top, 0);
    EXPECT_LT(p.Client().top - p.Outer().top, 10);  // no caption above the client area
    ASSERT_TRUE(p.ChooseFromMenu(L"f"));            // &Full Screen
    EXPECT_TRUE(WaitFor([&] { return p.InFullScreen(); }));
    ASSERT_TRUE(p.ChooseFromMenu(L"f"));
    EXPECT_TRUE(WaitFor([&] { return p.Client() == client; })) << Describe(p.Client());
    // Still without the title bar, which was hidden before full screen.
    EXPECT_EQ(p.Style() & 0x00C00000, 0);
}

TEST(Menu, AboutAndExitItems) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    ASSERT_TRUE(p.ChooseFromMenu(L"a"));  // &About...
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = p.OwnedBox()) != nullptr; }));
    PressBoxButton(box, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return p.OwnedBox() == nullptr; }));
    ASSERT_TRUE(p.ChooseFromMenu(L"x"));  // E&xit
    EXPECT_EQ(p.WaitForExit(), 0);
    EXPECT_NE(p.ReadSettings().find("-mode=stopwatch"), std::string::npos);
}

}  // namespace
}  // namespace e2e
