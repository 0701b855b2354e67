// What a program's window layer made and freed: brushes, entry carets, popup
// menus shown. GetGuiResources counts nothing under Wine, so these counters are
// how a soak run sees whether GDI-like objects pile up. Only the UI thread
// touches them; each layer writes the line at exit to the file
// MOX_RESOURCE_LOG names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

struct ResourceCounts {
    int32_t brushesCreated;
    int32_t brushesFreed;
    int32_t caretsCreated;
    int32_t caretsDestroyed;
    int32_t menusShown;
};
inline ResourceCounts g_resourceCounts{};

// The one line of the log, "brushes_created=N ... menus_shown=N" and a line
// end; the live counts are what still exists at exit. Returns its length.
inline size_t FormatResourceLine(char* buffer, size_t capacity, const ResourceCounts& counts,
                                 int32_t brushesLive, int32_t caretsLive) {
    if (capacity == 0) return 0;
    const int length = std::snprintf(
        buffer, capacity,
        "brushes_created=%ld brushes_freed=%ld brushes_live=%ld carets_created=%ld "
        "carets_destroyed=%ld carets_live=%ld menus_shown=%ld\n",
        static_cast<long>(counts.brushesCreated), static_cast<long>(counts.brushesFreed),
        static_cast<long>(brushesLive), static_cast<long>(counts.caretsCreated),
        static_cast<long>(counts.caretsDestroyed), static_cast<long>(caretsLive),
        static_cast<long>(counts.menusShown));
    if (length < 0) return 0;
    return static_cast<size_t>(length) < capacity ? static_cast<size_t>(length) : capacity - 1;
}
