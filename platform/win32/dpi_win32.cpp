// Device pixels and 96-DPI units. The user and the settings file see sizes
// and positions as a program unaware of scaling sees them, 96 units to the
// inch; the window and the display layout work on device pixels, so every
// segment's edge falls on a pixel. The conversions sit at the edges only:
// window creation, WM_DPICHANGED and the write-back.
//
// GetDpiForWindow and AdjustWindowRectExForDpi came with Windows 10 1607:
// they are looked up at run time. Without them the screen's DPI stands in,
// which is the system's DPI for a system-aware program (Windows 7 and 8
// with dpiAware true) and 96 for an unaware one.
#include "platform/win32/win32_program.h"

namespace {

using DpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <class Function>
Function User32Function(const char* name) {
    // Through the generic function type, which converts to any other
    // without a warning.
    using Generic = void (*)();
    return reinterpret_cast<Function>(
        reinterpret_cast<Generic>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// Looked up once before wWinMain; null where the system lacks them.
const DpiForWindowFunction dpiForWindow = User32Function<DpiForWindowFunction>("GetDpiForWindow");
const AdjustForDpiFunction adjustForDpi =
    User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");

}  // namespace

UINT SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kUnitsDpi;
}

UINT WindowDpi(HWND hwnd) {
    const UINT dpi = dpiForWindow != nullptr ? dpiForWindow(hwnd) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

// MulDiv rounds to the nearest: a value converted to pixels and back is the
// value again at every scale of 100 % or more.
int32_t UnitsToPixels(int32_t units, UINT dpi) {
    return MulDiv(units, static_cast<int>(dpi), kUnitsDpi);
}

int32_t PixelsToUnits(int32_t pixels, UINT dpi) {
    return MulDiv(pixels, kUnitsDpi, static_cast<int>(dpi));
}

void AdjustOuterForDpi(RECT* rect, DWORD style, DWORD extendedStyle, UINT dpi) {
    if (adjustForDpi != nullptr) {
        adjustForDpi(rect, style, FALSE, extendedStyle, dpi);
    } else {
        AdjustWindowRectEx(rect, style, FALSE, extendedStyle);
    }
}
