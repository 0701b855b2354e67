// The core's window services on Win32: repaint requests, the time-up post,
// the title, sizes, message boxes and the entry caret.
#include "platform/win32/resource_counts_win32.h"
#include "platform/win32/win32_program.h"

namespace {

// Whether this thread owns the caret this layer created.
bool caretLive = false;

}  // namespace

void RequestRepaint(WindowHandle window, bool erase) {
    InvalidateRect(ToHwnd(window), nullptr, erase ? TRUE : FALSE);
}

// The window's update region is the union of every rectangle invalidated
// before the next WM_PAINT, and BeginPaint clips the painter's fills to it.
void RequestPartialRepaint(WindowHandle window, const Rect& rect) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    InvalidateRect(ToHwnd(window), &r, FALSE);
}

void PostTimeUp(WindowHandle window) {
    PostMessageW(ToHwnd(window), WM_TIME_UP, 0, 0);
}

void SetWindowTitle(WindowHandle window, const wchar_t* text) {
    SetWindowTextW(ToHwnd(window), text);
}

ClientSize QueryClientSize(WindowHandle window) {
    RECT rect{};
    GetClientRect(ToHwnd(window), &rect);
    return {rect.right, rect.bottom};
}

WindowPlacement QueryWindowPlacement(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    RECT outer{};
    RECT client{};
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    // Written in 96-DPI units, so that the file means the same window at
    // every scale.
    const UINT dpi = WindowDpi(hwnd);
    return {PixelsToUnits(outer.left, dpi), PixelsToUnits(outer.top, dpi),
            PixelsToUnits(client.right, dpi), PixelsToUnits(client.bottom, dpi),
            IsIconic(hwnd) ? 1 : 0};
}

void ShowMessageBox(WindowHandle owner, const wchar_t* text, const wchar_t* caption) {
    MessageBoxW(ToHwnd(owner), text, caption, MB_OK);
}

// Bitmap handle 1 asks for the system's grey caret.
// A new caret destroys the thread's old one.
void CreateEntryCaret(WindowHandle window, int32_t width, int32_t height) {
    if (!CreateCaret(ToHwnd(window), reinterpret_cast<HBITMAP>(1), width, height)) return;
    if (caretLive) ++g_resourceCounts.caretsDestroyed;
    ++g_resourceCounts.caretsCreated;
    caretLive = true;
}

void SetEntryCaretPosition(WindowHandle, int32_t x, int32_t y) {
    SetCaretPos(x, y);
}

void ShowEntryCaret(WindowHandle window) {
    ShowCaret(ToHwnd(window));
}

void HideEntryCaret(WindowHandle window) {
    HideCaret(ToHwnd(window));
}

void DestroyEntryCaret(WindowHandle) {
    if (DestroyCaret() && caretLive) {
        ++g_resourceCounts.caretsDestroyed;
        caretLive = false;
    }
}

int32_t LiveEntryCaretCount() {
    return caretLive ? 1 : 0;
}
