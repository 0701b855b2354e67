#include "app/app_record.h"

#include "settings/settings_path.h"
#include "settings/write_back.h"

AppRecord g_app;

void DeriveSettingsPath() {
    DeriveSettingsPath(g_app.settingsPath, g_app.settingsReadPath);
}

void ReadOptions() {
    ReadOptions(g_app.settingsReadPath, g_app.options);
}

void WriteSettings(WindowHandle window) {
    WriteSettings(window, g_app.settingsPath, g_app.options);
}
