// What the Windows program's own files share: the native handles start-up
// loads, the conversions between the core's opaque handles and Win32 ones,
// and the pieces of the window layer that call each other.
#pragma once

#include <windows.h>

#include "platform/platform.h"

// The private message the tick posts at the end of a countdown.
constexpr UINT WM_TIME_UP = WM_APP + 1;

// The native handles of the application record; they live until the process
// ends.
struct Win32Handles {
    HINSTANCE instance;
    HMENU contextMenu;  // submenu 0 of ID_MENU
    HMENU entryMenu;    // submenu 0 of ID_MENU2; null when it failed to load
    HACCEL accelerators;
};
extern Win32Handles g_win32;

inline HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
inline WindowHandle FromHwnd(HWND hwnd) {
    return reinterpret_cast<WindowHandle>(hwnd);
}

// The background brush: also the window class's, so every erase paints black.
HBRUSH BackgroundBrush();
// The brush the painter uses for a role at this moment.
HBRUSH DisplayBrush(BrushRole role);
// The display brushes that exist now: three once created.
int32_t LiveDisplayBrushCount();
// window_services_win32.cpp: 1 while the entry caret this layer created has
// not been destroyed by it.
int32_t LiveEntryCaretCount();
// The resource log (resource_counts_win32.h), written wherever the program
// ends.
void WriteResourceLogAtExit();

// dpi_win32.cpp: the 96-DPI units that positions and sizes are given and
// written in, and the device pixels of a window at its own DPI.
constexpr int kUnitsDpi = 96;
UINT SystemDpi();
UINT WindowDpi(HWND hwnd);
int32_t UnitsToPixels(int32_t units, UINT dpi);
int32_t PixelsToUnits(int32_t pixels, UINT dpi);
// AdjustWindowRectEx with the frame metrics of the DPI, no menu.
void AdjustOuterForDpi(RECT* rect, DWORD style, DWORD extendedStyle, UINT dpi);

// monitors_win32.cpp: moves a window that no monitor shows any part of onto
// the nearest one, keeping its size.
void KeepOnAMonitor(HWND hwnd);
// The whole of the monitor that holds most of the window.
RECT MonitorOfWindow(HWND hwnd);

// The main window procedure.
LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// WM_CONTEXTMENU: returns false when the click lies outside the client area
// and the message belongs to default processing.
bool ShowContextMenu(HWND hwnd, LPARAM lParam);

// accessible_name_win32.cpp: the display's accessible name. Start in
// WM_CREATE, refresh on its timer (WM_TIMER), stop in WM_DESTROY; UI thread.
void StartAccessibleName(HWND hwnd);
void RefreshAccessibleName(HWND hwnd);
void StopAccessibleName(HWND hwnd);
