// The main window: a GtkWindow whose one child, a GtkDrawingArea, is the
// client area. Its signal handlers turn GTK's events into the shared window
// logic's calls, as the Windows program's window procedure turns messages.
#include <gtk/gtk.h>

#include <algorithm>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include "app/app_record.h"
#include "app/commands.h"
#include "app/shell_services.h"
#include "app/window_logic.h"
#include "platform/gtk/input_mapping.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/wide_text.h"
#include "settings/options.h"

namespace {

NativeWindow mainWindow;
bool quitRequested = false;

ClickTracker clicks;

PressRole ClassifyPress(const GdkEventButton* event) {
    guint doubleClickTime = 400;
    gint distance = 5;
    g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &doubleClickTime,
                 "gtk-double-click-distance", &distance, nullptr);
    return TrackPress(&clicks, event->type, event->button, event->time, event->x_root,
                      event->y_root, doubleClickTime, distance);
}

gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    const PressRole role = ClassifyPress(event);
    if (role == PressRole::Skip) return TRUE;
    switch (event->button) {
        case GDK_BUTTON_PRIMARY:
            if (role == PressRole::DoubleClick) {
                window->move.pending = false;
                OnLeftDoubleClick(window, WindowIsZoomed(window));
            } else if (!WindowIsZoomed(window)) {
                window->move.pending = true;
                window->move.rootX = static_cast<int32_t>(event->x_root);
                window->move.rootY = static_cast<int32_t>(event->y_root);
            }
            break;
        case GDK_BUTTON_MIDDLE:
            OnMiddleButton(window);
            break;
        default:
            break;
    }
    return TRUE;
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    if (window->move.pending && (event->state & GDK_BUTTON1_MASK) && !WindowIsZoomed(window)) {
        window->move.pending = false;
        // The user moves the window now: the title bar toggle's anchor must
        // not pull it back.
        window->anchor.pending = false;
        // The move runs from the press point, so the window follows the
        // pointer exactly as if it had started at the press.
        gtk_window_begin_move_drag(GTK_WINDOW(window->window), GDK_BUTTON_PRIMARY,
                                   window->move.rootX, window->move.rootY, event->time);
    }
    return TRUE;
}

gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    if (event->button == GDK_BUTTON_PRIMARY) window->move.pending = false;
    // The context menu opens when the right button comes up, as on Windows.
    if (event->button == GDK_BUTTON_SECONDARY) {
        ShowContextMenu(window, false, static_cast<int32_t>(event->x),
                        static_cast<int32_t>(event->y), reinterpret_cast<GdkEvent*>(event));
    }
    return TRUE;
}

gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    const GdkModifierType modifiers = RelevantModifiers(event->state);
    if (IsContextMenuKey(event->keyval, modifiers)) {
        ShowContextMenu(window, true, 0, 0, reinterpret_cast<GdkEvent*>(event));
        return TRUE;
    }
    // During countdown entry the accelerators are off: Space and Esc type
    // characters, F1 and F11 do nothing.
    if (AcceleratorsEnabled()) {
        const uint16_t command = AcceleratorCommand(event->keyval, modifiers);
        if (command != 0) {
            DispatchCommand(window, command);
            return TRUE;
        }
    }
    uint32_t character = 0;
    if (!CharacterForKey(event->keyval, modifiers, &character)) return FALSE;
    OnChar(window, character);
    return TRUE;
}

// A new client size or a new scale (GDK_SCALE, or the X settings'
// Gdk/WindowScalingFactor changed while running): a new image of the device
// pixels, and the display laid out on them anew, as WM_SIZE does.
void FitDisplay(NativeWindow* window, int32_t width, int32_t height) {
    const int32_t scale = std::max(gtk_widget_get_scale_factor(window->area), 1);
    if (window->sized && width == window->clientWidth && height == window->clientHeight &&
        scale == window->scale) {
        return;
    }
    window->sized = true;
    window->scale = scale;
    ResizeDisplaySurface(window, width, height);
    OnSize(window);
}

void OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
    FitDisplay(static_cast<NativeWindow*>(data), allocation->width, allocation->height);
}

void OnScaleChanged(GtkWidget*, GParamSpec*, gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    if (window->sized) FitDisplay(window, window->clientWidth, window->clientHeight);
}

void RememberPlacement(NativeWindow* window) {
    if (window->destroyed || window->displayLost) return;
    GdkWindow* gdkWindow = gtk_widget_get_window(window->window);
    if (gdkWindow == nullptr) return;
    GdkRectangle frame{};
    gdk_window_get_frame_extents(gdkWindow, &frame);
    window->lastPlacement.outerLeft = frame.x;
    window->lastPlacement.outerTop = frame.y;
    window->lastPlacement.clientWidth = window->clientWidth;
    window->lastPlacement.clientHeight = window->clientHeight;
    window->lastPlacement.minimized = window->iconified ? 1 : 0;
}

gboolean OnConfigure(GtkWidget*, GdkEventConfigure*, gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    CheckClientAnchor(window);
    RememberPlacement(window);
    return FALSE;
}

gboolean OnPropertyNotify(GtkWidget*, GdkEventProperty* event, gpointer data) {
    // The window manager announces a new frame through _NET_FRAME_EXTENTS.
    static GdkAtom frameExtents = gdk_atom_intern_static_string("_NET_FRAME_EXTENTS");
    if (event->atom == frameExtents) CheckClientAnchor(static_cast<NativeWindow*>(data));
    return FALSE;
}

gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    ObserveWindowState(window, event->new_window_state, event->changed_mask);
    RememberPlacement(window);
    return FALSE;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    // The close button, Alt+F4 and the window manager's Close.
    CloseMainWindow(static_cast<NativeWindow*>(data));
    return TRUE;
}

}  // namespace

NativeWindow* CreateMainWindow() {
    NativeWindow* window = &mainWindow;
    const WindowOptions& options = g_app.options;
    window->style = options.style;
    window->extendedStyle = options.extendedStyle;
#ifdef GDK_WINDOWING_X11
    window->x11 = GDK_IS_X11_DISPLAY(gdk_display_get_default());
#endif

    GtkWidget* widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* gtkWindow = GTK_WINDOW(widget);
    window->window = widget;
    gtk_window_set_title(gtkWindow, "");
    // The drawing area covers the whole window: the window's own themed
    // background would only be painted over, on every frame.
    gtk_widget_set_app_paintable(widget, TRUE);
    gtk_window_set_keep_above(gtkWindow, TRUE);
    if (!(options.extendedStyle & kExStyleAppWindow)) {
        // No taskbar entry. The type stays NORMAL: window managers refuse
        // full screen (openbox) or maximize to a UTILITY window.
        gtk_window_set_skip_taskbar_hint(gtkWindow, TRUE);
        gtk_window_set_skip_pager_hint(gtkWindow, TRUE);
    }
    // The client area has the requested size; a zero or negative size gives
    // the smallest window there is.
    const int32_t width = options.clientWidth > 0 ? options.clientWidth : 1;
    const int32_t height = options.clientHeight > 0 ? options.clientHeight : 1;
    window->clientWidth = width;
    window->clientHeight = height;
    gtk_window_set_default_size(gtkWindow, width, height);
    // The outer top-left corner goes to the requested place; the default
    // position leaves the place to the window manager.
    if (options.x != kUseDefaultPosition) gtk_window_move(gtkWindow, options.x, options.y);

    window->area = gtk_drawing_area_new();
    gtk_widget_add_events(
        window->area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_BUTTON1_MOTION_MASK);
    gtk_container_add(GTK_CONTAINER(widget), window->area);
    gtk_widget_add_events(widget,
                          GDK_KEY_PRESS_MASK | GDK_STRUCTURE_MASK | GDK_PROPERTY_CHANGE_MASK);

    g_signal_connect(window->area, "draw", G_CALLBACK(DrawDisplay), window);
    g_signal_connect(window->area, "size-allocate", G_CALLBACK(OnSizeAllocate), window);
    g_signal_connect(window->area, "notify::scale-factor", G_CALLBACK(OnScaleChanged), window);
    g_signal_connect(window->area, "button-press-event", G_CALLBACK(OnButtonPress), window);
    g_signal_connect(window->area, "button-release-event", G_CALLBACK(OnButtonRelease), window);
    g_signal_connect(window->area, "motion-notify-event", G_CALLBACK(OnMotion), window);
    g_signal_connect(widget, "key-press-event", G_CALLBACK(OnKeyPress), window);
    g_signal_connect(widget, "configure-event", G_CALLBACK(OnConfigure), window);
    g_signal_connect(widget, "property-notify-event", G_CALLBACK(OnPropertyNotify), window);
    g_signal_connect(widget, "window-state-event", G_CALLBACK(OnWindowState), window);
    g_signal_connect(widget, "delete-event", G_CALLBACK(OnDelete), window);

    gtk_widget_realize(widget);
    // As WM_CREATE inside window creation: records the window, may start
    // the clock, sets the first title.
    OnCreate(window);
    StartAccessibleDisplay(window);
    return window;
}

void ShowMainWindow(NativeWindow* window) {
    // The frame follows the style before the window first appears, so a
    // window without caption never shows one.
    ApplyFrameStyle(window);
    gtk_widget_show_all(window->window);
}

void CloseMainWindow(NativeWindow* window) {
    if (window->destroyed) return;
    OnClose(window);
    window->destroyed = true;
    StopEntryCaret(window);
    StopAccessibleDisplay(window);
    if (!window->displayLost) gtk_widget_destroy(window->window);
    QuitMessageLoop();
}

bool QuitRequested() {
    return quitRequested;
}

void RequestClose(WindowHandle window) {
    CloseMainWindow(window);
}

void QuitMessageLoop() {
    quitRequested = true;
    // A modal box or the about box would otherwise keep its own loop running.
    EndModalDialogs();
    if (gtk_main_level() > 0) gtk_main_quit();
}

void SetWindowTitle(WindowHandle window, const wchar_t* text) {
    if (window == nullptr || window->destroyed || window->displayLost) return;
    char title[256];
    WideToUtf8(text, title, sizeof title);
    gtk_window_set_title(GTK_WINDOW(window->window), title);
}

// The layout runs on device pixels: at scale 2 the segments are finer, never
// stretched.
ClientSize QueryClientSize(WindowHandle window) {
    return {window->clientWidth * window->scale, window->clientHeight * window->scale};
}

WindowPlacement QueryWindowPlacement(WindowHandle window) {
    RememberPlacement(window);
    return window->lastPlacement;
}
