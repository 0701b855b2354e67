// What the window layer made and freed: brushes, entry carets, popup menus
// shown. A soak run reads them at exit to see whether anything piles up.
// Only the GTK main thread touches them.
#pragma once

#include <cstddef>
#include <cstdint>

struct NativeWindow;

struct ResourceCounts {
    int32_t brushesCreated;
    int32_t brushesFreed;
    int32_t caretsCreated;
    int32_t caretsDestroyed;
    int32_t menusShown;
};
extern ResourceCounts g_resourceCounts;

// The one line of the log, "brushes_created=N ... menus_shown=N" and a line
// end; the live counts are what still exists at exit. Returns its length.
size_t FormatResourceLine(char* buffer, size_t capacity, const ResourceCounts& counts,
                          int32_t brushesLive, int32_t caretsLive);

// Writes that line, with the window's caret and the display brushes as the
// live counts, to the file MOX_RESOURCE_LOG names: nothing without the
// variable, and nothing after the first call, so each way the program ends
// may call it. Uses only open and write, so a handler about to _exit may
// call it too.
void WriteResourceLog(const NativeWindow* window);
