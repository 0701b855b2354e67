// The one process-wide application record: what start-up gathers and every
// subsystem reads. Native handles that only one platform layer needs (menus,
// accelerators, the instance) stay in that layer.
#pragma once

#include <atomic>

#include "platform/platform.h"
#include "settings/options.h"

constexpr size_t kSettingsPathCapacity = kPathCapacity;

struct AppRecord {
    // Read by the tick thread; recorded in WM_CREATE before the clock can arm.
    std::atomic<WindowHandle> mainWindow{nullptr};
    // Where the settings are written at close, and where start-up reads
    // them: the same file, except for the first run of an installed Linux
    // copy, which reads an administrator's defaults. Empty: nothing written,
    // or nothing read.
    wchar_t settingsPath[kSettingsPathCapacity] = {};
    wchar_t settingsReadPath[kSettingsPathCapacity] = {};
    WindowOptions options = DefaultWindowOptions();
};

extern AppRecord g_app;

inline WindowHandle MainWindow() {
    return g_app.mainWindow.load(std::memory_order_acquire);
}

// The settings of this run, on g_app: DeriveSettingsPath, ReadOptions and
// WriteSettings of settings/ with the record's paths and options.
void DeriveSettingsPath();
void ReadOptions();
void WriteSettings(WindowHandle window);
