// Title bar and full screen on GTK, built as on Windows: the style word keeps
// the caption and sizing-frame bits, and the window manager's decorations
// follow it. Full screen is the window maximized without decorations, so
// desktop panels stay visible.
//
// The window manager carries out maximize, unmaximize and decoration changes
// later and in its own order. Two records bridge that gap: the maximize
// expectation (so that the program's own maximize is never taken for the
// window manager's request to maximize, which enters full screen), and the
// client anchor (so that showing or hiding the title bar leaves the client
// area where it was on screen, whatever the window manager does with the
// frame).
#include <gtk/gtk.h>

#include "app/app_record.h"
#include "app/shell_services.h"
#include "app/window_logic.h"
#include "platform/gtk/native_window.h"

namespace {

// How long the window manager gets to carry out a change before the program
// stops waiting for it.
constexpr gint64 kWindowManagerPatienceUs = 1000 * 1000;

// The decorations for a style: the caption brings the title bar with its
// menu, minimize and close buttons but no maximize button; the sizing frame
// alone a border.
GdkWMDecoration DecorationsFor(uint32_t style) {
    if (style & kStyleCaption) {
        return static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_RESIZEH | GDK_DECOR_TITLE |
                                            GDK_DECOR_MENU | GDK_DECOR_MINIMIZE);
    }
    if (style & kStyleThickFrame) return GDK_DECOR_BORDER;
    return static_cast<GdkWMDecoration>(0);
}

void Expect(NativeWindow* window, bool maximized) {
    window->expectation.pending = true;
    window->expectation.maximized = maximized;
    window->expectation.deadline = g_get_monotonic_time() + kWindowManagerPatienceUs;
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
        // maximize is how its menu and title bar ask for full screen.
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
    ApplyFrameStyle(window);
    GtkWindow* gtkWindow = GTK_WINDOW(window->window);
    if (!window->maximized) Expect(window, true);
    gtk_window_maximize(gtkWindow);
    // Shown maximized also brings back a minimized or hidden window.
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
    if (window->maximized) Expect(window, false);
    gtk_window_unmaximize(gtkWindow);
    if (window->iconified) gtk_window_deiconify(gtkWindow);
    return 0;
}

bool WindowIsZoomed(const NativeWindow* window) {
    return window->maximized || g_app.options.fullScreen;
}

void ObserveWindowState(NativeWindow* window, GdkWindowState newState, GdkWindowState changed) {
    window->iconified = (newState & GDK_WINDOW_STATE_ICONIFIED) != 0;
    if (!(changed & GDK_WINDOW_STATE_MAXIMIZED)) return;
    const bool maximized = (newState & GDK_WINDOW_STATE_MAXIMIZED) != 0;
    window->maximized = maximized;
    MaximizeExpectation& expectation = window->expectation;
    if (expectation.pending && g_get_monotonic_time() <= expectation.deadline) {
        // The program's own change, or a stale state on the way to it.
        if (maximized == expectation.maximized) expectation.pending = false;
        return;
    }
    expectation.pending = false;
    // Otherwise the window manager asked: its maximize (button, menu, a
    // double-click on the title bar) enters full screen, its restore leaves it.
    if (maximized && !g_app.options.fullScreen) {
        OnEnterFullScreenRequest(window);
    } else if (!maximized && g_app.options.fullScreen) {
        OnLeaveFullScreenRequest(window);
    }
}
