// The countdown entry caret: a grey bar drawn over the display image, never
// into it, placed and sized in the image's device pixels, blinking at the desktop's cursor blink
// rate. Like a Windows caret it is created hidden, shown when every hide has been matched by a
// show, and a move restarts the blink with the bar visible.
#include <gtk/gtk.h>

#include "platform/gtk/native_window.h"
#include "platform/gtk/resource_counts.h"

namespace {

constexpr double kCaretGrey = 128.0 / 255.0;
constexpr gint kDefaultBlinkCycleMs = 1200;

void QueueCaretDraw(NativeWindow* window) {
    const EntryCaret& caret = window->caret;
    // The paint handler hides and shows the caret around the painter, inside
    // a draw that shows the caret's final state anyway.
    if (window->painting || window->destroyed || window->area == nullptr) return;
    if (caret.width <= 0 || caret.height <= 0) return;
    const GdkRectangle cover = LogicalCover(
        {caret.x, caret.y, caret.x + caret.width, caret.y + caret.height}, window->scale);
    gtk_widget_queue_draw_area(window->area, cover.x, cover.y, cover.width, cover.height);
}

gboolean BlinkCaret(gpointer data) {
    auto* window = static_cast<NativeWindow*>(data);
    window->caret.phaseOn = !window->caret.phaseOn;
    if (window->caret.hideCount == 0) QueueCaretDraw(window);
    return G_SOURCE_CONTINUE;
}

void RestartBlink(NativeWindow* window) {
    EntryCaret& caret = window->caret;
    if (caret.blinkSource != 0) g_source_remove(caret.blinkSource);
    caret.blinkSource = 0;
    caret.phaseOn = true;
    gboolean blink = TRUE;
    gint cycle = kDefaultBlinkCycleMs;
    // Without a screen (the unit tests) the desktop's settings are not there.
    GtkSettings* settings =
        gdk_screen_get_default() != nullptr ? gtk_settings_get_default() : nullptr;
    if (settings != nullptr) {
        g_object_get(settings, "gtk-cursor-blink", &blink, "gtk-cursor-blink-time", &cycle,
                     nullptr);
    }
    if (blink && cycle > 0) {
        caret.blinkSource = g_timeout_add(static_cast<guint>(cycle / 2), BlinkCaret, window);
    }
}

}  // namespace

void CreateEntryCaret(WindowHandle window, int32_t width, int32_t height) {
    EntryCaret& caret = window->caret;
    // A new caret replaces the old one, wherever that stood.
    if (caret.exists && caret.hideCount == 0) QueueCaretDraw(window);
    if (caret.exists) ++g_resourceCounts.caretsDestroyed;
    ++g_resourceCounts.caretsCreated;
    caret.exists = true;
    caret.hideCount = 1;
    caret.width = width;
    caret.height = height;
    RestartBlink(window);
}

void SetEntryCaretPosition(WindowHandle window, int32_t x, int32_t y) {
    EntryCaret& caret = window->caret;
    if (!caret.exists) return;
    if (caret.hideCount == 0) QueueCaretDraw(window);
    caret.x = x;
    caret.y = y;
    RestartBlink(window);
    if (caret.hideCount == 0) QueueCaretDraw(window);
}

void ShowEntryCaret(WindowHandle window) {
    EntryCaret& caret = window->caret;
    if (!caret.exists || caret.hideCount == 0) return;
    if (--caret.hideCount == 0) QueueCaretDraw(window);
}

void HideEntryCaret(WindowHandle window) {
    EntryCaret& caret = window->caret;
    if (!caret.exists) return;
    if (caret.hideCount++ == 0) QueueCaretDraw(window);
}

void DestroyEntryCaret(WindowHandle window) {
    EntryCaret& caret = window->caret;
    if (!caret.exists) return;
    if (caret.hideCount == 0) QueueCaretDraw(window);
    StopEntryCaret(window);
}

void StopEntryCaret(NativeWindow* window) {
    EntryCaret& caret = window->caret;
    // Closing the window takes the caret with it, as destroying a window does.
    if (caret.exists) ++g_resourceCounts.caretsDestroyed;
    if (caret.blinkSource != 0) g_source_remove(caret.blinkSource);
    caret = EntryCaret{};
}

void DrawEntryCaret(NativeWindow* window, cairo_t* cr) {
    const EntryCaret& caret = window->caret;
    if (!caret.exists || caret.hideCount != 0 || !caret.phaseOn) return;
    if (caret.width <= 0 || caret.height <= 0) return;
    // The caret's place and size are device pixels, as the layout's.
    cairo_save(cr);
    cairo_scale(cr, 1.0 / window->scale, 1.0 / window->scale);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, kCaretGrey, kCaretGrey, kCaretGrey);
    cairo_rectangle(cr, caret.x, caret.y, caret.width, caret.height);
    cairo_fill(cr);
    cairo_restore(cr);
}
