// Writing the window layer's resource counts at exit (the counters themselves
// are shared with the Windows layer).
#pragma once

#include "platform/resource_counts.h"

struct NativeWindow;

// Writes the count line, with the window's caret and the display brushes as
// the live counts, to the file MOX_RESOURCE_LOG names: nothing without the
// variable, and nothing after the first call, so each way the program ends
// may call it. Uses only open and write, so a handler about to _exit may
// call it too.
void WriteResourceLog(const NativeWindow* window);
