// The monitors a window is shown on: full screen covers the one that holds
// most of the window, and a window placed where no monitor is any more (a
// screen unplugged since the settings were written) comes back onto one.
#include "app/monitor_choice.h"
#include "platform/win32/win32_program.h"

namespace {

// More monitors than this are left out of the choice.
constexpr int32_t kMonitorCapacity = 16;

struct MonitorList {
    MonitorArea areas[kMonitorCapacity];
    int32_t count;
};

Rect FromRECT(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, RECT*, LPARAM data) {
    MonitorList& list = *reinterpret_cast<MonitorList*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (list.count < kMonitorCapacity && GetMonitorInfoW(monitor, &info)) {
        list.areas[list.count++] = {FromRECT(info.rcMonitor), FromRECT(info.rcWork)};
    }
    return TRUE;
}

}  // namespace

void KeepOnAMonitor(HWND hwnd) {
    MonitorList list{};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    const Rect now = FromRECT(outer);
    const Rect placed = PlaceOnMonitors(now, list.areas, list.count);
    if (placed.left == now.left && placed.top == now.top) return;
    SetWindowPos(hwnd, nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT MonitorOfWindow(HWND hwnd) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcMonitor;
}
