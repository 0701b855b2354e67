// The window title: mode name plus " (Paused)" or the countdown suffix.
#pragma once

#include "clock/clock.h"

constexpr size_t kTitleTextCapacity = 32;

extern wchar_t g_titleText[kTitleTextCapacity];

// Composes g_titleText under the clock lock and sets it as the window text.
void UpdateTitle(WindowHandle window, ClockMode mode, int32_t running);
