// The keys, the mouse buttons, the frame modes and the about box.
#include "app/about_text.h"
#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

TEST(Keys, SpaceAndTheMiddleButtonStartPauseAndResume) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    auto title = [&] { return p.Title(); };
    p.Key(VK_SPACE);
    EXPECT_TRUE(DisplayShows(p, L"00:00:01", kGreen));
    EXPECT_EQ(p.Title(), L"Stopwatch");
    p.Key(VK_SPACE);
    EXPECT_TRUE(Becomes(title, L"Stopwatch (Paused)"));
    Reading paused;
    ASSERT_TRUE(WaitFor([&] {
        paused = ReadProgram(p);
        return paused.lit == kIdleGrey && paused.oneColor;
    }));
    EXPECT_GE(paused.text, L"00:00:01");
    Sleep(1200);
    EXPECT_EQ(ReadProgram(p).text, paused.text);

    p.Post(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(10, 10));
    p.Post(WM_MBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(Becomes(title, L"Stopwatch"));
    Reading resumed;
    EXPECT_TRUE(WaitFor([&] {
        resumed = ReadProgram(p);
        return resumed.lit == kGreen && resumed.text > paused.text;
    })) << Narrow(resumed.text);
    p.Post(WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(Becomes(title, L"Stopwatch (Paused)"));
}

TEST(Keys, FullScreenInAndOutKeepsTheClientArea) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=300,200,120,30"));
    const ScreenRect client = p.Client();
    auto clientNow = [&] { return p.Client(); };
    const auto key = [&](UINT vk) { return [&p, vk] { p.Key(vk); }; };
    const auto post = [&](UINT message, WPARAM w, LPARAM l) {
        return [&p, message, w, l] { p.Post(message, w, l); };
    };
    const LPARAM onCaption = MAKELPARAM(client.left + 10, client.top - 5);
    const std::function<void()> ways[][2] = {
        {key(VK_F11), key(VK_F11)},
        {key(VK_F11), key(VK_ESCAPE)},
        {post(WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption), post(WM_SYSCOMMAND, SC_RESTORE, 0)},
        {post(WM_SYSCOMMAND, SC_MAXIMIZE, 0), key(VK_F11)},
    };
    for (const auto& way : ways) {
        way[0]();
        ASSERT_TRUE(WaitFor([&] { return p.InFullScreen(); }));
        // Full screen shows the same time, larger; a left double-click in
        // the client area does nothing there.
        EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
        p.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
        ASSERT_TRUE(p.Settle());
        EXPECT_TRUE(p.InFullScreen());
        way[1]();
        EXPECT_TRUE(Becomes(clientNow, client));
        EXPECT_FALSE(IsZoomed(p.Window()));
        EXPECT_EQ(p.Style() & (WS_CAPTION | WS_THICKFRAME), WS_CAPTION | WS_THICKFRAME);
    }
    // Esc outside full screen leaves the window as it is.
    p.Key(VK_ESCAPE);
    ASSERT_TRUE(p.Settle());
    EXPECT_EQ(p.Client(), client);
}

TEST(Keys, DoubleClickTogglesTheTitleBarAndTheDigitsStayPut) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=300,200,120,30"));
    const ScreenRect client = p.Client();
    const ScreenRect outer = p.Outer();
    p.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    // The frame shrinks around the client area, which stays where it was.
    ASSERT_TRUE(WaitFor([&] { return (p.Style() & WS_CAPTION) == 0 && p.Outer().top > outer.top; }))
        << ::testing::PrintToString(p.Outer());
    EXPECT_EQ(p.Client(), client);
    EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
    p.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    ASSERT_TRUE(WaitFor([&] { return (p.Style() & WS_CAPTION) == WS_CAPTION; }));
    EXPECT_TRUE(Becomes([&] { return p.Outer(); }, outer));
    EXPECT_EQ(p.Client(), client);
}

TEST(Keys, F1ShowsTheAboutTextReadOnlyAndOnlyEscEndsIt) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    p.Key(VK_F1);
    HWND box = p.WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), L"MOX Stopwatch & Timer");
    HWND text = GetDlgItem(box, 101);
    EXPECT_EQ(ClassName(text), L"Edit");
    EXPECT_EQ(ControlText(text), std::wstring(kAboutText));
    EXPECT_EQ(GetWindowLongW(text, GWL_STYLE) & (ES_MULTILINE | ES_READONLY | WS_VSCROLL),
              ES_MULTILINE | ES_READONLY | WS_VSCROLL);
    EXPECT_FALSE(IsWindowEnabled(p.Window()));  // modal
    // There is no OK button: Enter neither ends it nor changes the text.
    PostMessageW(text, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(text, WM_CHAR, 13, 1);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_BLOCK, 3000, &ignored);
    Sleep(200);
    EXPECT_EQ(p.OwnedBox(), box);
    EXPECT_EQ(ControlText(text), std::wstring(kAboutText));
    PostMessageW(text, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitFor([&] { return p.OwnedBox() == nullptr && IsWindowEnabled(p.Window()); }));
}

// The box covers the display, but the clock runs on behind it: right after
// the close button ends it the display has moved on by the time it was open.
TEST(Keys, TheClockRunsOnWhileTheAboutBoxIsOpen) {
    Program p;
    ASSERT_TRUE(p.Start(L"-start"));
    ASSERT_TRUE(DisplayShows(p, L"00:00:01", kGreen));
    ASSERT_TRUE(p.ChooseFromMenu(L"a"));  // &About...
    HWND box = p.WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), L"MOX Stopwatch & Timer");
    Sleep(2100);
    PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitFor([&] { return p.OwnedBox() == nullptr; }));
    Reading reading;
    EXPECT_TRUE(WaitFor(
        [&] {
            reading = ReadProgram(p);
            return reading.text >= L"00:00:03" && reading.text <= L"00:00:09";
        },
        800))
        << Narrow(reading.text);
}

}  // namespace
}  // namespace e2e
