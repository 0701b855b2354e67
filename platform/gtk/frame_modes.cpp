// Title bar and full screen on GTK. The style word keeps the caption and
// sizing-frame bits as on Windows, and the window manager's decorations
// follow it. Full screen is the window manager's full-screen state on the
// window's monitor: it covers panels and docks as the Windows program covers
// the taskbar, and leaving it gives back the frame, size and place from
// before.
//
// The window manager carries out these changes later and in its own order.
// Two kinds of record bridge that gap: the state expectations (so that the
// program's own maximize, unmaximize or full-screen change is never taken
// for a request of the window manager: its maximize enters full screen, and
// its end of full screen clears the full-screen flag), and the client anchor
// (so that showing or hiding the title bar leaves the client area where it
// was on screen, whatever the window manager does with the frame).
#include <gtk/gtk.h>

#include "app/app_record.h"
#include "app/shell_services.h"
#include "app/window_logic.h"
#include "platform/gtk/native_window.h"

namespace {

// How long the window manager gets to carry out a change before the program
// stops waiting for it.
constexpr gint64 kWindowManagerPatienceUs = 1000 * 1000;

// The decorations for a style. The caption is a tool window's: a title bar
// whose only button is the close button (which the close function brings),
// so neither the menu, minimize nor maximize button is asked for. The sizing
// frame alone is a border.
GdkWMDecoration DecorationsFor(uint32_t style) {
    if (style & kStyleCaption) {
        return static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_RESIZEH | GDK_DECOR_TITLE);
    }
    if (style & kStyleThickFrame) return GDK_DECOR_BORDER;
    return static_cast<GdkWMDecoration>(0);
}

void Expect(StateExpectation* expectation, bool on) {
    expectation->pending = true;
    expectation->on = on;
    expectation->deadline = g_get_monotonic_time() + kWindowManagerPatienceUs;
}

// True when a state change is the program's own, or a stale state on the way
// to it; false when the window manager made it.
bool Settle(StateExpectation* expectation, bool on) {
    if (expectation->pending && g_get_monotonic_time() <= expectation->deadline) {
        if (on == expectation->on) expectation->pending = false;
        return true;
    }
    expectation->pending = false;
    return false;
}

struct FrameReading {
    int32_t clientX;
    int32_t clientY;
    int32_t leftExtent;
    int32_t topExtent;
};

FrameReading ReadFrame(NativeWindow* window) {
    FrameReading reading{};
    GdkWindow* gdkWindow = gtk_widget_get_window(window->window);
    if (gdkWindow == nullptr) return reading;
    gint x = 0;
    gint y = 0;
    gdk_window_get_origin(gdkWindow, &x, &y);
    GdkRectangle frame{};
    gdk_window_get_frame_extents(gdkWindow, &frame);
    reading.clientX = x;
    reading.clientY = y;
    reading.leftExtent = x - frame.x;
    reading.topExtent = y - frame.y;
    return reading;
}

}  // namespace

void ApplyFrameStyle(NativeWindow* window) {
    const bool caption = (window->style & kStyleCaption) != 0;
    GdkWindow* gdkWindow = gtk_widget_get_window(window->window);
    if (window->x11 && gdkWindow != nullptr) {
        gdk_window_set_decorations(gdkWindow, DecorationsFor(window->style));
        // Every function stays allowed, maximize too: the window manager's
        // maximize is how its menu and title bar ask for full screen, and a
        // window manager without it may refuse full screen as well.
        gdk_window_set_functions(gdkWindow, GDK_FUNC_ALL);
    } else {
        gtk_window_set_decorated(GTK_WINDOW(window->window), caption);
    }
}

int32_t ToggleTitleBar(WindowHandle window) {
    if (window->destroyed || window->displayLost) return (window->style & kStyleCaption) ? 1 : 0;
    const FrameReading before = ReadFrame(window);
    int32_t shown;
    if (window->style & kStyleCaption) {
        window->style &= ~kStyleCaption;
        shown = 0;
    } else {
        window->style |= kStyleCaption;
        shown = 1;
    }
    ApplyFrameStyle(window);
    window->anchor.pending = true;
    window->anchor.x = before.clientX;
    window->anchor.y = before.clientY;
    window->anchor.oldLeftExtent = before.leftExtent;
    window->anchor.oldTopExtent = before.topExtent;
    window->anchor.deadline = g_get_monotonic_time() + kWindowManagerPatienceUs;
    return shown;
}

