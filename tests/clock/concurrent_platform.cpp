// Window, paint and system services that only count, with atomics.
#include "tests/clock/concurrent_platform.h"

#include <cwchar>

namespace concurrent {

Records g;

WindowHandle TestWindow() {
    static int token;
    return reinterpret_cast<WindowHandle>(&token);
}

}  // namespace concurrent

using concurrent::g;

void RequestRepaint(WindowHandle, bool erase) {
    g.repaints++;
    if (erase) g.erasingRepaints++;
    if (std::this_thread::get_id() != g.uiThread) g.tickThreadRepaints++;
}

void PostTimeUp(WindowHandle) {
    g.timeUpPosts++;
}
void SetWindowTitle(WindowHandle, const wchar_t*) {
    g.titleSets++;
}
ClientSize QueryClientSize(WindowHandle) {
    return {400, 100};
}
WindowPlacement QueryWindowPlacement(WindowHandle) {
    return {0, 0, 400, 100, 0};
}
void ShowMessageBox(WindowHandle, const wchar_t*, const wchar_t*) {
    g.messageBoxes++;
}
void CreateEntryCaret(WindowHandle, int32_t, int32_t) {}
void SetEntryCaretPosition(WindowHandle, int32_t, int32_t) {}
void ShowEntryCaret(WindowHandle) {}
void HideEntryCaret(WindowHandle) {}
void DestroyEntryCaret(WindowHandle) {}
void CreateDisplayBrushes(uint32_t, uint32_t, uint32_t) {}
void ReplaceColorBrush(uint32_t) {}
void FillRectangle(PaintCanvas*, const Rect&, BrushRole) {}

bool GetExecutablePath(wchar_t* buffer, size_t capacity) {
    if (capacity > 0) buffer[0] = L'\0';
    return false;
}

const wchar_t* GetCommandLineText() {
    return L"moxtimer";
}

size_t ProfileGetString(const wchar_t*, const wchar_t*, const wchar_t* defaultText, wchar_t* buffer,
                        size_t capacity, const wchar_t*) {
    if (capacity == 0) return 0;
    wcsncpy(buffer, defaultText, capacity - 1);
    buffer[capacity - 1] = L'\0';
    return wcslen(buffer);
}

uint32_t ProfileGetInt(const wchar_t*, const wchar_t*, int32_t defaultValue, const wchar_t*) {
    return static_cast<uint32_t>(defaultValue);
}

void ProfileWriteString(const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*) {}
