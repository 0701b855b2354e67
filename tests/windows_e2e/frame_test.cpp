// The frame modes: the title bar toggle and full screen, with the client
// area kept in place on the screen.
#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

constexpr LONG kCaption = 0x00C00000;
constexpr LONG kThickFrame = 0x00040000;

TEST(Frame, DoubleClickTogglesTheTitleBarAndTheDigitsStayPut) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=300,200,120,30"));
    const ScreenRect client = p.Client();
    const ScreenRect outer = p.Outer();
    p.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    // The frame shrinks around the client area, which stays where it was.
    ASSERT_TRUE(WaitFor([&] { return (p.Style() & kCaption) == 0 && p.Outer().top > outer.top; }))
        << Describe(p.Outer());
    EXPECT_EQ(p.Client(), client) << Describe(p.Client());
    EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));

    p.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    ASSERT_TRUE(WaitFor([&] { return (p.Style() & kCaption) == kCaption; }));
    EXPECT_TRUE(WaitFor([&] { return p.Outer() == outer; })) << Describe(p.Outer());
    EXPECT_EQ(p.Client(), client) << Describe(p.Client());
}

TEST(Frame, TitleBarDoubleClickAndSystemCommandsEnterAndLeaveFullScreen) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=300,200,120,30"));
    const ScreenRect client = p.Client();
    p.Post(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(client.left + 10, client.top - 5));
    ASSERT_TRUE(WaitFor([&] { return p.InFullScreen(); }));
    EXPECT_EQ(p.Style() & (kCaption | kThickFrame), 0);
    // Maximized: a left double-click in the client area does nothing.
    p.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
    ASSERT_TRUE(p.Settle());
    EXPECT_EQ(p.Style() & kCaption, 0);
    EXPECT_TRUE(p.InFullScreen());

    p.Post(WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitFor([&] { return p.Client() == client; })) << Describe(p.Client());
    EXPECT_EQ(p.Style() & (kCaption | kThickFrame), kCaption | kThickFrame);
    p.Post(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(WaitFor([&] { return p.InFullScreen(); }));
    // Full screen shows the same time, larger.
    EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
}

TEST(Frame, NoTitleBarComesBackFromFullScreenWithASizingFrameOnly) {
    Program p;
    ASSERT_TRUE(p.Start(L"-noTitleBar -position=300,200,120,30"));
    const ScreenRect client = p.Client();
    p.Key(VK_F11);
    ASSERT_TRUE(WaitFor([&] { return p.InFullScreen(); }));
    p.Key(VK_F11);
    ASSERT_TRUE(WaitFor([&] { return !IsZoomed(p.Window()); }));
    EXPECT_EQ(p.Style() & (kCaption | kThickFrame), kThickFrame);
    EXPECT_TRUE(WaitFor([&] { return p.Client() == client; })) << Describe(p.Client());
}

}  // namespace
}  // namespace e2e
