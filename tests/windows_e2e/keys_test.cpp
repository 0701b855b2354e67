// The four keys and the middle mouse button.
#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

TEST(Keys, SpaceAndTheMiddleButtonStartPauseAndResume) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    p.Key(VK_SPACE);
    EXPECT_TRUE(DisplayShows(p, L"00:00:01", kGreen));
    EXPECT_EQ(p.Title(), L"Stopwatch");
    p.Key(VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return p.Title() == L"Stopwatch (Paused)"; }));
    // Paused: grey, and the time stands still.
    Reading paused;
    ASSERT_TRUE(WaitFor([&] {
        paused = ReadProgram(p);
        return paused.lit == kIdleGrey && paused.oneColor;
    }));
    EXPECT_GE(paused.text, L"00:00:01");
    Sleep(1200);
    EXPECT_EQ(ReadProgram(p).text, paused.text);

    // The middle button resumes from there and pauses again.
    p.Post(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(10, 10));
    p.Post(WM_MBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(WaitFor([&] { return p.Title() == L"Stopwatch"; }));
    Reading resumed;
    EXPECT_TRUE(WaitFor([&] {
        resumed = ReadProgram(p);
        return resumed.lit == kGreen && resumed.text > paused.text;
    })) << Narrow(resumed.text);
    p.Post(WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(WaitFor([&] { return p.Title() == L"Stopwatch (Paused)"; }));
}

TEST(Keys, F11TogglesFullScreenAndEscLeavesIt) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=300,200,120,30"));
    const ScreenRect before = p.Client();
    p.Key(VK_F11);
    ASSERT_TRUE(WaitFor([&] { return p.InFullScreen(); }));
    p.Key(VK_F11);
    EXPECT_TRUE(WaitFor([&] { return p.Client() == before; })) << Describe(p.Client());
    EXPECT_FALSE(IsZoomed(p.Window()));

    p.Key(VK_F11);
    ASSERT_TRUE(WaitFor([&] { return p.InFullScreen(); }));
    p.Key(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return p.Client() == before; })) << Describe(p.Client());
    // Esc outside full screen leaves the window as it is.
    p.Key(VK_ESCAPE);
    ASSERT_TRUE(p.Settle());
    EXPECT_EQ(p.Client(), before) << Describe(p.Client());
    EXPECT_NE(p.Style() & 0x00C00000, 0);
}

TEST(Keys, F1OpensTheAboutBox) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    p.Key(VK_F1);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = p.OwnedBox()) != nullptr; }));
    EXPECT_EQ(WindowText(box), L"MOX Stopwatch & Timer");
}

}  // namespace
}  // namespace e2e
