// The context menu, driven as a user drives it: opened from the keyboard or
// by a right click, items chosen by their mnemonics and the arrow keys.
#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

ScreenRect MenuRect(HWND popup) {
    RECT r{};
    GetWindowRect(popup, &r);
    return {r.left, r.top, r.right, r.bottom};
}

// From the keyboard (on x64 too, where the position arrives as a 64-bit
// lParam) it opens at the bottom left of the client area, from a right click
// at the click; a right click on the title bar shows the system menu.
TEST(Menu, OpensAtTheKeyboardAnchorOrAtTheClick) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=300,200,120,30"));
    const ScreenRect client = p.Client();
    HWND popup = p.OpenMenuFromKeyboard();
    ASSERT_NE(popup, nullptr);
    const ScreenRect ours = MenuRect(popup);
    EXPECT_EQ(ours.left, client.left);
    EXPECT_EQ(ours.top, client.bottom);
    MenuKey(popup, VK_ESCAPE);
    ASSERT_TRUE(p.MenuClosed());

    const HWND window = p.Window();
    p.Post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
           MAKELPARAM(client.left + 40, client.top + 7));
    ASSERT_NE(popup = p.WaitForMenus(1), nullptr);
    EXPECT_EQ(MenuRect(popup).left, client.left + 40);
    EXPECT_EQ(MenuRect(popup).top, client.top + 7);
    MenuKey(popup, VK_ESCAPE);
    ASSERT_TRUE(p.MenuClosed());

    p.Post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
           MAKELPARAM(client.left + 40, client.top - 5));
    ASSERT_NE(popup = p.WaitForMenus(1), nullptr);
    EXPECT_NE(MenuRect(popup).Height(), ours.Height());
    MenuKey(popup, VK_ESCAPE);
    EXPECT_TRUE(p.MenuClosed());
    EXPECT_EQ(p.Client(), client);
}

TEST(Menu, StartPauseResetAndStopwatchItems) {
    Program p;
    ASSERT_TRUE(p.Start(L"-mode=timer:90"));
    auto title = [&] { return p.Title(); };
    ASSERT_TRUE(p.ChooseFromMenu(L"s"));  // &Start
    EXPECT_TRUE(Becomes(title, L"Timer (90 sec)"));
    EXPECT_TRUE(DisplayShows(p, L"00:01:29", kGreen));
    ASSERT_TRUE(p.ChooseFromMenu(L"s"));  // Pau&se
    EXPECT_TRUE(Becomes(title, L"Timer (Paused)"));
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
    HWND menu = p.OpenMenuFromKeyboard();
    ASSERT_NE(menu, nullptr);
    MenuChar(menu, L't');
    // Customize, a separator, 1, 2, 3 and 5 minutes.
    HWND sub = p.WaitForMenus(2);
    ASSERT_NE(sub, nullptr);
    for (int i = 0; i < 4; ++i) MenuKey(sub, VK_DOWN);
    MenuKey(sub, VK_RETURN);
    ASSERT_TRUE(p.MenuClosed());
    EXPECT_TRUE(DisplayShows(p, L"00:05:00", kIdleGrey));
    EXPECT_EQ(p.Title(), L"Timer");
    p.Key(VK_SPACE);
    EXPECT_TRUE(Becomes([&] { return p.Title(); }, L"Timer (300 sec)"));
    EXPECT_TRUE(DisplayShows(p, L"00:04:59", kGreen));
    p.Key(VK_SPACE);
    EXPECT_TRUE(Becomes([&] { return p.Title(); }, L"Timer (Paused)"));
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
    EXPECT_TRUE(WaitFor([&] { return (p.Style() & WS_CAPTION) == 0; }));
    ASSERT_TRUE(p.Settle());
    EXPECT_EQ(p.Client(), client);
    EXPECT_GT(p.Client().top - p.Outer().top, 0);
    EXPECT_LT(p.Client().top - p.Outer().top,
              10);                        // no caption above the client area
    ASSERT_TRUE(p.ChooseFromMenu(L"f"));  // &Full Screen
    EXPECT_TRUE(WaitFor([&] { return p.InFullScreen(); }));
    ASSERT_TRUE(p.ChooseFromMenu(L"f"));
    EXPECT_TRUE(Becomes([&] { return p.Client(); }, client));
    // Back with the sizing frame only, as before full screen.
    EXPECT_EQ(p.Style() & (WS_CAPTION | WS_THICKFRAME), WS_THICKFRAME);
}

}  // namespace
}  // namespace e2e
