// The window frame modes: title bar shown or hidden, and full screen.
#include "app/app_record.h"
#include "app/shell_services.h"
#include "platform/win32/win32_program.h"

namespace {

constexpr LONG kCaption = 0x00C00000;            // WS_BORDER | WS_DLGFRAME
constexpr LONG kThickFrame = 0x00040000;         // WS_THICKFRAME
constexpr LONG kFullScreenCleared = 0x10C40000;  // WS_VISIBLE, WS_CAPTION, WS_THICKFRAME

}  // namespace

// The client area stays where it is on the screen and keeps its size; the
// outer frame grows or shrinks around it.
int32_t ToggleTitleBar(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    RECT rect{};
    GetClientRect(hwnd, &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ClientToScreen(hwnd, &corners[0]);
    ClientToScreen(hwnd, &corners[1]);
    rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};

    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const LONG extendedStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
    int32_t shown;
    if (style & kCaption) {
        style &= ~kCaption;
        shown = 0;
    } else {
        style |= kCaption;
        shown = 1;
    }
    AdjustOuterForDpi(&rect, static_cast<DWORD>(style), static_cast<DWORD>(extendedStyle),
                      WindowDpi(hwnd));
    SetWindowLongW(hwnd, GWL_STYLE, style);
    SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_FRAMECHANGED);
    return shown;
}

// Covers the whole of the monitor that holds most of the window, not the
// primary one, taskbar included.
int32_t EnterFullScreen(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    const RECT monitor = MonitorOfWindow(hwnd);
    SetWindowLongW(hwnd, GWL_STYLE, GetWindowLongW(hwnd, GWL_STYLE) & ~kFullScreenCleared);
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    // Still maximized: a restore brings back the placement from before.
    SetWindowPos(hwnd, nullptr, monitor.left, monitor.top, monitor.right - monitor.left,
                 monitor.bottom - monitor.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

// Brings the caption back only when the title bar was not hidden before.
int32_t LeaveFullScreen(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    LONG style = GetWindowLongW(hwnd, GWL_STYLE) | kThickFrame;
    if (!g_app.options.noTitleBar) style |= kCaption;
    SetWindowLongW(hwnd, GWL_STYLE, style);
    ShowWindow(hwnd, SW_RESTORE);
    return 0;
}
