// The two context menus as data, the state the context menu shows, and where
// a menu opens.
#include "app/menu_state.h"

#include <iterator>

#include "app/app_record.h"
#include "app/commands.h"
#include "clock/clock.h"
#include "display/painter.h"
#include "entry/countdown_entry.h"

namespace {

constexpr MenuEntry Item(const wchar_t* text, uint16_t id) {
    return {text, id, 0};
}
constexpr MenuEntry Separator() {
    return {nullptr, 0, 0};
}
constexpr MenuEntry Submenu(const wchar_t* text, uint8_t items) {
    return {text, 0, items};
}

}  // namespace

// Positions 3 to 8 and the submenus at 6, 7 and 8 are what the update of the
// menu relies on; the submenu orders equal Precision, ColorIndex and
// SegmentStyle.
const MenuEntry kContextMenuItems[] = {
    Item(L" ", IDM_START_PAUSE),
    Item(L"&Reset", IDM_RESET),
    Separator(),
    Item(L"Stop&watch", IDM_STOPWATCH),
    Submenu(L"&Timer", 14),
    Item(L"&Customize... ", IDM_CUSTOMIZE),
    Separator(),
    Item(L"1 minute", 60),
    Item(L"2 minutes", 120),
    Item(L"3 minutes", 180),
    Item(L"5 minutes", 300),
    Item(L"10 minutes", 600),
    Item(L"15 minutes", 900),
    Item(L"20 minutes", 1200),
    Item(L"30 minutes", 1800),
    Item(L"40 minutes", 2400),
    Item(L"50 minutes", 3000),
    Item(L"1 hour", 3600),
    Item(L"2 hours", 7200),
    Separator(),
    Submenu(L"&Precision", 4),
    Item(L"&Minute", IDM_PRECISION_MINUTE),
    Item(L"&Second", IDM_PRECISION_SECOND),
    Item(L"&Decisecond", IDM_PRECISION_DECISECOND),
    Item(L"&Centisecond", IDM_PRECISION_CENTISECOND),
    Submenu(L"&Color", 8),
    Item(L"&Red", IDM_COLOR_RED),
    Item(L"&Green", IDM_COLOR_GREEN),
    Item(L"&Blue", IDM_COLOR_BLUE),
    Item(L"&White", IDM_COLOR_WHITE),
    Item(L"&Yellow", IDM_COLOR_YELLOW),
    Item(L"&Cyan", IDM_COLOR_CYAN),
    Item(L"&Magenta", IDM_COLOR_MAGENTA),
    Item(L"&Orange", IDM_COLOR_ORANGE),
    Submenu(L"St&yle", 2),
    Item(L"&Rounded", IDM_STYLE_ROUNDED),
    Item(L"&Straight", IDM_STYLE_STRAIGHT),
    Separator(),
    Item(L"Show Title &Bar", IDM_TITLE_BAR),
    Item(L"&Full Screen", IDM_FULL_SCREEN),
    Separator(),
    Item(L"&About...", IDM_ABOUT),
    Item(L"E&xit", IDM_EXIT),
};
const size_t kContextMenuItemCount = std::size(kContextMenuItems);

const MenuEntry kEntryMenuItems[] = {
    Item(L"&OK\tEnter", IDM_ENTRY_OK),
    Item(L"&Cancel\tEsc", IDM_ENTRY_CANCEL),
};
const size_t kEntryMenuItemCount = std::size(kEntryMenuItems);

ContextMenuState ComputeContextMenuState() {
    int32_t started;
    int32_t running;
    ClockMode mode;
    Precision precision;
    {
        // The tick clears started and running at the end of a countdown.
        ClockLockGuard guard;
        started = g_clock.started;
        running = g_clock.running;
        mode = g_clock.mode;
        precision = g_clock.precision;
    }
    const WindowOptions& options = g_app.options;
    ContextMenuState state{};
    if (!started) {
        state.startPauseText = L"&Start";
        state.resetEnabled = false;
    } else {
        state.startPauseText = running ? L"Pau&se" : L"Re&sume";
        state.resetEnabled = true;
    }
    state.modePosition = 3 + mode;
    state.precisionPosition = precision;
    state.colorPosition = g_appearance.color;
    state.stylePosition = g_appearance.style;
    state.titleBarChecked = options.noTitleBar == 0;
    state.titleBarEnabled = options.fullScreen == 0;
    state.fullScreenChecked = options.fullScreen != 0;
    return state;
}

MenuPlacement PlaceContextMenu(bool fromKeyboard, int32_t clientX, int32_t clientY,
                               ClientSize client) {
    MenuPlacement placement{};
    placement.menu = EntryActive() ? MenuKind::Entry : MenuKind::Context;
    if (fromKeyboard) {
        // Shift+F10 and the menu key open it at the client area's bottom-left.
        placement.show = true;
        placement.clientX = 0;
        placement.clientY = client.height;
        return placement;
    }
    // Left and top inside, right and bottom outside, as PtInRect counts.
    placement.show =
        clientX >= 0 && clientY >= 0 && clientX < client.width && clientY < client.height;
    placement.clientX = clientX;
    placement.clientY = clientY;
    return placement;
}
