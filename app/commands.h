// Command ids of the menus and accelerators, and the dispatcher that both
// programs call with the low 16 bits of a command.
#pragma once

#include <cstdint>

#include "platform/platform.h"

enum CommandId : uint16_t {
    IDM_START_PAUSE = 32512,
    IDM_RESET = 32513,
    IDM_STOPWATCH = 32528,
    IDM_CUSTOMIZE = 32767,
    IDM_PRECISION_MINUTE = 32544,
    IDM_PRECISION_SECOND = 32545,
    IDM_PRECISION_DECISECOND = 32546,
    IDM_PRECISION_CENTISECOND = 32547,
    IDM_COLOR_RED = 32560,
    IDM_COLOR_GREEN = 32561,
    IDM_COLOR_BLUE = 32562,
    IDM_COLOR_WHITE = 32563,
    IDM_COLOR_YELLOW = 32564,
    IDM_COLOR_CYAN = 32565,
    IDM_COLOR_MAGENTA = 32566,
    IDM_COLOR_ORANGE = 32567,
    IDM_STYLE_ROUNDED = 32576,
    IDM_STYLE_STRAIGHT = 32577,
    IDM_ENTRY_OK = 32592,
    IDM_ENTRY_CANCEL = 32593,
    IDM_TITLE_BAR = 32720,
    IDM_FULL_SCREEN = 32721,
    IDM_LEAVE_FULL_SCREEN = 32722,
    IDM_ABOUT = 32736,
    IDM_EXIT = 32737,
};

// The countdown presets; each id is the countdown length in seconds.
constexpr uint16_t kPresetIds[12] = {60,   120,  180,  300,  600,  900,
                                     1200, 1800, 2400, 3000, 3600, 7200};

// Runs the command; ids outside the command table are ignored.
void DispatchCommand(WindowHandle window, uint16_t id);
