// The end of the session: a SIGTERM, SIGHUP or SIGINT (Ctrl+C in the
// terminal), or the display connection going away, stores the settings as
// closing the window does, then ends the program.
#include <glib-unix.h>
#include <gtk/gtk.h>
#include <signal.h>
#include <unistd.h>
#ifdef GDK_WINDOWING_X11
#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#endif

#include "app/window_logic.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/resource_counts.h"

namespace {

NativeWindow* sessionWindow = nullptr;

gboolean OnEndSignal(gpointer) {
    CloseMainWindow(sessionWindow);
    return G_SOURCE_REMOVE;
}

#ifdef GDK_WINDOWING_X11
// Xlib ends the process when this returns, and no X call may be made here:
// the placement comes from the last one the window reported.
int OnDisplayConnectionLost(Display*) {
    NativeWindow* window = sessionWindow;
    if (window != nullptr && !window->destroyed) {
        window->displayLost = true;
        OnClose(window);
        window->destroyed = true;
    }
    StopTickSource();
    WriteResourceLog(window);
    _exit(0);
}
#endif

}  // namespace

void InstallSessionEndHandlers(NativeWindow* window) {
    sessionWindow = window;
    g_unix_signal_add(SIGTERM, OnEndSignal, nullptr);
    g_unix_signal_add(SIGHUP, OnEndSignal, nullptr);
    g_unix_signal_add(SIGINT, OnEndSignal, nullptr);
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_DISPLAY(gdk_display_get_default())) XSetIOErrorHandler(OnDisplayConnectionLost);
#endif
}
