// What each main-window message does, in terms of core operations. Both the
// Win32 window procedure and the GTK signal handlers translate native events
// into these calls and perform only the native work themselves.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Start-up steps that belong to no platform, in their order: derive the
// settings path (step 2), create the three brushes (step 6), read the options
// (step 8). The platform layer does steps 1, 3-5, 7 and 9-16 around them.
void PrepareSettingsPath();
void PrepareBrushes();
void PrepareOptions();

// WM_CREATE: record the window, start the clock when asked, set the title.
void OnCreate(WindowHandle window);
// WM_SIZE.
void OnSize(WindowHandle window);
// WM_PAINT between BeginPaint and EndPaint.
void OnPaint(WindowHandle window, PaintCanvas* canvas);
// WM_CLOSE (before the window is destroyed) and WM_ENDSESSION with TRUE.
void OnClose(WindowHandle window);
// WM_CHAR.
void OnChar(WindowHandle window, uint32_t ch);
// WM_MBUTTONDOWN and WM_MBUTTONDBLCLK.
void OnMiddleButton(WindowHandle window);
// WM_TIME_UP: alarm sound and message (unless noAlarm), then the quit when
// asked.
void OnTimeUp(WindowHandle window);
// The machine has woken from sleep: a running clock ticks at once, so that the
// display (a minute display above all) shows the time slept without waiting
// for the next due tick.
void OnResume(WindowHandle window);
// WM_NCLBUTTONDBLCLK, and WM_SYSCOMMAND with SC_MAXIMIZE: enter full screen.
void OnEnterFullScreenRequest(WindowHandle window);
// WM_SYSCOMMAND with SC_RESTORE: leave full screen.
void OnLeaveFullScreenRequest(WindowHandle window);
// WM_LBUTTONDBLCLK: toggles the title bar unless the window is maximized.
void OnLeftDoubleClick(WindowHandle window, bool maximized);

// The message loop offers messages to the accelerators only outside countdown
// entry.
bool AcceleratorsEnabled();
