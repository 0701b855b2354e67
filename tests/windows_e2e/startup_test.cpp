// Start-up: the window, its styles and placement, and the first paint.
#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

constexpr LONG kFrameBits =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr LONG kTaskBarBits = WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

TEST(Startup, DefaultsShowAStoppedStopwatchInGreyOnBlack) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    EXPECT_EQ(p.Title(), L"Stopwatch");
    EXPECT_EQ(p.Client().Width(), 120);
    EXPECT_EQ(p.Client().Height(), 30);
    EXPECT_EQ(p.Style() & kFrameBits, kFrameBits & ~WS_MAXIMIZEBOX);
    EXPECT_EQ(p.ExtendedStyle() & kTaskBarBits, kTaskBarBits);
    ASSERT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
    const ClientImage image = p.Capture();
    EXPECT_FALSE(ReadDisplay(image, 8).cornersLit);
    // Six zeros of four 2 x 10 and two 7 x 2 bars, two colons of two 2 x 2
    // squares; everything else black.
    EXPECT_EQ(image.Count(0, 0, 120, 30, kIdleGrey), 6 * (4 * 20 + 2 * 14) + 2 * 2 * 4);
    EXPECT_EQ(image.Count(0, 0, 120, 30, kBlack), 120 * 30 - 664);
    // The first zero: top and upper-left bars lit, the middle bar and the
    // corner squares dark; the first colon's two squares.
    EXPECT_TRUE(image.Uniform(4, 2, 11, 4, kIdleGrey));
    EXPECT_TRUE(image.Uniform(2, 4, 4, 14, kIdleGrey));
    EXPECT_TRUE(image.Uniform(4, 14, 11, 16, kBlack));
    EXPECT_TRUE(image.Uniform(2, 2, 4, 4, kBlack));
    EXPECT_TRUE(image.Uniform(36, 9, 38, 11, kIdleGrey));
    EXPECT_TRUE(image.Uniform(36, 16, 38, 18, kIdleGrey));
}

TEST(Startup, OptionsAndTheSettingsFileShapeTheFirstPaint) {
    struct Case {
        const wchar_t* args;
        const char* settings;
        int left, top, width,
            height;           // left < 0: placed by the system; width 0: full screen
        LONG style, exStyle;  // of kFrameBits and kTaskBarBits
        const wchar_t* title;
        const wchar_t* shows;
        COLORREF lit;
    };
    constexpr LONG kFramed = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    const Case cases[] = {
        {L"-precision=deci", "", -1, -1, 150, 30, kFramed, kTaskBarBits, L"Stopwatch",
         L"00:00:00.0", kIdleGrey},
        {L"-position=100,50,200,40", "", 100, 50, 200, 40, kFramed, kTaskBarBits, L"Stopwatch",
         L"00:00:00", kIdleGrey},
        {L"-noTitleBar -position=200,100,120,30", "", 200, 100, 120, 30, kFramed & ~WS_CAPTION,
         kTaskBarBits, L"Stopwatch", L"00:00:00", kIdleGrey},
        {L"-noTaskBarIcon", "", -1, -1, 120, 30, kFramed, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
         L"Stopwatch", L"00:00:00", kIdleGrey},
        {L"-fullScreen", "", -1, -1, 0, 0, 0, kTaskBarBits, L"Stopwatch", L"00:00:00", kIdleGrey},
        {L"-color=red", "[MOX_Timer]\r\n-mode=timer:90\r\n-color=blue\r\n-start=1\r\n", -1, -1, 120,
         30, kFramed, kTaskBarBits, L"Timer (90 sec)", L"00:01:29", RGB(255, 50, 50)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.args));
        Program p;
        ASSERT_TRUE(p.Start(c.args, c.settings));
        EXPECT_EQ(p.Title(), c.title);
        EXPECT_EQ(p.ExtendedStyle() & kTaskBarBits, c.exStyle);
        EXPECT_TRUE(DisplayShows(p, c.shows, c.lit, static_cast<int>(wcslen(c.shows))));
        if (c.width == 0) {
            EXPECT_TRUE(p.InFullScreen()) << ::testing::PrintToString(p.Client());
            continue;
        }
        EXPECT_EQ(p.Style() & kFrameBits, c.style);
        EXPECT_EQ(p.Client().Width(), c.width);
        EXPECT_EQ(p.Client().Height(), c.height);
        if (c.left >= 0) {
            EXPECT_EQ(p.Outer().left, c.left);
            EXPECT_EQ(p.Outer().top, c.top);
        }
        // Without the caption only the sizing frame lies above the client area.
        if (!(c.style & WS_CAPTION)) {
            EXPECT_LT(p.Client().top - p.Outer().top, 10);
        }
    }
}

TEST(Startup, RunningCentisecondsInOrangeStraightFromTheFirstPaint) {
    Program p;
    ASSERT_TRUE(p.Start(L"-precision=centisecond -color=orange -style=straight -start"));
    EXPECT_EQ(p.Client().Width(), 165);
    EXPECT_EQ(p.Client().Height(), 30);
    Reading first;
    ASSERT_TRUE(WaitFor([&] {
        first = ReadProgram(p, 11);
        return first.lit == kOrange && first.text.rfind(L"00:00:0", 0) == 0;
    })) << Narrow(first.text);
    EXPECT_TRUE(first.cornersLit);
    EXPECT_TRUE(first.oneColor);
    EXPECT_TRUE(WaitFor([&] { return ReadProgram(p, 11).text != first.text; }));
}

}  // namespace
}  // namespace e2e
