// What the shared window logic asks of each program's own window layer, beyond
// the core's platform interface: frame modes, the about box, the alarm sound,
// the close request and the end of the message loop. The Win32 and GTK layers
// implement these; tests use a fake.
#pragma once

#include "platform/platform.h"

// Frame modes. ToggleTitleBar returns 1 when the title bar is shown afterwards,
// 0 when hidden; EnterFullScreen returns 1, LeaveFullScreen 0.
int32_t ToggleTitleBar(WindowHandle window);
int32_t EnterFullScreen(WindowHandle window);
int32_t LeaveFullScreen(WindowHandle window);

// Modal about box owned by the window.
void ShowAboutBox(WindowHandle window);

// Starts the alarm file playing without waiting; a missing file plays nothing.
void PlayAlarmSound(const wchar_t* file);

// Asks the window to close, as the Exit command does (WM_CLOSE).
void RequestClose(WindowHandle window);

// Ends the message loop (PostQuitMessage(0)).
void QuitMessageLoop();
