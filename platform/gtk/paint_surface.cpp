// The display's backing image, the three brushes, and the repaint requests.
//
// The painter fills rectangles into an image the size of the client area;
// the draw handler shows that image and the caret over it. As with a Windows
// window and its class background brush, only a repaint with erase clears the
// image, so what the painter never fills keeps the black of the last erase.
// Repaint requests are served here on the main thread (ui_thread_queue.cpp
// brings those of the tick thread over).
#include <gtk/gtk.h>

#include <cstddef>

#include "app/window_logic.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/resource_counts.h"

namespace {

// Background, color and idle brush, by BrushRole, as the image's pixels,
// and which of them have been made.
uint32_t brushes[3] = {};
bool brushMade[3] = {};

// COLORREF is 0x00BBGGRR; the image's pixels are 0x00RRGGBB.
uint32_t PixelOf(uint32_t colorRef) {
    return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

void MakeBrush(BrushRole role, uint32_t colorRef) {
    const int slot = static_cast<int>(role);
    // Made again, the old one goes: so counted as freed.
    if (brushMade[slot]) ++g_resourceCounts.brushesFreed;
    brushes[slot] = PixelOf(colorRef);
    brushMade[slot] = true;
    ++g_resourceCounts.brushesCreated;
}

PaintCanvas CanvasOf(cairo_surface_t* surface) {
    return {reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface)),
            cairo_image_surface_get_stride(surface) / 4, cairo_image_surface_get_width(surface),
            cairo_image_surface_get_height(surface)};
}

}  // namespace

void ServeRepaintRequest(NativeWindow* window) {
    if (window->destroyed) return;
    if (window->eraseRequested.exchange(false, std::memory_order_acq_rel)) {
        window->eraseOnPaint = true;
    }
    window->invalid = true;
    if (window->area != nullptr) gtk_widget_queue_draw(window->area);
}

namespace {

void PaintDisplay(NativeWindow* window) {
    window->invalid = false;
    cairo_surface_flush(window->surface);
    PaintCanvas canvas = CanvasOf(window->surface);
    if (window->eraseOnPaint) {
        window->eraseOnPaint = false;
        FillRectangle(&canvas, {0, 0, canvas.width, canvas.height}, BrushRole::Background);
    }
    window->painting = true;
    OnPaint(window, &canvas);
    window->painting = false;
    cairo_surface_mark_dirty(window->surface);
}

}  // namespace

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
    // Clipped to the image; an empty rectangle fills nothing, as FillRect.
    const int32_t left = rect.left > 0 ? rect.left : 0;
    const int32_t top = rect.top > 0 ? rect.top : 0;
    const int32_t right = rect.right < canvas->width ? rect.right : canvas->width;
    const int32_t bottom = rect.bottom < canvas->height ? rect.bottom : canvas->height;
    if (right <= left || bottom <= top) return;
    const uint32_t pixel = brushes[static_cast<int>(brush)];
    for (int32_t y = top; y < bottom; ++y) {
        uint32_t* row = canvas->pixels + static_cast<ptrdiff_t>(y) * canvas->stride;
        for (int32_t x = left; x < right; ++x) row[x] = pixel;
    }
}

void ResizeDisplaySurface(NativeWindow* window, int32_t width, int32_t height) {
    // A zero-sized image is legal but cannot be drawn from; one pixel is the
    // least a window has anyway.
    const int32_t w = width > 0 ? width : 1;
    const int32_t h = height > 0 ? height : 1;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    // A new image is black; what the old one showed stays where it was, as a
    // window keeps its pixels when it grows.
    if (window->surface != nullptr) {
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_surface(cr, window->surface, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(window->surface);
    }
    window->surface = surface;
    window->clientWidth = width;
    window->clientHeight = height;
}

gboolean DrawDisplay(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    if (window->surface == nullptr) return TRUE;
    if (window->invalid) PaintDisplay(window);
    cairo_set_source_surface(cr, window->surface, 0, 0);
    cairo_paint(cr);
    DrawEntryCaret(window, cr);
    return TRUE;
}
