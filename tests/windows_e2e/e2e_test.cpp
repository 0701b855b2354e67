// End-to-end tests of the Windows program, one run of MoxTimer.exe per case
// (tests/windows_e2e/program.h).
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "app/about_text.h"
#include "app/commands.h"
#include "resources/resource_ids.h"
#include "tests/display/glyph_pictures.h"
#include "tests/windows_e2e/program.h"

// The about text the Windows program must show names what built it.
const wchar_t kBuildTools[] = L"C++20, MinGW-w64";

namespace {

using namespace e2e;
using e2e::Rect;  // not the core's

constexpr LONG kAtWorkAreaCorner = -2;  // the outer window's bottom right is the work area's

// The desktop's scale, read by every process as it starts; 96 again at the end.
struct LogPixels {
    HKEY key = nullptr;
    LogPixels() {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr);
    }
    void Set(DWORD dpi) {
        RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dpi), sizeof(dpi));
    }
    ~LogPixels() {
        Set(96);
        RegCloseKey(key);
    }
};

// At 192 (200 %) the display is laid out on twice the pixels, while the
// positions and sizes on the command line and in the file stay 96-DPI units.
TEST(Startup, OptionsTheSettingsFileAndTheScaleShapeTheFirstPaint) {
    // The driver sees the program's window in device pixels only when it is
    // itself aware of the scale.
    using SetContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    ASSERT_NE(setContext, nullptr);
    const DPI_AWARENESS_CONTEXT before = setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    LogPixels logPixels;
    struct Case {
        DWORD dpi;
        const wchar_t* args;
        int left, top, width, height;  // device pixels; left -1: placed by the system; width 0:
        LONG style = kFramed;          // full screen; the styles of kFrameBits and kTaskBarBits
        LONG exStyle = kTaskBarBits;
        const char* settings = "";
        const wchar_t* title = L"Stopwatch";
        DWORD lit = kGrey;  // kGrey: the idle display, pixel by pixel
    };
    const Case cases[] = {
        {96, L"", -1, -1, 120, 30},
        {96, L"-position=100,50,200,40", 100, 50, 200, 40},
        {96, L"-noTitleBar -position=200,100,120,30", 200, 100, 120, 30, kFramed & ~WS_CAPTION},
        {96, L"-noTaskBarIcon", -1, -1, 120, 30, kFramed, WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
        {96, L"-fullScreen", -1, -1, 0, 0, 0},
        {96, L"-color=red", -1, -1, 120, 30, kFramed, kTaskBarBits,
         "[MOX_Timer]\r\n-mode=timer:90\r\n-color=blue\r\n-start=1\r\n", L"Timer (90 sec)", kRed},
        {192, L"-position=100,50,120,30", 200, 100, 240, 60},
        {192, L"", -1, -1, 240, 60},
        {192, L"-position=3000,2000,120,30", kAtWorkAreaCorner, 0, 240, 60},  // off the screen
    };
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " " << testing::PrintToString(c.args));
        logPixels.Set(c.dpi);
        Program p;
        ASSERT_TRUE(p.Start(c.args, c.settings));
        EXPECT_EQ(p.Title(), c.title);
        EXPECT_EQ(GetWindowLongW(p.window, GWL_EXSTYLE) & kTaskBarBits, c.exStyle);
        EXPECT_TRUE(p.LitIn(c.lit)) << testing::PrintToString(p.Lit());
        EXPECT_EQ(p.InFullScreen(), c.width == 0);
        if (c.width == 0) continue;
        EXPECT_EQ(p.Style() & kFrameBits, c.style);
        const Rect client = p.Client(), outer = WindowRect(p.window);
        EXPECT_EQ((Rect{client[2] - client[0], client[3] - client[1]}), (Rect{c.width, c.height}));
        if (c.left == kAtWorkAreaCorner) {
            EXPECT_EQ((Rect{outer[2], outer[3]}), (Rect{work.right, work.bottom}));
        } else if (c.left >= 0) {
            EXPECT_EQ((Rect{outer[0], outer[1]}), (Rect{c.left, c.top}));
        }
        if (c.lit == kGrey) {
            // The idle display laid out on the device pixels: the glyph
            // pictures at the device metrics, grey on black, nothing between.
            const expected::Layout layout = expected::LayOut(c.width, c.height, 8);
            expected::Raster want(c.width, c.height);
            expected::Paint(want, L"00:00:00.00", 8, layout, false, false);
            std::vector<DWORD> shot;
            const auto shows = [&](size_t i) {
                return shot[i] == (want.pixels[i] == 'I' ? kGrey : 0);
            };
            size_t same = 0;  // pixels from the top left that are as they must be
            EXPECT_TRUE(WaitFor([&] {
                p.Lit(&shot);
                for (same = 0; same < shot.size() && shows(same); ++same) {
                }
                return shot.size() == want.pixels.size() && same == shot.size();
            })) << "pixel ("
                << same % c.width << "," << same / c.width << ") differs";
        }
        // The place and the size in 96-DPI units (a file written beforehand
        // keeps its 8-bit encoding, which Settings() does not read).
        if (*c.settings) continue;
        p.Post(WM_CLOSE);
        ASSERT_EQ(p.WaitForExit(), 0u);
        const std::string position = "\n-position=" + std::to_string(MulDiv(outer[0], 96, c.dpi)) +
                                     "," + std::to_string(MulDiv(outer[1], 96, c.dpi)) + "," +
                                     std::to_string(MulDiv(c.width, 96, c.dpi)) + "," +
                                     std::to_string(MulDiv(c.height, 96, c.dpi)) + "\n";
        EXPECT_NE(p.Settings().find(position), std::string::npos) << p.Settings() << position;
    }
    setContext(before);
}

