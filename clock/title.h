// The window title: mode name plus " (Paused)" or the countdown suffix.
#pragma once

#include "clock/clock.h"

constexpr size_t kTitleTextCapacity = 32;

extern wchar_t g_titleText[kTitleTextCapacity];

// Composes g_titleText under the clock lock (the tick clears started). Only
// the UI thread writes the title, so it may be handed to the window unlocked.
void ComposeTitle(ClockMode mode, int32_t running);
