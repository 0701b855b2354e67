// The GTK layer's record of the one main window, and the functions its files
// share. A WindowHandle of the core is a pointer to this record.
//
// Everything here lives on the GTK main thread, except the two repaint flags,
// which the tick thread sets through RequestRepaint.
#pragma once

#include <gtk/gtk.h>

#include <atomic>
#include <cstdint>

#include "platform/platform.h"

// Window style bits the frame modes work on (the Windows style word).
constexpr uint32_t kStyleThickFrame = 0x00040000u;

// The countdown entry caret: a grey bar drawn over the display.
struct EntryCaret {
    bool exists = false;
    int32_t hideCount = 0;  // shown only at 0; created hidden, as a Windows caret
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool phaseOn = true;  // the blink phase
    guint blinkSource = 0;
};

// A change of the maximized or full-screen state that this program asked for
// and the window manager has not yet carried out: its state change must not
// be taken for a request of the window manager.
struct StateExpectation {
    bool pending = false;
    bool on = false;
    gint64 deadline = 0;  // monotonic microseconds
};

// After the title bar was shown or hidden: the client area's place on screen,
// to be restored once the window manager has changed the frame.
struct ClientAnchor {
    bool pending = false;
    int32_t x = 0;
    int32_t y = 0;
    int32_t oldLeftExtent = 0;
    int32_t oldTopExtent = 0;
    gint64 deadline = 0;
};

// A left press in the client area: the window move starts with the first
// motion while the button is held, so a plain click never leaves the window
// manager in a move.
struct PendingMove {
    bool pending = false;
    int32_t rootX = 0;
    int32_t rootY = 0;
};

struct NativeWindow {
    GtkWidget* window = nullptr;  // the GtkWindow
    GtkWidget* area = nullptr;    // the GtkDrawingArea: the client area
    bool x11 = false;

    // The display's backing image: what the painter filled, kept between
    // paints, cleared only by a repaint with erase.
    cairo_surface_t* surface = nullptr;  // CAIRO_FORMAT_RGB24
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    bool sized = false;
    bool invalid = false;       // a repaint is due at the next draw
    bool eraseOnPaint = false;  // and it clears the image first
    bool painting = false;
    // Set by any thread; the main thread serves them.
    std::atomic<bool> repaintQueued{false};
    std::atomic<bool> eraseRequested{false};
    std::atomic<int32_t> timeUpsQueued{0};

    EntryCaret caret;
    guint accessibleRefresh = 0;  // the accessible name's once-a-second source

    // The live window style and extended style, as the frame modes change them.
    uint32_t style = 0;
    uint32_t extendedStyle = 0;
    bool iconified = false;
    bool maximized = false;
    bool fullscreen = false;  // the window manager's full-screen state
    StateExpectation maximizeExpected;
    StateExpectation fullscreenExpected;
    ClientAnchor anchor;
    PendingMove move;

    bool destroyed = false;
    bool displayLost = false;
    // The last placement read while the display was there, for a write-back
    // after the display connection is gone.
    WindowPlacement lastPlacement{};
};

// The painter fills straight into the display image's pixels, as FillRect
// fills a window: rows of 32-bit pixels (0x00RRGGBB), clipped to the image.
struct PaintCanvas {
    uint32_t* pixels;
    int32_t stride;  // in pixels
    int32_t width;
    int32_t height;
};

// ui_thread_queue.cpp: the main thread, recorded first thing in main, and
// the channel that brings the tick thread's requests over to it.
void RecordUiThread();
bool OnUiThread();

// main_window.cpp
NativeWindow* CreateMainWindow();
void ShowMainWindow(NativeWindow* window);
// Writes the settings, destroys the window and ends the loop, as WM_CLOSE.
void CloseMainWindow(NativeWindow* window);
bool QuitRequested();
bool WindowIsZoomed(const NativeWindow* window);

// paint_surface.cpp
// Main thread: marks the display for a repaint at the next draw.
void ServeRepaintRequest(NativeWindow* window);
void ResizeDisplaySurface(NativeWindow* window, int32_t width, int32_t height);
gboolean DrawDisplay(GtkWidget* widget, cairo_t* cr, gpointer data);
// The brushes' live count by the resource counters, created less freed:
// three after start-up, whatever colors were chosen.
int32_t LiveBrushCount();
// The brush slots that hold a brush: three after start-up.
int32_t DisplayBrushesMade();

// accessible_display.cpp
// Gives the display its accessible role and name, and keeps the name up to
// date once a second until the window closes.
void StartAccessibleDisplay(NativeWindow* window);
void StopAccessibleDisplay(NativeWindow* window);
// The accessible name for the state now, in UTF-8, cut to capacity.
void ComposeAccessibleName(char* name, size_t capacity);

// entry_caret.cpp
void DrawEntryCaret(NativeWindow* window, cairo_t* cr);
void StopEntryCaret(NativeWindow* window);

// frame_modes.cpp
void ApplyFrameStyle(NativeWindow* window);
void CheckClientAnchor(NativeWindow* window);
void ObserveWindowState(NativeWindow* window, GdkWindowState newState, GdkWindowState changed);

// context_menus.cpp
// Builds both menus from the shared tables. Returns false when the entry
// menu's table is empty.
bool BuildContextMenus();
void ShowContextMenu(NativeWindow* window, bool fromKeyboard, int32_t clientX, int32_t clientY,
                     const GdkEvent* trigger);

// dialogs.cpp
void EndModalDialogs();

// session_end.cpp
void InstallSessionEndHandlers(NativeWindow* window);

// window_icons.cpp
void SetDefaultWindowIcons();
