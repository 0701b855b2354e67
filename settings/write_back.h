// Writing every setting to the settings file when the window closes.
#pragma once

#include "platform/platform.h"
#include "settings/options.h"

// Writes to the settings file at path; an empty path writes nothing.
void WriteSettings(WindowHandle window, const wchar_t* path, const WindowOptions& options);
