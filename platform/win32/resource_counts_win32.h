// What the window layer made and freed: brushes, entry carets, popup menus
// shown. GetGuiResources counts nothing under Wine, so these counters are how
// a soak run sees whether GDI-like objects pile up. Only the UI thread
// touches them.
#pragma once

#include <cstddef>
#include <cstdint>

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

// Writes that line to the file MOX_RESOURCE_LOG names; nothing without the
// variable, and nothing after the first call, so each way the program ends
// may call it.
void WriteResourceLog(int32_t brushesLive, int32_t caretsLive);
