// Writing the window layer's resource counts at exit (the counters themselves
// are shared with the GTK layer).
#pragma once

#include <cstdint>

#include "platform/resource_counts.h"

// Writes the count line to the file MOX_RESOURCE_LOG names; nothing without
// the variable, and nothing after the first call, so each way the program ends
// may call it.
void WriteResourceLog(int32_t brushesLive, int32_t caretsLive);
