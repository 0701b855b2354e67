// The display's backing image, the three brushes, and the repaint requests.
//
// The painter fills rectangles into an image of the client area's device
// pixels; the draw handler copies the part GTK redraws to the window, 1:1,
// and draws the caret over it. As with a Windows window and its class
// background brush, only a repaint with erase clears the image, so what the
// painter never fills keeps the black of the last erase. On a display the
// image is a surface similar to the window's: on X11 a pixmap, so each fill
// and the copy are carried out by the X server and no pixels travel.
//
// Repaint requests are served here on the main thread (ui_thread_queue.cpp
// brings those of the tick thread over). A partial request repaints only its
// rectangle of the image, and GTK redraws only the logical pixels covering it.
#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <cairo-xlib.h>
#include <gdk/gdkx.h>
#endif

#include <algorithm>

#include "app/window_logic.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/resource_counts.h"

namespace {

// Background, color and idle brush, by BrushRole, as red, green and blue,
// and which of them have been made.
double brushes[3][3] = {};
bool brushMade[3] = {};

void MakeBrush(BrushRole role, uint32_t colorRef) {
    const int slot = static_cast<int>(role);
    // Made again, the old one goes: so counted as freed.
    if (brushMade[slot]) ++g_resourceCounts.brushesFreed;
    // COLORREF is 0x00BBGGRR.
    for (int channel = 0; channel < 3; ++channel) {
        brushes[slot][channel] = ((colorRef >> (8 * channel)) & 0xFF) / 255.0;
    }
    brushMade[slot] = true;
    ++g_resourceCounts.brushesCreated;
}

bool IsEmpty(const Rect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// The smallest rectangle holding both; an empty one adds nothing.
Rect Unite(const Rect& a, const Rect& b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

bool Overlaps(const Rect& a, const Rect& b) {
    return !IsEmpty(a) && !IsEmpty(b) && a.left < b.right && b.left < a.right && a.top < b.bottom &&
           b.top < a.bottom;
}

Rect ImageRect(const NativeWindow* window) {
    return {0, 0, window->clientWidth * window->scale, window->clientHeight * window->scale};
}

// Repaints the invalidated part of the image: the erase first when one was
// asked for, then the painter, its fills clipped to that part.
void PaintDisplay(NativeWindow* window) {
    if (IsEmpty(window->invalid)) return;
    const Rect clip = window->invalid;
    window->invalid = {0, 0, 0, 0};
    cairo_t* cr = cairo_create(window->surface);
    // Whole pixels only: every rectangle is filled exactly, without shades.
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(cr, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    cairo_clip(cr);
    PaintCanvas canvas{cr, clip, -1, 0};
    if (window->eraseOnPaint) {
        window->eraseOnPaint = false;
        FillRectangle(&canvas, ImageRect(window), BrushRole::Background);
    }
    window->painting = true;
    OnPaint(window, &canvas);
    window->painting = false;
    FlushFills(&canvas);
    cairo_destroy(cr);
}

#ifdef GDK_WINDOWING_X11
// The copies from the image to the window, without graphics exposures (an
// event back for every copy).
GC copyGc = nullptr;
#endif

// A partial repaint is shown at once, outside GTK's redraw cycle: the image
// is painted where invalidated and that rectangle copied to the window, one
// copy on the X server. Through GTK a tick would cost a whole frame: its
// layout and paint phases, a fresh double buffer and two copies. Only where
// the image and the window are both on the X server and nothing is drawn
// over the image (the entry caret); elsewhere GTK draws it.
bool ShowDirectly(NativeWindow* window) {
#ifdef GDK_WINDOWING_X11
    GdkWindow* gdkWindow = gtk_widget_get_window(window->window);
    if (!window->x11 || window->caret.exists || gdkWindow == nullptr ||
        !gtk_widget_get_mapped(window->area) ||
        cairo_surface_get_type(window->surface) != CAIRO_SURFACE_TYPE_XLIB) {
        return false;
    }
    Display* display = GDK_WINDOW_XDISPLAY(gdkWindow);
    const Window target = GDK_WINDOW_XID(gdkWindow);
    if (copyGc == nullptr) {
        XGCValues values{};
        values.graphics_exposures = False;
        copyGc = XCreateGC(display, target, GCGraphicsExposures, &values);
    }
    const Rect painted = window->invalid;
    PaintDisplay(window);
    cairo_surface_flush(window->surface);
    GtkAllocation at{};
    gtk_widget_get_allocation(window->area, &at);
    XCopyArea(display, cairo_xlib_surface_get_drawable(window->surface), target, copyGc,
              painted.left, painted.top, static_cast<unsigned>(painted.right - painted.left),
              static_cast<unsigned>(painted.bottom - painted.top),
              painted.left + at.x * window->scale, painted.top + at.y * window->scale);
    XFlush(display);
    return true;
#else
    return false;
#endif
}

}  // namespace

GdkRectangle LogicalCover(const Rect& device, int32_t scale) {
    // Rounded outward; client pixels are never negative.
    const int32_t left = std::max(device.left, 0) / scale;
    const int32_t top = std::max(device.top, 0) / scale;
    const int32_t right = (std::max(device.right, 0) + scale - 1) / scale;
    const int32_t bottom = (std::max(device.bottom, 0) + scale - 1) / scale;
    return {left, top, right - left, bottom - top};
}

void AddRepaintRequest(NativeWindow* window, bool whole, bool erase, const Rect& part) {
    std::lock_guard<std::mutex> lock(window->pendingLock);
    PendingRepaint& pending = window->pending;
    pending.whole = pending.whole || whole;
    pending.erase = pending.erase || erase;
    pending.part = Unite(pending.part, part);
}

void ServeRepaintRequest(NativeWindow* window) {
    PendingRepaint taken;
    {
        std::lock_guard<std::mutex> lock(window->pendingLock);
        taken = window->pending;
        window->pending = PendingRepaint{};
    }
    if (window->destroyed) return;
    if (taken.erase) window->eraseOnPaint = true;
    if (taken.whole || taken.erase) {
        window->invalid = ImageRect(window);
        if (window->area != nullptr) gtk_widget_queue_draw(window->area);
        return;
    }
    if (IsEmpty(taken.part)) return;
    window->invalid = Unite(window->invalid, taken.part);
    if (window->area == nullptr || ShowDirectly(window)) return;
    const GdkRectangle cover = LogicalCover(taken.part, window->scale);
    gtk_widget_queue_draw_area(window->area, cover.x, cover.y, cover.width, cover.height);
}

void CreateDisplayBrushes(uint32_t background, uint32_t color, uint32_t idle) {
    MakeBrush(BrushRole::Background, background);
    MakeBrush(BrushRole::Color, color);
    MakeBrush(BrushRole::Idle, idle);
}

void ReplaceColorBrush(uint32_t color) {
    MakeBrush(BrushRole::Color, color);
}

int32_t LiveBrushCount() {
    return g_resourceCounts.brushesCreated - g_resourceCounts.brushesFreed;
}

int32_t DisplayBrushesMade() {
    int32_t live = 0;
    for (const bool made : brushMade) {
        if (made) ++live;
    }
    return live;
}

void FillRectangle(PaintCanvas* canvas, const Rect& rect, BrushRole brush) {
    // Wholly outside what is repainted (or empty, as FillRect fills nothing):
    // the clip would drop it, but only after it went to the X server.
    if (!Overlaps(rect, canvas->clip)) return;
    const int slot = static_cast<int>(brush);
    if (slot != canvas->pendingBrush) {
        FlushFills(canvas);
        cairo_set_source_rgb(canvas->cr, brushes[slot][0], brushes[slot][1], brushes[slot][2]);
        canvas->pendingBrush = slot;
    }
    cairo_rectangle(canvas->cr, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top);
    ++canvas->fills;
}

void FlushFills(PaintCanvas* canvas) {
    // The rectangles of one brush never overlap one of another brush filled
    // later, so filling them together keeps the painter's order.
    if (canvas->pendingBrush >= 0) cairo_fill(canvas->cr);
    canvas->pendingBrush = -1;
}

void ResizeDisplaySurface(NativeWindow* window, int32_t width, int32_t height) {
    // A zero-sized image is legal but cannot be drawn from; one pixel is the
    // least a window has anyway.
    const int32_t w = std::max(width, 1);
    const int32_t h = std::max(height, 1);
    // The toplevel's: it is realized before the first allocation, the
    // drawing area's only after.
    GdkWindow* gdkWindow =
        window->window != nullptr ? gtk_widget_get_window(window->window) : nullptr;
    cairo_surface_t* surface =
        gdkWindow != nullptr
            ? gdk_window_create_similar_surface(gdkWindow, CAIRO_CONTENT_COLOR, w, h)
            : cairo_image_surface_create(CAIRO_FORMAT_RGB24, w * window->scale, h * window->scale);
    // A similar surface comes with the window's scale: set back to 1, so the
    // painter fills device pixels and the image is shown 1:1, never stretched.
    cairo_surface_set_device_scale(surface, 1, 1);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    if (window->surface != nullptr) cairo_surface_destroy(window->surface);
    window->surface = surface;
    window->clientWidth = width;
    window->clientHeight = height;
    window->invalid = {0, 0, 0, 0};
}

gboolean DrawDisplay(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    if (window->surface == nullptr) return TRUE;
    PaintDisplay(window);
    // GTK clips to what it redraws: only that part of the image is copied.
    cairo_save(cr);
    cairo_scale(cr, 1.0 / window->scale, 1.0 / window->scale);
    cairo_set_source_surface(cr, window->surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_restore(cr);
    DrawEntryCaret(window, cr);
    return TRUE;
}
