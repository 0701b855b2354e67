// Linked with -Wl,--wrap=kEntryMenuItemCount: every reference to the entry
// menu's item count from another object file reads this one instead, so the
// program starts as it does when its entry menu cannot be loaded.
#include <cstddef>

extern const size_t __wrap_kEntryMenuItemCount;
const size_t __wrap_kEntryMenuItemCount = 0;
