// The end-to-end driver's hold on one run of MoxTimer.exe: a fresh folder
// (its settings file sits beside it), posted messages as a user would send
// them, and what a user sees read back. Every wait polls for its state.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <set>
#include <string>
#include <vector>

namespace e2e {

// Colors as a 32-bit capture holds them: 0x00RRGGBB.
constexpr DWORD kBlack = 0, kGrey = 0xBEBEBE, kGreen = 0x32E632, kRed = 0xFF3232;
constexpr LONG kFramed = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr LONG kFrameBits = kFramed | WS_MAXIMIZEBOX;
constexpr LONG kTaskBarBits = WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

using Rect = std::array<LONG, 4>;
const wchar_t *const kMenu = L"#32768", *const kBox = L"#32770";

template <class Cond>
bool WaitFor(Cond cond, int timeoutMs = 5000) {
    for (int waited = 0;; waited += 20) {
        if (cond()) return true;
        if (waited >= timeoutMs) return false;
        Sleep(20);
    }
}

inline std::wstring Text(HWND hwnd) {
    wchar_t text[4096] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 3000,
                        &ignored);
    return text;
}

inline Rect WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.left, r.top, r.right, r.bottom};
}

// The folder of the driver, and of the build's windows-program beside it.
inline std::wstring DriverFolder() {
    wchar_t path[MAX_PATH];
    std::wstring driver(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return driver.substr(0, driver.find_last_of(L"\\/"));
}

struct Program {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    std::wstring folder;

    ~Program() {
        if (process.hProcess == nullptr) return;
        TerminateProcess(process.hProcess, 99);  // fails harmlessly when it has ended
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }

    // Copies the program into a fresh folder (the script empties e2e-work
    // beside the driver), writes settings as its settings file, lets prepare
    // change the copy, and starts it.
    bool Launch(const std::wstring& arguments, const std::string& settings = "",
                void (*prepare)(const std::wstring& exe) = nullptr) {
        static int runs = 0;
        const std::wstring driver = DriverFolder();
        folder = driver + L"\\e2e-work";
        CreateDirectoryW(folder.c_str(), nullptr);
        folder += L"\\run" + std::to_wstring(++runs);
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring exe = folder + L"\\MoxTimer.exe";
        CopyFileW((driver + L"\\..\\windows-program\\MoxTimer.exe").c_str(), exe.c_str(), FALSE);
        if (FILE* file =
                settings.empty() ? nullptr : _wfopen((folder + L"\\MoxTimer.ini").c_str(), L"wb")) {
            fwrite(settings.data(), 1, settings.size(), file);
            fclose(file);
        }
        if (prepare != nullptr) prepare(exe);
        std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &startup, &process);
    }
    // Launches the program and waits until its main window shows and its
    // message loop answers, so start-up, which comes before the loop, is
    // over. A sent message overtakes the posted ones: what posted input
    // leads to is waited for on its own state.
    bool Start(const std::wstring& arguments, const std::string& settings = "") {
        return Launch(arguments, settings) && WaitForWindow();
    }
    bool WaitForWindow() {
        DWORD_PTR ignored = 0;
        return WaitFor([&] { return (window = Top(L"moxStopwatchTimer")) != nullptr; }, 15000) &&
               SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored) != 0;
    }

    // The top visible window of the program with the class, and how many.
    HWND Top(const wchar_t* className, size_t* count = nullptr) const {
        HWND top = nullptr;
        size_t n = 0;
        for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, className, nullptr)) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            if (owner != process.dwProcessId || !IsWindowVisible(h)) continue;
            if (n++ == 0) top = h;
        }
        if (count != nullptr) *count = n;
        return top;
    }

    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        PostMessageW(window, message, wParam, lParam);
    }
    // Posted to the queue, so the message loop's accelerators and
    // TranslateMessage see them as they see the system's.
    void Key(UINT virtualKey) const {
        const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
        Post(WM_KEYDOWN, virtualKey, 1 | (scan << 16));
        Post(WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
    }
    void Keys(const wchar_t* d) const {
        for (; *d; ++d) Key(*d);
    }
    std::wstring Title() const { return Text(window); }
    bool Titled(const wchar_t* t) const {
        return WaitFor([&] { return Title() == t; });
    }
    LONG Style() const { return GetWindowLongW(window, GWL_STYLE); }
    Rect Client() const {
        RECT r{};
        GetClientRect(window, &r);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right, r.bottom};
    }
    // Maximized without caption and sizing frame, covering the work area.
    bool InFullScreen() const {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        return IsZoomed(window) && (Style() & (WS_CAPTION | WS_THICKFRAME)) == 0 &&
               Client() == Rect{work.left, work.top, work.right, work.bottom};
    }

    // The client area as it is on the screen, row by row, and every color
    // in it but the black background.
    std::set<DWORD> Lit(std::vector<DWORD>* image = nullptr) const {
        const Rect c = Client();
        const int w = c[2] - c[0], h = c[3] - c[1];
        HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        DWORD* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS,
                                          reinterpret_cast<void**>(&bits), nullptr, 0);
        SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, c[0], c[1], SRCCOPY);
        GdiFlush();
        std::vector<DWORD> pixels(bits, bits + static_cast<size_t>(w) * h);
        DeleteDC(memory);
        DeleteObject(bitmap);
        ReleaseDC(nullptr, screen);
        std::set<DWORD> lit(pixels.begin(), pixels.end());
        lit.erase(kBlack);
        if (image != nullptr) *image = pixels;
        return lit;
    }
    bool LitIn(DWORD color) const {
        return WaitFor([&] { return Lit() == std::set<DWORD>{color}; });
    }

    // The top window of the class once count show (a submenu opens above
    // its parent), or null.
    HWND WaitForTop(const wchar_t* className, size_t count = 1, int timeoutMs = 5000) const {
        size_t n = 0;
        HWND top = nullptr;
        WaitFor([&] { return (top = Top(className, &n)) != nullptr && n >= count; }, timeoutMs);
        return n >= count ? top : nullptr;
    }
    bool Gone(const wchar_t* className) const {
        return WaitFor([&] { return Top(className) == nullptr; });
    }
    // As the keyboard opens it: both 16-bit coordinates -1.
    HWND OpenMenuFromKeyboard() const {
        Post(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(0xFFFF, 0xFFFF));
        return WaitForTop(kMenu);
    }
    // Types each mnemonic into the menu or submenu open at that moment.
    bool ChooseFromMenu(const std::wstring& mnemonics) const {
        HWND menu = OpenMenuFromKeyboard();
        for (size_t i = 0; menu != nullptr && i < mnemonics.size(); ++i) {
            PostMessageW(menu, WM_CHAR, mnemonics[i], 1);
            if (i + 1 < mnemonics.size()) menu = WaitForTop(kMenu, i + 2);
        }
        return menu != nullptr && Gone(kMenu);
    }

    // Countdown entry shows a caret; the program has none otherwise.
    bool HasCaret() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(process.dwThreadId, &info) && info.hwndCaret != nullptr;
    }

    bool Running() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD WaitForExit() const {
        DWORD code = 99;
        WaitForSingleObject(process.hProcess, 8000);
        GetExitCodeProcess(process.hProcess, &code);  // STILL_ACTIVE if it did not end
        return code;
    }
    // The settings file, UTF-16LE, without its byte-order mark and CRs; all
    // the tests look for is ASCII.
    std::string Settings() const {
        std::string text;
        FILE* file = _wfopen((folder + L"\\MoxTimer.ini").c_str(), L"rb");
        for (int lo, hi; file && (lo = fgetc(file)) != EOF && (hi = fgetc(file)) != EOF;) {
            const int ch = lo | hi << 8;
            if (ch != '\r' && ch != 0xFEFF) text += ch < 128 ? static_cast<char>(ch) : '?';
        }
        if (file) fclose(file);
        return text;
    }
};

}  // namespace e2e
