// The Windows program on a scaled desktop: with the prefix's LogPixels at 192
// (200 %) it lays its display out on twice the pixels, while positions and
// sizes on the command line and in the settings file stay 96-DPI units.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/display/glyph_pictures.h"
#include "tests/windows_e2e/program.h"

namespace {

using namespace e2e;

constexpr LONG kAtWorkAreaCorner = -2;  // the outer window's bottom right is the work area's

// Read by every process as it starts; 96 again at the end.
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

// The program the driver was built with.
std::wstring BuiltProgram() {
    wchar_t path[MAX_PATH];
    std::wstring driver(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return driver.substr(0, driver.find_last_of(L"\\/")) + L"\\..\\windows-program\\MoxTimer.exe";
}

TEST(Dpi, At200PercentTheDisplayHasTwiceThePixelsAndTheFileKeepsUnits) {
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
        LONG left, top, width, height;  // device pixels; left -1: placed by the system
    };
    const Case cases[] = {
        {96, L"-position=100,50,120,30", 100, 50, 120, 30},
        {192, L"-position=100,50,120,30", 200, 100, 240, 60},
        {192, L"", -1, -1, 240, 60},
        {192, L"-position=3000,2000,120,30", kAtWorkAreaCorner, 0, 240, 60},  // off the screen
    };
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " " << testing::PrintToString(c.args));
        logPixels.Set(c.dpi);
        Program run;
        ASSERT_TRUE(run.Start(c.args));
        const Rect client = run.Client(), outer = WindowRect(run.window);
        EXPECT_EQ((Rect{client[2] - client[0], client[3] - client[1]}), (Rect{c.width, c.height}));
        if (c.left == kAtWorkAreaCorner) {
            EXPECT_EQ((Rect{outer[2], outer[3]}), (Rect{work.right, work.bottom}));
        } else if (c.left >= 0) {
            EXPECT_EQ((Rect{outer[0], outer[1]}), (Rect{c.left, c.top}));
        }
        // The idle display laid out on the device pixels: the glyph pictures
        // at the device metrics, grey on black, nothing in between.
        const expected::Layout layout = expected::LayOut(c.width, c.height, 8);
        expected::Raster want(c.width, c.height);
        expected::Paint(want, L"00:00:00.00", 8, layout, false, false);
        std::vector<DWORD> shot;
        const auto shows = [&](size_t i) { return shot[i] == (want.pixels[i] == 'I' ? kGrey : 0); };
        size_t same = 0;  // pixels from the top left that are as they must be
        EXPECT_TRUE(WaitFor(
            [&] {
                run.Lit(&shot);
                for (same = 0; same < shot.size() && shows(same); ++same) {
                }
                return shot.size() == want.pixels.size() && same == shot.size();
            },
            5000))
            << "pixel (" << same % c.width << "," << same / c.width << ") differs";
        // The place and the size in 96-DPI units.
        run.Post(WM_CLOSE);
        ASSERT_EQ(run.WaitForExit(), 0u);
        const std::string settings = run.Settings();
        const size_t at = settings.find("-position=");
        EXPECT_EQ(settings.substr(at, settings.find('\n', at) - at),
                  "-position=" + std::to_string(MulDiv(outer[0], 96, c.dpi)) + "," +
                      std::to_string(MulDiv(outer[1], 96, c.dpi)) + ",120,30");
    }
    setContext(before);
}

// Wine 8 treats every program as aware of the scale, whatever its manifest
// says; Windows scales the bitmap of a program whose manifest does not ask.
TEST(Dpi, TheManifestAsksForPerMonitorAwarenessBesideTheCommonControls) {
    const HMODULE exe = LoadLibraryExW(BuiltProgram().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, found))),
                               SizeofResource(exe, found));
    for (const char* part : {">true/pm<", ">PerMonitorV2, PerMonitor<", "Common-Controls"})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    FreeLibrary(exe);
}

}  // namespace
