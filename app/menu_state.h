// The context menus as data, and what the context menu shows for the current
// state. Both programs build or update their native menus from these.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// One item of a menu resource. A separator has a null text; a submenu has
// id 0 and its items follow as a run of `submenuItems` entries.
struct MenuEntry {
    const wchar_t* text;
    uint16_t id;
    uint8_t submenuItems;
};

// The context menu (submenu 0 of ID_MENU), depth-first, and the entry menu
// (submenu 0 of ID_MENU2).
extern const MenuEntry kContextMenuItems[];
extern const size_t kContextMenuItemCount;
extern const MenuEntry kEntryMenuItems[];
extern const size_t kEntryMenuItemCount;

// Texts, checks and enabled states of the context menu for the current state.
struct ContextMenuState {
    const wchar_t* startPauseText;  // "&Start", "Pau&se" or "Re&sume"
    bool resetEnabled;
    int32_t modePosition;       // 3 (stopwatch) or 4 (timer), radio among 3..5
    int32_t precisionPosition;  // radio in the submenu at position 6
    int32_t colorPosition;      // radio in the submenu at position 7
    int32_t stylePosition;      // radio in the submenu at position 8
    bool titleBarChecked;
    bool titleBarEnabled;
    bool fullScreenChecked;
};

ContextMenuState ComputeContextMenuState();

enum class MenuKind { Context, Entry };

// Where and which menu to show for a WM_CONTEXTMENU. fromKeyboard is true when
// both 16-bit coordinates of the message were -1; otherwise (clientX, clientY)
// is the click converted to client coordinates.
struct MenuPlacement {
    bool show;  // false: the click lies outside the client area; default processing
    int32_t clientX;
    int32_t clientY;
    MenuKind menu;
};

MenuPlacement PlaceContextMenu(bool fromKeyboard, int32_t clientX, int32_t clientY,
                               ClientSize client);
