// The GTK layer's record of the one main window, and the functions its files
// share. A WindowHandle of the core is a pointer to this record.
//
// Everything here lives on the GTK main thread, except the pending repaint
// requests, which the tick thread adds to through RequestRepaint and
// RequestPartialRepaint.
#pragma once

#include <gtk/gtk.h>

#include <atomic>
#include <cstdint>
#include <mutex>

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

// Repaint requests not yet served, in device pixels. Requests add up: a
// partial one joins the rectangle, never replaces it.
struct PendingRepaint {
    bool whole = false;
    bool erase = false;
    Rect part{0, 0, 0, 0};  // empty when there is none
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
    // paints, cleared only by a repaint with erase. On a display it lives on
    // the X server (a surface similar to the window's), so fills and the
    // copy to the window are requests the server carries out. It has scale
    // times the client area's pixels each way, and the display is laid out
    // and painted in those device pixels.
    cairo_surface_t* surface = nullptr;
    int32_t clientWidth = 0;  // logical pixels, as the window manager and the settings have them
    int32_t clientHeight = 0;
    int32_t scale = 1;  // device pixels per logical pixel
    bool sized = false;
    Rect invalid{0, 0, 0, 0};   // device pixels to repaint into the image at the next draw
    bool eraseOnPaint = false;  // and the image is cleared first
    bool painting = false;
    // Added to by any thread under pendingLock; the main thread serves them.
    std::mutex pendingLock;
    PendingRepaint pending;
    std::atomic<bool> repaintQueued{false};
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

// The painter fills rectangles into the display image as FillRect fills a
// window: clipped to what was invalidated. Fills wholly outside are skipped
// (on the X server each fill is a request); consecutive fills of one brush
// go out together.
struct PaintCanvas {
    cairo_t* cr;
    Rect clip;             // device pixels
    int32_t pendingBrush;  // the brush of the rectangles gathered, -1 for none
    int32_t fills;         // fills that reached the image
};
// Fills the rectangles gathered so far.
void FlushFills(PaintCanvas* canvas);

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
// Main thread: takes the pending requests and has GTK draw what they cover.
void ServeRepaintRequest(NativeWindow* window);
// Adds a request (any thread); whole: the whole client area.
void AddRepaintRequest(NativeWindow* window, bool whole, bool erase, const Rect& part);
// A new image for a client area of width x height logical pixels at the
// window's scale, black, to be laid out and painted anew.
void ResizeDisplaySurface(NativeWindow* window, int32_t width, int32_t height);
// Logical pixels that cover a rectangle of device pixels.
GdkRectangle LogicalCover(const Rect& device, int32_t scale);
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
