// The about box: its caption, its one read-only text, and how it ends.
#include "app/about_text.h"
#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

TEST(About, ShowsTheAboutTextReadOnlyAndEndsWithEscOnly) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    p.Key(VK_F1);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = p.OwnedBox()) != nullptr; }));
    EXPECT_EQ(WindowText(box), L"MOX Stopwatch & Timer");
    HWND text = GetDlgItem(box, 101);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(ClassName(text), L"Edit");
    EXPECT_EQ(ControlText(text), std::wstring(kAboutText));
    const LONG style = GetWindowLongW(text, GWL_STYLE);
    EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | WS_VSCROLL),
              ES_MULTILINE | ES_READONLY | WS_VSCROLL);
    // Modal: the main window takes no input.
    EXPECT_FALSE(IsWindowEnabled(p.Window()));

    // Enter does not end it (there is no OK button); Esc does.
    PostMessageW(text, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(text, WM_CHAR, 13, 1);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_BLOCK, 3000, &ignored);
    Sleep(200);
    EXPECT_EQ(p.OwnedBox(), box);
    EXPECT_EQ(ControlText(text), std::wstring(kAboutText));
    PostMessageW(text, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitFor([&] { return p.OwnedBox() == nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(p.Window()) != FALSE; }));
}

// The box covers the display (it opens at the client area's corner), but the
// clock runs on behind it: right after it closes the display has moved on by
// the time it was open.
TEST(About, TheClockRunsOnWhileItIsOpen) {
    Program p;
    ASSERT_TRUE(p.Start(L"-start"));
    ASSERT_TRUE(DisplayShows(p, L"00:00:01", kGreen));
    p.Key(VK_F1);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = p.OwnedBox()) != nullptr; }));
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

TEST(About, TheCloseButtonEndsIt) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    p.Command(32736);  // IDM_ABOUT
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = p.OwnedBox()) != nullptr; }));
    PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitFor([&] { return p.OwnedBox() == nullptr; }));
}

}  // namespace
}  // namespace e2e
