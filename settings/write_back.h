// Writing every setting to the settings file when the window closes.
#pragma once

#include "platform/platform.h"

void WriteSettings(WindowHandle window);
