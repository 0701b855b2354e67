// Start-up: the window, its styles and placement, and the first paint, with
// and without options.
#include "resources/resource_ids.h"
#include "tests/windows_e2e/display_reader.h"

namespace e2e {
namespace {

constexpr LONG kCaption = 0x00C00000;
constexpr LONG kThickFrame = 0x00040000;
constexpr LONG kAppWindow = 0x00040000;
constexpr LONG kToolWindowTopmost = 0x00000088;

TEST(Startup, DefaultsShowAStoppedStopwatchInGreyOnBlack) {
    Program p;
    ASSERT_TRUE(p.Start(L""));
    EXPECT_EQ(p.Title(), L"Stopwatch");
    const ScreenRect client = p.Client();
    EXPECT_EQ(client.Width(), 120);
    EXPECT_EQ(client.Height(), 30);
    // Caption, system menu, sizing frame, minimize box; no maximize box.
    EXPECT_EQ(p.Style() & 0x00CF0000, 0x00CE0000) << std::hex << p.Style();
    EXPECT_EQ(p.ExtendedStyle() & (kAppWindow | kToolWindowTopmost),
              kAppWindow | kToolWindowTopmost)
        << std::hex << p.ExtendedStyle();

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

TEST(Startup, OptionsTakeEffectOnTheFirstPaint) {
    Program p;
    ASSERT_TRUE(p.Start(L"-precision=centisecond -color=orange -style=straight -start"));
    EXPECT_EQ(p.Client().Width(), 165);
    EXPECT_EQ(p.Client().Height(), 30);
    EXPECT_EQ(p.Title(), L"Stopwatch");
    // Running: lit in orange, the corner squares joined, the time moving.
    Reading first;
    ASSERT_TRUE(WaitFor([&] {
        first = ReadProgram(p, 11);
        return first.lit == kOrange && first.text.rfind(L"00:00:0", 0) == 0;
    })) << Narrow(first.text);
    EXPECT_TRUE(first.cornersLit);
    EXPECT_TRUE(first.oneColor);
    EXPECT_TRUE(WaitFor([&] { return ReadProgram(p, 11).text != first.text; }));
}

TEST(Startup, DecisecondWithoutPositionIs150Wide) {
    Program p;
    ASSERT_TRUE(p.Start(L"-precision=deci"));
    EXPECT_EQ(p.Client().Width(), 150);
    EXPECT_TRUE(DisplayShows(p, L"00:00:00.0", kIdleGrey, 10));
}

TEST(Startup, PositionPlacesTheWindowAndSizesTheClientArea) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=100,50,200,40"));
    EXPECT_EQ(p.Outer().left, 100);
    EXPECT_EQ(p.Outer().top, 50);
    EXPECT_EQ(p.Client().Width(), 200);
    EXPECT_EQ(p.Client().Height(), 40);
}

TEST(Startup, NoTitleBarFromTheFirstPaintWithTheRequestedClientSize) {
    Program p;
    ASSERT_TRUE(p.Start(L"-noTitleBar -position=200,100,120,30"));
    EXPECT_EQ(p.Style() & kCaption, 0) << std::hex << p.Style();
    EXPECT_EQ(p.Style() & 0x000F0000, 0x000E0000) << std::hex << p.Style();
    EXPECT_EQ(p.Client().Width(), 120);
    EXPECT_EQ(p.Client().Height(), 30);
    // Only the sizing frame lies around the client area.
    EXPECT_LT(p.Client().top - p.Outer().top, 10);
    EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
}

TEST(Startup, NoTaskBarIconMakesAToolWindowWithoutAppWindow) {
    Program p;
    ASSERT_TRUE(p.Start(L"-noTaskBarIcon"));
    EXPECT_EQ(p.ExtendedStyle() & kAppWindow, 0);
    EXPECT_EQ(p.ExtendedStyle() & kToolWindowTopmost, kToolWindowTopmost);
}

TEST(Startup, FullScreenOptionFillsTheScreenWithoutAFrame) {
    Program p;
    ASSERT_TRUE(p.Start(L"-fullScreen"));
    EXPECT_TRUE(p.InFullScreen()) << Describe(p.Client());
    EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
}

TEST(Startup, TheSettingsFileConfiguresAndTheCommandLineWins) {
    Program p;
    ASSERT_TRUE(
        p.Start(L"-color=red", "[MOX_Timer]\r\n-mode=timer:90\r\n-color=blue\r\n-start=1\r\n"));
    EXPECT_EQ(p.Title(), L"Timer (90 sec)");
    EXPECT_TRUE(DisplayShows(p, L"00:01:29", RGB(255, 50, 50)));
}

// Rewrites the resources of exe as copies of its own, leaving out one.
// (Deleting a single resource in place does nothing under Wine.)
struct ResourceCopy {
    HMODULE source;
    HANDLE update;
    LPCWSTR skipType;
    LPCWSTR skipName;
};

BOOL CALLBACK CopyLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language,
                           LONG_PTR param) {
    ResourceCopy* copy = reinterpret_cast<ResourceCopy*>(param);
    if (type == copy->skipType && name == copy->skipName) return TRUE;
    HRSRC found = FindResourceExW(module, type, name, language);
    UpdateResourceW(copy->update, type, name, language, LockResource(LoadResource(module, found)),
                    SizeofResource(module, found));
    return TRUE;
}

BOOL CALLBACK CopyName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    EnumResourceLanguagesW(module, type, name, CopyLanguage, param);
    return TRUE;
}

