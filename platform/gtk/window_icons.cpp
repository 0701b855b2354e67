// The window icon at 16, 32 and 48 pixels, from the PNGs built into the
// program.
#include <gtk/gtk.h>

#include <cstddef>

#include "platform/gtk/native_window.h"

extern const unsigned char kIconPng16[];
extern const size_t kIconPng16Size;
extern const unsigned char kIconPng32[];
extern const size_t kIconPng32Size;
extern const unsigned char kIconPng48[];
extern const size_t kIconPng48Size;

namespace {

GdkPixbuf* LoadPng(const unsigned char* data, size_t size) {
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("png", nullptr);
    if (loader == nullptr) return nullptr;
    GdkPixbuf* pixbuf = nullptr;
    if (gdk_pixbuf_loader_write(loader, data, size, nullptr) &&
        gdk_pixbuf_loader_close(loader, nullptr)) {
        pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
        if (pixbuf != nullptr) g_object_ref(pixbuf);
    }
    g_object_unref(loader);
    return pixbuf;
}

}  // namespace

void SetDefaultWindowIcons() {
    GList* icons = nullptr;
    const struct {
        const unsigned char* data;
        size_t size;
    } images[] = {
        {kIconPng16, kIconPng16Size}, {kIconPng32, kIconPng32Size}, {kIconPng48, kIconPng48Size}};
    for (const auto& image : images) {
        if (GdkPixbuf* pixbuf = LoadPng(image.data, image.size)) {
            icons = g_list_append(icons, pixbuf);
        }
    }
    if (icons != nullptr) gtk_window_set_default_icon_list(icons);
    g_list_free_full(icons, g_object_unref);
}