// Wine 8 treats every program as aware of the scale, whatever its manifest
// says; Windows scales the bitmap of a program whose manifest does not ask.
TEST(Startup, TheManifestAsksForPerMonitorAwarenessBesideTheCommonControls) {
    const HMODULE exe =
        LoadLibraryExW((DriverFolder() + L"\\..\\windows-program\\MoxTimer.exe").c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, found))),
                               SizeofResource(exe, found));
    for (const char* part : {">true/pm<", ">PerMonitorV2, PerMonitor<", "Common-Controls"})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    FreeLibrary(exe);
}

// Rewrites exe with the resources of its own copy, all but the entry menu.
// (Deleting one resource in place does nothing under Wine.)
BOOL CALLBACK CopyLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language,
                           LONG_PTR update) {
    if (type == RT_MENU && name == MAKEINTRESOURCEW(ID_MENU2)) return TRUE;
    HRSRC found = FindResourceExW(module, type, name, language);
    UpdateResourceW(reinterpret_cast<HANDLE>(update), type, name, language,
                    LockResource(LoadResource(module, found)), SizeofResource(module, found));
    return TRUE;
}
BOOL CALLBACK CopyName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR update) {
    EnumResourceLanguagesW(module, type, name, CopyLanguage, update);
    return TRUE;
}
BOOL CALLBACK CopyType(HMODULE module, LPWSTR type, LONG_PTR update) {
    EnumResourceNamesW(module, type, CopyName, update);
    return TRUE;
}
void WithoutEntryMenu(const std::wstring& exe) {
    const std::wstring original = exe + L".original";
    CopyFileW(exe.c_str(), original.c_str(), FALSE);
    HMODULE source = LoadLibraryExW(original.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HANDLE update = BeginUpdateResourceW(exe.c_str(), TRUE);
    EnumResourceTypesW(source, CopyType, reinterpret_cast<LONG_PTR>(update));
    FreeLibrary(source);
    EndUpdateResourceW(update, FALSE);
}

// The box comes first, with no owner; after OK the program starts as usual,
// only the right click during countdown entry shows nothing.
TEST(Startup, AMissingEntryMenuIsReportedAndTheProgramGoesOn) {
    Program p;
    ASSERT_TRUE(p.Launch(L"", "", WithoutEntryMenu));
    HWND box = p.WaitForTop(kBox, 1, 15000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(box), L"Error");  // the system's default caption
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), L"Loading menu2 failed");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(p.Top(L"moxStopwatchTimer"), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(p.WaitForWindow());
    ASSERT_TRUE(p.ChooseFromMenu(L"tc"));  // &Timer, &Customize...
    ASSERT_TRUE(WaitFor([&] { return p.HasCaret(); }));
    // A tracked menu would hold the sent message until the menu closed.
    DWORD_PTR ignored = 0;
    EXPECT_NE(SendMessageTimeoutW(p.window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(p.window),
                                  MAKELPARAM(0xFFFF, 0xFFFF), SMTO_BLOCK, 5000, &ignored),
              0);
    EXPECT_EQ(p.Top(kMenu), nullptr);
    p.Key(VK_RETURN);  // entry goes on: Enter accepts
    EXPECT_TRUE(p.Titled(L"Timer")) << p.Title();
}

