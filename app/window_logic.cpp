// What each main-window message does, in terms of core operations; the
// platform layers only translate their native events into these calls.
#include "app/window_logic.h"

#include <algorithm>

#include "app/app_record.h"
#include "app/operations.h"
#include "app/shell_services.h"
#include "clock/time_text.h"
#include "clock/title.h"
#include "display/layout.h"
#include "display/painter.h"
#include "entry/countdown_entry.h"

namespace {

// A resize during countdown entry lays the area out for the longest time text.
constexpr int32_t kEntryResizeGlyphs = 11;

// The tick writes the time text and the running flag on its own thread: paint
// from copies taken under the clock lock, without holding it while filling.
void PaintCopy(PaintCanvas* canvas, const wchar_t* text, int32_t glyphs) {
    wchar_t copy[kMaxGlyphs];
    int32_t running;
    {
        ClockLockGuard lock;
        std::copy_n(text, std::clamp(glyphs, 0, kMaxGlyphs), copy);
        running = g_clock.running;
    }
    const DigitArea& area = g_digitArea;
    PaintText(canvas, copy, glyphs, area.left, area.top, g_segmentMetrics, running);
}

}  // namespace

void PrepareSettingsPath() {
    DeriveSettingsPath();
}

void PrepareBrushes() {
    CreateStartupBrushes();
}

void PrepareOptions() {
    ReadOptions();
}

void OnCreate(WindowHandle window) {
    // The tick reaches the window through this handle, and the start option
    // arms the tick right below, before window creation has returned.
    g_app.mainWindow.store(window, std::memory_order_release);
    if (g_app.options.start) ToggleClock(ClockTick);
    ClockMode mode;
    int32_t running;
    {
        ClockLockGuard guard;
        mode = g_clock.mode;
        running = g_clock.running;
    }
    UpdateTitle(window, mode, running);
}

void OnSize(WindowHandle window) {
    // glyphCount changes only on the UI thread.
    RelayoutDisplay(window, EntryActive() ? kEntryResizeGlyphs : g_clock.glyphCount);
}

void OnPaint(WindowHandle window, PaintCanvas* canvas) {
    if (EntryActive()) {
        HideEntryCaret(window);
        PaintCopy(canvas, g_editText, kEntryGlyphs);
        ShowEntryCaret(window);
        return;
    }
    PaintCopy(canvas, g_displayText, g_clock.glyphCount);
}

void OnClose(WindowHandle window) {
    WriteSettings(window);
}

void OnChar(WindowHandle window, uint32_t ch) {
    if (EntryActive()) EntryKey(window, ch);
}

void OnMiddleButton(WindowHandle window) {
    StartPause(window);
}

void OnTimeUp(WindowHandle window) {
    const WindowOptions& options = g_app.options;
    if (!options.noAlarm) {
        // The sound runs on while the modal message is shown.
        PlayAlarmSound(options.alarmFile);
        ShowMessageBox(window, options.alarmMessage, g_titleText);
    }
    if (options.quitAfterTimeUp) QuitMessageLoop();
}

void OnResume(WindowHandle) {
    ClockLockGuard guard;
    RearmClockTickLocked(ClockTick);
}

void OnEnterFullScreenRequest(WindowHandle window) {
    g_app.options.fullScreen = EnterFullScreen(window);
}

void OnLeaveFullScreenRequest(WindowHandle window) {
    g_app.options.fullScreen = LeaveFullScreen(window);
}

void OnLeftDoubleClick(WindowHandle window, bool maximized) {
    if (maximized) return;
    g_app.options.noTitleBar = ToggleTitleBar(window) ? 0 : 1;
}

bool AcceleratorsEnabled() {
    return !EntryActive();
}
