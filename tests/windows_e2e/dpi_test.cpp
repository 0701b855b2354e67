// The Windows program on a scaled desktop: with the prefix's LogPixels at 192
// (200 %) it lays its display out on twice the pixels, while positions and
// sizes on the command line and in the settings file stay 96-DPI units.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/display/glyph_pictures.h"

namespace {

constexpr DWORD kGrey = 0xBEBEBE;
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

template <class Cond>
bool WaitFor(Cond cond, int timeoutMs = 15000) {
    for (int waited = 0; !cond(); waited += 20) {
        if (waited >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

std::wstring DriverFolder() {
    wchar_t path[MAX_PATH];
    std::wstring driver(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return driver.substr(0, driver.find_last_of(L"\\/"));
}
std::wstring BuiltProgram() {
    return DriverFolder() + L"\\..\\windows-program\\MoxTimer.exe";
}

struct ScaledRun {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    std::wstring folder;

    bool Start(const std::wstring& arguments) {
        static int runs = 0;
        folder = DriverFolder() + L"\\e2e-work";
        CreateDirectoryW(folder.c_str(), nullptr);
        folder += L"\\dpi" + std::to_wstring(++runs);
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring exe = folder + L"\\MoxTimer.exe";
        CopyFileW(BuiltProgram().c_str(), exe.c_str(), FALSE);
        std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &process))
            return false;
        DWORD_PTR ignored = 0;
        return WaitFor([&] {
                   window = FindWindowW(L"moxStopwatchTimer", nullptr);
                   DWORD owner = 0;
                   GetWindowThreadProcessId(window, &owner);
                   return owner == process.dwProcessId && IsWindowVisible(window);
               }) &&
               SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored) != 0;
    }
    ~ScaledRun() {
        TerminateProcess(process.hProcess, 99);  // fails harmlessly when it has ended
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    RECT Client() const {
        RECT r{};
        GetClientRect(window, &r);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::vector<DWORD> Pixels() const {
        const RECT c = Client();
        const int w = c.right - c.left, h = c.bottom - c.top;
        HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        DWORD* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS,
                                          reinterpret_cast<void**>(&bits), nullptr, 0);
        SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, c.left, c.top, SRCCOPY);
        GdiFlush();
        std::vector<DWORD> pixels(bits, bits + static_cast<size_t>(w) * h);
        DeleteDC(memory);
        DeleteObject(bitmap);
        ReleaseDC(nullptr, screen);
        return pixels;
    }
    // The file's -position line, read as ASCII out of its UTF-16LE.
    std::string PositionWrittenAtClose() const {
        PostMessageW(window, WM_CLOSE, 0, 0);
        WaitForSingleObject(process.hProcess, 8000);
        std::string text;
        FILE* file = _wfopen((folder + L"\\MoxTimer.ini").c_str(), L"rb");
        for (int lo, hi; file && (lo = fgetc(file)) != EOF && (hi = fgetc(file)) != EOF;)
            if ((lo | hi << 8) < 128) text += static_cast<char>(lo);
        if (file) fclose(file);
        const size_t at = text.find("-position=");
        return at == std::string::npos ? "" : text.substr(at, text.find('\r', at) - at);
    }
};

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
        ScaledRun run;
        ASSERT_TRUE(run.Start(c.args));
        const RECT client = run.Client();
        RECT outer{};
        GetWindowRect(run.window, &outer);
        EXPECT_EQ(client.right - client.left, c.width);
        EXPECT_EQ(client.bottom - client.top, c.height);
        if (c.left == kAtWorkAreaCorner) {
            EXPECT_EQ(outer.right, work.right);
            EXPECT_EQ(outer.bottom, work.bottom);
        } else if (c.left >= 0) {
            EXPECT_EQ(outer.left, c.left);
            EXPECT_EQ(outer.top, c.top);
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
                shot = run.Pixels();
                for (same = 0; same < shot.size() && shows(same); ++same) {
                }
                return shot.size() == want.pixels.size() && same == shot.size();
            },
            5000))
            << "pixel (" << same % c.width << "," << same / c.width << ") differs";
        // The place and the size in 96-DPI units.
        EXPECT_EQ(run.PositionWrittenAtClose(),
                  "-position=" + std::to_string(MulDiv(outer.left, 96, c.dpi)) + "," +
                      std::to_string(MulDiv(outer.top, 96, c.dpi)) + ",120,30");
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
