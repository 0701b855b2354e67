// The context menu: brought up to date from ComputeContextMenuState before
// every showing, and tracked at the anchor PlaceContextMenu chooses.
#include "platform/win32/win32_program.h"
// After windows.h, which it needs.
#include <windowsx.h>

#include "app/commands.h"
#include "app/menu_state.h"
#include "platform/win32/resource_counts_win32.h"

namespace {

constexpr UINT kPrecisionSubmenu = 6;
constexpr UINT kColorSubmenu = 7;
constexpr UINT kStyleSubmenu = 8;

void UpdateContextMenu(HMENU menu) {
    const ContextMenuState state = ComputeContextMenuState();
    ModifyMenuW(menu, IDM_START_PAUSE, MF_BYCOMMAND | MF_STRING, IDM_START_PAUSE,
                state.startPauseText);
    EnableMenuItem(menu, IDM_RESET, MF_BYCOMMAND | (state.resetEnabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuRadioItem(menu, 3, 5, static_cast<UINT>(state.modePosition), MF_BYPOSITION);
    CheckMenuRadioItem(GetSubMenu(menu, kPrecisionSubmenu), 0, 3,
                       static_cast<UINT>(state.precisionPosition), MF_BYPOSITION);
    CheckMenuRadioItem(GetSubMenu(menu, kColorSubmenu), 0, 7,
                       static_cast<UINT>(state.colorPosition), MF_BYPOSITION);
    CheckMenuRadioItem(GetSubMenu(menu, kStyleSubmenu), 0, 1,
                       static_cast<UINT>(state.stylePosition), MF_BYPOSITION);
    CheckMenuItem(menu, IDM_TITLE_BAR,
                  MF_BYCOMMAND | (state.titleBarChecked ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu, IDM_TITLE_BAR,
                   MF_BYCOMMAND | (state.titleBarEnabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, IDM_FULL_SCREEN,
                  MF_BYCOMMAND | (state.fullScreenChecked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

bool ShowContextMenu(HWND hwnd, LPARAM lParam) {
    // From the keyboard both 16-bit coordinates are -1. Testing them, rather
    // than the whole lParam against -1, works in a 64-bit program too, where
    // lParam is 0x00000000FFFFFFFF.
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    const bool fromKeyboard = x == -1 && y == -1;
    POINT point{x, y};
    if (!fromKeyboard) ScreenToClient(hwnd, &point);
    RECT client{};
    GetClientRect(hwnd, &client);
    const MenuPlacement placement =
        PlaceContextMenu(fromKeyboard, point.x, point.y, {client.right, client.bottom});
    if (!placement.show) return false;

    POINT anchor{placement.clientX, placement.clientY};
    ClientToScreen(hwnd, &anchor);
    HMENU menu = g_win32.entryMenu;
    if (placement.menu == MenuKind::Context) {
        menu = g_win32.contextMenu;
        UpdateContextMenu(menu);
    }
    // Without the entry menu a right click during entry shows nothing.
    // Without TPM_RETURNCMD the call fails only when the menu was not shown.
    if (menu != nullptr &&
        TrackPopupMenuEx(menu, TPM_RIGHTBUTTON, anchor.x, anchor.y, hwnd, nullptr)) {
        ++g_resourceCounts.menusShown;
    }
    return true;
}
