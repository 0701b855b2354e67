// The main window procedure: it maps each message onto the shared window
// logic and does only the Win32 work itself.
#include "app/commands.h"
#include "app/window_logic.h"
#include "platform/win32/win32_program.h"

namespace {

// SC_MOVE with HTCLIENT in the low bits: the system's move loop, so the
// window can be dragged by any point of its client area.
constexpr WPARAM kMoveFromClient = 0xF011;

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const WindowHandle window = FromHwnd(hwnd);
    switch (message) {
        case WM_CREATE:
            OnCreate(window);
            StartAccessibleName(hwnd);
            return 0;
        case WM_SIZE:
            OnSize(window);
            return 0;
        case WM_DPICHANGED: {
            // Moved onto a monitor of another scale: the system's rectangle
            // keeps the size in 96-DPI units, and full screen covers the new
            // monitor. The display is laid out anew on the new pixels, with
            // erase.
            RECT target = *reinterpret_cast<const RECT*>(lParam);
            if (IsZoomed(hwnd)) target = MonitorOfWindow(hwnd);
            SetWindowPos(hwnd, nullptr, target.left, target.top, target.right - target.left,
                         target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE);
            OnSize(window);
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(hwnd, &paint);
            OnPaint(window, reinterpret_cast<PaintCanvas*>(dc));
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_CLOSE:
            OnClose(window);
            break;  // DefWindowProcW destroys the window
        case WM_ENDSESSION:
            // Logging off or shutting down ends the process without WM_CLOSE;
            // the settings are written as on a close.
            if (wParam) {
                OnClose(window);
                WriteResourceLogAtExit();
            }
            return 0;
        case WM_DESTROY:
            StopAccessibleName(hwnd);
            PostQuitMessage(0);
            return 0;
        case WM_CONTEXTMENU:
            if (ShowContextMenu(hwnd, lParam)) return 0;
            break;
        case WM_NCLBUTTONDBLCLK:
            OnEnterFullScreenRequest(window);
            return 0;
        case WM_CHAR:
            OnChar(window, static_cast<uint32_t>(wParam));
            return 0;
        case WM_COMMAND:
            DispatchCommand(window, LOWORD(wParam));
            return 0;
        case WM_SYSCOMMAND:
            if (wParam == SC_MAXIMIZE) {
                OnEnterFullScreenRequest(window);
                return 0;
            }
            if (wParam == SC_RESTORE) {
                OnLeaveFullScreenRequest(window);
                return 0;
            }
            break;
        case WM_INITMENU: {
            // The window has no maximize box; the system menu offers Maximize
            // and Restore anyway, as the ways into and out of full screen.
            const HMENU systemMenu = GetSystemMenu(hwnd, FALSE);
            if (reinterpret_cast<HMENU>(wParam) == systemMenu) {
                EnableMenuItem(systemMenu, SC_RESTORE, MF_BYCOMMAND | MF_ENABLED);
                EnableMenuItem(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND | MF_ENABLED);
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
            if (!IsZoomed(hwnd)) SendMessageW(hwnd, WM_SYSCOMMAND, kMoveFromClient, 0);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLeftDoubleClick(window, IsZoomed(hwnd) != FALSE);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            OnMiddleButton(window);
            return 0;
        case WM_TIMER:
            // The accessible name's timer is the window's only one.
            RefreshAccessibleName(hwnd);
            return 0;
        case WM_TIME_UP:
            OnTimeUp(window);
            return 0;
        case WM_POWERBROADCAST:
            // The counter kept counting while the machine slept; a running
            // clock ticks at once so the display does not wait for the next
            // due time of an arming made before the sleep.
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
                OnResume(window);
            return TRUE;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
