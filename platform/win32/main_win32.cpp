// The Windows program's entry: start-up, the one main window and the message
// loop.
#include "platform/win32/win32_program.h"
// After windows.h, which it needs.
#include <commctrl.h>

#include "app/app_record.h"
#include "app/window_logic.h"
#include "platform/win32/resource_counts_win32.h"
#include "resources/resource_ids.h"

Win32Handles g_win32;

namespace {

constexpr wchar_t kClassName[] = L"moxStopwatchTimer";

void LoadMenusAndAccelerators(HINSTANCE instance) {
    g_win32.contextMenu = GetSubMenu(LoadMenuW(instance, MAKEINTRESOURCEW(ID_MENU)), 0);
    g_win32.entryMenu = GetSubMenu(LoadMenuW(instance, MAKEINTRESOURCEW(ID_MENU2)), 0);
    if (g_win32.entryMenu == nullptr) {
        MessageBoxW(nullptr, L"Loading menu2 failed", nullptr, MB_OK);
    }
    g_win32.accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(ID_ACC1));
}

void RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(ID_ICON));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = BackgroundBrush();
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

// The options give the position and the client size in 96-DPI units; the
// window takes them in device pixels at a DPI.
int32_t PositionInPixels(int32_t units, UINT dpi) {
    return units == CW_USEDEFAULT ? units : UnitsToPixels(units, dpi);
}
SIZE OuterSizeInPixels(UINT dpi) {
    const WindowOptions& options = g_app.options;
    RECT outer{0, 0, UnitsToPixels(options.clientWidth, dpi),
               UnitsToPixels(options.clientHeight, dpi)};
    AdjustOuterForDpi(&outer, options.style, options.extendedStyle, dpi);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

// Created at the system's DPI, the one a new window most likely gets.
HWND CreateMainWindow(HINSTANCE instance) {
    const WindowOptions& options = g_app.options;
    const UINT dpi = SystemDpi();
    const SIZE outer = OuterSizeInPixels(dpi);
    // WM_CREATE runs inside this call and records the window before the
    // start option can arm the tick.
    return CreateWindowExW(options.extendedStyle, kClassName, L"", options.style,
                           PositionInPixels(options.x, dpi), PositionInPixels(options.y, dpi),
                           outer.cx, outer.cy, nullptr, nullptr, instance, nullptr);
}

// A window that came up on a monitor of another scale than the system's is
// sized (and a given position placed) again at its own DPI, before it shows.
void FitToOwnDpi(HWND hwnd) {
    const UINT dpi = WindowDpi(hwnd);
    if (dpi == SystemDpi()) return;
    const WindowOptions& options = g_app.options;
    const SIZE outer = OuterSizeInPixels(dpi);
    const UINT keepPlace = options.x == CW_USEDEFAULT ? SWP_NOMOVE : 0;
    SetWindowPos(hwnd, nullptr, PositionInPixels(options.x, dpi), PositionInPixels(options.y, dpi),
                 outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE | keepPlace);
}

void RunMessageLoop() {
    MSG message;
    for (;;) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == 0 || result == -1) return;
        // During countdown entry Space, F1, F11 and Esc reach the window as
        // keys and characters.
        if (AcceleratorsEnabled() &&
            TranslateAcceleratorW(ToHwnd(MainWindow()), g_win32.accelerators, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

void WriteResourceLogAtExit() {
    WriteResourceLog(LiveDisplayBrushCount(), LiveEntryCaretCount());
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InitCommonControls();
    PrepareSettingsPath();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    g_win32.instance = instance;
    LoadMenusAndAccelerators(instance);
    PrepareBrushes();
    RegisterMainWindowClass(instance);
    PrepareOptions();

    const HWND hwnd = CreateMainWindow(instance);
    g_app.mainWindow.store(FromHwnd(hwnd), std::memory_order_release);
    // Applying the styles again after creation is what makes a window created
    // without WS_CAPTION appear without a title bar.
    SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>(g_app.options.style));
    SetWindowLongW(hwnd, GWL_EXSTYLE, static_cast<LONG>(g_app.options.extendedStyle));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    FitToOwnDpi(hwnd);
    KeepOnAMonitor(hwnd);
    ShowWindow(hwnd, SW_SHOWDEFAULT);
    if (g_app.options.fullScreen) OnEnterFullScreenRequest(FromHwnd(hwnd));

    RunMessageLoop();
    // No tick may touch the window or the clock once the process tears down.
    StopTickSource();
    WriteResourceLogAtExit();
    ExitProcess(0);
}