BOOL CALLBACK CopyType(HMODULE module, LPWSTR type, LONG_PTR param) {
    EnumResourceNamesW(module, type, CopyName, param);
    return TRUE;
}

void RemoveResource(const std::wstring& exe, LPCWSTR type, LPCWSTR name) {
    const std::wstring original = exe + L".original";
    ASSERT_TRUE(CopyFileW(exe.c_str(), original.c_str(), FALSE));
    HMODULE source = LoadLibraryExW(original.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(source, nullptr);
    ResourceCopy copy{source, BeginUpdateResourceW(exe.c_str(), TRUE), type, name};
    ASSERT_NE(copy.update, nullptr);
    EnumResourceTypesW(source, CopyType, reinterpret_cast<LONG_PTR>(&copy));
    FreeLibrary(source);
    ASSERT_TRUE(EndUpdateResourceW(copy.update, FALSE));
    HMODULE check = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_EQ(FindResourceW(check, name, type), nullptr);
    EXPECT_NE(FindResourceW(check, MAKEINTRESOURCEW(ID_MENU), RT_MENU), nullptr);
    FreeLibrary(check);
}

// A program whose entry menu resource is gone says so in a box of its own,
// then starts as usual; only the right click during entry shows nothing.
TEST(Startup, AMissingEntryMenuIsReportedAndTheProgramGoesOn) {
    Program p;
    ASSERT_TRUE(p.Launch(L"", "", [](const std::wstring& exe) {
        RemoveResource(exe, RT_MENU, MAKEINTRESOURCEW(ID_MENU2));
    }));
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = p.UnownedBox()) != nullptr; }, 10000));
    EXPECT_EQ(BoxText(box), L"Loading menu2 failed");
    EXPECT_EQ(WindowText(box), L"Error");  // the system's default caption
    PressBoxButton(box, IDOK);
    ASSERT_TRUE(p.WaitForMainWindow());
    ASSERT_TRUE(p.Settle());
    ASSERT_TRUE(p.ChooseFromMenu(L"tc"));
    ASSERT_TRUE(DisplayShows(p, L"__:__:__", kIdleGrey));
    p.Post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(p.Window()), MAKELPARAM(0xFFFF, 0xFFFF));
    ASSERT_TRUE(p.Settle());
    EXPECT_EQ(p.PopupMenu(), nullptr);
    // Still in entry, and Enter still accepts.
    p.Key(VK_RETURN);
    EXPECT_TRUE(DisplayShows(p, L"00:00:00", kIdleGrey));
    EXPECT_EQ(p.Title(), L"Timer");
}

}  // namespace
}  // namespace e2e
