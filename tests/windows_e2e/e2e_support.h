// Support for the end-to-end tests of the Windows program: each test starts
// MoxTimer.exe in a fresh folder of its own (the settings file sits beside
// the executable), drives it from outside through posted messages, as a user
// or the system would, and reads back what a user sees: the title, the styles
// and placement, the pixels on the screen and the boxes it shows.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

// Polls cond every 20 ms until it holds or timeoutMs pass.
bool WaitFor(const std::function<bool()>& cond, int timeoutMs = 5000);

// Succeeds once get() equals want; fails with the last value otherwise.
template <class Get, class T>
::testing::AssertionResult Becomes(Get get, const T& want, int timeoutMs = 5000) {
    auto last = get();
    if (WaitFor([&] { return (last = get()) == want; }, timeoutMs)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got " << ::testing::PrintToString(last)
                                         << ", expected " << ::testing::PrintToString(want);
}

std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);

struct ScreenRect {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};
void PrintTo(const ScreenRect& r, std::ostream* os);

// A screen capture of a client area, row by row.
struct ClientImage {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // How many pixels of the rectangle (right and bottom outside) have color.
    int Count(int left, int top, int right, int bottom, COLORREF color) const;
    bool Uniform(int left, int top, int right, int bottom, COLORREF color) const {
        return Count(left, top, right, bottom, color) == (right - left) * (bottom - top);
    }
};

// One program run, ended at the latest by the destructor.
class Program {
public:
    ~Program();
    // Copies the program into a fresh folder named after the running test,
    // writes settings (when not empty) as its settings file, starts it with
    // the arguments and waits for its main window to show and paint.
    bool Start(const std::wstring& arguments, const std::string& settings = "");

    HWND Window() const { return window_; }
    std::string ReadSettings() const;  // empty when there is no file
    std::wstring Title() const { return WindowText(window_); }
    LONG Style() const { return GetWindowLongW(window_, GWL_STYLE); }
    LONG ExtendedStyle() const { return GetWindowLongW(window_, GWL_EXSTYLE); }
    ScreenRect Client() const;  // in screen coordinates
    ScreenRect Outer() const;
    // Maximized without caption and sizing frame, the client area covering
    // the work area: full screen as a user sees it, not only the flag.
    bool InFullScreen() const;

    // Input posted to the window's queue, so that the program's message loop
    // (accelerators, TranslateMessage) sees it as it sees the system's.
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void Key(UINT virtualKey) const;
    void Keys(const wchar_t* keys) const;  // digits, as their virtual keys
    // Waits until the program has handled everything posted so far and has
    // painted; false if it does not answer.
    bool Settle() const;
    ClientImage Capture() const;

    // Opens the context menu as the keyboard does (both 16-bit coordinates
    // -1); returns the popup.
    HWND OpenMenuFromKeyboard() const;
    // Waits until count popup menus show; returns the one on top (a submenu
    // opens above its parent), or null.
    HWND WaitForMenus(size_t count) const;
    bool MenuClosed() const;
    // Opens the context menu and types the mnemonics, each into the menu or
    // submenu open at that moment; false when a menu did not open or did not
    // close after the last one.
    bool ChooseFromMenu(const std::wstring& mnemonics) const;

    // A box (dialog or message box) owned by the main window, or null.
    HWND OwnedBox() const;
    HWND WaitForBox(int timeoutMs = 5000) const;

    // Waits for the process to end; its exit code, or -1 on timeout.
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
// A control's text, read with WM_GETTEXT across the process boundary.
std::wstring ControlText(HWND control);
// The message text of a message box.
std::wstring BoxText(HWND box);

}  // namespace e2e
