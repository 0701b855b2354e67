// The command dispatcher: one switch from a 16-bit command id to the
// operation that carries it out. Menu items and accelerators arrive here
// alike; an id outside the table does nothing.
#include "app/commands.h"

#include "app/app_record.h"
#include "app/operations.h"
#include "app/shell_services.h"
#include "display/painter.h"
#include "entry/countdown_entry.h"

namespace {

bool IsPreset(uint16_t id) {
    for (uint16_t preset : kPresetIds) {
        if (preset == id) return true;
    }
    return false;
}

}  // namespace

void DispatchCommand(WindowHandle window, uint16_t id) {
    if (IsPreset(id)) {
        PresetCommand(window, id);
        return;
    }
    if (id >= IDM_PRECISION_MINUTE && id <= IDM_PRECISION_CENTISECOND) {
        PrecisionCommand(window, static_cast<Precision>(id - IDM_PRECISION_MINUTE));
        return;
    }
    if (id >= IDM_COLOR_RED && id <= IDM_COLOR_ORANGE) {
        SelectColor(static_cast<ColorIndex>(id - IDM_COLOR_RED));
        RepaintDisplay(window, false);
        return;
    }
    if (id >= IDM_STYLE_ROUNDED && id <= IDM_STYLE_STRAIGHT) {
        SetSegmentStyle(static_cast<SegmentStyle>(id - IDM_STYLE_ROUNDED));
        // The rounded style never fills the corner squares: only an erase
        // removes the ones the straight style painted.
        RepaintDisplay(window, true);
        return;
    }
    WindowOptions& options = g_app.options;
    switch (id) {
        case IDM_START_PAUSE:
            StartPause(window);
            break;
        case IDM_RESET:
            ResetCommand(window);
            break;
        case IDM_STOPWATCH:
            StopwatchCommand(window);
            break;
        case IDM_CUSTOMIZE:
            EnterCountdownEntry(window);
            break;
        case IDM_ENTRY_OK:
            EntryKey(window, kKeyEnter);
            break;
        case IDM_ENTRY_CANCEL:
            EntryKey(window, kKeyEscape);
            break;
        case IDM_TITLE_BAR:
            options.noTitleBar = ToggleTitleBar(window) ? 0 : 1;
            break;
        case IDM_FULL_SCREEN:
            options.fullScreen =
                options.fullScreen ? LeaveFullScreen(window) : EnterFullScreen(window);
            break;
        case IDM_LEAVE_FULL_SCREEN:
            // Esc runs the leave step also outside full screen.
            options.fullScreen = LeaveFullScreen(window);
            break;
        case IDM_ABOUT:
            ShowAboutBox(window);
            break;
        case IDM_EXIT:
            RequestClose(window);
            break;
        default:
            break;
    }
}
