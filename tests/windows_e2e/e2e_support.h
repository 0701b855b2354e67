// Support for the end-to-end tests of the Windows program: each test starts
// MoxTimer.exe in a fresh folder of its own (the settings file sits beside
// the executable), drives it only from outside, as a user or the system
// would, through posted messages, and reads back what a user sees: the title,
// the styles and placement, the pixels on the screen and the boxes it shows.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Polls cond every 20 ms until it holds or timeoutMs pass.
bool WaitFor(const std::function<bool()>& cond, int timeoutMs = 5000);

std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);

struct ScreenRect {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

std::string Describe(const ScreenRect& r);

// The top-level windows of a process that are visible and have the class.
std::vector<HWND> VisibleWindows(DWORD processId, const wchar_t* className);

// A screen capture of the client area of a window.
class ClientImage {
public:
    ClientImage() = default;
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // How many pixels of the rectangle (right and bottom outside) have color.
    int Count(int left, int top, int right, int bottom, COLORREF color) const;
    bool Uniform(int left, int top, int right, int bottom, COLORREF color) const {
        return Count(left, top, right, bottom, color) == (right - left) * (bottom - top);
    }
};

// One program run: started in its own folder, ended by the test or, at the
// latest, by the destructor.
class Program {
public:
    ~Program();

    // Copies the program into a fresh folder named after the running test,
    // writes settings (when not empty) as the settings file, starts it with
    // the arguments and waits for its main window to show.
    bool Start(const std::wstring& arguments, const std::string& settings = "");

    // The two halves of Start: Launch lets prepare change the copied program
    // (given its path) before it runs, and does not wait for the window.
    bool Launch(const std::wstring& arguments, const std::string& settings,
                const std::function<void(const std::wstring&)>& prepare);
    bool WaitForMainWindow();

    HWND Window() const { return window_; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    const std::wstring& Folder() const { return folder_; }
    std::wstring SettingsPath() const { return folder_ + L"\\MoxTimer.ini"; }
    std::string ReadSettings() const;

    std::wstring Title() const { return WindowText(window_); }
    LONG Style() const { return GetWindowLongW(window_, GWL_STYLE); }
    LONG ExtendedStyle() const { return GetWindowLongW(window_, GWL_EXSTYLE); }
    // The client area in screen coordinates.
    ScreenRect Client() const;
    // Maximized without caption and sizing frame, the client area covering
    // the work area: full screen as a user sees it, not only the flag.
    bool InFullScreen() const;
    ScreenRect Outer() const;

    // Input as the system delivers it: posted to the window's queue, so that
    // the program's message loop (accelerators, TranslateMessage) sees it.
    void Key(UINT virtualKey) const;
    void Char(wchar_t ch) const;
    void Command(WORD id) const;
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Waits until the program has handled everything posted so far and has
    // painted; returns false if it does not answer.
    bool Settle() const;

    ClientImage Capture() const;

    // Opens the context menu as from the keyboard; returns the popup.
    HWND OpenMenuFromKeyboard() const;
    // Opens the context menu and types the mnemonics one after the other,
    // each into the menu or submenu open at that moment; returns false when
    // a menu did not open or did not close after the last one.
    bool ChooseFromMenu(const std::wstring& mnemonics) const;
    bool MenuClosed() const;
    // The visible popup menu window of the program, or null.
    HWND PopupMenu() const;
    // A box (dialog or message box) the program shows, owned by its window.
    HWND OwnedBox() const;
    // A box the program shows without an owner.
    HWND UnownedBox() const;

    // Waits for the process to end; returns its exit code or -1 on timeout.
    int WaitForExit(int timeoutMs = 8000);
    bool Running() const;

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    std::wstring folder_;
};

// Typing into an open popup menu, as the keyboard does.
void MenuChar(HWND popup, wchar_t ch);
void MenuKey(HWND popup, UINT virtualKey);

// Dismisses a box by its button (IDOK or IDCANCEL), as a click would.
void PressBoxButton(HWND box, int id);

// The text of a box: every static control's text, joined by newlines.
std::wstring BoxText(HWND box);
// The text of a control, read with WM_GETTEXT across the process boundary.
std::wstring ControlText(HWND control);

}  // namespace e2e