// One session as a user has it: the keyboard menu, Space, F11, F1, a preset
// and a typed countdown, then the close that writes every key.
TEST(Session, KeysMenusCountdownsAndTheFileWrittenAtClose) {
    Program p;
    ASSERT_TRUE(p.Start(L"-position=150,120,120,30"));
    // On x64 the keyboard's (-1, -1) arrives in a 64-bit lParam; the menu must
    // still open at the bottom left of the client area.
    const Rect client = p.Client();
    HWND popup = p.OpenMenuFromKeyboard();
    ASSERT_NE(popup, nullptr);
    const Rect menu = WindowRect(popup);
    EXPECT_EQ((Rect{menu[0], menu[1]}), (Rect{client[0], client[3]}));
    PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(p.Gone(kMenu));

    p.Key(VK_SPACE);
    EXPECT_TRUE(p.LitIn(kGreen));
    EXPECT_EQ(p.Title(), L"Stopwatch");
    p.Key(VK_SPACE);
    EXPECT_TRUE(p.Titled(L"Stopwatch (Paused)")) << p.Title();
    EXPECT_TRUE(p.LitIn(kGrey));

    // Full screen in and out keeps the client area.
    for (UINT leave : {VK_F11, VK_ESCAPE}) {
        p.Key(VK_F11);
        ASSERT_TRUE(WaitFor([&] { return p.InFullScreen(); }));
        EXPECT_TRUE(p.LitIn(kGrey));
        p.Key(leave);
        EXPECT_TRUE(WaitFor([&] { return p.Client() == client; }));
        EXPECT_EQ(p.Style() & (WS_CAPTION | WS_THICKFRAME), WS_CAPTION | WS_THICKFRAME);
    }

    // The about text in a modal box that Esc ends.
    p.Key(VK_F1);
    HWND box = p.WaitForTop(kBox);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(box), L"MOX Stopwatch & Timer");
    HWND text = GetDlgItem(box, 101);
    EXPECT_EQ(Text(text), std::wstring(AboutText()));
    EXPECT_FALSE(IsWindowEnabled(p.window));
    PostMessageW(text, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(p.Gone(kBox));
    EXPECT_TRUE(IsWindowEnabled(p.window));

    p.Post(WM_COMMAND, IDM_RESET);
    p.Post(WM_COMMAND, 300);  // &Timer, 5 minutes
    EXPECT_TRUE(p.Titled(L"Timer")) << p.Title();
    // More than 99:59:59 is refused with a box and entry goes on.
    ASSERT_TRUE(p.ChooseFromMenu(L"tc"));  // &Timer, &Customize...
    ASSERT_TRUE(WaitFor([&] { return p.HasCaret(); }));
    p.Keys(L"995960");
    p.Key(VK_RETURN);
    box = p.WaitForTop(kBox);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), L"Time is invalid as it is more than 99:59:59!");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(p.Gone(kBox));
    // The digits shift in from the right; Enter accepts 00:12:30 and ends
    // entry. (Their characters are posted behind any key posted meanwhile.)
    p.Keys(L"001230");
    p.Key(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !p.HasCaret(); }));
    p.Key(VK_SPACE);
    EXPECT_TRUE(p.Titled(L"Timer (750 sec)")) << p.Title();

    p.Post(WM_CLOSE);
    ASSERT_EQ(p.WaitForExit(), 0u);
    EXPECT_EQ(p.Settings(),
              "[MOX_Timer]\n-mode=timer:750\n-precision=second\n-color=green\n-style=rounded\n"
              "-position=150,120,120,30\n-start=0\n-noTitleBar=0\n-noTaskBarIcon=0\n"
              "-fullScreen=0\n-noAlarm=0\n-quitAfterTimeUp=0\n-alarmFile=alarm.wav\n"
              "-alarmMessage=Time is up!\n");
}

TEST(Timer, TimeUpShowsTheMessageOrQuits) {
    struct Case {
        const wchar_t* args;
        const wchar_t* message;  // null: no box
        bool quits;
    };
    const Case cases[] = {
        {L"-alarmMessage=\"Tea is ready\"", L"Tea is ready", false},
        {L"-quitAfterTimeUp", L"Time is up!", true},
        {L"-noAlarm -quitAfterTimeUp", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.args)));
        Program p;
        ASSERT_TRUE(p.Start(std::wstring(L"-mode=timer:1 -start ") + c.args));
        if (c.message != nullptr) {
            HWND box = p.WaitForTop(kBox, 1, 6000);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(Text(box), L"Timer (1 sec)");
            EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), c.message);
            EXPECT_TRUE(p.Running());  // until the box is dismissed
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        if (c.quits) {
            EXPECT_EQ(p.WaitForExit(), 0u);
            EXPECT_EQ(p.Settings(), "");
        } else {
            EXPECT_TRUE(p.Gone(kBox));
            EXPECT_TRUE(p.Running());
        }
    }
}

}  // namespace