void CheckClientAnchor(NativeWindow* window) {
    ClientAnchor& anchor = window->anchor;
    if (!anchor.pending || window->destroyed || window->displayLost) return;
    if (g_get_monotonic_time() > anchor.deadline) {
        anchor.pending = false;
        return;
    }
    const FrameReading now = ReadFrame(window);
    // The frame has not changed yet: the window manager is still to act.
    if (now.leftExtent == anchor.oldLeftExtent && now.topExtent == anchor.oldTopExtent) return;
    // In place; but the window manager may still move the client with a
    // change it makes later, so the anchor holds until its time is up.
    if (now.clientX == anchor.x && now.clientY == anchor.y) return;
    // gtk_window_move places the frame's top-left corner.
    gtk_window_move(GTK_WINDOW(window->window), anchor.x - now.leftExtent,
                    anchor.y - now.topExtent);
}

int32_t EnterFullScreen(WindowHandle window) {
    if (window->destroyed || window->displayLost) return 1;
    window->style &= ~(kStyleCaption | kStyleThickFrame);
    window->anchor.pending = false;
    // The decorations stay as they are: the window manager drops the frame
    // in full screen and gives the very same one back when it ends.
    GtkWindow* gtkWindow = GTK_WINDOW(window->window);
    // Full screen over a maximized window would come back maximized, which
    // is the window manager's request to enter full screen again.
    if (window->maximized) {
        Expect(&window->maximizeExpected, false);
        gtk_window_unmaximize(gtkWindow);
    }
    if (!window->fullscreen) Expect(&window->fullscreenExpected, true);
    gtk_window_fullscreen(gtkWindow);
    // Shown in full screen also brings back a minimized or hidden window.
    if (window->iconified) gtk_window_deiconify(gtkWindow);
    gtk_widget_show(window->window);
    return 1;
}

int32_t LeaveFullScreen(WindowHandle window) {
    if (window->destroyed || window->displayLost) return 0;
    window->style |= kStyleThickFrame;
    if (!g_app.options.noTitleBar) window->style |= kStyleCaption;
    ApplyFrameStyle(window);
    GtkWindow* gtkWindow = GTK_WINDOW(window->window);
    if (window->fullscreen) Expect(&window->fullscreenExpected, false);
    gtk_window_unfullscreen(gtkWindow);
    if (window->maximized) Expect(&window->maximizeExpected, false);
    gtk_window_unmaximize(gtkWindow);
    if (window->iconified) gtk_window_deiconify(gtkWindow);
    return 0;
}

bool WindowIsZoomed(const NativeWindow* window) {
    // Full screen counts as maximized, as on Windows.
    return window->maximized || window->fullscreen || g_app.options.fullScreen;
}

void ObserveWindowState(NativeWindow* window, GdkWindowState newState, GdkWindowState changed) {
    window->iconified = (newState & GDK_WINDOW_STATE_ICONIFIED) != 0;
    if (changed & GDK_WINDOW_STATE_MAXIMIZED) {
        window->maximized = (newState & GDK_WINDOW_STATE_MAXIMIZED) != 0;
        // The window manager's maximize (its button, its menu, a double-click
        // on the title bar) enters full screen.
        if (!Settle(&window->maximizeExpected, window->maximized) && window->maximized) {
            OnEnterFullScreenRequest(window);
        }
    }
    if (changed & GDK_WINDOW_STATE_FULLSCREEN) {
        window->fullscreen = (newState & GDK_WINDOW_STATE_FULLSCREEN) != 0;
        // The window manager entered or ended full screen by itself: the
        // flag follows, so that the next F11 does what it says.
        if (!Settle(&window->fullscreenExpected, window->fullscreen)) {
            if (window->fullscreen && !g_app.options.fullScreen) {
                OnEnterFullScreenRequest(window);
            } else if (!window->fullscreen && g_app.options.fullScreen) {
                OnLeaveFullScreenRequest(window);
            }
        }
    }
}
