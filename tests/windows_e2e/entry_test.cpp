// Typing a countdown on the display. Digits are posted as keys: the message
// loop must translate them into characters while entry is active.
#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

TEST(Entry, DigitsShiftInSpaceTypesNothingEnterAccepts) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    ASSERT_TRUE(p.ChooseFromMenu(L"tc"));  // &Timer, &Customize...
    ASSERT_TRUE(DisplayShows(p, L"__:__:__", kIdleGrey));
    // Space types nothing and starts nothing; the digit after it shows that
    // it was read.
    p.Key(VK_SPACE);
    p.Keys(L"1");
    EXPECT_TRUE(DisplayShows(p, L"__:__:_1", kIdleGrey));
    p.Keys(L"230");
    EXPECT_TRUE(DisplayShows(p, L"__:12:30", kIdleGrey));
    EXPECT_EQ(p.Title(), L"Stopwatch");
    p.Key(VK_BACK);
    EXPECT_TRUE(DisplayShows(p, L"__:_1:23", kIdleGrey));
    p.Keys(L"0");
    p.Key(VK_RETURN);
    EXPECT_TRUE(DisplayShows(p, L"00:12:30", kIdleGrey));
    EXPECT_EQ(p.Title(), L"Timer");
    p.Key(VK_SPACE);
    EXPECT_TRUE(Becomes([&] { return p.Title(); }, L"Timer (750 sec)"));
}

TEST(Entry, MoreThan99_59_59IsRefusedAndEscLeaves) {
    Program p;
    ASSERT_TRUE(p.Start(L"-mode=timer:60"));
    ASSERT_TRUE(p.ChooseFromMenu(L"tc"));
    p.Keys(L"995960");
    ASSERT_TRUE(DisplayShows(p, L"99:59:60", kIdleGrey));
    p.Key(VK_RETURN);
    HWND box = p.WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), L"Time is invalid as it is more than 99:59:59!");
    EXPECT_EQ(WindowText(box), L"");
    EXPECT_FALSE(IsWindowEnabled(p.Window()));
    PressBoxButton(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return p.OwnedBox() == nullptr; }));
    // Still in entry with the digits kept; Esc leaves without a change.
    EXPECT_TRUE(DisplayShows(p, L"99:59:60", kIdleGrey));
    p.Key(VK_ESCAPE);
    EXPECT_TRUE(DisplayShows(p, L"00:01:00", kIdleGrey));
    EXPECT_EQ(p.Title(), L"Timer");
    // The next entry starts from the digits typed before.
    ASSERT_TRUE(p.ChooseFromMenu(L"tc"));
    EXPECT_TRUE(DisplayShows(p, L"99:59:60", kIdleGrey));
    p.Key(VK_BACK);
    p.Key(VK_RETURN);
    EXPECT_TRUE(DisplayShows(p, L"10:36:36", kIdleGrey));  // _9:95:96
}

TEST(Entry, TheRightClickMenuOffersOkAndCancel) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    ASSERT_TRUE(p.ChooseFromMenu(L"tc"));
    p.Keys(L"45");
    ASSERT_TRUE(DisplayShows(p, L"__:__:45", kIdleGrey));
    ASSERT_TRUE(p.ChooseFromMenu(L"o"));  // &OK
    EXPECT_TRUE(DisplayShows(p, L"00:00:45", kIdleGrey));
    EXPECT_EQ(p.Title(), L"Timer");
    ASSERT_TRUE(p.ChooseFromMenu(L"tc"));
    p.Keys(L"9");
    ASSERT_TRUE(p.ChooseFromMenu(L"c"));  // &Cancel
    EXPECT_TRUE(DisplayShows(p, L"00:00:45", kIdleGrey));
}

TEST(Entry, F1AndF11DoNothingTheMiddleButtonStartsAndEscKeepsFullScreen) {
    Program p;
    ASSERT_TRUE(p.Start(L"-fullScreen"));
    ASSERT_TRUE(p.InFullScreen());
    const ScreenRect client = p.Client();
    ASSERT_TRUE(p.ChooseFromMenu(L"tc"));
    p.Key(VK_F1);
    p.Key(VK_F11);
    p.Keys(L"7");
    EXPECT_TRUE(DisplayShows(p, L"__:__:_7", kIdleGrey));
    EXPECT_EQ(p.OwnedBox(), nullptr);
    EXPECT_TRUE(p.InFullScreen());
    p.Post(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(DisplayShows(p, L"__:__:_7", kGreen));
    p.Key(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return ReadProgram(p).text.rfind(L"00:00:0", 0) == 0; }));
    EXPECT_TRUE(p.InFullScreen());
    EXPECT_EQ(p.Client(), client);
}

// A resize during entry lays the area out for eleven glyphs while eight are
// painted: smaller digits in the left part, the last three cells dark.
TEST(Entry, ResizingDuringEntryLaysOutElevenCells) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=300,200,120,30"));
    ASSERT_TRUE(p.ChooseFromMenu(L"tc"));
    p.Keys(L"5");
    ASSERT_TRUE(DisplayShows(p, L"__:__:_5", kIdleGrey));
    RECT outer{0, 0, 150, 30};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(p.Style()), FALSE,
                       static_cast<DWORD>(p.ExtendedStyle()));
    SetWindowPos(p.Window(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitFor([&] { return p.Client().Width() == 150; }));
    EXPECT_TRUE(DisplayShows(p, L"__:__:_5   ", kIdleGrey, 11));
    // Leaving entry lays the display out for the clock's own eight glyphs.
    p.Key(VK_ESCAPE);
    EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
}

}  // namespace
}  // namespace e2e
