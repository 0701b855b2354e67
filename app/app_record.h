// The one process-wide application record: what start-up gathers and every
// subsystem reads. Native handles that only one platform layer needs (menus,
// accelerators, the instance) stay in that layer.
#pragma once

#include <atomic>

#include "platform/platform.h"
#include "settings/options.h"

constexpr size_t kSettingsPathCapacity = 260;

struct AppRecord {
    // Read by the tick thread; recorded in WM_CREATE before the clock can arm.
    std::atomic<WindowHandle> mainWindow{nullptr};
    // Empty when the program runs without a settings file.
    wchar_t settingsPath[kSettingsPathCapacity] = {};
    WindowOptions options = DefaultWindowOptions();
};

extern AppRecord g_app;

inline WindowHandle MainWindow() {
    return g_app.mainWindow.load(std::memory_order_acquire);
}
